#pragma once

#include <QStringList>
#include <array>
#include <vector>

#include "controls/skin.h"
#include "core/string_table.h"
#include "controls/vscroll_button.h"
#include "platform/container.h"
#include "platform/form_element.h"
#include "platform/hot_spot.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/picture.h"
#include "platform/shape.h"

namespace lumora::controls {

// All cells of one column, one per line, painted a line at a time: only the
// lines inside the area to paint are drawn, so long lists stay quick.
class ColumnText final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ColumnText)

 public:
  explicit ColumnText(QWidget* parent = nullptr);

  // The cells joined by CR, as the caption of a label would hold them.
  QString Caption() const { return lines_.join(QLatin1Char('\r')); }
  void SetLines(QStringList lines);
  int LineCount() const { return static_cast<int>(lines_.size()); }
  QString Line(int row) const { return row >= 0 && row < lines_.size() ? lines_[row] : QString(); }
  void SetLineHeight(int twips);
  void SetForeColor(int color);
  void SetFontName(const QString& name);
  // Lines drawn in dimColor instead of the text colour (true at their row).
  void SetDimmed(std::vector<bool> dimmed, int dimColor);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FitHeight();

  QStringList lines_;
  std::vector<bool> dimmed_;
  int lineHeight_ = 195;
  int foreColor_ = 0;
  int dimColor_ = 0;
};

// The multi-column list: a header strip of up to six column titles over rows
// of text, with a row selector and a scroll bar shown when the rows do not fit.
class ComplexList final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ComplexList)

 public:
  static constexpr int kColumns = 6;
  static constexpr int kHeaderHeight = 240;

  // A column: its title and its width relative to the other columns.
  struct ColumnHeading {
    QString title;
    int share = 1;  // of the list's width, against the other columns' shares
  };

  explicit ComplexList(QWidget* parent = nullptr);

  void ResetControl(SharedSkin skin);
  // Removes the hover highlight from every column title but one; -1 clears
  // all titles and the scroll bar's colours, -2 all titles only.
  void Clear_Col_Selection(int exeption);
  // Titles and relative widths; a column without a title is hidden.
  void Setup_Cols_Headers(const std::vector<ColumnHeading>& columns);
  const std::vector<ColumnHeading>& Columns() const { return columns_; }
  // Fills columns 0..visibleCols with the table's cells (field c, entry r),
  // plain texts ("&" shows as itself);
  // rows whose first cell is empty are left out, cells are fitted to their
  // column with "...". The scroll bar follows the new rows; the list keeps
  // its selection and, within the new rows, its scroll position.
  void Submit_Data_Array(const core::StringTable& table, int visibleCols);
  void Align_Columns();

  // The selected row; -1 selects nothing. Writing it scrolls the row into view.
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int indexValue);
  int RowCount() const { return CxLColText[0]->LineCount(); }
  // For assistive technology: the cells as submitted (not cut to fit), and
  // where a row lies in the list's own pixels.
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  QString CellText(int column, int row) const;
  QRect RowRect(int row) const;
  // The first and last rows shown whole; -1 when the list shows none.
  int FirstRowInView() const;
  int LastRowInView() const;
  bool KeepFocus() const { return keepFocus_; }
  void SetKeepFocus(bool focusValue);
  bool ImHigh() const { return VScrollButton->ImHigh() || imHigh_; }
  void SetImHigh(bool imHighValue);
  int RowHeight() const { return rowHeight_; }
  int UsableWidth() const { return usableWidth_; }
  // Rows shown greyed, for entries that stand for something no longer there;
  // row r is dimmed when dimmed[r] is true.
  void SetDimmedRows(std::vector<bool> dimmed);
  bool RowDimmed(int row) const { return row >= 0 && row < static_cast<int>(dimmed_.size()) && dimmed_[static_cast<size_t>(row)]; }
  // Rows the reader may drag to another place: a mark shows where the row
  // would go, and RowDragged reports the move when the button is let go.
  void SetRowsMovable(bool movable) { rowsMovable_ = movable; }

  std::array<platform::Shape*, 2> CxLEffect{};
  platform::Container* CxLHeader = nullptr;
  platform::Picture* CxLHeadImage = nullptr;
  std::array<platform::Shape*, kColumns> CxLColShape{};
  std::array<platform::Label*, kColumns> CxLColHead{};
  std::array<platform::HotSpot*, kColumns> CxLColHotSpot{};
  std::array<ColumnText*, kColumns> CxLColText{};
  std::array<platform::Line*, kColumns> CxLColLine{};
  platform::Shape* CxLSelector = nullptr;
  platform::Shape* CxLDropMark = nullptr;  // where a dragged row would go
  platform::HotSpot* CxLHotSpot = nullptr;
  controls::VScrollButton* VScrollButton = nullptr;

 signals:
  void DoubleClick(int Selection);
  void HeaderClick(int HeaderIndex);
  void Resized();
  void Click();
  void RowDragged(int from, int to);

 protected:
  void OnResize() override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // The arrows, PageUp, PageDown, Home and End move the selection; Enter
  // raises DoubleClick for the selected row, as a double click on it would.
  void keyReleaseEvent(QKeyEvent* event) override;
  // The wheel scrolls three rows a notch, as desktop lists do.
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  SharedSkin skin_ = PlainSkin();  // the window's, from ResetControl
  void ScrollBarCheck();
  void PlaceSelector();
  void ShowSelector(bool shown);
  void FitColumns();
  void ScrollIntoView(int row);
  int ScrollOffset() const;
  int VisibleHeight() const;
  int RowsPerPage() const;
  void HoverTitle(int column);
  // Every colour and picture, from the theme and the list's state (focus,
  // the column title under the pointer, dimmed rows).
  void ApplyLook();
  void Scroll(int offset);
  void DragTo(double y);
  void DropRow();
  int RowAt(double y) const;

  std::vector<ColumnHeading> columns_;
  std::array<int, kColumns> textWidth_{};  // each column's room for its cells, in twips
  // Each column's cells as submitted, fitted again when the width changes.
  std::array<QStringList, kColumns> cells_;
  bool selectorShown_ = false;
  int listIndex_ = 0;
  int rowHeight_ = 1;  // twips; never zero, so that rows can be counted before the theme's font is measured
  int usableWidth_ = 0;
  int laidOutWidth_ = 0;
  bool imHigh_ = false;
  int hoveredTitle_ = -1;  // the column whose title is under the pointer
  bool hadFocus_ = false;  // the list has had the keyboard at least once
  bool keepFocus_ = false;
  int backColor_ = 0xFFFFFF;
  int wheelAngle_ = 0;  // eighths of a degree not yet turned into rows
  bool enterDown_ = false;
  std::vector<bool> dimmed_;
  bool rowsMovable_ = false;
  int dragFrom_ = -1;  // the row pressed while rows are movable
  int dragTo_ = -1;    // where it would go; -1 until the pointer leaves its row
};

}  // namespace lumora::controls

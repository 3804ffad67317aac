#include "controls/complex_list.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <unordered_map>

#include "content/text_helpers.h"
#include "controls/label_measurer.h"
#include "platform/color.h"
#include "platform/twips.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {

using settings::Px1;
using settings::Px2;
using settings::Px3;
using settings::Px4;
using settings::Px5;

constexpr double kFontPoints = 8.25;

int Round(double value) { return static_cast<int>(std::lround(value)); }

// A cell is plain text; its label shows "&" as an access-key mark unless it
// is doubled.
QString AsDrawn(const QString& cell) {
  return cell.contains(QLatin1Char('&')) ? content::DoubledForLabels(cell) : cell;
}

QFont ListFont(const QString& face) {
  QFont font(face);
  font.setPointSizeF(kFontPoints);
  return font;
}

// Measures cells as a label in the list's font would show them, straight from
// the font's metrics: fitting thousands of cells must not cost a widget each.
class FontMeasurer final : public content::TextMeasurer {
 public:
  FontMeasurer() { latin_.fill(-1); }

  void SetFont(const QString& fontName, bool bold) override {
    if (fontSet_ && fontName == fontName_ && bold == bold_) return;  // set for every cell
    fontSet_ = true;
    fontName_ = fontName;
    bold_ = bold;
    QFont font = ListFont(fontName);
    font.setBold(bold);
    font_ = font;
    metrics_ = QFontMetricsF(font);
    latin_.fill(-1);
    others_.clear();
  }
  void SetText(const QString& text) override { text_ = text; }
  QString Text() const override { return text_; }
  int Width() const override {
    // "&" marks an access key in a label; only texts holding one need the
    // slower measure that knows it.
    if (text_.contains(QLatin1Char('&')))
      return Round(platform::PixelsToTwipsX(std::ceil(metrics_.size(Qt::TextShowMnemonic, text_).width())));
    // Shaping every cell of a long table costs too much: the advances of the
    // single characters are added instead, unrounded as the text is laid out
    // (whole pixels a character would lose up to half a pixel each, and a
    // long Cyrillic cell ran past its column). Kerning only narrows a text,
    // so a cell judged to fit does fit.
    double pixels = 0;
    for (QChar c : text_) pixels += Advance(c.unicode());
    return Round(platform::PixelsToTwipsX(std::ceil(pixels)));
  }
  int Height() const override { return Round(platform::PixelsToTwipsY(QFontMetrics(font_).height())); }

 private:
  QFont font_;
  QFontMetricsF metrics_{QFont()};
  // Advances are cached only once a font is set.
  bool fontSet_ = false;  // a theme may name no font: "" is a font name too
  QString fontName_;
  bool bold_ = false;
  double Advance(char16_t c) const {
    if (c < latin_.size()) {
      if (latin_[c] < 0) latin_[c] = metrics_.horizontalAdvance(QChar(c));
      return latin_[c];
    }
    auto found = others_.find(c);
    if (found == others_.end()) found = others_.emplace(c, metrics_.horizontalAdvance(QChar(c))).first;
    return found->second;
  }

  mutable std::array<double, 256> latin_{};
  mutable std::unordered_map<char16_t, double> others_;
  QString text_;
};

}  // namespace

ColumnText::ColumnText(QWidget* parent) : platform::FormElement(parent) { FitHeight(); }

void ColumnText::SetLines(QStringList lines) {
  lines_ = std::move(lines);
  FitHeight();
  update();
}

void ColumnText::SetLineHeight(int twips) {
  if (twips == lineHeight_) return;
  lineHeight_ = twips;
  FitHeight();
  update();
}

void ColumnText::SetForeColor(int color) {
  if (color == foreColor_) return;
  foreColor_ = color;
  update();
}

void ColumnText::SetFontName(const QString& name) { setFont(ListFont(name)); }

void ColumnText::SetDimmed(std::vector<bool> dimmed, int dimColor) {
  dimmed_ = std::move(dimmed);
  dimColor_ = dimColor;
  update();
}

void ColumnText::FitHeight() {
  // Sized to its text: an empty column is one line high, as a label is.
  SetHeight(std::max<int>(1, LineCount()) * lineHeight_);
}

void ColumnText::paintEvent(QPaintEvent* event) {
  if (lines_.isEmpty()) return;
  QPainter painter(this);
  // A row cut by the list's lower edge must not paint over its two-pixel frame.
  if (const QWidget* list = parentWidget())
    painter.setClipRect(list->rect().adjusted(2, 2, -2, -2).translated(-pos()));
  painter.setPen(platform::ToQColor(foreColor_));
  painter.setFont(font());
  const double linePixels = lineHeight_ / platform::TwipsPerPixelY();
  const int first = std::max(0, static_cast<int>(event->rect().top() / linePixels));
  const int last = std::min(LineCount() - 1, static_cast<int>(event->rect().bottom() / linePixels));
  for (int i = first; i <= last; ++i) {
    const bool dim = i < static_cast<int>(dimmed_.size()) && dimmed_[static_cast<size_t>(i)];
    painter.setPen(platform::ToQColor(dim ? dimColor_ : foreColor_));
    const QRect line(0, static_cast<int>(std::lround(i * linePixels)), width(), static_cast<int>(std::ceil(linePixels)));
    painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine,
                     lines_[i]);
  }
}

ComplexList::ComplexList(QWidget* parent) : platform::FormElement(parent) {
  setFocusPolicy(Qt::StrongFocus);
  for (auto& effect : CxLEffect) effect = new platform::Shape(this);

  CxLHeader = new platform::Container(this);
  CxLHeader->Move(30, 30, 1000, kHeaderHeight);
  CxLHeadImage = new platform::Picture(CxLHeader);
  CxLHeadImage->SetStretch(true);
  CxLHeadImage->SetReceivesMouse(false);
  CxLHeadImage->Move(0, 0, 1000, kHeaderHeight);
  connect(CxLHeader, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);

  CxLHotSpot = new platform::HotSpot(this);
  connect(CxLHotSpot, &platform::FormElement::MouseMove, this, [this](int b, int s, double x, double y) {
    Clear_Col_Selection(-1);
    emit MouseMove(b, s, x, y);
  });
  connect(CxLHotSpot, &platform::FormElement::Click, this, &ComplexList::Click);

  for (int i = 0; i < kColumns; ++i) {
    auto* shape = new platform::Shape(CxLHeader);
    shape->SetFillStyle(platform::Shape::Fill::Solid);
    shape->SetBorderStyle(platform::Shape::Border::Transparent);
    shape->SetVisible(false);
    shape->Move(0, 0, 0, kHeaderHeight);
    auto* head = new platform::Label(CxLHeader);
    head->SetTransparent(true);
    head->SetFontName(QStringLiteral("Tahoma"));
    head->SetFontSize(kFontPoints);
    head->SetReceivesMouse(false);
    head->Move(0, 15, 0, kHeaderHeight - 15);
    auto* hotSpot = new platform::HotSpot(CxLHeader);
    hotSpot->Move(0, 0, 0, kHeaderHeight);
    CxLColShape[static_cast<size_t>(i)] = shape;
    CxLColHead[static_cast<size_t>(i)] = head;
    CxLColHotSpot[static_cast<size_t>(i)] = hotSpot;
    connect(hotSpot, &platform::FormElement::MouseMove, this, [this, i] { HoverTitle(i); });
    connect(hotSpot, &platform::FormElement::MouseDown, this, &platform::FormElement::MouseDown);
    connect(hotSpot, &platform::FormElement::Click, this, [this, i] { emit HeaderClick(i); });
    // Clicked twice quickly, a title is still clicked twice (the second click turns the order round).
    connect(hotSpot, &platform::FormElement::DblClick, this, [this, i] { emit HeaderClick(i); });
  }

  for (int i = 0; i < kColumns; ++i) {
    auto* text = new ColumnText(this);
    text->SetFontName(QStringLiteral("Tahoma"));
    CxLColText[static_cast<size_t>(i)] = text;
    connect(text, &platform::FormElement::MouseDown, this, [this](int b, int s, double x, double y) {
      SetListIndex(static_cast<int>(std::floor(y / rowHeight_)));
      dragFrom_ = rowsMovable_ && b == 1 && listIndex_ >= 0 && listIndex_ < RowCount() ? listIndex_ : -1;
      dragTo_ = -1;
      emit MouseDown(b, s, x, y);
    });
    connect(text, &platform::FormElement::MouseUp, this, [this] { DropRow(); });
    connect(text, &platform::FormElement::Click, this, &ComplexList::Click);
    connect(text, &platform::FormElement::DblClick, this, [this] { emit DoubleClick(listIndex_); });
    connect(text, &platform::FormElement::MouseMove, this, [this, text, i](int b, int s, double x, double y) {
      Clear_Col_Selection(-1);
      // A cell cut to fit shows itself whole as a tool tip.
      const int row = static_cast<int>(std::floor(y / rowHeight_));
      const QString cell = CellText(i, row);
      text->setToolTip(text->Line(row) == AsDrawn(cell) ? QString() : cell);
      if (dragFrom_ >= 0 && (b & 1)) DragTo(y);
      emit MouseMove(b, s, x, y);
    });
  }
  for (auto& line : CxLColLine) line = new platform::Line(this);

  CxLSelector = new platform::Shape(this);
  CxLSelector->SetBorderStyle(platform::Shape::Border::InsideSolid);
  CxLSelector->SetFillStyle(platform::Shape::Fill::Solid);
  CxLSelector->SetDrawMode(platform::Shape::DrawMode::NotXorPen);
  CxLSelector->SetVisible(false);
  CxLDropMark = new platform::Shape(this);
  CxLDropMark->SetBorderStyle(platform::Shape::Border::Transparent);
  CxLDropMark->SetFillStyle(platform::Shape::Fill::Solid);
  CxLDropMark->SetVisible(false);

  VScrollButton = new controls::VScrollButton(this);
  VScrollButton->SetVisible(false);
  // The header strip and the scroll bar stand in front of the rows, so rows
  // scrolled up pass under the titles and never take their clicks.
  CxLHeader->raise();
  VScrollButton->raise();
  connect(VScrollButton, &controls::VScrollButton::SliderDrag, this, &ComplexList::Scroll);
  // Over the scroll bar no title is lit; the bar itself says the pointer is over the list.
  connect(VScrollButton, &platform::FormElement::MouseMove, this, [this] { Clear_Col_Selection(-2); });
}

void ComplexList::ResetControl(SharedSkin skin) {
  skin_ = std::move(skin);
  VScrollButton->ResetControl(skin_);
  const settings::ThemeValues& theme = skin_->theme;
  platform::Label measuring;
  measuring.SetFontSize(kFontPoints);
  measuring.SetAutoSize(true);
  LabelMeasurer measurer(measuring);
  rowHeight_ = std::max(1, content::MeasureLineHeight(measurer, theme.theme_text, false));
  for (int i = 0; i < kColumns; ++i) {
    ColumnText* text = CxLColText[static_cast<size_t>(i)];
    text->SetTop(19 * Px1());
    CxLColHead[static_cast<size_t>(i)]->SetFontName(theme.theme_text);
    text->SetFontName(theme.theme_text);
    text->SetLineHeight(rowHeight_);
  }
  CxLSelector->SetHeight(rowHeight_ + Px1());
  CxLDropMark->SetHeight(Px2());
  VScrollButton->SetLineHeight(rowHeight_);
  ApplyLook();
}

void ComplexList::ApplyLook() {
  const settings::ThemeValues& theme = skin_->theme;
  CxLEffect[0]->SetBorderColor(theme.theme_color);
  CxLEffect[1]->SetBorderColor(theme.theme_shade);
  backColor_ = theme.theme_vague;
  CxLHeader->SetBackColor(theme.theme_shade);
  CxLHeadImage->SetImage(skin_->Pictures(0).Item(1));
  // Halfway from the text to the list's ground: plainly there, plainly less.
  const int dim = platform::MixColours(theme.theme_pitch, theme.theme_vague, 0.55);
  for (size_t i = 0; i < CxLColHead.size(); ++i) {
    const bool hovered = static_cast<int>(i) == hoveredTitle_;
    CxLColHead[i]->SetForeColor(hovered ? theme.theme_high : theme.theme_pitch);
    CxLColShape[i]->SetFillColor(theme.theme_shade);
    CxLColShape[i]->SetVisible(hovered);
    CxLColText[i]->SetForeColor(theme.theme_pitch);
    CxLColText[i]->SetDimmed(dimmed_, dim);
  }
  for (platform::Line* line : CxLColLine) line->SetBorderColor(theme.theme_color);
  CxLDropMark->SetFillColor(theme.theme_high);
  // The selected row: shown inverted until the list first has the keyboard,
  // then bright while it has it and quiet while it keeps its selection
  // without it.
  if (hadFocus_) {
    const bool focused = hasFocus();
    CxLSelector->SetBorderColor(focused ? theme.theme_high : theme.theme_dark);
    CxLSelector->SetFillColor(focused ? theme.theme_highlight : theme.theme_color);
  }
  update();
}

void ComplexList::OnResize() {
  if (VScrollButton->Width() > Width()) {
    SetWidth(VScrollButton->Width());
    return;
  }
  const int w = Width();
  const int h = Height();
  CxLEffect[0]->Move(0, 0, w, h);
  CxLEffect[1]->Move(Px1(), Px1(), w - Px2(), h - Px2());
  CxLHeader->Move(Px2(), Px2(), w - Px4(), CxLHeader->Height());
  CxLSelector->SetLeft(Px3());
  // The body's catch-all area below the header strip.
  CxLHotSpot->Move(0, CxLHeader->Height() + Px2(), w, h);
  CxLHeadImage->SetWidth(CxLHeader->Width());
  const int barTop = CxLHeader->Top() + CxLHeader->Height() + Px1();
  VScrollButton->Move(w - VScrollButton->Width() - Px2(), barTop, VScrollButton->Width(), h - Px3() - barTop);
  for (platform::Line* line : CxLColLine) line->SetEnds(line->X1(), Px2(), line->X1(), h - Px2());
  Align_Columns();
  emit Resized();
}

void ComplexList::ScrollBarCheck() {
  const int innerHeight = Height();
  if (innerHeight - CxLHeader->Height() - Px4() < CxLColText[0]->Height()) {
    usableWidth_ = Width() - VScrollButton->Width() - Px5();
    VScrollButton->SetVisible(true);
  } else {
    usableWidth_ = Width() - Px5();
    VScrollButton->SetVisible(false);
  }
}

void ComplexList::Align_Columns() {
  ScrollBarCheck();
  const bool relaid = usableWidth_ != laidOutWidth_;
  if (relaid) {
    laidOutWidth_ = usableWidth_;
    CxLSelector->SetWidth(usableWidth_ - Px1());
    int sum = 0;
    int lastColumn = -1;
    // A column without a title takes no share, but keeps its place.
    const auto share = [this](size_t c) { return columns_[c].title.isEmpty() ? 0 : columns_[c].share; };
    for (int i = 0; i < kColumns; ++i) {
      const bool used = static_cast<size_t>(i) < columns_.size();
      CxLColHead[static_cast<size_t>(i)]->SetVisible(used);
      CxLColHotSpot[static_cast<size_t>(i)]->SetVisible(used);
      if (!used) continue;
      sum += share(static_cast<size_t>(i));
      lastColumn = i;
    }
    int x = 0;
    for (int i = 0; i <= lastColumn && sum != 0; ++i) {
      const auto c = static_cast<size_t>(i);
      const int w = Round(static_cast<double>(share(c)) * usableWidth_ / sum);
      CxLColHead[c]->SetWidth(w);
      CxLColText[c]->SetWidth(w - Px2());
      CxLColHotSpot[c]->SetWidth(w + Px1());
      CxLColShape[c]->SetWidth(w + Px1());
      CxLColHead[c]->SetLeft(x + Px2());
      CxLColText[c]->SetLeft(x + Px5());
      textWidth_[c] = w - Px2();
      CxLColHotSpot[c]->SetLeft(x);
      CxLColShape[c]->SetLeft(x);
      x = x + w + Px1();
      CxLColLine[c]->SetEnds(x + Px2(), CxLColLine[c]->Y1(), x + Px2(), CxLColLine[c]->Y2());
    }
  }
  // Cells fitted to the old width would be cut mid-character or keep a
  // needless "...".
  if (relaid) FitColumns();
  if (VScrollButton->Visible()) {
    VScrollButton->SetPlay(CxLColText[0]->Height());
    VScrollButton->SetGap(VisibleHeight());
    VScrollButton->Process_CoOrdinates(2);
  } else {
    for (ColumnText* text : CxLColText) text->SetTop(Px3() + CxLHeader->Height());
  }
  PlaceSelector();
}

void ComplexList::PlaceSelector() {
  CxLSelector->SetTop(listIndex_ * rowHeight_ + CxLColText[0]->Top());
  // A row cut by the lower edge: the selector stops at the inner frame.
  const QRect selector = CxLSelector->geometry();
  const int inside = height() - platform::TwipsToPixelsY(Px2()) - selector.top();
  if (inside >= selector.height())
    CxLSelector->clearMask();
  else if (inside > 0)
    CxLSelector->setMask(QRegion(0, 0, selector.width(), inside));
  ShowSelector(selectorShown_);
}

void ComplexList::ShowSelector(bool shown) {
  selectorShown_ = shown;
  const int inside = height() - platform::TwipsToPixelsY(Px2()) - CxLSelector->geometry().top();
  CxLSelector->SetVisible(shown && listIndex_ >= 0 && inside > 0);
}

int ComplexList::VisibleHeight() const { return Height() - (CxLHeader->Top() + CxLHeader->Height() + Px4()); }

int ComplexList::ScrollOffset() const { return Px3() + CxLHeader->Height() - CxLColText[0]->Top(); }

int ComplexList::RowsPerPage() const { return std::max(1, VisibleHeight() / rowHeight_); }

QString ComplexList::CellText(int column, int row) const {
  if (column < 0 || column >= static_cast<int>(kColumns)) return {};
  const QStringList& cells = cells_[static_cast<size_t>(column)];
  return cells.value(row);  // empty past either end
}

QRect ComplexList::RowRect(int row) const {
  return QRect(0, platform::TwipsToPixelsY(CxLColText[0]->Top() + row * rowHeight_), width(),
               platform::TwipsToPixelsY(rowHeight_));
}

int ComplexList::FirstRowInView() const {
  if (RowCount() == 0) return -1;
  return std::min(RowCount() - 1, (ScrollOffset() + rowHeight_ - 1) / rowHeight_);
}

int ComplexList::LastRowInView() const {
  if (RowCount() == 0) return -1;
  return std::min(RowCount() - 1, (ScrollOffset() + VisibleHeight()) / rowHeight_ - 1);
}

void ComplexList::ScrollIntoView(int row) {
  if (!VScrollButton->Visible() || row < 0) return;
  const int offset = ScrollOffset();
  const int top = row * rowHeight_;
  const int bottom = top + rowHeight_;
  int wanted = offset;
  if (top < offset)
    wanted = top;
  else if (bottom > offset + VisibleHeight())
    wanted = bottom - VisibleHeight();
  if (wanted != offset) VScrollButton->Submit_New_Coord(wanted);
}

void ComplexList::FitColumns() {
  FontMeasurer measurer;
  const QString face = skin_->theme.theme_text;
  const int ellipsis = skin_->ellipsisWidth;
  for (size_t c = 0; c < cells_.size(); ++c) {
    const int limit = textWidth_[c];
    QStringList lines;
    lines.reserve(cells_[c].size());
    for (const QString& cell : cells_[c])
      lines.append(content::FitText(measurer, AsDrawn(cell), limit, face, false, ellipsis));
    CxLColText[c]->SetLines(std::move(lines));
  }
}

void ComplexList::Setup_Cols_Headers(const std::vector<ColumnHeading>& columns) {
  columns_.assign(columns.begin(), columns.begin() + std::min<size_t>(columns.size(), kColumns));
  for (size_t i = 0; i < columns_.size(); ++i) {
    platform::Label* head = CxLColHead[i];
    if (!columns_[i].title.isEmpty()) {
      head->SetCaption(columns_[i].title);
      head->SetVisible(true);
      if (i >= 1) CxLColLine[i - 1]->SetVisible(true);
    } else {
      head->SetVisible(false);
      CxLColLine[i]->SetVisible(false);
    }
  }
  Align_Columns();
}

void ComplexList::Submit_Data_Array(const core::StringTable& table, int visibleCols) {
  for (int c = 0; c <= std::min(visibleCols, kColumns - 1); ++c) {
    QStringList& cells = cells_[static_cast<size_t>(c)];
    cells.clear();
    cells.reserve(table.Count());
    for (int r = 0; r < table.Count(); ++r)
      if (!table.At(0, r).isEmpty()) cells.append(table.At(c, r));
  }
  // The scroll-bar check must see the new rows: unfitted, they already have
  // the new height.
  QStringList unfitted;
  unfitted.reserve(cells_[0].size());
  for (const QString& cell : cells_[0]) unfitted.append(AsDrawn(cell));
  CxLColText[0]->SetLines(std::move(unfitted));
  const int laidOut = laidOutWidth_;
  Align_Columns();
  if (laidOut == laidOutWidth_) FitColumns();  // else Align_Columns fitted them
  PlaceSelector();
}

void ComplexList::SetListIndex(int indexValue) {
  listIndex_ = indexValue;
  ScrollIntoView(listIndex_);
  PlaceSelector();
}

void ComplexList::SetKeepFocus(bool focusValue) {
  keepFocus_ = focusValue;
  PlaceSelector();
  ShowSelector(true);
}

void ComplexList::SetImHigh(bool imHighValue) {
  imHigh_ = imHighValue;
  if (!imHighValue) Clear_Col_Selection(-1);
}

void ComplexList::Clear_Col_Selection(int exeption) {
  if (hoveredTitle_ != exeption) hoveredTitle_ = -1;
  ApplyLook();
  if (exeption != -2) VScrollButton->ForceLooseFocus();
  imHigh_ = false;
}

void ComplexList::HoverTitle(int column) {
  if (hoveredTitle_ != column) {
    Clear_Col_Selection(column);
    hoveredTitle_ = column;
    ApplyLook();
    VScrollButton->ForceLooseFocus();
  }
  imHigh_ = true;
}

void ComplexList::Scroll(int offset) {
  for (ColumnText* text : CxLColText) text->SetTop(Px3() + CxLHeader->Height() - offset);
  PlaceSelector();
}

void ComplexList::SetDimmedRows(std::vector<bool> dimmed) {
  dimmed_ = std::move(dimmed);
  ApplyLook();
}

int ComplexList::RowAt(double y) const {
  return RowCount() == 0 ? -1 : std::clamp(static_cast<int>(std::floor(y / rowHeight_)), 0, RowCount() - 1);
}

void ComplexList::DragTo(double y) {
  const int row = RowAt(y);
  if (row < 0 || (dragTo_ < 0 && row == dragFrom_)) return;
  dragTo_ = row;
  // The mark lies on the edge the row would be put against: above the row
  // when it moves up, below it when it moves down.
  const int edge = row < dragFrom_ ? row : row + 1;
  CxLDropMark->Move(Px3(), CxLColText[0]->Top() + edge * rowHeight_ - Px1(), usableWidth_ - Px1(), Px2());
  CxLDropMark->SetVisible(row != dragFrom_);
  CxLDropMark->raise();
  VScrollButton->raise();
  CxLHeader->raise();
}

void ComplexList::DropRow() {
  const int from = dragFrom_;
  const int to = dragTo_;
  dragFrom_ = dragTo_ = -1;
  CxLDropMark->SetVisible(false);
  if (from >= 0 && to >= 0 && to != from) emit RowDragged(from, to);
}

void ComplexList::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!VScrollButton->Visible()) return;
  // Fine-grained wheels and touchpads send parts of a notch (120).
  wheelAngle_ += event->angleDelta().y();
  const int notches = wheelAngle_ / 120;
  wheelAngle_ %= 120;
  if (notches == 0) return;
  const int offset = ScrollOffset();
  // The scroll bar keeps the offset within the rows and reports it back.
  VScrollButton->Submit_New_Coord(std::max(0, offset - notches * 3 * rowHeight_));
}

void ComplexList::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return platform::FormElement::keyPressEvent(event);
  enterDown_ = true;
}

void ComplexList::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // A release whose press went elsewhere (the look-up box's Enter) opens nothing.
    if (enterDown_ && listIndex_ >= 0 && listIndex_ < RowCount()) emit DoubleClick(listIndex_);
    enterDown_ = false;
    return;
  }
  const int lastRow = std::max(0, RowCount() - 1);
  int row = listIndex_;
  switch (event->key()) {
    case Qt::Key_Up: row = listIndex_ - 1; break;
    case Qt::Key_Down: row = listIndex_ + 1; break;
    case Qt::Key_PageUp: row = listIndex_ - RowsPerPage(); break;
    case Qt::Key_PageDown: row = listIndex_ + RowsPerPage(); break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = lastRow; break;
    default: return platform::FormElement::keyReleaseEvent(event);
  }
  SetListIndex(std::clamp(row, 0, lastRow));
}

void ComplexList::focusInEvent(QFocusEvent* event) {
  platform::FormElement::focusInEvent(event);
  Align_Columns();
  ShowSelector(true);
  hadFocus_ = true;
  ApplyLook();
}

void ComplexList::focusOutEvent(QFocusEvent* event) {
  platform::FormElement::focusOutEvent(event);
  enterDown_ = false;
  if (!keepFocus_) ShowSelector(false);
  ApplyLook();
}

void ComplexList::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), platform::ToQColor(backColor_));
}

}  // namespace lumora::controls

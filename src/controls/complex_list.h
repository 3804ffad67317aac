#pragma once

#include <vector>

#include "platform/form_element.h"

namespace lumora::controls {

// The multi-column list with column titles and its own scroll bar.
class ComplexList final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ComplexList)

 public:
  explicit ComplexList(QWidget* parent = nullptr);

  // A column: its title and its width relative to the other columns.
  struct ColumnHeading {
    QString title;
    QString width;
  };
  void Setup_Cols_Headers(const std::vector<ColumnHeading>& columns);
  const std::vector<ColumnHeading>& Columns() const { return columns_; }
  // The selected entry of the table shown.
  int ListIndex() const { return listIndex_; }
  void SetListIndex(int indexValue);

 signals:
  void DoubleClick(int Selection);
  void HeaderClick(int HeaderIndex);
  void Resized();

 private:
  std::vector<ColumnHeading> columns_;
  int listIndex_ = 0;
};

}  // namespace lumora::controls

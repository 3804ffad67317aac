#include "controls/complex_list.h"

namespace lumora::controls {

ComplexList::ComplexList(QWidget* parent) : platform::FormElement(parent) {}

void ComplexList::Setup_Cols_Headers(const std::vector<ColumnHeading>& columns) {
  columns_ = columns;
  update();
}

void ComplexList::SetListIndex(int indexValue) {
  if (indexValue == listIndex_) return;
  listIndex_ = indexValue;
  update();
}

}  // namespace lumora::controls

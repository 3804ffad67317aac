#include "controls/complex_list.h"

namespace lumora::controls {

ComplexList::ComplexList(QWidget* parent) : platform::FormElement(parent) {}

void ComplexList::Setup_Cols_Headers(const std::vector<ColumnHeading>& columns) {
  columns_ = columns;
  update();
}

}  // namespace lumora::controls

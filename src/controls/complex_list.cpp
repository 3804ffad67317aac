#include "controls/complex_list.h"

namespace lumora::controls {

ComplexList::ComplexList(QWidget* parent) : platform::FormElement(parent) {}

}  // namespace lumora::controls

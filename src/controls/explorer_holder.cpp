#include "controls/explorer_holder.h"

namespace lumora::controls {

ExplorerHolder::ExplorerHolder(QWidget* parent) : platform::Container(parent) {}

}  // namespace lumora::controls

#pragma once

#include "platform/container.h"

namespace lumora::controls {

// The left-hand pane of the index and search pages.
class ExplorerHolder final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ExplorerHolder)

 public:
  explicit ExplorerHolder(QWidget* parent = nullptr);
};

}  // namespace lumora::controls

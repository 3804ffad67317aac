#pragma once

#include "platform/container.h"

namespace lumora::controls {

// The left-hand pane of the index and search pages.
class ExplorerHolder final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ExplorerHolder)

 public:
  explicit ExplorerHolder(QWidget* parent = nullptr);

  // Width of the drag handle on the pane's right edge, in twips.
  static constexpr int kDragSliderWidth = 75;
  // The width left to the pane's children beside the drag handle.
  int UseableArea() const { return Width() - kDragSliderWidth; }

 signals:
  void SelfAlign();
};

}  // namespace lumora::controls

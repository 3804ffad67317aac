#pragma once

#include "controls/skin.h"
#include "platform/container.h"
#include "platform/label.h"
#include "platform/picture.h"

namespace lumora::controls {

// The left-hand pane of the index and search pages: a textured panel whose
// right edge, the drag slider, makes it wider or narrower within fixed
// limits; every change of width asks the host to lay the window out again.
class ExplorerHolder final : public platform::Container {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ExplorerHolder)

 public:
  static constexpr int kDragSliderWidth = 75;
  static constexpr int kNarrowest = 2540;
  static constexpr int kWidest = 5800;

  explicit ExplorerHolder(QWidget* parent = nullptr);

  // The width left to the pane's children beside the drag slider.
  int UseableArea() const { return Width() - DragSlider->Width(); }
  void Refresh() { update(); }
  void ResetControl(SharedSkin skin);
  // The slider and the texture reach at least this many twips down, so a
  // window taller than the screen shows no bare pane.
  void CoverHeight(int height);

  platform::Picture* BackGround = nullptr;
  platform::Label* DragSlider = nullptr;

 signals:
  void SelfAlign();

 private:
  void DragStep(int button, int shift, double x, double y);

  int lastWidth_ = 0;
};

}  // namespace lumora::controls

#include "controls/explorer_holder.h"

#include <cmath>

#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {
// One drag step at a time for the whole program.
bool g_dragStepBusy = false;
}  // namespace

ExplorerHolder::ExplorerHolder(QWidget* parent) : platform::Container(parent) {
  BackGround = new platform::Picture(this);
  BackGround->SetStretch(true);
  DragSlider = new platform::Label(this);
  DragSlider->setCursor(Qt::SizeHorCursor);
  DragSlider->Move(0, 0, kDragSliderWidth, 6525);
  connect(BackGround, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);
  connect(BackGround, &platform::FormElement::Click, this, &platform::FormElement::Click);
  connect(DragSlider, &platform::FormElement::Click, this, &platform::FormElement::Click);
  connect(DragSlider, &platform::FormElement::MouseMove, this, &ExplorerHolder::DragStep);
}

void ExplorerHolder::DragStep(int button, int shift, double x, double y) {
  if (button != 1) {
    emit MouseMove(button, shift, x, y);
    return;
  }
  if (g_dragStepBusy) return;
  g_dragStepBusy = true;
  // The limits are tested 30 twips short; a free step follows the pointer, 2 px short.
  const double candidate = Width() + x - 30;
  if (candidate >= kWidest || candidate <= kNarrowest)
    SetWidth(candidate >= kWidest ? kWidest : kNarrowest);
  else
    SetWidth(static_cast<int>(std::lround(Width() + x - settings::Px2())));
  if (Width() != lastWidth_) {
    DragSlider->SetLeft(Width() - DragSlider->Width());
    emit SelfAlign();
    lastWidth_ = Width();
  }
  g_dragStepBusy = false;
  emit MouseMove(button, shift, x, y);
}

void ExplorerHolder::CoverHeight(int height) {
  if (DragSlider->Height() < height) DragSlider->SetHeight(height);
  if (BackGround->Height() < height) BackGround->SetHeight(height);
}

void ExplorerHolder::ResetControl(SharedSkin skin) {
  const int spanY = settings::Shared().units.ScreenSpanY;
  DragSlider->SetHeight(spanY);
  // The texture is sized for the largest pane and window, so no resize is needed.
  BackGround->Move(0, 0, kWidest - settings::Px4(), spanY - Top());
  SetBackColor(skin->theme.theme_shade);
  DragSlider->SetBackColor(skin->theme.theme_dark);
  BackGround->SetImage(skin->Pictures(0).Item(1));
  emit SelfAlign();
  DragSlider->SetLeft(Width() - DragSlider->Width());
  emit SelfAlign();
}

}  // namespace lumora::controls

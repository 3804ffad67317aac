#include "controls/vscroll_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/color.h"
#include "platform/events.h"
#include "platform/twips.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {

constexpr int kArrowSize = 255;
constexpr int kGripHeight = 120;

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

VScrollButton::VScrollButton(QWidget* parent) : platform::FormElement(parent) {
  for (size_t k = 0; k < 3; ++k) {
    auto* frame = new platform::Container(this);
    frame->SetTransparent(true);
    frame->Move(0, 0, kArrowSize, kArrowSize);
    auto* effect = new platform::Shape(frame);
    effect->SetFillStyle(platform::Shape::Fill::Solid);
    effect->Move(0, 0, kArrowSize, kArrowSize);
    auto* arrow = new platform::Picture(frame);
    arrow->SetStretch(true);
    arrow->SetReceivesMouse(false);
    arrow->Move(0, 0, kArrowSize, k == 2 ? kGripHeight : kArrowSize);
    auto* hotSpot = new platform::HotSpot(frame);
    hotSpot->Move(0, 0, kArrowSize, kArrowSize);
    ScbFrame[k] = frame;
    ScBEffect[k] = effect;
    ScBArrow[k] = arrow;
    ScBHotSpot[k] = hotSpot;

    const int element = static_cast<int>(k);
    connect(hotSpot, &platform::FormElement::MouseMove, this,
            [this, element](int b, int s, double x, double y) { OnElementMove(element, b, s, x, y); });
    connect(hotSpot, &platform::FormElement::MouseDown, this, [this, element](int, int, double, double y) {
      if (element == 2) {
        dragAnchor_ = Round(y);
      } else {
        // A quick click must move too, not only a press held for a tick.
        MoveSlider(element == 0 ? step_ : -step_);
        StartRepeat(element == 0 ? step_ : -step_);
      }
      imHigh_ = false;
    });
    connect(hotSpot, &platform::FormElement::DblClick, this, [this, element] {
      if (element != 2) StartRepeat(element == 0 ? step_ : -step_);
      imHigh_ = false;
    });
    connect(hotSpot, &platform::FormElement::MouseUp, this, [this, element] {
      if (element == 2)
        dragAnchor_ = -1;
      else
        ScrollTimer.stop();
      imHigh_ = true;
    });
  }
  ScrollTimer.setInterval(kRepeatInterval);
  connect(&ScrollTimer, &QTimer::timeout, this, &VScrollButton::RepeatTick);
  Move(0, 0, kWidth, 3 * kArrowSize);
}

void VScrollButton::OnResize() {
  if (Width() != kWidth) {
    SetWidth(kWidth);
    return;
  }
  ScbFrame[1]->SetTop(Height() - ScbFrame[1]->Height());
  Process_CoOrdinates(0);
}

void VScrollButton::SetGap(int gapValue) {
  if (gapValue != gap_) exactOffset_.reset();
  gap_ = gapValue;
  RecomputeStep();
}

void VScrollButton::SetPlay(int playValue) {
  if (playValue != play_) exactOffset_.reset();
  play_ = playValue;
  RecomputeStep();
}

void VScrollButton::SetLineHeight(int twips) {
  lineHeight_ = twips;
  RecomputeStep();
}

int VScrollButton::MinSliderHeight() { return settings::Px8(); }

void VScrollButton::RecomputeStep() {
  // The content movement of a line (at least eight pixels), as slider
  // movement; at least one twip, or long content would not move at all.
  if (gap_ != 0 && play_ != 0) {
    const int line = std::max(settings::Px8(), lineHeight_);
    step_ = std::max(1, static_cast<int>(std::floor(double(line) * gap_ / play_)));
  }
}

double VScrollButton::SliderHeightFor(int track) const {
  const double proportional = double(gap_) / play_ * track;
  return std::max(proportional, std::min<double>(MinSliderHeight(), track));
}

bool VScrollButton::Scrolls() const { return play_ > 0 && gap_ > 0; }

double VScrollButton::SliderPerContent() const {
  const int arrows = Height() - track_;
  if (play_ <= 0 || gap_ - arrows <= 0) return 0;
  const double proportional = double(gap_) / play_ * track_;
  if (sliderHeight_ <= proportional) return double(gap_ - arrows) / play_;
  // A slider grown to its least height travels a shorter track over the
  // same content.
  const double contentEnd = double(play_) / (gap_ - arrows) * (track_ - proportional);
  return contentEnd > 0 ? (track_ - sliderHeight_) / contentEnd : 0;
}

int VScrollButton::ContentOffset(int value) const {
  if (exactOffset_ && value == exactValue_) return *exactOffset_;
  const double ratio = SliderPerContent();
  if (ratio <= 0) return 0;
  // The slider at the end of its track shows the content's end, however its
  // place was rounded: else the last line could stay cut.
  return value >= Round(track_ - sliderHeight_) ? ContentEnd(ratio) : Round(value / ratio);
}

int VScrollButton::ContentEnd(double ratio) const { return std::max(0, Round((track_ - sliderHeight_) / ratio)); }

void VScrollButton::Process_CoOrdinates(int processType) {
  platform::Container* up = ScbFrame[0];
  platform::Container* slider = ScbFrame[2];
  const int h = Height();
  if (Scrolls()) {
    track_ = h - up->Height() - ScbFrame[1]->Height();
    if (track_ >= 0) {
      const double sliderHeight = SliderHeightFor(track_);
      sliderHeight_ = sliderHeight;
      slider->SetHeight(Round(sliderHeight));
      if (value_ < 0) value_ = 0;
      if (track_ - sliderHeight < value_) value_ = Round(track_ - sliderHeight);
      if (processType != 0 || value_ != lastReported_) {
        lastReported_ = value_;
        update();
        emit SliderDrag(ContentOffset(value_));
      }
    }
  }
  if (value_ + up->Height() != slider->Top() || slider->Height() != ScBEffect[2]->Height()) {
    slider->SetTop(value_ + up->Height());
    ScBEffect[2]->SetHeight(slider->Height());
    ScBHotSpot[2]->SetHeight(slider->Height());
    ScBArrow[2]->SetTop(Round(slider->Height() / 2.0 - ScBArrow[2]->Height() / 2.0));
  }
}

void VScrollButton::Submit_New_Coord(int newCoord) {
  if (Scrolls()) {
    track_ = Height() - ScbFrame[0]->Height() - ScbFrame[1]->Height();
    if (track_ >= 0) {
      sliderHeight_ = SliderHeightFor(track_);
      const double ratio = SliderPerContent();
      const int end = std::max(0, Round(track_ - sliderHeight_));
      value_ = std::clamp(Round(newCoord * ratio), 0, end);
      exactOffset_ = ratio > 0 ? std::clamp(newCoord, 0, ContentEnd(ratio)) : 0;
      exactValue_ = value_;
    }
  }
  Process_CoOrdinates(1);
}

bool VScrollButton::VeryBottom() const {
  return ScbFrame[2]->Top() + ScbFrame[2]->Height() + settings::Px6() > ScbFrame[1]->Top();
}

void VScrollButton::ForceLooseFocus() { HoverOver(-1); }

void VScrollButton::ResetControl(SharedSkin skin) {
  skin_ = std::move(skin);
  ForceLooseFocus();
}

void VScrollButton::HoverOver(int element) {
  hovered_ = element;
  ApplyLook();
}

void VScrollButton::ApplyLook() {
  const settings::ThemeValues& theme = skin_->theme;
  // The arrow or thumb under the pointer lights up.
  for (int k = 0; k < 3; ++k) {
    const int resting = k == 2 ? theme.theme_color : theme.theme_dark;
    ScBEffect[static_cast<size_t>(k)]->SetFillColor(k == hovered_ ? theme.theme_high : resting);
  }
  for (platform::Shape* effect : ScBEffect) effect->SetBorderColor(theme.theme_shade);
  const platform::ImageList& pictures = skin_->Pictures(2);
  ScBArrow[0]->SetImage(pictures.Item(5));
  ScBArrow[1]->SetImage(pictures.Item(4));
  ScBArrow[2]->SetImage(pictures.Item(6));
  trackColour_ = theme.theme_shade;
  update();
}

void VScrollButton::OnElementMove(int element, int button, int shift, double x, double y) {
  if (element == 2 && button != 0 && dragAnchor_ != -1) {
    value_ = Round((ScbFrame[2]->Top() - ScbFrame[0]->Height()) - dragAnchor_ + y);
    Process_CoOrdinates(0);
    return;
  }
  HoverOver(element);
  emit MouseMove(button, shift, x, y);
  imHigh_ = true;
}

void VScrollButton::StartRepeat(int amount) {
  repeatAmount_ = amount;
  ScrollTimer.start();
}

void VScrollButton::RepeatTick() { MoveSlider(repeatAmount_); }

void VScrollButton::MoveSlider(int amount) {
  value_ = (ScbFrame[2]->Top() - ScbFrame[0]->Height()) - amount;
  Process_CoOrdinates(0);
}

void VScrollButton::PressTrack(double y) {
  // A press moves a page at once, then keeps moving towards the pointer
  // while held, also once the slider has passed it.
  const bool up = y < ScbFrame[2]->Top();
  if (Scrolls()) {
    // The slider movement that shows the next screenful; tiny errors of
    // the division must not add a twip.
    const int page = std::max(1, static_cast<int>(std::ceil(gap_ * SliderPerContent() - 1e-6)));
    MoveSlider(up ? page : -page);
  }
  StartRepeat(up ? 2 * step_ : -2 * step_);
  imHigh_ = false;
}

void VScrollButton::mousePressEvent(QMouseEvent* event) {
  platform::FormElement::mousePressEvent(event);
  PressTrack(platform::PixelsToTwipsY(event->position().y()));
}

void VScrollButton::mouseDoubleClickEvent(QMouseEvent* event) {
  platform::FormElement::mouseDoubleClickEvent(event);
  PressTrack(lastTrackY_);
}

void VScrollButton::mouseReleaseEvent(QMouseEvent* event) {
  platform::FormElement::mouseReleaseEvent(event);
  ScrollTimer.stop();
}

void VScrollButton::mouseMoveEvent(QMouseEvent* event) {
  platform::FormElement::mouseMoveEvent(event);  // raises MouseMove
  ForceLooseFocus();
  lastTrackX_ = platform::PixelsToTwipsX(event->position().x());
  lastTrackY_ = platform::PixelsToTwipsY(event->position().y());
}

void VScrollButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), platform::ToQColor(trackColour_));
}

}  // namespace lumora::controls

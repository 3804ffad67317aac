#pragma once

#include <QTimer>
#include <array>
#include <optional>

#include "controls/skin.h"
#include "platform/container.h"
#include "platform/form_element.h"
#include "platform/hot_spot.h"
#include "platform/picture.h"
#include "platform/shape.h"

namespace lumora::controls {

// The skinned vertical scroll bar: up arrow, down arrow, and a proportional
// slider in the track between them. The owner gives the content height
// (Play) and the visible height (Gap); the bar reports the content offset to
// scroll to with SliderDrag.
class VScrollButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(VScrollButton)

 public:
  static constexpr int kWidth = 255;  // fixed, in twips
  static constexpr int kRepeatInterval = 10;  // ms between repeats while held

  explicit VScrollButton(QWidget* parent = nullptr);

  // Recomputes the slider from Gap, Play and Value and reports the offset:
  // type 0 reports only a change, any other type always.
  void Process_CoOrdinates(int processType);
  void ForceLooseFocus();
  void ResetControl(SharedSkin skin);
  // Moves the slider to a content offset and reports it.
  void Submit_New_Coord(int newCoord);

  int Gap() const { return gap_; }
  void SetGap(int gapValue);
  int Play() const { return play_; }
  void SetPlay(int playValue);
  int Value() const { return value_; }
  void SetValue(int valValue) { value_ = valValue; }
  bool ImHigh() const { return imHigh_; }
  void SetImHigh(bool imHighValue) { imHigh_ = imHighValue; }
  // The slider is within six pixels of the end of the track.
  bool VeryBottom() const;
  // Slider movement per repeat of an arrow, in twips: never 0, so long
  // content stays reachable by the arrows.
  int Step() const { return step_; }
  // The content height one arrow step should move at least (a list's row);
  // 0 leaves eight pixels.
  void SetLineHeight(int twips);
  // Least slider height, so that the pointer can still grab it.
  static int MinSliderHeight();
  bool Repeating() const { return ScrollTimer.isActive(); }

  // Index 0 the up arrow, 1 the down arrow, 2 the slider.
  std::array<platform::Container*, 3> ScbFrame{};
  std::array<platform::Shape*, 3> ScBEffect{};
  std::array<platform::Picture*, 3> ScBArrow{};
  std::array<platform::HotSpot*, 3> ScBHotSpot{};
  QTimer ScrollTimer;

 signals:
  void SliderDrag(int NowValue);

 protected:
  void OnResize() override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  SharedSkin skin_ = PlainSkin();  // the window's, from ResetControl
  void RecomputeStep();
  void StartRepeat(int amount);
  void RepeatTick();
  void PressTrack(double y);
  void MoveSlider(int amount);
  // Content offset for a slider offset, and back.
  int ContentOffset(int value) const;
  int ContentEnd(double ratio) const;  // the content offset of the slider's end; ratio > 0
  // Whether there is content and a view of it, so that the slider stands for something.
  bool Scrolls() const;
  double SliderHeightFor(int track) const;
  double SliderPerContent() const;
  void HoverOver(int element);
  // Every colour and arrow picture, from the theme and the element under the
  // pointer.
  void ApplyLook();
  void OnElementMove(int element, int button, int shift, double x, double y);

  int gap_ = 0;
  int play_ = 0;
  int value_ = 0;
  int track_ = 0;
  int step_ = 0;
  int lastReported_ = 0;
  int dragAnchor_ = -1;
  double lastTrackX_ = 0;
  double lastTrackY_ = 0;
  bool imHigh_ = false;
  int repeatAmount_ = 0;
  int lineHeight_ = 0;
  double sliderHeight_ = 0;  // as laid out, before rounding
  // The offset given by Submit_New_Coord, reported as given while the slider
  // stays where it put it: a slider twip can stand for several rows.
  std::optional<int> exactOffset_;
  int exactValue_ = 0;
  int trackColour_ = 0;
  int hovered_ = -1;  // the arrow (0, 1) or thumb (2) under the pointer
};

}  // namespace lumora::controls

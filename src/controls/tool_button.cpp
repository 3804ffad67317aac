#include "controls/tool_button.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <cmath>
#include <utility>

#include "platform/color.h"
#include "platform/events.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {

using platform::Shape;
using settings::Px1;

int Px(int n) { return n * Px1(); }
int Round(double value) { return static_cast<int>(std::lround(value)); }
int Floor(double value) { return static_cast<int>(std::floor(value)); }

}  // namespace

ToolButton::ToolButton(QWidget* parent) : platform::FormElement(parent) {
  setFocusPolicy(Qt::TabFocus);
  TlBShape[0] = new Shape(this);
  TlBShape[0]->SetShapeKind(Shape::Kind::RoundedRectangle);
  TlBShape[0]->Move(0, 0, 1215, 495);
  TlBShape[2] = new Shape(this);
  TlBShape[2]->Move(0, 0, 975, 255);
  TlBImage = new platform::Picture(this);
  TlBImage->SetReceivesMouse(false);
  TlBImage->Move(0, 0, 240, 240);
  TlBCaption = new platform::Label(this);
  TlBCaption->SetTransparent(true);
  TlBCaption->SetFontName(QStringLiteral("Tahoma"));
  TlBCaption->SetFontSize(8.25);
  TlBCaption->SetAutoSize(true);
  TlBCaption->SetReceivesMouse(false);
  for (auto& line : NormLine) {
    line = new platform::Line(this);
    line->SetVisible(false);
  }
  TlBShape[1] = new Shape(this);
  TlBShape[1]->SetShapeKind(Shape::Kind::RoundedRectangle);
  TlBShape[1]->Move(0, 0, 1095, 375);
  for (int i : {0, 1, 2}) TlBShape[static_cast<size_t>(i)]->SetBorderStyle(Shape::Border::Transparent);
  TlBShape[0]->SetFillStyle(Shape::Fill::Transparent);

  TlBHotSpot = new platform::HotSpot(this);
  connect(TlBHotSpot, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);
  hold_ = new QTimer(this);
  hold_->setSingleShot(true);
  hold_->setInterval(500);
  connect(hold_, &QTimer::timeout, this, [this] {
    heldForMenu_ = true;
    SetPressed(false);
    emit MenuRequested();
  });
  connect(TlBHotSpot, &platform::FormElement::MouseDown, this, [this](int button) {
    if (button == platform::vbRightButton) {
      if (commandEnabled_) emit MenuRequested();
      return;
    }
    heldForMenu_ = false;
    if (commandEnabled_ && isSignalConnected(QMetaMethod::fromSignal(&ToolButton::MenuRequested))) hold_->start();
    SetPressed(true);
  });
  connect(TlBHotSpot, &platform::FormElement::MouseUp, this, [this] {
    hold_->stop();
    SetPressed(false);
  });
  connect(TlBHotSpot, &platform::FormElement::Click, this, [this] {
    if (!std::exchange(heldForMenu_, false)) Press();
  });
  connect(TlBHotSpot, &platform::FormElement::DblClick, this, [this] {
    if (commandEnabled_) emit DoubleClick(command_);
    SetPressed(true);
  });
  TlBFocus = new Shape(this);
  TlBFocus->SetBorderStyle(Shape::Border::Dot);
  TlBFocus->SetVisible(false);
}

void ToolButton::Press() {
  if (commandEnabled_) emit Click(command_);
}

void ToolButton::ToolProperty(int cmdIdValue, const QString& captionValue, int picLdrValue, bool enaControl,
                              int newCatValue) {
  newCategory_ = newCatValue != 0;
  TlBCaption->SetCaption(captionValue);
  command_ = cmdIdValue;
  commandEnabled_ = enaControl;
  pictureIndex_ = picLdrValue;
  Layout();
}

void ToolButton::OnResize() { Layout(); }

void ToolButton::Layout() {
  const int h = Height();
  const bool noCaption = TlBCaption->Caption().isEmpty();
  const int indent = newCategory_ ? Px(4) : 0;
  TlBImage->SetLeft(Px(8) + indent);
  TlBCaption->SetLeft(Px(28) + indent);
  int width = noCaption ? TlBImage->Left() + TlBImage->Width() + Px(8) : TlBCaption->Left() + TlBCaption->Width() + Px(8);
  if (noCaption && !newCategory_) width += Px(1);
  SetWidth(width);
  const int w = Width();
  if (!newCategory_) {
    TlBShape[0]->Move(0, 0, w, h);
    TlBShape[1]->Move(Px(1), Px(1), w - Px(2), h - Px(2));
    TlBShape[2]->Move(Px(2), Px(2), w - Px(4), h - Px(4));
    TlBHotSpot->Move(0, 0, w, h);
    TlBFocus->Move(Px(3), Px(3), w - Px(6), h - Px(6));
  } else {
    TlBShape[0]->Move(Px(3), 0, w - Px(3), h);
    TlBShape[1]->Move(Px(4), Px(1), w - Px(5), h - Px(2));
    TlBShape[2]->Move(Px(5), Px(2), w - Px(7), h - Px(4));
    TlBHotSpot->Move(Px(3), 0, w, h);
    TlBFocus->Move(Px(6), Px(3), w - Px(9), h - Px(6));
    NormLine[0]->SetEnds(Px(1), Px(2), Px(1), h - Px(1));
    NormLine[1]->SetEnds(Px(2), Px(2), Px(2), h - Px(1));
  }
  for (platform::Line* line : NormLine) line->SetVisible(newCategory_);
  ApplyLook();
}

void ToolButton::ApplyLook() {
  const settings::ThemeValues& theme = skin_->theme;
  const bool enabled = Enabled();
  // The body shows under the pointer and on the page's own button.
  const bool body = imHigh_ || sunken_;
  TlBShape[0]->SetFillStyle(body ? Shape::Fill::Solid : Shape::Fill::Transparent);
  TlBShape[0]->SetBorderStyle(body ? Shape::Border::Solid : Shape::Border::Transparent);
  for (int i : {1, 2})
    TlBShape[static_cast<size_t>(i)]->SetBorderStyle(imHigh_ ? Shape::Border::Solid : Shape::Border::Transparent);
  TlBShape[0]->SetFillColor(pressed_ ? theme.theme_color : theme.theme_shade);
  TlBShape[0]->SetBorderColor(pressed_ ? theme.theme_pitch : theme.theme_shadow);
  TlBShape[1]->SetBorderColor(pressed_ ? theme.theme_shadow : theme.theme_dark);
  TlBShape[2]->SetBorderColor(pressed_ ? theme.theme_dark : theme.theme_color);
  // Disabled, the caption goes most of the way towards the ground, so that it
  // has less contrast than an enabled one in a light theme and a dark one.
  TlBCaption->SetForeColor(pressed_   ? theme.theme_pitch
                           : enabled ? theme.theme_shadow
                                     : platform::MixColours(theme.theme_shadow, theme.theme_light, 0.55));
  TlBImage->SetImage(skin_->Pictures(enabled ? 3 : 4).Item(pictureIndex_));
  // Caption and picture move down by one pixel while pressed.
  const int h = Height();
  TlBCaption->SetTop(Floor(h / 2.0 - TlBCaption->Height() / 2.0 + (pressed_ ? Px(1) : 0)));
  TlBImage->SetTop(Round(h / 2.0 - TlBImage->Height() / 2.0 + (pressed_ ? Px(1) + 1 : 0)));
  NormLine[0]->SetBorderColor(theme.theme_dark);
  NormLine[1]->SetBorderColor(theme.theme_shade);
  TlBFocus->SetBorderColor(theme.theme_high);
  TlBFocus->SetVisible(focused_);
}

void ToolButton::SetPressed(bool pressed) {
  pressed_ = pressed;
  ApplyLook();
}

void ToolButton::SetImHigh(bool imHighValue) {
  imHigh_ = imHighValue;
  ApplyLook();
}

void ToolButton::SetSunken(bool sunkenValue) {
  sunken_ = sunkenValue;
  ApplyLook();
}

void ToolButton::SetEnabled(bool enabledValue) {
  if (enabledValue == Enabled()) return;
  platform::FormElement::SetEnabled(enabledValue);
  ApplyLook();
}

void ToolButton::ResetControl(SharedSkin skin) {
  skin_ = std::move(skin);
  imHigh_ = false;
  pressed_ = false;
  TlBCaption->SetFontName(skin_->theme.theme_text);
  ApplyLook();
}

void ToolButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
    if (commandEnabled_) emit MenuRequested();
    return;
  }
  if (!platform::IsPressKey(event->key())) return platform::FormElement::keyPressEvent(event);
  keyDown_ = true;
  SetPressed(true);
}

void ToolButton::keyReleaseEvent(QKeyEvent* event) {
  if (!platform::IsPressKey(event->key())) return platform::FormElement::keyReleaseEvent(event);
  // A release whose press went to another control presses nothing.
  if (event->isAutoRepeat() || !keyDown_) return;
  keyDown_ = false;
  SetPressed(false);
  Press();
}

void ToolButton::focusInEvent(QFocusEvent* event) {
  platform::FormElement::focusInEvent(event);
  focused_ = true;
  ApplyLook();
}

void ToolButton::focusOutEvent(QFocusEvent* event) {
  platform::FormElement::focusOutEvent(event);
  focused_ = false;
  if (keyDown_) pressed_ = false;
  keyDown_ = false;
  ApplyLook();
}

}  // namespace lumora::controls

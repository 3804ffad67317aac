#include "controls/command_button.h"

#include <QKeyEvent>
#include <cmath>

#include "platform/events.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {

using platform::Shape;
using settings::Px1;
using settings::Px2;
using settings::Px4;
using settings::Px6;

// Positions are worked out in fractions of a twip and rounded only when set.
int Twips(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

CommandButton::CommandButton(QWidget* parent) : platform::FormElement(parent) {
  setFocusPolicy(Qt::StrongFocus);
  // The face lies behind the frame lines it fills.
  CmBShape[3] = new Shape(this);
  for (int i : {0, 1, 2, 4, 5, 6}) CmBShape[static_cast<size_t>(i)] = new Shape(this);
  for (Shape* shape : CmBShape) shape->SetShapeKind(Shape::Kind::RoundedRectangle);
  CmBShape[2]->SetBorderStyle(Shape::Border::InsideSolid);
  CmBShape[3]->SetBorderStyle(Shape::Border::Transparent);
  CmBShape[3]->SetFillStyle(Shape::Fill::Solid);

  CmBLabel = new platform::Label(this);
  CmBLabel->SetTransparent(true);
  CmBLabel->SetFontName(QStringLiteral("Verdana"));
  CmBLabel->SetFontSize(8.25);
  CmBLabel->SetAutoSize(true);

  CmbHotSpot = new platform::HotSpot(this);
  connect(CmbHotSpot, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);
  connect(CmbHotSpot, &platform::FormElement::MouseDown, this, [this] { SetPressed(true); });
  connect(CmbHotSpot, &platform::FormElement::MouseUp, this, [this] { SetPressed(false); });
  connect(CmbHotSpot, &platform::FormElement::Click, this, &CommandButton::Click);
  connect(CmbHotSpot, &platform::FormElement::DblClick, this, [this] {
    SetPressed(true);
    emit Click();
  });
}

void CommandButton::SetCaption(const QString& captionValue) {
  CmBLabel->SetCaption(QStringLiteral("&") + captionValue);
  Layout();
}

void CommandButton::OnResize() { Layout(); }

void CommandButton::Layout() {
  const int w = Width();
  const int h = Height();
  CmBLabel->SetLeft(Twips((w - CmBLabel->Width()) / 2.0 - Px1()));
  CmBShape[0]->Move(0, 0, w - Px1(), h - Px1());
  CmBShape[1]->Move(0, 0, w - Px2(), h - Px2());
  CmBShape[2]->Move(Px1(), Px1(), w - Px4(), h - Px4());
  CmBShape[3]->Move(0, 0, w, h);
  CmBShape[4]->Move(Px2(), Px2(), w - Px6() + Px1(), h - Px6() + Px1());
  CmBShape[5]->Move(Px2(), Px2(), w - Px4(), h - Px4());
  CmBShape[6]->Move(Px1(), Px1(), w - Px4(), h - Px4());
  CmbHotSpot->Move(0, 0, w, h);
  ApplyLook();
}

void CommandButton::ApplyLook() {
  const settings::ThemeValues& theme = skin_->theme;
  const bool enabled = Enabled();
  // Pressed, the caption sits one pixel lower, less one twip.
  CmBLabel->SetTop(Twips(Height() / 2.0 - CmBLabel->Height() / 2.0 - (pressed_ ? 1 : Px1())));
  CmBLabel->SetForeColor(enabled ? theme.theme_pitch : theme.theme_shadow);
  CmBShape[0]->SetBorderColor(enabled ? theme.theme_pitch : theme.theme_shadow);
  CmBShape[1]->SetBorderColor(theme.theme_shadow);
  CmBShape[2]->SetBorderColor(theme.theme_dark);
  CmBShape[3]->SetFillColor(pressed_ ? theme.theme_shade : theme.theme_light);
  CmBShape[4]->SetBorderStyle(focused_ ? Shape::Border::Dot : Shape::Border::Solid);
  CmBShape[4]->SetBorderColor(focused_ ? theme.theme_high : theme.theme_color);
  CmBShape[5]->SetBorderColor(pressed_ ? theme.theme_highlight : theme.theme_invert);
  CmBShape[6]->SetBorderColor(pressed_ ? theme.theme_high : theme.theme_invertlight);
  // A disabled button keeps only its outer line, and no hover lines.
  for (int i : {1, 2, 4}) CmBShape[static_cast<size_t>(i)]->SetVisible(enabled);
  for (int i : {5, 6}) CmBShape[static_cast<size_t>(i)]->SetVisible(enabled && imHigh_);
}

void CommandButton::SetPressed(bool pressed) {
  pressed_ = pressed;
  ApplyLook();
}

void CommandButton::SetImHigh(bool imHighValue) {
  imHigh_ = imHighValue;
  ApplyLook();
}

void CommandButton::SetEnabled(bool enabledValue) {
  platform::FormElement::SetEnabled(enabledValue);
  ApplyLook();
}

void CommandButton::ResetControl(SharedSkin skin) {
  skin_ = std::move(skin);
  CmBLabel->SetFontName(skin_->theme.theme_text);
  Layout();
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  if (!platform::IsPressKey(event->key())) return platform::FormElement::keyPressEvent(event);
  SetPressed(true);  // a held key repeats only this
}

void CommandButton::keyReleaseEvent(QKeyEvent* event) {
  if (!platform::IsPressKey(event->key())) return platform::FormElement::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;
  SetPressed(false);
  emit Click();
}

void CommandButton::focusInEvent(QFocusEvent* event) {
  platform::FormElement::focusInEvent(event);
  focused_ = true;
  ApplyLook();
}

void CommandButton::focusOutEvent(QFocusEvent* event) {
  platform::FormElement::focusOutEvent(event);
  focused_ = false;
  SetPressed(false);
}

}  // namespace lumora::controls

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
  CmBShape[5]->SetVisible(false);
  CmBShape[6]->SetVisible(false);

  CmBLabel = new platform::Label(this);
  CmBLabel->SetTransparent(true);
  CmBLabel->SetFontName(QStringLiteral("Verdana"));
  CmBLabel->SetFontSize(8.25);
  CmBLabel->SetAutoSize(true);
  CmBLabel->SetReceivesMouse(false);

  CmbHotSpot = new platform::HotSpot(this);
  connect(CmbHotSpot, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);
  connect(CmbHotSpot, &platform::FormElement::MouseDown, this, [this] { PressedLook(); });
  connect(CmbHotSpot, &platform::FormElement::MouseUp, this, [this] { ReleasedLook(); });
  connect(CmbHotSpot, &platform::FormElement::Click, this, &CommandButton::Click);
  connect(CmbHotSpot, &platform::FormElement::DblClick, this, [this] {
    PressedLook();
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
  CmBLabel->Move(Twips((w - CmBLabel->Width()) / 2.0 - Px1()), Twips((h - CmBLabel->Height()) / 2.0 - Px1()));
  CmBShape[0]->Move(0, 0, w - Px1(), h - Px1());
  CmBShape[1]->Move(0, 0, w - Px2(), h - Px2());
  CmBShape[2]->Move(Px1(), Px1(), w - Px4(), h - Px4());
  CmBShape[3]->Move(0, 0, w, h);
  CmBShape[4]->Move(Px2(), Px2(), w - Px6() + Px1(), h - Px6() + Px1());
  CmBShape[5]->Move(Px2(), Px2(), w - Px4(), h - Px4());
  CmBShape[6]->Move(Px1(), Px1(), w - Px4(), h - Px4());
  CmbHotSpot->Move(0, 0, w, h);
}

void CommandButton::ReleasedLook() {
  const settings::ThemeValues& theme = settings::Theme();
  CmBLabel->SetTop(Twips(Height() / 2.0 - CmBLabel->Height() / 2.0 - Px1()));
  CmBShape[3]->SetFillColor(theme.theme_light);
  CmBShape[5]->SetBorderColor(theme.theme_invert);
  CmBShape[6]->SetBorderColor(theme.theme_invertlight);
}

void CommandButton::PressedLook() {
  const settings::ThemeValues& theme = settings::Theme();
  // One pixel down, less one twip.
  CmBLabel->SetTop(Twips(Height() / 2.0 - CmBLabel->Height() / 2.0 - 1));
  CmBShape[3]->SetFillColor(theme.theme_shade);
  CmBShape[5]->SetBorderColor(theme.theme_highlight);
  CmBShape[6]->SetBorderColor(theme.theme_high);
}

void CommandButton::SetImHigh(bool imHighValue) {
  imHigh_ = imHighValue;
  const bool shown = Enabled() && imHighValue;
  CmBShape[5]->SetVisible(shown);
  CmBShape[6]->SetVisible(shown);
}

void CommandButton::SetEnabled(bool enabledValue) {
  platform::FormElement::SetEnabled(enabledValue);
  for (int i : {1, 2, 4}) CmBShape[static_cast<size_t>(i)]->SetVisible(enabledValue);
  const settings::ThemeValues& theme = settings::Theme();
  const int colour = enabledValue ? theme.theme_pitch : theme.theme_shadow;
  CmBShape[0]->SetBorderColor(colour);
  CmBLabel->SetForeColor(colour);
}

void CommandButton::ResetControl() {
  const settings::ThemeValues& theme = settings::Theme();
  CmBShape[0]->SetBorderColor(theme.theme_pitch);
  CmBShape[1]->SetBorderColor(theme.theme_shadow);
  CmBShape[2]->SetBorderColor(theme.theme_dark);
  CmBShape[3]->SetFillColor(theme.theme_light);
  CmBShape[4]->SetBorderColor(theme.theme_color);
  CmBShape[5]->SetBorderColor(theme.theme_invert);
  CmBShape[6]->SetBorderColor(theme.theme_invertlight);
  CmBLabel->SetForeColor(theme.theme_pitch);
  CmBLabel->SetFontName(theme.theme_text);
  Layout();
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
  if (!platform::IsPressKey(event->key())) return platform::FormElement::keyPressEvent(event);
  PressedLook();  // a held key repeats only this
}

void CommandButton::keyReleaseEvent(QKeyEvent* event) {
  if (!platform::IsPressKey(event->key())) return platform::FormElement::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;
  ReleasedLook();
  emit Click();
}

void CommandButton::focusInEvent(QFocusEvent* event) {
  platform::FormElement::focusInEvent(event);
  CmBShape[4]->SetBorderStyle(platform::Shape::Border::Dot);
  CmBShape[4]->SetBorderColor(settings::Theme().theme_high);
}

void CommandButton::focusOutEvent(QFocusEvent* event) {
  platform::FormElement::focusOutEvent(event);
  CmBShape[4]->SetBorderStyle(platform::Shape::Border::Solid);
  CmBShape[4]->SetBorderColor(settings::Theme().theme_color);
  ReleasedLook();
}

}  // namespace lumora::controls

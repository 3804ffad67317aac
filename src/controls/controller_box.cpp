#include "controls/controller_box.h"

#include <QApplication>

#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {

using settings::Px1;

platform::Label* TitleLabel(QWidget* parent, int left, int top) {
  auto* label = new platform::Label(parent);
  label->SetTransparent(true);
  label->SetFontName(QStringLiteral("Tahoma"));
  label->SetFontSize(20.25);
  label->SetFontBold(true);
  label->SetReceivesMouse(false);
  label->Move(left, top);
  label->SetAutoSize(true);
  return label;
}

}  // namespace

ControllerBox::ControllerBox(QWidget* parent) : platform::Container(parent) {
  ClBBackGround = new platform::Picture(this);
  ClBBackGround->SetStretch(true);
  ClBBackGround->SetReceivesMouse(false);
  ClBBackGround->Move(315, 0, 4815, 3840);
  ClBHolder[0] = new platform::Picture(this);
  ClBHolder[0]->SetStretch(true);
  ClBHolder[0]->SetReceivesMouse(false);
  ClBHolder[0]->Move(0, 0, 315, 3840);
  ClBEffect[2] = new platform::Shape(this);
  ClBEffect[1] = new platform::Shape(this);
  ClBEffect[1]->Move(15, 15, 100, 100);
  ClBEffect[0] = new platform::Shape(this);
  // The shadow copy sits one pixel right of and below the title, behind it.
  ClBCaption[1] = TitleLabel(this, 375, 15);
  ClBImage[0] = new platform::Picture(this);
  ClBImage[0]->SetStretch(true);
  ClBImage[0]->SetReceivesMouse(false);
  ClBImage[0]->Move(0, 135, 240, 240);
  ClBCaption[0] = TitleLabel(this, 360, 0);
  for (auto& line : NormLine) {
    line = new platform::Line(this);
    line->SetEnds(375, 0, 375, 0);
  }
  ClBHotSpot = new platform::HotSpot(this);
  // A press raises Click before MouseDown.
  connect(ClBHotSpot, &platform::FormElement::MouseDown, this, [this](int b, int s, double x, double y) {
    emit Click();
    emit MouseDown(b, s, x, y);
  });
  connect(ClBHotSpot, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);
  connect(ClBHotSpot, &platform::FormElement::MouseUp, this, &platform::FormElement::MouseUp);
}

void ControllerBox::OnResize() {
  const int w = Width();
  const int h = Height();
  ClBHotSpot->Move(0, 0, w, h);
  ClBEffect[0]->Move(0, 0, w - Px1(), h - Px1());
  ClBEffect[1]->Move(Px1(), Px1(), ClBEffect[0]->Width() - 2 * Px1(), ClBEffect[0]->Height() - 2 * Px1());
  ClBEffect[2]->Move(0, 0, w, h);
  ClBHolder[0]->SetHeight(ClBEffect[0]->Height());
  ClBBackGround->Move(ClBHolder[0]->Width(), Px1(), ClBEffect[0]->Width() - ClBHolder[0]->Width(),
                      ClBEffect[0]->Height());
  ClBImage[0]->SetLeft(ClBEffect[0]->Width() - ClBImage[0]->Width() - 8 * Px1());
  for (platform::Line* line : NormLine) line->SetX2(ClBEffect[0]->Width() - 8 * Px1());
}

void ControllerBox::SetCaption(const QString& captionValue) {
  for (platform::Label* label : ClBCaption) label->SetCaption(captionValue);
}

QPixmap ControllerBox::ApplicationIcon() const { return QApplication::windowIcon().pixmap(16, 16); }

void ControllerBox::ControllerProperty(const QString& captionValue, int picLdrValue) {
  SetCaption(captionValue);
  pictureIndex_ = picLdrValue;
  ClBImage[0]->SetImage(picLdrValue != 0 ? skin_->Pictures(3).Item(picLdrValue) : ApplicationIcon());
}

void ControllerBox::ResetControl(SharedSkin skin) {
  skin_ = std::move(skin);
  const settings::ThemeValues& theme = skin_->theme;
  SetBackColor(theme.theme_color);
  ClBEffect[0]->SetBorderColor(theme.theme_pitch);
  ClBEffect[1]->SetBorderColor(theme.theme_dark);
  ClBEffect[2]->SetBorderColor(theme.theme_pitch);
  ClBHolder[0]->SetImage(skin_->Pictures(1).Item(2));
  ClBBackGround->SetImage(skin_->Pictures(0).Item(1));
  ClBImage[0]->SetImage(ApplicationIcon());
  ClBCaption[0]->SetForeColor(theme.theme_shadow);
  ClBCaption[1]->SetForeColor(theme.theme_vague);
  for (platform::Label* label : ClBCaption) label->SetFontName(theme.theme_text);
  const int below = ClBCaption[0]->Top() + ClBCaption[0]->Height();
  NormLine[0]->SetEnds(NormLine[0]->X1(), below + Px1(), NormLine[0]->X2(), below + Px1());
  NormLine[1]->SetEnds(NormLine[1]->X1(), below + 2 * Px1(), NormLine[1]->X2(), below + 2 * Px1());
  NormLine[0]->SetBorderColor(theme.theme_dark);
  NormLine[1]->SetBorderColor(theme.theme_shade);
}

}  // namespace lumora::controls

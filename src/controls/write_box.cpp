#include "controls/write_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "content/text_helpers.h"
#include "platform/color.h"
#include "platform/events.h"
#include "platform/twips.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::controls {
namespace {

using settings::Px1;
using settings::Px2;

QString WithoutLineBreaks(QString text) { return text.remove(QStringLiteral("\r\n")); }

}  // namespace

WriteBox::WriteBox(QWidget* parent) : platform::FormElement(parent) {
  QFont font(QStringLiteral("Verdana"));
  font.setPointSizeF(8.25);
  setFont(font);

  WrBEffect0 = new platform::Shape(this);
  WrBEffect0->SetShapeKind(platform::Shape::Kind::RoundedRectangle);
  WrBEffect0->Move(0, 0, 3615, 270);
  WrBEffect1 = new platform::Shape(this);
  WrBEffect1->SetFillStyle(platform::Shape::Fill::Solid);
  WrBEffect1->Move(15, 15, 3585, 240);
  WrBArrow0 = new platform::Picture(this);
  WrBArrow0->SetStretch(true);
  WrBArrow0->SetReceivesMouse(false);
  WrBArrow0->Move(0, 75, 135, 120);
  WrBArrow0->SetVisible(false);
  WrbHotSpot = new platform::HotSpot(this);
  WrbHotSpot->Move(0, 0, 375, 270);
  WrBWhiteness = new platform::Label(this);
  WrBWhiteness->SetReceivesMouse(false);

  WrBText = new QLineEdit(this);
  WrBText->setFrame(false);
  QFont textFont(QStringLiteral("Tahoma"));
  textFont.setPointSizeF(8.25);
  WrBText->setFont(textFont);
  WrBText->installEventFilter(this);
  setFocusProxy(WrBText);
  setFocusPolicy(Qt::StrongFocus);

  connect(WrBText, &QLineEdit::textChanged, this, &WriteBox::Changed);
  connect(WrbHotSpot, &platform::FormElement::MouseMove, this, &platform::FormElement::MouseMove);
  connect(WrbHotSpot, &platform::FormElement::Click, this, [this] {
    if (!dropDownParent_.isEmpty()) emit DropClick(listIndex_);
  });
  connect(this, &platform::FormElement::MouseDown, this, [this] { WrBText->setFocus(); });
  Move(0, 0, 3615, kHeight);
}

void WriteBox::OnResize() { Layout(); }

void WriteBox::Layout() {
  if (Height() != kHeight) {
    SetHeight(kHeight);
    return;
  }
  const int w = Width();
  WrBEffect0->Move(0, 0, w, WrBEffect0->Height());
  WrBEffect1->Move(Px1(), Px1(), w - Px2(), WrBEffect1->Height());
  WrBWhiteness->Move(Px2(), Px2(), Px2(), kHeight - 2 * Px2());
  const int textHeight = 210;
  auto placeText = [&](int width) {
    const QRect pixels(platform::TwipsToPixelsX(4 * Px1()), platform::TwipsToPixelsY(Px2()),
                       platform::TwipsToPixelsX(width), platform::TwipsToPixelsY(textHeight));
    WrBText->setGeometry(pixels);
  };
  if (!dropDownParent_.isEmpty()) {
    WrbHotSpot->SetLeft(w - Px2() - 16 * Px1());
    WrBArrow0->SetLeft(w - Px2() - 8 * Px1() - WrBArrow0->Width() / 2);
    WrBArrow0->SetVisible(true);
    placeText(w - 5 * Px1() - 16 * Px1());
  } else {
    placeText(w - 6 * Px1());
    WrBArrow0->SetVisible(false);
  }
}

void WriteBox::WriteProperty(const QString& ddpValue, bool lockedValue, bool boldValue, bool passwordType) {
  dropDownParent_ = ddpValue;
  WrBText->setReadOnly(lockedValue);
  QFont font = WrBText->font();
  font.setBold(boldValue);
  WrBText->setFont(font);
  if (passwordType) WrBText->setEchoMode(QLineEdit::Password);
  Layout();
}

void WriteBox::SwitchToIndex(int index) {
  if (index < 0 || index >= texts_.size()) return;
  WrBText->setText(texts_[index]);
  clickTag_ = tags_[index];
  listIndex_ = index;
}

void WriteBox::SetDropDownParent(const QString& ddpValue) {
  dropDownParent_ = ddpValue;
  Layout();
}

int WriteBox::SelectionStart() const {
  return WrBText->hasSelectedText() ? WrBText->selectionStart() : WrBText->cursorPosition();
}

void WriteBox::SetSelectionStart(int sStartValue) { WrBText->setCursorPosition(sStartValue); }

QString WriteBox::Text() const { return WithoutLineBreaks(WrBText->text()); }

void WriteBox::SetText(const QString& textValue) { WrBText->setText(textValue); }

void WriteBox::DDList_Clear() {
  texts_ = QStringList{QString()};
  tags_ = QStringList{QString()};
}

void WriteBox::DDList_Add(const QString& addValue, const QString& tagValue) {
  if (!texts_.last().isEmpty()) {
    texts_.append(QString());
    tags_.append(QString());
  }
  texts_.last() = content::EscapeForDisplay(addValue);
  tags_.last() = tagValue;
  if (texts_.size() == 1) SwitchToIndex(0);
  Layout();
}

void WriteBox::ApplyTextColours(int text, int background) {
  QPalette palette = WrBText->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, platform::ToQColor(background));
    palette.setColor(group, QPalette::Text, platform::ToQColor(text));
  }
  WrBText->setPalette(palette);
}

void WriteBox::ApplyLook() {
  const settings::ThemeValues& theme = skin_->theme;
  const bool enabled = Enabled();
  WrBEffect0->SetBorderColor(enabled ? theme.theme_shadow : theme.theme_dark);
  // Disabled, the field goes flat into the ground.
  WrBEffect1->SetFillColor(enabled ? theme.theme_shade : theme.theme_light);
  WrBEffect1->SetBorderColor(enabled ? theme.theme_vague : theme.theme_light);
  backColour_ = theme.theme_shade;
  WrBWhiteness->SetBackColor(theme.theme_light);
  WrBArrow0->SetImage(skin_->Pictures(2).Item(4));
  ApplyTextColours(enabled ? theme.theme_pitch : theme.theme_shadow, theme.theme_light);
  QFont font = WrBText->font();
  font.setFamily(theme.theme_text);
  WrBText->setFont(font);
  WrBArrow0->update();
  update();
}

void WriteBox::SetEnabled(bool enabledValue) {
  platform::FormElement::SetEnabled(enabledValue);
  ApplyLook();
}

void WriteBox::ResetControl(SharedSkin skin) {
  skin_ = std::move(skin);
  SetHeight(kHeight);
  ApplyLook();
  emit Changed();
}

bool WriteBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == WrBText) {
    if (event->type() == QEvent::KeyPress) {
      pressedKeys_.insert(static_cast<QKeyEvent*>(event)->key());
      if (WrBText->isReadOnly()) emit DropClick(listIndex_);
    }
    if (event->type() == QEvent::FocusOut) pressedKeys_.clear();
    if (event->type() == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(event);
      // A release whose press went elsewhere (Enter that chose from a menu) is no key for the box.
      if (!key->isAutoRepeat() && pressedKeys_.remove(key->key()))
        OnKeyReleased(platform::VbKeyCode(key->key()), platform::VbShift(key->modifiers()));
    }
    if (event->type() == QEvent::MouseMove) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      emit MouseMove(platform::VbButtons(mouse->buttons()), platform::VbShift(mouse->modifiers()),
                     platform::PixelsToTwipsX(mouse->position().x()), platform::PixelsToTwipsY(mouse->position().y()));
    }
  }
  return false;  // the box only watches
}

void WriteBox::OnKeyReleased(int keyCode, int shift) {
  const QString cleaned = WithoutLineBreaks(WrBText->text());
  // Only a text that lost its line breaks has its selection put back; any
  // other selection stays as the keys made it, in either direction.
  if (cleaned != WrBText->text()) {
    const int start = SelectionStart();
    const int length = static_cast<int>(WrBText->selectedText().size());
    WrBText->setText(cleaned);
    const int newStart = std::min(start, static_cast<int>(cleaned.size()));
    if (length > 0)
      WrBText->setSelection(newStart, length);
    else
      WrBText->setCursorPosition(newStart);
  }
  emit KeyPressed(keyCode, shift);
}

void WriteBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), platform::ToQColor(backColour_));
}

}  // namespace lumora::controls

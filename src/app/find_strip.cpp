#include "app/find_strip.h"

#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <algorithm>
#include <functional>

#include "platform/color.h"
#include "platform/events.h"
#include "platform/twips.h"
#include "settings/language_pack.h"

namespace lumora::app {
namespace {

// The strip's geometry in twips: | box | count | previous next close |
constexpr int kHeight = 420;
constexpr int kPad = 90;
constexpr int kBoxWidth = 2700;
constexpr int kCountWidth = 1350;
constexpr int kButton = 300;
constexpr int kButtonGap = 30;
constexpr int kWidth = kPad + kBoxWidth + kPad + kCountWidth + 3 * (kButton + kButtonGap) + kPad;
// Room left at the right for the page's own scroll bar.
constexpr int kRightMargin = 300;

enum Glyph { glyphPrevious, glyphNext, glyphClose };

enum FindBarText { textCount = 0, textNoMatches, textPrevious, textNext, textClose, textPlaceholder };

QString FindBarMessage(const settings::LanguagePack& language, FindBarText index) {
  static const char* const kEnglish[] = {
      "%1 of %2", "No matches", "Previous match (Shift+F3)", "Next match (F3)", "Close (Escape)", "Find in page",
  };
  return settings::TextOr(language.FindBar, index, kEnglish);
}

QRect Pixels(int left, int top, int width, int height) {
  return {platform::TwipsToPixelsX(left), platform::TwipsToPixelsY(top), platform::TwipsToPixelsX(width),
          platform::TwipsToPixelsY(height)};
}

}  // namespace

// A small flat button that draws its glyph in the theme's text colour; under
// the mouse it takes the command buttons' hover look (shade, highlight rim).
class StripButton final : public QWidget {
 public:
  StripButton(Glyph glyph, std::function<void()> action, QWidget* parent)
      : QWidget(parent), glyph_(glyph), action_(std::move(action)) {
    setCursor(Qt::PointingHandCursor);
  }
  void SetSkin(controls::SharedSkin skin) {
    skin_ = std::move(skin);
    update();
  }

 protected:
  void enterEvent(QEnterEvent*) override { SetHover(true); }
  void leaveEvent(QEvent*) override { SetHover(false); }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && action_) action_();
  }
  void paintEvent(QPaintEvent*) override {
    const settings::ThemeValues& theme = skin_->theme;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (hover_) {
      painter.fillRect(rect(), platform::ToQColor(theme.theme_shade));
      painter.setPen(platform::ToQColor(theme.theme_highlight));
      painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.setPen(QPen(platform::ToQColor(theme.theme_pitch), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF r = QRectF(rect()).adjusted(width() * 0.3, height() * 0.3, -width() * 0.3, -height() * 0.3);
    QPainterPath path;
    switch (glyph_) {
      case glyphPrevious:
        path.moveTo(r.left(), r.center().y() + r.height() / 4);
        path.lineTo(r.center().x(), r.center().y() - r.height() / 4);
        path.lineTo(r.right(), r.center().y() + r.height() / 4);
        break;
      case glyphNext:
        path.moveTo(r.left(), r.center().y() - r.height() / 4);
        path.lineTo(r.center().x(), r.center().y() + r.height() / 4);
        path.lineTo(r.right(), r.center().y() - r.height() / 4);
        break;
      case glyphClose:
        path.moveTo(r.topLeft());
        path.lineTo(r.bottomRight());
        path.moveTo(r.topRight());
        path.lineTo(r.bottomLeft());
        break;
    }
    painter.drawPath(path);
  }

 private:
  void SetHover(bool hover) {
    if (hover == hover_) return;
    hover_ = hover;
    update();
  }

  Glyph glyph_;
  std::function<void()> action_;
  controls::SharedSkin skin_ = controls::PlainSkin();
  bool hover_ = false;
};

FindStrip::FindStrip(platform::BrowserView& browser, const settings::LanguagePack& language)
    : QWidget(&browser), browser_(browser), language_(language) {
  box_ = new controls::WriteBox(this);
  box_->Move(kPad, (kHeight - controls::WriteBox::kHeight) / 2, kBoxWidth, controls::WriteBox::kHeight);
  const int buttonTop = (kHeight - kButton) / 2;
  int left = kPad + kBoxWidth + kPad + kCountWidth;
  const std::array<Glyph, 3> glyphs{glyphPrevious, glyphNext, glyphClose};
  const std::array<std::function<void()>, 3> actions{[this] { Step(true); }, [this] { Step(false); },
                                                     [this] { Close(); }};
  for (size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = new StripButton(glyphs[i], actions[i], this);
    buttons_[i]->setGeometry(Pixels(left, buttonTop, kButton, kButton));
    left += kButton + kButtonGap;
  }
  connect(box_, &controls::WriteBox::Changed, this, [this] {
    if (Shown() && box_->Text() != sought_) Find(false);
  });
  connect(box_, &controls::WriteBox::KeyPressed, this, [this](int keyCode, int shift) {
    if (keyCode == platform::vbKeyReturn) Step((shift & platform::vbShiftMask) != 0);
  });
  // A new page has matches of its own.
  connect(&browser_, &platform::BrowserView::NavigateComplete2, this, [this] {
    if (Shown() && !sought_.isEmpty()) Restart();
  });
  connect(browser_.View()->page(), &QWebEnginePage::findTextFinished, this, &FindStrip::Found);
  browser_.installEventFilter(this);
  hide();
}

QString FindStrip::CountText() const {
  if (sought_.isEmpty()) return {};
  if (matches_ == 0) return FindBarMessage(language_, textNoMatches);
  return FindBarMessage(language_, textCount).arg(active_).arg(matches_);
}

void FindStrip::ResetControl(controls::SharedSkin skin) {
  skin_ = std::move(skin);
  box_->ResetControl(skin_);
  for (StripButton* button : buttons_) button->SetSkin(skin_);
  box_->WrBText->setPlaceholderText(FindBarMessage(language_, textPlaceholder));
  buttons_[0]->setToolTip(FindBarMessage(language_, textPrevious));
  buttons_[1]->setToolTip(FindBarMessage(language_, textNext));
  buttons_[2]->setToolTip(FindBarMessage(language_, textClose));
  QFont text(skin_->theme.theme_text);
  text.setPointSizeF(8.25);
  setFont(text);
  update();
}

void FindStrip::Open() {
  if (!Shown()) {
    Place();
    show();
    raise();
    emit ShownChanged(true);
    // Reopened with the last text: its matches show again.
    if (!box_->Text().isEmpty()) Find(false);
  }
  box_->WrBText->setFocus(Qt::ShortcutFocusReason);
  box_->WrBText->selectAll();
}

void FindStrip::Close() {
  if (!Shown()) return;
  hide();
  sought_.clear();
  matches_ = active_ = 0;
  browser_.View()->page()->findText(QString());
  // The engine leaves the last match selected; a closed strip leaves nothing.
  // A script, unlike the Unselect action, reaches the page after the end of
  // the search, not before.
  browser_.View()->page()->runJavaScript(QStringLiteral("getSelection().removeAllRanges()"),
                                         QWebEngineScript::ApplicationWorld);
  browser_.View()->setFocus(Qt::ShortcutFocusReason);
  emit ShownChanged(false);
}

void FindStrip::Step(bool backward) {
  if (!Shown()) {
    Open();
    return;
  }
  if (!box_->Text().isEmpty()) Find(backward);
}

void FindStrip::Find(bool backward) {
  sought_ = box_->Text();
  QWebEnginePage* page = browser_.View()->page();
  if (sought_.isEmpty()) {
    matches_ = active_ = 0;
    page->findText(QString());
    update();
    return;
  }
  page->findText(sought_, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void FindStrip::Restart() {
  // The engine takes the same text again as "next"; cleared first, it
  // searches the new page from its top.
  browser_.View()->page()->findText(QString());
  Find(false);
}

void FindStrip::Found(const QWebEngineFindTextResult& result) {
  if (sought_.isEmpty()) return;  // the answer to clearing
  matches_ = result.numberOfMatches();
  active_ = result.activeMatch();
  update();
}

void FindStrip::Place() {
  const int width = platform::TwipsToPixelsX(kWidth);
  const int right = browser_.width() - platform::TwipsToPixelsX(kRightMargin);
  setGeometry(std::max(0, right - width), 0, width, platform::TwipsToPixelsY(kHeight));
}

bool FindStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &browser_ && event->type() == QEvent::Resize) Place();
  return QWidget::eventFilter(watched, event);
}

void FindStrip::paintEvent(QPaintEvent*) {
  const settings::ThemeValues& theme = skin_->theme;
  QPainter painter(this);
  painter.fillRect(rect(), platform::ToQColor(theme.theme_light));
  painter.setPen(platform::ToQColor(theme.theme_dark));
  painter.drawRect(rect().adjusted(0, -1, -1, -1));  // open at the top, where it meets the view's edge
  const QRect count = Pixels(kPad + kBoxWidth + kPad, 0, kCountWidth, kHeight);
  painter.setPen(platform::ToQColor(theme.theme_pitch));
  painter.drawText(count, Qt::AlignLeft | Qt::AlignVCenter, CountText());
}

}  // namespace lumora::app

#pragma once

#include <QWidget>
#include <array>

#include "controls/write_box.h"
#include "platform/browser_view.h"
#include "settings/language_pack.h"

class QWebEngineFindTextResult;

namespace lumora::app {

class StripButton;

// Find in page: a small strip over the top edge of the browser view with a
// text box, the number of matches, previous, next and close. The engine
// highlights every match and marks the active one.
class FindStrip final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FindStrip)

 public:
  FindStrip(platform::BrowserView& browser, const settings::LanguagePack& language);

  // Shows the strip and gives its box the keyboard, the text selected.
  void Open();
  // Hides the strip, clears the highlight and gives the keyboard back to the page.
  void Close();
  // The next (or previous) match; opens the strip first when it is closed.
  void Step(bool backward);

  bool Shown() const { return !isHidden(); }
  QString Text() const { return box_->Text(); }
  int Matches() const { return matches_; }
  int ActiveMatch() const { return active_; }
  // "3 of 12" in the pack's words; "" while nothing is sought.
  QString CountText() const;
  // Theme colours and fonts, and the pack's texts.
  void ResetControl(controls::SharedSkin skin);

 signals:
  void ShownChanged(bool shown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Place();
  void Find(bool backward);
  void Restart();
  void Found(const QWebEngineFindTextResult& result);

  platform::BrowserView& browser_;
  const settings::LanguagePack& language_;
  controls::WriteBox* box_ = nullptr;
  controls::SharedSkin skin_ = controls::PlainSkin();
  std::array<StripButton*, 3> buttons_{};  // previous, next, close
  QString sought_;  // the text the counts belong to
  int matches_ = 0;
  int active_ = 0;
};

}  // namespace lumora::app

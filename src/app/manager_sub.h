#pragma once

#include <QWidget>

#include "controls/label_measurer.h"
#include "platform/label.h"
#include "core/mail_session.h"

namespace lumora::app {

// The plain, frameless owner window: it carries the taskbar entry and the
// title, sits exactly under the main window, and holds the hidden measuring label.
class ManagerSub final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ManagerSub)

 public:
  explicit ManagerSub(QWidget* parent = nullptr);

  platform::Label* GenLabel() const { return genLabel_; }
  // FitText and MeasureLineHeight measure in GenLabel through this.
  content::TextMeasurer& Measurer() { return measurer_; }
  // The mail session that questions are sent through.
  core::MailSession& Mail() { return mail_; }
  // The main window it owns: restoring this window from the taskbar shows it
  // again, activating this window hands the focus on to it.
  void SetMainWindow(QWidget* main) { main_ = main; }

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  platform::Label* genLabel_ = nullptr;
  controls::LabelMeasurer measurer_{*genLabel_};
  core::MailSession mail_;
  QWidget* main_ = nullptr;

  void HandOn();
};

// The title of both windows.
QString WindowTitle();

}  // namespace lumora::app

#pragma once

#include <QObject>
#include <functional>

#include "layout/composition.h"
#include "core/mail_session.h"

namespace lumora::app {

// The question form's buttons: send the question by mail, or clear the form
// after asking.
class QuestionForm final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(QuestionForm)

 public:
  struct Hooks {
    std::function<void()> refreshToolbar;
    std::function<void(bool busy)> setBusy;  // the window disabled behind the status box, or back to normal
    std::function<bool()> pump;              // lets the window paint; false once it is closing
  };

  QuestionForm(layout::Composition& ui, core::MailSession& session, QWidget* dialogOwner, Hooks hooks,
               QObject* parent = nullptr);

  // 0 sends, 1 clears, any other index does nothing; the toolbar is
  // refreshed in every case.
  void QuestionButtonClicked(int index);

 private:
  void SendQuestion();
  void ClearForm();

  layout::Composition& ui_;
  core::MailSession& session_;
  QWidget* dialogOwner_;
  Hooks hooks_;
  bool sending_ = false;  // events are handled while a question goes out
};

}  // namespace lumora::app

#pragma once

#include <QObject>

#include "app/busy_window.h"
#include "layout/composition.h"
#include "core/mail_session.h"
#include "settings/language_pack.h"

namespace lumora::app {

// The question form's buttons: send the question by mail, or clear the form
// after asking.
class QuestionForm final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(QuestionForm)

 public:
  QuestionForm(layout::Composition::QuestionControls& ui, core::MailSession& session, QWidget* dialogOwner,
               BusyWindow& busy, const settings::LanguagePack& language, QObject* parent = nullptr);

  // 0 sends, 1 clears, any other index does nothing; Done follows in every case.
  void QuestionButtonClicked(int index);

 signals:
  // A button's work is over: the toolbar may offer other buttons now.
  void Done();

 private:
  void SendQuestion();
  void ClearForm();

  layout::Composition::QuestionControls& ui_;
  core::MailSession& session_;
  QWidget* dialogOwner_;
  BusyWindow& busy_;
  const settings::LanguagePack& language_;
  bool sending_ = false;  // events are handled while a question goes out
};

}  // namespace lumora::app

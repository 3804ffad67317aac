#include "app/question_form.h"

#include <QCoreApplication>
#include <QScopeGuard>

#include "platform/message_box.h"
#include "question/question_mail.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"

namespace lumora::app {

QuestionForm::QuestionForm(layout::Composition& ui, platform::MailSession& session, QWidget* dialogOwner,
                           std::function<void()> refreshToolbar, QObject* parent)
    : QObject(parent), ui_(ui), session_(session), dialogOwner_(dialogOwner), refreshToolbar_(std::move(refreshToolbar)) {
  for (int i = 0; i < static_cast<int>(ui_.Commander.size()); ++i)
    connect(ui_.Commander[static_cast<size_t>(i)], &platform::FormElement::Click, this,
            [this, i] { QuestionButtonClicked(i); });
}

void QuestionForm::QuestionButtonClicked(int index) {
  if (index == 0) SendQuestion();
  if (index == 1) ClearForm();
  if (refreshToolbar_) refreshToolbar_();
}

void QuestionForm::SendQuestion() {
  // A second Send while the first is still talking to the server would share
  // its mail session; the first one finishes alone.
  if (sending_) return;
  sending_ = true;
  const auto done = qScopeGuard([this] { sending_ = false; });
  question::QuestionForm form;
  for (size_t i = 0; i < form.fields.size(); ++i) form.fields[i] = ui_.TextBox[i]->Text();
  const platform::RegistryRoot machine = platform::LocalMachine();
  session_.SetSettings(question::ReadQuestionMailSettings(machine));
  const question::SendResult result =
      question::SendQuestion(session_, form, settings::Shared().ExpertIndex, question::ReadSupportDomain(machine),
                             [] { QCoreApplication::processEvents(); });
  // Only a question that went out is confirmed; otherwise the user learns
  // why, and the form keeps everything for another try.
  if (result.sent)
    platform::ShowMessage(dialogOwner_, settings::LangText(1), platform::MessageIcon::Information);
  else
    platform::ShowMessage(dialogOwner_, result.error, platform::MessageIcon::Critical);
}

void QuestionForm::ClearForm() {
  if (!platform::AskYesNo(dialogOwner_, settings::LangText(2))) return;
  for (size_t i = 0; i <= 3; ++i) ui_.TextBox[i]->SetText(QString());
}

}  // namespace lumora::app

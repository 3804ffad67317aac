#include "app/question_form.h"

#include <QApplication>
#include <QStringList>
#include <QScopeGuard>

#include "platform/message_box.h"
#include "question/question_mail.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"

namespace lumora::app {
namespace {

// The form's own messages: the language pack's "askform" texts, or English.
enum AskFormText {
  askAddressMissing = 0,
  askAddressMalformed = 1,
  askQuestionMissing = 2,
  askSending = 3,
  askNotSent = 4,
  askDetails = 5,
};

QString AskFormMessage(const settings::LanguagePack& language, AskFormText index) {
  static const char* const kEnglish[] = {
      "Please type your e-mail address: our support team answers by e-mail.",
      "Please check your e-mail address. It should look like name@example.com.",
      "Please type your question.",
      "Sending your question, please wait...",
      "Your question was not sent. The form keeps what you typed, so you can try again later.",
      "Details:",
  };
  return settings::TextOr(language.AskForm, index, kEnglish);
}

QString ProblemMessage(const settings::LanguagePack& language, const std::vector<question::FormProblem>& problems) {
  QStringList lines;
  for (const question::FormProblem problem : problems) {
    switch (problem) {
      case question::FormProblem::AddressMissing: lines << AskFormMessage(language, askAddressMissing); break;
      case question::FormProblem::AddressMalformed: lines << AskFormMessage(language, askAddressMalformed); break;
      case question::FormProblem::QuestionMissing: lines << AskFormMessage(language, askQuestionMissing); break;
    }
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

QuestionForm::QuestionForm(layout::Composition::QuestionControls& ui, core::MailSession& session, QWidget* dialogOwner,
                           BusyWindow& busy, const settings::LanguagePack& language, QObject* parent)
    : QObject(parent), ui_(ui), session_(session), dialogOwner_(dialogOwner), busy_(busy), language_(language) {
  connect(ui_.send, &platform::FormElement::Click, this, [this] { QuestionButtonClicked(0); });
  connect(ui_.clear, &platform::FormElement::Click, this, [this] { QuestionButtonClicked(1); });
}

void QuestionForm::QuestionButtonClicked(int index) {
  if (index == 0) SendQuestion();
  if (index == 1) ClearForm();
  emit Done();
}

void QuestionForm::SendQuestion() {
  // A second Send while the first is still talking to the server would share
  // its mail session; the first one finishes alone.
  if (sending_) return;
  question::QuestionForm form;
  for (size_t i = 0; i < form.fields.size(); ++i) form.fields[i] = ui_.fields[i]->Text();
  // A question that support cannot answer is not sent; the user learns
  // which box to put right, and the form keeps everything.
  const std::vector<question::FormProblem> problems = question::CheckQuestionForm(form);
  if (!problems.empty()) {
    platform::ShowMessage(dialogOwner_, ProblemMessage(language_, problems), platform::MessageIcon::Warning);
    return;
  }
  sending_ = true;
  const auto done = qScopeGuard([this] { sending_ = false; });

  // The window keeps painting while the server is awaited; closing it
  // abandons the send.
  bool closing = false;
  const auto pump = [this, &closing] {
    if (!closing && !busy_.Pump()()) closing = true;
    return !closing;
  };
  busy_.Begin(AskFormMessage(language_, askSending));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const core::RegistryRoot machine = core::LocalMachine();
  session_.SetSettings(question::ReadQuestionMailSettings(machine));
  session_.SetWaitHook(pump);
  const question::SendResult result = question::SendQuestion(
      session_, form, settings::Shared().ExpertIndex, question::ReadSupportDomain(machine), pump);
  session_.SetWaitHook({});
  QApplication::restoreOverrideCursor();
  busy_.End();
  if (closing) return;
  // Only a question that went out is confirmed; otherwise the user learns
  // why, and the form keeps everything for another try.
  if (result.sent)
    platform::ShowMessage(dialogOwner_, language_.Lang(settings::Message::QuestionSent), platform::MessageIcon::Information);
  else
    platform::ShowMessage(dialogOwner_,
                          AskFormMessage(language_, askNotSent) + QStringLiteral("\n\n") + AskFormMessage(language_, askDetails) +
                              QLatin1Char(' ') + result.error,
                          platform::MessageIcon::Critical);
}

void QuestionForm::ClearForm() {
  if (!platform::AskYesNo(dialogOwner_, language_.Lang(settings::Message::ClearQuestion))) return;
  for (size_t i = 0; i <= 3; ++i) ui_.fields[i]->SetText(QString());
}

}  // namespace lumora::app

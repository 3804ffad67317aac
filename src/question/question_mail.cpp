#include "question/question_mail.h"

#include "settings/platform_facts.h"

namespace lumora::question {

QString ReadSupportDomain(const platform::RegistryRoot& root) {
  const QString domain =
      platform::RegReadText(root, settings::QuillmarkKey(), QStringLiteral("SupportDomain")).trimmed();
  return domain.isEmpty() ? kDefaultSupportDomain : domain;
}

platform::MailSettings ReadQuestionMailSettings(const platform::RegistryRoot& root) {
  return platform::ReadMailSettings(root, settings::QuillmarkKey());
}

QString QuestionRecipient(const QString& expertIndex, const QString& supportDomain) {
  return QStringLiteral("lumora") + expertIndex + QLatin1Char('@') + supportDomain;
}

QString QuestionSubject(const QString& questionId, const QuestionForm& form) {
  return QStringLiteral("(Question ID=") + questionId + QStringLiteral(") ") + form.fields[2];
}

QString QuestionNoteText(const QuestionForm& form) {
  const QString& lineBreak = settings::Shared().LineBreak;
  const auto& f = form.fields;
  return f[0] + lineBreak + f[1] + lineBreak + lineBreak + f[3] + lineBreak + lineBreak + f[4];
}

SendResult SendQuestion(platform::MailSession& session, const QuestionForm& form, const QString& expertIndex,
                        const QString& supportDomain, const Pump& pump) {
  SendResult result;
  session.SignOn();
  if (session.SessionID() != 0) {
    session.Compose();
    session.SetRecipAddress(QuestionRecipient(expertIndex, supportDomain));
    result.questionId = MakeQuestionId(pump);
    session.SetMsgSubject(QuestionSubject(result.questionId, form));
    session.SetMsgNoteText(QuestionNoteText(form));
    result.sent = session.Send(false);
    session.ReleaseMessage();
  }
  if (!result.sent) result.error = session.LastError();
  session.SignOff();
  return result;
}

}  // namespace lumora::question

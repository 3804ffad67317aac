#include "question/question_mail.h"

#include <QStringList>
#include <algorithm>


namespace lumora::question {

QString ReadSupportDomain(const core::RegistryRoot& root) {
  const QString domain =
      core::RegReadText(root, core::QuillmarkKey(), QStringLiteral("SupportDomain")).trimmed();
  return domain.isEmpty() ? kDefaultSupportDomain : domain;
}

core::MailSettings ReadQuestionMailSettings(const core::RegistryRoot& root) {
  return core::ReadMailSettings(root, core::QuillmarkKey());
}

QString QuestionRecipient(const QString& expertIndex, const QString& supportDomain) {
  return QStringLiteral("lumora") + expertIndex + QLatin1Char('@') + supportDomain;
}

QString QuestionSubject(const QString& questionId, const QuestionForm& form) {
  return QStringLiteral("(Question ID=") + questionId + QStringLiteral(") ") + form.fields[2];
}

QString QuestionNoteText(const QuestionForm& form) {
  const QString lineBreak = QStringLiteral("\r\n");  // a mail's line break
  const auto& f = form.fields;
  return f[0] + lineBreak + f[1] + lineBreak + lineBreak + f[3] + lineBreak + lineBreak + f[4];
}

bool LooksLikeMailAddress(const QString& text) {
  const qsizetype at = text.indexOf(u'@');
  if (at <= 0 || text.indexOf(u'@', at + 1) >= 0) return false;
  const QString forbidden = QStringLiteral("<>()[]\\,;:\"");
  const bool clean = std::none_of(text.begin(), text.end(), [&](QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Control || forbidden.contains(c);
  });
  const QStringList labels = text.mid(at + 1).split(u'.');
  return clean && labels.size() >= 2 &&
         std::none_of(labels.begin(), labels.end(), [](const QString& label) { return label.isEmpty(); });
}

std::vector<FormProblem> CheckQuestionForm(const QuestionForm& form) {
  std::vector<FormProblem> problems;
  const QString address = form.fields[1].trimmed();
  if (address.isEmpty()) problems.push_back(FormProblem::AddressMissing);
  else if (!LooksLikeMailAddress(address)) problems.push_back(FormProblem::AddressMalformed);
  if (form.fields[3].trimmed().isEmpty()) problems.push_back(FormProblem::QuestionMissing);
  return problems;
}

void ComposeQuestion(core::MailSession& session, const QuestionForm& form, const QString& expertIndex,
                     const QString& supportDomain, const QString& questionId) {
  session.Compose();
  session.SetRecipAddress(QuestionRecipient(expertIndex, supportDomain));
  session.SetMsgSubject(QuestionSubject(questionId, form));
  session.SetMsgNoteText(QuestionNoteText(form));
  session.SetMsgReplyTo(form.fields[1].trimmed());
}

SendResult SendQuestion(core::MailSession& session, const QuestionForm& form, const QString& expertIndex,
                        const QString& supportDomain, const core::Pump& pump) {
  SendResult result;
  session.SignOn();
  if (session.SessionID() != 0) {
    result.questionId = MakeQuestionId(pump);
    ComposeQuestion(session, form, expertIndex, supportDomain, result.questionId);
    result.sent = session.Send(false);
    session.ReleaseMessage();
  }
  if (!result.sent) result.error = session.LastError();
  session.SignOff();
  return result;
}

}  // namespace lumora::question

#pragma once

#include <QString>
#include <array>
#include <vector>

#include "core/mail_session.h"
#include "core/registry.h"
#include "question/question_id.h"

namespace lumora::question {

// The texts of the form's five boxes, TextBox(0) to TextBox(4): first and
// second body line, subject, the question, system information.
struct QuestionForm {
  std::array<QString, 5> fields;
};

inline const QString kDefaultSupportDomain = QStringLiteral("support.quillmark.example");

// "SupportDomain" under the maker's key, or kDefaultSupportDomain.
QString ReadSupportDomain(const core::RegistryRoot& root);
// The mail settings under the maker's key (see core::ReadMailSettings).
core::MailSettings ReadQuestionMailSettings(const core::RegistryRoot& root);

// "lumora" + expertIndex + "@" + supportDomain: "3" gives lumora3@<domain>.
QString QuestionRecipient(const QString& expertIndex, const QString& supportDomain);
// "(Question ID=" + id + ") " + the subject box.
QString QuestionSubject(const QString& questionId, const QuestionForm& form);
// Boxes 0, 1, 3 and 4 joined by one, one, two and two line breaks (CR LF).
QString QuestionNoteText(const QuestionForm& form);

// What keeps support from answering a question, in the order of the form's boxes.
enum class FormProblem { AddressMissing, AddressMalformed, QuestionMissing };

// True for text that can be an e-mail address to answer: one "@" with a
// name before it and a domain of dotted parts after it, no blanks, line
// breaks or characters that an address never holds unquoted. Letters beyond
// ASCII are allowed here; only a plain address becomes the Reply-To.
bool LooksLikeMailAddress(const QString& text);

// The boxes to put right before the question can go: the address (box 1)
// must be filled in and look like one, the question (box 3) must not be blank.
std::vector<FormProblem> CheckQuestionForm(const QuestionForm& form);

struct SendResult {
  bool sent = false;
  QString questionId;  // empty when no session was obtained
  QString error;       // why nothing was sent
};

// Puts the question with this ID into a new message of the session,
// addressed to the expert's mailbox, with replies to the address in box 1.
void ComposeQuestion(core::MailSession& session, const QuestionForm& form, const QString& expertIndex,
                     const QString& supportDomain, const QString& questionId);

// Signs on, composes the question with a new ID, sends it without dialog and
// signs off. A refused sign-on or send is reported, never taken for success. Nothing is retried. Replies go
// to the address in box 1 when it is a plain address.
SendResult SendQuestion(core::MailSession& session, const QuestionForm& form, const QString& expertIndex,
                        const QString& supportDomain, const core::Pump& pump = {});

}  // namespace lumora::question

#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <utility>

#include "core/registry.h"

namespace lumora::core {

// Where mail goes: an SMTP server. Over smtp:// STARTTLS is used whenever
// the server offers it; a login is only sent after it, to a server whose
// certificate the machine trusts.
struct MailSettings {
  QString server = QStringLiteral("smtp://localhost:25");  // smtp:// or smtps://, host and port
  QString user;                                           // empty: no login
  QString password;
  QString sender = QStringLiteral("lumora@localhost");  // envelope sender and From
  int connectTimeoutMs = 15000;   // until the server has greeted and let us in
  int transferTimeoutMs = 60000;  // a whole send, connecting included
};

// The settings stored under subKey as "MailServer", "MailUser",
// "MailPassword" and "MailSender"; a missing or empty value keeps its default.
MailSettings ReadMailSettings(const RegistryRoot& root, const QString& subKey);

// An address as SMTP and a header carry it: one "@" with text on both sides,
// printable ASCII, nothing that ends a command, a header or the brackets.
bool IsPlainAddress(const QString& address);

// A mail session with one message, used in the steps of the question form:
// sign on, compose, address, send without dialog, sign off.
// Only Send talks to the server, in one connection.
class MailSession final {
 public:
  MailSession();
  explicit MailSession(MailSettings settings);
  Q_DISABLE_COPY_MOVE(MailSession)

  void SetSettings(MailSettings settings) { settings_ = std::move(settings); }
  const MailSettings& Settings() const { return settings_; }

  // Opens the session when the server setting names an SMTP server. The
  // server is first spoken to by Send, so that a question costs one
  // connection within one time limit.
  bool SignOn();
  qint64 SessionID() const { return sessionId_; }  // 0 when not signed on
  void SignOff();

  // Starts a new, empty message; the setters below fill it.
  void Compose();
  void SetRecipAddress(const QString& address);
  void SetMsgSubject(const QString& subject);
  void SetMsgNoteText(const QString& text);
  // Where replies should go; left out of the message unless it is a plain address.
  void SetMsgReplyTo(const QString& address);
  // Sends the composed message in one connection; never retried. There is no
  // mail program window here, so showDialog true fails. Blocks until the
  // server has answered or a time limit has passed, running the wait hook
  // about every 15 ms meanwhile.
  bool Send(bool showDialog);
  void ReleaseMessage() { message_.reset(); }
  // The message as Send uploads it, headers and body; empty when none is
  // composed or its recipient or sender is no plain address, which Send refuses.
  QByteArray MessageText() const;

  // Runs while Send waits (the window passes one that lets it paint);
  // returning false abandons the send.
  void SetWaitHook(std::function<bool()> hook) { waitHook_ = std::move(hook); }

  // Why the last SignOn or Send failed: the server's refusal or the
  // transport's error text. Empty after a success.
  QString LastError() const { return lastError_; }

 private:
  struct Message {
    QString recipient;
    QString subject;
    QString noteText;
    QString replyTo;
  };

  bool Fail(const QString& text);

  MailSettings settings_;
  qint64 sessionId_ = 0;
  std::optional<Message> message_;
  QString lastError_;
  std::function<bool()> waitHook_;
};

}  // namespace lumora::core

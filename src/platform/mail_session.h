#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <utility>

#include "platform/registry.h"

namespace lumora::platform {

// Where mail goes: an SMTP server. Over smtp:// a login is only sent after
// STARTTLS; without a user the connection stays plain (a local relay).
struct MailSettings {
  QString server = QStringLiteral("smtp://localhost:25");  // smtp:// or smtps://, host and port
  QString user;                                           // empty: no login
  QString password;
  QString sender = QStringLiteral("lumora@localhost");  // envelope sender and From
  int connectTimeoutMs = 15000;
  int transferTimeoutMs = 60000;  // a whole sign-on or send
};

// The settings stored under subKey as "MailServer", "MailUser",
// "MailPassword" and "MailSender"; a missing or empty value keeps its default.
MailSettings ReadMailSettings(const RegistryRoot& root, const QString& subKey);

// A mail session with one message, used as the original's session and message
// controls are: sign on, compose, address, send without dialog, sign off. Each
// call blocks until the server has answered or the time limit has passed.
class MailSession final {
 public:
  MailSession();
  explicit MailSession(MailSettings settings);
  Q_DISABLE_COPY_MOVE(MailSession)

  void SetSettings(MailSettings settings) { settings_ = std::move(settings); }
  const MailSettings& Settings() const { return settings_; }

  // Connects, waits for the greeting, says EHLO and logs in, then hangs up:
  // a session is only granted when the server answers.
  bool SignOn();
  qint64 SessionID() const { return sessionId_; }  // 0 when not signed on
  void SignOff();

  // Starts a new, empty message; the setters below fill it.
  void Compose();
  void SetRecipAddress(const QString& address);
  void SetMsgSubject(const QString& subject);
  void SetMsgNoteText(const QString& text);
  // Sends the composed message in one connection; never retried. There is no
  // mail program window here, so showDialog true fails.
  bool Send(bool showDialog);
  void ReleaseMessage() { message_.reset(); }

  // Why the last SignOn or Send failed: the server's refusal or the
  // transport's error text. Empty after a success.
  QString LastError() const { return lastError_; }

 private:
  struct Message {
    QString recipient;
    QString subject;
    QString noteText;
  };

  bool Fail(const QString& text);

  MailSettings settings_;
  qint64 sessionId_ = 0;
  std::optional<Message> message_;
  QString lastError_;
};

}  // namespace lumora::platform

#include "core/mail_session.h"

#include <curl/curl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QByteArrayList>
#include <QDateTime>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace lumora::core {
namespace {

constexpr qsizetype kMaxLineBytes = 998;          // RFC 5322 line limit, CR LF not counted
constexpr qsizetype kQuotedLineChars = 76;        // RFC 2045 quoted-printable line
constexpr qsizetype kPlainSubjectChars = 78 - 9;  // "Subject: " and the text on one short line
constexpr qsizetype kEncodedWordBytes = 42;       // 56 base64 characters: "Subject: =?UTF-8?B?...?=" fits 78
constexpr int kWaitStepMs = 15;                   // how long a send waits for the server between wait hooks

void InitCurlOnce() {
  [[maybe_unused]] static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
}

// Every line break (CR LF, lone CR, lone LF) as CR LF, and the last line
// ended too: SMTP carries whole lines.
QByteArray CanonicalLines(const QByteArray& text) {
  QByteArray lines;
  lines.reserve(text.size() + text.size() / 8 + 2);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      lines += c;
    }
  }
  if (!lines.isEmpty() && !lines.endsWith("\r\n")) lines += "\r\n";
  return lines;
}

// Canonical lines that may go out as they are: ASCII without NUL, no line too long.
bool FitsSevenBit(const QByteArray& lines) {
  qsizetype lineBytes = 0;
  for (const char c : lines) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == 0 || byte >= 0x80) return false;
    if (c == '\n') lineBytes = 0;
    else if (c != '\r' && ++lineBytes > kMaxLineBytes) return false;
  }
  return true;
}

// Quoted-printable for canonical lines: line breaks stay CR LF, long lines
// get soft breaks ("=" CR LF), a blank that ends a line is encoded so no
// relay can strip it.
QByteArray QuotedPrintable(const QByteArray& lines) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  QByteArray out;
  for (qsizetype start = 0; start < lines.size();) {
    const qsizetype end = lines.indexOf("\r\n", start);
    qsizetype column = 0;
    for (qsizetype i = start; i < end; ++i) {
      const auto byte = static_cast<unsigned char>(lines[i]);
      const bool lastOfLine = i + 1 == end;
      const bool literal = (byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !lastOfLine);
      const qsizetype width = literal ? 1 : 3;
      // Room is kept for the soft break's "=", except after the line's last byte.
      if (column + width > kQuotedLineChars - 1 && !(lastOfLine && column + width <= kQuotedLineChars)) {
        out += "=\r\n";
        column = 0;
      }
      if (literal) {
        out += static_cast<char>(byte);
      } else {
        out += '=';
        out += kHex[byte >> 4];
        out += kHex[byte & 15];
      }
      column += width;
    }
    out += "\r\n";
    start = end + 2;
  }
  return out;
}

// The subject on one line: each line break (CR LF, CR or LF) and any other
// control character becomes a blank, so typed text cannot start a header.
QString SingleLine(const QString& text) {
  QString line;
  line.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (QStringView(text).mid(i, 2) == u"\r\n") ++i;  // one break, one blank
    line += (c < 0x20 || c == 0x7F) ? QChar(u' ') : text[i];
  }
  return line;
}

// Plain when it is short printable ASCII with nothing a reader could take for
// an encoded word or trim away; otherwise RFC 2047 encoded words (UTF-8,
// base64) of whole characters, one per folded line.
//   "Grüße"  ->  "Subject: =?UTF-8?B?R3LDvMOfZQ==?="
QByteArray SubjectHeader(const QString& subject) {
  const QString text = SingleLine(subject);
  const bool plain = text.size() <= kPlainSubjectChars && !text.startsWith(u' ') && !text.endsWith(u' ') &&
                     !text.contains(QStringLiteral("=?")) &&
                     std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x7F; });
  if (plain) return "Subject: " + text.toLatin1() + "\r\n";

  QByteArrayList words;
  QByteArray word;
  const auto flush = [&] { words += "=?UTF-8?B?" + word.toBase64() + "?="; };
  for (qsizetype i = 0; i < text.size();) {
    const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
    const QByteArray bytes = QStringView(text).mid(i, units).toUtf8();
    if (word.size() + bytes.size() > kEncodedWordBytes) {
      flush();
      word.clear();
    }
    word += bytes;
    i += units;
  }
  flush();
  return "Subject: " + words.join("\r\n ") + "\r\n";
}

struct MessageParts {
  QString sender;
  QString recipient;
  QString replyTo;
  QString subject;
  QString noteText;
};

QByteArray ComposedText(const MessageParts& parts) {
  const QByteArray body = CanonicalLines(parts.noteText.toUtf8());
  const bool sevenBit = FitsSevenBit(body);
  const QByteArray domain = parts.sender.mid(parts.sender.indexOf(u'@') + 1).toLatin1();
  const QByteArray replyTo =
      IsPlainAddress(parts.replyTo) ? "Reply-To: " + parts.replyTo.toLatin1() + "\r\n" : QByteArray();
  return "From: " + parts.sender.toLatin1() + "\r\n" +
         "To: " + parts.recipient.toLatin1() + "\r\n" + replyTo +
         SubjectHeader(parts.subject) +
         "Date: " + QDateTime::currentDateTime().toString(Qt::RFC2822Date).toLatin1() + "\r\n" +
         "Message-ID: <" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + '@' + domain + ">\r\n" +
         "MIME-Version: 1.0\r\n"
         "Content-Type: text/plain; charset=UTF-8\r\n"
         "Content-Transfer-Encoding: " + (sevenBit ? QByteArray("7bit") : QByteArray("quoted-printable")) + "\r\n" +
         "\r\n" +
         (sevenBit ? body : QuotedPrintable(body));
}

struct CurlCleanup {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHandle = std::unique_ptr<CURL, CurlCleanup>;
using CurlList = std::unique_ptr<curl_slist, CurlCleanup>;

// One connection's traffic as far as we need it: the server's last refusal
// (a reply of 400 or more, all its lines) and the message still to upload.
struct Exchange {
  QByteArray reply;
  QByteArray refusal;
  QByteArray upload;
  qsizetype uploaded = 0;
  char error[CURL_ERROR_SIZE] = {};
  std::vector<curl_socket_t> sockets;  // open now; the transport opens and closes them through us
};

curl_socket_t OnOpenSocket(void* user, curlsocktype, curl_sockaddr* address) {
  const curl_socket_t socket = ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
  if (socket != CURL_SOCKET_BAD) static_cast<Exchange*>(user)->sockets.push_back(socket);
  return socket;
}

int OnCloseSocket(void* user, curl_socket_t socket) {
  std::erase(static_cast<Exchange*>(user)->sockets, socket);
  return ::close(socket);
}

// Sees only the server's replies; what we send, the login included, is never
// looked at, so the password cannot end up in an error text.
int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  if (type != CURLINFO_HEADER_IN) return 0;
  Exchange& exchange = *static_cast<Exchange*>(user);
  for (const QByteArray& piece : QByteArray(data, static_cast<qsizetype>(size)).split('\n')) {
    const QByteArray line = piece.trimmed();
    if (line.isEmpty()) continue;
    if (!exchange.reply.isEmpty()) exchange.reply += ' ';
    exchange.reply += line;
    if (line.size() > 3 && line[3] == '-') continue;  // "250-..." continues the reply
    if (line[0] == '4' || line[0] == '5') exchange.refusal = exchange.reply;
    exchange.reply.clear();
  }
  return 0;
}

size_t OnRead(char* buffer, size_t size, size_t count, void* user) {
  Exchange& exchange = *static_cast<Exchange*>(user);
  const qsizetype bytes =
      std::min(static_cast<qsizetype>(size * count), exchange.upload.size() - exchange.uploaded);
  std::memcpy(buffer, exchange.upload.constData() + exchange.uploaded, static_cast<size_t>(bytes));
  exchange.uploaded += bytes;
  return static_cast<size_t>(bytes);
}

CurlHandle OpenConnection(const MailSettings& settings, Exchange& exchange) {
  CurlHandle handle(curl_easy_init());
  CURL* curl = handle.get();
  if (!curl) return handle;
  curl_easy_setopt(curl, CURLOPT_URL, settings.server.toUtf8().constData());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings.connectTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(settings.transferTimeoutMs));
  // A login written into the server's address is a login all the same.
  if (!settings.user.isEmpty() || !QUrl(settings.server).userInfo().isEmpty()) {
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!settings.user.isEmpty()) {
      curl_easy_setopt(curl, CURLOPT_USERNAME, settings.user.toUtf8().constData());
      curl_easy_setopt(curl, CURLOPT_PASSWORD, settings.password.toUtf8().constData());
    }
  } else if (QUrl(settings.server).scheme().compare(QLatin1String("smtp"), Qt::CaseInsensitive) == 0) {
    // No login to protect, but the question names its sender: encrypt
    // whenever the server offers STARTTLS, as mail relays do among
    // themselves, without asking for a certificate the machine trusts (a
    // local relay's own, self-made one is the usual case).
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
  }
  curl_easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, OnOpenSocket);
  curl_easy_setopt(curl, CURLOPT_OPENSOCKETDATA, &exchange);
  curl_easy_setopt(curl, CURLOPT_CLOSESOCKETFUNCTION, OnCloseSocket);
  curl_easy_setopt(curl, CURLOPT_CLOSESOCKETDATA, &exchange);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, exchange.error);
  curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, OnDebug);
  curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &exchange);
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);  // feeds OnDebug; nothing is printed
  return handle;
}

struct MultiCleanup {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using CurlMulti = std::unique_ptr<CURLM, MultiCleanup>;

// Runs the transfer, calling wait between its steps so the caller's window
// keeps painting; a wait that returns false abandons it. Empty when the
// transfer succeeded, otherwise why it did not.
QString Perform(CURL* curl, const Exchange& exchange, const std::function<bool()>& wait) {
  if (!curl) return QStringLiteral("the mail transport could not be started");
  const CurlMulti multi(curl_multi_init());
  if (!multi || curl_multi_add_handle(multi.get(), curl) != CURLM_OK)
    return QStringLiteral("the mail transport could not be started");
  CURLcode code = CURLE_OK;
  bool abandoned = false;
  for (int running = 1; running > 0;) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
      code = CURLE_FAILED_INIT;
      break;
    }
    if (running == 0) break;
    if (wait && !wait()) {
      abandoned = true;
      break;
    }
    curl_multi_poll(multi.get(), nullptr, 0, kWaitStepMs, nullptr);
  }
  int queued = 0;
  while (const CURLMsg* message = curl_multi_info_read(multi.get(), &queued))
    if (message->msg == CURLMSG_DONE) code = message->data.result;
  // Taking the handle away would first say QUIT and wait for the answer
  // that a silent server never gives; shut sockets end that at once.
  if (abandoned)
    for (const curl_socket_t socket : exchange.sockets) ::shutdown(socket, SHUT_RDWR);
  curl_multi_remove_handle(multi.get(), curl);
  if (abandoned) return QStringLiteral("the window was closed before the server had answered");
  if (code == CURLE_OK) return {};
  const QString transport = QString::fromUtf8(exchange.error[0] ? exchange.error : curl_easy_strerror(code));
  if (exchange.refusal.isEmpty()) return transport;
  return QStringLiteral("the server answered \"") + QString::fromUtf8(exchange.refusal) + QStringLiteral("\" (") +
         transport + QStringLiteral(")");
}

}  // namespace

bool IsPlainAddress(const QString& address) {
  const qsizetype at = address.indexOf(u'@');
  if (at <= 0 || at == address.size() - 1 || address.indexOf(u'@', at + 1) >= 0) return false;
  const QString forbidden = QStringLiteral("<>()[]\\,;:\"");
  return std::none_of(address.begin(), address.end(),
                      [&](QChar c) { return c.unicode() <= 0x20 || c.unicode() >= 0x7F || forbidden.contains(c); });
}

MailSettings ReadMailSettings(const RegistryRoot& root, const QString& subKey) {
  MailSettings settings;
  const auto read = [&](const QString& name, QString& value, bool trim) {
    const QString text = RegReadText(root, subKey, name);
    if (!text.trimmed().isEmpty()) value = trim ? text.trimmed() : text;
  };
  read(QStringLiteral("MailServer"), settings.server, true);
  read(QStringLiteral("MailUser"), settings.user, true);
  read(QStringLiteral("MailPassword"), settings.password, false);
  read(QStringLiteral("MailSender"), settings.sender, true);
  return settings;
}

MailSession::MailSession() : MailSession(MailSettings{}) {}

MailSession::MailSession(MailSettings settings) : settings_(std::move(settings)) { InitCurlOnce(); }

bool MailSession::Fail(const QString& text) {
  lastError_ = text;
  return false;
}

bool MailSession::SignOn() {
  lastError_.clear();
  if (sessionId_ != 0) return true;
  const QUrl url(settings_.server);
  const QString scheme = url.scheme().toLower();
  if ((scheme != QStringLiteral("smtp") && scheme != QStringLiteral("smtps")) || url.host().isEmpty())
    return Fail(QStringLiteral("Could not sign on: the mail server setting \"") + url.toDisplayString(QUrl::RemoveUserInfo) +
                QStringLiteral("\" is not an smtp:// or smtps:// address."));

  static std::atomic<qint64> lastSessionId = 0;
  sessionId_ = ++lastSessionId;
  return true;
}

void MailSession::SignOff() {
  sessionId_ = 0;
  message_.reset();
}

void MailSession::Compose() { message_.emplace(); }

void MailSession::SetRecipAddress(const QString& address) {
  if (message_) message_->recipient = address;
}

void MailSession::SetMsgSubject(const QString& subject) {
  if (message_) message_->subject = subject;
}

void MailSession::SetMsgNoteText(const QString& text) {
  if (message_) message_->noteText = text;
}

void MailSession::SetMsgReplyTo(const QString& address) {
  if (message_) message_->replyTo = address;
}

QByteArray MailSession::MessageText() const {
  if (!message_ || !IsPlainAddress(message_->recipient) || !IsPlainAddress(settings_.sender)) return {};
  return ComposedText({settings_.sender, message_->recipient, message_->replyTo, message_->subject,
                       message_->noteText});
}

bool MailSession::Send(bool showDialog) {
  lastError_.clear();
  const QString notSent = QStringLiteral("The mail was not sent: ");
  if (showDialog) return Fail(notSent + QStringLiteral("there is no mail program window to show."));
  if (sessionId_ == 0) return Fail(notSent + QStringLiteral("not signed on to the mail server."));
  if (!message_) return Fail(notSent + QStringLiteral("no message has been composed."));
  if (!IsPlainAddress(message_->recipient))
    return Fail(notSent + QStringLiteral("the recipient \"") + message_->recipient +
                QStringLiteral("\" is not a mail address."));
  if (!IsPlainAddress(settings_.sender))
    return Fail(notSent + QStringLiteral("the sender \"") + settings_.sender +
                QStringLiteral("\" is not a mail address."));

  const QByteArray from = '<' + settings_.sender.toLatin1() + '>';
  const QByteArray to = '<' + message_->recipient.toLatin1() + '>';
  CurlList recipients(curl_slist_append(nullptr, to.constData()));  // outlives the handle that uses it
  Exchange exchange;
  exchange.upload = MessageText();
  CurlHandle curl = OpenConnection(settings_, exchange);
  if (curl) {
    curl_easy_setopt(curl.get(), CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl.get(), CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, OnRead);
    curl_easy_setopt(curl.get(), CURLOPT_READDATA, &exchange);
    curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(exchange.upload.size()));
  }
  const QString error = Perform(curl.get(), exchange, waitHook_);
  if (!error.isEmpty()) return Fail(notSent + error);
  return true;
}

}  // namespace lumora::core

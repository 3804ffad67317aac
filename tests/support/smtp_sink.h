#pragma once

// smtp_sink.py, the tests' mail server, on a free loopback port.
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>

inline quint16 FreeLoopbackPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

// The mail server, stopped when this goes.
class SmtpSink {
 public:
  struct Options {
    bool refuse = false;
    bool startTls = false;  // offers STARTTLS with a certificate of its own making
  };

  explicit SmtpSink(bool refuse = false) : SmtpSink(Options{refuse}) {}
  explicit SmtpSink(Options options) : port_(FreeLoopbackPort()) {
    QStringList arguments{QStringLiteral(LUMORA_TEST_SUPPORT_DIR "/smtp_sink.py"), QStringLiteral("--port"),
                          QString::number(port_), QStringLiteral("--folder"), folder_.path()};
    if (options.refuse) arguments += QStringLiteral("--refuse");
    if (options.startTls) {
      const QString cert = folder_.filePath(QStringLiteral("cert.pem")), key = folder_.filePath(QStringLiteral("key.pem"));
      QProcess openssl;
      openssl.start(QStringLiteral("openssl"),
                    QStringLiteral("req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=localhost -keyout %1 -out %2")
                        .arg(key, cert).split(u' '));
      if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) return;
      arguments << QStringLiteral("--tls") << cert << key;
    }
    process_.start(QStringLiteral("/usr/bin/python3"), arguments);
    QByteArray output;  // "ready" comes once it listens
    while (!output.contains("ready") && process_.waitForReadyRead(10000)) output += process_.readAllStandardOutput();
    ready_ = output.contains("ready");
  }
  ~SmtpSink() { Stop(); }
  Q_DISABLE_COPY_MOVE(SmtpSink)

  void Stop() {
    process_.kill();
    process_.waitForFinished();
  }
  bool Ready() const { return ready_; }
  quint16 Port() const { return port_; }
  qsizetype Received() const { return QDir(folder_.path()).entryList({QStringLiteral("*.eml")}).size(); }
  QByteArray File(int message, const char* kind) const {
    return File(QString::number(message) + QLatin1Char('.') + QLatin1String(kind));
  }
  QByteArray File(const QString& name) const {
    QFile file(folder_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir folder_;
  quint16 port_;
  QProcess process_;
  bool ready_ = false;
};

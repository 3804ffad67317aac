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
  explicit SmtpSink(bool refuse = false) : port_(FreeLoopbackPort()) {
    QStringList arguments{QStringLiteral(LUMORA_TEST_SUPPORT_DIR "/smtp_sink.py"), QStringLiteral("--port"), QString::number(port_),
                          QStringLiteral("--folder"), folder_.path()};
    if (refuse) arguments += QStringLiteral("--refuse");
    process_.start(QStringLiteral("/usr/bin/python3"), arguments);
    QByteArray output;  // "ready" comes once it listens
    while (!output.contains("ready") && process_.waitForReadyRead(10000)) output += process_.readAllStandardOutput();
    ready_ = output.contains("ready");
  }
  ~SmtpSink() { Stop(); }
  Q_DISABLE_COPY_MOVE(SmtpSink)

  void Stop() {
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  bool Ready() const { return ready_; }
  quint16 Port() const { return port_; }
  qsizetype Received() const { return QDir(folder_.path()).entryList({QStringLiteral("*.eml")}).size(); }
  QByteArray File(int message, const char* kind) const {
    return File(QString::number(message) + QLatin1Char('.') + QLatin1String(kind));
  }
  QByteArray File(const QString& name) const {
    QFile file(folder_.path() + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir folder_;
  quint16 port_;
  QProcess process_;
  bool ready_ = false;
};


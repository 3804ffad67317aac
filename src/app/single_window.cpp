#include "app/single_window.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstdio>

#include "app/command_line.h"
#include "core/folders.h"

namespace lumora::app {
namespace {

// A window that does not answer within this long is busy or stopped: the
// start opens a window of its own rather than wait for it.
constexpr int kConnectMs = 2000;
constexpr int kAnswerMs = 2000;
constexpr int kLockMs = 2000;
// How often a window that could not listen tries again.
constexpr int kRetryMs = 200;
const QByteArray kTaken("taken\n");

}  // namespace

SingleWindow::SingleWindow(const QString& canonicalPack, QObject* parent) : QObject(parent) {
  // Starts on another display (or by another user) never meet.
  const QString key = canonicalPack + QLatin1Char('\n') + QString::number(getuid()) + QLatin1Char('\n') +
                      QGuiApplication::platformName() + QLatin1Char('\n') +
                      qEnvironmentVariable("WAYLAND_DISPLAY") + QLatin1Char('\n') + qEnvironmentVariable("DISPLAY");
  const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
  QString refusal;
  const QString folder = core::PrivateFolder(&refusal);
  if (folder.isEmpty())
    std::fprintf(stderr, "lumora: %s; later starts open windows of their own\n", qUtf8Printable(refusal));
  else
    name_ = folder + QStringLiteral("/lumora-") + QString::fromLatin1(digest);
}

SingleWindow::Start SingleWindow::HandOverOrListen(const QString& argumentString) {
  if (name_.isEmpty()) return Start::Alone;
  // Two starts at once must not both find no window and both listen; a
  // lock that another start keeps too long is not waited for.
  QLockFile lock(name_ + QStringLiteral(".lock"));
  if (!lock.tryLock(kLockMs)) return HandOver(argumentString) ? Start::HandedOver : StandBy();
  if (HandOver(argumentString)) return Start::HandedOver;
  if (!Alive(QStringLiteral(".pid")) && Alive(QStringLiteral(".standby"))) {
    // The window gone, another window of this help set is about to take its
    // place: it needs the lock for that, and this start hands over to it.
    lock.unlock();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < kAnswerMs) {
      QThread::msleep(kRetryMs / 2);
      if (HandOver(argumentString)) return Start::HandedOver;
    }
    if (!lock.tryLock(kLockMs)) return StandBy();
  }
  return Listen() ? Start::Listening : StandBy();
}

SingleWindow::Start SingleWindow::StandBy() {
  // The window of this help set is busy or stopped: this one is on its own
  // until that one is gone, then it takes over.
  Keep(QStringLiteral(".standby"));
  auto* retry = new QTimer(this);
  connect(retry, &QTimer::timeout, this, [this, retry] {
    QLockFile lock(name_ + QStringLiteral(".lock"));
    if (!lock.tryLock(0) || !Listen()) return;
    if (!Alive(QStringLiteral(".standby"))) QFile::remove(name_ + QStringLiteral(".standby"));
    retry->deleteLater();
  });
  retry->start(kRetryMs);
  return Start::Alone;
}

bool SingleWindow::Alive(const QString& suffix) const {
  QFile file(name_ + suffix);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const qint64 pid = file.readAll().trimmed().toLongLong();
  return pid > 0 && pid != QCoreApplication::applicationPid() &&
         (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

bool SingleWindow::Keep(const QString& suffix) const {
  QSaveFile file(name_ + suffix);
  return file.open(QIODevice::WriteOnly) && file.write(QByteArray::number(QCoreApplication::applicationPid())) > 0 &&
         file.commit();
}

bool SingleWindow::Listen() {
  // A socket is taken over only from a run that is gone, never from one
  // that is slow.
  if (Alive(QStringLiteral(".pid"))) return false;
  QLocalServer::removeServer(name_);
  auto* server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(name_) || !Keep(QStringLiteral(".pid"))) {
    delete server;
    return false;
  }
  server_ = server;
  connect(server_, &QLocalServer::newConnection, this, &SingleWindow::Accept);
  return true;
}

void SingleWindow::Close() {
  if (!server_) return;
  server_->close();
  QFile::remove(name_ + QStringLiteral(".pid"));
  server_ = nullptr;
}

bool SingleWindow::HandOver(const QString& argumentString) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.write(argumentString.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(kConnectMs)) return false;
  QByteArray answer;
  QElapsedTimer waited;
  waited.start();
  while (!answer.contains('\n') && waited.elapsed() < kAnswerMs &&
         socket.waitForReadyRead(static_cast<int>(kAnswerMs - waited.elapsed())))
    answer += socket.readAll();
  return answer == kTaken;
}

void SingleWindow::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto read = [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestHandover) socket->abort();
        return;
      }
      const std::optional<QString> request = ReadHandover(socket->readLine().chopped(1));
      if (!request) {
        socket->abort();
        return;
      }
      socket->write(kTaken);
      socket->disconnectFromServer();
      emit Request(*request);
    };
    connect(socket, &QLocalSocket::readyRead, this, read);
    read();  // the line may have come with the connection
  }
}

}  // namespace lumora::app

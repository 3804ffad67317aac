#include "app/single_window.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace lumora::app {
namespace {

// A running window answers once its start-up lets events through, which
// takes the browser engine a few seconds on a busy machine.
constexpr int kConnectMs = 2000;
constexpr int kAnswerMs = 30000;
// Argument strings are short; anything longer is not a start of ours.
constexpr qint64 kLongestRequest = 64 * 1024;
const QByteArray kTaken("taken\n");

// Private to the user where the session provides such a folder.
QString SocketFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
}

}  // namespace

SingleWindow::SingleWindow(const QString& canonicalPack, QObject* parent) : QObject(parent) {
  // Starts on another display (or by another user) never meet.
  const QString key = canonicalPack + QLatin1Char('\n') + QString::number(getuid()) + QLatin1Char('\n') +
                      QGuiApplication::platformName() + QLatin1Char('\n') +
                      qEnvironmentVariable("WAYLAND_DISPLAY") + QLatin1Char('\n') + qEnvironmentVariable("DISPLAY");
  const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
  name_ = SocketFolder() + QStringLiteral("/lumora-") + QString::fromLatin1(digest);
}

SingleWindow::Start SingleWindow::HandOverOrListen(const QString& argumentString) {
  // Two starts at once must not both find no window and both listen.
  QLockFile lock(name_ + QStringLiteral(".lock"));
  lock.lock();
  if (HandOver(argumentString)) return Start::HandedOver;
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) {
    delete server_;
    server_ = nullptr;
    return Start::Alone;
  }
  connect(server_, &QLocalServer::newConnection, this, &SingleWindow::Accept);
  return Start::Listening;
}

void SingleWindow::Close() {
  if (server_) server_->close();
}

bool SingleWindow::HandOver(const QString& argumentString) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  socket.write(argumentString.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(kConnectMs)) return false;
  QByteArray answer;
  while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerMs)) answer += socket.readAll();
  return answer == kTaken;
}

void SingleWindow::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto read = [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest) socket->abort();
        return;
      }
      const QString argumentString = QString::fromUtf8(socket->readLine().chopped(1));
      socket->write(kTaken);
      socket->disconnectFromServer();
      emit Request(argumentString);
    };
    connect(socket, &QLocalSocket::readyRead, this, read);
    read();  // the line may have come with the connection
  }
}

}  // namespace lumora::app

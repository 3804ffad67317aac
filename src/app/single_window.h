#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace lumora::app {

// One window per help set. The first start of a language pack listens on a
// local socket named for the pack, the user and the display; a later start
// with the same pack hands its argument string to that window and ends.
class SingleWindow final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SingleWindow)

 public:
  enum class Start { HandedOver, Listening, Alone };

  // canonicalPack: the pack's real path, which names the help set.
  explicit SingleWindow(const QString& canonicalPack, QObject* parent = nullptr);

  // Hands the argument string to the window already running for this help
  // set, or else becomes that window (Listening) and reports later starts
  // through Request. The socket lives in a folder only the user can reach;
  // one left by a run that has ended is taken over. Alone: the window of the
  // help set did not answer within 2 s (it is busy or stopped), or there is
  // no private folder; this window then takes over once that one is gone.
  // Waits at most a few seconds in all.
  Start HandOverOrListen(const QString& argumentString);
  // Later starts open their own windows again.
  void Close();

 signals:
  void Request(const QString& argumentString);

 private:
  bool HandOver(const QString& argumentString) const;
  bool Listen();
  Start StandBy();
  // Whether the process named in the file name_ + suffix runs; writes ours there.
  bool Alive(const QString& suffix) const;
  bool Keep(const QString& suffix) const;
  void Accept();

  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace lumora::app

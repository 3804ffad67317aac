#pragma once

#include <QObject>
#include <QString>

class QTimer;

namespace lumora::app {

class Manager;

// Diagnostics for support and for the whole-program tests: while the
// environment names a file in LUMORA_LAYOUT_REPORT, the window's state and
// the place of every control are written there as JSON whenever they change.
class LayoutReport final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(LayoutReport)

 public:
  LayoutReport(Manager& window, QString path);

  // The report as it stands now.
  QByteArray Compose() const;
  // Writes the report if it differs from the one last written.
  void Refresh();

  // Starts a report when the environment asks for one.
  static void StartIfRequested(Manager& window);

 private:
  Manager& window_;
  QString path_;
  QByteArray written_;
  QTimer* timer_;
};

}  // namespace lumora::app

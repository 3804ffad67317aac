#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "core/pump.h"
#include "layout/composition.h"

namespace lumora::app {

// The window while long work runs (an index build, a search, a preview, a
// question going out): toolbar, panes and boxes disabled, the status box in
// front with what is being done, and the events pumped so that it paints and
// a close is seen.
class BusyWindow final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(BusyWindow)

 public:
  // The status box is centred in window.
  BusyWindow(QWidget& window, layout::Composition& ui, QObject* parent = nullptr);

  // Busy with what message says, or back to normal.
  void Begin(const QString& message);
  void End();
  // Disabled, the window lets go of the keyboard; enabled again, the control
  // that had it takes it back.
  void SetInteractive(bool enabled);
  // Lets the window paint and take input during long work; false once it closes.
  const core::Pump& Pump() const { return pump_; }
  // The window is closing: long work stops at its next pump.
  void Stop() { stopped_ = true; }
  bool Stopped() const { return stopped_; }

 private:
  QWidget& window_;
  layout::Composition& ui_;
  core::Pump pump_;
  bool stopped_ = false;
  QPointer<QWidget> focusBeforeBusy_;
};

}  // namespace lumora::app

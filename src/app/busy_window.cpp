#include "app/busy_window.h"

#include <QApplication>

#include "app/window_scale.h"
#include "layout/page_layout.h"

namespace lumora::app {

BusyWindow::BusyWindow(QWidget& window, layout::Composition& ui, QObject* parent)
    : QObject(parent), window_(window), ui_(ui) {
  pump_ = [this] {
    QCoreApplication::processEvents();
    return !stopped_;
  };
}

void BusyWindow::SetInteractive(bool enabled) {
  if (!enabled && QApplication::focusWidget()) focusBeforeBusy_ = QApplication::focusWidget();
  ui_.toolbarStrip->SetEnabled(enabled);
  for (controls::SimpleBox* box : ui_.SimpleBox) box->SetEnabled(enabled);
  ui_.ExplorerHolder->SetEnabled(enabled);
  if (!enabled || !focusBeforeBusy_) return;
  // Enter in the search box keeps the keyboard there for the next search.
  if (focusBeforeBusy_->isVisible() && focusBeforeBusy_->isEnabled() && !QApplication::focusWidget())
    focusBeforeBusy_->setFocus(Qt::OtherFocusReason);
  focusBeforeBusy_.clear();
}

void BusyWindow::Begin(const QString& message) {
  SetInteractive(false);
  ui_.busy.message->SetCaption(message);
  layout::PlaceControllerBoxes(ui_, 0, ScaleWidthOf(window_));
  ui_.busy.box->raise();
  ui_.busy.box->SetVisible(true);
}

void BusyWindow::End() {
  ui_.busy.box->SetVisible(false);
  SetInteractive(true);
}

}  // namespace lumora::app

#include "app/busy_window.h"

#include <QApplication>

#include "layout/page_layout.h"

namespace lumora::app {

BusyWindow::BusyWindow(layout::Composition& ui, std::function<int()> scaleWidth, QObject* parent)
    : QObject(parent), ui_(ui), scaleWidth_(std::move(scaleWidth)) {
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
  layout::PlaceControllerBoxes(ui_, 0, scaleWidth_());
  ui_.busy.box->raise();
  ui_.busy.box->SetVisible(true);
}

void BusyWindow::End() {
  ui_.busy.box->SetVisible(false);
  SetInteractive(true);
}

}  // namespace lumora::app

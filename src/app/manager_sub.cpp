#include "app/manager_sub.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>

namespace lumora::app {

QString WindowTitle() { return QStringLiteral("Quillmark Lumora - Dynamic Help System"); }

// Without a frame of its own it lies exactly under the main window, so no
// part of it ever shows around the main window's edges.
ManagerSub::ManagerSub(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), genLabel_(new platform::Label(this)) {
  setWindowTitle(WindowTitle());
  setWindowIcon(QApplication::windowIcon());
  QFont font(QStringLiteral("Verdana"));
  font.setPointSizeF(8.25);
  setFont(font);
  setMouseTracking(true);  // every movement over it hands the focus on

  genLabel_->SetVisible(false);
  genLabel_->SetTransparent(true);
  genLabel_->SetFontName(QStringLiteral("MS Sans Serif"));
  genLabel_->SetFontSize(8.25);
  genLabel_->SetAutoSize(true);
}

}  // namespace lumora::app

namespace lumora::app {

void ManagerSub::HandOn() {
  if (!main_) return;
  if (!main_->isVisible())
    showMinimized();
  else
    main_->activateWindow();
}

void ManagerSub::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (!main_) return;
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) HandOn();
  // Restored from the taskbar: the main window comes back where it was.
  if (event->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized) && !main_->isVisible())
    main_->show();
}

// Closed from the taskbar: the program ends as by the main window's close.
void ManagerSub::closeEvent(QCloseEvent* event) {
  if (!main_) return;
  event->ignore();
  main_->close();
}

void ManagerSub::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  HandOn();
}

}  // namespace lumora::app

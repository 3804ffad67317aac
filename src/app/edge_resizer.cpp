#include "app/edge_resizer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace lumora::app {

EdgeResizer::EdgeResizer(QWidget& window, std::function<int(const QWidget*)> band)
    : QObject(&window), window_(window), band_(std::move(band)) {
  qApp->installEventFilter(this);
}

EdgeResizer::~EdgeResizer() {
  if (shown_) QGuiApplication::restoreOverrideCursor();
}

Qt::Edges EdgeResizer::EdgesAt(const QPoint& global, int margin) const {
  const QRect r = window_.frameGeometry();
  Qt::Edges edges;
  if (margin <= 0 || !r.adjusted(-margin, -margin, margin, margin).contains(global)) return edges;
  if (global.x() < r.left() + margin) edges |= Qt::LeftEdge;
  if (global.x() > r.right() - margin) edges |= Qt::RightEdge;
  if (global.y() < r.top() + margin) edges |= Qt::TopEdge;
  if (global.y() > r.bottom() - margin) edges |= Qt::BottomEdge;
  return edges;
}

void EdgeResizer::ShowCursor(Qt::Edges edges) {
  if (edges == shown_) return;
  if (shown_) QGuiApplication::restoreOverrideCursor();
  shown_ = edges;
  if (!edges) return;
  Qt::CursorShape shape = Qt::SizeAllCursor;
  if (edges == Qt::LeftEdge || edges == Qt::RightEdge) shape = Qt::SizeHorCursor;
  else if (edges == Qt::TopEdge || edges == Qt::BottomEdge) shape = Qt::SizeVerCursor;
  else if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge)) shape = Qt::SizeFDiagCursor;
  else shape = Qt::SizeBDiagCursor;
  QGuiApplication::setOverrideCursor(shape);
}

void EdgeResizer::Follow(const QPoint& global) {
  QRect r = startGeometry_;
  const QPoint d = global - start_;
  const QSize least = window_.minimumSize();
  if (dragging_ & Qt::LeftEdge) r.setLeft(std::min(r.left() + d.x(), r.right() - least.width() + 1));
  if (dragging_ & Qt::RightEdge) r.setRight(std::max(r.right() + d.x(), r.left() + least.width() - 1));
  if (dragging_ & Qt::TopEdge) r.setTop(std::min(r.top() + d.y(), r.bottom() - least.height() + 1));
  if (dragging_ & Qt::BottomEdge) r.setBottom(std::max(r.bottom() + d.y(), r.top() + least.height() - 1));
  window_.setGeometry(r);
}

bool EdgeResizer::eventFilter(QObject* watched, QEvent* event) {
  // Every event of the application passes here, also those of objects still
  // being built: look at nothing but mouse events of this window's widgets.
  const QEvent::Type type = event->type();
  // The pointer left the window through the band: other windows get their
  // own cursor back.
  if (type == QEvent::Leave && watched == &window_ && !dragging_) {
    ShowCursor({});
    return false;
  }
  if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
    return false;
  if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &window_ || window_.isMaximized())
    return false;
  const int margin = band_ ? band_(static_cast<QWidget*>(watched)) : kMargin;
  switch (type) {
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (dragging_) {
        Follow(mouse->globalPosition().toPoint());
        return true;
      }
      ShowCursor(EdgesAt(mouse->globalPosition().toPoint(), margin));
      return false;
    }
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const Qt::Edges edges = EdgesAt(mouse->globalPosition().toPoint(), margin);
      if (mouse->button() != Qt::LeftButton || !edges) return false;
      // The window manager resizes best; without one the pointer is followed here.
      if (window_.windowHandle() && window_.windowHandle()->startSystemResize(edges)) return true;
      dragging_ = edges;
      start_ = mouse->globalPosition().toPoint();
      startGeometry_ = window_.geometry();
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!dragging_) return false;
      dragging_ = {};
      return true;
    default: return false;
  }
}

}  // namespace lumora::app

#pragma once

#include <QObject>
#include <functional>
#include <QPoint>
#include <QRect>

class QWidget;

namespace lumora::app {

// Lets a frameless window be resized from its edges and corners: the cursor
// shows the direction near an edge, and a press there hands the resize to
// the window manager, or follows the pointer itself where there is none.
class EdgeResizer final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(EdgeResizer)

 public:
  static constexpr int kMargin = 4;  // pixels

  // band(widget) says how wide the edge band is over a widget, so that
  // buttons and the page's scroll bar keep the presses meant for them.
  explicit EdgeResizer(QWidget& window, std::function<int(const QWidget*)> band = {});
  ~EdgeResizer() override;

  // The edges of the window a global position is within margin pixels of.
  Qt::Edges EdgesAt(const QPoint& global, int margin = kMargin) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCursor(Qt::Edges edges);
  void Follow(const QPoint& global);

  QWidget& window_;
  std::function<int(const QWidget*)> band_;
  Qt::Edges shown_;
  Qt::Edges dragging_;
  QPoint start_;
  QRect startGeometry_;
};

}  // namespace lumora::app

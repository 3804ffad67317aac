#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

#include "app/find_strip.h"
#include "app/page_controller.h"
#include "layout/composition.h"

class QShortcut;
class QWidget;

namespace lumora::app {

// The keys a reader expects besides the mouse: zoom (Ctrl+plus, Ctrl+minus,
// Ctrl+0, Ctrl+wheel over the page), Back and Forward (Alt+Left, Alt+Right),
// the home page (Alt+Home), the help set's page about the viewer (F1), print
// and preview (Ctrl+P, Ctrl+Shift+P), reload (F5), F6
// between the pane and the page, and find in page (Ctrl+F, F3, Shift+F3,
// Escape while the find strip shows). A key whose toolbar button is
// disabled does nothing.
class Shortcuts final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Shortcuts)

 public:
  Shortcuts(QWidget& window, layout::Composition& ui, PageController& pages, FindStrip& find, QObject* parent = nullptr);

  // The zoom steps levels up (above 0) or down; kept for the user.
  void Zoom(int steps);
  void ResetZoom();
  // The level steps away from current, within 50 % and 300 %.
  static double StepZoom(double current, int steps);

  // The pane's text box (or the bookmark list) when its page shows one, else the page.
  void SwitchPaneAndPage();
  // One more window key, kept from the page as the others are.
  void Bind(const QKeySequence& keys, std::function<void()> action);

 private:
  QShortcut* Add(const QKeySequence& keys, std::function<void()> action);
  void SetZoom(double factor);

  QWidget& window_;
  layout::Composition& ui_;
  PageController& pages_;
  QList<QKeySequence> keys_;
};

}  // namespace lumora::app

#pragma once

#include <QWidget>

#include "platform/label.h"

namespace lumora::app {

// The plain owner window: it carries the taskbar entry and the title, sits
// exactly under the main window, and holds the hidden measuring label.
class ManagerSub final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ManagerSub)

 public:
  explicit ManagerSub(QWidget* parent = nullptr);

  platform::Label* GenLabel() const { return genLabel_; }

 private:
  platform::Label* genLabel_ = nullptr;
};

// The title of both windows.
QString WindowTitle();

}  // namespace lumora::app

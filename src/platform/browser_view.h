#pragma once

#include "platform/form_element.h"

class QWebEngineView;

namespace lumora::platform {

// The embedded browser view that shows the help pages.
class BrowserView final : public FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(BrowserView)

 public:
  // Flags of Navigate2, combined: 14 = no history entry, no cache read or write.
  enum NavigateFlags { navNoHistory = 2, navNoReadFromCache = 4, navNoWriteToCache = 8 };

  explicit BrowserView(QWidget* parent = nullptr);

  // Loads a local file, found through the case-insensitive resolver.
  void Navigate2(const QString& path, int flags);
  QWebEngineView* View() const { return view_; }

 signals:
  // A navigation completed; local pages are reported as their local path.
  void NavigateComplete2(const QString& url);
  void UpdatePageStatus();

 protected:
  void OnResize() override;

 private:
  QWebEngineView* view_ = nullptr;
};

}  // namespace lumora::platform

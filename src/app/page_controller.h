#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>

#include "controls/skin.h"
#include "app/navigation.h"
#include "layout/page.h"
#include "layout/composition.h"

namespace lumora::app {

// The page switch, navigation of the browser view with the program's own
// back/forward history, the toolbar's enabled state, and the main window's
// handlers that drive them.
class PageController final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PageController)

 public:
  // The toolbar buttons that are no page's.
  enum Button { buttonBack = 0, buttonForward = 1, buttonPrint = 7, buttonPreview = 8 };

  PageController(layout::Composition& ui, controls::SharedSkin skin, QObject* parent = nullptr);

  // A new help set: the contents page, no history.
  void Reset(const QString& helpFolder);
  const QString& HelpFolder() const { return helpFolder_; }
  layout::Page Shown() const { return shown_; }
  const Navigation& History() const { return navigation_; }

  // Brings a page to the front.
  void Show(layout::Page page);
  // What a toolbar button does: its page, a step back or forward, print or preview.
  void PressToolButton(int button);
  void GoBack() { PressToolButton(buttonBack); }
  void GoForward() { PressToolButton(buttonForward); }
  // Shows the URL (or the home page) unless it is already shown; true when a
  // navigation was started.
  bool NavigateTo(bool useGivenUrl, const QString& url);
  void RefreshToolbarState();
  // Gives the keyboard to where the reader works on the page shown.
  void FocusWorkArea();
  // The contents page with the help set's home page.
  void GoHome();
  // The contents page with the help set's page about using the viewer (F1),
  // else its home page.
  void ShowViewerHelp();
  // The help set's own page about using the viewer, as help authors name it
  // (the first of using/overview.html, using/index.html, using.html, letter
  // case ignored); "" when it has none.
  QString ViewerHelpPage() const;
  // Loads the page shown again (an author's edit shows), as no new step in
  // the history; nothing while the question form or no page is shown.
  void Reload();
  // Opens a page chosen in the index (or the search results, whose words
  // are then marked on it) as the next step in the history.
  void Open(const QString& page, bool fromSearch);
  // The browser completed a navigation to url.
  void NavigationCompleted(const QString& url);
  // The pages Back (-1) or Forward (+1) reach, offered as a list under the
  // button; choosing one takes as many steps. Nothing when there are none.
  void ShowHistoryMenu(int direction);
  // The history list while it is open: its pages' titles, nearest first.
  QStringList HistoryMenuTitles() const;

 signals:
  // A page is shown: one opened from the search result list (fromSearch),
  // or any other, also a move within the page shown.
  void PageShown(bool fromSearch);
  // Show has made another page the shown one: the window is to be laid out
  // for it (Shown()) before the keyboard moves there.
  void LayoutNeeded();
  // The index or search page is coming to the front: the topic index is to
  // be built, if it is not yet.
  void TopicIndexNeeded();
  // The search page or the bookmarks page (newly) came to the front.
  void SearchShown();
  void BookmarksShown();
  // A page arrived: highlights under the pointer are to be cleared.
  void HoverResetNeeded(bool keepLists);

 private:
  void Connect();
  void Step(int delta);

  layout::Composition& ui_;
  controls::SharedSkin skin_;  // for the history menu
  layout::Page shown_ = layout::Page::Contents;
  Navigation navigation_;  // the page shown and the steps before and after it
  QString helpFolder_;
  QPointer<QMenu> historyMenu_;
};

}  // namespace lumora::app

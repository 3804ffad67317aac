#pragma once

#include <QObject>
#include <QPointer>
#include <optional>
#include <vector>

#include "controls/skin.h"
#include "settings/language_pack.h"
#include "app/page_controller.h"
#include "layout/composition.h"
#include "settings/bookmarks.h"

class QLineEdit;

namespace lumora::app {

// The bookmarks page: the pages a reader keeps for this help set, listed in
// the pane by name and page. Ctrl+D or Add keeps the page shown; Enter or a
// double click opens one; Delete removes it (Ctrl+Z brings it back while the
// page is open); F2 renames it in place; a drag or Alt+Up/Down moves it.
// Every change is written at once; the status line under the list says what
// happened, and why when something could not be done.
class BookmarksPage final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(BookmarksPage)

 public:
  BookmarksPage(layout::Composition& ui, PageController& pages, controls::SharedSkin skin,
                const settings::LanguagePack& language, QObject* parent = nullptr);

  // Reads the bookmarks of the help set whose pack is packPath; a damaged
  // file is set aside with a note on standard error, and the list is empty.
  void Load(const QString& packPath);
  // Keeps the page shown and brings the bookmarks page forward with it selected.
  void KeepShownPage();
  void Open(int row);
  void Remove(int row);
  // Puts back the last bookmark removed since the page was opened.
  void Undo();
  void StartRename(int row);
  void MoveRow(int from, int to);
  // The list as stored, and whether each bookmark's page is still there.
  const settings::Bookmarks& Store() const { return store_; }
  std::vector<bool> Missing() const;
  // The page came to the front: the list is shown anew (a page may have
  // gone meanwhile) and the undo list starts empty.
  void Shown();
  // The window is closing: the list and its editor go with it.
  void WindowClosing() { closing_ = true; }
  // The path of page (as the view reports it) inside the help folder, "" when it lies elsewhere.
  static QString PageInFolder(const QString& helpFolder, const QString& page);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refresh(int select);
  void Save();
  void Say(const QString& text);
  // Ends the rename, keeping the name typed or not; Enter and Escape give the
  // keyboard back to the list, a click elsewhere leaves it where it went.
  void FinishRename(bool keep, bool backToList);

  layout::Composition& ui_;
  PageController& pages_;
  controls::SharedSkin skin_;  // for the rename box
  const settings::LanguagePack& language_;
  settings::Bookmarks store_{QString()};
  struct Removed {
    int row;
    settings::Bookmark bookmark;
  };
  std::vector<Removed> removed_;
  QPointer<QLineEdit> editor_;
  int editedRow_ = -1;
  bool closing_ = false;
};

}  // namespace lumora::app

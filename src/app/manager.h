#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

#include "app/bookmarks_page.h"
#include "app/find_strip.h"
#include "app/page_controller.h"
#include "app/question_form.h"
#include "app/search_marks.h"
#include "app/busy_window.h"
#include "app/index_page.h"
#include "app/search_page.h"
#include "app/window_frame.h"
#include "controls/skin.h"
#include "layout/composition.h"
#include "settings/user_settings.h"

namespace lumora::app {

class ManagerSub;

// The frameless main window. It is owned by ManagerSub, so it stays in front
// of it and has no taskbar entry of its own.
class Manager final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Manager)

 public:
  // Measures the platform and composes the window; shows nothing yet.
  explicit Manager(ManagerSub* owner);

  // Runs the start-up sequence for the argument string. Returns false after
  // the fatal "language not found" message, when the program must end
  // without showing a window.
  bool Load(const QString& argumentString);

  layout::Composition& Ui() { return ui_; }
  const layout::Composition& Ui() const { return ui_; }
  PageController& Pages() { return *pages_; }
  const PageController& Pages() const { return *pages_; }
  QuestionForm& Question() { return *question_; }
  WindowFrame& Frame() { return *frame_; }
  const FindStrip& Find() const { return *find_; }
  SearchMarks& Marks() const { return *marks_; }
  const BookmarksPage& Bookmarks() const { return *bookmarks_; }
  controls::Skin& WindowSkin() { return *skin_; }
  const settings::LanguagePack& Language() const { return language_; }
  // Runs the resize handler on demand.
  void Form_Resize_Now();
  // The window is closing, or has closed.
  bool QuitRequested() const { return quitRequested_; }
  // Ends the program: the windows go at once, long work stops, and the
  // main loop ends when control returns to it.
  void RequestQuit();
  // Switches to the next installed theme at once and keeps the choice for
  // the user.
  void ChangeColour();
  // Puts the window where the user last left it, on a screen that exists.
  void RestorePlace(const settings::WindowPlace& place);
  // The argument string of a later start with the same help set: shows its
  // topic and run mode and brings the window to the front. Requests that
  // come during start-up or long work wait until it is done.
  void TakeRequest(const QString& argumentString);
  // Inner width and height in twips.
  int ScaleWidth() const;
  int ScaleHeight() const;

 signals:
  // The program is ending: later starts must open their own window.
  void Quitting();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Loaders and page steps that the start-up sequence calls in its order.
  void ApplyLeastSize();
  void LoadThemeImages();
  void ApplyTheme();
  void LoadLanguagePack();
  void SelfAlign();
  void LayoutPage();
  void HoverReset(bool keepLists);
  // Shows the page that "-topic NAME" names; false (and a note on standard
  // error) when the help folder has no such page.
  bool OpenTopic(const QString& topic);
  void ShowStartPage(layout::Page page);
  void TakeWaitingRequests();
  void BringToFront();

  ManagerSub* owner_;
  QStringList waitingRequests_;
  bool loaded_ = false;
  bool activated_ = false;  // the keyboard placed at the first activation
  bool takingRequests_ = false;
  layout::Composition ui_;
  QString commandLine_;  // lower-cased; empty until the start-up reads it
  QString pack_;         // the language pack as given, in its own letters
  settings::LanguagePack language_;  // what the pack says, read at the start
  QString currentTheme_;
  // What every skinned control is drawn with; loaded again on a change of theme.
  std::shared_ptr<controls::Skin> skin_ = std::make_shared<controls::Skin>();
  bool quitRequested_ = false;  // long work stops and nothing more is shown
  bool layoutBusy_ = false;
  PageController* pages_ = nullptr;
  QuestionForm* question_ = nullptr;
  BusyWindow* busy_ = nullptr;
  IndexPage* index_ = nullptr;
  SearchPage* search_ = nullptr;
  WindowFrame* frame_ = nullptr;
  FindStrip* find_ = nullptr;
  SearchMarks* marks_ = nullptr;
  BookmarksPage* bookmarks_ = nullptr;
};

}  // namespace lumora::app

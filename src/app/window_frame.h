#pragma once

#include <QObject>
#include <QPoint>
#include <array>
#include <functional>

#include "controls/skin.h"
#include "layout/composition.h"

namespace lumora::app {

class ManagerSub;

// What the platform frame would give the frameless main window: the title
// bar's buttons, caption drag, the resize of title and page, and the hover
// highlights that the skinned controls cannot clear themselves.
class WindowFrame final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WindowFrame)

 public:
  enum class Family { CommandButton, ToolButton, FormControl };

  WindowFrame(QWidget& window, ManagerSub& owner, layout::Composition& ui, controls::SharedSkin skin,
              QObject* parent = nullptr);

  // The resize handler: owner window under the main one, title-bar buttons
  // from the right edge, the title fitted with "...", then the page.
  void Form_Resize_Now();
  // 0 the next theme ("Change Colour"), 1 the help's home page, 2 minimise
  // to the owner window, 3 maximise or restore, 4 end the program.
  void TitleButtonAction(int index);
  // Highlights member index of the family and clears the others; -1 clears all.
  void HighlightOnly(Family family, int index);
  void HoverReset(bool keepLists);
  // The title-bar buttons show their resting pictures (a new theme's).
  void RestFormControls();
  bool FormControlLit(int index) const { return lit_[static_cast<size_t>(index)]; }
  // One tick of the cursor poll, for the cursor at a global pixel position.
  void PollCursorAt(const QPoint& cursor);
  // The page told of a link hovered or left, or of loading: it clears the
  // highlights only while the cursor is over the page, since the page's news
  // may come after the pointer has reached a button.
  void PageReportedPointer(const QPoint& cursor);
  // Start-up is over: resizes lay the window out from now on.
  void Started() { started_ = true; }
  // A move of the windows is under way (a caption drag's step, a resize):
  // a resize it causes is not laid out again meanwhile.
  void SetMoving(bool moving) { moving_ = moving; }

 signals:
  // Ending the program was asked for.
  void Quit();
  // "Change Colour": the next installed theme is wanted.
  void ChangeColour();
  // The help button asks for the help's home page.
  void GetHelp();
  // The window has a new size: the page shown is to be laid out for it.
  void LayoutNeeded();

 private:
  void Connect();
  void SetFormControlHighlight(int index, bool highlighted);
  void DragStep(double x, double y);
  bool OverPage(const QPoint& cursor) const;

  QWidget& window_;
  ManagerSub& owner_;
  layout::Composition& ui_;
  controls::SharedSkin skin_;
  bool started_ = false;
  bool moving_ = false;
  bool cursorOutsideLatch_ = false;  // highlights were cleared for the region the cursor is in
  QPoint dragAnchor_{-1, 0};          // x -1: no caption drag in progress
  std::array<bool, 5> lit_{};  // each title-bar button: highlighted under the pointer
};

}  // namespace lumora::app

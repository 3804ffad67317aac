#pragma once

#include <QTimer>

#include <array>

#include "controls/skin.h"
#include "platform/form_element.h"
#include "platform/hot_spot.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/picture.h"
#include "platform/shape.h"

namespace lumora::controls {

// A toolbar button: a picture and an optional caption, its width taken from
// its content, a hover body, a pressed and a toggled ("sunken") look, an
// optional group separator on its left, and a command number it reports.
// Tab reaches it (a click does not take the keyboard from the page): it then
// shows a dotted frame, and Enter or Space released on it click it.
class ToolButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ToolButton)

 public:
  explicit ToolButton(QWidget* parent = nullptr);

  // Configures the button once: the command number it reports, its caption,
  // its picture in the toolbar picture lists, whether it raises its events,
  // and whether it starts a new group.
  void ToolProperty(int cmdIdValue, const QString& captionValue, int picLdrValue, bool enaControl, int newCatValue);
  QString Caption() const { return TlBCaption->Caption(); }
  bool NewCategory() const { return newCategory_; }
  int Command() const { return command_; }
  int PictureIndex() const { return pictureIndex_; }
  bool CommandEnabled() const { return commandEnabled_; }
  bool ImHigh() const { return imHigh_; }
  void SetImHigh(bool imHighValue);
  // The toggled look of the current page's button.
  bool Sunken() const { return sunken_; }
  void SetSunken(bool sunkenValue);
  // A write with the current value changes nothing, not even the picture.
  void SetEnabled(bool enabledValue);
  void ResetControl(SharedSkin skin);
  // What a press does: Click(Command) when the command is enabled.
  void Press();

  // Back to front: body, inner line, picture, caption, separator, middle line, hot spot.
  std::array<platform::Shape*, 3> TlBShape{};
  platform::Picture* TlBImage = nullptr;
  platform::Label* TlBCaption = nullptr;
  std::array<platform::Line*, 2> NormLine{};
  platform::HotSpot* TlBHotSpot = nullptr;
  platform::Shape* TlBFocus = nullptr;  // the keyboard focus frame, over the rest

 signals:
  void Click(int CommandID);
  void DoubleClick(int CommandID);
  // A right click, a press held half a second, or Alt+Down with the keyboard
  // on the button: its list of places to go (Back's and Forward's history).
  void MenuRequested();

 protected:
  void OnResize() override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  SharedSkin skin_ = PlainSkin();  // the window's, from ResetControl
  void Layout();
  // Every colour, line, picture and place of the caption and picture, from
  // the theme and the button's state.
  void ApplyLook();
  void SetPressed(bool pressed);

  bool imHigh_ = false;   // the pointer is over it
  bool pressed_ = false;  // held down by the mouse or a key
  bool focused_ = false;
  bool newCategory_ = false;
  int command_ = 0;
  bool sunken_ = false;
  bool commandEnabled_ = false;
  int pictureIndex_ = 0;
  bool keyDown_ = false;
  QTimer* hold_ = nullptr;      // a press held this long asks for the list
  bool heldForMenu_ = false;    // the press became the list: its release clicks nothing
};

}  // namespace lumora::controls

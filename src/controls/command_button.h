#pragma once

#include <array>

#include "controls/skin.h"
#include "platform/form_element.h"
#include "platform/hot_spot.h"
#include "platform/label.h"
#include "platform/shape.h"

namespace lumora::controls {

// The program's push button: a rounded, theme-coloured face with a centred
// caption, a hover highlight, a pressed look, a dotted focus frame, and
// activation by click, Enter or Space (on release).
class CommandButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(CommandButton)

 public:
  explicit CommandButton(QWidget* parent = nullptr);

  // Re-applies the theme colours and the caption's font face.
  void ResetControl(SharedSkin skin);
  // The caption is shown with its first character underlined: reading it
  // back gives "&" followed by the text written.
  QString Caption() const { return CmBLabel->Caption(); }
  void SetCaption(const QString& captionValue);
  // Enabled also switches between the full and the reduced, shadowed look.
  void SetEnabled(bool enabledValue);
  bool ImHigh() const { return imHigh_; }
  void SetImHigh(bool imHighValue);

  // The elements, back to front: face, three frame lines, focus frame, two
  // hover lines, caption, hot spot.
  std::array<platform::Shape*, 7> CmBShape{};
  platform::Label* CmBLabel = nullptr;
  platform::HotSpot* CmbHotSpot = nullptr;

 signals:
  // MouseMove (of FormElement) is raised whenever the pointer is over the button.
  void Click();

 protected:
  void OnResize() override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  SharedSkin skin_ = PlainSkin();  // the window's, from ResetControl
  void Layout();
  // Every colour, line and the caption's place, from the theme and the
  // button's state.
  void ApplyLook();
  void SetPressed(bool pressed);

  bool imHigh_ = false;   // the pointer is over it
  bool pressed_ = false;  // held down by the mouse or a key
  bool focused_ = false;
};

}  // namespace lumora::controls

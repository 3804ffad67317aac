#pragma once

#include <array>

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
  void ResetControl();

  // Back to front: body, inner line, picture, caption, separator, middle line, hot spot.
  std::array<platform::Shape*, 3> TlBShape{};
  platform::Picture* TlBImage = nullptr;
  platform::Label* TlBCaption = nullptr;
  std::array<platform::Line*, 2> NormLine{};
  platform::HotSpot* TlBHotSpot = nullptr;

 signals:
  void Click(int CommandID);
  void DoubleClick(int CommandID);

 protected:
  void OnResize() override;

 private:
  void Layout();
  void ReleasedLook();
  void PressedLook();
  void EnabledLook();
  void ShowBody(bool shown);

  bool imHigh_ = false;
  bool newCategory_ = false;
  int command_ = 0;
  bool sunken_ = false;
  bool commandEnabled_ = false;
  int pictureIndex_ = 0;
};

}  // namespace lumora::controls

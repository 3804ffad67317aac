#pragma once

#include "platform/form_element.h"

namespace lumora::controls {

// A toolbar button with a picture, an optional caption and a command number.
class ToolButton final : public platform::FormElement {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ToolButton)

 public:
  explicit ToolButton(QWidget* parent = nullptr);

  // Configures the button once: the command number it reports, its caption,
  // its picture in the toolbar picture lists, whether it raises its events,
  // and whether it starts a new group.
  void ToolProperty(int cmdIdValue, const QString& captionValue, int picLdrValue, bool enaControl, int newCatValue);
  QString Caption() const { return caption_; }
  bool NewCategory() const { return newCategory_; }
  int Command() const { return command_; }
  int PictureIndex() const { return pictureIndex_; }
  bool CommandEnabled() const { return commandEnabled_; }
  // The toggled look of the current page's button.
  bool Sunken() const { return sunken_; }
  void SetSunken(bool sunkenValue);

 signals:
  void Click(int CommandID);
  void DoubleClick(int CommandID);

 private:
  QString caption_;
  bool newCategory_ = false;
  int command_ = 0;
  int pictureIndex_ = 0;
  bool commandEnabled_ = false;
  bool sunken_ = false;
};

}  // namespace lumora::controls

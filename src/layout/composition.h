#pragma once

#include <QTimer>
#include <array>
#include <vector>

#include "controls/command_button.h"
#include "controls/complex_list.h"
#include "controls/controller_box.h"
#include "controls/explorer_holder.h"
#include "controls/simple_box.h"
#include "controls/tool_button.h"
#include "controls/write_box.h"
#include "platform/browser_view.h"
#include "platform/container.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/picture.h"
#include "platform/push_button.h"
#include "platform/text_box.h"

namespace lumora::layout {

// Every control of the main window, by the name and index the program uses.
// A control array with a gap holds nullptr there (FrameImage(1)).
// The widgets are owned by the window they are built in.
struct Composition {
  // Window frame and toolbar
  std::vector<platform::Picture*> FormBackGround;
  std::vector<platform::Container*> FormHeader;
  platform::Picture* FormIcon = nullptr;
  std::vector<platform::Label*> FormCaption;
  platform::Picture* FormImage = nullptr;
  std::vector<platform::Picture*> FormControl;
  std::vector<controls::ToolButton*> ToolButton;
  std::vector<platform::Line*> NormLine;
  std::vector<QTimer*> Timer;

  // Content area
  controls::ExplorerHolder* ExplorerHolder = nullptr;
  std::vector<controls::SimpleBox*> SimpleBox;
  std::vector<platform::BrowserView*> WebBrowser;
  std::vector<controls::ControllerBox*> ControllerBox;
  std::vector<platform::Label*> FrameLabel;
  std::vector<platform::Picture*> FrameImage;

  // Explorer pane
  std::vector<controls::WriteBox*> WriteBox;
  std::vector<controls::CommandButton*> CommandButton;
  std::vector<controls::ComplexList*> ComplexList;

  // Question form
  std::vector<platform::Label*> DiffLabel;
  std::vector<platform::TextBox*> TextBox;
  std::vector<platform::PushButton*> Commander;
};

// Design size of the main window's inner area, in twips.
inline constexpr int kDesignScaleWidth = 9885;
inline constexpr int kDesignScaleHeight = 7425;

}  // namespace lumora::layout

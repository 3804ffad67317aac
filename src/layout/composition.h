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

// The content rectangle below the toolbar strip and right of the explorer
// pane, in twips.
struct ContentArea {
  int ContentLeft = 0;
  int ContentTop = 0;
  int ContentWidth = 0;
  int ContentHeight = 0;
};

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

  // The same controls by the part they play (the arrays above name them in
  // the layout report and in loops over a kind of control).
  platform::Container* titleStrip = nullptr;
  platform::Container* toolbarStrip = nullptr;
  platform::Label* caption = nullptr;        // the window's title in its title strip
  platform::Line* toolbarLine = nullptr;     // under the toolbar
  QTimer* framePoll = nullptr;               // follows the pointer over the window's frame
  controls::SimpleBox* browserBox = nullptr;
  platform::BrowserView* browser = nullptr;  // the page shown
  struct SearchControls {
    platform::Label* prompt = nullptr;        // "Search for:"
    controls::WriteBox* query = nullptr;
    controls::CommandButton* find = nullptr;
    controls::CommandButton* display = nullptr;
    platform::Label* resultsTitle = nullptr;  // above the list
    platform::Label* resultCount = nullptr;   // the number of pages found, right of the title
    controls::ComplexList* results = nullptr;
  } search;
  struct IndexControls {
    platform::Label* prompt = nullptr;      // above the look-up box
    controls::WriteBox* lookUp = nullptr;
    platform::Label* topicCount = nullptr;  // the number of topics, right of the box
    controls::ComplexList* topics = nullptr;
    controls::CommandButton* display = nullptr;
  } index;
  struct BookmarkControls {
    platform::Label* title = nullptr;
    controls::ComplexList* list = nullptr;
    platform::Label* status = nullptr;  // what the last action did
    controls::CommandButton* add = nullptr;
    controls::CommandButton* open = nullptr;
  } bookmarks;
  struct QuestionControls {
    controls::SimpleBox* box = nullptr;
    platform::Label* band = nullptr;  // the grey band at the top, under the picture and titles
    platform::Picture* picture = nullptr;
    platform::TextBox* question = nullptr;
    platform::TextBox* systemInfo = nullptr;
    platform::Label* systemInfoLabel = nullptr;
    platform::PushButton* send = nullptr;
    platform::PushButton* clear = nullptr;
    std::vector<platform::TextBox*> fields;  // every box of the form, in the order the mail takes them
  } question;
  struct {  // shown while long work runs
    controls::ControllerBox* box = nullptr;
    platform::Label* message = nullptr;
    platform::Picture* picture = nullptr;
  } busy;
  // Where the page's boxes stood at the last layout; status boxes are centred in it.
  ContentArea content;
};

// Design size of the main window's inner area, in twips.
inline constexpr int kDesignScaleWidth = 9885;
inline constexpr int kDesignScaleHeight = 7425;

}  // namespace lumora::layout

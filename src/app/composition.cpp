#include "app/composition_builder.h"

#include <QLineEdit>
#include <iterator>

namespace lumora::app {
namespace {

using layout::Composition;

using platform::Label;
using platform::Picture;

constexpr int kWhite = 0xFFFFFF;
constexpr int kGrey = 0x808080;
constexpr int kTitleStripColor = 0xE0E0E0;

const QString& Verdana() {
  static const QString name = QStringLiteral("Verdana");
  return name;
}

const QString& Tahoma() {
  static const QString name = QStringLiteral("Tahoma");
  return name;
}

template <typename T, typename... Args>
T* Make(QWidget* parent, int left, int top, int width, int height, Args&&... args) {
  auto* element = new T(std::forward<Args>(args)..., parent);
  element->Move(left, top, width, height);
  return element;
}

// A transparent label that sizes itself to its text.
Label* TextLabel(QWidget* parent, int left, int top, const QString& font, double points, bool bold) {
  auto* label = new Label(parent);
  label->SetTransparent(true);
  label->SetFontName(font);
  label->SetFontSize(points);
  label->SetFontBold(bold);
  label->Move(left, top);
  label->SetAutoSize(true);
  return label;
}

void BuildFrameAndToolbar(QWidget* window, Composition& ui) {
  auto* background = Make<Picture>(window, 0, 0, 9900, 570);
  background->SetStretch(true);
  ui.FormBackGround = {background};

  auto* titleStrip = Make<platform::Container>(window, 0, 0, 9885, 315);
  titleStrip->SetBackColor(kTitleStripColor);

  ui.FormImage = Make<Picture>(window, 0, 0, 15360, 315);
  ui.FormImage->SetStretch(true);
  ui.FormIcon = Make<Picture>(window, 30, 30, 240, 240);
  ui.FormIcon->SetStretch(true);

  Label* caption = TextLabel(window, 330, 45, Verdana(), 8.25, true);
  caption->SetForeColor(kWhite);
  ui.FormCaption = {caption};

  ui.FormControl.clear();
  for (int i = 0; i < 5; ++i) {
    auto* button = Make<Picture>(window, 9600, 15, 285, i == 0 ? 300 : 285);
    button->SetPressable(true);
    ui.FormControl.push_back(button);
  }

  auto* toolbarStrip = Make<platform::Container>(window, 0, 315, 9885, 585);
  ui.FormHeader = {titleStrip, toolbarStrip};

  ui.ToolButton.assign(9, nullptr);
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
    auto* button = Make<controls::ToolButton>(toolbarStrip, i == 0 ? 15 : 0, 15, 1215, 555);
    button->setObjectName(QStringLiteral("ToolButton%1").arg(i));
    ui.ToolButton[static_cast<size_t>(i)] = button;
  }

  auto* separator = new platform::Line(toolbarStrip);
  separator->SetEnds(0, 570, 9840, 570);
  ui.NormLine = {separator};

  auto* poll = new QTimer(window);
  poll->setInterval(200);
  ui.Timer = {poll};
}

void BuildExplorerPane(QWidget* window, Composition& ui) {
  auto* pane = Make<controls::ExplorerHolder>(window, 0, 900, 3435, 6525);
  ui.ExplorerHolder = pane;

  ui.FrameLabel.assign(8, nullptr);
  const int labelPositions[5][2] = {{120, 150}, {120, 960}, {2610, 960}, {120, 120}, {3210, 720}};
  for (int i = 0; i < 5; ++i)
    ui.FrameLabel[static_cast<size_t>(i)] =
        TextLabel(pane, labelPositions[i][0], labelPositions[i][1], Tahoma(), 8.25, false);

  // Made in the order Tab takes them: each page's box, its button, its list,
  // then Display; the window's chain then goes on to the page, the title bar
  // and the toolbar (reordering the chain by hand cut the page out of it).
  auto* searchBox = Make<controls::WriteBox>(pane, 840, 120, 2415, 270);
  auto* find = Make<controls::CommandButton>(pane, 975, 480, 960, 330);
  auto* results = Make<controls::ComplexList>(pane, 120, 1200, 3135, 5175);
  auto* showResult = Make<controls::CommandButton>(pane, 2055, 480, 1215, 330);
  auto* lookUpBox = Make<controls::WriteBox>(pane, 120, 360, 3135, 270);
  auto* topics = Make<controls::ComplexList>(pane, 120, 960, 3135, 5055);
  auto* showTopic = Make<controls::CommandButton>(pane, 2175, 6120, 1095, 330);
  auto* bookmarks = Make<controls::ComplexList>(pane, 120, 360, 3135, 5055);
  auto* addBookmark = Make<controls::CommandButton>(pane, 975, 6120, 1095, 330);
  auto* openBookmark = Make<controls::CommandButton>(pane, 2175, 6120, 1095, 330);
  ui.WriteBox = {searchBox, lookUpBox};
  ui.CommandButton = {find, showResult, showTopic, addBookmark, openBookmark};
  ui.ComplexList = {results, topics, bookmarks};

  ui.FrameLabel[6] = TextLabel(pane, 120, 120, Tahoma(), 8.25, false);
  // The bookmarks page's status line: what the last action did, in up to two lines.
  auto* status = Make<Label>(pane, 120, 5640, 3135, 390);
  status->SetTransparent(true);
  status->SetFontName(Tahoma());
  status->SetFontSize(8.25);
  status->SetWordWrap(true);
  ui.FrameLabel[7] = status;
}

void BuildQuestionForm(controls::SimpleBox* form, Composition& ui) {
  ui.DiffLabel.assign(8, nullptr);
  auto* band = Make<Label>(form, 0, 0, 6135, 615);
  band->SetBackColor(kGrey);
  ui.DiffLabel[0] = band;

  ui.FrameImage.assign(3, nullptr);
  ui.FrameImage[0] = Make<Picture>(form, 120, 120, 360, 360);
  ui.FrameImage[0]->SetStretch(true);

  Label* title = TextLabel(form, 600, 120, Verdana(), 15.75, true);
  Label* subtitle = TextLabel(form, 3120, 270, Verdana(), 8.25, true);
  for (Label* label : {title, subtitle}) {
    label->SetForeColor(kWhite);
    label->SetBackColor(kGrey);
    label->SetTransparent(false);
  }
  ui.DiffLabel[1] = title;
  ui.DiffLabel[2] = subtitle;

  struct Row {
    int labelTop;
    int boxTop;
    int boxHeight;
    platform::TextBox::Lines lines;
  };
  const Row rows[5] = {{990, 960, 285, platform::TextBox::Lines::Single},
                       {1470, 1440, 285, platform::TextBox::Lines::Single},
                       {1950, 1920, 285, platform::TextBox::Lines::Single},
                       {2430, 2400, 1605, platform::TextBox::Lines::Multi},
                       {4230, 4200, 1125, platform::TextBox::Lines::Multi}};
  ui.TextBox.clear();
  for (int i = 0; i < 5; ++i) {
    ui.DiffLabel[static_cast<size_t>(i + 3)] = TextLabel(form, 240, rows[i].labelTop, Verdana(), 8.25, false);
    ui.TextBox.push_back(Make<platform::TextBox>(form, 2040, rows[i].boxTop, 3975, rows[i].boxHeight, rows[i].lines));
  }
  ui.Commander = {Make<platform::PushButton>(form, 3600, 5520, 1095, 375),
                  Make<platform::PushButton>(form, 4920, 5520, 1095, 375)};

  std::vector<QWidget*> order;
  for (platform::TextBox* box : ui.TextBox) order.push_back(box->FocusWidget());
  for (platform::PushButton* button : ui.Commander) order.push_back(button->FocusWidget());
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void BuildContentArea(QWidget* window, Composition& ui) {
  BuildExplorerPane(window, ui);

  auto* browserBox = Make<controls::SimpleBox>(window, 3600, 960, 6135, 5655);
  ui.WebBrowser = {Make<platform::BrowserView>(browserBox, 0, 0, 6135, 5415)};

  auto* formBox = Make<controls::SimpleBox>(window, 3600, 960, 6135, 6375);
  formBox->SetVisible(false);
  ui.SimpleBox = {browserBox, formBox};
  BuildQuestionForm(formBox, ui);

  auto* status = Make<controls::ControllerBox>(window, 3600, 960, 4455, 1575);
  status->SetVisible(false);
  ui.ControllerBox = {status};
  auto* message = Make<Label>(status, 1080, 920, 3135, 255);
  message->SetTransparent(true);
  ui.FrameLabel[5] = message;
  ui.FrameImage[2] = Make<Picture>(status, 600, 840, 360, 360);
  ui.FrameImage[2]->SetStretch(true);
}

void NameRoles(Composition& ui) {
  ui.titleStrip = ui.FormHeader[0];
  ui.toolbarStrip = ui.FormHeader[1];
  ui.caption = ui.FormCaption[0];
  ui.toolbarLine = ui.NormLine[0];
  ui.framePoll = ui.Timer[0];
  ui.browserBox = ui.SimpleBox[0];
  ui.browser = ui.WebBrowser[0];
  ui.search = {ui.FrameLabel[0], ui.WriteBox[0],   ui.CommandButton[0], ui.CommandButton[1],
               ui.FrameLabel[1], ui.FrameLabel[2], ui.ComplexList[0]};
  ui.index = {ui.FrameLabel[3], ui.WriteBox[1], ui.FrameLabel[4], ui.ComplexList[1], ui.CommandButton[2]};
  ui.bookmarks = {ui.FrameLabel[6], ui.ComplexList[2], ui.FrameLabel[7], ui.CommandButton[3], ui.CommandButton[4]};
  ui.question = {ui.SimpleBox[1], ui.DiffLabel[0], ui.FrameImage[0], ui.TextBox[3],
                 ui.TextBox[4],   ui.DiffLabel[7], ui.Commander[0], ui.Commander[1], ui.TextBox};
  ui.busy = {ui.ControllerBox[0], ui.FrameLabel[5], ui.FrameImage[2]};
}

}  // namespace

void BuildComposition(QWidget* window, layout::Composition& ui) {
  QFont font(Verdana());
  font.setPointSizeF(8.25);
  window->setFont(font);
  BuildFrameAndToolbar(window, ui);
  BuildContentArea(window, ui);
  NameRoles(ui);
}

}  // namespace lumora::app

#include "app/window_frame.h"
#include "app/window_scale.h"

#include <QCursor>
#include <cmath>
#include <QGuiApplication>
#include <QWindow>

#include "app/manager_sub.h"
#include "content/text_helpers.h"
#include "layout/page_layout.h"
#include "platform/browser_view.h"
#include "platform/twips.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

namespace lumora::app {

WindowFrame::WindowFrame(QWidget& window, ManagerSub& owner, layout::Composition& ui, controls::SharedSkin skin,
                         QObject* parent)
    : QObject(parent), window_(window), owner_(owner), ui_(ui), skin_(std::move(skin)) {
  Connect();
}

void WindowFrame::Connect() {
  using platform::FormElement;
  for (int i = 0; i < static_cast<int>(ui_.FormControl.size()); ++i) {
    FormElement* button = ui_.FormControl[static_cast<size_t>(i)];
    connect(button, &FormElement::MouseMove, this, [this, i] { HighlightOnly(Family::FormControl, i); });
    connect(button, &FormElement::Click, this, [this, i] { TitleButtonAction(i); });
  }
  for (int i = 0; i < static_cast<int>(ui_.ToolButton.size()); ++i)
    if (ui_.ToolButton[static_cast<size_t>(i)])
      connect(ui_.ToolButton[static_cast<size_t>(i)], &FormElement::MouseMove, this,
              [this, i] { HighlightOnly(Family::ToolButton, i); });
  for (int i = 0; i < static_cast<int>(ui_.CommandButton.size()); ++i)
    connect(ui_.CommandButton[static_cast<size_t>(i)], &FormElement::MouseMove, this,
            [this, i] { HighlightOnly(Family::CommandButton, i); });
  for (controls::ComplexList* list : ui_.ComplexList)
    connect(list, &FormElement::MouseMove, this, [this] { HoverReset(true); });
  std::vector<FormElement*> neutral{ui_.ExplorerHolder};
  for (auto* box : ui_.SimpleBox) neutral.push_back(box);
  for (auto* picture : ui_.FormBackGround) neutral.push_back(picture);
  // The strips' bare parts are as neutral as the texture behind them: leaving
  // a tool button for the empty toolbar clears its highlight.
  for (auto* strip : ui_.FormHeader) neutral.push_back(strip);
  for (FormElement* element : neutral) connect(element, &FormElement::MouseMove, this, [this] { HoverReset(false); });

  // Caption drag, on the caption and on the title picture.
  for (FormElement* handle : std::initializer_list<FormElement*>{ui_.caption, ui_.FormImage}) {
    connect(handle, &FormElement::MouseDown, this, [this](int, int, double x, double y) {
      dragAnchor_ = {static_cast<int>(x), static_cast<int>(y)};
      // A compositor that does not let a client place its own window moves it itself.
      if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && window_.windowHandle() &&
          window_.windowState() == Qt::WindowNoState)
        window_.windowHandle()->startSystemMove();
    });
    connect(handle, &FormElement::MouseMove, this, [this](int, int, double x, double y) { DragStep(x, y); });
    connect(handle, &FormElement::MouseUp, this, [this] { dragAnchor_.setX(-1); });
    connect(handle, &FormElement::DblClick, this, [this] { TitleButtonAction(3); });
  }
  connect(ui_.browser, &platform::BrowserView::UpdatePageStatus, this,
          [this] { PageReportedPointer(QCursor::pos()); });
  QTimer* poll = ui_.framePoll;
  connect(poll, &QTimer::timeout, this, [this] { PollCursorAt(QCursor::pos()); });
}

void WindowFrame::DragStep(double x, double y) {
  const bool normal = !(window_.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized));
  if (dragAnchor_.x() == -1 || !normal || moving_ ||
      QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    HoverReset(false);
    return;
  }
  moving_ = true;
  const QPoint step(platform::TwipsToPixelsX(x - dragAnchor_.x()), platform::TwipsToPixelsY(y - dragAnchor_.y()));
  window_.move(window_.pos() + step);
  owner_.move(window_.pos());
  QCoreApplication::processEvents();
  moving_ = false;
}

void WindowFrame::Form_Resize_Now() {
  if (moving_) return;
  moving_ = true;
  // A minimised owner is left alone: a window manager restores an iconic
  // window that is moved, and a maximised window changes its size as it hides.
  if (window_.isVisible()) owner_.setGeometry(window_.geometry());
  const auto& buttons = ui_.FormControl;
  const int px1 = settings::Px1();
  const int px4 = settings::Px4();
  const int scaleWidth = ScaleWidthOf(window_);
  buttons[4]->SetLeft(scaleWidth - buttons[4]->Width() - px1);
  buttons[3]->SetLeft(buttons[4]->Left() - buttons[3]->Width() - px1);
  buttons[2]->SetLeft(buttons[3]->Left() - buttons[2]->Width() - px1);
  buttons[1]->SetLeft(buttons[2]->Left() - buttons[1]->Width() - px4);
  buttons[0]->SetLeft(buttons[1]->Left() - buttons[0]->Width() - px4);
  // The title may take the room between its own left edge and the first
  // button, less a small gap, so that its "..." is never hidden under them.
  const int limit = buttons[0]->Left() - px4 - ui_.caption->Left();
  // The explorer pane stays docked at the left below the toolbar strip.
  const int top = ui_.toolbarStrip->Top() + ui_.toolbarStrip->Height();
  const int scaleHeight = ScaleHeightOf(window_);
  ui_.ExplorerHolder->Move(0, top, ui_.ExplorerHolder->Width(), std::max(0, scaleHeight - top));
  layout::CoverWindow(ui_, scaleWidth, scaleHeight);
  ui_.caption->SetCaption(content::FitText(owner_.Measurer(), WindowTitle(), limit, skin_->theme.theme_font,
                                                   true, skin_->ellipsisWidth));
  emit LayoutNeeded();
  layout::PlaceControllerBoxes(ui_, -1, scaleWidth);
  moving_ = false;
}

void WindowFrame::TitleButtonAction(int index) {
  switch (index) {
    case 0: emit ChangeColour(); break;
    case 1: emit GetHelp(); break;
    case 2:
      window_.hide();
      owner_.showMinimized();  // the taskbar entry stays
      break;
    case 3:
      if (window_.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))
        window_.showNormal();
      else
        window_.showMaximized();
      Form_Resize_Now();
      break;
    case 4: emit Quit(); break;
    default: break;
  }
}

void WindowFrame::SetFormControlHighlight(int index, bool highlighted) {
  platform::Picture* button = ui_.FormControl[static_cast<size_t>(index)];
  button->SetImage(skin_->Pictures(highlighted ? 1 : 0).Item(index + 3));
  lit_[static_cast<size_t>(index)] = highlighted;
}

void WindowFrame::RestFormControls() {
  for (size_t i = 0; i < ui_.FormControl.size(); ++i) SetFormControlHighlight(static_cast<int>(i), false);
}

void WindowFrame::HighlightOnly(Family family, int index) {
  switch (family) {
    case Family::FormControl:
      for (int i = 0; i < static_cast<int>(ui_.FormControl.size()); ++i) {
        if (lit_[static_cast<size_t>(i)] != (i == index)) SetFormControlHighlight(i, i == index);
      }
      break;
    case Family::ToolButton:
      for (int i = 0; i < static_cast<int>(ui_.ToolButton.size()); ++i) {
        controls::ToolButton* button = ui_.ToolButton[static_cast<size_t>(i)];
        if (button && button->ImHigh() != (i == index)) button->SetImHigh(i == index);
      }
      break;
    case Family::CommandButton:
      for (int i = 0; i < static_cast<int>(ui_.CommandButton.size()); ++i) {
        controls::CommandButton* button = ui_.CommandButton[static_cast<size_t>(i)];
        if (button->ImHigh() != (i == index)) button->SetImHigh(i == index);
      }
      break;
  }
}

void WindowFrame::HoverReset(bool keepLists) {
  if (!started_) return;
  HighlightOnly(Family::FormControl, -1);
  HighlightOnly(Family::ToolButton, -1);
  HighlightOnly(Family::CommandButton, -1);
  if (keepLists) return;
  for (controls::ComplexList* list : ui_.ComplexList)
    if (list->Visible() && list->ImHigh()) list->SetImHigh(false);
}

bool WindowFrame::OverPage(const QPoint& cursor) const {
  const QRect w = window_.geometry();
  const int f = platform::TwipsToPixelsX(settings::Shared().FrameBorder);
  const QRect b = ui_.browserBox->geometry();
  return cursor.x() > w.left() + b.left() + f && cursor.x() < w.left() + b.left() + b.width() - f &&
         cursor.y() > w.top() + b.top() + f && cursor.y() < w.top() + b.top() + b.height() - f;
}

void WindowFrame::PageReportedPointer(const QPoint& cursor) {
  if (OverPage(cursor)) HoverReset(false);
}

void WindowFrame::PollCursorAt(const QPoint& cursor) {
  const QRect w = window_.geometry();
  const int f = platform::TwipsToPixelsX(settings::Shared().FrameBorder);
  const bool inside = cursor.x() >= w.left() + f && cursor.x() <= w.left() + w.width() - f &&
                      cursor.y() >= w.top() + f && cursor.y() <= w.top() + w.height() - f;
  if (inside && !OverPage(cursor)) {
    cursorOutsideLatch_ = false;
    return;
  }
  // Once for each entry into the browser's area or out of the window.
  if (!cursorOutsideLatch_) HoverReset(inside);
  cursorOutsideLatch_ = true;
}

}  // namespace lumora::app

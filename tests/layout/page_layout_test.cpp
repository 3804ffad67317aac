#include <gtest/gtest.h>

#include <QWidget>

#include "app/composition_builder.h"
#include "layout/page_layout.h"
#include "settings/platform_facts.h"

using namespace lumora;
using layout::LayoutPage;

// The main window's controls at their design places, at 96 dpi.
class PageLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/app"), QStringLiteral("/sys"), 0);
    app::BuildComposition(&window_, ui_);
  }
  static std::array<int, 4> Place(const auto* e) { return {e->Left(), e->Top(), e->Width(), e->Height()}; }
  static int Right(const platform::FormElement* e) { return e->Left() + e->Width(); }

  QWidget window_;
  layout::Composition ui_;
};

TEST_F(PageLayoutTest, PageFillsTheAreaBelowTheStripAndBesideThePane) {
  ui_.ExplorerHolder->SetWidth(3000);
  ui_.FormHeader[1]->Move(0, 600, 9885, 450);
  LayoutPage(ui_, layout::Page::Search, 9000, 7000);
  EXPECT_EQ((std::array{Place(ui_.SimpleBox[0]), Place(ui_.WebBrowser[0])}),  // browser's border hidden
            (std::array{std::array{3000, 1050, 6000, 5950}, std::array{-30, -30, 6060, 6010}}));
  LayoutPage(ui_, layout::Page::Contents, 9000, 7000);
  EXPECT_EQ(std::pair(ui_.ExplorerHolder->Visible(), Place(ui_.SimpleBox[0])), std::pair(false, std::array{0, 1050, 9000, 5950}));
  LayoutPage(ui_, layout::Page::Index, 9885, 7425);  // a pane wider than the window changes nothing else
  ui_.ExplorerHolder->SetWidth(5800);
  LayoutPage(ui_, layout::Page::Search, 5799, 7425);
  EXPECT_EQ(std::pair(ui_.ToolButton[3]->Sunken(), ui_.SimpleBox[0]->Width() > 0), std::pair(true, true));  // still the index page
  LayoutPage(ui_, layout::Page::Search, 5800, 7425);  // a page of no width is still laid out
  EXPECT_EQ(std::pair(ui_.ToolButton[3]->Sunken(), ui_.SimpleBox[0]->Width() > 0), std::pair(false, false));
}

TEST_F(PageLayoutTest, EachPageShowsAndPlacesItsOwnControls) {
  ui_.ExplorerHolder->SetWidth(2500 + 75);
  LayoutPage(ui_, layout::Page::Index, 9885, 7425);  // 2500 usable
  EXPECT_TRUE(ui_.ComplexList[1]->Visible());
  const auto* open = ui_.CommandButton[2];
  EXPECT_EQ((std::array{Right(open), open->Top() + open->Height()}), (std::array{2500 - 90, 6525 - 90}));
  EXPECT_EQ(Place(ui_.ComplexList[1]), (std::array{120, 960, 2500 - 240, 6525 - 960 - 330 - 240 + 30}));
  LayoutPage(ui_, layout::Page::Search, 9885, 7425);
  EXPECT_EQ(std::tuple(ui_.ComplexList[0]->Visible(), ui_.ComplexList[1]->Visible(), ui_.FrameLabel[4]->Visible()), std::tuple(true, false, false));
  EXPECT_EQ(Place(ui_.ComplexList[0]), (std::array{120, 1200, 2500 - 240, 6525 - 1200 - 120}));
  LayoutPage(ui_, layout::Page::Question, 9885, 7425);
  EXPECT_EQ(std::pair(ui_.SimpleBox[1]->Visible(), ui_.ToolButton[5]->Sunken()), std::pair(true, true));
  EXPECT_EQ(Place(ui_.Commander[1]), (std::array{9885 - 1095 - 240, 6525 - 375 - 240, 1095, 375}));
  const auto *info = ui_.TextBox[4], *ask = ui_.TextBox[3];  // the question box above the information
  EXPECT_EQ((std::array{ui_.Commander[0]->Left(), Right(info), info->Top(), ask->Top() + ask->Height()}),
            (std::array{8550 - 240 - 1095, 9885 - 240, 5910 - 240 - 1125, 5910 - 240 - 1125 - 180}));
  // The bookmarks pane as the index pane: Display in the same corner, Add beside it, the status line
  // above them, and the list down to it; the page beside the pane.
  LayoutPage(ui_, layout::Page::Bookmarks, 9885, 7425);
  const auto *display = ui_.CommandButton[4], *add = ui_.CommandButton[3];
  const auto* status = ui_.FrameLabel[7];
  EXPECT_EQ((std::array{ui_.ToolButton[6]->Sunken(), ui_.ToolButton[5]->Sunken(), ui_.SimpleBox[0]->Visible(),
                        ui_.ComplexList[1]->Visible(), ui_.FrameLabel[3]->Visible()}), (std::array{true, false, true, false, false}));
  EXPECT_EQ((std::array{Right(display), display->Top() + display->Height(), Right(add), add->Top()}),
            (std::array{2500 - 90, 6525 - 90, display->Left() - 90, display->Top()}));
  EXPECT_EQ(Place(status), (std::array{120, display->Top() - 60 - 390, 2500 - 240, 390}));
  EXPECT_EQ(Place(ui_.ComplexList[2]), (std::array{120, 360, 2500 - 240, status->Top() - 120 - 360}));
  EXPECT_EQ(ui_.SimpleBox[0]->Left(), 2575);
  LayoutPage(ui_, layout::Page::Contents, 9885, 7425);
  EXPECT_EQ((std::array{ui_.ToolButton[2]->Sunken(), ui_.ToolButton[6]->Sunken(), ui_.SimpleBox[1]->Visible(),
                        ui_.ComplexList[2]->Visible(), ui_.FrameLabel[7]->Visible()}), (std::array{true, false, false, false, false}));
}

TEST_F(PageLayoutTest, StatusBoxIsCentred) {
  auto* box = ui_.ControllerBox[0];
  const auto place = [&](int width, int index) {
    box->SetWidth(width);
    layout::PlaceControllerBoxes(ui_, index, 9000);
    return std::array{box->Left(), box->Top()};
  };
  LayoutPage(ui_, layout::Page::Contents, 9000, 7000);
  // Halves are kept until the end, then rounded to even: 2272.5 and 3162.5.
  EXPECT_EQ(place(4455, -1), (std::array{2272, 3162}));
  ui_.ExplorerHolder->SetWidth(3000);
  LayoutPage(ui_, layout::Page::Index, 9000, 7000);  // a box wider than the page: centred on the window
  EXPECT_EQ((std::array{place(6001, 0)[0], place(6000, 0)[0]}), (std::array{1500, 3000}));
}

TEST_F(PageLayoutTest, LeastWindowHoldsTheWidestPaneAndTheWholeQuestionFormAndStripsCoverALargerOne) {
  const auto& tools = ui_.ToolButton;
  layout::ArrangeToolbar(tools);
  layout::LeastSize least = layout::LeastWindowSize(ui_);
  // Toolbar strip, question box top, three lines, gap, information box, gap, buttons, margin.
  EXPECT_EQ(least.height, 900 + 2400 + 600 + 180 + 1125 + 240 + 375 + 240);
  LayoutPage(ui_, layout::Page::Question, least.width, least.height);
  EXPECT_EQ(ui_.TextBox[3]->Height(), layout::kLeastQuestionHeight);

  // Long captions widen the toolbar past the pane: the toolbar decides. Buttons touch.
  for (size_t i : {0, 2, 3, 4, 5}) tools[i]->ToolProperty(1, QString(40, QLatin1Char('W')), 2, true, 0);
  layout::ArrangeToolbar(tools);
  EXPECT_EQ((std::array{tools[3]->Left(), tools[7]->Left(), layout::LeastWindowSize(ui_).width}),
            (std::array{Right(tools[2]), Right(tools[6]), Right(tools[8]) + 60}));
  layout::CoverWindow(ui_, 40000, 30000);
  const auto* pane = ui_.ExplorerHolder;
  layout::CoverWindow(ui_, 5000, 4000);  // a smaller window later leaves them as they are
  EXPECT_EQ((std::vector{ui_.FormBackGround[0]->Width(), ui_.FormHeader[1]->Width(), ui_.FormImage->Width(),
                         ui_.DiffLabel[0]->Width(), ui_.NormLine[0]->X2()}), std::vector(5, 40000));
  EXPECT_GE(std::min(pane->BackGround->Height(), pane->DragSlider->Height()), 30000);
}

TEST(PlaceOnScreen, SavedWindowsComeBackWholeOnTheScreensFreeArea) {
  const QRect screen(0, 30, 1280, 994);  // below a top panel
  const QSize least(587, 404);
  const std::pair<QRect, QRect> cases[] = {
      {{100, 100, 800, 600}, {100, 100, 800, 600}},     // fits: kept
      {{0, 0, 2400, 1800}, {0, 30, 1280, 994}},         // larger than the screen: shrunk
      {{300, -200, 800, 600}, {300, 30, 800, 600}},     // title bar above the screen
      {{1000, 900, 800, 600}, {480, 424, 800, 600}},    // out of the right and bottom edges
      {{-5000, 50, 100, 100}, {0, 50, 587, 404}}};      // too small and far off the left
  for (const auto& [saved, placed] : cases) EXPECT_EQ(lumora::layout::PlaceOnScreen(saved, least, screen), placed);
  EXPECT_EQ(lumora::layout::PlaceOnScreen({10, 10, 300, 300}, least, {0, 0, 500, 300}), QRect(0, 0, 587, 404));
}

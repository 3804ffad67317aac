#include <gtest/gtest.h>

#include <QWidget>

#include "app/composition_builder.h"
#include "layout/page_layout.h"
#include "platform/twips.h"
#include "settings/platform_facts.h"

using namespace lumora;
using layout::Content;
using layout::LayoutPage;

namespace {

// The main window's controls at their design places, at 96 dpi.
class PageLayoutTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::ComputePlatformFacts({15.0, 15.0, 1024, 768}, QStringLiteral("/app"), QStringLiteral("/sys"), 0);
    app::BuildComposition(&window_, ui_);
  }

  QWidget window_;
  layout::Composition ui_;
};

}  // namespace

TEST_F(PageLayoutTest, DesignWindowGivesTheDesignContentArea) {
  LayoutPage(ui_, layout::pageIndex, 9885, 7425);
  EXPECT_EQ(Content().ContentLeft, 3435);
  EXPECT_EQ(Content().ContentTop, 900);
  EXPECT_EQ(Content().ContentWidth, 6450);
  EXPECT_EQ(Content().ContentHeight, 6525);
  LayoutPage(ui_, layout::pageContents, 9885, 7425);
  EXPECT_EQ(Content().ContentLeft, 0);
  EXPECT_EQ(Content().ContentWidth, 9885);
}

TEST_F(PageLayoutTest, BrowserFillsTheContentAreaWithTwoPixelsOver) {
  ui_.ExplorerHolder->SetWidth(3000);
  ui_.FormHeader[1]->Move(0, 600, 9885, 450);
  LayoutPage(ui_, layout::pageSearch, 9000, 7000);
  EXPECT_EQ(Content().ContentLeft, 3000);
  EXPECT_EQ(Content().ContentWidth, 6000);
  EXPECT_EQ(Content().ContentTop, 1050);
  EXPECT_EQ(Content().ContentHeight, 5950);
  const auto* box = ui_.SimpleBox[0];
  EXPECT_EQ((std::array{box->Left(), box->Top(), box->Width(), box->Height()}),
            (std::array{3000, 1050, 6000, 5950}));
  const auto* browser = ui_.WebBrowser[0];
  EXPECT_EQ((std::array{browser->Left(), browser->Top(), browser->Width(), browser->Height()}),
            (std::array{-30, -30, 6060, 6010}));
  EXPECT_TRUE(ui_.SimpleBox[0]->Visible());
  EXPECT_FALSE(ui_.SimpleBox[1]->Visible());

  LayoutPage(ui_, layout::pageContents, 9000, 7000);
  EXPECT_FALSE(ui_.ExplorerHolder->Visible());
  EXPECT_EQ(ui_.WebBrowser[0]->Width(), 9060);
}

TEST_F(PageLayoutTest, PaneWiderThanTheWindowChangesNothingElse) {
  LayoutPage(ui_, layout::pageIndex, 9885, 7425);
  ASSERT_TRUE(ui_.ToolButton[3]->Sunken());
  const int boxWidth = ui_.SimpleBox[0]->Width();
  ui_.ExplorerHolder->SetWidth(5800);
  LayoutPage(ui_, layout::pageSearch, 5000, 7425);
  EXPECT_LT(Content().ContentWidth, 0);
  EXPECT_EQ(ui_.SimpleBox[0]->Width(), boxWidth);
  EXPECT_TRUE(ui_.ToolButton[3]->Sunken());  // still the index page's button
  EXPECT_FALSE(ui_.ToolButton[4]->Sunken());
  EXPECT_TRUE(ui_.ComplexList[1]->Visible());
}

TEST_F(PageLayoutTest, EachPageShowsItsOwnControls) {
  LayoutPage(ui_, layout::pageIndex, 9885, 7425);
  EXPECT_TRUE(ui_.ComplexList[1]->Visible());
  EXPECT_TRUE(ui_.WriteBox[1]->Visible());
  EXPECT_TRUE(ui_.FrameLabel[4]->Visible());
  EXPECT_FALSE(ui_.ComplexList[0]->Visible());
  EXPECT_FALSE(ui_.CommandButton[0]->Visible());
  // Bottom-right corner of the pane for the open button, list above it.
  const int usable = ui_.ExplorerHolder->UseableArea();
  EXPECT_EQ(ui_.CommandButton[2]->Left() + ui_.CommandButton[2]->Width(), usable - 90);
  EXPECT_EQ(ui_.CommandButton[2]->Top() + ui_.CommandButton[2]->Height(), 6525 - 90);
  EXPECT_EQ(ui_.ComplexList[1]->Width(), usable - 240);
  EXPECT_EQ(ui_.ComplexList[1]->Height(), 6525 - 960 - 330 - 240 + 30);

  LayoutPage(ui_, layout::pageSearch, 9885, 7425);
  EXPECT_TRUE(ui_.ComplexList[0]->Visible());
  EXPECT_FALSE(ui_.ComplexList[1]->Visible());
  EXPECT_TRUE(ui_.ToolButton[4]->Sunken());
  EXPECT_FALSE(ui_.ToolButton[3]->Sunken());
  for (size_t i : {3u, 4u}) EXPECT_FALSE(ui_.FrameLabel[i]->Visible()) << i;  // the index page's labels
}

TEST_F(PageLayoutTest, SearchButtonsSitSideBySideAtTheRight) {
  ui_.ExplorerHolder->SetWidth(2500 + 75);  // a usable width of 2500
  LayoutPage(ui_, layout::pageSearch, 9885, 7425);
  const auto* open = ui_.CommandButton[1];
  const auto* search = ui_.CommandButton[0];
  EXPECT_EQ(open->Left() + open->Width(), 2500 - 90);
  EXPECT_EQ(search->Left() + search->Width(), open->Left() - 90);
  EXPECT_EQ(search->Top(), 480);  // tops are kept
  EXPECT_EQ(ui_.WriteBox[0]->Width(), 2500 - 840 - 120);
  EXPECT_EQ(ui_.ComplexList[0]->Height(), 6525 - 1200 - 120);
  EXPECT_EQ(ui_.FrameLabel[2]->Left() + ui_.FrameLabel[2]->Width(), 2500 - 120);
}

TEST_F(PageLayoutTest, QuestionFormButtonsGoToTheBottomRightCorner) {
  LayoutPage(ui_, layout::pageQuestion, 9885, 7425);
  EXPECT_TRUE(ui_.SimpleBox[1]->Visible());
  EXPECT_FALSE(ui_.SimpleBox[0]->Visible());
  EXPECT_FALSE(ui_.ExplorerHolder->Visible());
  const int width = 9885;
  const int height = 7425 - 900;
  const auto* clear = ui_.Commander[1];
  const auto* send = ui_.Commander[0];
  EXPECT_EQ(clear->Left(), width - 1095 - 240);
  EXPECT_EQ(clear->Top(), height - 375 - 240);
  EXPECT_EQ(send->Left(), clear->Left() - 1095 - 240);
  EXPECT_EQ(send->Top(), clear->Top());
  EXPECT_EQ(send->Width(), 1095);  // design sizes are kept
  for (const auto* box : ui_.TextBox) EXPECT_EQ(box->Left() + box->Width(), width - 240);
  EXPECT_EQ(ui_.TextBox[4]->Top(), clear->Top() - 1125 - 240);
  EXPECT_EQ(ui_.DiffLabel[7]->Top(), ui_.TextBox[4]->Top() + 30);
  EXPECT_EQ(ui_.TextBox[3]->Top() + ui_.TextBox[3]->Height(), ui_.TextBox[4]->Top() - 180);
  EXPECT_TRUE(ui_.ToolButton[5]->Sunken());
}

TEST_F(PageLayoutTest, StatusBoxIsCentred) {
  LayoutPage(ui_, layout::pageContents, 9000, 7000);
  auto* box = ui_.ControllerBox[0];
  layout::PlaceControllerBoxes(ui_, -1, 9000);
  // Halves are kept until the end, then rounded to even: 2272.5 and 3162.5.
  EXPECT_EQ(box->Left(), 2272);
  EXPECT_EQ(box->Top(), 3162);
  EXPECT_EQ(box->Width(), 4455);  // its size never changes

  ui_.ExplorerHolder->SetWidth(3000);
  LayoutPage(ui_, layout::pageIndex, 9000, 7000);
  box->SetWidth(7000);  // wider than the content area: centred on the window
  layout::PlaceControllerBoxes(ui_, 0, 9000);
  EXPECT_EQ(box->Left(), 1000);
  box->SetWidth(4000);
  layout::PlaceControllerBoxes(ui_, 0, 9000);
  EXPECT_EQ(box->Left(), 3000 + 1000);
}

TEST_F(PageLayoutTest, ToolbarButtonsTouch) {
  // Each button sizes itself to its caption.
  ui_.ToolButton[0]->ToolProperty(1, QStringLiteral("Back"), 2, true, 0);
  ui_.ToolButton[2]->ToolProperty(3, QStringLiteral("A longer caption"), 4, true, 1);
  ui_.ToolButton[7]->ToolProperty(8, QString(), 9, true, 1);
  layout::ArrangeToolbar(ui_.ToolButton);
  EXPECT_EQ(ui_.ToolButton[0]->Left(), 15);
  const std::vector<int> order{0, 1, 2, 3, 4, 5, 7, 8};
  for (size_t i = 1; i < order.size(); ++i) {
    const auto* previous = ui_.ToolButton[static_cast<size_t>(order[i - 1])];
    EXPECT_EQ(ui_.ToolButton[static_cast<size_t>(order[i])]->Left(), previous->Left() + previous->Width()) << order[i];
  }
  EXPECT_GT(ui_.ToolButton[2]->Width(), ui_.ToolButton[0]->Width());
}

TEST_F(PageLayoutTest, LeastWindowHoldsTheWidestPaneAndTheWholeQuestionForm) {
  layout::ArrangeToolbar(ui_.ToolButton);
  layout::LeastSize least = layout::LeastWindowSize(ui_);
  EXPECT_EQ(least.width, controls::ExplorerHolder::kWidest + layout::kLeastPageWidth);
  // Toolbar strip, question box top, three lines, gap, information box, gap, buttons, margin.
  EXPECT_EQ(least.height, 900 + 2400 + 600 + 180 + 1125 + 240 + 375 + 240);

  // At that size the widest pane leaves the page its width, and the question
  // form's boxes keep their order and heights.
  ui_.ExplorerHolder->SetWidth(controls::ExplorerHolder::kWidest);
  LayoutPage(ui_, layout::pageIndex, least.width, least.height);
  EXPECT_EQ(Content().ContentWidth, layout::kLeastPageWidth);
  LayoutPage(ui_, layout::pageQuestion, least.width, least.height);
  EXPECT_EQ(ui_.TextBox[3]->Height(), layout::kLeastQuestionHeight);
  EXPECT_GT(ui_.TextBox[4]->Top(), ui_.TextBox[3]->Top() + ui_.TextBox[3]->Height());
  EXPECT_GT(ui_.Commander[0]->Top(), ui_.TextBox[4]->Top() + ui_.TextBox[4]->Height());

  // Long captions widen the toolbar past the pane: the toolbar decides.
  for (size_t i : {0, 2, 3, 4, 5}) ui_.ToolButton[i]->ToolProperty(1, QString(40, QLatin1Char('W')), 2, true, 0);
  layout::ArrangeToolbar(ui_.ToolButton);
  least = layout::LeastWindowSize(ui_);
  const auto* last = ui_.ToolButton[8];
  EXPECT_EQ(least.width, last->Left() + last->Width() + 60);
}

TEST_F(PageLayoutTest, StripsAndPaneCoverAWindowLargerThanTheScreen) {
  layout::CoverWindow(ui_, 40000, 30000);
  for (const platform::FormElement* strip : std::initializer_list<const platform::FormElement*>{
           ui_.FormBackGround[0], ui_.FormHeader[0], ui_.FormHeader[1], ui_.FormImage, ui_.DiffLabel[0]})
    EXPECT_EQ(strip->Width(), 40000) << strip->metaObject()->className();
  EXPECT_EQ(ui_.NormLine[0]->X2(), 40000);
  EXPECT_GE(ui_.ExplorerHolder->DragSlider->Height(), 30000);
  EXPECT_GE(ui_.ExplorerHolder->BackGround->Height(), 30000);
  // A smaller window later leaves them as they are.
  layout::CoverWindow(ui_, 5000, 4000);
  EXPECT_EQ(ui_.FormImage->Width(), 40000);
  EXPECT_GE(ui_.ExplorerHolder->DragSlider->Height(), 30000);
}

#include <gtest/gtest.h>

#include <QWidget>

#include "app/composition_builder.h"
#include "layout/page_layout.h"
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
  static std::array<int, 4> Place(const auto* e) { return {e->Left(), e->Top(), e->Width(), e->Height()}; }
  static int Right(const platform::FormElement* e) { return e->Left() + e->Width(); }

  QWidget window_;
  layout::Composition ui_;
};

}  // namespace

TEST_F(PageLayoutTest, PageFillsTheAreaBelowTheStripAndBesideThePane) {
  ui_.ExplorerHolder->SetWidth(3000); ui_.FormHeader[1]->Move(0, 600, 9885, 450);
  LayoutPage(ui_, layout::pageSearch, 9000, 7000);
  EXPECT_EQ(Place(ui_.SimpleBox[0]), (std::array{3000, 1050, 6000, 5950}));
  // Two pixels of the browser lie outside its box on every side, hiding its border.
  EXPECT_EQ(Place(ui_.WebBrowser[0]), (std::array{-30, -30, 6060, 6010}));
  LayoutPage(ui_, layout::pageContents, 9000, 7000); EXPECT_FALSE(ui_.ExplorerHolder->Visible());
  EXPECT_EQ(Place(ui_.SimpleBox[0]), (std::array{0, 1050, 9000, 5950}));
}

TEST_F(PageLayoutTest, PaneWiderThanTheWindowChangesNothingElse) {
  LayoutPage(ui_, layout::pageIndex, 9885, 7425);
  ui_.ExplorerHolder->SetWidth(5800);
  LayoutPage(ui_, layout::pageSearch, 5799, 7425);
  EXPECT_TRUE(ui_.ToolButton[3]->Sunken() && ui_.SimpleBox[0]->Width() > 0);  // still the index page
  LayoutPage(ui_, layout::pageSearch, 5800, 7425);  // a page of no width is still laid out
  EXPECT_FALSE(ui_.ToolButton[3]->Sunken() || ui_.SimpleBox[0]->Width() > 0);
}

TEST_F(PageLayoutTest, EachPageShowsAndPlacesItsOwnControls) {
  ui_.ExplorerHolder->SetWidth(2500 + 75);  // a usable width of 2500
  LayoutPage(ui_, layout::pageIndex, 9885, 7425);
  EXPECT_TRUE(ui_.ComplexList[1]->Visible());
  const auto* open = ui_.CommandButton[2];
  EXPECT_EQ((std::array{Right(open), open->Top() + open->Height()}), (std::array{2500 - 90, 6525 - 90}));
  EXPECT_EQ(Place(ui_.ComplexList[1]), (std::array{120, 960, 2500 - 240, 6525 - 960 - 330 - 240 + 30}));
  LayoutPage(ui_, layout::pageSearch, 9885, 7425);
  EXPECT_TRUE(ui_.ComplexList[0]->Visible() && ui_.ToolButton[4]->Sunken());
  EXPECT_FALSE(ui_.ComplexList[1]->Visible() || ui_.FrameLabel[4]->Visible());
  EXPECT_EQ(Place(ui_.ComplexList[0]), (std::array{120, 1200, 2500 - 240, 6525 - 1200 - 120}));
  LayoutPage(ui_, layout::pageQuestion, 9885, 7425);
  EXPECT_TRUE(ui_.SimpleBox[1]->Visible() && ui_.ToolButton[5]->Sunken());
  const auto* clear = ui_.Commander[1];
  EXPECT_EQ(Place(clear), (std::array{9885 - 1095 - 240, 6525 - 375 - 240, 1095, 375}));
  EXPECT_EQ(ui_.Commander[0]->Left(), clear->Left() - 1095 - 240);
  EXPECT_EQ(Right(ui_.TextBox[4]), 9885 - 240);
  EXPECT_EQ(ui_.TextBox[4]->Top(), clear->Top() - 1125 - 240);
  EXPECT_EQ(ui_.TextBox[3]->Top() + ui_.TextBox[3]->Height(), ui_.TextBox[4]->Top() - 180);
  LayoutPage(ui_, layout::pageContents, 9885, 7425);
  EXPECT_TRUE(ui_.ToolButton[2]->Sunken() && !ui_.ToolButton[5]->Sunken() && !ui_.SimpleBox[1]->Visible());
}

TEST_F(PageLayoutTest, StatusBoxIsCentred) {
  LayoutPage(ui_, layout::pageContents, 9000, 7000);
  auto* box = ui_.ControllerBox[0];
  layout::PlaceControllerBoxes(ui_, -1, 9000);
  // Halves are kept until the end, then rounded to even: 2272.5 and 3162.5.
  EXPECT_EQ((std::array{box->Left(), box->Top(), box->Width()}), (std::array{2272, 3162, 4455}));

  ui_.ExplorerHolder->SetWidth(3000); LayoutPage(ui_, layout::pageIndex, 9000, 7000);
  box->SetWidth(6001); layout::PlaceControllerBoxes(ui_, 0, 9000);  // wider than the content: centred on the window
  EXPECT_EQ(box->Left(), 1500);
  box->SetWidth(6000); layout::PlaceControllerBoxes(ui_, 0, 9000);
  EXPECT_EQ(box->Left(), 3000);
}

TEST_F(PageLayoutTest, LeastWindowHoldsTheWidestPaneAndTheWholeQuestionForm) {
  layout::ArrangeToolbar(ui_.ToolButton); layout::LeastSize least = layout::LeastWindowSize(ui_);
  EXPECT_EQ(least.width, controls::ExplorerHolder::kWidest + layout::kLeastPageWidth);
  // Toolbar strip, question box top, three lines, gap, information box, gap, buttons, margin.
  EXPECT_EQ(least.height, 900 + 2400 + 600 + 180 + 1125 + 240 + 375 + 240);
  ui_.ExplorerHolder->SetWidth(controls::ExplorerHolder::kWidest);
  LayoutPage(ui_, layout::pageIndex, least.width, least.height);
  EXPECT_EQ(Content().ContentWidth, layout::kLeastPageWidth);
  LayoutPage(ui_, layout::pageQuestion, least.width, least.height);
  EXPECT_EQ(ui_.TextBox[3]->Height(), layout::kLeastQuestionHeight);

  // Long captions widen the toolbar past the pane: the toolbar decides. Buttons touch, over the gap at 6.
  for (size_t i : {0, 2, 3, 4, 5}) ui_.ToolButton[i]->ToolProperty(1, QString(40, QLatin1Char('W')), 2, true, 0);
  layout::ArrangeToolbar(ui_.ToolButton);
  EXPECT_EQ(ui_.ToolButton[3]->Left(), Right(ui_.ToolButton[2]));
  EXPECT_EQ(ui_.ToolButton[7]->Left(), Right(ui_.ToolButton[5]));
  EXPECT_EQ(layout::LeastWindowSize(ui_).width, Right(ui_.ToolButton[8]) + 60);
}

TEST_F(PageLayoutTest, StripsAndPaneCoverAWindowLargerThanTheScreen) {
  layout::CoverWindow(ui_, 40000, 30000);
  for (const platform::FormElement* strip : std::initializer_list<const platform::FormElement*>{
           ui_.FormBackGround[0], ui_.FormHeader[1], ui_.FormImage, ui_.DiffLabel[0]})
    EXPECT_EQ(strip->Width(), 40000) << strip->metaObject()->className();
  EXPECT_EQ(ui_.NormLine[0]->X2(), 40000);
  EXPECT_GE(ui_.ExplorerHolder->BackGround->Height(), 30000);
  layout::CoverWindow(ui_, 5000, 4000);  // a smaller window later leaves them as they are
  EXPECT_EQ((std::array{ui_.FormImage->Width(), ui_.NormLine[0]->X2()}), (std::array{40000, 40000}));
  EXPECT_GE(ui_.ExplorerHolder->DragSlider->Height(), 30000);
}

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QDir>
#include <QTest>
#include <functional>
#include <set>

#include "controls/complex_list.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

#include "test_theme.h"

using namespace lumora;
using controls::ComplexList;

namespace {

content::StringTable Table(int rows, const QString& prefix = QStringLiteral("topic")) {
  content::StringTable table(3);
  for (int r = 0; r < rows; ++r) {
    const int entry = table.Grow();
    table.Set(0, entry, prefix + QLatin1Char(' ') + QString::number(r));
    table.Set(1, entry, QString::number(r * 7));
    table.Set(2, entry, QStringLiteral("/help/page%1.html").arg(r));
  }
  return table;
}

class ComplexListTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    window_.resize(400, 400);
    list_ = new ComplexList(&window_);
    list_->ResetControl();
    // Columns are laid out when the width changes, so the titles come first.
    list_->Setup_Cols_Headers({{QStringLiteral("Topic"), QStringLiteral("3")}, {QStringLiteral("Hits"), QStringLiteral("1")}});
    list_->Move(0, 0, 4000 + 75, 3000);  // a usable width of 4000 without the scroll bar
    window_.show();
  }

  int RowsThatFit() const { return (3000 - 240 - 60) / list_->RowHeight(); }
  QPoint RowPoint(int row) const {
    return QPoint(10, static_cast<int>((row * list_->RowHeight() + list_->RowHeight() / 2) / 15.0));
  }

  QWidget window_;
  ComplexList* list_ = nullptr;
};

}  // namespace

TEST_F(ComplexListTest, RelativeWidthsShareTheUsableWidth) {
  EXPECT_EQ(list_->UsableWidth(), 4000);
  EXPECT_EQ(list_->CxLColHead[0]->Width(), 3000);
  EXPECT_EQ(list_->CxLColHead[1]->Width(), 1000);
  EXPECT_EQ(list_->CxLColHotSpot[1]->Left(), 3015);  // title 1 starts one pixel after title 0
  EXPECT_EQ(list_->CxLColHead[1]->Left(), 3045);
  EXPECT_EQ(list_->CxLColText[0]->Width(), 2970);
  EXPECT_EQ(list_->CxLColText[0]->Tag(), QStringLiteral("2970"));
  EXPECT_EQ(list_->CxLColLine[0]->X1(), 3015 + 30);  // the separator between them
  EXPECT_TRUE(list_->CxLColHead[1]->Visible());
  EXPECT_FALSE(list_->CxLColHead[2]->Visible());
}

TEST_F(ComplexListTest, NewTitlesAtTheSameWidthWaitForTheNextWidthChange) {
  list_->Setup_Cols_Headers({{QStringLiteral("Topic"), QStringLiteral("1")}, {QStringLiteral("Hits"), QStringLiteral("1")}});
  EXPECT_EQ(list_->CxLColHead[0]->Width(), 3000);
  list_->SetWidth(4000 + 75 + 15);
  EXPECT_EQ(list_->CxLColHead[0]->Width(), 2008);  // half of 4015, rounded
}

TEST_F(ComplexListTest, RowsWithAnEmptyFirstCellAreLeftOutOfEveryColumn) {
  content::StringTable table = Table(4);
  table.Set(0, 1, QString());
  list_->Submit_Data_Array(table, -1, 1);
  EXPECT_EQ(list_->CxLColText[0]->Caption(), QStringLiteral("topic 0\rtopic 2\rtopic 3"));
  EXPECT_EQ(list_->CxLColText[1]->Caption(), QStringLiteral("0\r14\r21"));
  EXPECT_EQ(list_->CxLColText[2]->Caption(), QString());  // beyond the visible columns

  content::StringTable empty(3);
  empty.Set(1, 0, QStringLiteral("no subject"));
  list_->Submit_Data_Array(empty, -1, 1);
  EXPECT_EQ(list_->CxLColText[0]->Caption(), QString());
  EXPECT_EQ(list_->CxLColText[1]->Caption(), QString());
}

TEST_F(ComplexListTest, LongCellsAreFittedToTheirColumn) {
  content::StringTable table(2);
  table.Set(0, 0, QStringLiteral("a very long topic title that cannot fit into a column this narrow"));
  table.Set(1, 0, QStringLiteral("7"));
  list_->Submit_Data_Array(table, -1, 1);
  const QString cell = list_->CxLColText[0]->Caption();
  EXPECT_TRUE(cell.endsWith(QStringLiteral("..."))) << cell.toStdString();
  EXPECT_EQ(list_->CxLColText[1]->Caption(), QStringLiteral("7"));
}

TEST_F(ComplexListTest, ScrollBarFollowsTheRowsOfEverySubmission) {
  const content::StringTable many = Table(RowsThatFit() + 20);
  list_->Submit_Data_Array(many, -1, 1);
  ASSERT_TRUE(list_->VScrollButton->Visible());
  EXPECT_EQ(list_->UsableWidth(), 4000 - 255);
  EXPECT_EQ(list_->CxLColHead[0]->Width(), 2809);  // 3745 x 3 / 4, rounded
  EXPECT_EQ(list_->VScrollButton->Play(), list_->CxLColText[0]->Height());

  // Scrolling moves the text; the selector follows its row.
  list_->SetListIndex(3);
  list_->VScrollButton->Submit_New_Coord(600);
  EXPECT_EQ(45 + 240 - list_->CxLColText[0]->Top(), 600);
  EXPECT_EQ(list_->CxLSelector->Top(), 3 * list_->RowHeight() + list_->CxLColText[0]->Top());

  // A short table after a scrolled long one shows its row, without a bar.
  list_->VScrollButton->Submit_New_Coord(1000000);
  list_->Submit_Data_Array(Table(1), -1, 1);
  EXPECT_FALSE(list_->VScrollButton->Visible());
  EXPECT_EQ(list_->UsableWidth(), 4000);
  EXPECT_EQ(list_->CxLColText[0]->Top(), 45 + 240);
  EXPECT_EQ(list_->FirstRowInView(), 0);
  EXPECT_EQ(list_->LastRowInView(), 0);

  // A long table after a scrolled longer one stays within its rows.
  list_->Submit_Data_Array(Table(500), -1, 1);
  list_->VScrollButton->Submit_New_Coord(1000000);
  list_->Submit_Data_Array(many, -1, 1);
  EXPECT_EQ(list_->LastRowInView(), many.Count() - 1);
  EXPECT_GE(list_->FirstRowInView(), 0);
  list_->ScrollToTop();
  EXPECT_EQ(list_->FirstRowInView(), 0);

  // Rows that fill the list exactly need no bar; one more row does.
  list_->Move(0, 0, 4075, 240 + 60 + 10 * list_->RowHeight());
  list_->Submit_Data_Array(Table(10), -1, 1);
  EXPECT_FALSE(list_->VScrollButton->Visible());
  list_->Submit_Data_Array(Table(11), -1, 1);
  EXPECT_TRUE(list_->VScrollButton->Visible());
}

TEST_F(ComplexListTest, TheKeyboardFocusShowsTheSelectorInTheHighlightColours) {
  auto* other = new QWidget(&window_);
  other->setFocusPolicy(Qt::StrongFocus);
  other->show();
  list_->Submit_Data_Array(Table(3), -1, 1);
  list_->SetListIndex(1);
  QApplication::setActiveWindow(&window_);
  list_->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(list_->hasFocus());
  EXPECT_TRUE(list_->CxLSelector->Visible());
  EXPECT_EQ(list_->CxLSelector->BorderColor(), settings::Theme().theme_high);
  EXPECT_EQ(list_->CxLSelector->FillColor(), settings::Theme().theme_highlight);
  // Without the keyboard a list shows no selection unless it keeps its selector.
  other->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(list_->CxLSelector->Visible());
  list_->SetKeepFocus(true);
  list_->setFocus();
  other->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(list_->CxLSelector->Visible());
}

TEST_F(ComplexListTest, CellsAreFittedAgainWhenTheScrollBarAppears) {
  // A cell a few pixels narrower than its column, which the bar then narrows.
  const QFontMetrics metrics(list_->CxLColText[0]->font());
  QString cell = QStringLiteral("word ");
  while (metrics.horizontalAdvance(cell + QLatin1Char('i')) < 2970 / 15 - 2) cell += QLatin1Char('i');
  content::StringTable table(2);
  for (int r = 0; r < 5; ++r) {
    table.Set(0, table.Grow(), cell);
    table.Set(1, r, QStringLiteral("1"));
  }
  list_->Submit_Data_Array(table, -1, 1);
  ASSERT_FALSE(list_->VScrollButton->Visible());
  ASSERT_FALSE(list_->CxLColText[0]->Caption().contains(QStringLiteral("...")));

  list_->SetHeight(240 + 60 + 2 * list_->RowHeight());
  ASSERT_TRUE(list_->VScrollButton->Visible());
  const int limit = list_->CxLColText[0]->Tag().toInt();
  for (const QString& line : list_->CxLColText[0]->Caption().split(QLatin1Char('\r'))) {
    EXPECT_TRUE(line.endsWith(QStringLiteral("..."))) << line.toStdString();
    // The list adds single characters' advances: within a pixel of the shaped text.
    EXPECT_LE(metrics.horizontalAdvance(line.chopped(3)) * 15 + settings::Shared().EllipsisWidth, limit + 15);
  }
}

TEST_F(ComplexListTest, TheSelectedRowIsScrolledIntoView) {
  list_->Submit_Data_Array(Table(300), -1, 1);
  list_->setFocus();
  const int page = (3000 - 240 - 90) / list_->RowHeight();
  struct Step {
    const char* what;
    std::function<void()> act;
    int row;
  };
  auto release = [this](Qt::Key key) { return [this, key] { QTest::keyClick(list_, key); }; };
  const Step steps[] = {
      {"End", release(Qt::Key_End), 299},
      {"Down on the last row", release(Qt::Key_Down), 299},
      {"Home", release(Qt::Key_Home), 0},
      {"Up on row 0", release(Qt::Key_Up), 0},
      {"PageDown", release(Qt::Key_PageDown), page},
      {"Down past the view", [this] { for (int i = 0; i < 40; ++i) QTest::keyClick(list_, Qt::Key_Down); }, page + 40},
      {"written by the program", [this] { list_->SetListIndex(200); }, 200},
      {"PageUp", release(Qt::Key_PageUp), 200 - page},
      {"written above the view", [this] { list_->SetListIndex(3); }, 3},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(list_->ListIndex(), step.row);
    EXPECT_LE(list_->FirstRowInView(), step.row);
    EXPECT_GE(list_->LastRowInView(), step.row);
    EXPECT_EQ(list_->CxLSelector->Top(), step.row * list_->RowHeight() + list_->CxLColText[0]->Top());
  }
}

TEST_F(ComplexListTest, MinusOneSelectsNothing) {
  list_->Submit_Data_Array(Table(5), -1, 1);
  list_->SetKeepFocus(true);
  list_->SetListIndex(-1);
  EXPECT_FALSE(list_->CxLSelector->Visible());
  list_->setFocus();
  QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_EQ(list_->ListIndex(), 0);
  EXPECT_TRUE(list_->CxLSelector->Visible());
}

TEST_F(ComplexListTest, ArrowKeysStopAtTheEnds) {
  list_->Submit_Data_Array(Table(5), -1, 1);
  list_->setFocus();
  QTest::keyClick(list_, Qt::Key_Up);
  EXPECT_EQ(list_->ListIndex(), 0);
  for (int i = 0; i < 9; ++i) QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_EQ(list_->ListIndex(), 4);
  QTest::keyPress(list_, Qt::Key_Up);
  EXPECT_EQ(list_->ListIndex(), 4);  // keys act on release
  QTest::keyRelease(list_, Qt::Key_Up);
  EXPECT_EQ(list_->ListIndex(), 3);

  list_->SetListIndex(12);  // beyond the last row: the selector stands below it
  EXPECT_EQ(list_->CxLSelector->Top(), 12 * list_->RowHeight() + list_->CxLColText[0]->Top());
}

TEST_F(ComplexListTest, MouseDownSelectsTheRowAndDoubleClickReportsIt) {
  list_->Submit_Data_Array(Table(5), -1, 1);
  QSignalSpy doubleClicks(list_, &ComplexList::DoubleClick);
  QSignalSpy clicks(list_, &ComplexList::Click);
  QWidget* cells = list_->CxLColText[1];
  QTest::mousePress(cells, Qt::LeftButton, {}, RowPoint(2));
  QTest::mouseRelease(cells, Qt::LeftButton, {}, RowPoint(2));
  QTest::mouseDClick(cells, Qt::LeftButton, {}, RowPoint(2));
  QTest::mouseRelease(cells, Qt::LeftButton, {}, RowPoint(2));
  EXPECT_EQ(list_->ListIndex(), 2);
  ASSERT_EQ(doubleClicks.count(), 1);
  EXPECT_EQ(doubleClicks[0][0].toInt(), 2);
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(ComplexListTest, TitlesHighlightOneAtATimeAndReportClicks) {
  QSignalSpy headers(list_, &ComplexList::HeaderClick);
  QTest::mouseMove(list_->CxLColHotSpot[0], QPoint(3, 3));
  EXPECT_TRUE(list_->CxLColShape[0]->Visible());
  EXPECT_EQ(list_->CxLColHead[0]->ForeColor(), 0x00FF00);
  EXPECT_TRUE(list_->ImHigh());
  QTest::mouseMove(list_->CxLColHotSpot[1], QPoint(3, 3));
  EXPECT_FALSE(list_->CxLColShape[0]->Visible());
  EXPECT_EQ(list_->CxLColHead[0]->ForeColor(), 0x101010);
  EXPECT_TRUE(list_->CxLColShape[1]->Visible());
  QTest::mouseClick(list_->CxLColHotSpot[1], Qt::LeftButton, {}, QPoint(3, 3));
  ASSERT_EQ(headers.count(), 1);
  EXPECT_EQ(headers[0][0].toInt(), 1);

  list_->SetImHigh(false);  // the host's hover reset
  EXPECT_FALSE(list_->CxLColShape[1]->Visible());
  EXPECT_FALSE(list_->ImHigh());
  // The pointer on the scroll bar is over no title.
  QTest::mouseMove(list_->CxLColHotSpot[0], QPoint(3, 3));
  emit list_->VScrollButton->MouseMove(0, 0, 0, 0);
  EXPECT_FALSE(list_->CxLColShape[0]->Visible());
}

TEST_F(ComplexListTest, OddInputDoesNoHarm) {
  ComplexList fresh(&window_);
  fresh.Move(0, 0, 3000, 2000);
  fresh.Submit_Data_Array(Table(3), -1, 1);  // before any column set-up
  std::vector<ComplexList::ColumnHeading> eight;
  for (int i = 0; i < 8; ++i) eight.push_back({QStringLiteral("c%1").arg(i), QStringLiteral("1")});
  fresh.Setup_Cols_Headers(eight);
  EXPECT_EQ(fresh.Columns().size(), 6u);
  fresh.Submit_Data_Array(Table(3), -1, 9);
  EXPECT_TRUE(fresh.CxLColHead[5]->Visible());
  fresh.Submit_Data_Array(content::StringTable(3), -1, 1);
  EXPECT_EQ(fresh.FirstRowInView(), -1);  // no rows, none in view
  EXPECT_EQ(fresh.LastRowInView(), -1);
}

TEST_F(ComplexListTest, RenderedLookKeepsTheSelectedRowReadable) {
  settings::Theme().theme_vague = 0xFFFFFF;
  settings::Theme().theme_color = 0x800000;
  settings::Theme().theme_highlight = 0xFF8000;
  settings::Theme().theme_pitch = 0x000000;
  list_->ResetControl();
  list_->Submit_Data_Array(Table(40), -1, 1);
  list_->Submit_Data_Array(Table(40), -1, 1);  // now with its scroll bar
  list_->SetListIndex(1);
  list_->SetKeepFocus(true);
  const QImage image = list_->grab().toImage();
  const QString folder = QStringLiteral(LUMORA_TEST_OUTPUT) + QStringLiteral("/looks");
  QDir().mkpath(folder);
  image.save(folder + QStringLiteral("/complex_list.png"));

  // On the selected row, text and background still differ: the selector
  // inverts what lies under it instead of covering it.
  const int top = list_->CxLSelector->geometry().top() + 2;
  const int bottom = list_->CxLSelector->geometry().bottom() - 2;
  std::set<QRgb> colours;
  for (int y = top; y <= bottom; ++y)
    for (int x = 10; x < 80; ++x) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 2u);
  // Outside the selector the body shows the list's background.
  EXPECT_EQ(QColor(image.pixel(image.width() / 3, image.height() - 8)), QColor(255, 255, 255));
  EXPECT_TRUE(list_->VScrollButton->Visible());
}

TEST_F(ComplexListTest, ARowCutByTheLowerEdgeLeavesTheFrameWhole) {
  settings::Theme().theme_vague = 0xFFFFFF;
  settings::Theme().theme_color = 0x0000FF;
  settings::Theme().theme_shade = 0x00FF00;
  settings::Theme().theme_pitch = 0x000000;
  list_->ResetControl();
  list_->Submit_Data_Array(Table(60, QStringLiteral("WWWW MMMM")), -1, 1);
  list_->SetKeepFocus(true);
  // Every height within one row, so that some row is cut at each pixel; the
  // cut row is selected.
  for (int height = 3000; height < 3000 + list_->RowHeight(); height += 15) {
    list_->SetHeight(height);
    list_->SetListIndex(list_->LastRowInView() + 1);
    list_->ScrollToTop();
    const QImage image = list_->grab().toImage();
    for (int y : {image.height() - 1, image.height() - 2}) {
      const QColor frame = y == image.height() - 1 ? QColor(255, 0, 0) : QColor(0, 255, 0);
      for (int x = 3; x < image.width() / 2; ++x)
        ASSERT_EQ(QColor(image.pixel(x, y)), frame) << "height " << height << " at " << x << "," << y;
    }
  }
}

TEST_F(ComplexListTest, ScrolledRowsPassUnderTheTitles) {
  list_->Submit_Data_Array(Table(40), -1, 1);
  list_->Submit_Data_Array(Table(40), -1, 1);
  list_->SetListIndex(0);
  emit list_->VScrollButton->SliderDrag(list_->RowHeight() * 5);  // five rows up
  QSignalSpy headers(list_, &ComplexList::HeaderClick);
  const QRect title = list_->CxLColHotSpot[0]->geometry().translated(list_->CxLHeader->pos());
  QWidget* target = list_->childAt(title.center());
  ASSERT_NE(target, nullptr);
  QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(list_, title.center()));
  EXPECT_EQ(headers.count(), 1);
  EXPECT_EQ(list_->ListIndex(), 0) << "the click chose a hidden row";
}

TEST_F(ComplexListTest, WheelScrollsThreeRowsANotchWithinTheRows) {
  list_->Submit_Data_Array(Table(40), -1, 1);  // scrollable from its first submission
  ASSERT_TRUE(list_->VScrollButton->Visible());
  const int top = list_->CxLColText[0]->Top();
  auto turn = [this](int angle) {
    // A real wheel over a row reaches the list through the row (checked by
    // the whole-program tests); a sent event does not travel up.
    QWheelEvent wheel(QPointF(5, 5), list_->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list_, &wheel);
  };
  turn(-120);  // one notch towards the user: down
  EXPECT_NEAR(top - list_->CxLColText[0]->Top(), 3 * list_->RowHeight(), 15);
  turn(-60);  // half a notch waits for its other half
  EXPECT_NEAR(top - list_->CxLColText[0]->Top(), 3 * list_->RowHeight(), 15);
  turn(-60);
  EXPECT_NEAR(top - list_->CxLColText[0]->Top(), 6 * list_->RowHeight(), 15);
  for (int i = 0; i < 20; ++i) turn(-120);
  EXPECT_TRUE(list_->VScrollButton->VeryBottom());
  const int bottom = list_->CxLColText[0]->Top();
  turn(-120);
  EXPECT_EQ(list_->CxLColText[0]->Top(), bottom) << "past the last row";
  for (int i = 0; i < 20; ++i) turn(120);
  EXPECT_EQ(list_->CxLColText[0]->Top(), top);
}

#include <QFontMetrics>
#include <QWheelEvent>

#include "platform/twips.h"
#include "test_theme.h"

// Where the columns stand is shown by the list's looks.
TEST_F(ComplexListTest, ColumnsShareTheUsableWidthAreLaidOutAgainOnlyWhenItChangesAndCutLongCells) {
  list_->Setup_Cols_Headers({{QString(), 1}, {QString(), 1}});  // untitled: no title, no line after it
  EXPECT_EQ(std::pair(list_->CxLColHead[1]->Visible(), list_->CxLColLine[0]->Visible()), std::pair(false, false));
  list_->Setup_Cols_Headers({{QStringLiteral("Topic"), 1}, {QStringLiteral("Hits"), 1}});  // a title shows the line before it
  EXPECT_EQ(std::pair(list_->CxLColHead[0]->Width(), list_->CxLColLine[0]->Visible()), std::pair(3000, true));
  list_->SetWidth(4000 + 75 + 15);
  EXPECT_EQ(list_->CxLColHead[0]->Width(), 2008);  // half of 4015, rounded

  core::StringTable table = Table(4);
  table.Set(0, 1, QString());  // a row with an empty first cell is left out
  table.Set(0, 3, QStringLiteral("a very long topic & title that cannot fit into a column this narrow"));
  table.Set(0, 0, QStringLiteral("a & b"));  // plain text: its label doubles the "&" so that it shows
  list_->Submit_Data_Array(table, 1);
  const QStringList cells = list_->CxLColText[0]->Caption().split(QLatin1Char('\r'));
  ASSERT_EQ(cells.size(), 3);
  EXPECT_EQ(std::pair(cells[0], list_->CellText(0, 0)), std::pair(QStringLiteral("a && b"), QStringLiteral("a & b")));
  EXPECT_TRUE(cells[2].startsWith(u"a very") && cells[2].endsWith(u"...")) << cells[2].toStdString();
  QStringList tips;  // a cut cell shows itself whole as a tool tip, a whole one none
  for (int row : {2, 0}) {
    QTest::mouseMove(list_->CxLColText[0], Middle(row));
    tips << list_->CxLColText[0]->toolTip();
  }
  EXPECT_EQ(tips, (QStringList{table.At(0, 3), QString()}));
  EXPECT_EQ(std::tuple(list_->CxLColText[1]->Caption(), list_->CellText(1, 2), list_->CellText(1, 3),
                       list_->CellText(ComplexList::kColumns, 0)),
            std::tuple(QStringLiteral("0\r14\r21"), QStringLiteral("21"), QString(), QString()));  // no row or column past the last
}

TEST_F(ComplexListTest, ScrollBarFollowsTheRowsOfEverySubmission) {
  const int many = (3000 - 240 - 60) / list_->RowHeight() + 20;
  Submit(many);
  list_->SetListIndex(3);
  list_->VScrollButton->Submit_New_Coord(600);  // the selector follows its row
  const std::array<int, 3> placed{list_->UsableWidth(), 45 + 240 - Top(), list_->CxLSelector->Top()};
  list_->SetListIndex(-1);  // no row chosen: the rows stay where they are
  EXPECT_EQ((std::array{placed[0], placed[1], placed[2], 45 + 240 - Top()}), (std::array{4000 - 255, 600, SelectorTop(3), 600}));

  list_->VScrollButton->Submit_New_Coord(1000000);  // then a short table: its row, no bar
  EXPECT_EQ((std::tuple{Submit(1), Top(), list_->FirstRowInView(), list_->LastRowInView()}), (std::tuple{false, 45 + 240, 0, 0}));
  Submit(500);  // a long table after a scrolled longer one stays within its rows
  list_->VScrollButton->Submit_New_Coord(1000000);
  Submit(many);
  EXPECT_EQ(list_->LastRowInView(), many - 1);
  std::vector<std::array<int, 3>> cut;  // a chosen row is wholly in view, whatever the list's length and height
  const auto wholly = [&](int row) { list_->SetListIndex(row); return list_->FirstRowInView() <= row && row <= list_->LastRowInView(); };
  for (const int height : {1500, 3000, 4100}) {
    list_->Move(0, 0, 4075, height);
    for (int rows = 2; rows <= 150; ++rows) {
      Submit(rows);
      for (const int row : {rows - 1, 0, rows / 2}) if (!wholly(row)) cut.push_back({height, rows, row});
    }
  }
  EXPECT_EQ(cut, decltype(cut){});
  list_->Move(0, 0, 4075, 400);  // less than a row in view, a bar beside it: the chosen last row is still the one in view
  EXPECT_TRUE(Submit(5) && wholly(4));
  // Rows that fill the list exactly need no bar; one more row does.
  list_->Move(0, 0, 4075, 240 + 60 + 10 * list_->RowHeight());
  EXPECT_EQ((std::pair{Submit(10), Submit(11)}), (std::pair{false, true}));
}

TEST_F(ComplexListTest, TheKeyboardFocusShowsTheSelectorInTheHighlightColours) {
  Submit(3);
  QApplication::setActiveWindow(&window_);
  list_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return list_->hasFocus(); }));
  EXPECT_EQ(list_->CxLSelector->FillColor(), skin_->theme.theme_highlight);
  list_->clearFocus();  // without the keyboard a list shows no selection unless it keeps its selector
  EXPECT_FALSE(list_->CxLSelector->Visible());
  list_->setFocus();
  list_->SetKeepFocus(true);
  list_->clearFocus();
  EXPECT_EQ(std::pair(list_->CxLSelector->Visible(), list_->CxLSelector->FillColor()), std::pair(true, skin_->theme.theme_color));
  // A row cut by the lower edge shows what the inner frame leaves of it; one starting at the frame, nothing.
  list_->SetListIndex(2);
  std::vector<bool> shown;
  for (const int below : {15, 0}) {
    list_->Move(0, 0, 4075, SelectorTop(2) + 30 + below);  // the frame is two pixels
    shown.push_back(list_->CxLSelector->Visible());
  }
  EXPECT_EQ(shown, (std::vector{true, false}));
}

TEST_F(ComplexListTest, KeysAndPointerChooseRowsScrolledIntoViewAndEnterOrDoubleClickOpensThem) {
  Submit(300);
  QSignalSpy opened(list_, &ComplexList::DoubleClick);
  list_->SetKeepFocus(true);
  list_->SetListIndex(-1);
  QTest::keyClick(list_, Qt::Key_Return);  // no row to open
  QTest::keyPress(list_, Qt::Key_Down);
  EXPECT_EQ(list_->ListIndex(), -1);  // keys act on release
  QTest::keyRelease(list_, Qt::Key_Down);
  EXPECT_TRUE(list_->CxLSelector->Visible());
  QTest::keyClick(list_, Qt::Key_Return);    // opens row 0
  QTest::keyRelease(list_, Qt::Key_Return);  // its press went elsewhere
  QTest::keyPress(list_, Qt::Key_Return);
  QApplication::sendEvent(list_, std::make_unique<QFocusEvent>(QEvent::FocusOut).get());  // the keyboard went too
  QTest::keyRelease(list_, Qt::Key_Return);
  list_->SetListIndex(300);                  // beyond the last row
  QTest::keyClick(list_, Qt::Key_Return);

  const int page = (3000 - 240 - 90) / list_->RowHeight();
  const struct { Qt::Key key; int row; } steps[] = {  // Qt::Key_unknown: the program writes the row
      {Qt::Key_End, 299},       {Qt::Key_Down, 299},    {Qt::Key_Home, 0},             {Qt::Key_Up, 0},
      {Qt::Key_PageDown, page}, {Qt::Key_unknown, 200}, {Qt::Key_PageUp, 200 - page}, {Qt::Key_unknown, 3}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.row);
    step.key == Qt::Key_unknown ? list_->SetListIndex(step.row) : QTest::keyClick(list_, step.key);
    EXPECT_EQ(std::pair(list_->ListIndex(), list_->CxLSelector->Top()), std::pair(step.row, SelectorTop(step.row)));
    EXPECT_TRUE(list_->FirstRowInView() <= step.row && step.row <= list_->LastRowInView() &&  // and no more than a page
                list_->LastRowInView() - list_->FirstRowInView() < page) << list_->FirstRowInView() << ".." << list_->LastRowInView();
  }
  QTest::mouseClick(list_->CxLColText[1], Qt::LeftButton, {}, Middle(2));
  QTest::mouseDClick(list_->CxLColText[1], Qt::LeftButton, {}, Middle(2));
  EXPECT_EQ(opened, (QList<QVariantList>{{0}, {2}}));
}

TEST_F(ComplexListTest, TitlesStandAboveScrolledRowsHighlightOneAtATimeAndReportClicks) {
  Submit(40);
  list_->SetListIndex(0);
  emit list_->VScrollButton->SliderDrag(list_->RowHeight() * 5);  // rows now pass under the titles
  QSignalSpy headers(list_, &ComplexList::HeaderClick);
  QTest::mouseMove(list_->CxLColHotSpot[0], QPoint(3, 3));
  EXPECT_EQ(list_->CxLColHead[0]->ForeColor(), 0x00FF00);
  QTest::mouseMove(list_->CxLColHotSpot[1], QPoint(3, 3));
  EXPECT_EQ(std::tuple(list_->CxLColHead[0]->ForeColor(), list_->CxLColShape[1]->Visible(), list_->ImHigh()), std::tuple(0x101010, true, true));
  const QPoint title = list_->CxLColHotSpot[1]->geometry().translated(list_->CxLHeader->pos()).center();
  QTest::mouseClick(list_->childAt(title), Qt::LeftButton, {}, list_->childAt(title)->mapFrom(list_, title));
  EXPECT_EQ(headers, QList<QVariantList>{{1}});
  EXPECT_EQ(list_->ListIndex(), 0) << "the click chose a hidden row";

  list_->SetImHigh(false);  // the host's hover reset
  EXPECT_EQ(std::pair(list_->CxLColShape[1]->Visible(), list_->ImHigh()), std::pair(false, false));
}

TEST_F(ComplexListTest, WheelScrollsThreeRowsANotchWithinTheRows) {
  Submit(40);  // scrollable from its first submission
  const int top = Top(), notch = 3 * list_->RowHeight();
  auto turn = [this](int angle, int times = 1) {
    QWheelEvent wheel({5, 5}, {5, 5}, {}, {0, angle}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    for (int i = 0; i < times; ++i) QApplication::sendEvent(list_, &wheel);
  };
  turn(-120);  // one notch towards the user: down
  turn(-60);   // half a notch waits for its other half
  EXPECT_NEAR(top - Top(), notch, 15);
  turn(-60);
  EXPECT_NEAR(top - Top(), 2 * notch, 15);
  turn(-120, 30);
  EXPECT_TRUE(list_->VScrollButton->VeryBottom());
  turn(120, 20);
  EXPECT_EQ(Top(), top);
  Submit(3);  // rows that fit do not move
  turn(-120, 3);
  EXPECT_EQ(Top(), top);
}

TEST_F(ComplexListTest, MovableRowsReportADragToAnotherRowOnly) {
  Submit(6);
  QSignalSpy dragged(list_, &ComplexList::RowDragged);
  ColumnText* text = list_->CxLColText[0];
  std::vector<bool> marks;  // the drop mark after each move: over another row only
  const auto drag = [&](int from, std::vector<int> over, int rowsMeanwhile = -1) {
    QTest::mousePress(text, Qt::LeftButton, {}, Middle(from));
    if (rowsMeanwhile >= 0) Submit(rowsMeanwhile);
    for (int row : over) {
      QMouseEvent move(QEvent::MouseMove, Middle(row), Middle(row), Qt::NoButton, Qt::LeftButton, {});
      QApplication::sendEvent(text, &move);
      marks.push_back(list_->CxLDropMark->Visible());
    }
    QTest::mouseRelease(text, Qt::LeftButton, {}, Middle(over.empty() ? from : over.back()));
  };
  drag(1, {2, 3});  // rows that stay put report nothing
  list_->SetRowsMovable(true);
  for (const auto& [from, over] :
       std::vector<std::pair<int, std::vector<int>>>{{1, {2, 3}}, {4, {3, 4}}, {5, {}}, {0, {2}}, {2, {9}}, {3, {0}}})
    drag(from, over);  // back to its row, or a click, moves nothing; past the last row is the last row
  EXPECT_FALSE(list_->CxLDropMark->Visible());
  drag(1, {2}, 0);  // emptied under the drag: there is no row left to drop on
  EXPECT_EQ(dragged, (QList<QVariantList>{{1, 3}, {0, 2}, {2, 5}, {3, 0}}));
  EXPECT_EQ(marks, (std::vector<bool>{false, false, true, true, true, false, true, true, true, false}));
  list_->SetDimmedRows({false, true});  // how they paint is in the looks
  EXPECT_EQ(std::pair(list_->RowDimmed(1), list_->RowDimmed(-1)), std::pair(true, false));
}

// Cells are measured character by character; every script must be cut where the font says it no longer fits.
TEST_F(ComplexListTest, CellsOfEveryScriptAreCutWhereTheirFontNoLongerFits) {
  const QStringList texts = {QString::fromUtf8("Печать страницы вместе с картинками, таблицами и сносками"),
                             QString::fromUtf8("Εκτύπωση σελίδας μαζί με εικόνες, πίνακες και σημειώσεις"),
                             QString::fromUtf8("印刷 ページと画像と表と脚注の設定 についての説明です"),  // a text without a blank is never cut
                             QString::fromUtf8("e\u0301e\u0301e\u0301 a\u0308a\u0308a\u0308 o\u0302o\u0302 ").repeated(6)};
  core::StringTable table(2);
  for (const QString& text : texts) table.Set(0, table.Grow(), text);
  for (const char* font : {"", "DejaVu Serif"}) {  // a theme that names no font: the list's own all the same
    skin_->theme.theme_text = QString::fromLatin1(font);
    list_->ResetControl(skin_);
    const ColumnText* column = list_->CxLColText[0];
    EXPECT_EQ(std::pair(column->font().family(), column->font().pointSizeF()), std::pair(QString::fromLatin1(font), 8.25));
    const QFontMetrics metrics(column->font());
    const auto twips = [&](const QString& text) { return platform::PixelsToTwipsX(metrics.horizontalAdvance(text)); };
    skin_->ellipsisWidth = qRound(twips(QStringLiteral("...")));
    list_->SetWidth(list_->Width() + 15);  // the cells are fitted again
    list_->Submit_Data_Array(table, 1);
    for (int row = 0; row < texts.size(); ++row) {
      const QString line = column->Line(row);
      SCOPED_TRACE(line.toStdString());
      if (twips(texts[row]) <= column->Width()) {
        EXPECT_EQ(line, texts[row]);  // a machine with no font for the script: its glyphs take no room
        continue;
      }
      EXPECT_TRUE(line.endsWith(QStringLiteral("...")) && texts[row].startsWith(line.chopped(3)) && line.size() > 6 &&
                  twips(line) <= column->Width());
      // And not much before: one more letter would not fit (within a pixel or two of kerning).
      EXPECT_TRUE(row >= 2 || twips(texts[row].left(line.size() - 2) + QStringLiteral("...")) > column->Width() - 30);
    }
  }
}


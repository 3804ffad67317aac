#include <QLineEdit>

#include "controls/write_box.h"
#include "test_theme.h"

class WriteBoxTest : public ControlTest<WriteBox> {
 protected:
  WriteBoxTest() : ControlTest({0, 0, 3000, 600}) {}
  QLineEdit* text_ = control_->WrBText;
};

TEST_F(WriteBoxTest, LineBreaksGoOnKeyReleaseTheSelectionKeepsItsNumbersAndTheTextLeavesRoomForTheArrow) {
  QSignalSpy keys(control_, &WriteBox::KeyPressed);
  text_->setText(QStringLiteral("ab\r\ncd\r\nef"));
  EXPECT_EQ(control_->Text(), QStringLiteral("abcdef"));  // reading never gives CR LF
  QTest::keyRelease(text_, Qt::Key_Return);  // its press went elsewhere: no key for the box
  QTest::keyClick(text_, Qt::Key_Return);
  EXPECT_EQ(keys, (QList<QVariantList>{{13, 0}}));
  text_->setText(QStringLiteral("a\r\nbcdef"));
  text_->setSelection(4, 2);
  QTest::keyClick(text_, Qt::Key_Shift);
  EXPECT_EQ(text_->selectedText(), QStringLiteral("ef"));  // the same numbers, two characters further on
  control_->SetDropDownParent(QStringLiteral("owner"));  // the arrow's place takes its clicks (its look is kept)
  EXPECT_EQ(control_->WrbHotSpot->Left(), 3000 - 30 - 240);
  // A press on the white strip left of the text is the box's own, and the text takes the keyboard.
  QSignalSpy presses(control_, &WriteBox::MouseDown);
  QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, control_->mapTo(&window_, QPoint(3, 9)));
  EXPECT_TRUE(QTest::qWaitFor([&] { return text_->hasFocus(); }) && presses.count() == 1);
}

TEST_F(WriteBoxTest, DropDownListShowsItsFirstRowSwitchesOnlyToRowsItHasAndDropsOnEveryKeyWhileLocked) {
  control_->DDList_Clear();  // one empty row, written over by the first added
  control_->DDList_Add(QStringLiteral("Fish &amp; Chips"), QStringLiteral("1"));
  control_->DDList_Add(QStringLiteral("Second"), QStringLiteral("2"));
  EXPECT_EQ(control_->Text(), QStringLiteral("Fish and Chips"));
  for (int row : {1, 2, -1}) control_->SwitchToIndex(row);  // rows 2 and -1 do not exist
  EXPECT_EQ((std::tuple{control_->ListIndex(), control_->Text(), control_->ClickTag()}),
            (std::tuple{1, QStringLiteral("Second"), QStringLiteral("2")}));

  QSignalSpy drops(control_, &WriteBox::DropClick);
  control_->WriteProperty(QString(), true, false, false);
  QTest::keyClick(text_, Qt::Key_A);
  QTest::mouseClick(control_->WrbHotSpot, Qt::LeftButton, {}, QPoint(3, 3));  // no list to drop
  EXPECT_EQ(drops.count(), 1);
  control_->WriteProperty(QStringLiteral("owner"), false, true, true);
  control_->WriteProperty(QStringLiteral("owner"), false, false, false);
  QTest::keyClick(text_, Qt::Key_A);  // no longer locked
  QTest::mouseClick(control_->WrbHotSpot, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(std::pair(text_->echoMode(), drops.count()), std::pair(QLineEdit::Password, qsizetype{2}));
}

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "controls/write_box.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

#include "test_theme.h"

using namespace lumora;
using controls::WriteBox;

namespace {

class WriteBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    UseTestTheme();
    box_ = new WriteBox(&window_);
    box_->Move(0, 0, 3000, 600);
    box_->ResetControl();
    window_.resize(300, 100);
    window_.show();
  }

  QWidget window_;
  WriteBox* box_ = nullptr;
};

}  // namespace

TEST_F(WriteBoxTest, HeightIsFixedAndTheTextLeavesRoomForTheArrow) {
  EXPECT_EQ(box_->Height(), 270);
  box_->SetWidth(2400);
  EXPECT_EQ(box_->Height(), 270);
  EXPECT_EQ(box_->WrBText->width(), 2400 / 15 - 6);
  EXPECT_FALSE(box_->WrBArrow0->Visible());
  box_->SetDropDownParent(QStringLiteral("owner"));
  EXPECT_EQ(box_->WrBText->width(), 2400 / 15 - 21);
  EXPECT_TRUE(box_->WrBArrow0->Visible());
  EXPECT_EQ(box_->WrbHotSpot->Left(), 2400 - 30 - 240);
}

TEST_F(WriteBoxTest, LineBreaksAreRemovedOnKeyReleaseAndTheCaretKeepsItsNumber) {
  QSignalSpy keys(box_, &WriteBox::KeyPressed);
  box_->WrBText->setText(QStringLiteral("ab\r\ncd\r\nef"));
  EXPECT_EQ(box_->Text(), QStringLiteral("abcdef"));  // reading never gives CR LF
  box_->WrBText->setCursorPosition(9);
  QTest::keyClick(box_->WrBText, Qt::Key_Return);
  EXPECT_EQ(box_->WrBText->text(), QStringLiteral("abcdef"));
  EXPECT_EQ(box_->SelectionStart(), 6);  // beyond the end: at the end
  ASSERT_EQ(keys.count(), 1);
  EXPECT_EQ(keys[0][0].toInt(), 13);

  box_->WrBText->setText(QStringLiteral("a\r\nbcdef"));
  box_->WrBText->setCursorPosition(4);
  QTest::keyClick(box_->WrBText, Qt::Key_Shift);
  EXPECT_EQ(box_->SelectionStart(), 4);  // the same number, two characters further on

  // Without line breaks the keys' own selection stays, in either direction.
  box_->WrBText->setText(QStringLiteral("abcdef"));
  box_->WrBText->setCursorPosition(4);
  QTest::keyClick(box_->WrBText, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(box_->WrBText, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(box_->WrBText->selectedText(), QStringLiteral("cd"));
  QTest::keyClick(box_->WrBText, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(box_->WrBText->selectedText(), QStringLiteral("d"));
}

TEST_F(WriteBoxTest, ChangedFollowsEveryTextChange) {
  QSignalSpy changed(box_, &WriteBox::Changed);
  box_->SetText(QStringLiteral("print"));
  QTest::keyClicks(box_->WrBText, QStringLiteral("er"));
  EXPECT_EQ(changed.count(), 3);
  box_->ResetControl();
  EXPECT_EQ(changed.count(), 4);
}

TEST_F(WriteBoxTest, DropDownListShowsItsFirstRow) {
  box_->DDList_Clear();
  box_->DDList_Add(QStringLiteral("Fish &amp; Chips"), QStringLiteral("1"));
  box_->DDList_Add(QStringLiteral("Second"), QStringLiteral("2"));
  EXPECT_EQ(box_->DDListCount(), 2);
  EXPECT_EQ(box_->Text(), QStringLiteral("Fish and Chips"));
  EXPECT_EQ(box_->ListIndex(), 0);
  EXPECT_EQ(box_->ClickTag(), QStringLiteral("1"));
  box_->SetListIndex(1);
  EXPECT_EQ(box_->Text(), QStringLiteral("Second"));
  EXPECT_EQ(box_->ClickTag(), QStringLiteral("2"));
  for (int row : {2, 7, -1}) box_->SwitchToIndex(row);  // no such rows
  EXPECT_EQ(box_->ListIndex(), 1);
  EXPECT_EQ(box_->Text(), QStringLiteral("Second"));

  box_->DDList_Clear();
  box_->DDList_Add(QString(), QStringLiteral("x"));
  box_->DDList_Add(QStringLiteral("kept"), QStringLiteral("y"));  // writes over the empty row
  EXPECT_EQ(box_->DDListCount(), 1);
  EXPECT_EQ(box_->DDListText(0), QStringLiteral("kept"));
}

TEST_F(WriteBoxTest, ReadOnlyBoxReportsDropClickOnEveryKey) {
  QSignalSpy drops(box_, &WriteBox::DropClick);
  box_->WriteProperty(QString(), true, false, false);
  QTest::keyClick(box_->WrBText, Qt::Key_A);
  QTest::keyClick(box_->WrBText, Qt::Key_Down);
  EXPECT_EQ(drops.count(), 2);
  box_->WriteProperty(QStringLiteral("owner"), false, true, true);
  EXPECT_EQ(box_->WrBText->echoMode(), QLineEdit::Password);
  box_->WriteProperty(QStringLiteral("owner"), false, false, false);
  EXPECT_EQ(box_->WrBText->echoMode(), QLineEdit::Password);  // a mask once set stays
  QTest::mouseClick(box_->WrbHotSpot, Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_EQ(drops.count(), 3);
}

TEST_F(WriteBoxTest, DisabledColours) {
  box_->SetEnabled(false);
  EXPECT_EQ(box_->WrBEffect0->BorderColor(), 0x404040);
  EXPECT_EQ(box_->WrBEffect1->FillColor(), 0xF0F0F0);
  EXPECT_EQ(box_->WrBText->palette().color(QPalette::Disabled, QPalette::Text), QColor(0x80, 0x80, 0x80));
  box_->SetEnabled(true);
  EXPECT_EQ(box_->WrBEffect0->BorderColor(), 0x808080);
  EXPECT_EQ(box_->WrBEffect1->FillColor(), 0xC0C0C0);
  EXPECT_EQ(box_->WrBText->palette().color(QPalette::Active, QPalette::Text), QColor(0x10, 0x10, 0x10));
}

#include "controls/tool_button.h"
#include "test_theme.h"

class ToolButtonTest : public ControlTest<ToolButton> {
 protected:
  ToolButtonTest() : ControlTest({15, 15, 1215, 555}) {
    Pictures(3, {Qt::black, Qt::red, Qt::black, Qt::black});  // the tests' picture is number 2
    Pictures(4, {Qt::black, Qt::blue, Qt::black, Qt::black});
  }
  void Mouse(QTest::MouseAction a) { QTest::mouseEvent(a, control_->TlBHotSpot, Qt::LeftButton, {}, {5, 5}); }
};

TEST_F(ToolButtonTest, PressesSinkTheContentAndClickWithTheCommandWithAFrameShowingTheFocus) {
  QSignalSpy clicks(control_, &ToolButton::Click);
  QSignalSpy doubles(control_, &ToolButton::DoubleClick);
  Mouse(QTest::MouseClick);  // no command yet
  control_->ToolProperty(5, QStringLiteral("Search"), 2, true, 0);
  const int imageTop = control_->TlBImage->Top();
  Mouse(QTest::MousePress);
  EXPECT_EQ(control_->TlBImage->Top(), imageTop + 16);  // a pixel and a twip down
  control_->ResetControl(skin_);  // a new theme shows it released
  EXPECT_EQ(control_->TlBImage->Top(), imageTop);
  for (const QTest::MouseAction action : {QTest::MouseRelease, QTest::MouseDClick, QTest::MouseRelease}) Mouse(action);
  EXPECT_EQ(control_->TlBImage->Top(), imageTop);  // the closing release restores the released look
  EXPECT_EQ(clicks, QList<QVariantList>{{5}});
  EXPECT_EQ(doubles, QList<QVariantList>{{5}});

  QApplication::setActiveWindow(&window_);
  control_->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return control_->TlBFocus->Visible(); }));
  QTest::keyClick(control_, Qt::Key_Space);
  QTest::keyRelease(control_, Qt::Key_Return);  // its press went elsewhere
  EXPECT_EQ(clicks.count(), 2);  // one click, on the release
  QTest::keyPress(control_, Qt::Key_Space);
  const int held = control_->TlBImage->Top();
  control_->clearFocus();  // the press goes with the focus, and so does the focus frame
  EXPECT_EQ(std::tuple(held, control_->TlBImage->Top(), control_->TlBFocus->Visible()), std::tuple(imageTop + 16, imageTop, false));
  QTest::keyRelease(control_, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ToolButtonTest, WidthFollowsTheContentAndADisabledButtonShowsTheReducedPicture) {
  control_->ToolProperty(8, QString(), 3, true, 1);  // starts a group: its separator takes no clicks
  EXPECT_EQ(control_->TlBHotSpot->Left(), 45);
  control_->ToolProperty(1, QStringLiteral("Back"), 2, true, 0);
  control_->SetEnabled(false);  // the reduced picture (blue) is in the looks
  control_->TlBImage->SetImage(Filled(Qt::green));
  control_->SetEnabled(false);  // the current value reloads nothing
  EXPECT_EQ(Shown(control_->TlBImage), QColor(Qt::green));
  const int dimmed = control_->TlBCaption->ForeColor();
  EXPECT_NE(dimmed, skin_->theme.theme_shadow);
  control_->SetImHigh(true);
  control_->ResetControl(skin_);  // a new theme keeps the button disabled-looking, and the pointer is taken as gone
  EXPECT_EQ(std::tuple(control_->TlBCaption->ForeColor(), Shown(control_->TlBImage), control_->ImHigh()),
            std::tuple(dimmed, QColor(Qt::blue), false));
}

TEST_F(ToolButtonTest, APressHeldHalfASecondAsksForTheListAndItsReleaseClicksNothing) {
  control_->ToolProperty(1, QStringLiteral("Back"), 2, true, 0);
  QSignalSpy clicks(control_, &ToolButton::Click);
  const auto press = [this](int held) { Mouse(QTest::MousePress), QTest::qWait(held), Mouse(QTest::MouseRelease); };
  press(700);  // a button nobody offers a list for is only pressed
  std::vector<int> menus;  // where the picture stands when the list is asked for: released
  QObject::connect(control_, &ToolButton::MenuRequested, [&] { menus.push_back(control_->TlBImage->Top()); });
  press(1100);  // asked once however long it is held
  press(0);  // a quick click after it still clicks
  std::vector<size_t> asked;  // only Alt+Down asks for the list from the keyboard
  for (const auto& [key, modifiers] : {std::pair(Qt::Key_Down, Qt::AltModifier), {Qt::Key_Down, Qt::NoModifier}, {Qt::Key_Up, Qt::AltModifier}})
    QTest::keyClick(control_, key, modifiers), asked.push_back(menus.size());
  EXPECT_EQ(std::tuple(clicks.count(), asked, menus), std::tuple(qsizetype{2}, std::vector<size_t>{2, 2, 2}, std::vector<int>(2, control_->TlBImage->Top())));
}

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QFontMetrics>
#include <QTest>

#include "platform/events.h"
#include "platform/form_element.h"
#include "platform/label.h"
#include "platform/line.h"
#include "platform/picture.h"
#include "platform/push_button.h"
#include "platform/text_box.h"
#include "platform/twips.h"

using namespace lumora::platform;

namespace {

// Restores 96 dpi after tests that change the resolution.
class FormElementTest : public testing::Test {
 protected:
  void TearDown() override { SetTwipsPerPixel(15.0, 15.0); }
};

// Records every mouse event of an element, in order, as short words.
class EventLog {
 public:
  explicit EventLog(FormElement& element) {
    QObject::connect(&element, &FormElement::MouseDown, [this](int b, int s, double, double) { Add("down", b, s); });
    QObject::connect(&element, &FormElement::MouseUp, [this](int b, int s, double, double) { Add("up", b, s); });
    QObject::connect(&element, &FormElement::Click, [this] { events.push_back("click"); });
    QObject::connect(&element, &FormElement::DblClick, [this] { events.push_back("dblclick"); });
  }
  std::vector<std::string> events;

 private:
  void Add(const char* what, int button, int shift) {
    events.push_back(std::string(what) + std::to_string(button) + (shift ? "+" + std::to_string(shift) : ""));
  }
};

}  // namespace

TEST_F(FormElementTest, TwipGeometryMapsToPixelsAtTheScreenResolution) {
  QWidget parent;
  FormElement element(&parent);
  element.Move(3600, 960, 6135, 5655);
  EXPECT_EQ(element.geometry(), QRect(240, 64, 409, 377));
  EXPECT_EQ(element.Left(), 3600);
  EXPECT_EQ(element.Width(), 6135);

  SetTwipsPerPixel(12.0, 12.0);  // 120 dpi
  FormElement large(&parent);
  large.Move(120, 240, 1200, 600);
  EXPECT_EQ(large.geometry(), QRect(10, 20, 100, 50));
}

TEST_F(FormElementTest, TouchingElementsStayTouchingAfterRounding) {
  SetTwipsPerPixel(13.0, 13.0);  // an uneven resolution
  QWidget parent;
  FormElement first(&parent);
  FormElement second(&parent);
  first.Move(15, 15, 1000, 100);
  second.Move(1015, 15, 1000, 100);
  EXPECT_EQ(first.geometry().right() + 1, second.geometry().left());
}

TEST_F(FormElementTest, ResizeHandlerRunsOnlyWhenTheSizeChanges) {
  struct Counting : FormElement {
    int resizes = 0;
    void OnResize() override { ++resizes; }
  } element;
  element.Move(0, 0, 300, 300);
  element.Move(150, 150);
  element.SetLeft(30);
  EXPECT_EQ(element.resizes, 1);
  element.SetHeight(450);
  EXPECT_EQ(element.resizes, 2);
}

TEST_F(FormElementTest, VisibleAndEnabledAreTheElementsOwnFlags) {
  QWidget parent;
  FormElement element(&parent);
  parent.hide();
  parent.setEnabled(false);
  EXPECT_TRUE(element.Visible());
  EXPECT_TRUE(element.Enabled());
  element.SetVisible(false);
  element.SetEnabled(false);
  EXPECT_FALSE(element.Visible());
  EXPECT_FALSE(element.Enabled());
}

TEST_F(FormElementTest, ClickGivesDownUpClickWithOriginalArguments) {
  FormElement element;
  element.Move(0, 0, 1500, 1500);
  EventLog log(element);
  QTest::mouseClick(&element, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(10, 20));
  EXPECT_EQ(log.events, (std::vector<std::string>{"down1+3", "up1+3", "click"}));
}

TEST_F(FormElementTest, DoubleClickGivesTheOriginalEventOrder) {
  FormElement element;
  element.Move(0, 0, 1500, 1500);
  EventLog log(element);
  // What Qt delivers to a widget for a double click: press, release,
  // double-click, release.
  QTest::mousePress(&element, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&element, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseDClick(&element, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&element, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(log.events, (std::vector<std::string>{"down1", "up1", "click", "dblclick", "up1"}));
}

TEST_F(FormElementTest, RightButtonAndReleaseOutsideGiveNoClick) {
  FormElement element;
  element.Move(0, 0, 1500, 1500);
  EventLog log(element);
  QTest::mouseClick(&element, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mousePress(&element, Qt::LeftButton, Qt::AltModifier, QPoint(5, 5));
  QTest::mouseRelease(&element, Qt::LeftButton, Qt::AltModifier, QPoint(500, 5));
  EXPECT_EQ(log.events, (std::vector<std::string>{"down2", "up2", "down1+4", "up1+4"}));

  // A right double click is two right presses: no click, no double click.
  log.events.clear();
  QTest::mousePress(&element, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&element, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseDClick(&element, Qt::RightButton, {}, QPoint(5, 5));
  QTest::mouseRelease(&element, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(log.events, (std::vector<std::string>{"down2", "up2", "down2", "up2"}));
}

TEST_F(FormElementTest, MouseMoveReportsHeldButtonsAndTwipPosition) {
  FormElement element;
  element.Move(0, 0, 3000, 3000);
  QSignalSpy moves(&element, &FormElement::MouseMove);
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 4), QPointF(10, 4), Qt::NoButton,
                   Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(&element, &move);
  ASSERT_EQ(moves.count(), 1);
  EXPECT_EQ(moves[0][0].toInt(), vbLeftButton | vbRightButton);
  EXPECT_DOUBLE_EQ(moves[0][2].toDouble(), 150.0);
  EXPECT_DOUBLE_EQ(moves[0][3].toDouble(), 60.0);
}

TEST_F(FormElementTest, AutoSizedLabelFollowsItsTextAndLineBreaks) {
  Label label;
  label.SetFontName(QStringLiteral("DejaVu Sans"));
  label.SetFontSize(8.25);
  label.SetAutoSize(true);
  label.SetCaption(QStringLiteral("Search"));
  const int oneLineHeight = label.Height();
  const int wordWidth = label.Width();
  EXPECT_GT(oneLineHeight, 0);
  EXPECT_GT(wordWidth, 0);

  for (const QString& broken : {QStringLiteral("Search\r\nagain"), QStringLiteral("Search\ragain"),
                                QStringLiteral("Search\nagain")}) {
    label.SetCaption(broken);
    EXPECT_EQ(label.DisplayText(), QStringLiteral("Search\nagain"));
    EXPECT_EQ(label.Height(), 2 * oneLineHeight);
  }

  // "&" marks an access key and takes no room; "&&" shows one ampersand.
  label.SetCaption(QStringLiteral("&Search"));
  EXPECT_EQ(label.Width(), wordWidth);
  label.SetCaption(QStringLiteral("A && B"));
  const int shownWidth = QFontMetrics(label.font()).boundingRect(QStringLiteral("A & B")).width();
  EXPECT_NEAR(label.Width(), shownWidth * 15, 2 * 15);

  label.SetCaption(QString());
  EXPECT_EQ(label.Width(), 0);
  EXPECT_EQ(label.Height(), oneLineHeight);
}

TEST_F(FormElementTest, LineCoversItsEndsInItsParentsTwips) {
  QWidget parent;
  Line line(&parent);
  line.SetEnds(0, 570, 9840, 570);
  EXPECT_EQ(line.Left(), 0);
  EXPECT_EQ(line.Top(), 570);
  EXPECT_EQ(line.Width(), 9855);
  line.SetX2(15480);
  EXPECT_EQ(line.X2(), 15480);
  EXPECT_EQ(line.geometry(), QRect(0, 38, 1033, 1));
}

TEST_F(FormElementTest, UnstretchedPictureTakesThePictureSize) {
  QPixmap image(16, 16);
  image.fill(Qt::red);
  Picture picture;
  picture.Move(9600, 15, 285, 285);
  picture.SetImage(image);
  EXPECT_EQ(picture.Width(), 240);
  EXPECT_EQ(picture.Height(), 240);

  Picture stretched;
  stretched.SetStretch(true);
  stretched.Move(0, 0, 360, 360);
  stretched.SetImage(image);
  EXPECT_EQ(stretched.Width(), 360);
}

// Enter presses a form button as Space does, on the release, so a message
// box the click opens never takes the held key's repeats as its answer.
TEST_F(FormElementTest, EnterPressesAPushButtonOnRelease) {
  QWidget window;
  auto* button = new PushButton(&window);
  QSignalSpy clicks(button, &FormElement::Click);
  QTest::keyPress(button->FocusWidget(), Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 0);
  QTest::keyRelease(button->FocusWidget(), Qt::Key_Return);
  EXPECT_EQ(clicks.count(), 1);
  QTest::keyRelease(button->FocusWidget(), Qt::Key_Return);  // its press went elsewhere
  EXPECT_EQ(clicks.count(), 1);
}

TEST_F(FormElementTest, TextBoxesGiveBackTheirText) {
  for (const auto lines : {TextBox::Lines::Single, TextBox::Lines::Multi}) {
    TextBox box(lines);
    box.SetText(QStringLiteral("CPU: x86\nRAM: 2 GB"));
    EXPECT_EQ(box.Text(), QStringLiteral("CPU: x86\nRAM: 2 GB"));
  }
}

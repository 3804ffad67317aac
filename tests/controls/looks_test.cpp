// What each control shows in each of its states, compared pixel by pixel with the pictures kept under looks/.
// A change of look on purpose is written there with LUMORA_UPDATE_LOOKS=1 set; look at them before committing.
#include <QApplication>
#include <QDir>
#include <QPainter>

#include "controls/command_button.h"
#include "controls/controller_box.h"
#include "controls/explorer_holder.h"
#include "controls/tool_button.h"
#include "controls/write_box.h"
#include "test_theme.h"

namespace {

void ExpectLook(QWidget* widget, const QString& name) {
  QCoreApplication::processEvents();
  const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QString kept = QStringLiteral(QT_TESTCASE_SOURCEDIR "/looks/") + name + QStringLiteral(".png");
  if (qEnvironmentVariableIsSet("LUMORA_UPDATE_LOOKS")) {
    ASSERT_TRUE(shown.save(kept)) << kept.toStdString();
    return;
  }
  const QImage expected = QImage(kept).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), expected.size()) << name.toStdString();
  int differ = 0;
  QPoint first;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb a = shown.pixel(x, y), b = expected.pixel(x, y);
      // Text may be smoothed a shade differently; a wrong colour or place differs by far more.
      if (std::abs(qRed(a) - qRed(b)) > 40 || std::abs(qGreen(a) - qGreen(b)) > 40 || std::abs(qBlue(a) - qBlue(b)) > 40)
        if (differ++ == 0) first = {x, y};
    }
  const QString saved = QDir::temp().filePath(name + QStringLiteral("-shown.png"));
  EXPECT_EQ(differ, 0) << name.toStdString() << ": first at " << first.x() << ", " << first.y() << "; shown in "
                       << (shown.save(saved) ? saved.toStdString() : std::string("(not saved)"));
}

// Every picture of every set its own colour, with a dark corner that shows whether it is stretched.
void DistinctPictures(Skin& skin) {
  for (int set = 0; set < 5; ++set) {
    skin.Pictures(set).Clear();
    for (int i = 0; i < 12; ++i) {
      QPixmap picture(16, 16);
      picture.fill(QColor::fromHsv((set * 12 + i) * 6, 160 + 8 * set, 230));
      QPainter(&picture).fillRect(0, 0, 4, 4, Qt::black);
      skin.Pictures(set).Add(picture);
    }
  }
}

// A control at the given twips, its pictures all told apart.
template <class Control, int X, int Y, int Width, int Height>
class LookTest : public ControlTest<Control> {
 protected:
  LookTest() : ControlTest<Control>({X, Y, Width, Height}) {
    QApplication::setCursorFlashTime(0);  // a text cursor shown steadily, not as the clock has it
    DistinctPictures(*this->skin_);
    this->control_->ResetControl(this->skin_);
  }
};
using ToolButtonLook = LookTest<ToolButton, 15, 15, 1215, 555>;
using CommandButtonLook = LookTest<CommandButton, 150, 150, 1500, 375>;
using WriteBoxLook = LookTest<WriteBox, 15, 15, 3000, 600>;
using ControllerBoxLook = LookTest<ControllerBox, 0, 0, 4455, 1575>;
using ExplorerHolderLook = LookTest<ExplorerHolder, 0, 0, 3000, 3000>;

}  // namespace

TEST_F(ToolButtonLook, AtRestHotSunkenOffFirstOfAGroupAndWithoutCaption) {
  control_->ToolProperty(4, QStringLiteral("Index"), 5, true, 0);
  ExpectLook(control_, QStringLiteral("tool-rest"));
  control_->SetImHigh(true);
  ExpectLook(control_, QStringLiteral("tool-hot"));
  control_->SetImHigh(false);
  control_->SetSunken(true);
  ExpectLook(control_, QStringLiteral("tool-sunken"));
  control_->SetSunken(false);
  control_->SetEnabled(false);
  ExpectLook(control_, QStringLiteral("tool-off"));
  control_->ToolProperty(4, QStringLiteral("Index"), 5, true, 1);
  ExpectLook(control_, QStringLiteral("tool-group"));
  control_->ToolProperty(8, QString(), 3, true, 0);
  ExpectLook(control_, QStringLiteral("tool-picture-only"));
}

TEST_F(CommandButtonLook, AtRestHotPressedAndOff) {
  control_->SetCaption(QStringLiteral("Search && find"));
  ExpectLook(control_, QStringLiteral("command-rest"));
  control_->SetImHigh(true);
  ExpectLook(control_, QStringLiteral("command-hot"));
  QTest::mousePress(control_->CmbHotSpot, Qt::LeftButton, {}, {30, 10});
  ExpectLook(control_, QStringLiteral("command-pressed"));
  QTest::mouseRelease(control_->CmbHotSpot, Qt::LeftButton, {}, {30, 10});
  control_->SetImHigh(false);
  control_->SetEnabled(false);
  ExpectLook(control_, QStringLiteral("command-off"));
  control_->SetImHigh(true);  // a disabled button shows no hover
  ExpectLook(control_, QStringLiteral("command-off-under-pointer"));
  control_->SetEnabled(true);  // still under the pointer: the hover is back
  ExpectLook(control_, QStringLiteral("command-hot-again"));
}

TEST_F(WriteBoxLook, WithTextOffAndWithItsList) {
  control_->SetText(QStringLiteral("vacuum"));
  ExpectLook(control_, QStringLiteral("write-rest"));
  control_->SetEnabled(false);
  ExpectLook(control_, QStringLiteral("write-off"));
  control_->SetEnabled(true);
  control_->SetDropDownParent(QStringLiteral("owner"));
  ExpectLook(control_, QStringLiteral("write-list"));
}

// Every part in its theme colour, the frame and ground pictures stretched over it however small they are.
TEST_F(ControllerBoxLook, WithItsCaptionAndAPictureOfItsOwnUntilTheNextTheme) {
  control_->SetCaption(QStringLiteral("Searching"));
  ExpectLook(control_, QStringLiteral("controller"));
  control_->ControllerProperty(QStringLiteral("Working"), 2);
  ExpectLook(control_, QStringLiteral("controller-working"));
  control_->ControllerProperty(QStringLiteral("Searching"), 2);
  control_->ResetControl(skin_);  // the application's icon comes back
  ExpectLook(control_, QStringLiteral("controller-rethemed"));
}

TEST_F(ExplorerHolderLook, WithItsDragSlider) { ExpectLook(control_, QStringLiteral("explorer")); }

class ComplexListLook : public ComplexListTest {
 protected:
  ComplexListLook() {
    QApplication::setCursorFlashTime(0);
    DistinctPictures(*skin_);
    control_->ResetControl(skin_);
  }
};

TEST_F(ComplexListLook, RowsSelectedDimmedScrolledFocusedAndUnderThePointer) {
  Submit(3);
  ExpectLook(control_, QStringLiteral("list-short"));
  Submit(40);
  list_->SetListIndex(2);
  list_->SetDimmedRows({false, true});
  ExpectLook(control_, QStringLiteral("list-selected"));
  list_->setFocus();
  list_->SetListIndex(39);  // scrolled to the end
  ExpectLook(control_, QStringLiteral("list-end"));
  emit list_->CxLColHotSpot[1]->MouseMove(0, 0, 5, 5);  // the pointer over a title
  ExpectLook(control_, QStringLiteral("list-title-hot"));
  QTest::mouseMove(list_->VScrollButton->ScBHotSpot[2], QPoint(5, 5));  // over the scroll bar's grip
  ExpectLook(control_, QStringLiteral("list-grip-hot"));
}

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <set>

#include "app/temp_install.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

using namespace lumora;

class ManagerTest : public TempInstall {};

TEST_F(ManagerTest, QuestionFormTabsThroughTheFieldsThenTheButtons) {
  manager_ = std::make_unique<app::Manager>(&owner_);
  std::vector<QWidget*> expected;
  for (auto* box : Ui().TextBox) expected.push_back(box->FocusWidget());
  for (auto* button : Ui().Commander) expected.push_back(button->FocusWidget());
  // The focus chain holds every widget; the next of the form's fields along
  // it is the next tab stop.
  const std::set<QWidget*> fields(expected.begin(), expected.end());
  for (size_t i = 1; i < expected.size(); ++i) {
    QWidget* next = expected[i - 1]->nextInFocusChain();
    while (!fields.count(next)) next = next->nextInFocusChain();
    EXPECT_EQ(next, expected[i]) << i;
  }
}

// The system information comes from the store with its breaks as blanks;
// overrides that point nowhere still start the program, with none.
TEST_F(ManagerTest, SystemInformationComesFromTheStore) {
  Start();
  EXPECT_EQ(Ui().TextBox[4]->Text(), QStringLiteral("CPU: test RAM: 1 GB  end"));
  EXPECT_FALSE(Ui().CommandButton[1]->Enabled());  // no search results yet
  manager_.reset();
  qputenv("LUMORA_APP_DIR", "/nonexistent/app");
  qputenv("LUMORA_SYSTEM_DIR", "/nonexistent/system");
  qputenv("LUMORA_REGISTRY", "/nonexistent/registry.conf");
  Start();
  EXPECT_EQ(Ui().TextBox[4]->Text(), QString());
}

// The owner only carries the taskbar entry: activated, it hands the focus
// to the main window, or, while that is hidden, stays minimised.
TEST_F(ManagerTest, TheOwnerHandsItsActivationOn) {
  app::ManagerSub owner;
  QWidget main;
  owner.SetMainWindow(&main);
  owner.show();
  main.show();
  QApplication::setActiveWindow(&owner);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &main);
  main.hide();
  owner.showNormal();
  QApplication::setActiveWindow(&owner);
  QApplication::processEvents();
  EXPECT_TRUE(owner.windowState() & Qt::WindowMinimized);
  owner.setWindowState(Qt::WindowNoState);  // restored from the taskbar
  QApplication::processEvents();
  EXPECT_TRUE(main.isVisible());
}

// Whole-program tests cover a missing pack; these are the other ways a pack
// cannot be used.
TEST_F(ManagerTest, UnusableLanguagePackEndsStartupWithoutAWindow) {
  QDir().mkpath(root_ + QStringLiteral("/folder.qlp"));
  Write(QStringLiteral("empty.qlp"), "");
  for (const QString& arguments :
       QStringList{root_ + QStringLiteral("/folder.qlp"), root_ + QStringLiteral("/empty.qlp"),
                   QLatin1Char('"') + Pack() + QLatin1Char('"')}) {
    SCOPED_TRACE(arguments.toStdString());
    app::ManagerSub owner;
    app::Manager manager(&owner);
    QString shown;
    QTimer::singleShot(0, [&] {
      if (QWidget* box = QApplication::activeModalWidget()) {
        shown =
            box->windowTitle() + QLatin1Char('|') + box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
        box->close();
      }
    });
    EXPECT_FALSE(manager.Load(arguments));
    EXPECT_EQ(shown, QStringLiteral("Fatal Error|Language Not Found, Please Re-install Software!"));
    EXPECT_FALSE(owner.isVisible() || manager.isVisible());
  }
}

TEST_F(ManagerTest, DemoPackCaptionsEveryControl) {
  QFile::remove(root_ + QStringLiteral("/Help/English.qlp"));
  QFile::copy(QStringLiteral(LUMORA_DEMO_PACK), root_ + QStringLiteral("/Help/English.qlp"));
  Start();
  const layout::Composition& ui = Ui();
  // Labels are sized to their text: the pack breaks this caption in two lines.
  EXPECT_GT(ui.DiffLabel[7]->Height(), ui.DiffLabel[6]->Height());

  // What a screen reader calls the boxes and lists, and the buttons without a caption.
  EXPECT_EQ(ui.WriteBox[0]->WrBText->accessibleName(), QStringLiteral("Find"));
  EXPECT_EQ(ui.WriteBox[1]->WrBText->accessibleName(), QStringLiteral("Type the first letters of a topic"));
  EXPECT_EQ(ui.ComplexList[0]->accessibleName(), QStringLiteral("Topics found"));
  EXPECT_EQ(ui.ComplexList[1]->accessibleName(), QStringLiteral("Index"));
  EXPECT_EQ(ui.TextBox[4]->FocusWidget()->accessibleName(), QStringLiteral("System information"));
  EXPECT_EQ(ui.ToolButton[7]->toolTip(), QStringLiteral("Print (Ctrl+P)"));
  EXPECT_EQ(ui.FormControl[4]->toolTip(), QStringLiteral("Close"));
}

TEST_F(ManagerTest, PackTextsAreDecodedAndUnknownControlsSkipped) {
  Write(QStringLiteral("Help/English.qlp"),
        "diflb3 = Vorname und Stra\xDF" "e\r\ncmd5 = no such button\r\ncmdbt9 = none\r\nfrmlb77 = none\r\n"
        "diflb8 = none\r\ncmd1 = L\xF6schen\r\nlang2 = \x93Quoted\x94\r\n");
  Start();
  EXPECT_EQ(Ui().DiffLabel[3]->Caption(), QString::fromUtf8("Vorname und Straße"));
  EXPECT_EQ(Ui().Commander[1]->Caption(), QString::fromUtf8("Löschen"));
  EXPECT_EQ(settings::LangText(2), QString::fromUtf8("\u201cQuoted\u201d"));
}

TEST_F(ManagerTest, FramePicturesAreRecognisedByTheirContent) {
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(Qt::blue);
  QDir().mkpath(root_ + QStringLiteral("/share/lumora/data"));
  image.save(root_ + QStringLiteral("/share/lumora/data/graphic0.dat"), "PNG");
  Start();
  EXPECT_EQ(Ui().FrameImage[0]->Image().width(), 24);
  EXPECT_TRUE(Ui().FrameImage[2]->Image().isNull());  // graphic1.dat is missing

  image.save(root_ + QStringLiteral("/share/lumora/data/graphic1.dat"), "BMP");
  Write(QStringLiteral("share/lumora/data/graphic0.dat"), "not a picture");
  manager_.reset();
  Start();
  EXPECT_TRUE(Ui().FrameImage[0]->Image().isNull());
  EXPECT_EQ(Ui().FrameImage[2]->Image().height(), 24);
}

TEST_F(ManagerTest, ThemeColoursFontsAndPicturesReachTheWindow) {
  Write(QStringLiteral("share/quillmark/engine001/classic/config0.dat"),
        "theme_text = DejaVu Sans Mono\r\ntheme_font = DejaVu Serif\r\ntheme_light = &H0000FF\r\n"
        "theme_shadow = &H00FF00\r\ntheme_dark = &HFF0000\r\ntheme_color = &H00FFFF\r\ntheme_pitch = &HFF00FF\r\n");
  QImage texture(8, 8, QImage::Format_RGB32);
  texture.fill(Qt::darkCyan);
  ASSERT_TRUE(texture.save(root_ + QStringLiteral("/share/quillmark/engine001/classic/resourcea0.dat"), "PNG"));
  ASSERT_TRUE(texture.save(root_ + QStringLiteral("/share/quillmark/engine001/classic/resourcea1.dat"), "BMP"));
  Start();
  const layout::Composition& ui = Ui();
  EXPECT_FALSE(ui.FormBackGround[0]->Image().isNull());
  EXPECT_FALSE(ui.FormImage->Image().isNull());
  EXPECT_EQ(ui.FormHeader[1]->BackColor(), 0x0000FF);
  EXPECT_EQ(ui.FormCaption[0]->ForeColor(), 0x0000FF);
  EXPECT_EQ(ui.FormCaption[0]->FontName(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(manager_->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(ui.NormLine[0]->BorderColor(), 0xFF0000);
  for (const auto* label : ui.FrameLabel) {
    SCOPED_TRACE(label->Tag().toStdString());
    EXPECT_EQ(label->ForeColor(), label->Tag() == QLatin1String("2") ? 0x00FFFF : 0xFF00FF);
    EXPECT_EQ(label->FontName(),
              label->Tag() == QLatin1String("1") ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans Mono"));
  }
  // Fitted texts end in an ellipsis as wide as the theme's text font draws it.
  owner_.Measurer().SetFont(QStringLiteral("DejaVu Sans Mono"), false);
  owner_.Measurer().SetText(QStringLiteral("..."));
  EXPECT_EQ(settings::Shared().EllipsisWidth, owner_.Measurer().Width());
}

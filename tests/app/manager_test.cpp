#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <set>

#include "app/manager.h"
#include "app/temp_install.h"
#include "app/manager_sub.h"
#include "platform/registry.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"
#include "settings/theme.h"

using namespace lumora;
using app::Manager;
using app::ManagerSub;

namespace {

class ManagerTest : public TempInstall {};

}  // namespace

TEST_F(ManagerTest, QuestionFormTabsThroughTheFieldsThenTheButtons) {
  ManagerSub owner;
  Manager manager(&owner);
  const layout::Composition& ui = manager.Ui();
  std::vector<QWidget*> expected;
  for (auto* box : ui.TextBox) expected.push_back(box->FocusWidget());
  for (auto* button : ui.Commander) expected.push_back(button->FocusWidget());
  // The focus chain holds every widget; the next of the form's fields along
  // it is the next tab stop.
  const std::set<QWidget*> fields(expected.begin(), expected.end());
  for (size_t i = 1; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    QWidget* next = expected[i - 1]->nextInFocusChain();
    while (!fields.count(next)) next = next->nextInFocusChain();
    EXPECT_EQ(next, expected[i]);
  }
}

TEST_F(ManagerTest, LoadReadsTheStoreAndShowsBothWindows) {
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp -search")));
  const app::AppState& state = manager.State();
  EXPECT_EQ(state.RunMode, 4);
  EXPECT_EQ(state.HelpFolder, settings::NormalizedFolder(root_) + QStringLiteral("help/"));
  EXPECT_EQ(state.CurrentTheme, QStringLiteral("classic/"));  // gained its separator when the theme was read
  EXPECT_FALSE(state.StartupInProgress);
  EXPECT_EQ(state.DragAnchor.X, -1);
  EXPECT_EQ(state.History.Count(), 1);
  EXPECT_EQ(manager.Ui().TextBox[4]->Text(), QStringLiteral("CPU: test RAM: 1 GB  end"));

  const QString expert = platform::RegReadText(platform::RegistryRoot{root_ + QStringLiteral("/registry.conf")},
                                               settings::QuillmarkKey(), QStringLiteral("ExpertIndex"));
  EXPECT_EQ(expert, settings::Shared().ExpertIndex);
  EXPECT_EQ(expert.size(), 1);

  EXPECT_TRUE(owner.isVisible());
  EXPECT_TRUE(manager.isVisible());
  EXPECT_EQ(manager.geometry(), owner.geometry());
  EXPECT_EQ(manager.parentWidget(), &owner);
  EXPECT_EQ(manager.Ui().NormLine[0]->X2(), settings::Shared().units.ScreenSpanX);
  EXPECT_GT(settings::Shared().EllipsisWidth, 0);
  // The ellipsis was measured in the owner's label, in the theme's text font.
  owner.Measurer().SetFont(settings::Theme().theme_text, false);
  owner.Measurer().SetText(QStringLiteral("..."));
  EXPECT_EQ(owner.Measurer().Width(), settings::Shared().EllipsisWidth);
  EXPECT_FALSE(owner.GenLabel()->Visible());
  EXPECT_FALSE(manager.Ui().CommandButton[1]->Enabled());  // no search results yet
  EXPECT_EQ(manager.Ui().DiffLabel[0]->Width(), settings::Shared().units.ScreenSpanX - 8 * settings::Px1());
}

// The owner only carries the taskbar entry: activated, it hands the focus
// to the main window, or, while that is hidden, stays minimised.
TEST_F(ManagerTest, TheOwnerHandsItsActivationOn) {
  ManagerSub owner;
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

TEST_F(ManagerTest, ToolbarButtonsAreLinedUpFromTheFirst) {
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp")));
  const auto& buttons = manager.Ui().ToolButton;
  EXPECT_EQ(buttons[1]->Left(), buttons[0]->Left() + buttons[0]->Width());
  EXPECT_EQ(buttons[5]->Left(), buttons[4]->Left() + buttons[4]->Width());
  EXPECT_EQ(buttons[7]->Left(), buttons[5]->Left() + buttons[5]->Width());
  EXPECT_EQ(buttons[8]->Left(), buttons[7]->Left() + buttons[7]->Width());
}

TEST_F(ManagerTest, UnusableLanguagePackEndsStartupWithoutAWindow) {
  QDir().mkpath(root_ + QStringLiteral("/folder.qlp"));
  Write(QStringLiteral("empty.qlp"), "");
  const QString cases[] = {root_ + QStringLiteral("/missing.qlp"), root_ + QStringLiteral("/folder.qlp"),
                           root_ + QStringLiteral("/empty.qlp"), QString(),
                           QLatin1Char('"') + root_ + QStringLiteral("/help/english.qlp\"")};
  for (const QString& arguments : cases) {
    SCOPED_TRACE(arguments.toStdString());
    ManagerSub owner;
    Manager manager(&owner);
    QString shownText;
    QString shownTitle;
    QTimer::singleShot(0, [&] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box) return;
      shownTitle = box->windowTitle();
      shownText = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
      box->close();
    });
    EXPECT_FALSE(manager.Load(arguments));
    EXPECT_EQ(shownTitle, QStringLiteral("Fatal Error"));
    EXPECT_EQ(shownText, QStringLiteral("Language Not Found, Please Re-install Software!"));
    EXPECT_FALSE(owner.isVisible());
    EXPECT_FALSE(manager.isVisible());
  }
  // Nothing was written to the store either.
  EXPECT_EQ(platform::RegReadText(platform::RegistryRoot{root_ + QStringLiteral("/registry.conf")},
                                  settings::QuillmarkKey(), QStringLiteral("ExpertIndex")),
            QString());
}

TEST_F(ManagerTest, OverridesThatPointNowhereStillStart) {
  qputenv("LUMORA_APP_DIR", "/nonexistent/app");
  qputenv("LUMORA_SYSTEM_DIR", "/nonexistent/system");
  qputenv("LUMORA_REGISTRY", "/nonexistent/registry.conf");
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp")));
  EXPECT_EQ(manager.State().CurrentTheme, QStringLiteral("/"));
  EXPECT_EQ(manager.Ui().TextBox[4]->Text(), QString());
  EXPECT_EQ(settings::Shared().AppFolder, QStringLiteral("/nonexistent/app/"));
}

TEST_F(ManagerTest, DemoPackCaptionsEveryControl) {
  QFile::remove(root_ + QStringLiteral("/Help/English.qlp"));
  QFile::copy(QStringLiteral(LUMORA_DEMO_PACK), root_ + QStringLiteral("/Help/English.qlp"));
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp")));
  const layout::Composition& ui = manager.Ui();

  EXPECT_EQ(ui.DiffLabel[1]->Caption(), QStringLiteral("Questions"));
  EXPECT_EQ(ui.DiffLabel[3]->Caption(), QStringLiteral("Your name:"));
  EXPECT_EQ(ui.DiffLabel[7]->Caption(), QStringLiteral("System\rinformation:"));
  EXPECT_EQ(ui.DiffLabel[0]->Caption(), QString());
  EXPECT_EQ(ui.Commander[0]->Caption(), QStringLiteral("Send"));
  EXPECT_EQ(ui.Commander[1]->Caption(), QStringLiteral("Clear"));
  EXPECT_EQ(ui.CommandButton[0]->Caption(), QStringLiteral("&Search"));
  EXPECT_EQ(ui.FrameLabel[3]->Caption(), QStringLiteral("Type the first letters of a topic:"));
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(ui.FrameLabel[static_cast<size_t>(i)]->Caption().isEmpty()) << i;
  for (int i = 1; i <= 7; ++i) EXPECT_FALSE(settings::LangText(i).isEmpty()) << i;

  // Labels sized to their text: two lines for the caption with a break.
  EXPECT_GT(ui.DiffLabel[7]->Height(), ui.DiffLabel[6]->Height());

  ASSERT_EQ(ui.ComplexList[0]->Columns().size(), 2u);
  EXPECT_EQ(ui.ComplexList[0]->Columns()[0].title, QStringLiteral("Topic"));
  EXPECT_EQ(ui.ComplexList[0]->Columns()[0].width, QStringLiteral("4"));
  EXPECT_EQ(ui.ComplexList[0]->Columns()[1].title, QStringLiteral("Hits"));
  EXPECT_EQ(ui.ComplexList[1]->Columns()[1].title, QStringLiteral("Key"));
  EXPECT_EQ(ui.ComplexList[1]->Columns()[0].width, QStringLiteral("3"));

  const struct {
    int button;
    const char* caption;
    bool newGroup;
  } toolbar[] = {{0, "Back", false}, {1, "", false},   {2, "Contents", true}, {3, "Index", false},
                 {4, "Search", false}, {5, "Ask", false}, {7, "", true},       {8, "", false}};
  for (const auto& t : toolbar) {
    SCOPED_TRACE(t.button);
    const controls::ToolButton* button = ui.ToolButton[static_cast<size_t>(t.button)];
    EXPECT_EQ(button->Caption(), QString::fromLatin1(t.caption));
    EXPECT_EQ(button->Command(), t.button + 1);
    EXPECT_EQ(button->PictureIndex(), t.button + 2);
    EXPECT_EQ(button->NewCategory(), t.newGroup);
    EXPECT_TRUE(button->CommandEnabled());
  }
  EXPECT_EQ(ui.ControllerBox[0]->Caption(), QStringLiteral("Working"));
  EXPECT_EQ(ui.ControllerBox[0]->PictureIndex(), 0);

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
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp")));
  EXPECT_EQ(manager.Ui().DiffLabel[3]->Caption(), QString::fromUtf8("Vorname und Straße"));
  EXPECT_EQ(manager.Ui().Commander[1]->Caption(), QString::fromUtf8("Löschen"));
  EXPECT_EQ(settings::LangText(2), QString::fromUtf8("\u201cQuoted\u201d"));
}

TEST_F(ManagerTest, FramePicturesAreRecognisedByTheirContent) {
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(Qt::blue);
  QDir().mkpath(root_ + QStringLiteral("/share/lumora/data"));
  image.save(root_ + QStringLiteral("/share/lumora/data/graphic0.dat"), "PNG");
  {
    ManagerSub owner;
    Manager manager(&owner);
    ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp")));
    EXPECT_EQ(manager.Ui().FrameImage[0]->Image().width(), 24);
    EXPECT_TRUE(manager.Ui().FrameImage[2]->Image().isNull());  // graphic1.dat is missing
    EXPECT_EQ(manager.Ui().FrameImage[0]->Width(), 360);        // stretched into its place
  }
  image.save(root_ + QStringLiteral("/share/lumora/data/graphic1.dat"), "BMP");
  Write(QStringLiteral("share/lumora/data/graphic0.dat"), "not a picture");
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(root_ + QStringLiteral("/help/english.qlp")));
  EXPECT_TRUE(manager.Ui().FrameImage[0]->Image().isNull());
  EXPECT_EQ(manager.Ui().FrameImage[2]->Image().height(), 24);
}

TEST_F(ManagerTest, ThemeColoursFontsAndPicturesReachTheWindow) {
  Write(QStringLiteral("share/quillmark/engine001/classic/config0.dat"),
        "theme_text = DejaVu Sans Mono\r\ntheme_font = DejaVu Serif\r\ntheme_light = &H0000FF\r\n"
        "theme_shadow = &H00FF00\r\ntheme_dark = &HFF0000\r\ntheme_color = &H00FFFF\r\ntheme_pitch = &HFF00FF\r\n");
  QImage texture(8, 8, QImage::Format_RGB32);
  texture.fill(Qt::darkCyan);
  ASSERT_TRUE(texture.save(root_ + QStringLiteral("/share/quillmark/engine001/classic/resourcea0.dat"), "PNG"));
  ASSERT_TRUE(texture.save(root_ + QStringLiteral("/share/quillmark/engine001/classic/resourcea1.dat"), "BMP"));
  ManagerSub owner;
  Manager manager(&owner);
  ASSERT_TRUE(manager.Load(Pack()));
  const layout::Composition& ui = manager.Ui();
  const int span = settings::Shared().units.ScreenSpanX;

  // The texture and the two strips reach across the screen; the pictures came from the theme.
  EXPECT_EQ(ui.FormBackGround[0]->Width(), span);
  EXPECT_FALSE(ui.FormBackGround[0]->Image().isNull());
  EXPECT_FALSE(ui.FormImage->Image().isNull());
  EXPECT_GE(ui.FormImage->Width(), span);
  for (const auto* strip : ui.FormHeader) EXPECT_GE(strip->Width(), span);
  EXPECT_EQ(ui.FormHeader[1]->BackColor(), 0x0000FF);

  EXPECT_EQ(ui.FormCaption[0]->ForeColor(), 0x0000FF);
  EXPECT_EQ(ui.FormCaption[0]->FontName(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(manager.palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(ui.NormLine[0]->BorderColor(), 0xFF0000);
  for (const auto* label : ui.FrameLabel) {
    SCOPED_TRACE(label->Tag().toStdString());
    EXPECT_EQ(label->ForeColor(), label->Tag() == QLatin1String("2") ? 0x00FFFF : 0xFF00FF);
    EXPECT_EQ(label->FontName(),
              label->Tag() == QLatin1String("1") ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans Mono"));
  }
  // Fitted texts end in an ellipsis as wide as the theme's text font draws it.
  owner.Measurer().SetFont(QStringLiteral("DejaVu Sans Mono"), false);
  owner.Measurer().SetText(QStringLiteral("..."));
  EXPECT_EQ(settings::Shared().EllipsisWidth, owner.Measurer().Width());
}

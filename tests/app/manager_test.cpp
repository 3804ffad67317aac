#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include "app/temp_install.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"

using namespace lumora;

using ManagerTest = TempInstall;

// Overrides that point nowhere still start the program, without the store's values.
TEST_F(ManagerTest, LoadReadsTheStoreAndShowsBothWindows) {
  Start(" -search");
  EXPECT_EQ(Ui().TextBox[4]->Text(), QStringLiteral("CPU: test RAM: 1 GB  end"));  // its breaks as blanks
  // The run mode's page, and no search results yet to display.
  EXPECT_EQ(std::tuple(owner_.isVisible(), manager_->isVisible(), Pages().Shown(), Ui().CommandButton[1]->Enabled()),
            std::tuple(true, true, layout::Page::Search, false));
  for (const char* name : kVariables) qputenv(name, "/nonexistent");
  Start();
  EXPECT_EQ(Ui().TextBox[4]->Text(), QString());
}

// Activated, the owner hands the focus on, or, while the main window is hidden, stays minimised.
TEST_F(ManagerTest, TheOwnerHandsItsActivationOn) {
  QWidget main;
  owner_.SetMainWindow(&main);
  for (bool shown : {true, false}) {
    main.setVisible(shown);
    owner_.showNormal();
    QApplication::setActiveWindow(&owner_);
    QApplication::processEvents();
    EXPECT_EQ(std::pair(main.isActiveWindow(), owner_.isMinimized()), std::pair(shown, !shown));
  }
  owner_.SetMainWindow(nullptr);
}

// Which packs are unusable (a folder, an empty file, none) is the file check's to tell.
TEST_F(ManagerTest, UnusableLanguagePackEndsStartupWithoutAWindow) {
  Write("empty.qlp", "");
  app::Manager manager(&owner_);
  QString shown;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    shown = box->windowTitle() + u'|' + box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
    box->close();
  });
  EXPECT_FALSE(manager.Load(Path("empty.qlp")));
  EXPECT_EQ(shown, QStringLiteral("Fatal Error|Language Not Found, Please Re-install Software!"));
  EXPECT_EQ(std::pair(owner_.isVisible(), manager.isVisible()), std::pair(false, false));
}

TEST_F(ManagerTest, DemoPackCaptionsEveryControl) {
  Write("Help/English.qlp", ReadFile(QStringLiteral(LUMORA_DEMO_PACK)));
  Start();
  const layout::Composition& ui = Ui();
  EXPECT_GT(ui.DiffLabel[7]->Height(), ui.DiffLabel[6]->Height());  // sized to a caption of two lines
  // What a screen reader calls the boxes and lists, and the tips of buttons without a caption.
  EXPECT_EQ((QStringList{ui.WriteBox[0]->WrBText->accessibleName(), ui.WriteBox[1]->WrBText->accessibleName(),
                         ui.ComplexList[0]->accessibleName(), ui.ComplexList[1]->accessibleName(),
                         ui.TextBox[4]->FocusWidget()->accessibleName(), ui.ToolButton[7]->toolTip(),
                         ui.FormControl[4]->toolTip(), ui.ComplexList[2]->accessibleName(), ui.ToolButton[6]->toolTip()}),
            (QStringList{Q("Find"), Q("Type the first letters of a topic"), Q("Topics found"), Q("Index"),
                         Q("System information"), Q("Print (Ctrl+P)"), Q("Close"), Q("Pages you keep"),
                         Q("Bookmarks (Ctrl+D keeps the page shown)")}));
}

TEST_F(ManagerTest, PackTextsAreDecodedAndUnknownControlsSkipped) {
  Write("Help/English.qlp", "diflb3 = Vorname und Stra\xDF" "e\r\ncmd5 = no such button\r\ncmdbt9 = none\r\n"
                            "frmlb77 = none\r\ndiflb8 = none\r\ncmd1 = L\xF6schen\r\nlang2 = \x93Quoted\x94\r\n");
  Start();
  EXPECT_EQ((QStringList{Ui().DiffLabel[3]->Caption(), Ui().Commander[1]->Caption(), manager_->Language().Lang(2)}),
            (QStringList{Q("Vorname und Straße"), Q("Löschen"), Q("\u201cQuoted\u201d")}));
  // The bookmarks page's texts a pack leaves out are English.
  EXPECT_EQ((QStringList{Ui().ToolButton[6]->TlBCaption->Caption(), Ui().ComplexList[2]->Columns()[1].title,
                         Ui().FrameLabel[6]->Caption(), Ui().FrameLabel[7]->Caption()}),
            (QStringList{Q("Bookmarks"), Q("Page"), Q("Pages you keep:"),
                         Q("No bookmarks yet: Ctrl+D or Add keeps the page shown.")}));
}

TEST(BookmarksPage, APageIsKeptByItsPathInsideTheHelpFolderWithItsPlace) {
  QStringList kept;
  for (const char* page : {"/help/set/using/keys.html#tab", "/help/set/index.html", "/help/settings.html", "/help/set",
                           "https://example.com/"})
    kept << app::BookmarksPage::PageInFolder(Q("/help/set/"), Q(page));
  EXPECT_EQ(kept, (QStringList{Q("using/keys.html#tab"), Q("index.html"), {}, {}, {}}));
  EXPECT_EQ(app::BookmarksPage::PageInFolder(QString(), Q("/help/set/index.html")), QString());
}

// Frame pictures are told apart by their content, whatever their file's ending says.
TEST_F(ManagerTest, ThemeColoursFontsAndPicturesReachTheWindow) {
  Write("share/quillmark/engine001/classic/config0.dat",
        "theme_text = DejaVu Sans Mono\r\ntheme_font = DejaVu Serif\r\ntheme_light = &H0000FF\r\n"
        "theme_shadow = &H00FF00\r\ntheme_dark = &HFF0000\r\ntheme_color = &H00FFFF\r\ntheme_pitch = &HFF00FF\r\n");
  QImage image(24, 24, QImage::Format_RGB32);
  image.fill(Qt::blue);
  QDir().mkpath(Path("share/lumora/data"));
  ASSERT_TRUE(image.save(Path("share/lumora/data/graphic0.dat"), "PNG"));
  ASSERT_TRUE(image.copy(0, 0, 24, 12).save(Path("share/lumora/data/graphic1.dat"), "BMP"));
  ASSERT_TRUE(image.save(Path("share/quillmark/engine001/classic/resourcea0.dat"), "PNG"));
  ASSERT_TRUE(image.save(Path("share/quillmark/engine001/classic/resourcea1.dat"), "BMP"));
  Start();
  const layout::Composition& ui = Ui();
  EXPECT_EQ(std::tuple(ui.FrameImage[0]->Image().size(), ui.FrameImage[2]->Image().size(), ui.FormBackGround[0]->Image().isNull(),
                       ui.FormImage->Image().isNull()), std::tuple(QSize(24, 24), QSize(24, 12), false, false));
  EXPECT_EQ(std::tuple(ui.FormHeader[1]->BackColor(), ui.FormCaption[0]->ForeColor(), ui.FormCaption[0]->FontName(),
                       ui.NormLine[0]->BorderColor(), manager_->palette().color(QPalette::Window)),
            std::tuple(0x0000FF, 0x0000FF, Q("DejaVu Serif"), 0xFF0000, QColor(0, 255, 0)));
  for (const auto* label : ui.FrameLabel)
    EXPECT_EQ(std::pair(label->ForeColor(), label->FontName()),
              std::pair(0xFF00FF, Q(label == ui.busy.message ? "DejaVu Serif" : "DejaVu Sans Mono")));
  // Fitted texts end in an ellipsis as wide as the theme's text font draws it.
  owner_.Measurer().SetFont(QStringLiteral("DejaVu Sans Mono"), false);
  owner_.Measurer().SetText(QStringLiteral("..."));
  EXPECT_EQ(manager_->WindowSkin().ellipsisWidth, owner_.Measurer().Width());
}

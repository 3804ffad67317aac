#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <set>

#include "core/random.h"
#include "core/registry.h"
#include "core/text.h"
#include "settings/bookmarks.h"
#include "settings/language_pack.h"
#include "settings/platform_facts.h"
#include "settings/settings_file.h"
#include "settings/theme.h"
#include "settings/user_settings.h"
#include "support/test_files.h"

using namespace lumora;
using namespace lumora::settings;

TEST(PlatformFacts, PixelUnitsFollowTheScreenRoundingHalvesToEvenAndFoldersAreLowerCaseWithASeparator) {
  const struct { core::ScreenMetrics screen; std::array<int, 10> units; } cases[] = {  // Px1 .. Px16, the spans
      {{15.0, 15.0, 1024, 768}, {15, 30, 45, 60, 75, 90, 120, 240, 15480, 11640}},
      // 12.5 twips a pixel: 12.5 -> 12, 37.5 -> 38; a span beyond 16 bits; only the span uses the vertical figure.
      {{12.5, 12.0, 3840, 2160}, {12, 25, 38, 50, 62, 75, 100, 200, 48100, (2160 + 8) * 12}}};
  for (const auto& c : cases) {
    const settings::PixelUnits u = settings::ComputePixelUnits(c.screen);
    EXPECT_EQ((std::array<int, 10>{u.Px1, u.Px2, u.Px3, u.Px4, u.Px5, u.Px6, u.Px8, u.Px16, u.ScreenSpanX, u.ScreenSpanY}), c.units);
  }
  settings::ComputePlatformFacts({}, QStringLiteral("/Opt/Lumora/lumora"), QStringLiteral("/Opt/Share"), 0);
  EXPECT_EQ(Shared().AppFolder + DataRoot(), QStringLiteral("/opt/lumora/lumora//opt/share/quillmark/engine001/"));
  QString theme = QStringLiteral("classic\\");  // takes this platform's separator in place
  EXPECT_EQ(ThemeFolder(theme) + u'|' + theme, QString(DataRoot() + QStringLiteral("classic/|classic/")));
  settings::ComputePlatformFacts({}, QString(), QString(), 0);
  EXPECT_EQ(settings::Shared().SystemFolder, QStringLiteral("/"));  // a failed query
}

TEST(ExpertIndex, AStoredValueIsKeptAnAbsentOneDrawnAndWrittenOnce) {
  QTemporaryDir dir;
  const core::RegistryRoot root{dir.path() + QStringLiteral("/registry.conf")};
  ASSERT_TRUE(WriteFile(root.storeFile, "[SOFTWARE\\Quillmark%20Software]\n"));  // the key, without the value
  const QString key = core::QuillmarkKey(), name = QStringLiteral("ExpertIndex");
  std::set<std::string> drawn;
  for (int seed = 0; seed < 40; ++seed) {
    core::RegWriteText(root, key, name, QString());
    core::Randomize(static_cast<std::uint64_t>(seed));
    const auto [index, added] = drawn.insert(settings::EnsureExpertIndex(root).toStdString());
    EXPECT_EQ(core::RegReadText(root, key, name).toStdString(), *index);
  }
  EXPECT_EQ(drawn, (std::set<std::string>{"1", "2", "3", "4"}));  // every mailbox gets chosen
  core::RegWriteText(root, key, name, QStringLiteral("7"));
  EXPECT_EQ((QStringList{EnsureExpertIndex(root), Shared().ExpertIndex}), QStringList(2, QStringLiteral("7")));
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

static Pairs Lines(QByteArrayView text) {
  Pairs pairs;
  settings::ForEachSettingsLine(text, [&pairs](QByteArrayView key, QByteArrayView value) {
    pairs.emplace_back(key.toByteArray().toStdString(), value.toByteArray().toStdString());
  });
  return pairs;
}

TEST(SettingsFile, LinesSplitAtTheFirstEqualsSignTrimmingBlanksOnlyAndAreReadInFileOrderDecodedAsWritten) {
  EXPECT_EQ(Lines("theme_pitch   =   0\r\na=b=c\r\n\tkey\t= value\t\r\nempty =\r\ne=\r\n=value\r\n"),
            (Pairs{{"theme_pitch", "0"}, {"a", "b=c"}, {"\tkey\t", "value\t"}, {"empty", ""}, {"e", ""}, {"", "value"}}));
  // Comments, lines of fewer than two characters and lines without "=" are skipped.
  EXPECT_EQ(Lines("'theme_pitch = 1\r\nx\r\n   y   \r\n\r\nno equals sign here\r\n 'not a comment = 2\r\nok = 3\r"),
            (Pairs{{"'not a comment", "2"}, {"ok", "3"}}));
  // Only a CR ends a line (the last one too), and the character after it goes with it, whatever it is.
  EXPECT_EQ(Lines("a = 1\rxb = 2\r\nc = 3\nd = 4\n"), (Pairs{{"a", "1"}, {"b", "2"}}));
  QTemporaryDir dir;
  const QString second = QString::fromUtf8("Печать — «Справка»");
  const std::pair<QByteArray, QString> cases[] = {  // the file, its lang1; a nameless entry is written over
      {"\xef\xbb\xbf" "lang0 = L\xc3\xb6schen\r\n = nameless\r\nlang1=one</b>" + second.toUtf8() + "\r\n", QStringLiteral("one\r") + second},
      // Windows-1252 whose accented letters happen to form no UTF-8 stays 1252.
      {"' pack\r\nlang0 = L\xf6schen\r\nlang1 = \xc9t\xe9\r\n", QString::fromUtf8("Été")}};
  const QString pack = dir.filePath(QStringLiteral("pack.qlp"));
  core::StringTable table(2);
  table.Set(0, 0, QStringLiteral("old"));
  for (const auto& [bytes, lang1] : cases) {
    ASSERT_TRUE(WriteFile(pack, bytes) && settings::ReadSettingsFile(pack, table));
    QStringList entries;
    for (int i = 0; i < table.Count(); ++i) entries += table.At(0, i) + u'=' + table.At(1, i);
    EXPECT_EQ(entries, (QStringList{QString::fromUtf8("lang0=Löschen"), QStringLiteral("lang1=") + lang1}));
  }
  ASSERT_TRUE(WriteFile(pack, {}));  // missing, empty or a folder: the table is left alone
  for (const QString& path : {dir.filePath(QStringLiteral("none.qlp")), pack, dir.path()})
    EXPECT_FALSE(settings::ReadSettingsFile(path, table)) << path.toStdString();
  EXPECT_EQ(table.At(1, 1), QString::fromUtf8("Été"));
}

static LanguagePack Sort(std::initializer_list<std::pair<const char*, const char*>> entries) {
  core::StringTable table(2);
  for (const auto& [key, value] : entries) {
    table.Set(0, table.Append(), QString::fromLatin1(key));
    table.Set(1, table.LastIndex(), QString::fromLatin1(value));
  }
  return settings::SortLanguageEntries(table);
}

TEST(LanguagePack, FamiliesAreMatchedIgnoringCaseWithTheIndexCutOutOfTheKeyAndTheNameNamesTheLanguage) {
  LanguagePack pack = Sort({{"lang3", "three"}, {"LANG4", "four"}, {"Short10", "key"}, {"diflb7", "info"},
                            {"frmlb5", "wait"}, {"CmdBt2", "Display"}, {"cmd1", "Clear"}, {"lang10", "ten"},
                            {"AskForm1", "address?"}, {"FindBar0", "%1/%2"}, {"ToolTip7", "Print"},
                            {"titlebtn4", "Close"}, {"cmdbt0", "first"}, {"cmdbt0", "second"},  // the later wins
                            {"Status0", "wait"}, {"bookmark8", "none yet"}, {"lang0", "zero"}});
  EXPECT_EQ(pack.CommandButton, (std::map<int, QString>{{0, QStringLiteral("second")}, {2, QStringLiteral("Display")}}));
  EXPECT_EQ(QString(pack.LangText[3] + pack.LangText[4] + pack.ShortText[10] + pack.DiffLabel.at(7) +
                    pack.FrameLabel.at(5) + pack.Commander.at(1) + pack.AskForm.at(1) + pack.FindBar.at(0) +
                    pack.ToolTip.at(7) + pack.TitleButton.at(4)), QStringLiteral("threefourkeyinfowaitClearaddress?%1/%2PrintClose"));
  EXPECT_EQ(std::pair(pack.Status, pack.Bookmark), std::pair(std::map<int, QString>{{0, QStringLiteral("wait")}},
                                                             std::map<int, QString>{{8, QStringLiteral("none yet")}}));
  EXPECT_EQ(pack.Lang(-1) + pack.Lang(0) + pack.Lang(10) + pack.Lang(11), QStringLiteral("zeroten"));
  const char* const english[] = {"0", "1"};  // the program's own where the pack says nothing, "" beyond both
  EXPECT_EQ((QStringList{TextOr(pack.Status, 0, english), TextOr(pack.Status, 1, english), TextOr(pack.Status, 2, english),
                         TextOr(pack.Status, -1, english)}),
            (QStringList{QStringLiteral("wait"), QStringLiteral("1"), QString(), QString()}));
  // frmlb05 is 5 of "frmlb0"; x1y1 stays "x1y1" (no "11" to cut); "1lang" is lang1. Only lang0..10 and
  // short0..10 are kept; captions are checked against the controls when applied.
  pack = Sort({{"frmlb05", "x"}, {"x1y1", "x"}, {"lang", "x"}, {"", "x"}, {"diflb", "x"}, {"1lang", "first"},
               {"lang11", "x"}, {"short99", "x"}, {"lang99999999999", "x"}, {"cmdbt40", "forty"}});
  EXPECT_EQ((std::array{pack.FrameLabel.size(), pack.DiffLabel.size(), pack.Status.size(), pack.Bookmark.size()}),
            (std::array<size_t, 4>{}));
  EXPECT_EQ(pack.CommandButton, (std::map<int, QString>{{40, QStringLiteral("forty")}}));
  using Texts = decltype(pack.LangText);
  EXPECT_EQ(std::pair(pack.LangText, pack.ShortText), std::pair(Texts{QString(), QStringLiteral("first")}, Texts{}));
  QLocale::setDefault(QLocale(QLocale::Welsh));  // the file's name names the pack's language, else the reader's is used
  const auto language = [](const QString& path) { return core::PackLocale(path).language(); };
  const std::array languages{language(QStringLiteral("/help/Russian.qlp")), language(QStringLiteral("de_DE.qlp")),
                             language(QLocale::languageToString(QLocale::LastLanguage) + u".qlp"), language(QStringLiteral("help.qlp"))};
  QLocale::setDefault(QLocale::system());
  EXPECT_EQ(languages, (std::array{QLocale::Russian, QLocale::German, QLocale::LastLanguage, QLocale::Welsh}));
}

static ThemeValues Parse(QByteArray text, int set = -1) {
  ThemeValues theme;
  const int count = ParseThemeText(theme, text);
  EXPECT_TRUE(text.isEmpty() && (set < 0 || count == set)) << count;
  return theme;
}

TEST(Theme, TextSetsTheFourteenValuesFromWhole32BitNumbersAndAMissingOrEmptyOneFallsBackToTheBuiltIn) {
  // Neither an unknown key nor a colour that is no number counts, nor changes anything.
  const ThemeValues t = Parse("' classic\r\ntheme_text = Caf\xc3\xa9\r\nTHEME_FONT = Caf\xe9 MS\r\ntheme_icon = 1\r\n"
                               "theme_invert = 2\r\ntheme_invertlight = 3\r\ntheme_high = 4\r\ntheme_highlight = 5\r\n"
                               "theme_light = 6\r\ntheme_shade = 7\r\ntheme_vague = 8\r\ntheme_color = 9\r\n"
                               "theme_shadow = 10\r\ntheme_dark = 11\r\ntheme_pitch = 12\r\ntheme_colour = 13\r\n"
                               "theme_dark = dark grey\r\n", 14);
  const QString text = QString::fromUtf8("Café"), font = QString::fromUtf8("Café MS");  // UTF-8 or ANSI each
  EXPECT_EQ(t, (ThemeValues{text, font, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(Parse("   THEME_PITCH   =   &H80   \r\ntheme_pitch = 99999999999\r\n").theme_pitch, 128);
  EXPECT_EQ(Parse("theme_pitch = 1\r\ntheme_pitch = 2\r\n", 2).theme_pitch, 2);
  EXPECT_EQ(Parse("theme_pitch\t= 5\r\ntheme_pitch = 5", 0).theme_pitch, 0);  // a tab is part of the key; no CR LF
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"-1", -1}, {"+42", 42}, {"&H80", 128}, {"&hff0000", 0xFF0000}, {"&HFFFFFFFF", -1}, {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<int>::min()}, {"2147483648", {}}, {"-2147483649", {}}, {"&H100000000", {}},
      {"12.5", {}}, {"", {}}, {"&H", {}}, {"&HXYZ", {}}, {"-", {}}, {"1-", {}}, {"&H-1", {}}, {"&H+1", {}}, {" 7", {}}, {"7\t", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseColour(text), value) << text;
  // The window stays readable in the demo theme's looks; a theme that sets some values keeps the others.
  QTemporaryDir dir;
  const auto folder = [&](const char* name) -> QString { return dir.filePath(QLatin1String(name)) + u'/'; };
  for (const auto& [name, text] : {std::pair{"silent", "theme_dark = dark\r\n"}, {"Classic", "theme_pitch = 3\r\n"}})
    ASSERT_TRUE(WriteFile(folder(name) + QStringLiteral("config0.dat"), text));
  for (const char* name : {"none", "silent"}) {
    ThemeValues theme;
    EXPECT_EQ((std::pair{LoadThemeConfig(folder(name), theme), theme}), std::pair(false, BuiltInTheme())) << name;
  }
  EXPECT_NE(BuiltInTheme(), ThemeValues());  // not black on black
  ThemeValues theme;
  theme.theme_dark = 7;  // kept; the folder is found ignoring case
  EXPECT_EQ((std::tuple{LoadThemeConfig(folder("classic"), theme), theme.theme_pitch, theme.theme_dark}), std::tuple(true, 3, 7));
}

// A folder with pictures but no settings is no theme.
TEST(InstalledThemes, GoRoundInNameOrder) {
  QTemporaryDir dir;
  ComputePlatformFacts({}, dir.path() + QStringLiteral("/share/lumora"), dir.path() + QStringLiteral("/share"), 0);
  const QString root = dir.path() + QStringLiteral("/share/quillmark/engine001/");
  ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("blue/resource")));
  for (const QString& name : {QStringLiteral("night"), QStringLiteral("Classic")})
    ASSERT_TRUE(WriteFile(root + name + QStringLiteral("/config0.dat"), {}));
  const QStringList installed = InstalledThemes();
  EXPECT_EQ(installed, (QStringList{QStringLiteral("Classic"), QStringLiteral("night")}));
  const auto next = [](const QStringList& themes, const char* current) { return NextTheme(themes, QString::fromLatin1(current)).toStdString(); };
  EXPECT_EQ((std::vector{next(installed, "Classic/"), next(installed, "night"), next(installed, "gone"),
                         next({}, "only\\")}), (std::vector<std::string>{"night", "Classic", "Classic", "only"}));
  testing::internal::CaptureStderr();
  SetUserTheme(QStringLiteral("night/"));
  std::vector<double> zooms;  // a zoom from a quarter to five times is kept, any other read as none
  for (const double zoom : {0.25, 5.0, 0.24, 5.01}) SetUserZoom(zoom), zooms.push_back(UserZoom());
  EXPECT_EQ(std::tuple(UserTheme(), zooms, testing::internal::GetCapturedStderr()), std::tuple(QStringLiteral("night"), std::vector{0.25, 5.0, 1.0, 1.0}, std::string()));
  // A settings file that cannot be written (a folder in its place) is said so, and passed over.
  const QString file = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmark"), QStringLiteral("lumora")).fileName();
  ASSERT_TRUE(QFile::remove(file) && QDir().mkpath(file));
  testing::internal::CaptureStderr();
  SetUserTheme(QStringLiteral("classic"));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot be written"), std::string::npos);
  QDir(file).removeRecursively();
}

TEST(Bookmarks, KeptPerHelpSetInTheUsersDataFolderOnceAPageAndEditedInPlace) {
  const QTemporaryDir dir;
  const QByteArray before = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
  ASSERT_TRUE(WriteFile(dir.path() + QStringLiteral("/a/Help/english.qlp"), "lang0 = x"));
  ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/a/Help"), dir.path() + QStringLiteral("/link")));
  const QString file = Bookmarks::FileFor(dir.path() + QStringLiteral("/a/Help/english.qlp"));
  EXPECT_EQ(Bookmarks::FileFor(dir.path() + QStringLiteral("/link/english.qlp")), file);  // the real path names it
  EXPECT_NE(Bookmarks::FileFor(dir.path() + QStringLiteral("/a/Help/russian.qlp")), file);
  EXPECT_TRUE(file.startsWith(dir.path() + QStringLiteral("/quillmark/lumora/bookmarks/")));
  qputenv("XDG_DATA_HOME", before);

  Bookmarks kept(file);
  QString note = QStringLiteral("none");
  kept.Load(&note);  // no file yet: an empty list, nothing to say
  EXPECT_EQ(std::pair(kept.All().size(), note), std::pair(size_t{0}, QStringLiteral("none")));
  EXPECT_EQ(kept.Add(QStringLiteral("using/toolbar.html"), QStringLiteral("The toolbar")), 0);
  EXPECT_EQ(kept.Add(QStringLiteral("глоссарий.html"), QStringLiteral("Глоссарий")), 1);
  EXPECT_EQ((std::pair{kept.Add(QStringLiteral("глоссарий.html"), QStringLiteral("again")),
                       kept.Add(QStringLiteral("using/toolbar.html"), QStringLiteral("again"))}), std::pair(1, 0));  // once a page
  EXPECT_EQ(kept.Add(QStringLiteral("faq.html"), QStringLiteral("FAQ")), 2);
  EXPECT_EQ((std::array{kept.Rename(1, QStringLiteral("Слова")), kept.Move(2, 0), kept.Move(0, 0), kept.Remove(1)}), (std::array{true, true, true, true}));
  EXPECT_TRUE(kept.Insert(1, {QStringLiteral("The toolbar"), QStringLiteral("using/toolbar.html")}));  // undone
  EXPECT_FALSE(kept.Insert(0, {QStringLiteral("twice"), QStringLiteral("faq.html")}));
  for (const int row : {-1, 3}) EXPECT_FALSE(kept.Remove(row) || kept.Rename(row, {}) || kept.Move(row, 0) ||
                                              kept.Move(0, row) || kept.Insert(row + (row < 0 ? 0 : 1), {}));
  QString error;
  ASSERT_TRUE(kept.Save(&error)) << error.toStdString();
  Bookmarks again(file);
  again.Load(&note);
  const std::vector<Bookmark> expected{{QStringLiteral("FAQ"), QStringLiteral("faq.html")},
                                       {QStringLiteral("The toolbar"), QStringLiteral("using/toolbar.html")},
                                       {QStringLiteral("Слова"), QStringLiteral("глоссарий.html")}};
  EXPECT_EQ(again.All(), expected);
  EXPECT_EQ(std::pair(again.Find(QStringLiteral("глоссарий.html")), again.Find(QStringLiteral("x"))), std::pair(2, -1));
}

// A file that is not a list of bookmarks is set aside, never lost nor written over.
TEST(Bookmarks, ADamagedFileIsSetAsideUnderANameOfItsOwn) {
  const QTemporaryDir dir;
  const QString file = dir.path() + QStringLiteral("/b.json");
  const QByteArray kept = R"({"bookmarks": [{"name": "A", "page": "a.html"}]})";  // read up to 4 MiB, not beyond
  ASSERT_TRUE(WriteFile(file, kept.leftJustified(4 << 20, ' ')));
  Bookmarks read(file);
  read.Load(nullptr);
  EXPECT_EQ(read.All().size(), 1U);
  for (const QByteArray& damaged :
       {QByteArray("{\"bookmarks\": [{\"name\": \"A\", \"page\": \"a.html\"}"), QByteArray("[]"),
        QByteArray(R"({"bookmarks": {}})"), QByteArray(R"({"bookmarks": [{"name": "A", "page": ""}]})"),
        QByteArray(R"({"bookmarks": [{"name": 1, "page": "a.html"}]})"), kept.leftJustified((4 << 20) + 1, ' ')}) {
    ASSERT_TRUE(WriteFile(file, damaged));
    Bookmarks list(file);
    QString note;
    list.Load(&note);
    EXPECT_TRUE(list.All().empty() && !QFile::exists(file) && note.contains(QStringLiteral("kept as")))
        << damaged.toStdString() << " / " << note.toStdString();
  }
  EXPECT_EQ(ReadFile(file + QStringLiteral(".damaged")).left(14), QByteArray("{\"bookmarks\": "));
  EXPECT_EQ(ReadFile(file + QStringLiteral(".damaged-5")).right(19), QByteArray("\"page\": \"a.html\"}]}"));
  // One that can be neither read as a list nor set aside is never written over.
  Bookmarks stuck(QStringLiteral("/proc/self/status"));
  QString note, error;
  stuck.Load(&note);
  EXPECT_TRUE(note.endsWith(QStringLiteral("left alone")) && !stuck.Save(&error) && error.contains(QStringLiteral("left alone")))
      << note.toStdString() << " / " << error.toStdString();
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken")));  // nor is a save that cannot write its file, or make its folder
  for (const char* path : {"/taken", "/b.json.damaged/b.json"}) EXPECT_TRUE(!Bookmarks(dir.path() + QLatin1String(path)).Save(&error) && error.startsWith(u"cannot ")) << error.toStdString();
}

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <tuple>

#include <QFile>
#include <QTemporaryDir>

#include "platform/browser_view.h"
#include "core/files.h"
#include "core/folders.h"
#include "core/registry.h"
#include "core/text.h"
#include "support/test_files.h"

using namespace lumora::platform;
using namespace lumora::core;

class Files : public testing::Test {
 protected:
  QString At(const char* relative) const { return dir_.filePath(QString::fromUtf8(relative)); }
  QString Make(const char* relative, const QByteArray& bytes = "0123456789") {
    EXPECT_TRUE(WriteFile(At(relative), bytes)) << relative;
    return At(relative);
  }
  QTemporaryDir dir_;
};

TEST_F(Files, ResolvePathFindsTheRealFileIgnoringCaseAndSplitLocalTargetTakesTheLongestFileBeforeAHash) {
  const long long listings = FolderListings();
  EXPECT_EQ(ResolvePath(At("help/using/getting-started.html")), Make("Help/Using/Getting-Started.html"));
  EXPECT_EQ(FolderListings() - listings, 3);  // a listing for each name given in the wrong case
  for (const char* name : {"page.html", "PAGE.html"}) Make(name);
  for (const char* given : {"page.html", "nowhere/x.html"})  // as given, though another differs in case; missing
    EXPECT_EQ(ResolvePath(At(given)), At(given));
  // A "#" in a folder or file name is part of the name; only what follows the file is a place in it.
  const QString file = Make("C# Help/faq#2.html"), lower = AnsiLower(At("C# Help/"));
  const auto split = [&](const char* target) {
    const LocalTarget local = SplitLocalTarget(lower + QLatin1String(target));
    return std::tuple(local.file, local.hasFragment, local.fragment);
  };
  EXPECT_EQ(split("faq#2.html"), std::tuple(file, false, QString()));
  EXPECT_EQ(split("FAQ#2.HTML#a#b"), std::tuple(file, true, QStringLiteral("a#b")));
  EXPECT_EQ(split("none.html#x"), std::tuple(lower + QStringLiteral("none.html#x"), false, QString()));
  EXPECT_FALSE(SplitLocalTarget(QStringLiteral("#top")).hasFragment);  // a place alone names no file
}

TEST_F(Files, OnlyRegularFilesAreReadAndOnlyThoseWithContentAreUsable) {
  const QString page = Make("page.html");
  EXPECT_TRUE(FileIsUsable(At("PAGE.HTML")));
  Make("empty.qlp", "");
  Make("folder.qlp/inside");
  QFile::link(At("gone.qlp"), At("dangling.qlp"));
  for (const char* unusable : {"empty.qlp", "folder.qlp", "dangling.qlp", "missing.qlp"})
    EXPECT_FALSE(FileIsUsable(At(unusable))) << unusable;

  // A FIFO without a writer would block an ordinary open for ever.
  ASSERT_EQ(mkfifo(QFile::encodeName(At("pipe.html")).constData(), 0600), 0);
  bool cut = true, whole = false, pipe = true;
  EXPECT_EQ((std::array{ReadRegularFile(page, 4, &cut), ReadRegularFile(page, 100, &whole),
                        ReadRegularFile(At("pipe.html"), 100, &pipe), ReadRegularFile(At("PAGE.html"), 100)}),
            (std::array<QByteArray, 4>{"0123", "0123456789", {}, {}}));  // last: no case lookup
  EXPECT_EQ((std::array{cut, whole, pipe}), (std::array{false, true, false}));
  // A file that holds more than its size says (/proc's say 0) is read on, past a few reads, to its end or the limit.
  bool maps = false, mapsCut = true;
  const QByteArray read = ReadRegularFile(QStringLiteral("/proc/self/maps"), 1 << 24, &maps);
  EXPECT_EQ(std::tuple(read.size() > 8192, read.endsWith('\n'), maps), std::tuple(true, true, true));
  const QByteArray cutRead = ReadRegularFile(QStringLiteral("/proc/self/maps"), 5000, &mapsCut);
  EXPECT_EQ(std::tuple(cutRead.size(), cutRead.left(20), mapsCut), std::tuple(5000, read.left(20), false));
}

TEST_F(Files, HelpFilesAreOnlyTheRegularFilesInsideTheHelpFolder) {
  const QString page = Make("Help/Using/Page.html"), secret = Make("secret.txt", "SECRET");
  const QString root = QFileInfo(At("Help")).canonicalFilePath();
  QFile::link(secret, At("Help/out.txt"));
  QFile::link(page, At("Help/in.html"));
  ASSERT_EQ(mkfifo(QFile::encodeName(At("Help/pipe.html")).constData(), 0600), 0);
  const QString big = Make("Help/big.html", QByteArray(kMaxHelpFileBytes + 10, 'x'));
  const struct { const char* url; HelpFileKind kind; QString found; } rows[] = {  // url: after the scheme and folder
      {"/Help/Using/Page.html", HelpFileKind::Found, page}, {"/help/using/PAGE.HTML", HelpFileKind::Found, page},
      {"/Help/Using/../../secret.txt", HelpFileKind::Outside, {}}, {"/Help/out.txt", HelpFileKind::Outside, {}},
      {"/Help/%2e%2E/secret.txt", HelpFileKind::Outside, {}},
      {"/Help/in.html", HelpFileKind::Found, At("Help/in.html")}, {"/Help/pipe.html", HelpFileKind::NotAFile, {}},
      {"/Help/Using", HelpFileKind::NotAFile, {}}, {"/Help/none/missing.html", HelpFileKind::Missing, {}},
      {"/elsewhere/missing.html", HelpFileKind::Outside, {}}, {"/Help/big.html", HelpFileKind::Found, big}};
  for (const auto& row : rows) {
    const HelpFile file = FindHelpPage(root, QUrl(QStringLiteral("lumora:") + dir_.path() + QLatin1String(row.url)));
    EXPECT_EQ(std::pair(file.kind, file.path), std::pair(row.kind, row.found)) << row.url;
  }
  EXPECT_EQ(FindHelpPage(root, QUrl::fromLocalFile(page)).kind, HelpFileKind::Outside);
  const QUrl url(QStringLiteral("lumora:") + page);  // a help folder that is gone holds nothing
  EXPECT_EQ(std::pair(FindHelpPage(root, url).kind, FindHelpPage(QString(), url).kind),
            std::pair(HelpFileKind::Found, HelpFileKind::Outside));
  EXPECT_EQ(FindHelpFile(root, QStringLiteral("Help/Using/Page.html")).kind, HelpFileKind::Outside);  // no folder named

  bool found = false;
  EXPECT_EQ(std::pair(ReadHelpFile(root, page, &found), found), std::pair(QByteArray("0123456789"), true));
  const int input = ::dup(0);  // without a standard input the file opened is descriptor 0, as good as any
  ::close(0);
  const auto read = std::tuple{ReadHelpFile(root, page, &found), found, ReadRegularFile(page, 100)};
  ::dup2(input, 0), ::close(input);
  EXPECT_EQ(read, std::tuple(QByteArray("0123456789"), true, QByteArray("0123456789")));
  EXPECT_EQ(ReadHelpFile(root, big, &found).size(), kMaxHelpFileBytes);
  for (const char* refused : {"Help/out.txt", "Help/pipe.html"})
    EXPECT_EQ(std::pair(ReadHelpFile(root, At(refused), &found), found), std::pair(QByteArray(), false)) << refused;
}

TEST(AnsiLower, LowersLatinCapitalsOnly) {
  EXPECT_EQ(AnsiLower(QString::fromUtf8("AZ@[ÀÞ×¿ßŠŒŽŸΑ")), QString::fromUtf8("az@[àþ×¿ßšœžÿΑ"));
  EXPECT_EQ(AnsiLower(QByteArray("AZ@[\xC0\xDE\xD7\xBF\xDF\x8A\x8C\x8E\x9F")), QByteArray("az@[\xE0\xFE\xD7\xBF\xDF\x9A\x9C\x9E\xFF"));
  // The code page's own characters at both ends of its range, and Latin-1 on either side of it.
  EXPECT_EQ(FromAnsi("\x7F\x80\x9F\xA0"), QString::fromUtf8("\x7F€Ÿ\u00A0"));
  EXPECT_EQ(ToAnsi(QString::fromUtf8("€Ÿ\u00A0Ω")), QByteArray("\x80\x9F\xA0?"));
}

TEST(InstallFolders, SystemConfigurationOfAUsrInstallIsInEtc) {
  EXPECT_EQ(RegistryStoreFor(QStringLiteral("/usr/bin")), QStringLiteral("/etc/quillmark/registry.conf"));
  qputenv("LUMORA_APP_DIR", "/srv/lumora/");
  qputenv("LUMORA_SYSTEM_DIR", "///");  // the root stays a folder
  qputenv("LUMORA_REGISTRY", "/srv/registry.conf");
  EXPECT_EQ((QStringList{ProgramFolderPath(), SystemFolderPath(), RegistryStorePath()}),
            QStringLiteral("/srv/lumora / /srv/registry.conf").split(u' '));
  EXPECT_EQ(LocalMachine().storeFile, QStringLiteral("/srv/registry.conf"));  // the machine's keys are kept there
  for (const char* name : {"LUMORA_APP_DIR", "LUMORA_SYSTEM_DIR", "LUMORA_REGISTRY"}) qunsetenv(name);
  const QString here = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();  // none given: where the program is says
  EXPECT_EQ((QStringList{ProgramFolderPath(), SystemFolderPath(), RegistryStorePath()}), (QStringList{ProgramFolderFor(here), SystemFolderFor(here), RegistryStoreFor(here)}));
}

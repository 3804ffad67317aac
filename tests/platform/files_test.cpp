#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/text.h"

using namespace lumora::platform;

namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

}  // namespace

TEST(ResolvePath, FindsTheRealFileIgnoringCase) {
  QTemporaryDir dir;
  const QString root = dir.path();
  Write(root + QStringLiteral("/Help/Using/Getting-Started.html"), "page");
  const QString lower = AnsiLower(root) + QStringLiteral("/help/using/getting-started.html");
  EXPECT_EQ(ResolvePath(root + QStringLiteral("/help/using/getting-started.html")),
            root + QStringLiteral("/Help/Using/Getting-Started.html"));
  EXPECT_EQ(QFileInfo(ResolvePath(lower)).canonicalFilePath(),
            QFileInfo(root + QStringLiteral("/Help/Using/Getting-Started.html")).canonicalFilePath());
  // A trailing separator stays.
  EXPECT_EQ(ResolvePath(root + QStringLiteral("/help/using/")), root + QStringLiteral("/Help/Using/"));
}

// A "#" in a folder or file name is part of the name; only what follows the
// file is a place in the page.
TEST(SplitLocalTarget, HashInANameIsNoFragment) {
  QTemporaryDir dir;
  const QString root = dir.path() + QStringLiteral("/C# Help/");
  for (const char* page : {"index.html", "faq#2.html", "faq.html"}) Write(root + QLatin1String(page), "page");
  const QString lower = AnsiLower(dir.path()) + QStringLiteral("/c# help/");
  struct Case {
    QString target;
    QString file;
    const char* fragment;  // nullptr: none
  };
  const Case cases[] = {
      {lower + QStringLiteral("index.html"), root + QStringLiteral("index.html"), nullptr},
      {lower + QStringLiteral("index.html#top"), root + QStringLiteral("index.html"), "top"},
      {lower + QStringLiteral("faq#2.html"), root + QStringLiteral("faq#2.html"), nullptr},
      {lower + QStringLiteral("FAQ#2.HTML#a#b"), root + QStringLiteral("faq#2.html"), "a#b"},
      {lower + QStringLiteral("faq.html#2.html"), root + QStringLiteral("faq.html"), "2.html"},
      {lower + QStringLiteral("none.html#x"), lower + QStringLiteral("none.html#x"), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target.toStdString());
    const LocalTarget local = SplitLocalTarget(c.target);
    EXPECT_EQ(local.file, c.file);
    EXPECT_EQ(local.hasFragment, c.fragment != nullptr);
    EXPECT_EQ(local.fragment, QString::fromLatin1(c.fragment));
  }
}

TEST(ResolvePath, UsesAnExistingPathAsGivenAndLeavesMissingOnesAlone) {
  QTemporaryDir dir;
  const QString root = dir.path();
  Write(root + QStringLiteral("/page.html"), "lower");
  Write(root + QStringLiteral("/PAGE.html"), "upper");
  EXPECT_EQ(ResolvePath(root + QStringLiteral("/PAGE.html")), root + QStringLiteral("/PAGE.html"));
  EXPECT_EQ(ResolvePath(root + QStringLiteral("/page.html")), root + QStringLiteral("/page.html"));
  const QString missing = root + QStringLiteral("/nowhere/x.html");
  EXPECT_EQ(ResolvePath(missing), missing);
  EXPECT_EQ(ResolvePath(QString()), QString());
}

TEST(ResolvePath, ResolvesRelativePathsFromTheCurrentFolder) {
  QTemporaryDir dir;
  Write(dir.path() + QStringLiteral("/Sub/Pack.QLP"), "x");
  const QString previous = QDir::currentPath();
  QDir::setCurrent(dir.path());
  EXPECT_EQ(ResolvePath(QStringLiteral("sub/pack.qlp")), QStringLiteral("Sub/Pack.QLP"));
  EXPECT_TRUE(FileIsUsable(QStringLiteral("sub/pack.qlp")));
  QDir::setCurrent(previous);
}

TEST(FileIsUsable, OnlyReadableFilesWithContentAreUsable) {
  QTemporaryDir dir;
  const QString root = dir.path();
  Write(root + QStringLiteral("/english.qlp"), "lang1 = hello\r\n");
  Write(root + QStringLiteral("/empty.qlp"), "");
  QDir().mkpath(root + QStringLiteral("/folder.qlp"));
  QFile::link(root + QStringLiteral("/gone.qlp"), root + QStringLiteral("/dangling.qlp"));

  EXPECT_TRUE(FileIsUsable(root + QStringLiteral("/english.qlp")));
  EXPECT_TRUE(FileIsUsable(root + QStringLiteral("/ENGLISH.QLP")));
  EXPECT_FALSE(FileIsUsable(root + QStringLiteral("/empty.qlp")));
  EXPECT_FALSE(FileIsUsable(root + QStringLiteral("/folder.qlp")));
  EXPECT_FALSE(FileIsUsable(root + QStringLiteral("/dangling.qlp")));
  EXPECT_FALSE(FileIsUsable(root + QStringLiteral("/missing.qlp")));
  EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/missing.qlp")));  // not created
  EXPECT_FALSE(FileIsUsable(QString()));
}

TEST(ReadRegularFile, ReadsUpToTheLimitAndNeverWaitsOnAFifo) {
  QTemporaryDir dir;
  const QString root = dir.path();
  Write(root + QStringLiteral("/page.html"), "0123456789");
  bool whole = false;
  EXPECT_EQ(ReadRegularFile(root + QStringLiteral("/page.html"), 4, &whole), QByteArray("0123"));
  EXPECT_FALSE(whole);
  EXPECT_EQ(ReadRegularFile(root + QStringLiteral("/page.html"), 100, &whole), QByteArray("0123456789"));
  EXPECT_TRUE(whole);
  // A FIFO without a writer would block an ordinary open for ever.
  const QString fifo = root + QStringLiteral("/pipe.html");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_EQ(ReadRegularFile(fifo, 100, &whole), QByteArray());
  EXPECT_FALSE(whole);
  EXPECT_EQ(ReadRegularFile(root, 100), QByteArray());  // a folder
  EXPECT_EQ(ReadRegularFile(root + QStringLiteral("/PAGE.html"), 100), QByteArray());  // no letter-case lookup
}

TEST(AnsiLower, LowersLatinCapitalsOnly) {
  EXPECT_EQ(AnsiLower(QStringLiteral("C:\\Help\\English.QLP")), QStringLiteral("c:\\help\\english.qlp"));
  EXPECT_EQ(AnsiLower(QString::fromUtf8("ÀÉÎÕÜÞ×ŠŒŽŸ")), QString::fromUtf8("àéîõüþ×šœžÿ"));
  EXPECT_EQ(AnsiLower(QString::fromUtf8("ΑΒΓ")), QString::fromUtf8("ΑΒΓ"));  // outside the code page
  EXPECT_EQ(AnsiLower(QByteArray("Tips \xC9T\xC9 \xD7 \x8A\x9F")), QByteArray("tips \xE9t\xE9 \xD7 \x9A\xFF"));
}

TEST(InstallFolders, SystemConfigurationOfAUsrInstallIsInEtc) {
  EXPECT_EQ(RegistryStoreFor(QStringLiteral("/opt/help/bin")), QStringLiteral("/opt/help/etc/quillmark/registry.conf"));
  EXPECT_EQ(RegistryStoreFor(QStringLiteral("/usr/bin")), QStringLiteral("/etc/quillmark/registry.conf"));
  EXPECT_EQ(RegistryStoreFor(QStringLiteral("/usr/local/bin")), QStringLiteral("/usr/local/etc/quillmark/registry.conf"));

  qputenv("LUMORA_APP_DIR", "/srv/lumora/");
  qputenv("LUMORA_SYSTEM_DIR", "/srv/share//");
  EXPECT_EQ(ProgramFolderPath(), QStringLiteral("/srv/lumora"));
  EXPECT_EQ(SystemFolderPath(), QStringLiteral("/srv/share"));
  qunsetenv("LUMORA_APP_DIR");
  qunsetenv("LUMORA_SYSTEM_DIR");
}

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/registry.h"

using namespace lumora::platform;

const QString kKey = QStringLiteral("SOFTWARE\\Quillmark Software");
const QByteArray kStore = "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n";

class Registry : public testing::Test {
 protected:
  void Store(const QByteArray& text) {
    QFile f(path_);
    ASSERT_TRUE(f.open(QFile::WriteOnly));
    f.write(text);
  }
  QByteArray Bytes() {
    QFile f(path_);
    return f.open(QFile::ReadOnly) ? f.readAll() : QByteArray();
  }
  QString Read(const char* n, const QString& k = kKey) { return RegReadText({path_}, k, QLatin1String(n)); }
  void Write(const char* name, const char* text) {
    RegWriteText({path_}, kKey, QString::fromUtf8(name), QString::fromUtf8(text));
  }

  QTemporaryDir dir_;
  QString path_ = dir_.path() + QStringLiteral("/registry.conf");
};

TEST_F(Registry, ValuesReadAsTheProgramMeansThem) {
  const std::pair<const char*, const char*> cases[] = {  // {after "LMRCPUInfo=", text}
      {"C:\\x\\n say \"hi\" # 100% = a;b (1)", "C:\\x\\n say \"hi\" # 100% = a;b (1)"},
      {"  blank ends  ", "blank ends"}, {"Intel\xae Core", "Intel\xc2\xae Core"},  // not UTF-8: ANSI
      {"\"say \\\"hi\\\", C:\\\\dir\\\\\" after", "say \"hi\", C:\\dir\\ after"},
      {"\"\\t\\a\\q\\x30\\x39\\x6a\\x6F\\x4f\\x4A@\\x00410\\101\\1011\\608\"", "\t\a\\q09joOJ@A0AA108"},
      {"@@at", "@at"}, {"@String(a, b\\x41)", "a, bA"}, {"@ByteArray(\\0junk)", ""},  // cut at the first NUL
  };
  for (const auto& [line, text] : cases) {
    Store(QByteArray("[SOFTWARE\\Quillmark%20Software]\r\nLMRCPUInfo=") + line + "\r\nx=1\r\n");
    EXPECT_EQ(Read("LMRCPUInfo"), QString::fromUtf8(text)) << line;
  }
}

// A broken section line costs only its own keys; they and comments are nobody's.
TEST_F(Registry, MalformedSectionElsewhereLosesOnlyItsOwnKeys) {
  Store("[Other Product\nCurrentTheme=dark\nnot a value\n[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=old\n"
        "CurrentTheme=classic\n; ExpertIndex=7\n# ExpertIndex=8\n[Third Product\nExpertIndex=9\n");
  EXPECT_EQ(Read("CurrentTheme"), QStringLiteral("classic"));  // the last line of a name counts
  EXPECT_EQ(Read("ExpertIndex"), QString());
  Write("ExpertIndex", "2");
  EXPECT_TRUE(Bytes().contains("# ExpertIndex=8\nExpertIndex=2\n[Third Product\n"));
}

// The store is shared: a write changes or adds one line in the key's section only.
TEST_F(Registry, WritesChangeOnlyTheirLineAndReadBackUnchanged) {
  const QByteArray before = "\xEF\xBB\xBF[Other]\r\nExpertIndex=9\r\n\r\n[SOFTWARE\\Quillmark%20Software]\r\n"
                            "; the theme of all products\r\nCurrentTheme = classic\r\n\r\n[Later]\r\nx=1\r\n";
  Store(before);
  EXPECT_EQ(Read("currenttheme", QStringLiteral("software\\quillmark software\\")), QStringLiteral("classic"));
  Write("ExpertIndex", "2");
  Write("currenttheme", "blue");
  EXPECT_EQ(Bytes(), QByteArray(before).replace("classic\r\n", "classic\r\nExpertIndex=2\r\n")
                         .replace("CurrentTheme = classic", "CurrentTheme =blue"));
  EXPECT_EQ(Read("ExpertIndex", QStringLiteral("Other")), QStringLiteral("9"));
  for (const char* text : {" blanks at the ends ", "say \"hi\" C:\\path\\", "Grüße", "tab\there\r\nnext line",
                           "@Variant(x)", "", "Zone 9: a-z_A.Z/0"}) {
    Write("LMRCPUInfo", text);
    EXPECT_EQ(Read("LMRCPUInfo"), QString::fromUtf8(text));
  }
  EXPECT_TRUE(Bytes().contains("\nLMRCPUInfo=Zone 9: a-z_A.Z/0\r\n"));  // plain, to be read
}

// A section above the key that holds none of its values, or one below it, takes no write.
TEST_F(Registry, StoreInNestedFormIsWrittenWithEscapedNames) {
  Store("[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\n");
  EXPECT_EQ(Read("CurrentTheme"), QStringLiteral("classic"));
  Write("AZaz09-_. +\t", "1");
  Write("Ā", "2");  // its UTF-8 bytes C4 80 stay
  EXPECT_EQ(Bytes(), QByteArray("[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\nQuillmark%20Software"
                                "\\AZaz09-_.%20%2B%09=1\nQuillmark%20Software\\\xC4\x80=2\n"));
  const QByteArray elsewhere = "[SOFTWARE]\nOther%20Product\\Theme=1\n"
                               "[SOFTWARE\\Quillmark%20Software\\Quillmark%20Software]\nCurrentTheme=night\n";
  Store(elsewhere);
  Write("ExpertIndex", "1");
  EXPECT_EQ(Bytes(), elsewhere);
}

// Read-only, the write is lost without harm; writable in a locked folder, it is written in place.
TEST_F(Registry, UserRightsOnStoreAndFolder) {
  const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
  if (geteuid() == 0 && setpriv.isEmpty()) GTEST_SKIP() << "setpriv is needed to drop root rights";
  const auto probe = [&](const char* value, const char* text) {
    QStringList args{QStringLiteral(LUMORA_REGISTRY_PROBE), path_, QLatin1String(value), QLatin1String(text)};
    if (geteuid() == 0)  // root may write anything
      args = QStringLiteral("%1 --reuid=65534 --regid=65534 --clear-groups").arg(setpriv).split(u' ') + args;
    QProcess::execute(args.takeFirst(), args);
    return Bytes();
  };
  const auto mode = [](const QString& path, mode_t bits) { chmod(QFile::encodeName(path).constData(), bits); };
  Store(kStore);
  mode(dir_.path(), 0555);
  mode(path_, 0444);
  EXPECT_EQ(probe("CurrentTheme", "blue"), kStore);
  mode(path_, 0666);
  EXPECT_EQ(probe("ExpertIndex", "2"), QByteArray(kStore + "ExpertIndex=2\n"));
  mode(dir_.path(), 0755);
}

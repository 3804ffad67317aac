#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/registry.h"

using namespace lumora::platform;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Quillmark Software");
constexpr char kStore[] = "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n";

class Registry : public testing::Test {
 protected:
  void Store(const QByteArray& text) {
    QFile file(path_); ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
  }
  QByteArray Bytes() {
    QFile file(path_); return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QString Read(const char* name, const QString& key = kKey) { return RegReadText({path_}, key, QLatin1String(name)); }
  void Write(const char* name, const QString& text) { RegWriteText({path_}, kKey, QString::fromUtf8(name), text); }

  QTemporaryDir dir_;
  QString path_ = dir_.path() + QStringLiteral("/registry.conf");
};

}  // namespace

TEST_F(Registry, ValuesReadAsTheProgramMeansThem) {
  const std::pair<const char*, const char*> cases[] = {  // {after "LMRCPUInfo=", text}
      {"C:\\x\\n say \"hi\" # 100% = a;b (1)", "C:\\x\\n say \"hi\" # 100% = a;b (1)"},
      {"  blanks at the ends  ", "blanks at the ends"},
      {"Intel\xae Core", "Intel\xc2\xae Core"},  // not UTF-8: the ANSI code page
      {"\"say \\\"hi\\\", C:\\\\dir\\\\\" after", "say \"hi\", C:\\dir\\ after"},
      {"\"\\t\\a\\q\\x30\\x39\\x6a\\x6F\\x4f\\x4A\\x00410\\101\\1011\\608\"", "\t\a\\q09joOJA0AA108"},
      {"@@at", "@at"},
      {"@String(a, b\\x41)", "a, bA"},
      {"@ByteArray(\\0junk)", ""},  // cut at the first NUL
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
  Write("ExpertIndex", QStringLiteral("2"));
  EXPECT_TRUE(Bytes().contains("# ExpertIndex=8\nExpertIndex=2\n[Third Product\n"));
}

// The store is shared: a write changes or adds one line in the key's section only.
TEST_F(Registry, WritingKeepsEveryOtherByteOfTheStore) {
  const QByteArray original =
      "\xEF\xBB\xBF[Other]\r\nExpertIndex=9\r\n\r\n"
      "[SOFTWARE\\Quillmark%20Software]\r\n; the theme of all products\r\nCurrentTheme = classic\r\n\r\n"
      "[Later]\r\nx=1\r\n";
  Store(original);
  EXPECT_EQ(Read("currenttheme", QStringLiteral("software\\quillmark software\\")), QStringLiteral("classic"));
  Write("ExpertIndex", QStringLiteral("2"));
  QByteArray expected = original;
  expected.replace("CurrentTheme = classic\r\n", "CurrentTheme = classic\r\nExpertIndex=2\r\n");
  EXPECT_EQ(Bytes(), expected);
  Write("currenttheme", QStringLiteral("blue")); expected.replace("CurrentTheme = classic", "CurrentTheme =blue");
  EXPECT_EQ(Bytes(), expected);
  EXPECT_EQ(Read("ExpertIndex", QStringLiteral("Other")), QStringLiteral("9"));
}

TEST_F(Registry, WrittenTextsReadBackUnchanged) {
  Store(kStore);
  for (const QString& text : {QStringLiteral("plain words"), QStringLiteral(" blanks at the ends "),
                              QStringLiteral("say \"hi\" C:\\path\\"), QString::fromUtf8("Grüße"),
                              QStringLiteral("tab\there\r\nnext line"), QStringLiteral("@Variant(x)"), QString()}) {
    Write("LMRCPUInfo", text); EXPECT_EQ(Read("LMRCPUInfo"), text);
  }
  // Text that needs no quotes is written as it is, for people who read the file.
  Write("LMRCPUInfo", QStringLiteral("Zone 9: a-z_A.Z/0"));
  EXPECT_TRUE(Bytes().contains("\nLMRCPUInfo=Zone 9: a-z_A.Z/0\n"));
}

// A section above the key that holds none of its values, or one below it, takes no write.
TEST_F(Registry, StoreInNestedFormIsWrittenWithEscapedNames) {
  Store("[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\n");
  EXPECT_EQ(Read("CurrentTheme"), QStringLiteral("classic"));
  Write("AZaz09-_. +\t", QStringLiteral("1"));
  Write("Ā", QStringLiteral("2"));  // its UTF-8 bytes C4 80 stay
  EXPECT_EQ(Bytes(), QByteArray("[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\n"
                                "Quillmark%20Software\\AZaz09-_.%20%2B%09=1\nQuillmark%20Software\\\xC4\x80=2\n"));
  const QByteArray elsewhere = "[SOFTWARE]\nOther%20Product\\Theme=1\n"
                               "[SOFTWARE\\Quillmark%20Software\\Quillmark%20Software]\nCurrentTheme=night\n";
  Store(elsewhere); Write("ExpertIndex", QStringLiteral("1"));
  EXPECT_EQ(Bytes(), elsewhere);
}

// Read-only, the write is lost without harm; writable in a locked folder, it is written in place.
TEST_F(Registry, UserRightsOnStoreAndFolder) {
  const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
  if (geteuid() == 0 && setpriv.isEmpty()) GTEST_SKIP() << "setpriv is needed to drop root rights";
  const auto probe = [&](const QString& value, const QString& text) {
    QStringList command{QStringLiteral(LUMORA_REGISTRY_PROBE), path_, value, text};
    if (geteuid() == 0)  // root may write anything
      command = QStringList{setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                            QStringLiteral("--clear-groups")} + command;
    QProcess process; const QString program = command.takeFirst();
    process.start(program, command); process.waitForFinished(30000);
    return process.readAllStandardOutput().trimmed();
  };
  Store(kStore);
  const auto readAll = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
  const auto folder = readAll | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
  QFile::setPermissions(dir_.path(), folder); QFile::setPermissions(path_, readAll);
  EXPECT_EQ(probe(QStringLiteral("CurrentTheme"), QStringLiteral("blue")), QByteArray("classic"));
  EXPECT_EQ(Bytes(), QByteArray(kStore));
  QFile::setPermissions(path_, readAll | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
  EXPECT_EQ(probe(QStringLiteral("ExpertIndex"), QStringLiteral("2")), QByteArray("2"));
  EXPECT_EQ(Bytes(), QByteArray(kStore) + "ExpertIndex=2\n");
  QFile::setPermissions(dir_.path(), folder | QFile::WriteOwner);
}

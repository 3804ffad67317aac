#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
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
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
  }
  QByteArray Bytes() const {
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  QString Read(const char* name, const QString& key = kKey) const {
    return RegReadText({path_}, key, QString::fromUtf8(name));
  }
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
    SCOPED_TRACE(line);
    Store(QByteArray("[SOFTWARE\\Quillmark%20Software]\r\nLMRCPUInfo=") + line + "\r\nx=1\r\n");
    EXPECT_EQ(Read("LMRCPUInfo"), QString::fromUtf8(text));
  }
}

// Another product's broken section line costs only that product's keys; its
// keys are not taken for the section above it, nor are comments.
TEST_F(Registry, MalformedSectionElsewhereLosesOnlyItsOwnKeys) {
  Store("[Other Product\nCurrentTheme=dark\nnot a value\n[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=old\n"
        "CurrentTheme=classic\n; ExpertIndex=7\n# ExpertIndex=8\n[Third Product\nExpertIndex=9\n");
  EXPECT_EQ(Read("CurrentTheme"), QStringLiteral("classic"));  // the last line of a name counts
  EXPECT_EQ(Read("ExpertIndex"), QString());
  EXPECT_EQ(Read("CurrentTheme", QStringLiteral("Other Product")), QString());
  Write("ExpertIndex", QStringLiteral("2"));
  EXPECT_TRUE(Bytes().contains("# ExpertIndex=8\nExpertIndex=2\n[Third Product\n"));
}

// The store is shared with other products: a write changes one line or adds
// one at the end of the key's section, and keeps every other byte.
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
  Write("currenttheme", QStringLiteral("blue"));
  expected.replace("CurrentTheme = classic", "CurrentTheme =blue");
  EXPECT_EQ(Bytes(), expected);
  EXPECT_EQ(Read("ExpertIndex", QStringLiteral("Other")), QStringLiteral("9"));
}

TEST_F(Registry, WrittenTextsReadBackUnchanged) {
  Store(kStore);
  for (const QString& text : {QStringLiteral("plain words"), QStringLiteral(" blanks at the ends "),
                              QStringLiteral("say \"hi\" C:\\path\\"), QString::fromUtf8("Grüße"),
                              QStringLiteral("tab\there\r\nnext line"), QStringLiteral("@Variant(x)"), QString()}) {
    Write("LMRCPUInfo", text);
    EXPECT_EQ(Read("LMRCPUInfo"), text);
  }
  Write("LMRCPUInfo", QStringLiteral("bell\a\x7F!"));  // no place in a registry text
  EXPECT_EQ(Read("LMRCPUInfo"), QStringLiteral("bell!"));
  // Text that needs no quotes is written as it is, for people who read the file.
  Write("LMRCPUInfo", QStringLiteral("Zone 9: a-z_A.Z/0"));
  EXPECT_TRUE(Bytes().contains("\nLMRCPUInfo=Zone 9: a-z_A.Z/0\n"));
}

// Names are escaped as the store has them; a section above the key that holds
// none of its values, one below it, or no store at all takes no write.
TEST_F(Registry, StoreInNestedFormIsWrittenWithEscapedNames) {
  Write("CurrentTheme", QStringLiteral("1"));
  EXPECT_FALSE(QFile::exists(path_));
  Store("[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\n");
  EXPECT_EQ(Read("CurrentTheme"), QStringLiteral("classic"));
  Write("AZaz09-_. +\t", QStringLiteral("1"));
  Write("Ā", QStringLiteral("2"));  // its UTF-8 bytes C4 80 stay
  EXPECT_EQ(Bytes(), QByteArray("[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\n"
                                "Quillmark%20Software\\AZaz09-_.%20%2B%09=1\nQuillmark%20Software\\\xC4\x80=2\n"));
  const QByteArray elsewhere = "[SOFTWARE]\nOther%20Product\\Theme=1\n"
                               "[SOFTWARE\\Quillmark%20Software\\Quillmark%20Software]\nCurrentTheme=night\n";
  Store(elsewhere);
  Write("ExpertIndex", QStringLiteral("1"));
  EXPECT_EQ(Bytes(), elsewhere);
}

// A user who may read the store but not write it reads it and loses the write
// without harm; one who may write the file but not its folder writes in place.
TEST_F(Registry, UserRightsOnStoreAndFolder) {
  const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
  if (geteuid() == 0 && setpriv.isEmpty()) GTEST_SKIP() << "setpriv is needed to drop root rights";
  const auto probe = [&](const QString& value, const QString& text) {
    QStringList command{QStringLiteral(LUMORA_REGISTRY_PROBE), path_, value, text};
    if (geteuid() == 0)  // root may write anything
      command = QStringList{setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                            QStringLiteral("--clear-groups")} + command;
    QProcess process;
    const QString program = command.takeFirst();
    process.start(program, command);
    return process.waitForFinished(30000) && process.exitCode() == 0 ? process.readAllStandardOutput().trimmed()
                                                                      : QByteArray("probe failed");
  };
  Store(kStore);
  const auto readAll = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
  const auto folder = readAll | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
  QFile::setPermissions(dir_.path(), folder);
  QFile::setPermissions(path_, readAll);
  EXPECT_EQ(probe(QStringLiteral("CurrentTheme"), QStringLiteral("blue")), QByteArray("classic"));
  EXPECT_EQ(Bytes(), QByteArray(kStore));
  QFile::setPermissions(path_, readAll | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
  EXPECT_EQ(probe(QStringLiteral("ExpertIndex"), QStringLiteral("2")), QByteArray("2"));
  EXPECT_EQ(Bytes(), QByteArray(kStore) + "ExpertIndex=2\n");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("registry.conf")});
  QFile::setPermissions(dir_.path(), folder | QFile::WriteOwner);
}

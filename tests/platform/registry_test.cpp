#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/registry.h"

using namespace lumora::platform;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Quillmark Software");

QString WriteStore(const QTemporaryDir& dir, const QByteArray& text) {
  const QString path = dir.path() + QStringLiteral("/registry.conf");
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(text);
  return path;
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

constexpr char kStore[] =
    "[SOFTWARE\\Quillmark%20Software]\n"
    "CurrentTheme=classic\n"
    "LMRCPUInfo=\"CPU: x86-64, 2 cores</b>Memory: 4 GB\"\n";

}  // namespace

TEST(Registry, ReadsValuesOfTheKeyIgnoringCase) {
  QTemporaryDir dir;
  const RegistryRoot root{WriteStore(dir, kStore)};
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QStringLiteral("classic"));
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("currenttheme")), QStringLiteral("classic"));
  EXPECT_EQ(RegReadText(root, QStringLiteral("software\\quillmark software"), QStringLiteral("CurrentTheme")),
            QStringLiteral("classic"));
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("LMRCPUInfo")),
            QStringLiteral("CPU: x86-64, 2 cores</b>Memory: 4 GB"));
}

TEST(Registry, MissingStoreKeyOrValueReadsEmpty) {
  QTemporaryDir dir;
  const RegistryRoot root{WriteStore(dir, kStore)};
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("ExpertIndex")), QString());
  EXPECT_EQ(RegReadText(root, QStringLiteral("SOFTWARE\\Other"), QStringLiteral("CurrentTheme")), QString());
  EXPECT_EQ(RegReadText(RegistryRoot{dir.path() + QStringLiteral("/none.conf")}, kKey,
                        QStringLiteral("CurrentTheme")),
            QString());
  EXPECT_EQ(RegReadText(RegistryRoot{dir.path()}, kKey, QStringLiteral("CurrentTheme")), QString());
}

TEST(Registry, TrailingNulsAreCutOff) {
  QTemporaryDir dir;
  const QString path = WriteStore(dir, "");
  {
    QSettings store(path, QSettings::IniFormat);
    store.setValue(QStringLiteral("SOFTWARE/Quillmark Software/ExpertIndex"), QString(reinterpret_cast<const QChar*>(u"3\0\0\0"), 4));
    store.setValue(QStringLiteral("SOFTWARE/Quillmark Software/CurrentTheme"), QString(reinterpret_cast<const QChar*>(u"blue\0junk"), 9));
  }
  const RegistryRoot root{path};
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("ExpertIndex")), QStringLiteral("3"));
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QStringLiteral("blue"));
}

TEST(Registry, BadStoresNeverCrashAndReadEmpty) {
  QTemporaryDir dir;
  QByteArray binary;
  for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>((i * 7919) & 0xFF));
  for (const QByteArray& content : {QByteArray(), binary, QByteArray("[SOFTWARE\\Quillmark%20Software")}) {
    const RegistryRoot root{WriteStore(dir, content)};
    EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QString());
    RegWriteText(root, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("2"));
  }
}

TEST(Registry, WritesOnlyUnderAnExistingKey) {
  QTemporaryDir dir;
  const QString path = WriteStore(dir, kStore);
  const RegistryRoot root{path};
  RegWriteText(root, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("4"));
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("ExpertIndex")), QStringLiteral("4"));
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QStringLiteral("classic"));

  const QByteArray before = ReadBytes(path);
  RegWriteText(root, QStringLiteral("SOFTWARE\\Absent"), QStringLiteral("ExpertIndex"), QStringLiteral("1"));
  EXPECT_EQ(ReadBytes(path), before);

  const QString none = dir.path() + QStringLiteral("/none.conf");
  RegWriteText(RegistryRoot{none}, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("1"));
  EXPECT_FALSE(QFile::exists(none));
}

TEST(Registry, WritingKeepsEveryOtherLineOfTheStore) {
  QTemporaryDir dir;
  const QByteArray original =
      "; written by the installer\r\n"
      "[Other]\r\nExpertIndex=9\r\n\r\n"
      "[SOFTWARE\\Quillmark%20Software]\r\n"
      "; the theme of all products\r\n"
      "CurrentTheme=classic\r\n\r\n"
      "[Later]\r\nx=1\r\n";
  const QString path = WriteStore(dir, original);
  const RegistryRoot root{path};
  RegWriteText(root, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("2"));
  QByteArray expected = original;
  expected.replace("CurrentTheme=classic\r\n", "CurrentTheme=classic\r\nExpertIndex=2\r\n");
  EXPECT_EQ(ReadBytes(path), expected);

  RegWriteText(root, kKey, QStringLiteral("currenttheme"), QStringLiteral("blue"));
  expected.replace("CurrentTheme=classic", "CurrentTheme=blue");
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(RegReadText(RegistryRoot{path}, QStringLiteral("Other"), QStringLiteral("ExpertIndex")),
            QStringLiteral("9"));
}

TEST(Registry, WrittenTextsReadBackUnchanged) {
  QTemporaryDir dir;
  const QString path = WriteStore(dir, "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n");
  const RegistryRoot root{path};
  const QString texts[] = {
      QStringLiteral("plain words"),
      QStringLiteral(" leading and trailing "),
      QStringLiteral("a, b; c = d"),
      QStringLiteral("say \"hi\" C:\\path\\"),
      QStringLiteral("CPU: x</b>RAM: 2 GB"),
      QString::fromUtf8("Grüße, été"),
      QStringLiteral("tab\there\r\nnext line"),
      QStringLiteral("@Variant(looks special)"),
      QString(),
  };
  for (const QString& text : texts) {
    SCOPED_TRACE(text.toStdString());
    RegWriteText(root, kKey, QStringLiteral("LMRCPUInfo"), text);
    EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("LMRCPUInfo")), text);
    EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QStringLiteral("classic"));
  }
  // Text that needs no quotes is written as it is, for people who read the file.
  RegWriteText(root, kKey, QStringLiteral("LMRCPUInfo"), QStringLiteral("Zone 9: a-z_A.Z/0"));
  EXPECT_TRUE(ReadBytes(path).contains("\nLMRCPUInfo=Zone 9: a-z_A.Z/0\n"));
}

// Another product's broken section line costs only that product's keys:
// every value of ours reads, whichever is read first, and keys below the
// broken line are not taken for the section above it (nor are comments).
TEST(Registry, MalformedSectionElsewhereLosesOnlyItsOwnKeys) {
  QTemporaryDir dir;
  const RegistryRoot root{WriteStore(dir,
                                     "[Other Product\nCurrentTheme=dark\n"
                                     "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU\n"
                                     "; ExpertIndex=7\n# ExpertIndex=8\n[Third Product\nExpertIndex=9\n")};
  const std::pair<const char*, const char*> values[] = {
      {"CurrentTheme", "classic"}, {"LMRCPUInfo", "CPU"}, {"ExpertIndex", ""}, {"CurrentTheme", "classic"}};
  for (const auto& [name, text] : values)
    EXPECT_EQ(RegReadText(root, kKey, QString::fromLatin1(name)), QString::fromLatin1(text)) << name;
  EXPECT_EQ(RegReadText(root, QStringLiteral("Other Product"), QStringLiteral("CurrentTheme")), QString());
}

TEST(Registry, ValuesReadBackExactlyAsWritten) {
  struct Case {
    const char* line;  // as it stands in the file after "LMRCPUInfo="
    const char* text;
  };
  const Case cases[] = {
      {"CPU: x86; 2 cores", "CPU: x86; 2 cores"},
      {"a,b", "a,b"},
      {"a, b,c", "a, b,c"},
      {"C:\\dir\\n\\x41\\", "C:\\dir\\n\\x41\\"},
      {"say \"hi\" # not a comment", "say \"hi\" # not a comment"},
      {"100% = all", "100% = all"},
      {"  blanks at the ends  ", "blanks at the ends"},
      {"Gr\xc3\xbc\xc3\x9f" "e", "Gr\xc3\xbc\xc3\x9f" "e"},
      {"Intel\xae Core", "Intel\xc2\xae Core"},  // not UTF-8: the ANSI code page
      {"\"a, b; c = d\"", "a, b; c = d"},
      {"\"say \\\"hi\\\", C:\\\\dir\\\\\"", "say \"hi\", C:\\dir\\"},
      {"\"tab\\there\\x41\\101\\q\"", "tab\there" "AA\\q"},
      {"\"@@Variant(x)\"", "@Variant(x)"},
      {"@@at", "@at"},
      {"@String(a, b\\x41)", "a, bA"},
      {"\"\\x4F\\x4f\"", "OO"},
  };
  QTemporaryDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const RegistryRoot root{
        WriteStore(dir, QByteArray("[SOFTWARE\\Quillmark%20Software]\r\nLMRCPUInfo=") + c.line + "\r\nx=1\r\n")};
    EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("LMRCPUInfo")), QString::fromUtf8(c.text));
  }
}

TEST(Registry, StoreWithByteOrderMarkKeepsEveryLineWhenWritten) {
  QTemporaryDir dir;
  const QByteArray original =
      "\xEF\xBB\xBF; installed by Quillmark Setup\r\n"
      "[SOFTWARE\\Quillmark%20Software]\r\n"
      "CurrentTheme = classic\r\n"
      "\r\n"
      "[Other Product]\r\n"
      "; keep me\r\n"
      "Path=\"C:\\\\x\"\r\n";
  const QString path = WriteStore(dir, original);
  const RegistryRoot root{path};
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QStringLiteral("classic"));
  RegWriteText(root, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("2"));
  QByteArray expected = original;
  expected.replace("CurrentTheme = classic\r\n", "CurrentTheme = classic\r\nExpertIndex=2\r\n");
  EXPECT_EQ(ReadBytes(path), expected);
  RegWriteText(root, kKey, QStringLiteral("CurrentTheme"), QStringLiteral("blue"));
  expected.replace("CurrentTheme = classic", "CurrentTheme =blue");
  EXPECT_EQ(ReadBytes(path), expected);
}

TEST(Registry, StoreRewrittenInNestedFormIsStillWritten) {
  QTemporaryDir dir;
  const QString path = WriteStore(dir, "[SOFTWARE]\nQuillmark%20Software\\CurrentTheme=classic\n");
  const RegistryRoot root{path};
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("CurrentTheme")), QStringLiteral("classic"));
  RegWriteText(root, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("1"));
  EXPECT_EQ(RegReadText(root, kKey, QStringLiteral("ExpertIndex")), QStringLiteral("1"));
  EXPECT_TRUE(ReadBytes(path).contains("\nQuillmark%20Software\\ExpertIndex=1\n"));
  RegWriteText(root, kKey, QStringLiteral("AZaz09-_. +"), QStringLiteral("1"));  // every kind of character
  EXPECT_TRUE(ReadBytes(path).contains("\nQuillmark%20Software\\AZaz09-_.%20%2B=1\n"));
  // A section below the key names no value of it: a write there would lose
  // the value's name (found by fuzzing).
  const QByteArray deeper = "[SOFTWARE\\Quillmark%20Software\\Quillmark%20Software]\nCurrentTheme=night\n";
  const QString other = WriteStore(dir, deeper);
  RegWriteText(RegistryRoot{other}, kKey, QStringLiteral("ExpertIndex"), QStringLiteral("1"));
  EXPECT_EQ(ReadBytes(other), deeper);
}

// Runs the probe on the store, as an unprivileged user when the test runs as
// root (root may write anything). Returns what the probe printed.
static QByteArray RunProbeAsUser(const QStringList& probeArgs) {
  QString program = QStringLiteral(LUMORA_REGISTRY_PROBE);
  QStringList args = probeArgs;
  if (geteuid() == 0) {
    args = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                       QStringLiteral("--clear-groups"), program} + args;
    program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
  }
  QProcess probe;
  probe.start(program, args);
  if (!probe.waitForFinished(30000) || probe.exitCode() != 0) return "probe failed";
  return probe.readAllStandardOutput().trimmed();
}

// A user who may read the store but not write it still reads every value;
// the write is lost without harm. One who may write the file but not its
// folder writes it in place.
TEST(Registry, UserRightsOnStoreAndFolder) {
  if (geteuid() == 0 && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
    GTEST_SKIP() << "setpriv is needed to drop root rights";
  QTemporaryDir dir;
  const QString path = WriteStore(dir, kStore);
  const auto readAndExecute = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                              QFile::ReadOther | QFile::ExeOther;
  QFile::setPermissions(dir.path(), readAndExecute);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

  EXPECT_EQ(RunProbeAsUser({path, QStringLiteral("CurrentTheme")}), QByteArray("classic"));
  EXPECT_EQ(RunProbeAsUser({path, QStringLiteral("ExpertIndex"), QStringLiteral("2")}), QByteArray());
  EXPECT_EQ(ReadBytes(path), QByteArray(kStore));

  // A store the user may write, in a folder the user may not: written in place.
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup |
                                  QFile::ReadOther | QFile::WriteOther);
  EXPECT_EQ(RunProbeAsUser({path, QStringLiteral("ExpertIndex"), QStringLiteral("2")}), QByteArray("2"));
  EXPECT_EQ(ReadBytes(path), QByteArray(kStore) + "ExpertIndex=2\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("registry.conf")});

  // A store the user may not read at all reads as empty.
  QFile::setPermissions(path, QFile::Permissions());
  EXPECT_EQ(RunProbeAsUser({path, QStringLiteral("CurrentTheme")}), QByteArray());
  QFile::setPermissions(dir.path(), readAndExecute | QFile::WriteOwner);
}

#include <gtest/gtest.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <tuple>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "core/registry.h"
#include "core/safe_write.h"
#include "support/test_files.h"

using namespace lumora::core;

const QString kKey = QStringLiteral("SOFTWARE\\Quillmark Software");

class Registry : public testing::Test {
 protected:
  void Store(const QByteArray& text) { ASSERT_TRUE(WriteFile(path_, text)); }
  QByteArray Bytes() { return ReadFile(path_); }
  QString Read(const char* n, const QString& k = kKey) { return RegReadText({path_}, k, QLatin1String(n)); }
  void Write(const char* name, const char* text) { RegWriteText({path_}, kKey, QString::fromUtf8(name), QString::fromUtf8(text)); }

  QTemporaryDir dir_;
  QString path_ = dir_.filePath(QStringLiteral("registry.conf"));
};

TEST_F(Registry, ValuesReadAsTheProgramMeansThemWhateverTheSectionsAroundAndWritesChangeOnlyTheirLine) {
  const std::pair<const char*, const char*> cases[] = {  // {after "LMRCPUInfo=", text}
      {"C:\\x\\n say \"hi\" # 100% = a;b (1)", "C:\\x\\n say \"hi\" # 100% = a;b (1)"},
      {"  blank ends  ", "blank ends"}, {"Intel\xae Core", "Intel\xc2\xae Core"},  // not UTF-8: ANSI
      {"\"say \\\"hi\\\", C:\\\\dir\\\\\" after", "say \"hi\", C:\\dir\\ after"},
      {"\"\\t\\a\\q\\x30\\x39\\x6a\\x6F\\x4f\\x4A@\\x00410\\101\\1011\\608\"", "\t\a\\q09joOJ@A0AA108"},
      {"@@at", "@at"}, {"@String(a, b\\x41)", "a, bA"}, {"@ByteArray(\\0junk)", ""},  // cut at the first NUL
      {"\"C:\\", "C:\\"}, {"@String(C:\\)", "C:\\"},  // a last backslash is itself
  };
  for (const auto& [line, text] : cases) {
    Store(QByteArray("[SOFTWARE\\Quillmark%20Software]\r\nLMRCPUInfo=") + line + "\r\nx=1\r\n");
    EXPECT_EQ(Read("LMRCPUInfo"), QString::fromUtf8(text)) << line;
  }
  // A broken section line costs only its own keys; they and comments are nobody's.
  Store("[Other Product\nCurrentTheme=dark\nnot a value\n[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=old\n"
        "CurrentTheme=classic\n; ExpertIndex=7\n# ExpertIndex=8\n[Third Product\nExpertIndex=9\n");
  EXPECT_EQ(std::pair(Read("CurrentTheme"), Read("ExpertIndex")), std::pair(QStringLiteral("classic"), QString()));  // the later line wins
  Write("ExpertIndex", "2");
  EXPECT_TRUE(Bytes().contains("# ExpertIndex=8\nExpertIndex=2\n[Third Product\n"));
  // The store is shared: a write changes or adds one line in the key's section only.
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
                           "@Variant(x)", " @@x", "", "Zone 9: a-z_A.Z/0"}) {
    Write("LMRCPUInfo", text);
    EXPECT_EQ(Read("LMRCPUInfo"), QString::fromUtf8(text));
  }
  EXPECT_TRUE(Bytes().contains("\nLMRCPUInfo=Zone 9: a-z_A.Z/0\r\n"));  // plain, to be read
  Write("LMRCPUInfo", "\x01@@x");  // the control character goes, both "@" stay
  EXPECT_EQ(Read("LMRCPUInfo"), QStringLiteral("@@x"));
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

// Writes that fail or are killed part-way, and writers of two processes at once, on real files.
class SharedStore : public Registry {
 protected:
  void SetUp() override {
    QByteArray store = "[Other%20Product]\n";
    for (int i = 0; i < 60; ++i) store += "Setting" + QByteArray::number(i) + "=value of another product " + QByteArray::number(i) + "\n";
    Store(before_ = store + "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=short\n");
  }
  // Runs the probe, as nobody when asked (the folder then read-only, the store not) so that it rewrites the
  // store in place; limit caps the size of any file it writes; killAfter (microseconds) stops it part-way.
  QString Probe(const QStringList& args, bool asNobody = false, rlim_t limit = RLIM_INFINITY, qint64 killAfter = -1) {
    QProcess probe;
    probe.setChildProcessModifier([limit] {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit cap{limit, limit};
      ::setrlimit(RLIMIT_FSIZE, &cap);
    });
    QStringList command = QStringList{QStringLiteral(LUMORA_REGISTRY_PROBE), path_} + args;
    if (asNobody) command = QStringLiteral("setpriv --reuid=65534 --regid=65534 --clear-groups").split(u' ') + command;
    probe.start(command.takeFirst(), command);
    if (killAfter >= 0 && probe.waitForStarted()) {
      QThread::usleep(static_cast<unsigned long>(killAfter));
      if (const qint64 pid = probe.processId(); pid > 0) ::kill(static_cast<pid_t>(pid), SIGKILL);  // 0: ended
    }
    probe.waitForFinished(60000);
    return QString::fromLocal8Bit(probe.readAllStandardError() + probe.readAllStandardOutput());
  }
  // Whether the probe rewrites the store in place: when wanted and nobody can run it, the folder read-only.
  bool InPlace(bool wanted) {
    chmod(QFile::encodeName(path_).constData(), 0666);
    const bool can = wanted && geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
    chmod(QFile::encodeName(dir_.path()).constData(), can ? 0555 : 0777);
    return can;
  }
  // Every key of before, and LMRCPUInfo one of the texts.
  void ExpectWhole(const QStringList& texts) {
    for (int i = 0; i < 60; ++i)
      ASSERT_EQ(Read(QByteArray("Setting" + QByteArray::number(i)).constData(), QStringLiteral("Other Product")),
                QStringLiteral("value of another product %1").arg(i));
    ASSERT_EQ(Read("CurrentTheme"), QStringLiteral("classic"));
    ASSERT_TRUE(texts.contains(Read("LMRCPUInfo"))) << Read("LMRCPUInfo").toStdString();
  }
  QByteArray before_;
};

TEST_F(SharedStore, AWriteCutShortByAFileSizeLimitLeavesTheStoreAsItWas) {
  const QString longText(3000, u'x');
  for (const bool inPlace : {false, true}) {
    if (InPlace(inPlace) != inPlace) continue;
    for (const rlim_t limit : {rlim_t(0), rlim_t(1024), rlim_t(before_.size()), rlim_t(before_.size() + 1500)}) {
      const QString said = Probe({QStringLiteral("LMRCPUInfo"), longText}, inPlace, limit);
      EXPECT_EQ(std::pair(Bytes(), said.contains(QStringLiteral("keeps its old content"))), std::pair(before_, true))
          << limit << " in place: " << inPlace << " " << said.toStdString();
    }
    if (inPlace) {  // a store the user may not write is left alone, without a word
      chmod(QFile::encodeName(path_).constData(), 0444);
      EXPECT_EQ(std::pair(Probe({QStringLiteral("LMRCPUInfo"), longText}, true), Bytes()), std::pair(QString(), before_));
      chmod(QFile::encodeName(path_).constData(), 0666);
      // Nowhere of the user's own to keep the copy a crash would need: nothing is written. The copy cannot be
      // written, or there is no folder for it at all (the one in /tmp taken by another user).
      const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), own = "/tmp/lumora-65534", kept = own + ".kept";
      qputenv("XDG_DATA_HOME", "/proc");
      ::rename(own.constData(), kept.constData());
      for (const bool taken : {false, true}) {
        qputenv("XDG_RUNTIME_DIR", taken ? "/proc/self/status" : "/proc");
        ASSERT_TRUE(!taken || WriteFile(QString::fromLatin1(own), "root's"));
        const QString said = Probe({QStringLiteral("LMRCPUInfo"), longText}, true);
        QFile::remove(QString::fromLatin1(own));
        EXPECT_EQ(std::pair(Bytes(), said.contains(taken ? QStringLiteral("no folder of the user's own") : QStringLiteral("could not be written"))),
                  std::pair(before_, true)) << said.toStdString();
      }
      ::rename(kept.constData(), own.constData());
      qunsetenv("XDG_DATA_HOME");
      qputenv("XDG_RUNTIME_DIR", runtime);
    }
    EXPECT_EQ(Probe({QStringLiteral("LMRCPUInfo"), longText}, inPlace, before_.size() * 3 + 8000), QString());  // written
    ExpectWhole({longText});
    InPlace(false);
    Store(before_);
  }
}

// Full of data, or without room for one more file (the new one beside the store).
TEST_F(SharedStore, AWriteToAFullFileSystemLeavesTheStoreAsItWas) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
  const QString mount = dir_.filePath(QStringLiteral("small"));
  QDir().mkpath(mount);
  for (const char* options : {"size=16k", "nr_inodes=2"}) {
    if (QProcess::execute(QStringLiteral("mount"), QStringLiteral("-t tmpfs -o %1 tmpfs").arg(QLatin1String(options)).split(u' ') << mount) != 0)
      GTEST_SKIP() << "this machine does not let a test mount a file system";
    path_ = mount + QStringLiteral("/registry.conf");
    Store(before_);
    QFile filler(mount + QStringLiteral("/filler"));  // data until nothing more fits; the reason says it came
    if (options[0] == 's' && filler.open(QIODevice::WriteOnly))
      while (filler.write(QByteArray(512, 'f')) == 512 && filler.flush()) continue;
    filler.close();
    const QString said = Probe({QStringLiteral("LMRCPUInfo"), QString(6000, u'x')});
    const char* why = options[0] == 's' ? "(writing the new file failed: No space" : "(cannot make a new file beside it: No space";
    EXPECT_EQ(std::pair(Bytes(), said.contains(QLatin1String(why))), std::pair(before_, true)) << options << said.toStdString();
    QProcess::execute(QStringLiteral("umount"), {mount});
  }
}

// A copy that a writer stopped part-way left finishes its write when the file holds what that write left,
// and is dropped when the file holds anything else.
TEST_F(SharedStore, ACopyLeftByAStoppedWriterFinishesItsWriteOnlyOverWhatItLeft) {
  const QByteArray after = "[New]\nKey=value\n" + before_;
  const QByteArray copy = "lumora pending write 1\n" + QFile::encodeName(path_) + '\n' + QByteArray::number(before_.size()) +
                          '\n' + before_ + after;
  const std::pair<QByteArray, QByteArray> cases[] = {
      {after.left(100) + before_.mid(100), after}, {after.left(before_.size() + 5), after}, {"other", "other"}};
  for (const auto& [holds, ends] : cases) {
    QFile pending(PendingWritePath(path_));
    ASSERT_TRUE(pending.open(QIODevice::WriteOnly) && pending.write(copy) == copy.size());
    pending.close();
    Store(holds);
    const int input = ::dup(0);  // without a standard input the store is opened as descriptor 0, as good as any
    ::close(0);
    FinishInterruptedWrite(path_);
    ::dup2(input, 0), ::close(input);
    EXPECT_EQ(std::pair(Bytes(), QFile::exists(PendingWritePath(path_))), std::pair(ends, false)) << holds.left(20).data();
  }
  // A copy that names another store (the copy's own name is a hash) is that store's: left alone.
  ASSERT_TRUE(WriteFile(PendingWritePath(path_), QByteArray(copy).replace(QFile::encodeName(path_), "/elsewhere/registry.conf")));
  FinishInterruptedWrite(path_);
  EXPECT_EQ(std::pair(Bytes(), QFile::remove(PendingWritePath(path_))), std::pair(QByteArray("other"), true));
  ASSERT_TRUE(WriteFile(PendingWritePath(path_), "lumora pending write 1\n" + QFile::encodeName(path_) + "\n6\nother"));  // cut short
  FinishInterruptedWrite(path_);  // a copy holding less of the old content than it says is no copy: both are kept
  EXPECT_EQ(std::pair(Bytes(), QFile::exists(PendingWritePath(path_))), std::pair(QByteArray("other"), true));
}

// A store another program keeps locked past the wait is left as it was, and the reason says who held it.
TEST_F(SharedStore, AStoreLockedPastTheWaitUnreadableOrUnchangedIsNotWritten) {
  const int holder = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CLOEXEC);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  QString error;
  const bool written = RewriteSharedFile(path_, [](const QByteArray& was) { return was + "Added=1\n"; }, &error, 100);
  ::close(holder);
  EXPECT_EQ(std::pair(written, error), std::pair(false, QStringLiteral("another program held it for 0.1 s")));
  EXPECT_EQ(Bytes(), before_);
  EXPECT_TRUE(RewriteSharedFile(path_, [](const QByteArray& was) { return was; }, &error, 100));  // nothing to change
  EXPECT_TRUE(RewriteSharedFile(path_, [](const QByteArray&) { return QByteArray(); }, &error, 100));  // nor to write
  EXPECT_EQ(Bytes(), before_);
  EXPECT_FALSE(RewriteSharedFile(QStringLiteral("/proc/self/mem"), [](const QByteArray&) { return "x"; }, &error, 100));  // address 0
  EXPECT_TRUE(error.startsWith(QStringLiteral("reading it failed"))) << error.toStdString();
}

// Every key of before or every key of after: the writer's next start finishes what a crash left half done.
TEST_F(SharedStore, AWriterKilledAtAnyPointLosesNothing) {
  const bool inPlace = InPlace(true);
  QString current = QStringLiteral("short");
  std::mt19937 random(20261207);
  qint64 whole = 0;  // how long a write takes from start to end, in microseconds
  for (int i = 0; i < 200; ++i) {
    const QString text = i % 2 ? QStringLiteral("short %1").arg(i) : QString(200000 + i, QChar(u'a' + i % 26));
    QElapsedTimer took;
    took.start();
    // The first two run whole to time a write; the others are killed somewhere in its second half.
    const qint64 killAfter = i < 2 ? -1 : whole / 2 + static_cast<qint64>(random() % (whole / 2 + 1));
    Probe({QStringLiteral("LMRCPUInfo"), text}, inPlace, RLIM_INFINITY, killAfter);
    if (i < 2) whole = std::max(whole, took.nsecsElapsed() / 1000);
    Probe({QStringLiteral("LMRCPUInfo")}, inPlace);  // its next start, as the same user
    ExpectWhole({current, text});
    current = Read("LMRCPUInfo");
  }
}

// Its first file is then descriptor 0, as good as any other.
TEST_F(SharedStore, AProgramStartedWithoutStandardInputReadsAndWritesTheStore) {
  const auto run = [this](const QStringList& args) {
    QProcess probe;
    probe.setChildProcessModifier([] { ::close(0); });
    probe.start(QStringLiteral(LUMORA_REGISTRY_PROBE), QStringList{path_} + args);
    probe.waitForFinished(60000);
    return QString::fromLocal8Bit(probe.readAllStandardError() + probe.readAllStandardOutput()).trimmed();
  };
  EXPECT_EQ((std::pair{run({QStringLiteral("LMRCPUInfo"), QStringLiteral("written")}), run({QStringLiteral("LMRCPUInfo")})}),
            std::pair(QString(), QStringLiteral("written")));
}

TEST_F(SharedStore, WritersOfTwoProcessesTakeTurns) {
  QProcess first, second;
  for (auto [probe, name, text] : {std::tuple(&first, "ExpertIndex", "a"), std::tuple(&second, "CurrentTheme", "b")})
    probe->start(QStringLiteral(LUMORA_REGISTRY_PROBE), {path_, QLatin1String(name), QLatin1String(text), QStringLiteral("100")});
  EXPECT_TRUE(first.waitForFinished(60000) && second.waitForFinished(60000));
  EXPECT_EQ(std::pair(Read("ExpertIndex"), Read("CurrentTheme")), std::pair(QStringLiteral("a-100"), QStringLiteral("b-100")));
  EXPECT_EQ(Read("Setting59", QStringLiteral("Other Product")), QStringLiteral("value of another product 59"));
}

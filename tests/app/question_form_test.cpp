#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTcpServer>
#include <QTimer>

#include "app/temp_install.h"
#include "support/smtp_sink.h"

using namespace lumora;

namespace {

// Answers the next message box from the event loop, and keeps its text.
class BoxAnswer {
 public:
  explicit BoxAnswer(QMessageBox::StandardButton answer) {
    QObject::connect(&poll_, &QTimer::timeout, [this, answer] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      text = box->text();
      icon = box->icon();
      ++shown;
      box->button(answer)->click();
    });
    poll_.start(20);
  }
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int shown = 0;

 private:
  QTimer poll_;
};

// The question form filled in, mailing to the server named.
class QuestionFormTest : public TempInstall {
 protected:
  void Open(const QByteArray& mailServer, const QByteArray& packExtra = {}) {
    Write(QStringLiteral("Help/English.qlp"),
          "lang1 = Your question was sent.\r\nlang2 = Clear the form?\r\n" + packExtra);
    Write(QStringLiteral("registry.conf"),
          "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU: test\n"
          "ExpertIndex=3\nSupportDomain=support.example\nMailServer=" +
              mailServer + "\n");
    Start(QStringLiteral(" -lmr"));
    for (int i = 0; i < 4; ++i) Ui().TextBox[static_cast<size_t>(i)]->SetText(kFilled[i]);
  }
  void Send() { emit Ui().Commander[0]->Click(); }
  QStringList Fields() {
    QStringList fields;
    for (const auto* box : Ui().TextBox) fields << box->Text();
    return fields;
  }

  const QStringList kFilled{QStringLiteral("Ann Example"), QStringLiteral("ann@example.com"),
                            QStringLiteral("Printing"), QStringLiteral("How do I print?"), QStringLiteral("CPU: test")};
};

}  // namespace

// What is mailed is checked by the whole-program tests.
TEST_F(QuestionFormTest, SendConfirmsOnceInThePacksWordsAndKeepsTheForm) {
  SmtpSink sink;
  ASSERT_TRUE(sink.Ready());
  Open("smtp://127.0.0.1:" + QByteArray::number(sink.Port()));
  BoxAnswer answer(QMessageBox::Ok);
  QTimer::singleShot(0, [this] { Send(); });  // pressed again while the first send handles events
  Send();
  QApplication::processEvents();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(answer.text, QStringLiteral("Your question was sent."));
  EXPECT_EQ(answer.icon, QMessageBox::Information);
  EXPECT_EQ(sink.Received(), 1);
  EXPECT_EQ(Fields(), kFilled);
  EXPECT_EQ(State().PageMode, 3);
}

TEST_F(QuestionFormTest, FailedSendSaysSoInThePacksWordsAndKeepsTheForm) {
  // The pack's words, or English where it has none; the server's own detail follows.
  QFile russian(QStringLiteral(LUMORA_RUSSIAN_PACK));
  ASSERT_TRUE(russian.open(QIODevice::ReadOnly));
  const struct {
    QByteArray packExtra;
    const char* opening;
    const char* details;
  } packs[] = {
      {{}, "Your question was not sent.", "Details: The mail was not sent"},
      {russian.readAll(), "Ваш вопрос не отправлен.", "Подробности: The mail was not sent"},
  };
  for (const auto& pack : packs) {
    SCOPED_TRACE(pack.opening);
    Open("smtp://127.0.0.1:" + QByteArray::number(FreeLoopbackPort()), pack.packExtra);  // nobody listens there
    BoxAnswer answer(QMessageBox::Ok);
    Send();
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(answer.icon, QMessageBox::Critical);
    EXPECT_TRUE(answer.text.startsWith(QString::fromUtf8(pack.opening))) << answer.text.toStdString();
    EXPECT_TRUE(answer.text.contains(QString::fromUtf8(pack.details))) << answer.text.toStdString();
  }
  EXPECT_EQ(Fields(), kFilled);
}

// Closing the window while a silent server is awaited gives up the send at
// once and shows nothing more.
TEST_F(QuestionFormTest, ClosingWhileSendingAbandonsItQuietly) {
  QTcpServer silent;  // takes the connection and never answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  Open("smtp://127.0.0.1:" + QByteArray::number(silent.serverPort()));
  BoxAnswer answer(QMessageBox::Ok);
  QTimer::singleShot(100, manager_.get(), [this] { manager_->RequestQuit(); });
  Send();
  EXPECT_TRUE(State().QuitRequested);
  QApplication::processEvents();
  EXPECT_EQ(answer.shown, 0) << answer.text.toStdString();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QuestionFormTest, ClearAsksFirstAndKeepsTheSystemInformation) {
  Open("smtp://127.0.0.1:1");
  {
    BoxAnswer answer(QMessageBox::No);
    emit Ui().Commander[1]->Click();
    EXPECT_EQ(answer.text, QStringLiteral("Clear the form?"));
    EXPECT_EQ(Fields(), kFilled);
  }
  BoxAnswer answer(QMessageBox::Yes);
  emit Ui().Commander[1]->Click();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(Fields(), (QStringList{QString(), QString(), QString(), QString(), QStringLiteral("CPU: test")}));
}

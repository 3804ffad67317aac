#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTcpServer>
#include <QTimer>

#include "app/temp_install.h"
#include "support/smtp_sink.h"

using namespace lumora;

namespace {

// Answers each message box from the event loop, and keeps its text.
struct BoxAnswer {
  explicit BoxAnswer(QMessageBox::StandardButton answer) {
    QObject::connect(&poll, &QTimer::timeout, [this, answer] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        icon = box->icon();
        ++shown;
        box->button(answer)->click();
      }
    });
    poll.start(20);
  }
  QTimer poll;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int shown = 0;
};

// The question form filled in, mailing to the port named.
class QuestionFormTest : public TempInstall {
 protected:
  void Open(quint16 port, const QByteArray& packExtra = {}) {
    Write("Help/English.qlp", "lang1 = Your question was sent.\r\nlang2 = Clear the form?\r\n" + packExtra);
    Write("registry.conf", "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU: test\n"
                           "ExpertIndex=3\nSupportDomain=support.example\nMailServer=smtp://127.0.0.1:" +
                               QByteArray::number(port) + "\n");
    Start(" -lmr");
    for (size_t i = 0; i < 4; ++i) Ui().TextBox[i]->SetText(kFilled[static_cast<int>(i)]);
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
  Open(sink.Port());
  BoxAnswer answer(QMessageBox::Ok);
  QTimer::singleShot(0, [this] { Send(); });  // pressed again while the first send handles events
  Send();
  QApplication::processEvents();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(answer.text, QStringLiteral("Your question was sent."));
  EXPECT_EQ(answer.icon, QMessageBox::Information);
  EXPECT_EQ(sink.Received(), 1);
  EXPECT_EQ(Fields(), kFilled);
}

// The pack's words, or English where it has none; the server's own detail follows.
TEST_F(QuestionFormTest, FailedSendSaysSoInThePacksWordsAndKeepsTheForm) {
  QFile russian(QStringLiteral(LUMORA_RUSSIAN_PACK));
  ASSERT_TRUE(russian.open(QIODevice::ReadOnly));
  const struct { QByteArray packExtra; const char *opening, *details; } packs[] = {
      {{}, "Your question was not sent.", "Details: The mail was not sent"},
      {russian.readAll(), "Ваш вопрос не отправлен.", "Подробности: The mail was not sent"},
  };
  for (const auto& pack : packs) {
    Open(FreeLoopbackPort(), pack.packExtra);  // nobody listens there
    BoxAnswer answer(QMessageBox::Ok);
    Send();
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(answer.icon, QMessageBox::Critical);
    EXPECT_TRUE(answer.text.startsWith(Q(pack.opening)) && answer.text.contains(Q(pack.details)))
        << answer.text.toStdString();
  }
  EXPECT_EQ(Fields(), kFilled);
}

// Closing the window while a silent server is awaited gives up the send at
// once and shows nothing more.
TEST_F(QuestionFormTest, ClosingWhileSendingAbandonsItQuietly) {
  QTcpServer silent;  // takes the connection and never answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  Open(silent.serverPort());
  BoxAnswer answer(QMessageBox::Ok);
  QTimer::singleShot(100, manager_.get(), [this] { manager_->RequestQuit(); });
  Send();
  EXPECT_TRUE(State().QuitRequested);
  QApplication::processEvents();
  EXPECT_EQ(answer.shown, 0) << answer.text.toStdString();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QuestionFormTest, ClearAsksFirstAndKeepsTheSystemInformation) {
  Open(1);
  for (auto reply : {QMessageBox::No, QMessageBox::Yes}) {
    BoxAnswer answer(reply);
    emit Ui().Commander[1]->Click();
    EXPECT_EQ(answer.text, QStringLiteral("Clear the form?"));
    EXPECT_EQ(Fields()[0].isEmpty(), reply == QMessageBox::Yes);
  }
  EXPECT_EQ(Fields(), (QStringList{{}, {}, {}, {}, QStringLiteral("CPU: test")}));
}

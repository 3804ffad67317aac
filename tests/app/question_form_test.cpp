#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QFile>
#include <QMessageBox>
#include <QTcpServer>
#include <QTimer>

#include "app/manager.h"
#include "app/manager_sub.h"
#include "app/temp_install.h"
#include "settings/platform_facts.h"
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

class QuestionFormTest : public TempInstall {
 protected:
  void Start(const QByteArray& mailServer, const QByteArray& packExtra = {}) {
    Write(QStringLiteral("Help/English.qlp"), "lang1 = Your question was sent.\r\nlang2 = Clear the form?\r\n" + packExtra);
    Write(QStringLiteral("registry.conf"),
          "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nLMRCPUInfo=CPU: test\nExpertIndex=3\n"
          "MailServer=" + mailServer + "\nSupportDomain=support.example\n");
    manager_ = std::make_unique<app::Manager>(&owner_);
    ASSERT_TRUE(manager_->Load(Pack() + QStringLiteral(" -lmr")));
    auto& boxes = manager_->Ui().TextBox;
    const char* texts[] = {"Ann Example", "ann@example.com", "Printing", "How do I print?"};
    for (size_t i = 0; i < 4; ++i) boxes[i]->SetText(QString::fromLatin1(texts[i]));
  }

  QStringList Fields() const {
    QStringList fields;
    for (const auto* box : manager_->Ui().TextBox) fields << box->Text();
    return fields;
  }

  app::ManagerSub owner_;
  std::unique_ptr<app::Manager> manager_;
};

const QStringList kFilled{QStringLiteral("Ann Example"), QStringLiteral("ann@example.com"), QStringLiteral("Printing"),
                          QStringLiteral("How do I print?"), QStringLiteral("CPU: test")};

}  // namespace

TEST_F(QuestionFormTest, SendPressedAgainWhileSendingIsIgnored) {
  SmtpSink sink;
  ASSERT_TRUE(sink.Ready());
  Start("smtp://127.0.0.1:" + QByteArray::number(sink.Port()));
  BoxAnswer answer(QMessageBox::Ok);
  // The second press arrives while the first send handles events.
  QTimer::singleShot(0, [this] { emit manager_->Ui().Commander[0]->Click(); });
  emit manager_->Ui().Commander[0]->Click();
  QApplication::processEvents();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(answer.icon, QMessageBox::Information) << answer.text.toStdString();
  EXPECT_EQ(sink.Received(), 1);
}

TEST_F(QuestionFormTest, SendMailsTheQuestionAndConfirmsIt) {
  SmtpSink sink;
  ASSERT_TRUE(sink.Ready());
  Start("smtp://127.0.0.1:" + QByteArray::number(sink.Port()));
  BoxAnswer answer(QMessageBox::Ok);
  emit manager_->Ui().Commander[0]->Click();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(answer.text, QStringLiteral("Your question was sent."));
  EXPECT_EQ(answer.icon, QMessageBox::Information);
  ASSERT_EQ(sink.Received(), 1);
  EXPECT_EQ(sink.File(1, "rcpt"), QByteArray("lumora3@support.example\n"));
  EXPECT_TRUE(sink.File(1, "subject").startsWith("(Question ID="));
  EXPECT_TRUE(sink.File(1, "subject").endsWith(") Printing"));
  EXPECT_EQ(sink.File(1, "body"),
            QByteArray("Ann Example\r\nann@example.com\r\n\r\nHow do I print?\r\n\r\nCPU: test\r\n"));
  EXPECT_EQ(Fields(), kFilled);  // the form is not cleared after sending
  EXPECT_EQ(manager_->State().PageMode, 3);
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
    Start("smtp://127.0.0.1:" + QByteArray::number(FreeLoopbackPort()), pack.packExtra);  // nobody listens there
    BoxAnswer answer(QMessageBox::Ok);
    emit manager_->Ui().Commander[0]->Click();
    EXPECT_EQ(answer.shown, 1);
    EXPECT_EQ(answer.icon, QMessageBox::Critical);
    EXPECT_TRUE(answer.text.startsWith(QString::fromUtf8(pack.opening))) << answer.text.toStdString();
    EXPECT_TRUE(answer.text.contains(QString::fromUtf8(pack.details))) << answer.text.toStdString();
  }
  EXPECT_EQ(Fields(), kFilled);
  // The toolbar keeps the question page's state: no history or printing.
  EXPECT_FALSE(manager_->Ui().ToolButton[0]->Enabled());
  EXPECT_FALSE(manager_->Ui().ToolButton[7]->Enabled());
}

// Closing the window while a silent server is awaited gives up the send at
// once and shows nothing more.
TEST_F(QuestionFormTest, ClosingWhileSendingAbandonsItQuietly) {
  QTcpServer silent;  // takes the connection and never answers
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
  Start("smtp://127.0.0.1:" + QByteArray::number(silent.serverPort()));
  BoxAnswer answer(QMessageBox::Ok);
  QTimer::singleShot(100, manager_.get(), [this] { manager_->RequestQuit(); });
  emit manager_->Ui().Commander[0]->Click();
  EXPECT_TRUE(manager_->State().QuitRequested);
  QApplication::processEvents();
  EXPECT_EQ(answer.shown, 0) << answer.text.toStdString();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QuestionFormTest, ClearAsksFirstAndKeepsTheSystemInformation) {
  Start("smtp://127.0.0.1:1");
  {
    BoxAnswer answer(QMessageBox::No);
    emit manager_->Ui().Commander[1]->Click();
    EXPECT_EQ(answer.text, QStringLiteral("Clear the form?"));
    EXPECT_EQ(Fields(), kFilled);
  }
  BoxAnswer answer(QMessageBox::Yes);
  emit manager_->Ui().Commander[1]->Click();
  EXPECT_EQ(answer.shown, 1);
  EXPECT_EQ(Fields(), (QStringList{QString(), QString(), QString(), QString(), QStringLiteral("CPU: test")}));
}

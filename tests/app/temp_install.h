#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/manager.h"
#include "app/manager_sub.h"

inline QString Q(const char* text) { return QString::fromUtf8(text); }

// A help folder, program folder and registry store of the test's own, named by the override variables.
class TempInstall : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.path();
    Write("Help/English.qlp", "lang1 = Sent\r\n");
    Write("Help/index.html", "<html><body>Home</body></html>");
    Write("registry.conf", "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n"
                           "LMRCPUInfo=\"CPU: test</b>RAM: 1 GB</b></b>end\"\n");
    QDir().mkpath(Path("share/lumora"));
    qputenv("LUMORA_APP_DIR", Path("share/lumora").toUtf8());
    qputenv("LUMORA_SYSTEM_DIR", Path("share").toUtf8());
    qputenv("LUMORA_REGISTRY", Path("registry.conf").toUtf8());
  }
  static constexpr const char* kVariables[] = {"LUMORA_APP_DIR", "LUMORA_SYSTEM_DIR", "LUMORA_REGISTRY"};
  void TearDown() override {
    manager_.reset();  // before its owner window and the variables go
    for (const char* name : kVariables) qunsetenv(name);
  }

  QString Path(const char* relative) const { return root_ + u'/' + Q(relative); }
  void Write(const char* relative, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(Path(relative)).absolutePath());
    QFile file(Path(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  void Start(const char* switches = "") {
    manager_.reset();
    manager_ = std::make_unique<lumora::app::Manager>(&owner_);
    ASSERT_TRUE(manager_->Load(Path("help/english.qlp") + Q(switches)));
  }
  lumora::layout::Composition& Ui() { return manager_->Ui(); }
  const lumora::app::AppState& State() const { return manager_->State(); }

  QTemporaryDir dir_;
  QString root_;
  lumora::app::ManagerSub owner_;
  std::unique_ptr<lumora::app::Manager> manager_;
};

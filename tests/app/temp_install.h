#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "app/manager.h"
#include "app/manager_sub.h"

// A help folder, program folder and registry store of the test's own, named
// to the program through the override variables.
class TempInstall : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.path();
    Write(QStringLiteral("Help/English.qlp"), "lang1 = Sent\r\n");
    Write(QStringLiteral("Help/index.html"), "<html><body>Home</body></html>");
    Write(QStringLiteral("registry.conf"),
          "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n"
          "LMRCPUInfo=\"CPU: test</b>RAM: 1 GB</b></b>end\"\n");
    QDir().mkpath(root_ + QStringLiteral("/share/lumora"));
    qputenv("LUMORA_APP_DIR", (root_ + QStringLiteral("/share/lumora")).toUtf8());
    qputenv("LUMORA_SYSTEM_DIR", (root_ + QStringLiteral("/share")).toUtf8());
    qputenv("LUMORA_REGISTRY", (root_ + QStringLiteral("/registry.conf")).toUtf8());
  }

  void TearDown() override {
    manager_.reset();  // before its owner window and the variables go
    qunsetenv("LUMORA_APP_DIR");
    qunsetenv("LUMORA_SYSTEM_DIR");
    qunsetenv("LUMORA_REGISTRY");
  }

  // Writes a file below the test's folder, making its folders.
  void Write(const QString& relativePath, const QByteArray& bytes) const {
    const QString path = root_ + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QString Pack() const { return root_ + QStringLiteral("/help/english.qlp"); }

  // Starts the program on the test's pack, the switches following it.
  void Start(const QString& switches = {}) {
    manager_ = std::make_unique<lumora::app::Manager>(&owner_);
    ASSERT_TRUE(manager_->Load(Pack() + switches));
  }
  lumora::layout::Composition& Ui() { return manager_->Ui(); }
  const lumora::app::AppState& State() const { return manager_->State(); }

  QTemporaryDir dir_;
  QString root_;
  lumora::app::ManagerSub owner_;
  std::unique_ptr<lumora::app::Manager> manager_;
};

#pragma once

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/manager.h"
#include "app/manager_sub.h"
#include "core/text.h"
#include "support/test_files.h"

inline QString Q(const char* text) { return QString::fromUtf8(text); }

// A help folder, program folder and registry store of the test's own, named by the override variables.
class TempInstall : public testing::Test {
 protected:
  static constexpr const char* kVariables[] = {"LUMORA_APP_DIR", "LUMORA_SYSTEM_DIR", "LUMORA_REGISTRY"};
  void SetUp() override {
    Write("Help/English.qlp", "lang1 = Sent\r\n");
    Write("Help/index.html", "<html><body>Home</body></html>");
    Write("registry.conf", "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\n"
                           "LMRCPUInfo=\"CPU: test</b>RAM: 1 GB</b></b>end\"\n");
    const char* const places[] = {"share/lumora", "share", "registry.conf"};
    for (size_t i = 0; i < 3; ++i) qputenv(kVariables[i], Path(places[i]).toUtf8());
  }
  void TearDown() override {
    manager_.reset();  // before its owner window and the variables go
    for (const char* name : kVariables) qunsetenv(name);
  }

  QString Path(const char* relative) const { return root_ + u'/' + Q(relative); }
  // A page as the browser reports it.
  QString Lower(const char* relative) const { return lumora::core::AnsiLower(Path(relative)); }
  void Write(const char* relative, const QByteArray& bytes) const { ASSERT_TRUE(WriteFile(Path(relative), bytes)); }
  void Start(const char* switches = "") {
    manager_.reset();
    manager_ = std::make_unique<lumora::app::Manager>(&owner_);
    ASSERT_TRUE(manager_->Load(Path("help/english.qlp") + Q(switches)));
  }
  bool WaitForPage(QString url) { return QTest::qWaitFor([&] { return Pages().History().CurrentUrl() == url; }, 20000); }
  lumora::layout::Composition& Ui() { return manager_->Ui(); }
  const lumora::app::PageController& Pages() const { return manager_->Pages(); }

  QTemporaryDir dir_;
  const QString root_ = dir_.path();
  lumora::app::ManagerSub owner_;
  std::unique_ptr<lumora::app::Manager> manager_;
};

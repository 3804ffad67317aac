#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "platform/browser_view.h"

// Every test program runs without a display, with a real QApplication so
// widgets, fonts and screens behave as in the program.
int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  lumora::platform::PrepareBrowserEngine();
  // What a test's user chooses never reaches the real user's settings.
  const QTemporaryDir configuration, data;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
  qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

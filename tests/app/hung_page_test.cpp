#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "app/manager.h"
#include "app/manager_sub.h"
#include "app/temp_install.h"
#include "platform/text.h"
#include <QWebEngineView>

using namespace lumora;

// A page whose script never ends must not take the program with it. This
// runs in a process of its own, since the hung page stays hung.
class HungPageTest : public TempInstall {};

TEST_F(HungPageTest, ProgramKeepsRunningBesideAPageThatLoopsForever) {
  Write(QStringLiteral("Help/loop.html"),
        "<html><body><h1>Loop</h1><script>document.title = 'looping'; for (;;) {}</script></body></html>");
  app::ManagerSub owner;
  app::Manager manager(&owner);
  ASSERT_TRUE(manager.Load(Pack()));
  const QString home = platform::AnsiLower(root_ + QStringLiteral("/Help/index.html"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return manager.State().CurrentUrl == home; }, 20000));

  const QString loop = platform::AnsiLower(root_ + QStringLiteral("/Help/loop.html"));
  ASSERT_TRUE(manager.Pages().NavigateTo(true, loop));
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(50);
  QTest::qWait(3000);
  EXPECT_GT(ticks, 20);  // the window's own events keep flowing

  manager.Pages().SwitchPage(app::PageController::pageQuestion);
  EXPECT_EQ(manager.State().PageMode, 3);
  manager.Pages().SwitchPage(app::PageController::pageContents);

  // The page never completed, so it is not in the history; the view is still
  // busy with it, so the way home is open although home is the last page.
  EXPECT_EQ(manager.State().History.Count(), 1);
  EXPECT_EQ(manager.State().CurrentUrl, home);
  ASSERT_TRUE(manager.Ui().WebBrowser[0]->Busy());
  EXPECT_TRUE(manager.Pages().NavigateTo(false, QString()));
  platform::BrowserView* browser = manager.Ui().WebBrowser[0];
  // Home is shown again, and recorded once.
  EXPECT_TRUE(QTest::qWaitFor([&] { return manager.State().History.Count() == 2 && !browser->Busy(); }, 60000));
  EXPECT_EQ(platform::AnsiLower(browser->View()->url().toLocalFile()), home);
  EXPECT_EQ(manager.State().History.At(0, 1), home);
  QTest::qWait(500);
  EXPECT_EQ(manager.State().History.Count(), 2);
}

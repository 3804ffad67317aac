#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include "app/temp_install.h"
#include "platform/text.h"

using namespace lumora;

// A page whose script never ends must not take the program with it. This
// runs in a process of its own, since the hung page stays hung.
class HungPageTest : public TempInstall {};

TEST_F(HungPageTest, ProgramKeepsRunningBesideAPageThatLoopsForever) {
  Write("Help/loop.html", "<html><body><script>document.title = 'looping'; for (;;) {}</script></body></html>");
  Start();
  const QString home = platform::AnsiLower(Path("Help/index.html"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return State().CurrentUrl == home; }, 20000));
  ASSERT_TRUE(manager_->Pages().NavigateTo(true, platform::AnsiLower(Path("Help/loop.html"))));
  int ticks = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
  tick.start(50);
  QTest::qWait(3000);
  EXPECT_GT(ticks, 20);  // the window's own events keep flowing
  manager_->Pages().SwitchPage(app::PageController::pageQuestion);
  EXPECT_EQ(State().PageMode, 3);

  // The page never completed, so it is not in the history; the view is still
  // busy with it, so the way home is open although home is the last page.
  EXPECT_EQ(State().History.Count(), 1);
  platform::BrowserView* browser = Ui().WebBrowser[0];
  ASSERT_TRUE(browser->Busy());
  EXPECT_TRUE(manager_->Pages().NavigateTo(false, QString()));
  // Home is shown again, and recorded once.
  EXPECT_TRUE(QTest::qWaitFor([&] { return State().History.Count() == 2 && !browser->Busy(); }, 60000));
  EXPECT_EQ(platform::AnsiLower(browser->View()->url().toLocalFile()), home);
  EXPECT_EQ(State().History.At(0, 1), home);
  QTest::qWait(500);
  EXPECT_EQ(State().History.Count(), 2);
}

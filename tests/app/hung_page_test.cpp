#include <chrono>

#include "app/temp_install.h"

using namespace lumora;

// A page whose script never ends, in a process of its own since the hung page stays hung.
using HungPageTest = TempInstall;

TEST_F(HungPageTest, ProgramKeepsRunningBesideAPageThatLoopsForever) {
  Write("Help/loop.html", "<script>document.title = 'looping'; for (;;) {}</script>");
  Start();
  ASSERT_TRUE(WaitForPage(Lower("Help/index.html")) && manager_->Pages().NavigateTo(true, Lower("Help/loop.html")));
  const auto before = std::chrono::steady_clock::now();
  QTest::qWait(3000);  // the window's own events keep flowing
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
  manager_->Pages().Show(layout::Page::Question);
  // Never completed, so not in the history; the view still busy with it, so the way home is open.
  platform::BrowserView* browser = Ui().WebBrowser[0];
  ASSERT_TRUE(browser->Busy());
  EXPECT_TRUE(manager_->Pages().NavigateTo(false, QString()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Pages().History().Pages().Count() == 2 && !browser->Busy(); }, 60000));
  EXPECT_EQ(Pages().History().Pages().PageAt(1), Lower("Help/index.html"));
  QTest::qWait(500);
  EXPECT_EQ(Pages().History().Pages().Count(), 2);
}

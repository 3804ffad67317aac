#include <gtest/gtest.h>

#include "app/help_tool.h"
#include "app/temp_install.h"

namespace {

class HelpToolTest : public TempInstall {
 protected:
  int Run(const char* command, const QStringList& more = {}) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_), err(&err_);
    return lumora::app::RunHelpTool(QStringList{Q(command), Path("Help")} + more, out, err);
  }
  // A tab, the page's real path and the line's end.
  QString At(const char* page) const { return QLatin1Char('\t') + Path("Help/") + Q(page) + QLatin1Char('\n'); }

  QString out_, err_;
};

}  // namespace

TEST_F(HelpToolTest, IndexAndSearchPrintWhatTheWindowLists) {
  Write("Help/index.html", "<o:Subject>Welcome</o:Subject> print");
  Write("Help/Using/Print-2.html", "<o:Subject>Printing</o:Subject> print print");
  Write("Help/Using/Tabs.html", "<o:Subject>Tabs\t&amp; a & b\r\nwrapped</o:Subject>");
  ASSERT_EQ(Run("index"), 0);
  // Subjects as the index shows them, without the doubled "&", on one line.
  EXPECT_EQ(out_, u"welcome\tindex" + At("index.html") + u"printing\tprint" + At("Using/Print-2.html") +
                      u"tabs and a & b  wrapped\ttabs" + At("Using/Tabs.html"));
  ASSERT_EQ(Run("search", {QStringLiteral("PRINT")}), 0);
  EXPECT_EQ(out_, u"printing\t3" + At("Using/Print-2.html") + u"welcome\t1" + At("index.html"));
}

TEST_F(HelpToolTest, CheckReportsWhatAuthorsShouldMend) {
  Write("Help/index.html", "<o:Subject>Home</o:Subject><a href=\"ask_class.html\">ask</a>");
  Write("Help/twin.html", "<o:Subject>Home</o:Subject>");
  Write("Help/bare.html", "<title>No subject</title>");
  Write("Help/empty.html", "");
  EXPECT_EQ(Run("check"), 1);
  for (const QString& line : QStringList{u"no subject" + At("bare.html"), u"unreadable" + At("empty.html"),
                              u"ask_class link" + At("index.html"), QStringLiteral("duplicate subject\thome\t")})
    EXPECT_TRUE(out_.contains(line)) << line.toStdString();
  Write("Help/bare.html", "<o:Subject>Bare</o:Subject>");
  EXPECT_EQ(Run("check"), 1);  // the empty page still cannot be read
  Write("Help/empty.html", "<o:Subject>Filled</o:Subject>");
  EXPECT_EQ(Run("check"), 0);
}

TEST_F(HelpToolTest, WrongCommandLinesAreRefused) {
  QTextStream out(&out_), err(&err_);
  for (const QStringList& arguments : {QStringList{}, QStringList{QStringLiteral("index")}})
    EXPECT_EQ(lumora::app::RunHelpTool(arguments, out, err), 2);
  EXPECT_EQ(Run("search"), 2);
  EXPECT_EQ(Run("list"), 2);
  EXPECT_EQ(lumora::app::RunHelpTool({QStringLiteral("index"), Path("nowhere")}, out, err), 2);
  EXPECT_TRUE(err_.contains(QStringLiteral("no such folder")));
}

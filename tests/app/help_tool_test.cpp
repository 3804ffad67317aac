#include <gtest/gtest.h>

#include "app/help_tool.h"
#include "app/temp_install.h"

using namespace lumora;

namespace {

class HelpToolTest : public TempInstall {
 protected:
  int Run(const QStringList& arguments) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    return app::RunHelpTool(arguments, out, err);
  }
  QString Folder() const { return root_ + QStringLiteral("/Help"); }
  QString Real(const QString& relative) const { return root_ + QLatin1Char('/') + relative; }

  QString out_;
  QString err_;
};

}  // namespace

TEST_F(HelpToolTest, IndexAndSearchPrintWhatTheWindowLists) {
  Write(QStringLiteral("Help/index.html"), "<o:Subject>Welcome</o:Subject> print");
  Write(QStringLiteral("Help/Using/Print-2.html"), "<o:Subject>Printing</o:Subject> print print");
  Write(QStringLiteral("Help/Using/Tabs.html"), "<o:Subject>Tabs\t&amp; a & b\r\nwrapped</o:Subject>");
  ASSERT_EQ(Run({QStringLiteral("index"), Folder()}), 0);
  // Subjects as the index shows them, without the doubled "&", on one line.
  EXPECT_EQ(out_, QStringLiteral("welcome\tindex\t") + Real(QStringLiteral("Help/index.html")) +
                      QStringLiteral("\nprinting\tprint\t") + Real(QStringLiteral("Help/Using/Print-2.html")) +
                      QStringLiteral("\ntabs and a & b  wrapped\ttabs\t") + Real(QStringLiteral("Help/Using/Tabs.html")) +
                      QStringLiteral("\n"));
  ASSERT_EQ(Run({QStringLiteral("search"), Folder(), QStringLiteral("PRINT")}), 0);
  EXPECT_EQ(out_, QStringLiteral("printing\t3\t") + Real(QStringLiteral("Help/Using/Print-2.html")) +
                      QStringLiteral("\nwelcome\t1\t") + Real(QStringLiteral("Help/index.html")) + QStringLiteral("\n"));
}

TEST_F(HelpToolTest, CheckReportsWhatAuthorsShouldMend) {
  Write(QStringLiteral("Help/index.html"), "<o:Subject>Home</o:Subject><a href=\"ask_class.html\">ask</a>");
  Write(QStringLiteral("Help/twin.html"), "<o:Subject>Home</o:Subject>");
  Write(QStringLiteral("Help/bare.html"), "<title>No subject</title>");
  Write(QStringLiteral("Help/empty.html"), "");
  EXPECT_EQ(Run({QStringLiteral("check"), Folder()}), 1);
  EXPECT_TRUE(out_.contains(QStringLiteral("no subject\t") + Real(QStringLiteral("Help/bare.html"))));
  EXPECT_TRUE(out_.contains(QStringLiteral("unreadable\t") + Real(QStringLiteral("Help/empty.html"))));
  EXPECT_TRUE(out_.contains(QStringLiteral("ask_class link\t") + Real(QStringLiteral("Help/index.html"))));
  EXPECT_TRUE(out_.contains(QStringLiteral("duplicate subject\thome\t")));

  Write(QStringLiteral("Help/bare.html"), "<o:Subject>Bare</o:Subject>");
  EXPECT_EQ(Run({QStringLiteral("check"), Folder()}), 1);  // the empty page still cannot be read
  Write(QStringLiteral("Help/empty.html"), "<o:Subject>Filled</o:Subject>");
  EXPECT_EQ(Run({QStringLiteral("check"), Folder()}), 0);
}

TEST_F(HelpToolTest, WrongCommandLinesAreRefused) {
  EXPECT_EQ(Run({}), 2);
  EXPECT_EQ(Run({QStringLiteral("index")}), 2);
  EXPECT_EQ(Run({QStringLiteral("search"), Folder()}), 2);
  EXPECT_EQ(Run({QStringLiteral("list"), Folder()}), 2);
  EXPECT_EQ(Run({QStringLiteral("index"), root_ + QStringLiteral("/nowhere")}), 2);
  EXPECT_TRUE(err_.contains(QStringLiteral("no such folder")));
}

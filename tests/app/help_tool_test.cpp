#include <gtest/gtest.h>

#include "app/help_tool.h"
#include "app/temp_install.h"

namespace {

class HelpToolTest : public TempInstall {
 protected:
  int Run(const QStringList& arguments) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    return lumora::app::RunHelpTool(arguments, out, err);
  }
  QString Folder() const { return root_ + QStringLiteral("/Help"); }
  // A tab, the page's real path and what ends the line.
  QString At(const char* relative, const char* after = "\n") const {
    return QLatin1Char('\t') + root_ + QStringLiteral("/Help/") + QLatin1String(relative) + QLatin1String(after);
  }

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
  EXPECT_EQ(out_, QStringLiteral("welcome\tindex") + At("index.html") + QStringLiteral("printing\tprint") +
                      At("Using/Print-2.html") + QStringLiteral("tabs and a & b  wrapped\ttabs") +
                      At("Using/Tabs.html"));
  ASSERT_EQ(Run({QStringLiteral("search"), Folder(), QStringLiteral("PRINT")}), 0);
  EXPECT_EQ(out_,
            QStringLiteral("printing\t3") + At("Using/Print-2.html") + QStringLiteral("welcome\t1") + At("index.html"));
}

TEST_F(HelpToolTest, CheckReportsWhatAuthorsShouldMend) {
  Write(QStringLiteral("Help/index.html"), "<o:Subject>Home</o:Subject><a href=\"ask_class.html\">ask</a>");
  Write(QStringLiteral("Help/twin.html"), "<o:Subject>Home</o:Subject>");
  Write(QStringLiteral("Help/bare.html"), "<title>No subject</title>");
  Write(QStringLiteral("Help/empty.html"), "");
  EXPECT_EQ(Run({QStringLiteral("check"), Folder()}), 1);
  for (const QString& line :
       QStringList{QStringLiteral("no subject") + At("bare.html"), QStringLiteral("unreadable") + At("empty.html"),
                   QStringLiteral("ask_class link") + At("index.html"), QStringLiteral("duplicate subject\thome\t")})
    EXPECT_TRUE(out_.contains(line)) << line.toStdString();

  Write(QStringLiteral("Help/bare.html"), "<o:Subject>Bare</o:Subject>");
  EXPECT_EQ(Run({QStringLiteral("check"), Folder()}), 1);  // the empty page still cannot be read
  Write(QStringLiteral("Help/empty.html"), "<o:Subject>Filled</o:Subject>");
  EXPECT_EQ(Run({QStringLiteral("check"), Folder()}), 0);
}

TEST_F(HelpToolTest, WrongCommandLinesAreRefused) {
  for (const QStringList& arguments :
       {QStringList{}, QStringList{QStringLiteral("index")}, QStringList{QStringLiteral("search"), Folder()},
        QStringList{QStringLiteral("list"), Folder()}})
    EXPECT_EQ(Run(arguments), 2) << arguments.join(QLatin1Char(' ')).toStdString();
  EXPECT_EQ(Run({QStringLiteral("index"), root_ + QStringLiteral("/nowhere")}), 2);
  EXPECT_TRUE(err_.contains(QStringLiteral("no such folder")));
}

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace lumora::content {

// What a help author needs to mend in a help set, found by reading every page.
struct HelpSetCheck {
  struct BrokenLink {
    QString page;    // the path on disk of the page that holds the link
    int line = 0;    // its line in that page, from 1
    QString target;  // as written in the page
    QString reason;  // "no such page", "no such place", "outside the help set"
  };
  struct SharedSubject {
    QString subject;
    QStringList pages;
  };
  int pages = 0;
  std::vector<BrokenLink> brokenLinks;
  QStringList unreadable;
  // Pages that no link from the home page reaches and the index does not list.
  QStringList unreached;
  std::vector<SharedSubject> sharedSubjects;
  QStringList questionLinks;  // pages with a link that opens the question form
};

// Reads every page below the help folder (".html" and ".htm") and follows
// their links: a link to a file that does not exist (letter case ignored, as
// the window opens it), to a place ("#name") the target page has no id or
// name for, or out of the help folder is broken; links with a scheme
// ("https:", "mailto:") are the desktop's and are not followed. The home
// page is the folder's index.html.
HelpSetCheck CheckHelpSet(const QString& helpFolder);

}  // namespace lumora::content

#pragma once

#include <QString>
#include <optional>

#include "app/history.h"

namespace lumora::app {

// The reader's way through the help set, without a widget or a browser: the
// page shown, the history, and the rules of what starts a load, what a load
// that ends records, and what the toolbar's steps and printing may do. The
// page controller asks it and carries its answers out on the view.
class Navigation final {
 public:
  struct Buttons {
    bool back = false, forward = false, print = false, preview = false;
    bool operator==(const Buttons&) const = default;
  };
  // What a load that ended asks for next.
  struct Completion {
    bool question = false;    // a question link: show the question form, and load `back` again
    QString back;             // the page that held the link, in the browser's letters
    bool fromSearch = false;  // the page opened from the search list arrived
  };

  // A request to show a page (a path in its own letters): the path the view
  // is to load, none when that page is shown already and the view is idle
  // (a page given in other letters is another file and loads).
  std::optional<QString> Request(const QString& given, bool viewBusy);
  // The same for a page opened from a list; one from the search list is
  // marked so that its arrival says so.
  std::optional<QString> Open(const QString& target, bool fromSearch, bool viewBusy);
  // Back (-1) or Forward (+1) by steps entries: the page to load, none when
  // there is no entry that way or it is the page shown (which records
  // nothing then, and lets the next page be recorded).
  std::optional<QString> Step(int steps, bool viewBusy);
  // The view ended a load of url (its title as the view has it).
  Completion Completed(const QString& url, const QString& title);
  // Loads the page shown again, as no new step; false when there is nothing
  // to reload (the question form, no page yet, a load under way).
  bool BeginReload(bool questionShown, bool viewBusy);
  // The question form shows no page: nothing to step from or to print.
  Buttons ButtonsFor(bool questionShown) const;
  void Clear() { *this = Navigation(); }

  const History& Pages() const { return history_; }
  // The last page the view reported, lower case; "" before the first.
  const QString& CurrentUrl() const { return currentUrl_; }
  // The same page in the browser's letters.
  const QString& CurrentPage() const { return currentPage_; }

 private:
  History history_;
  QString currentUrl_;
  QString currentPage_;
  QString searchTarget_;  // the page opened from the search list, lower case, until it arrives
};

}  // namespace lumora::app

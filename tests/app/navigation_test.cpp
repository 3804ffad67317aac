#include <gtest/gtest.h>

#include <QStringList>

#include "app/navigation.h"

using lumora::app::Navigation;

namespace {

// A reader's steps, each a word: a page name is a page the view loads (a link followed, or a page handed over), "+x"
// opens x from a list (the view loads it unless it is shown), "*x" the same from the search list, "<" and ">" press
// Back and Forward, "<2" chooses the second page of the Back list, "@" follows a question link, "?" and "!" show the
// question form and go back to a page, "^" reloads, "~" makes the view busy with a load that never ends.
// The result: the history (lower case) with the position in brackets, what the toolbar may do (< Back, > Forward,
// P print and preview, - for each that may not), what the view was asked to load, and the pages that arrived from
// the search.
QString Walk(const char* steps) {
  Navigation nav;
  bool question = false, busy = false;
  QStringList loads, fromSearch;
  const auto load = [&](const std::optional<QString>& page) {
    if (!page) return;
    loads << *page;
    busy = false;
    const Navigation::Completion done = nav.Completed(*page, QString());
    if (done.fromSearch) fromSearch << *page;
    if (done.question) {
      question = true;
      if (const auto back = nav.Request(done.back, busy)) {
        loads << *back;
        nav.Completed(*back, QString());
      }
    }
  };
  for (const QString& step : QString::fromLatin1(steps).split(u' ', Qt::SkipEmptyParts)) {
    if (step.startsWith(u'<') || step.startsWith(u'>'))
      load(nav.Step((step.size() > 1 ? step.mid(1).toInt() : 1) * (step[0] == u'<' ? -1 : 1), busy));
    else if (step.contains(u':')) {  // "*x:y": x opened from the search list, and y arrives instead
      loads << *nav.Open(step.mid(1, step.indexOf(u':') - 1), true, busy);
      if (nav.Completed(step.section(u':', 1), QString()).fromSearch) fromSearch << step.section(u':', 1);
    } else if (step.startsWith(u'+') || step.startsWith(u'*')) load(nav.Open(step.mid(1), step[0] == u'*', busy));
    else if (step == u'@') load(QStringLiteral("ask_class.html"));
    else if (step == u'?' || step == u'!') question = step == u'?';
    else if (step == u'^' && nav.BeginReload(question, busy)) load(nav.Pages().Shown());
    else if (step == u'~') busy = true;
    else if (step != u'^') load(step);
  }
  QStringList entries;
  for (int i = 0; i < nav.Pages().Count(); ++i)
    entries << (i == nav.Pages().Position() ? u'[' + nav.Pages().PageAt(i) + u']' : nav.Pages().PageAt(i));
  const Navigation::Buttons can = nav.ButtonsFor(question);
  return entries.join(u' ') + u' ' + (can.back ? u'<' : u'-') + (can.forward ? u'>' : u'-') +
         (can.print && can.preview ? u'P' : u'-') + u" | " + loads.join(u' ') + u" | " + fromSearch.join(u' ');
}

}  // namespace

TEST(Navigation, FollowsTheReadersSteps) {
  const char* const cases[][2] = {
      {"a b c", "a b [c] <-P | a b c | "},
      {"a b c < <", "[a] b c ->P | a b c b a | "},         // Back twice
      {"a b c < < >", "a [b] c <>P | a b c b a b | "},    // and Forward
      {"a b c <2", "[a] b c ->P | a b c a | "},            // the second page of the Back list: two steps at once
      {"a b < x", "a [x] <-P | a b a x | "},               // a new page after Back drops what lay ahead
      {"a b c < x <", "a [b] x <>P | a b c b x b | "},     // Back then returns to the page the reader came from
      {"a b < < < > > >", "a [b] <-P | a b a b | "},       // steps past either end do nothing
      // A question link shows the form with no step or print, and loads the page that held it again, which is
      // recorded again; before the end of the history, that drops what lay ahead.
      {"a b @", "a b [b] --- | a b ask_class.html b | "},
      {"a b c < < @", "a [a] --- | a b c b a ask_class.html a | "},
      {"a b @ !", "a b [b] <-P | a b ask_class.html b | "},  // leaving the form: the buttons come back
      {"@", " --- | ask_class.html | "},                      // a link on no page: nothing to go back to
      {"a b ?", "a [b] --- | a b | "}, {"a b ? ^", "a [b] --- | a b | "},  // nothing to reload on the form
      // The page shown starts nothing when opened again; in other letters it is another file.
      {"a +a", "[a] --P | a | "}, {"A +a", "[a] --P | A | "}, {"A +A", "[a] --P | A | "}, {"a +A", "a [a] <-P | a A | "},
      {"a ~ +a", "a [a] <-P | a a | "},                      // unless the view is busy with another page
      {"a b +b <", "[a] b ->P | a b a | "},
      // A Back step to the same page recorded twice starts nothing, and the next page is recorded.
      {"a b @ ! < c", "a b [c] <-P | a b ask_class.html b c | "},
      {"a b ^", "a [b] <-P | a b b | "},                     // a reload records nothing
      // The search list's page says it came from the search when it arrives, and only then.
      {"a *b", "a [b] <-P | a b | b"}, {"a *a", "[a] --P | a | "}, {"a *b +c", "a b [c] <-P | a b c | b"},
      {"a *b:c", "a [c] <-P | a b | "},  // another page arrived first: the search's page is no longer awaited
  };
  for (const auto& [steps, expected] : cases) EXPECT_EQ(Walk(steps), QString::fromLatin1(expected)) << steps;
}

TEST(Navigation, TheBackAndForwardListsNameEachPageByItsTitleElseItsFileName) {
  Navigation nav;
  for (const auto& [page, title] : {std::pair{"/h/a.html", "Alpha"}, {"/h/sub/b.html", ""}, {"/h/c.html", "Gamma"}})
    nav.Completed(QString::fromLatin1(page), QString::fromLatin1(title));
  const auto& pages = nav.Pages();  // Back's list, nearest first, then Forward's
  const auto lists = [&] { return (pages.TitlesAhead(-1) << QString(u'/') << pages.TitlesAhead(1)).join(u'|'); };
  EXPECT_EQ(lists(), QStringLiteral("b.html|Alpha|/"));
  nav.Completed(*nav.Step(-2, false), QStringLiteral("Alpha"));
  EXPECT_EQ(lists(), QStringLiteral("/|b.html|Gamma"));
  EXPECT_EQ(pages.PageAt(-1) + pages.PageAt(3), QString());  // outside the history: no page
}

#include <gtest/gtest.h>

#include <QStringList>

#include "app/history.h"

using lumora::app::History;

namespace {

// A reader's steps: a capital opens that page (or has it handed over), "b" and "f" step Back and Forward,
// "q" follows a question link (its page shows again), "r" reloads, "=" steps to the page already shown.
QString Walk(const char* steps) {
  History history;
  for (const QString& step : QString::fromLatin1(steps).split(u' ', Qt::SkipEmptyParts)) {
    if (step == u'b' || step == u'f' || step == u'=') {
      const std::optional<QString> page = history.BeginStep(step == u'f' ? 1 : -1);
      if (page && step == u'=') history.EndUnrecorded();
      if (page && step != u'=') history.Completed(*page, *page);
    } else if (step == u'q' || step == u'r') {
      if (step == u'r') history.BeginUnrecorded();
      history.Completed(history.Shown(), history.Shown());
    } else {
      history.Completed(step, step);
    }
  }
  QStringList entries;
  for (int i = 0; i < history.Count(); ++i) entries << (i == history.Position() ? u'[' + history.PageAt(i) + u']' : history.PageAt(i));
  return entries.join(u' ') + (history.CanGoBack() ? u" <" : u" -") + (history.CanGoForward() ? u'>' : u'-');
}

}  // namespace

TEST(History, BackReturnsToThePageTheReaderCameFrom) {
  const char* const cases[][2] = {
      {"A B C", "A B [C] <-"},
      {"A B C b b", "[A] B C ->"},        // Back twice
      {"A B C b b f", "A [B] C <>"},      // and Forward
      {"A B b X", "A [X] <-"},            // a new page after Back drops what lay ahead
      {"A B C b b X", "A [X] <-"},        // after Back twice too
      {"A B C b X b", "A [B] X <>"},      // Back then returns to the page the reader came from
      {"A B q", "A B [B] <-"},            // a question link at the end records its page again
      {"A B C b b q", "A [A] <-"},        // and before the end drops what lay ahead
      {"A B r", "A [B] <-"},              // showing a page again records nothing
      {"A B = C", "A [C] <-"},            // a step that starts nothing: the next page is recorded
      {"A B b b b f f f", "A [B] <-"},    // steps past either end do nothing
  };
  for (const auto& [steps, expected] : cases) EXPECT_EQ(Walk(steps), QString::fromLatin1(expected)) << steps;
}

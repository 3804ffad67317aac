#include "app/navigation.h"

#include "core/text.h"

namespace lumora::app {

std::optional<QString> Navigation::Request(const QString& given, bool viewBusy) {
  const QString target = core::AnsiLower(given);
  // The page already shown is not loaded again, unless the view is still
  // busy with another one (a page that never finishes loading, say). A path
  // given in its own letters names that file, which may differ from the one
  // shown only in letter case.
  const bool shown = target == currentUrl_ && (given == target || given == currentPage_);
  if (shown && !viewBusy) return std::nullopt;
  return given;
}

std::optional<QString> Navigation::Open(const QString& target, bool fromSearch, bool viewBusy) {
  searchTarget_ = fromSearch ? core::AnsiLower(target) : QString();
  std::optional<QString> load = Request(target, viewBusy);
  if (!load) searchTarget_.clear();
  return load;
}

std::optional<QString> Navigation::Step(int steps, bool viewBusy) {
  const std::optional<QString> target = history_.BeginStep(steps);
  if (!target) return std::nullopt;
  std::optional<QString> load = Request(*target, viewBusy);
  // A step to the page already shown starts nothing; the next page the
  // user reaches must still be recorded.
  if (!load) history_.EndUnrecorded();
  return load;
}

Navigation::Completion Navigation::Completed(const QString& url, const QString& title) {
  const QString page = core::AnsiLower(url);
  Completion done;
  done.fromSearch = !searchTarget_.isEmpty() && page == searchTarget_;
  searchTarget_.clear();
  if (page.contains(QLatin1String("ask_class"))) {
    // The link opens the question form; the view goes back to the page that
    // held the link, which loads again (and is recorded again).
    done.question = true;
    done.back = history_.Shown();
    currentUrl_.clear();
    return done;
  }
  history_.Completed(page, url);
  history_.SetShownTitle(title);
  currentUrl_ = page;
  currentPage_ = url;
  return done;
}

bool Navigation::BeginReload(bool questionShown, bool viewBusy) {
  if (questionShown || currentUrl_.isEmpty() || viewBusy) return false;
  history_.BeginUnrecorded();
  return true;
}

Navigation::Buttons Navigation::ButtonsFor(bool questionShown) const {
  if (questionShown) return {};
  return {history_.CanGoBack(), history_.CanGoForward(), true, true};
}

}  // namespace lumora::app

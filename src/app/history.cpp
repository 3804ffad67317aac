#include "app/history.h"

namespace lumora::app {

void History::Completed(const QString& page, const QString& reported) {
  if (unrecorded_) {
    unrecorded_ = false;
    return;
  }
  if (!entries_.empty()) {
    entries_.resize(static_cast<size_t>(position_) + 1);
    ++position_;
  }
  entries_.push_back({page, reported, {}});
}

std::optional<QString> History::BeginStep(int delta) {
  const int target = position_ + delta;
  if (target < 0 || target >= Count()) return std::nullopt;
  position_ = target;
  unrecorded_ = true;
  return Shown();
}

void History::Clear() { *this = History(); }

QString History::PageAt(int entry) const {
  return entry >= 0 && entry < Count() ? entries_[static_cast<size_t>(entry)].page : QString();
}

QString History::Shown() const {
  if (position_ >= Count()) return {};
  const Entry& entry = entries_[static_cast<size_t>(position_)];
  return entry.reported.isEmpty() ? entry.page : entry.reported;
}

void History::SetShownTitle(const QString& title) {
  if (position_ < Count()) entries_[static_cast<size_t>(position_)].title = title;
}

QStringList History::TitlesAhead(int direction) const {
  QStringList titles;
  for (int entry = position_ + direction; entry >= 0 && entry < Count(); entry += direction) {
    const Entry& at = entries_[static_cast<size_t>(entry)];
    titles << (at.title.isEmpty() ? at.page.mid(at.page.lastIndexOf(u'/') + 1) : at.title);
  }
  return titles;
}

}  // namespace lumora::app

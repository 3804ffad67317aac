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
  entries_.push_back({page, reported});
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

}  // namespace lumora::app

#include "core/string_table.h"

#include <utility>

namespace lumora::core {

QString StringTable::At(int field, int entry) const {
  if (field < 0 || field >= fields_ || !HasEntry(entry)) return {};
  return entries_[static_cast<size_t>(entry)][static_cast<size_t>(field)];
}

void StringTable::Set(int field, int entry, const QString& value) {
  if (field < 0 || field >= fields_ || !HasEntry(entry)) return;
  entries_[static_cast<size_t>(entry)][static_cast<size_t>(field)] = value;
}

void StringTable::Reset() {
  entries_.assign(1, std::vector<QString>(static_cast<size_t>(fields_)));
}

int StringTable::Grow() {
  if (!entries_.back().front().isEmpty()) return Append();
  return LastIndex();
}

int StringTable::Append() {
  entries_.emplace_back(static_cast<size_t>(fields_));
  return LastIndex();
}

void StringTable::Truncate(int count) {
  if (count >= 1 && count < Count()) entries_.resize(static_cast<size_t>(count));
}

void StringTable::Reorder(const std::vector<int>& order) {
  if (order.size() != entries_.size()) return;
  std::vector<std::vector<QString>> reordered;
  reordered.reserve(entries_.size());
  for (const int from : order) reordered.push_back(std::move(entries_[static_cast<size_t>(from)]));
  entries_ = std::move(reordered);
}

}  // namespace lumora::core

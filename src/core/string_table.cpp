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

}  // namespace lumora::core

#pragma once

#include <QString>
#include <vector>

namespace lumora::core {

// A two-dimensional table of texts addressed as (field, entry), grown one
// entry at a time. The grow rule: before a new entry is written into the last
// position, the table gains an entry only when field 0 of its last entry is
// not empty, so a table whose only entry is still empty is filled in place.
class StringTable final {
 public:
  explicit StringTable(int fields) : fields_(fields < 1 ? 1 : fields) { Reset(); }

  int Fields() const { return fields_; }
  int Count() const { return static_cast<int>(entries_.size()); }
  int LastIndex() const { return Count() - 1; }
  bool HasEntry(int entry) const { return entry >= 0 && entry < Count(); }

  // "" for a field or entry outside the table.
  QString At(int field, int entry) const;
  // Writes inside the table only; a write outside it is dropped.
  void Set(int field, int entry, const QString& value);

  // Back to one entry of empty fields.
  void Reset();
  // Applies the grow rule; returns the index of the entry to write.
  int Grow();
  // Adds one empty entry unconditionally; returns its index.
  int Append();

 private:
  int fields_;
  std::vector<std::vector<QString>> entries_;
};

}  // namespace lumora::core

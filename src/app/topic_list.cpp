#include "app/topic_list.h"

#include <QStringList>

#include "content/topic_index.h"

namespace lumora::app {
namespace {

int RowOfEntry(const core::StringTable& table, int entry) {
  int row = 0;
  for (int e = 0; e < entry; ++e)
    if (!table.At(0, e).isEmpty()) ++row;
  return row;
}

}  // namespace

int EntryOfRow(const core::StringTable& table, int row) {
  if (row < 0) return -1;
  for (int entry = 0; entry < table.Count(); ++entry)
    if (!table.At(0, entry).isEmpty() && row-- == 0) return entry;
  return -1;
}

void SortKeepingSelection(core::StringTable& table, controls::ComplexList& list, ListOrder& order, int field) {
  const int selected = EntryOfRow(table, list.ListIndex());
  QStringList fields;
  if (selected >= 0)
    for (int f = 0; f < table.Fields(); ++f) fields.append(table.At(f, selected));
  order = {field, order.field == field && !order.reversed};
  content::SortTable(table, true, field, order.reversed);
  list.Submit_Data_Array(table, 1);
  if (selected < 0) return;
  for (int entry = 0; entry < table.Count(); ++entry) {
    bool same = true;
    for (int f = 0; f < fields.size() && same; ++f) same = table.At(f, entry) == fields[f];
    if (same) {
      list.SetListIndex(RowOfEntry(table, entry));
      return;
    }
  }
}

QString PageOfEntry(const core::StringTable& table, int entry) {
  if (!table.HasEntry(entry) || table.At(content::indexPath, entry).isEmpty()) return {};
  const QString real = table.At(content::indexRealPath, entry);
  return real.isEmpty() ? table.At(content::indexPath, entry) : real;
}

void SetCaptionKeepingRight(platform::Label& label, const QString& caption) {
  const int right = label.Left() + label.Width();
  label.SetCaption(caption);
  label.SetLeft(right - label.Width());
}

}  // namespace lumora::app

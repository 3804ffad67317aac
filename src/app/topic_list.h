#pragma once

#include "controls/complex_list.h"
#include "core/string_table.h"
#include "platform/label.h"

namespace lumora::app {

// How a list of topics was last sorted by a click on a column title.
struct ListOrder {
  int field = -1;  // the column title last clicked; -1: none since the list was filled
  bool reversed = false;
};

// Sorts table by field (a second click on the same title turns the order
// round) and shows it in list, the selection following its entry.
void SortKeepingSelection(core::StringTable& table, controls::ComplexList& list, ListOrder& order, int field);

// The table's entry that a list row shows: the list leaves out entries
// without a subject, so rows and entries can differ. -1 for none.
int EntryOfRow(const core::StringTable& table, int row);

// The page an entry of the table names, in its real letter case where the
// index found it; "" for no entry.
QString PageOfEntry(const core::StringTable& table, int entry);

// A count label sits right-aligned beside its pane's edge; a longer count
// must grow it leftwards, not over the pane's drag slider.
void SetCaptionKeepingRight(platform::Label& label, const QString& caption);

}  // namespace lumora::app

#pragma once

#include <vector>

#include "content/topic.h"
#include "controls/complex_list.h"
#include "platform/label.h"

namespace lumora::app {

// How a list of topics was last sorted by a click on a column title.
struct ListOrder {
  int column = -1;  // the column title last clicked; -1: none since the list was filled
  bool reversed = false;
};

// Shows the topics in the list: subject and name key.
void ShowTopics(controls::ComplexList& list, const std::vector<content::Topic>& topics);
// Shows the search hits in the list: subject and number of hits; noneText in
// a row of its own when there are none.
void ShowHits(controls::ComplexList& list, const std::vector<content::SearchHit>& hits, const QString& noneText);

// Sorts the rows by the column clicked (a second click on the same title
// turns the order round) and shows them, the selection following its row.
void SortKeepingSelection(std::vector<content::Topic>& topics, controls::ComplexList& list, ListOrder& order,
                          int column);
void SortKeepingSelection(std::vector<content::SearchHit>& hits, controls::ComplexList& list, ListOrder& order,
                          int column);

// The page of the list's selected row; "" for none.
QString SelectedPage(const std::vector<content::Topic>& topics, const controls::ComplexList& list);
QString SelectedPage(const std::vector<content::SearchHit>& hits, const controls::ComplexList& list);

// A count label sits right-aligned beside its pane's edge; a longer count
// must grow it leftwards, not over the pane's drag slider.
void SetCaptionKeepingRight(platform::Label& label, const QString& caption);

}  // namespace lumora::app

#include "app/topic_list.h"

#include "core/string_table.h"

namespace lumora::app {
namespace {

const QString& PathOf(const content::Topic& topic) { return topic.path; }
const QString& PathOf(const content::SearchHit& hit) { return hit.topic.path; }

void Show(controls::ComplexList& list, const std::vector<content::Topic>& topics) { ShowTopics(list, topics); }
void Show(controls::ComplexList& list, const std::vector<content::SearchHit>& hits) { ShowHits(list, hits, {}); }

template <class Row>
QString PageOfSelected(const std::vector<Row>& rows, const controls::ComplexList& list) {
  const int row = list.ListIndex();
  return row >= 0 && static_cast<size_t>(row) < rows.size() ? PathOf(rows[static_cast<size_t>(row)]) : QString();
}

template <class Row, class Column>
void SortShown(std::vector<Row>& rows, controls::ComplexList& list, ListOrder& order, int column, Column sortBy) {
  const QString page = PageOfSelected(rows, list);
  order = {column, order.column == column && !order.reversed};
  content::SortByColumn(rows, sortBy, order.reversed);
  Show(list, rows);
  if (page.isEmpty()) return;
  for (size_t row = 0; row < rows.size(); ++row)
    if (PathOf(rows[row]) == page) return list.SetListIndex(static_cast<int>(row));
}

}  // namespace

void ShowTopics(controls::ComplexList& list, const std::vector<content::Topic>& topics) {
  core::StringTable cells(2);
  for (const content::Topic& topic : topics) {
    const int row = cells.Grow();
    cells.Set(0, row, topic.subject);
    cells.Set(1, row, topic.nameKey);
  }
  list.Submit_Data_Array(cells, 1);
}

void ShowHits(controls::ComplexList& list, const std::vector<content::SearchHit>& hits, const QString& noneText) {
  core::StringTable cells(2);
  if (hits.empty()) cells.Set(0, 0, noneText);
  for (const content::SearchHit& hit : hits) {
    const int row = cells.Grow();
    cells.Set(0, row, hit.topic.subject);
    cells.Set(1, row, QString::number(hit.hits));
  }
  list.Submit_Data_Array(cells, 1);
}

void SortKeepingSelection(std::vector<content::Topic>& topics, controls::ComplexList& list, ListOrder& order,
                          int column) {
  SortShown(topics, list, order, column, column == 0 ? content::TopicColumn::Subject : content::TopicColumn::NameKey);
}

void SortKeepingSelection(std::vector<content::SearchHit>& hits, controls::ComplexList& list, ListOrder& order,
                          int column) {
  SortShown(hits, list, order, column, column == 0 ? content::HitColumn::Subject : content::HitColumn::Hits);
}

QString SelectedPage(const std::vector<content::Topic>& topics, const controls::ComplexList& list) {
  return PageOfSelected(topics, list);
}

QString SelectedPage(const std::vector<content::SearchHit>& hits, const controls::ComplexList& list) {
  return PageOfSelected(hits, list);
}

void SetCaptionKeepingRight(platform::Label& label, const QString& caption) {
  const int right = label.Left() + label.Width();
  label.SetCaption(caption);
  label.SetLeft(right - label.Width());
}

}  // namespace lumora::app

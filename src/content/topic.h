#pragma once

#include <QString>
#include <vector>

namespace lumora::content {

// A page of the help set as the index lists it.
struct Topic {
  QString subject;  // plain text, as the reader reads it (an "&" is one "&")
  QString nameKey;  // the file name's letters and digits, lower case
  QString path;     // as it is on disk
  bool operator==(const Topic&) const = default;
};

// A page that holds words of a search, and how often it holds them (the
// count the Hits column shows).
struct SearchHit {
  Topic topic;
  long long hits = 0;
  bool operator==(const SearchHit&) const = default;
};

// The columns of the lists a click on a title sorts by.
enum class TopicColumn { Subject, NameKey };
enum class HitColumn { Subject, Hits };

// Sorts stably by one column: texts A to Z ignoring case, hits most first;
// reversed, the other way round, equal rows still in their order.
void SortByColumn(std::vector<Topic>& topics, TopicColumn column, bool reversed);
void SortByColumn(std::vector<SearchHit>& hits, HitColumn column, bool reversed);

}  // namespace lumora::content

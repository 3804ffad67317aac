#pragma once

#include <QString>
#include <vector>

#include "content/string_table.h"
#include "content/topic_index.h"

namespace lumora::content {

// The query's words, lower case, split at every blank after trimming:
//   "  Print  "        -> {"print"}
//   "print  setup"     -> {"print", "", "setup"}   (two blanks: an empty word)
std::vector<QString> SplitQuery(const QString& query);

// How often the words occur in the page's text (lower case, escaped for
// display), overlapping occurrences included: "aa" counts twice in "aaa".
long long ScorePage(const QString& path, const std::vector<QString>& words, const Pump& pump = {});

// The pages of the index with a score above 0: field 0 the subject, field 1
// the score, field 2 the path, highest score first.
StringTable SearchPages(const StringTable& index, const std::vector<QString>& words, const Pump& pump = {});

}  // namespace lumora::content

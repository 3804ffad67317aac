#pragma once

#include <QLocale>
#include <QObject>
#include <vector>

#include "app/busy_window.h"
#include "app/index_page.h"
#include "app/topic_list.h"
#include "content/word_index.h"
#include "layout/composition.h"

namespace lumora::app {

// The search page: the pages holding the words typed, best first (or by
// their number of hits, as the reader chose), with their count; Enter, a
// double click or Display opens the selected one with the words marked.
class SearchPage final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SearchPage)

 public:
  SearchPage(layout::Composition::SearchControls& ui, BusyWindow& busy, const IndexPage& index,
             const settings::LanguagePack& language, QObject* parent = nullptr);

  // A new help set, whose pack's language stems the words.
  void Reset(const QLocale& locale);
  void Run();
  // Reads the pages' words once the window is idle, while the reader types,
  // so that the first search answers from memory; the window stays usable.
  void ReadPageWordsSoon();
  // Display is offered while there is a result to open.
  void UpdateDisplayButton();
  // The words of the last search, for marking them on the page opened.
  const std::vector<QString>& QueryWords() const { return queryWords_; }

 signals:
  void OpenRequested(const QString& page, bool fromSearch);

 private:
  layout::Composition::SearchControls& ui_;
  BusyWindow& busy_;
  const IndexPage& index_;
  const settings::LanguagePack& language_;
  QLocale locale_;
  std::vector<content::SearchHit> results_;
  std::vector<QString> queryWords_{QString()};
  ListOrder order_;
  // The pages' words, read by the first search and kept up to date, so that
  // later searches read only the pages that changed.
  content::WordIndex pageWords_;
  bool readingWords_ = false;   // an update of pageWords_ is under way
  bool searchWaiting_ = false;  // a search was asked for meanwhile
};

}  // namespace lumora::app

#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "platform/browser_view.h"

namespace lumora::app {

// The words of a search, marked where they stand on the page opened from its
// result list: each occurrence in the page's text is wrapped in
// <mark class="lumora-hit"> and the first is scrolled into view.
class SearchMarks final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SearchMarks)

 public:
  explicit SearchMarks(platform::BrowserView& browser, QObject* parent = nullptr);

  // Marks the words (any letter case) on the page shown, named page.
  void Show(const QString& page, const std::vector<QString>& words);
  // Takes the marks off the page shown, if it has any.
  void Clear(const QString& page);
  // Asks the page how many marks it holds. Count() gives the latest answer,
  // CountedPage() the page last marked or cleared before it was asked: the
  // page scripts run in order, so the count is the one after that step.
  void Recount();
  int Count() const { return count_; }
  QString CountedPage() const { return countedPage_; }

  // The page script that marks the words and returns how many it marked.
  static QString MarkScript(const std::vector<QString>& words);

 private:
  platform::BrowserView& browser_;
  QString page_;
  QString countedPage_;
  int count_ = 0;
};

}  // namespace lumora::app

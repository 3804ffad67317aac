#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace lumora::app {

// The window's back and forward history as browsers keep it: the pages shown,
// in order, and the position of the one shown now. A page reached after Back
// steps drops the entries ahead of it and becomes the last, so Back returns to
// the page the reader came from. A Back or Forward step, and a page shown
// again as its file now stands, record nothing. Holds no widget.
class History final {
 public:
  // The view completed a page: lower case, and as the browser reported it.
  void Completed(const QString& page, const QString& reported);
  // Begins a Back (-1) or Forward (+1) step and gives the page to show, in
  // the browser's letters; none when there is no entry that way.
  std::optional<QString> BeginStep(int delta);
  // The next page completed is the one already recorded (a reload) ...
  void BeginUnrecorded() { unrecorded_ = true; }
  // ... or, after all, nothing is loading (the step's page was shown already).
  void EndUnrecorded() { unrecorded_ = false; }
  void Clear();

  bool CanGoBack() const { return position_ >= 1; }
  bool CanGoForward() const { return position_ + 1 < Count(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  int Position() const { return position_; }
  // The page of an entry, lower case; "" for none.
  QString PageAt(int entry) const;
  // The page at the position, in the browser's letters.
  QString Shown() const;
  // The title of the page shown, as the view gives it once the page is there.
  void SetShownTitle(const QString& title);
  // What Back (-1) or Forward (+1) steps reach, the nearest first: each
  // page's title, its file name when it has none.
  QStringList TitlesAhead(int direction) const;

 private:
  struct Entry {
    QString page;
    QString reported;
    QString title;
  };
  std::vector<Entry> entries_;
  int position_ = 0;
  bool unrecorded_ = false;
};

}  // namespace lumora::app

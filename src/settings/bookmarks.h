#pragma once

#include <QString>
#include <vector>

namespace lumora::settings {

// A page the reader keeps: the name shown in the list and the page's path
// inside the help folder ("using/toolbar.html", "/" between folders).
struct Bookmark {
  QString name;
  QString page;
  bool operator==(const Bookmark&) const = default;
};

// The bookmarks one user keeps for one help set, in the user's own data
// folder ($XDG_DATA_HOME/quillmark/lumora/bookmarks/), one file a help set
// named after the pack's real path; never in the machine-wide store.
class Bookmarks {
 public:
  // The file that keeps the bookmarks of the help set whose language pack is
  // packPath (its real path: a link or another spelling finds the same file).
  static QString FileFor(const QString& packPath);

  explicit Bookmarks(QString file) : file_(std::move(file)) {}

  // Reads the file; none yet is an empty list. A file that is not a list of
  // bookmarks is renamed aside ("NAME.damaged", "NAME.damaged-2" ...) so it
  // is never lost, and *note says so; the list is then empty.
  void Load(QString* note);
  // A file that could be neither read nor set aside is never written over.
  // Writes the list whole, through a file beside it renamed over it: a
  // failure leaves the old file as it was. False, with the reason in *error.
  bool Save(QString* error) const;

  const std::vector<Bookmark>& All() const { return list_; }
  // The row of page, or -1.
  int Find(const QString& page) const;
  // Adds page at the end, or keeps the one that is there; returns its row.
  int Add(const QString& page, const QString& name);
  // Inserts a bookmark at row (a removal undone); false when its page is kept already.
  bool Insert(int row, const Bookmark& bookmark);
  // Each false (and nothing changed) for a row out of range.
  bool Remove(int row);
  bool Rename(int row, const QString& name);
  bool Move(int from, int to);

 private:
  QString file_;
  std::vector<Bookmark> list_;
  bool leftAlone_ = false;
};

}  // namespace lumora::settings

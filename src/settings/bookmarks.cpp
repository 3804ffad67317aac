#include "settings/bookmarks.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

namespace lumora::settings {
namespace {

// No list of bookmarks comes near this; a larger file is not one.
constexpr qint64 kMostBytes = 4 << 20;

bool Parse(const QByteArray& bytes, std::vector<Bookmark>& list) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return false;
  const QJsonValue entries = document.object().value(QLatin1String("bookmarks"));
  if (!entries.isArray()) return false;
  for (const QJsonValue& entry : entries.toArray()) {
    const QJsonValue name = entry.toObject().value(QLatin1String("name"));
    const QJsonValue page = entry.toObject().value(QLatin1String("page"));
    // A file edited by hand may be wrong in one entry: it is still set aside
    // whole rather than saved later without that entry.
    if (!name.isString() || !page.isString() || page.toString().isEmpty()) return false;
    const Bookmark bookmark{name.toString(), page.toString()};
    if (std::none_of(list.begin(), list.end(), [&](const Bookmark& b) { return b.page == bookmark.page; }))
      list.push_back(bookmark);
  }
  return true;
}

QString FreeNameBeside(const QString& file) {
  QString aside = file + QStringLiteral(".damaged");
  for (int n = 2; QFileInfo::exists(aside); ++n) aside = file + QStringLiteral(".damaged-") + QString::number(n);
  return aside;
}

}  // namespace

QString Bookmarks::FileFor(const QString& packPath) {
  const QFileInfo pack(packPath);
  const QString real = pack.canonicalFilePath().isEmpty() ? pack.absoluteFilePath() : pack.canonicalFilePath();
  const QByteArray key = QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/quillmark/lumora/bookmarks/") + QString::fromLatin1(key) + QStringLiteral(".json");
}

void Bookmarks::Load(QString* note) {
  list_.clear();
  leftAlone_ = false;
  QFile file(file_);
  if (!file.exists()) return;
  QByteArray bytes;
  bool read = false;
  if (file.open(QIODevice::ReadOnly) && file.size() <= kMostBytes) {
    bytes = file.readAll();
    read = file.error() == QFileDevice::NoError;
  }
  file.close();
  if (read && Parse(bytes, list_)) return;
  list_.clear();
  const QString aside = FreeNameBeside(file_);
  if (QFile::rename(file_, aside)) {
    if (note) *note = QStringLiteral("the bookmarks file %1 could not be read; it was kept as %2").arg(file_, aside);
    return;
  }
  // Neither read nor moved: writing would put the new list over it.
  leftAlone_ = true;
  if (note) *note = QStringLiteral("the bookmarks file %1 could not be read nor set aside; it is left alone").arg(file_);
}

bool Bookmarks::Save(QString* error) const {
  if (leftAlone_) {
    if (error) *error = QStringLiteral("the bookmarks file %1 is left alone: it could not be read").arg(file_);
    return false;
  }
  QJsonArray entries;
  for (const Bookmark& bookmark : list_)
    entries.append(QJsonObject{{QStringLiteral("name"), bookmark.name}, {QStringLiteral("page"), bookmark.page}});
  const QByteArray bytes = QJsonDocument(QJsonObject{{QStringLiteral("bookmarks"), entries}}).toJson();
  if (!QDir().mkpath(QFileInfo(file_).absolutePath())) {
    if (error) *error = QStringLiteral("cannot make the folder of %1").arg(file_);
    return false;
  }
  // The file is the user's own: a file beside it, renamed over it once whole.
  QSaveFile out(file_);
  if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit()) return true;
  if (error) *error = QStringLiteral("cannot write %1: %2").arg(file_, out.errorString());
  return false;
}

int Bookmarks::Find(const QString& page) const {
  const auto found = std::find_if(list_.begin(), list_.end(), [&](const Bookmark& b) { return b.page == page; });
  return found == list_.end() ? -1 : static_cast<int>(found - list_.begin());
}

int Bookmarks::Add(const QString& page, const QString& name) {
  const int kept = Find(page);
  if (kept >= 0) return kept;
  list_.push_back({name, page});
  return static_cast<int>(list_.size()) - 1;
}

bool Bookmarks::Insert(int row, const Bookmark& bookmark) {
  if (row < 0 || row > static_cast<int>(list_.size()) || Find(bookmark.page) >= 0) return false;
  list_.insert(list_.begin() + row, bookmark);
  return true;
}

bool Bookmarks::Remove(int row) {
  if (row < 0 || row >= static_cast<int>(list_.size())) return false;
  list_.erase(list_.begin() + row);
  return true;
}

bool Bookmarks::Rename(int row, const QString& name) {
  if (row < 0 || row >= static_cast<int>(list_.size())) return false;
  list_[static_cast<size_t>(row)].name = name;
  return true;
}

bool Bookmarks::Move(int from, int to) {
  const int count = static_cast<int>(list_.size());
  if (from < 0 || from >= count || to < 0 || to >= count) return false;
  const Bookmark moved = list_[static_cast<size_t>(from)];
  list_.erase(list_.begin() + from);
  list_.insert(list_.begin() + to, moved);
  return true;
}

}  // namespace lumora::settings

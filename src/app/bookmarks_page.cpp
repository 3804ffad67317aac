#include "app/bookmarks_page.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QWebEngineView>
#include <cstdio>

#include "app/language_loader.h"
#include "core/string_table.h"
#include "platform/color.h"
#include "core/files.h"
#include "settings/language_pack.h"
#include "settings/theme.h"

namespace lumora::app {
namespace {

// A label shows "&" as an access-key mark unless it is doubled.
QString Escaped(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

// The file a bookmark's page names, without the place in it.
QString FileOf(const QString& page) {
  const qsizetype hash = page.indexOf(QLatin1Char('#'));
  return hash < 0 ? page : page.left(hash);
}

}  // namespace

BookmarksPage::BookmarksPage(layout::Composition& ui, PageController& pages, controls::SharedSkin skin,
                             const settings::LanguagePack& language, QObject* parent)
    : QObject(parent), ui_(ui), pages_(pages), skin_(std::move(skin)), language_(language) {
  controls::ComplexList* list = ui_.bookmarks.list;
  list->SetRowsMovable(true);
  list->SetKeepFocus(true);
  list->installEventFilter(this);
  connect(list, &controls::ComplexList::DoubleClick, this, [this](int row) { Open(row); });
  connect(list, &controls::ComplexList::RowDragged, this, &BookmarksPage::MoveRow);
  connect(ui_.bookmarks.add, &controls::CommandButton::Click, this, &BookmarksPage::KeepShownPage);
  connect(ui_.bookmarks.open, &controls::CommandButton::Click, this, [this] { Open(ui_.bookmarks.list->ListIndex()); });
  auto* undo = new QShortcut(QKeySequence::Undo, list->window());
  undo->setContext(Qt::WindowShortcut);
  connect(undo, &QShortcut::activated, this, [this] {
    if (pages_.Shown() == layout::Page::Bookmarks) Undo();
  });
}

QString BookmarksPage::PageInFolder(const QString& helpFolder, const QString& page) {
  if (helpFolder.isEmpty() || !page.startsWith(QLatin1Char('/'))) return {};
  const QString file = FileOf(page);
  const QString relative = QDir(helpFolder).relativeFilePath(file);
  if (relative.isEmpty() || relative == QLatin1String(".") || relative.startsWith(QLatin1String("..")) ||
      QDir::isAbsolutePath(relative))
    return {};
  return relative + page.mid(file.size());
}

void BookmarksPage::Load(const QString& packPath) {
  store_ = settings::Bookmarks(settings::Bookmarks::FileFor(packPath));
  QString note;
  store_.Load(&note);
  if (!note.isEmpty()) std::fprintf(stderr, "lumora: %s\n", qUtf8Printable(note));
  Refresh(store_.All().empty() ? -1 : 0);
}

std::vector<bool> BookmarksPage::Missing() const {
  const QString root = QFileInfo(pages_.HelpFolder()).canonicalFilePath();
  std::vector<bool> missing;
  for (const settings::Bookmark& bookmark : store_.All())
    missing.push_back(root.isEmpty() || core::FindHelpFile(root, pages_.HelpFolder() + FileOf(bookmark.page)).kind !=
                                            core::HelpFileKind::Found);
  return missing;
}

void BookmarksPage::Refresh(int select) {
  core::StringTable table(2);
  for (const settings::Bookmark& bookmark : store_.All()) {
    const int entry = table.Grow();
    table.Set(0, entry, bookmark.name);
    table.Set(1, entry, bookmark.page);
  }
  controls::ComplexList* list = ui_.bookmarks.list;
  list->Submit_Data_Array(table, 1);
  list->SetDimmedRows(Missing());
  const int count = static_cast<int>(store_.All().size());
  list->SetListIndex(count == 0 ? -1 : std::clamp(select, 0, count - 1));
  if (count == 0) Say(BookmarkText(language_, bookmarkNoneYet));
}

void BookmarksPage::Say(const QString& text) {
  ui_.bookmarks.status->SetCaption(Escaped(text));
  ui_.bookmarks.status->setAccessibleName(text);
}

void BookmarksPage::Save() {
  QString error;
  if (store_.Save(&error)) return;
  std::fprintf(stderr, "lumora: %s\n", qUtf8Printable(error));
  Say(BookmarkText(language_, bookmarkNotSaved).arg(error));
}

void BookmarksPage::Shown() {
  removed_.clear();
  Say(QString());
  Refresh(ui_.bookmarks.list->ListIndex());
}

void BookmarksPage::KeepShownPage() {
  if (pages_.Shown() == layout::Page::Question) return;
  const QString page = PageInFolder(pages_.HelpFolder(), pages_.History().CurrentPage());
  if (page.isEmpty()) return;
  QString name = ui_.browser->View()->title().simplified();
  // A page without a title is shown by its address; the file name reads better.
  if (name.isEmpty() || name.contains(QLatin1String("://")) || name.startsWith(QLatin1Char('/')))
    name = QFileInfo(FileOf(page)).fileName();
  const bool kept = store_.Find(page) >= 0;
  const int row = store_.Add(page, name);
  if (!kept) Save();
  if (pages_.Shown() != layout::Page::Bookmarks) pages_.Show(layout::Page::Bookmarks);
  Refresh(row);
  const QString saved = ui_.bookmarks.status->Caption();
  if (!saved.isEmpty() && !kept && saved != Escaped(BookmarkText(language_, bookmarkNoneYet))) return;  // the failure to save stands
  Say(BookmarkText(language_, kept ? bookmarkKeptAlready : bookmarkAdded).arg(store_.All()[static_cast<size_t>(row)].name));
}

void BookmarksPage::Open(int row) {
  if (row < 0 || row >= static_cast<int>(store_.All().size())) return;
  const settings::Bookmark& bookmark = store_.All()[static_cast<size_t>(row)];
  const std::vector<bool> missing = Missing();
  ui_.bookmarks.list->SetDimmedRows(missing);
  if (missing[static_cast<size_t>(row)]) {
    Say(BookmarkText(language_, bookmarkPageGone).arg(bookmark.name));
    return;
  }
  Say(QString());
  pages_.NavigateTo(true, pages_.HelpFolder() + bookmark.page);
}

void BookmarksPage::Remove(int row) {
  if (row < 0 || row >= static_cast<int>(store_.All().size())) return;
  const settings::Bookmark bookmark = store_.All()[static_cast<size_t>(row)];
  store_.Remove(row);
  removed_.push_back({row, bookmark});
  Say(BookmarkText(language_, bookmarkRemoved).arg(bookmark.name));
  Save();
  Refresh(row);
}

void BookmarksPage::Undo() {
  if (editor_ || removed_.empty()) return;
  const Removed last = removed_.back();
  removed_.pop_back();
  // Kept again meanwhile (Ctrl+D), the page is not listed twice.
  if (!store_.Insert(std::min<int>(last.row, static_cast<int>(store_.All().size())), last.bookmark)) return;
  Say(QString());
  Save();
  Refresh(store_.Find(last.bookmark.page));
}

void BookmarksPage::MoveRow(int from, int to) {
  if (!store_.Move(from, to)) return;
  Save();
  Refresh(to);
}

void BookmarksPage::StartRename(int row) {
  if (row < 0 || row >= static_cast<int>(store_.All().size()) || editor_) return;
  controls::ComplexList* list = ui_.bookmarks.list;
  const QRect cell = list->RowRect(row);
  editor_ = new QLineEdit(list);
  editor_->setObjectName(QStringLiteral("BookmarkRename"));
  editor_->setAccessibleName(BookmarkText(language_, bookmarkNameColumn));
  const settings::ThemeValues& theme = skin_->theme;
  editor_->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid %3; }")
                             .arg(platform::ToQColor(theme.theme_light).name(), platform::ToQColor(theme.theme_pitch).name(),
                                  platform::ToQColor(theme.theme_high).name()));
  QFont font(theme.theme_text);
  font.setPointSizeF(8.25);
  editor_->setFont(font);
  const int height = std::max(cell.height() + 4, editor_->sizeHint().height());
  editor_->setGeometry(2, cell.center().y() - height / 2, list->width() - 4, height);
  editor_->setText(store_.All()[static_cast<size_t>(row)].name);
  editor_->selectAll();
  editor_->installEventFilter(this);
  editedRow_ = row;
  editor_->show();
  editor_->setFocus(Qt::OtherFocusReason);
}

void BookmarksPage::FinishRename(bool keep, bool backToList) {
  if (!editor_) return;
  QLineEdit* editor = editor_;
  editor_ = nullptr;  // the focus leaving the editor below must not finish it twice
  const QString name = editor->text().simplified();
  editor->removeEventFilter(this);
  // The window closing takes the editor and the list with it: the name typed
  // is still kept, but neither is touched again.
  const bool closing = closing_;
  if (!closing) {
    editor->hide();
    editor->deleteLater();
    if (backToList) ui_.bookmarks.list->setFocus(Qt::OtherFocusReason);
  }
  // An empty name would leave nothing to show; the old one stays.
  if (!keep || name.isEmpty() || !store_.Rename(editedRow_, name)) return;
  Save();
  if (!closing) Refresh(editedRow_);
}

bool BookmarksPage::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (watched == editor_) {
    if (type == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        FinishRename(key != Qt::Key_Escape, true);
        return true;
      }
    } else if (type == QEvent::FocusOut) {
      FinishRename(true, false);
    }
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const int row = ui_.bookmarks.list->ListIndex();
  const bool alt = key->modifiers() & Qt::AltModifier;
  const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
  // The list moves its selection when an arrow is let go; with Alt the row moves instead.
  if (alt && arrow) {
    if (type == QEvent::KeyPress) MoveRow(row, row + (key->key() == Qt::Key_Up ? -1 : 1));
    return true;
  }
  if (type != QEvent::KeyPress) return false;
  if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
    Remove(row);
    return true;
  }
  if (key->key() == Qt::Key_F2 && key->modifiers() == Qt::NoModifier) {
    StartRename(row);
    return true;
  }
  return false;
}

}  // namespace lumora::app

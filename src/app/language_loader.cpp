#include "app/language_loader.h"

#include <QLineEdit>
#include <iterator>

#include "platform/pictures.h"

namespace lumora::app {
namespace {

template <typename Control, typename SetCaption>
void ApplyCaptions(const std::map<int, QString>& captions, const std::vector<Control*>& controls, SetCaption set) {
  for (const auto& [index, caption] : captions)
    if (index >= 0 && index < static_cast<int>(controls.size()) && controls[static_cast<size_t>(index)])
      set(*controls[static_cast<size_t>(index)], caption);
}

struct ToolbarEntry {
  int button;
  int shortText;  // -1: no caption; kBookmarksCaption: the bookmarks page's own
  bool newGroup;
};
constexpr int kBookmarksCaption = -2;

// Button k opens page k + 1 and shows picture k + 2.
constexpr ToolbarEntry kToolbar[] = {{0, 3, false}, {1, -1, false}, {2, 4, true},  {3, 5, false},
                                     {4, 6, false}, {5, 7, false},  {6, kBookmarksCaption, false},
                                     {7, -1, true}, {8, -1, false}};

// A button without a caption is known by its tool tip, to the pointer and
// to screen readers alike.
constexpr std::pair<int, const char*> kToolTips[] = {{1, "Forward (Alt+Right)"},
                                                     {6, "Bookmarks (Ctrl+D keeps the page shown)"},
                                                     {7, "Print (Ctrl+P)"},
                                                     {8, "Print Preview (Ctrl+Shift+P)"}};
// The bookmarks pane's label and buttons, for packs that do not name them.
constexpr std::pair<int, const char*> kBookmarkLabels[] = {{6, "Pages you keep:"}};
constexpr std::pair<int, const char*> kBookmarkButtons[] = {{3, "Add"}, {4, "Display"}};
constexpr const char* kTitleButtonTips[] = {"Change Colour", "Get Help", "Minimize", "Maximize", "Close"};

void SetToolTip(QWidget& widget, const QString& text) {
  if (!text.isEmpty()) widget.setToolTip(text);
}

// A label's caption as the name of the box or list beside it: one line,
// without its access-key marks and closing colon.
QString NameFrom(QString caption) {
  caption.remove(QLatin1Char('&')).replace(QLatin1Char('\r'), QLatin1Char(' '));
  caption = caption.trimmed();
  if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
  return caption;
}

}  // namespace

QString BookmarkText(const settings::LanguagePack& pack, int index) {
  static const char* const kEnglish[] = {"Bookmarks",
                                         "Name",
                                         "Page",
                                         "The page of \"%1\" is no longer in this help set.",
                                         "Removed \"%1\". Ctrl+Z brings it back.",
                                         "Added \"%1\".",
                                         "\"%1\" is kept already.",
                                         "The bookmarks could not be saved: %1",
                                         "No bookmarks yet: Ctrl+D or Add keeps the page shown."};
  return settings::TextOr(pack.Bookmark, index, kEnglish);
}

void ApplyLanguagePack(const settings::LanguagePack& pack, layout::Composition& ui, const QString& appFolder) {
  for (const auto& [index, english] : kBookmarkLabels)
    ui.FrameLabel[static_cast<size_t>(index)]->SetCaption(QString::fromLatin1(english));
  for (const auto& [index, english] : kBookmarkButtons)
    ui.CommandButton[static_cast<size_t>(index)]->SetCaption(QString::fromLatin1(english));
  ApplyCaptions(pack.DiffLabel, ui.DiffLabel, [](platform::Label& l, const QString& c) { l.SetCaption(c); });
  ApplyCaptions(pack.FrameLabel, ui.FrameLabel, [](platform::Label& l, const QString& c) { l.SetCaption(c); });
  ApplyCaptions(pack.CommandButton, ui.CommandButton,
                [](controls::CommandButton& b, const QString& c) { b.SetCaption(c); });
  ApplyCaptions(pack.Commander, ui.Commander, [](platform::PushButton& b, const QString& c) { b.SetCaption(c); });

  const auto& text = pack.ShortText;
  ui.search.results->Setup_Cols_Headers({{text[0], 4}, {text[1], 1}});
  ui.index.topics->Setup_Cols_Headers({{text[2], 3}, {text[10], 1}});
  ui.bookmarks.list->Setup_Cols_Headers({{BookmarkText(pack, bookmarkNameColumn), 3},
                                         {BookmarkText(pack, bookmarkPageColumn), 2}});

  for (const ToolbarEntry& entry : kToolbar) {
    controls::ToolButton* button = ui.ToolButton[static_cast<size_t>(entry.button)];
    const QString caption = entry.shortText == kBookmarksCaption ? BookmarkText(pack, bookmarkCaption)
                            : entry.shortText < 0                ? QString()
                                                                 : text[static_cast<size_t>(entry.shortText)];
    button->ToolProperty(entry.button + 1, caption, entry.button + 2, true, entry.newGroup ? 1 : 0);
  }
  for (const auto& [index, english] : kToolTips)
    ui.ToolButton[static_cast<size_t>(index)]->setToolTip(QString::fromLatin1(english));
  ApplyCaptions(pack.ToolTip, ui.ToolButton, SetToolTip);
  for (size_t i = 0; i < ui.FormControl.size() && i < std::size(kTitleButtonTips); ++i)
    ui.FormControl[i]->setToolTip(QString::fromLatin1(kTitleButtonTips[i]));
  ApplyCaptions(pack.TitleButton, ui.FormControl, SetToolTip);

  ui.busy.box->ControllerProperty(text[9], 0);

  // Screen readers name the boxes and lists by the labels beside them.
  ui.search.query->WrBText->setAccessibleName(NameFrom(ui.search.prompt->Caption()));
  ui.index.lookUp->WrBText->setAccessibleName(NameFrom(ui.index.prompt->Caption()));
  ui.search.results->setAccessibleName(NameFrom(ui.search.resultsTitle->Caption()));
  ui.index.topics->setAccessibleName(NameFrom(text[5]));
  ui.bookmarks.list->setAccessibleName(NameFrom(ui.bookmarks.title->Caption()));
  for (size_t i = 0; i < ui.TextBox.size(); ++i)
    ui.TextBox[i]->FocusWidget()->setAccessibleName(NameFrom(ui.DiffLabel[i + 3]->Caption()));

  ui.question.picture->SetImage(platform::LoadPicture(appFolder + QStringLiteral("data/graphic0.dat")));
  ui.busy.picture->SetImage(platform::LoadPicture(appFolder + QStringLiteral("data/graphic1.dat")));
}

}  // namespace lumora::app

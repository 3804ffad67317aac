#include "app/topics.h"

#include <QApplication>
#include <QTimer>

#include "core/text.h"
#include "content/search.h"
#include "content/topic_index.h"
#include "layout/page_layout.h"
#include "platform/events.h"
#include "settings/language_pack.h"
#include "settings/user_settings.h"

namespace lumora::app {
namespace {

// A count label sits right-aligned beside its pane's edge; a longer count
// must grow it leftwards, not over the pane's drag slider.
void SetCaptionKeepingRight(platform::Label* label, const QString& caption) {
  const int right = label->Left() + label->Width();
  label->SetCaption(caption);
  label->SetLeft(right - label->Width());
}

// A list leaves out entries without a subject, so its rows and the table's
// entries can differ: row -> entry, and back.
int EntryOfRow(const core::StringTable& table, int row) {
  if (row < 0) return -1;
  for (int entry = 0; entry < table.Count(); ++entry)
    if (!table.At(0, entry).isEmpty() && row-- == 0) return entry;
  return -1;
}

int RowOfEntry(const core::StringTable& table, int entry) {
  int row = 0;
  for (int e = 0; e < entry; ++e)
    if (!table.At(0, e).isEmpty()) ++row;
  return row;
}

}  // namespace

Topics::Topics(layout::Composition& ui, AppState& state, std::function<int()> scaleWidth, QObject* parent)
    : QObject(parent), ui_(ui), state_(state), scaleWidth_(std::move(scaleWidth)) {
  // Lets the window paint and take input while the work runs; a close stops it.
  pump_ = [this] {
    QCoreApplication::processEvents();
    return !state_.QuitRequested;
  };
  connect(ui_.search.find, &controls::CommandButton::Click, this, &Topics::RunSearch);
  connect(ui_.search.query, &controls::WriteBox::KeyPressed, this, [this](int keyCode, int) {
    if (keyCode == platform::vbKeyReturn) RunSearch();
  });
  connect(ui_.search.results, &controls::ComplexList::HeaderClick, this, [this](int field) { SortList(0, field); });
  connect(ui_.index.topics, &controls::ComplexList::HeaderClick, this, [this](int field) { SortList(1, field); });
}

void Topics::SetInteractive(bool enabled) {
  if (!enabled && QApplication::focusWidget()) focusBeforeBusy_ = QApplication::focusWidget();
  ui_.toolbarStrip->SetEnabled(enabled);
  for (controls::SimpleBox* box : ui_.SimpleBox) box->SetEnabled(enabled);
  ui_.ExplorerHolder->SetEnabled(enabled);
  if (!enabled || !focusBeforeBusy_) return;
  // Enter in the search box keeps the keyboard there for the next search.
  if (focusBeforeBusy_->isVisible() && focusBeforeBusy_->isEnabled() && !QApplication::focusWidget())
    focusBeforeBusy_->setFocus(Qt::OtherFocusReason);
  focusBeforeBusy_.clear();
}

void Topics::ShowStatusBox(int index) {
  layout::PlaceControllerBoxes(ui_, index, scaleWidth_());
  controls::ControllerBox* box = ui_.ControllerBox[static_cast<size_t>(index)];
  box->raise();
  box->SetVisible(true);
}

void Topics::HideStatusBox(int index) { ui_.ControllerBox[static_cast<size_t>(index)]->SetVisible(false); }

void Topics::BuildTopicIndex() {
  if (!state_.IndexTable.At(0, 0).isEmpty()) return;
  SetInteractive(false);
  ui_.busy.message->SetCaption(settings::LangText(settings::Message::BuildingIndex));
  ShowStatusBox(0);
  if (!content::BuildTopicIndex(state_.HelpFolder, state_.IndexTable, pump_)) return;  // closing
  content::SortForReading(state_.IndexTable, core::PackLocale(state_.Pack));
  ui_.index.topics->Submit_Data_Array(state_.IndexTable, 1);
  // The look-up's choice, the first topic while nothing is typed: Enter and Display open it.
  ui_.index.topics->SetListIndex(content::LookUpEntry(state_.IndexTable, ui_.index.lookUp->Text()));
  SetCaptionKeepingRight(ui_.index.topicCount,
                         settings::LangText(settings::Message::TopicCount) + QLatin1Char(' ') + QString::number(state_.IndexTable.Count()));
  HideStatusBox(0);
  SetInteractive(true);
}

void Topics::ReadPageWordsSoon() {
  QTimer::singleShot(0, this, [this] {
    if (readingWords_ || pageWords_.Pages() > 0 || state_.IndexTable.At(0, 0).isEmpty()) return;
    readingWords_ = true;
    pageWords_.Update(state_.IndexTable, pump_);
    readingWords_ = false;
    if (searchWaiting_ && !state_.QuitRequested) {
      searchWaiting_ = false;
      RunSearch();
    }
  });
}

void Topics::RunSearch() {
  SetInteractive(false);
  ui_.busy.message->SetCaption(settings::LangText(settings::Message::Searching));
  ShowStatusBox(0);
  // The pages are being read: the search follows as soon as they are.
  if (readingWords_) {
    searchWaiting_ = true;
    return;
  }
  state_.QueryWords = content::SplitQuery(ui_.search.query->Text());
  const QString typed = ui_.search.query->Text();
  const QString language = QLocale::languageToString(core::PackLocale(state_.Pack).language());
  const content::Ranking ranking{settings::UserSearchByHits() ? QString() : typed,
                                 content::Relevance::StemmerLanguage(language)};
  readingWords_ = true;
  const bool read = pageWords_.Update(state_.IndexTable, pump_);
  readingWords_ = false;
  if (state_.QuitRequested) return;
  state_.SearchResults = read ? pageWords_.Search(state_.IndexTable, state_.QueryWords, ranking)
                              : core::StringTable(content::kIndexFields);
  controls::ComplexList* list = ui_.search.results;
  if (!state_.SearchResults.At(0, 0).isEmpty()) {
    list->Submit_Data_Array(state_.SearchResults, 1);
    SetCaptionKeepingRight(ui_.search.resultCount, settings::LangText(settings::Message::MatchCount) + QLatin1Char(' ') +
                                                  QString::number(state_.SearchResults.Count()));
  } else {
    state_.NoResultTable.Set(0, 0, settings::LangText(settings::Message::NothingFound));
    list->Submit_Data_Array(state_.NoResultTable, 1);
    SetCaptionKeepingRight(ui_.search.resultCount, settings::LangText(settings::Message::MatchCount) + QStringLiteral(" 0"));
  }
  // A new result starts at its first row, the best match selected.
  list->SetListIndex(0);
  sortedBy_[0] = {};
  HideStatusBox(0);
  UpdateDisplayButton();
  SetInteractive(true);
}

void Topics::UpdateDisplayButton() {
  ui_.search.display->SetEnabled(!state_.SearchResults.At(0, 0).isEmpty());
}

void Topics::SortList(int list, int field) {
  core::StringTable& table = list == 1 ? state_.IndexTable : state_.SearchResults;
  controls::ComplexList* shown = ui_.ComplexList[static_cast<size_t>(list)];
  // The selection follows its entry, wherever the sort moves it.
  const int selected = EntryOfRow(table, shown->ListIndex());
  QStringList fields;
  if (selected >= 0)
    for (int f = 0; f < table.Fields(); ++f) fields.append(table.At(f, selected));
  // A second click on the same title turns the order round.
  SortOrder& order = sortedBy_[static_cast<size_t>(list)];
  order = {field, order.field == field && !order.reversed};
  content::SortTable(table, true, field, order.reversed);
  shown->Submit_Data_Array(table, 1);
  if (selected < 0) return;
  for (int entry = 0; entry < table.Count(); ++entry) {
    bool same = true;
    for (int f = 0; f < fields.size() && same; ++f) same = table.At(f, entry) == fields[f];
    if (same) {
      shown->SetListIndex(RowOfEntry(table, entry));
      return;
    }
  }
}

}  // namespace lumora::app

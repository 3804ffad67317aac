#include "app/search_page.h"

#include <QTimer>

#include "content/search.h"
#include "core/text.h"
#include "platform/events.h"
#include "settings/language_pack.h"
#include "settings/user_settings.h"

namespace lumora::app {

SearchPage::SearchPage(layout::Composition::SearchControls& ui, BusyWindow& busy, const IndexPage& index,
                       const settings::LanguagePack& language, QObject* parent)
    : QObject(parent), ui_(ui), busy_(busy), index_(index), language_(language) {
  connect(ui_.find, &controls::CommandButton::Click, this, &SearchPage::Run);
  connect(ui_.query, &controls::WriteBox::KeyPressed, this, [this](int keyCode, int) {
    if (keyCode == platform::vbKeyReturn) Run();
  });
  // Down leaves the box for the list below it.
  connect(ui_.query, &controls::WriteBox::KeyPressed, this, [this](int keyCode, int) {
    if (keyCode == platform::vbKeyDown) ui_.results->setFocus(Qt::OtherFocusReason);
  });
  connect(ui_.query, &controls::WriteBox::Changed, this,
          [this] { ui_.find->SetEnabled(!core::TrimBlanks(ui_.query->Text()).isEmpty()); });
  const auto open = [this] {
    const QString page = SelectedPage(results_, *ui_.results);
    if (!page.isEmpty()) emit OpenRequested(page, true);
  };
  connect(ui_.display, &controls::CommandButton::Click, this, open);
  connect(ui_.results, &controls::ComplexList::DoubleClick, this, open);
  // "Nothing found" stays as it is.
  connect(ui_.results, &controls::ComplexList::HeaderClick, this, [this](int column) {
    if (!results_.empty()) SortKeepingSelection(results_, *ui_.results, order_, column);
  });
}

void SearchPage::Reset(const QLocale& locale) {
  locale_ = locale;
  results_.clear();
  queryWords_.assign(1, QString());
  order_ = {};
}

void SearchPage::ReadPageWordsSoon() {
  QTimer::singleShot(0, this, [this] {
    if (readingWords_ || pageWords_.Pages() > 0 || index_.Topics().empty()) return;
    readingWords_ = true;
    pageWords_.Update(index_.Topics(), busy_.Pump());
    readingWords_ = false;
    if (searchWaiting_ && !busy_.Stopped()) {
      searchWaiting_ = false;
      Run();
    }
  });
}

void SearchPage::Run() {
  busy_.Begin(language_.Lang(settings::Message::Searching));
  // The pages are being read: the search follows as soon as they are.
  if (readingWords_) {
    searchWaiting_ = true;
    return;
  }
  const QString typed = ui_.query->Text();
  queryWords_ = content::SplitQuery(typed);
  const content::Ranking ranking{settings::UserSearchByHits() ? QString() : typed,
                                 content::Relevance::StemmerLanguage(QLocale::languageToString(locale_.language()))};
  readingWords_ = true;
  const bool read = pageWords_.Update(index_.Topics(), busy_.Pump());
  readingWords_ = false;
  if (busy_.Stopped()) return;
  results_ = read ? pageWords_.Search(index_.Topics(), queryWords_, ranking) : std::vector<content::SearchHit>();
  ShowHits(*ui_.results, results_, language_.Lang(settings::Message::NothingFound));
  SetCaptionKeepingRight(*ui_.resultCount, language_.Lang(settings::Message::MatchCount) + QLatin1Char(' ') +
                                               QString::number(results_.size()));
  // A new result starts at its first row, the best match selected.
  ui_.results->SetListIndex(0);
  order_ = {};
  UpdateDisplayButton();
  busy_.End();
}

void SearchPage::UpdateDisplayButton() { ui_.display->SetEnabled(!results_.empty()); }

}  // namespace lumora::app

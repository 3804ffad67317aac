#include "app/search_page.h"

#include <QTimer>

#include "content/search.h"
#include "core/text.h"
#include "platform/events.h"
#include "settings/language_pack.h"
#include "settings/user_settings.h"

namespace lumora::app {

SearchPage::SearchPage(layout::Composition::SearchControls& ui, BusyWindow& busy, const IndexPage& index,
                       QObject* parent)
    : QObject(parent), ui_(ui), busy_(busy), index_(index) {
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
    const QString page = PageOfEntry(results_, ui_.results->ListIndex());
    if (!page.isEmpty()) emit OpenRequested(page, true);
  };
  connect(ui_.display, &controls::CommandButton::Click, this, open);
  connect(ui_.results, &controls::ComplexList::DoubleClick, this, open);
  connect(ui_.results, &controls::ComplexList::HeaderClick, this,
          [this](int field) { SortKeepingSelection(results_, *ui_.results, order_, field); });
}

void SearchPage::Reset(const QLocale& locale) {
  locale_ = locale;
  results_.Reset();
  queryWords_.assign(1, QString());
  noResult_.Reset();
  order_ = {};
}

void SearchPage::ReadPageWordsSoon() {
  QTimer::singleShot(0, this, [this] {
    if (readingWords_ || pageWords_.Pages() > 0 || index_.Topics().At(0, 0).isEmpty()) return;
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
  busy_.Begin(settings::LangText(settings::Message::Searching));
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
  results_ = read ? pageWords_.Search(index_.Topics(), queryWords_, ranking) : core::StringTable(content::kIndexFields);
  const QString count = settings::LangText(settings::Message::MatchCount) + QLatin1Char(' ');
  if (!results_.At(0, 0).isEmpty()) {
    ui_.results->Submit_Data_Array(results_, 1);
    SetCaptionKeepingRight(*ui_.resultCount, count + QString::number(results_.Count()));
  } else {
    noResult_.Set(0, 0, settings::LangText(settings::Message::NothingFound));
    ui_.results->Submit_Data_Array(noResult_, 1);
    SetCaptionKeepingRight(*ui_.resultCount, count + u'0');
  }
  // A new result starts at its first row, the best match selected.
  ui_.results->SetListIndex(0);
  order_ = {};
  UpdateDisplayButton();
  busy_.End();
}

void SearchPage::UpdateDisplayButton() { ui_.display->SetEnabled(!results_.At(0, 0).isEmpty()); }

}  // namespace lumora::app

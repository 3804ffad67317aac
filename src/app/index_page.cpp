#include "app/index_page.h"

#include "platform/events.h"
#include "settings/language_pack.h"

namespace lumora::app {

IndexPage::IndexPage(layout::Composition::IndexControls& ui, BusyWindow& busy, const settings::LanguagePack& language,
                     QObject* parent)
    : QObject(parent), ui_(ui), busy_(busy), language_(language) {
  connect(ui_.display, &controls::CommandButton::Click, this, [this] { Open(false); });
  connect(ui_.topics, &controls::ComplexList::DoubleClick, this, [this](int) { Open(true); });
  connect(ui_.lookUp, &controls::WriteBox::KeyPressed, this, [this](int keyCode, int) {
    if (keyCode == platform::vbKeyReturn) Open(true);
    if (keyCode == platform::vbKeyDown) ui_.topics->setFocus(Qt::OtherFocusReason);  // to the list below
  });
  // Nothing found selects nothing, so Enter and Display open nothing.
  connect(ui_.lookUp, &controls::WriteBox::Changed, this,
          [this] { ui_.topics->SetListIndex(content::LookUpEntry(topics_, ui_.lookUp->Text())); });
  // Cells are fitted to the list's width.
  connect(ui_.topics, &controls::ComplexList::Resized, this, [this] { ShowTopics(*ui_.topics, topics_); });
  connect(ui_.topics, &controls::ComplexList::HeaderClick, this,
          [this](int column) { SortKeepingSelection(topics_, *ui_.topics, order_, column); });
}

void IndexPage::Reset(const QString& helpFolder, const QLocale& locale) {
  helpFolder_ = helpFolder;
  locale_ = locale;
  topics_.clear();
  built_ = false;
  order_ = {};
}

void IndexPage::Build() {
  if (built_) return;
  busy_.Begin(language_.Lang(settings::Message::BuildingIndex));
  std::optional<std::vector<content::Topic>> built = content::BuildTopicIndex(helpFolder_, busy_.Pump());
  if (!built) return;  // closing
  topics_ = std::move(*built);
  built_ = true;
  content::SortForReading(topics_, locale_);
  ShowTopics(*ui_.topics, topics_);
  // The look-up's choice, the first topic while nothing is typed: Enter and Display open it.
  ui_.topics->SetListIndex(content::LookUpEntry(topics_, ui_.lookUp->Text()));
  SetCaptionKeepingRight(*ui_.topicCount, language_.Lang(settings::Message::TopicCount) + QLatin1Char(' ') +
                                               QString::number(topics_.size()));
  busy_.End();
}

QString IndexPage::FindTopic(const QString& name) {
  return content::FindTopicPage(helpFolder_, name, built_ ? &topics_ : nullptr, busy_.Pump());
}

void IndexPage::Open(bool showSubject) {
  const QString page = SelectedPage(topics_, *ui_.topics);
  if (page.isEmpty()) return;
  if (showSubject) ui_.lookUp->SetText(topics_[static_cast<size_t>(ui_.topics->ListIndex())].subject);
  emit OpenRequested(page, false);
}

}  // namespace lumora::app

#include "app/index_page.h"

#include "platform/events.h"
#include "settings/language_pack.h"

namespace lumora::app {

IndexPage::IndexPage(layout::Composition::IndexControls& ui, BusyWindow& busy, QObject* parent)
    : QObject(parent), ui_(ui), busy_(busy) {
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
  connect(ui_.topics, &controls::ComplexList::Resized, this, [this] { ui_.topics->Submit_Data_Array(topics_, 1); });
  connect(ui_.topics, &controls::ComplexList::HeaderClick, this,
          [this](int field) { SortKeepingSelection(topics_, *ui_.topics, order_, field); });
}

void IndexPage::Reset(const QString& helpFolder, const QLocale& locale) {
  helpFolder_ = helpFolder;
  locale_ = locale;
  topics_.Reset();
  order_ = {};
}

void IndexPage::Build() {
  if (!topics_.At(0, 0).isEmpty()) return;
  busy_.Begin(settings::LangText(settings::Message::BuildingIndex));
  if (!content::BuildTopicIndex(helpFolder_, topics_, busy_.Pump())) return;  // closing
  content::SortForReading(topics_, locale_);
  ui_.topics->Submit_Data_Array(topics_, 1);
  // The look-up's choice, the first topic while nothing is typed: Enter and Display open it.
  ui_.topics->SetListIndex(content::LookUpEntry(topics_, ui_.lookUp->Text()));
  SetCaptionKeepingRight(*ui_.topicCount, settings::LangText(settings::Message::TopicCount) + QLatin1Char(' ') +
                                               QString::number(topics_.Count()));
  busy_.End();
}

QString IndexPage::FindTopic(const QString& name) {
  return content::FindTopicPage(helpFolder_, name, topics_, busy_.Pump());
}

void IndexPage::Open(bool showSubject) {
  const int entry = ui_.topics->ListIndex();
  const QString page = PageOfEntry(topics_, entry);
  if (page.isEmpty()) return;
  if (showSubject) ui_.lookUp->SetText(topics_.At(content::indexSubject, entry));
  emit OpenRequested(page, false);
}

}  // namespace lumora::app

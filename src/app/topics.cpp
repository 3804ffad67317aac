#include "app/topics.h"

#include <QCoreApplication>

#include "content/search.h"
#include "content/topic_index.h"
#include "layout/page_layout.h"
#include "platform/events.h"
#include "settings/language_pack.h"

namespace lumora::app {
Topics::Topics(layout::Composition& ui, AppState& state, std::function<int()> scaleWidth, QObject* parent)
    : QObject(parent), ui_(ui), state_(state), scaleWidth_(std::move(scaleWidth)) {
  // Lets the window paint and take input while the work runs; a close stops it.
  pump_ = [this] {
    QCoreApplication::processEvents();
    return !state_.QuitRequested;
  };
  connect(ui_.CommandButton[0], &controls::CommandButton::Click, this, &Topics::RunSearch);
  connect(ui_.WriteBox[0], &controls::WriteBox::KeyPressed, this, [this](int keyCode, int) {
    if (keyCode == platform::vbKeyReturn) RunSearch();
  });
  connect(ui_.ComplexList[0], &controls::ComplexList::HeaderClick, this, [this](int field) { SortList(0, field); });
  connect(ui_.ComplexList[1], &controls::ComplexList::HeaderClick, this, [this](int field) { SortList(1, field); });
}

void Topics::SetInteractive(bool enabled) {
  ui_.FormHeader[1]->SetEnabled(enabled);
  for (controls::SimpleBox* box : ui_.SimpleBox) box->SetEnabled(enabled);
  ui_.ExplorerHolder->SetEnabled(enabled);
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
  ui_.FrameLabel[5]->SetCaption(settings::LangText(4));
  ShowStatusBox(0);
  if (!content::BuildTopicIndex(state_.HelpFolder, state_.IndexTable, pump_)) return;  // closing
  ui_.ComplexList[1]->Submit_Data_Array(state_.IndexTable, -1, 1);
  ui_.FrameLabel[4]->SetCaption(settings::LangText(3) + QLatin1Char(' ') + QString::number(state_.IndexTable.Count()));
  HideStatusBox(0);
  SetInteractive(true);
}

void Topics::RunSearch() {
  state_.QueryWords = content::SplitQuery(ui_.WriteBox[0]->Text());
  SetInteractive(false);
  ui_.FrameLabel[5]->SetCaption(settings::LangText(5));
  ShowStatusBox(0);
  state_.SearchResults = content::SearchPages(state_.IndexTable, state_.QueryWords, pump_);
  if (state_.QuitRequested) return;
  if (!state_.SearchResults.At(0, 0).isEmpty()) {
    ui_.ComplexList[0]->Submit_Data_Array(state_.SearchResults, -1, 1);
    ui_.FrameLabel[2]->SetCaption(settings::LangText(6) + QLatin1Char(' ') +
                                  QString::number(state_.SearchResults.Count()));
  } else {
    state_.NoResultTable.Set(0, 0, settings::LangText(7));
    ui_.ComplexList[0]->Submit_Data_Array(state_.NoResultTable, -1, 1);
    ui_.FrameLabel[2]->SetCaption(settings::LangText(6) + QStringLiteral(" 0"));
  }
  HideStatusBox(0);
  UpdateDisplayButton();
  SetInteractive(true);
}

void Topics::UpdateDisplayButton() {
  ui_.CommandButton[1]->SetEnabled(!state_.SearchResults.At(0, 0).isEmpty());
}

void Topics::SortList(int list, int field) {
  content::StringTable& table = list == 1 ? state_.IndexTable : state_.SearchResults;
  content::SortTable(table, true, field);
  ui_.ComplexList[static_cast<size_t>(list)]->Submit_Data_Array(table, -1, 1);
}

}  // namespace lumora::app

#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

#include "app/app_state.h"
#include "content/parallel.h"
#include "content/word_index.h"
#include "layout/composition.h"

namespace lumora::app {

// The index and search pages: building the topic index on first use,
// running a search, sorting either list by a column title, and the busy
// state (window disabled, status box in front) around the long loops.
class Topics final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(Topics)

 public:
  // scaleWidth gives the window's inner width, for centring the status box.
  Topics(layout::Composition& ui, AppState& state, std::function<int()> scaleWidth, QObject* parent = nullptr);

  void BuildTopicIndex();
  // Reads the pages' words once the window is idle, while the reader types,
  // so that the first search answers from memory; the window stays usable.
  void ReadPageWordsSoon();
  void RunSearch();
  void UpdateDisplayButton();
  // Disabled, the window lets go of the keyboard; enabled again, the control
  // that had it takes it back.
  void SetInteractive(bool enabled);
  void ShowStatusBox(int index);
  void HideStatusBox(int index);
  // Lets the window paint and take input during long work; false once it closes.
  const core::Pump& Pump() const { return pump_; }

 private:
  void SortList(int list, int field);

  layout::Composition& ui_;
  AppState& state_;
  std::function<int()> scaleWidth_;
  core::Pump pump_;
  // The pages' words, read by the first search and kept up to date, so that
  // later searches read only the pages that changed.
  content::WordIndex pageWords_;
  bool readingWords_ = false;  // an update of pageWords_ is under way
  bool searchWaiting_ = false;  // a search was asked for meanwhile
  QPointer<QWidget> focusBeforeBusy_;
  struct SortOrder {
    int field = -1;  // the column title last clicked; -1: none since the list was filled
    bool reversed = false;
  };
  std::array<SortOrder, 2> sortedBy_{};  // the search results', the index's
};

}  // namespace lumora::app

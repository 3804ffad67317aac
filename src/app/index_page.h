#pragma once

#include <QLocale>
#include <QObject>
#include <vector>

#include "app/busy_window.h"
#include "app/topic_list.h"
#include "content/topic_index.h"
#include "layout/composition.h"
#include "settings/language_pack.h"

namespace lumora::app {

// The index page: every topic of the help set by its subject, built on the
// first visit, in the reading order of the pack's language; the look-up box
// selects the topic typed, and Enter, a double click or Display opens it.
class IndexPage final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(IndexPage)

 public:
  IndexPage(layout::Composition::IndexControls& ui, BusyWindow& busy, const settings::LanguagePack& language,
            QObject* parent = nullptr);

  // A new help set: the index is built again on the next visit.
  void Reset(const QString& helpFolder, const QLocale& locale);
  // Builds the index unless it is built; false when the window closed meanwhile.
  void Build();
  const std::vector<content::Topic>& Topics() const { return topics_; }
  // The page "-topic NAME" names, "" when there is none (see content::FindTopicPage).
  QString FindTopic(const QString& name);

 signals:
  void OpenRequested(const QString& page, bool fromSearch);

 private:
  void Open(bool showSubject);

  layout::Composition::IndexControls& ui_;
  BusyWindow& busy_;
  const settings::LanguagePack& language_;
  QString helpFolder_;
  QLocale locale_;
  std::vector<content::Topic> topics_;
  bool built_ = false;
  ListOrder order_;
};

}  // namespace lumora::app

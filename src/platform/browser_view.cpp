#include "platform/browser_view.h"

#include <QFileInfo>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "platform/files.h"

namespace lumora::platform {

BrowserView::BrowserView(QWidget* parent) : FormElement(parent), view_(new QWebEngineView(this)) {
  connect(view_, &QWebEngineView::loadFinished, this, [this](bool) {
    const QUrl url = view_->url();
    emit NavigateComplete2(url.isLocalFile() ? url.toLocalFile() : url.toString());
  });
  connect(view_, &QWebEngineView::loadStarted, this, &BrowserView::UpdatePageStatus);
}

void BrowserView::Navigate2(const QString& path, int flags) {
  if (flags & (navNoReadFromCache | navNoWriteToCache))
    view_->page()->profile()->setHttpCacheType(QWebEngineProfile::NoCache);
  view_->load(QUrl::fromLocalFile(QFileInfo(ResolvePath(path)).absoluteFilePath()));
}

void BrowserView::OnResize() { view_->setGeometry(rect()); }

}  // namespace lumora::platform

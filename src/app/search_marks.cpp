#include "app/search_marks.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace lumora::app {
namespace {

// Unwraps the marks, joining the text they split.
constexpr char kClearScript[] = R"js((function () {
  var marks = document.querySelectorAll('mark.lumora-hit');
  marks.forEach(function (mark) {
    var parent = mark.parentNode;
    parent.replaceChild(document.createTextNode(mark.textContent), mark);
    parent.normalize();
  });
  return marks.length;
})())js";

// Called with the words as a JSON array. Longer words first, so that a word
// inside another is not marked in its place.
constexpr char kMarkScript[] = R"js((function (words) {
  words = words.filter(function (w) { return w.length > 0; });
  if (!words.length || !document.body) return 0;
  // Marks help on the screen; a printout shows the page as written. A sheet
  // made here is not the page's markup, so the page's own rules cannot refuse it.
  try {
    if (!document.adoptedStyleSheets.some(function (s) { return s.lumoraHits; })) {
      var sheet = new CSSStyleSheet();
      sheet.replaceSync('@media print { mark.lumora-hit { background: none; color: inherit; } }');
      sheet.lumoraHits = true;
      document.adoptedStyleSheets = document.adoptedStyleSheets.concat([sheet]);
    }
  } catch (e) {}  // the marks still help on the screen
  words.sort(function (a, b) { return b.length - a.length; });
  var pattern = new RegExp(words.map(function (w) {
    return w.replace(/[.*+?^${}()|[\]\\\/]/g, '\\$&');
  }).join('|'), 'giu');
  var skipped = /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|TITLE|MARK)$/;
  var walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT, {
    acceptNode: function (node) {
      return skipped.test(node.parentNode.nodeName) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT;
    }
  });
  var nodes = [];
  while (walker.nextNode()) nodes.push(walker.currentNode);
  var count = 0, first = null;
  nodes.forEach(function (node) {
    var text = node.nodeValue, last = 0, found = null, match;
    pattern.lastIndex = 0;
    while ((match = pattern.exec(text)) !== null) {
      found = found || document.createDocumentFragment();
      found.appendChild(document.createTextNode(text.slice(last, match.index)));
      var mark = document.createElement('mark');
      mark.className = 'lumora-hit';
      mark.textContent = match[0];
      found.appendChild(mark);
      first = first || mark;
      ++count;
      last = match.index + match[0].length;
    }
    if (!found) return;
    found.appendChild(document.createTextNode(text.slice(last)));
    node.parentNode.replaceChild(found, node);
  });
  if (first) first.scrollIntoView({block: 'center'});
  return count;
}))js";

constexpr char kCountScript[] = "document.querySelectorAll('mark.lumora-hit').length";

}  // namespace

SearchMarks::SearchMarks(platform::BrowserView& browser, QObject* parent) : QObject(parent), browser_(browser) {}

QString SearchMarks::MarkScript(const std::vector<QString>& words) {
  QJsonArray list;
  for (const QString& word : words) list.append(word);
  return QString::fromLatin1(kMarkScript) + QLatin1Char('(') +
         QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact)) + QLatin1Char(')');
}

void SearchMarks::Show(const QString& page, const std::vector<QString>& words) {
  Clear(page);  // the same page opened again from a newer search
  browser_.View()->page()->runJavaScript(MarkScript(words));
}

void SearchMarks::Clear(const QString& page) {
  page_ = page;
  browser_.View()->page()->runJavaScript(QString::fromLatin1(kClearScript));
}

void SearchMarks::Recount() {
  browser_.View()->page()->runJavaScript(
      QString::fromLatin1(kCountScript), [self = QPointer<SearchMarks>(this), page = page_](const QVariant& result) {
        if (!self) return;
        self->count_ = result.toInt();
        self->countedPage_ = page;
      });
}

}  // namespace lumora::app

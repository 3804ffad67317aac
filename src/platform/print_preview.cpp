#include "platform/print_preview.h"

#include <langinfo.h>

#include <QApplication>
#include <QBuffer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>
#include <cmath>
#include <clocale>
#include <cstdint>
#include <cstring>

namespace lumora::platform {
namespace {

// A preview's pictures together hold no more than this many pixels.
constexpr double kPreviewPixels = 48e6;
constexpr int kLeastDpi = 72;
// Reading a document already in memory; the limit is for a broken one.
constexpr int kLoadWaitMs = 10000;

bool NamesNoLocale(const char* name) {
  return !name || !*name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

}  // namespace

QPageSize PaperOfLocaleName(const QByteArray& name) {
  // language[_territory][.codeset][@modifier]
  const qsizetype underscore = name.indexOf('_');
  if (underscore < 0) return QPageSize(QPageSize::A4);
  QByteArray territory = name.mid(underscore + 1);
  for (const char end : {'.', '@'}) {
    const qsizetype at = territory.indexOf(end);
    if (at >= 0) territory.truncate(at);
  }
  return QPageSize(territory == "US" || territory == "CA" ? QPageSize::Letter : QPageSize::A4);
}

QPageSize LocalePaperSize() {
  // The C library knows the paper of every locale it has (Qt set the
  // locales from the environment at start).
  if (!NamesNoLocale(std::setlocale(LC_PAPER, nullptr))) {
    const auto width = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_WIDTH)));
    const auto height = static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo(_NL_PAPER_HEIGHT)));
    if (width > 0 && height > 0)
      return QPageSize(QSizeF(width, height), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
  }
  // A locale named but not installed still says where the reader is.
  for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
    const QByteArray value = qgetenv(variable);
    if (!value.isEmpty()) return PaperOfLocaleName(value);
  }
  return QPageSize(QPageSize::A4);
}

void ChoosePaper(QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::NativeFormat) {
    const QPrinterInfo printerInfo(printer);
    if (!printerInfo.isNull() && printerInfo.defaultPageSize().isValid()) {
      printer.setPageSize(printerInfo.defaultPageSize());
      return;
    }
  }
  printer.setPageSize(LocalePaperSize());
}

bool PaintPdfPages(const QByteArray& pdf, QPrinter& printer, int dpi) {
  QBuffer buffer;
  buffer.setData(pdf);
  if (!buffer.open(QIODevice::ReadOnly)) return false;
  QPdfDocument document(nullptr);
  document.load(&buffer);
  if (document.status() == QPdfDocument::Status::Loading) {
    QEventLoop wait;
    QObject::connect(&document, &QPdfDocument::statusChanged, &wait, [&wait](QPdfDocument::Status status) {
      if (status != QPdfDocument::Status::Loading) wait.quit();
    });
    QTimer::singleShot(kLoadWaitMs, &wait, &QEventLoop::quit);
    wait.exec();
  }
  const int pages = document.pageCount();
  if (document.status() != QPdfDocument::Status::Ready || pages <= 0) return false;

  double squareInches = 0;
  for (int page = 0; page < pages; ++page) {
    const QSizeF points = document.pagePointSize(page);
    squareInches += points.width() * points.height() / (72.0 * 72.0);
  }
  const double fitting = std::sqrt(kPreviewPixels / std::max(squareInches, 1.0));
  const double resolution = std::max<double>(kLeastDpi, std::min<double>(dpi, fitting));

  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  // The document's pages are whole sheets, margins included; the painter
  // starts at the printable area's corner.
  const QRectF sheet = QRectF(printer.paperRect(QPrinter::DevicePixel))
                           .translated(-printer.pageRect(QPrinter::DevicePixel).topLeft());
  for (int page = 0; page < pages; ++page) {
    if (page > 0 && !printer.newPage()) return false;
    const QSizeF points = document.pagePointSize(page);
    const QSize pixels = (points * resolution / 72.0).toSize().expandedTo(QSize(1, 1));
    const QImage picture = document.render(page, pixels);
    if (picture.isNull()) return false;
    painter.fillRect(sheet, Qt::white);
    painter.drawImage(sheet, picture);
  }
  return painter.end();
}

KeyHold::KeyHold() { qApp->installEventFilter(this); }

KeyHold::~KeyHold() { qApp->removeEventFilter(this); }

void KeyHold::GiveTo(QWidget* widget) {
  qApp->removeEventFilter(this);
  QWidget* target = widget && widget->focusWidget() ? widget->focusWidget() : widget;
  if (!target) return;
  for (auto& key : keys_) QCoreApplication::postEvent(target, key.release());
  keys_.clear();
}

bool KeyHold::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      // Taken where it first arrives (the window), so nothing passes it on.
      if (event->spontaneous()) keys_.emplace_back(static_cast<QKeyEvent*>(event->clone()));
      return true;
    case QEvent::ShortcutOverride:
      event->accept();  // a key that is a window shortcut is held like any other
      return true;
    default: return false;
  }
}

}  // namespace lumora::platform

#pragma once

#include <QByteArray>
#include <QObject>
#include <QPageSize>
#include <memory>
#include <vector>

class QKeyEvent;
class QPrinter;
class QWidget;

namespace lumora::platform {

// The paper of a locale named as in LC_PAPER ("en_US.UTF-8"): Letter in the
// United States and Canada, A4 elsewhere and when no territory is named.
QPageSize PaperOfLocaleName(const QByteArray& name);
// The paper of the reader's locale: what the C library says of LC_PAPER when
// that locale is installed, else what its name says (LC_ALL, LC_PAPER, LANG).
QPageSize LocalePaperSize();
// Gives a print its paper: a real printer's own default, else the locale's.
// Preview and printout start from the same choice.
void ChoosePaper(QPrinter& printer);

// Paints the pages of a PDF document onto the printer, each filling its
// sheet, as pictures of at most `dpi` dots an inch (fewer for long documents,
// so that a preview's pictures stay within a few hundred megabytes). False
// when the bytes are no readable PDF or the printer refuses to paint.
bool PaintPdfPages(const QByteArray& pdf, QPrinter& printer, int dpi);

// Keeps the keys typed while something is being prepared (nothing else sees
// them meanwhile) and hands them to the window that shows it, in order.
class KeyHold final : public QObject {
 public:
  KeyHold();  // holds from now on, for the whole application
  ~KeyHold() override;
  // Posts the held keys to widget's focus widget (or widget) and stops holding.
  void GiveTo(QWidget* widget);
  size_t Held() const { return keys_.size(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<std::unique_ptr<QKeyEvent>> keys_;
};

}  // namespace lumora::platform

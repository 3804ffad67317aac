#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace lumora::platform {
namespace {
QString TitleOr(const QString& title) {
  return title.isEmpty() ? QApplication::applicationDisplayName() : title;
}
}  // namespace

void ShowMessage(QWidget* owner, const QString& text, MessageIcon icon, const QString& title) {
  QMessageBox box(owner);
  box.setWindowTitle(TitleOr(title));
  box.setText(text);
  switch (icon) {
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
  }
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

bool AskYesNo(QWidget* owner, const QString& text, const QString& title) {
  QMessageBox box(owner);
  box.setWindowTitle(TitleOr(title));
  box.setText(text);
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace lumora::platform

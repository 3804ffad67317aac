#include "app/manager_sub.h"

#include <QApplication>

namespace lumora::app {

QString WindowTitle() { return QStringLiteral("Quillmark Lumora - Dynamic Help System"); }

ManagerSub::ManagerSub(QWidget* parent) : QWidget(parent), genLabel_(new platform::Label(this)) {
  setWindowTitle(WindowTitle());
  setWindowIcon(QApplication::windowIcon());
  QFont font(QStringLiteral("Verdana"));
  font.setPointSizeF(8.25);
  setFont(font);

  genLabel_->SetVisible(false);
  genLabel_->SetTransparent(true);
  genLabel_->SetFontName(QStringLiteral("MS Sans Serif"));
  genLabel_->SetFontSize(8.25);
  genLabel_->SetAutoSize(true);
}

}  // namespace lumora::app

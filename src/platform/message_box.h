#pragma once

#include <QString>

class QWidget;

namespace lumora::platform {

enum class MessageIcon { None, Critical, Warning, Information };

// A modal message box with one OK button. An empty title shows the
// application's name, so the box says whose it is.
void ShowMessage(QWidget* owner, const QString& text, MessageIcon icon, const QString& title = {});
// A modal Yes/No question; true for Yes.
bool AskYesNo(QWidget* owner, const QString& text, const QString& title = {});

}  // namespace lumora::platform

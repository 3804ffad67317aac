#pragma once

#include <QByteArray>
#include <QString>

namespace lumora::platform {

// Lower case as the ANSI code page (Windows-1252) has it: A-Z and the
// accented capitals; every other character stays as it is.
QString AnsiLower(const QString& text);
QByteArray AnsiLower(const QByteArray& bytes);

}  // namespace lumora::platform

#pragma once

#include <QString>
#include <QStringList>

namespace lumora::help {

// What a command line asks of the program before anything else starts.
enum class InfoRequest { None, Help, Version };

// "-h" or "--help" asks for the usage, "--version" for the version; the first
// of them among the arguments (the program's own name left out) wins.
InfoRequest InfoRequested(const QStringList& arguments);

// The usage texts of lumora and lumora-help, ending in a line break.
QString LumoraUsage();
QString HelpToolUsage();

// "lumora 0.1.0" and a line break.
QString VersionText(const QString& program);

}  // namespace lumora::help

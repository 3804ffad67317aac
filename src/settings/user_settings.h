#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

namespace lumora::settings {

// What one user chose, kept between runs in the user's own configuration
// folder ($XDG_CONFIG_HOME/quillmark/lumora.ini), never in the machine-wide
// registry store. A file that cannot be read or written is passed over with
// a note on standard error.
QString UserTheme();
void SetUserTheme(const QString& themeName);

// The page zoom the reader chose; 1 when none (or none that makes sense).
double UserZoom();
void SetUserZoom(double factor);

// Search results ordered by the count of the words, as the Hits column
// shows it, instead of by relevance: "Search/Order=hits".
bool UserSearchByHits();

// Where the window stood when the user last closed it: its normal geometry in
// pixels, whether it was maximised, and the explorer pane's width in twips.
struct WindowPlace {
  bool known = false;
  QRect geometry;
  bool maximized = false;
  int paneWidth = 0;
};
WindowPlace UserWindowPlace();
void SetUserWindowPlace(const WindowPlace& place);

// The names of the installed themes: the folders under DataRoot with a
// config0.dat, in name order.
QStringList InstalledThemes();

// The theme after current among the installed ones, the first after the last;
// current itself when it is the only one, or none is installed.
QString NextTheme(const QStringList& installed, const QString& current);

}  // namespace lumora::settings

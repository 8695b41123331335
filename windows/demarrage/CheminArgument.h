#pragma once
// The project named on the command line, as a path the reader can open.
#include <QString>
#include <QStringList>

namespace vuv {

// The arguments joined by single spaces, so that a path with spaces given without quotes is
// whole; a file:// URL (as some desktops pass a double-clicked file) becomes its local path,
// percent-decoded; the result is absolute, since every file dialog moves the current folder.
// Empty without arguments.
QString chemin_argument(const QStringList& arguments);

} // namespace vuv

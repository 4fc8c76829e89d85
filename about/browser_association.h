#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Finds the user's default web browser the freedesktop way: the default
// application for a MIME type from the mimeapps.list files, and the Exec
// line of that application's desktop entry. Everything is read afresh from
// the XDG_* environment and the files on each call.
namespace about::xdg {

// Nothing longer than this is read from an association or desktop file; a
// longer line is ignored as if it were not there.
inline constexpr qint64 kMaxFileBytes = 64 * 1024;
inline constexpr qsizetype kMaxLineLength = 4096;

// The mimeapps.list files in the order they are consulted: the config home,
// the config dirs, the data home's and the data dirs' applications folders;
// in each place the desktop-specific "<desktop>-mimeapps.list" (for each
// name in XDG_CURRENT_DESKTOP, lower-cased) before the plain one.
QStringList mimeappsFiles();

// Where desktop entries are looked for: $XDG_DATA_HOME/applications, then
// each $XDG_DATA_DIRS/applications.
QStringList applicationDirs();

// The file of an installed desktop entry, or empty when none is installed or
// the id is not a plain desktop file id (no folders, no "..").
QString desktopFilePath(const QString &desktopId);

// The default application's desktop id for a MIME type: the first listed
// entry that is installed, from the first file that has one.
std::optional<QString> defaultApplication(const QString &mimeType);

// The Exec value of a desktop entry with the string escapes (\s, \n, \t,
// \r, \\) resolved; the quoting and field codes are left for the caller.
std::optional<QString> execLine(const QString &desktopId);

} // namespace about::xdg

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Finds the user's default web browser the freedesktop way: the application
// for a MIME type from the mimeapps.list and mimeinfo.cache files, and the
// Exec line of that application's desktop entry. Everything is read afresh
// from the XDG_* environment and the files on each call.
namespace about::xdg {

// Nothing longer than this is read from an association or desktop file; a
// longer line is ignored as if it were not there.
inline constexpr qint64 kMaxFileBytes = qint64{64} * 1024;
inline constexpr qsizetype kMaxLineLength = 4096;

// A key file as the look-up reads it (mimeapps.list, mimeinfo.cache, a
// desktop entry): "[group]" headers and "key=value" lines; blank lines and
// "#" comments ignored.
class KeyFile
{
public:
    KeyFile() = default;
    // From a file's bytes: past kMaxFileBytes the text is cut at the last
    // line break within the limit; overlong lines are left out.
    static KeyFile fromBytes(const QByteArray &content);
    // A file that is missing or cannot be read reads as an empty one.
    static KeyFile read(const QString &path);

    // The value of the first "key=value" line in [group], blanks around "="
    // ignored.
    std::optional<QString> value(QStringView group, QStringView key,
                                 Qt::CaseSensitivity keyCase = Qt::CaseSensitive) const;
    // A ";"-separated value: its entries, trimmed, empty ones left out.
    QStringList list(QStringView group, QStringView key, Qt::CaseSensitivity keyCase) const;

private:
    QStringList m_lines;
};

// What the look-up needs of a desktop entry's [Desktop Entry] group.
struct DesktopEntry
{
    std::optional<QString> exec; // string escapes (\s \n \t \r \\) resolved
    QString tryExec;             // likewise; empty when there is none
    bool hidden = false;         // Hidden=true: the entry counts as deleted
};
DesktopEntry parseDesktopEntry(const KeyFile &file);

// An entry the desktop would start: not hidden, its TryExec program (if it
// names one) present and executable, and a command to run.
bool isUsable(const DesktopEntry &entry);

// The mimeapps.list files in the order they are consulted: the config home,
// the config dirs, the data home's and the data dirs' applications folders;
// in each place the desktop-specific "<desktop>-mimeapps.list" (for each
// name in XDG_CURRENT_DESKTOP, lower-cased) before the plain one.
QStringList mimeappsFiles();

// Where desktop entries and mimeinfo.cache files are looked for:
// $XDG_DATA_HOME/applications, then each $XDG_DATA_DIRS/applications.
QStringList applicationDirs();

// The file of an installed desktop entry, or empty when none is installed or
// the id is not a plain desktop file id (no folders, no "..").
QString desktopFilePath(const QString &desktopId);

// The application for a MIME type, as the desktop chooses it: the first
// usable entry of [Default Applications] in the mimeapps.list files, in
// their order; failing that, of [Added Associations], less the entries that
// [Removed Associations] of the same or an earlier file removes; failing
// that, of the mimeinfo.cache files, less every removed entry.
std::optional<QString> defaultApplication(const QString &mimeType);

// The Exec value of an installed desktop entry with the string escapes
// resolved; the quoting and field codes are left for the caller.
std::optional<QString> execLine(const QString &desktopId);

} // namespace about::xdg

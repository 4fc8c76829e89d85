#pragma once

#include <QString>
#include <QStringList>

// Turns a browser's command template into the command that opens one
// address. The template may carry a placeholder for the address: "%1", or
// one of the desktop-entry field codes %u %U %f %F.
namespace about {

// Cuts the command at its first placeholder enclosed in double quotes, or
// failing that at its first bare one, keeping everything before it (a
// trailing blank included). A command without placeholder stays whole.
QString cutAtPlaceholder(const QString &command);

// The command as text: the cut command, one blank, the address unchanged.
QString commandWithAddress(const QString &command, const QString &address);

// Splits a command line by the desktop-entry quoting rules: blanks separate
// arguments; inside double quotes blanks are kept and a backslash escapes
// '"', '`', '$' and '\'. Field codes are resolved: "%%" becomes "%", the
// others (%f %F %u %U %i %c %k and the deprecated ones) are dropped, and an
// argument that was nothing but field codes goes with them.
QStringList splitCommandLine(const QString &commandLine);

struct LaunchLine
{
    QString program; // empty when the command names none
    QStringList arguments;
};

// What to start for the address: the cut command split into program and
// arguments, with the address appended as one argument of its own, exactly
// as given, however many blanks or '%' it holds.
LaunchLine launchLine(const QString &command, const QString &address);

} // namespace about

#include "url_link.h"

#include "about/browser_association.h"
#include "about/launch_command.h"
#include "core/errors.h"

#include <QProcess>

namespace about {

UrlLink::UrlLink(QObject *parent) : QObject(parent) {}

int UrlLink::showCommandFor(ShowCommand command)
{
    switch (command) {
    case ShowCommand::Hide:
        return 0;
    case ShowCommand::Maximize:
        return 3;
    case ShowCommand::Minimize:
        return 6;
    case ShowCommand::Restore:
        return 9;
    case ShowCommand::Show:
        return 5;
    case ShowCommand::ShowDefault:
        return 10;
    case ShowCommand::ShowMaximized:
        return 3;
    case ShowCommand::ShowMinimized:
        return 2;
    case ShowCommand::ShowMinimizedInactive:
        return 7;
    case ShowCommand::ShowInactive:
        return 8;
    case ShowCommand::ShowNormalInactive:
        return 4;
    default:
        return 1; // ShowNormal and any stored value above it
    }
}

int UrlLink::readAssociation(RootKey root, const QString &subKey, QString &value)
{
    QString found;
    const int result = m_lookup(root, subKey, found);
    if (result == 0)
        value = found;
    return result;
}

void UrlLink::openUrl()
{
    const int showCommand = showCommandFor(m_showCommand);

    // The handler of secure web addresses first, then of plain ones, then of
    // web pages: any of them is a browser.
    QString handler;
    if (readAssociation(RootKey::WebHandlers, QStringLiteral("x-scheme-handler/https"), handler) != 0 &&
        readAssociation(RootKey::WebHandlers, QStringLiteral("x-scheme-handler/http"), handler) != 0 &&
        readAssociation(RootKey::WebHandlers, QStringLiteral("text/html"), handler) != 0)
        return;

    QString command;
    if (readAssociation(RootKey::Applications, handler, command) != 0 || command.trimmed().isEmpty())
        return;

    const about::LaunchLine line = about::launchLine(command, m_url);
    if (line.program.isEmpty() || !m_starter(line.program, line.arguments, showCommand))
        throw core::AppError(kCouldNotLaunchBrowser);
}

int UrlLink::defaultLookup(RootKey root, const QString &subKey, QString &value)
{
    const std::optional<QString> found =
        root == RootKey::WebHandlers ? about::xdg::defaultApplication(subKey) : about::xdg::execLine(subKey);
    if (!found)
        return kNotFound;
    value = *found;
    return 0;
}

bool UrlLink::defaultStarter(const QString &program, const QStringList &arguments, int /*showCommand*/)
{
    // X11 and Wayland leave the browser's window state to the browser and the
    // window manager, so the show command has nothing to act on here.
    return QProcess::startDetached(program, arguments);
}

} // namespace about

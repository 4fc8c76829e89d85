#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace about {

// Opens a web address in the user's default browser. The browser is found
// in two look-ups (which application handles web pages, then that
// application's command) and started with the address on its command line.
class UrlLink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Url READ url WRITE setUrl)
    Q_PROPERTY(ShowCommand UrlShowCommand READ urlShowCommand WRITE setUrlShowCommand)

public:
    // How the browser's window is to be shown; each value has a show-command
    // number (see showCommandFor).
    enum class ShowCommand : quint8 {
        Hide,
        Maximize,
        Minimize,
        Restore,
        Show,
        ShowDefault,
        ShowMaximized,
        ShowMinimized,
        ShowMinimizedInactive,
        ShowInactive,
        ShowNormalInactive,
        ShowNormal,
    };
    Q_ENUM(ShowCommand)

    // Where readAssociation looks: the default handlers of MIME types
    // (sub-key: a MIME type, value: a desktop file id), or the installed
    // applications (sub-key: a desktop file id, value: its command).
    enum class RootKey { WebHandlers, Applications };

    // Result of a look-up that found nothing.
    static constexpr int kNotFound = 2;

    using Lookup = std::function<int(RootKey root, const QString &subKey, QString &value)>;
    // Starts program with arguments, without a shell; false when it could not
    // be started. showCommand is the show-command number of UrlShowCommand.
    using Starter = std::function<bool(const QString &program, const QStringList &arguments, int showCommand)>;

    explicit UrlLink(QObject *parent = nullptr);

    QString url() const { return m_url; }
    void setUrl(const QString &url) { m_url = url; }
    ShowCommand urlShowCommand() const { return m_showCommand; }
    void setUrlShowCommand(ShowCommand command) { m_showCommand = command; }

    static int showCommandFor(ShowCommand command);

    // Opens Url in the default browser. Does nothing when no browser is
    // associated or it has no command; throws core::AppError
    // ("Couldn't launch default browser") when it cannot be started.
    void openUrl();

    // Reads the value stored under subKey in root: 0 on success, otherwise
    // the look-up's error code, and value is left as it was.
    int readAssociation(RootKey root, const QString &subKey, QString &value);

    // Test seams; the defaults read the XDG association files and start the
    // process detached.
    void setLookup(Lookup lookup) { m_lookup = std::move(lookup); }
    void setStarter(Starter starter) { m_starter = std::move(starter); }

    static int defaultLookup(RootKey root, const QString &subKey, QString &value);
    static bool defaultStarter(const QString &program, const QStringList &arguments, int showCommand);

private:
    QString m_url;
    ShowCommand m_showCommand = ShowCommand::ShowDefault;
    Lookup m_lookup = &UrlLink::defaultLookup;
    Starter m_starter = &UrlLink::defaultStarter;
};

inline const QString kCouldNotLaunchBrowser = QStringLiteral("Couldn't launch default browser");

} // namespace about

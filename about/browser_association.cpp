#include "browser_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace about::xdg {

namespace {

// An XDG base-directory variable: unset, empty or relative means its default.
QStringList baseDirs(const char *variable, const QStringList &defaults)
{
    QStringList dirs;
    const QString value = qEnvironmentVariable(variable);
    for (const QString &dir : value.split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            dirs.append(QDir::cleanPath(dir));
    return dirs.isEmpty() ? defaults : dirs;
}

QString homeBased(const char *variable, const QString &fallbackBelowHome)
{
    const QStringList dirs = baseDirs(variable, {QDir::homePath() + u'/' + fallbackBelowHome});
    return dirs.first();
}

QString configHome()
{
    return homeBased("XDG_CONFIG_HOME", QStringLiteral(".config"));
}
QString dataHome()
{
    return homeBased("XDG_DATA_HOME", QStringLiteral(".local/share"));
}
QStringList configDirs()
{
    return baseDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
}
QStringList dataDirs()
{
    return baseDirs("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
}

QStringList currentDesktops()
{
    QStringList names;
    for (const QString &name : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        if (!name.contains(u'/'))
            names.append(name.toLower());
    return names;
}

// The lines of a key file, reading no more than kMaxFileBytes; overlong
// lines and a line cut off by the limit are left out.
QStringList boundedLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.read(kMaxFileBytes);
    if (!file.atEnd()) {
        const qsizetype lastBreak = bytes.lastIndexOf('\n');
        bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
    }
    QStringList lines;
    for (const QByteArray &raw : bytes.split('\n')) {
        QString line = QString::fromUtf8(raw);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() <= kMaxLineLength)
            lines.append(line);
    }
    return lines;
}

// The value of the first "key=value" line in [group], blanks around "="
// ignored.
std::optional<QString> keyValue(const QStringList &lines, QStringView group, QStringView key,
                                Qt::CaseSensitivity keyCase)
{
    bool inGroup = false;
    for (const QString &line : lines) {
        const QStringView text = QStringView(line).trimmed();
        if (text.isEmpty() || text.startsWith(u'#'))
            continue;
        if (text.startsWith(u'[')) {
            inGroup = text.endsWith(u']') && text.sliced(1, text.size() - 2) == group;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = text.indexOf(u'=');
        if (equals < 0)
            continue;
        if (text.first(equals).trimmed().compare(key, keyCase) == 0)
            return text.sliced(equals + 1).trimmed().toString();
    }
    return std::nullopt;
}

QString unescapeString(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        switch (value[i + 1].unicode()) {
        case u's':
            out += u' ';
            break;
        case u'n':
            out += u'\n';
            break;
        case u't':
            out += u'\t';
            break;
        case u'r':
            out += u'\r';
            break;
        case u'\\':
            out += u'\\';
            break;
        default:
            out += c;
            out += value[i + 1];
            break; // left for the Exec quoting rules
        }
        ++i;
    }
    return out;
}

bool isPlainDesktopId(const QString &id)
{
    return id.endsWith(QLatin1String(".desktop")) && id.size() <= 255 && !id.startsWith(u'.') && !id.contains(u'/') &&
           !id.contains(u'\\') && !id.contains(QChar(0));
}

} // namespace

QStringList mimeappsFiles()
{
    QStringList places{configHome()};
    places += configDirs();
    places.append(dataHome() + QLatin1String("/applications"));
    for (const QString &dir : dataDirs())
        places.append(dir + QLatin1String("/applications"));

    const QStringList desktops = currentDesktops();
    QStringList files;
    for (const QString &place : places) {
        for (const QString &desktop : desktops)
            files.append(place + u'/' + desktop + QLatin1String("-mimeapps.list"));
        files.append(place + QLatin1String("/mimeapps.list"));
    }
    return files;
}

QStringList applicationDirs()
{
    QStringList dirs{dataHome() + QLatin1String("/applications")};
    for (const QString &dir : dataDirs())
        dirs.append(dir + QLatin1String("/applications"));
    return dirs;
}

QString desktopFilePath(const QString &desktopId)
{
    if (!isPlainDesktopId(desktopId))
        return {};
    // "vendor-app.desktop" may also live as "vendor/app.desktop".
    QStringList relativePaths{desktopId};
    for (qsizetype dash = desktopId.indexOf(u'-'); dash > 0; dash = desktopId.indexOf(u'-', dash + 1))
        relativePaths.append(desktopId.first(dash) + u'/' + desktopId.sliced(dash + 1));
    for (const QString &dir : applicationDirs())
        for (const QString &relative : relativePaths) {
            const QString path = dir + u'/' + relative;
            if (QFileInfo(path).isFile())
                return path;
        }
    return {};
}

std::optional<QString> defaultApplication(const QString &mimeType)
{
    for (const QString &file : mimeappsFiles()) {
        const std::optional<QString> list =
            keyValue(boundedLines(file), u"Default Applications", mimeType, Qt::CaseInsensitive);
        if (!list)
            continue;
        for (const QString &entry : list->split(u';', Qt::SkipEmptyParts)) {
            const QString id = entry.trimmed();
            if (!desktopFilePath(id).isEmpty())
                return id;
        }
    }
    return std::nullopt;
}

std::optional<QString> execLine(const QString &desktopId)
{
    const QString path = desktopFilePath(desktopId);
    if (path.isEmpty())
        return std::nullopt;
    const std::optional<QString> exec = keyValue(boundedLines(path), u"Desktop Entry", u"Exec", Qt::CaseSensitive);
    if (!exec)
        return std::nullopt;
    return unescapeString(*exec);
}

} // namespace about::xdg

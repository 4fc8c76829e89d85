#include "browser_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <utility>

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
        // \s, \n, \t, \r and \\ stand for their characters; any other
        // escape is left for the Exec quoting rules.
        static constexpr std::pair<char16_t, char16_t> kEscapes[] = {
            {u's', u' '}, {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u'\\', u'\\'}};
        const char16_t next = value[i + 1].unicode();
        const auto *known =
            std::find_if(std::begin(kEscapes), std::end(kEscapes), [next](const auto &e) { return e.first == next; });
        if (known != std::end(kEscapes)) {
            out += QChar(known->second);
        } else {
            out += c;
            out += value[i + 1];
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

// The entries of a MIME type's list in a group, less the removed ones.
QStringList entriesLess(const KeyFile &file, QStringView group, const QString &mimeType, const QStringList &removed)
{
    QStringList entries = file.list(group, mimeType, Qt::CaseInsensitive);
    entries.removeIf([&removed](const QString &id) { return removed.contains(id); });
    return entries;
}

} // namespace

KeyFile KeyFile::fromBytes(const QByteArray &content)
{
    QByteArray bytes = content;
    if (bytes.size() > kMaxFileBytes) {
        bytes.truncate(kMaxFileBytes);
        const qsizetype lastBreak = bytes.lastIndexOf('\n');
        bytes.truncate(lastBreak < 0 ? 0 : lastBreak);
    }
    KeyFile file;
    for (const QByteArray &raw : bytes.split('\n')) {
        QString line = QString::fromUtf8(raw);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.size() <= kMaxLineLength)
            file.m_lines.append(line);
    }
    return file;
}

KeyFile KeyFile::read(const QString &path)
{
    // Only regular files: opening a named pipe would wait for a writer.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    // One byte more than the limit tells whether the file goes on.
    return fromBytes(file.read(kMaxFileBytes + 1));
}

std::optional<QString> KeyFile::value(QStringView group, QStringView key, Qt::CaseSensitivity keyCase) const
{
    bool inGroup = false;
    for (const QString &line : m_lines) {
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

QStringList KeyFile::list(QStringView group, QStringView key, Qt::CaseSensitivity keyCase) const
{
    QStringList entries;
    if (const std::optional<QString> text = value(group, key, keyCase))
        for (const QString &entry : text->split(u';', Qt::SkipEmptyParts))
            if (const QString id = entry.trimmed(); !id.isEmpty())
                entries.append(id);
    return entries;
}

DesktopEntry parseDesktopEntry(const KeyFile &file)
{
    constexpr QStringView group = u"Desktop Entry";
    DesktopEntry entry;
    if (const std::optional<QString> exec = file.value(group, u"Exec"))
        entry.exec = unescapeString(*exec);
    entry.tryExec = unescapeString(file.value(group, u"TryExec").value_or(QString()));
    entry.hidden = file.value(group, u"Hidden") == QLatin1String("true");
    return entry;
}

bool isUsable(const DesktopEntry &entry)
{
    if (entry.hidden || !entry.exec || entry.exec->trimmed().isEmpty())
        return false;
    return entry.tryExec.isEmpty() || !QStandardPaths::findExecutable(entry.tryExec).isEmpty();
}

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
            QString path = dir + u'/' + relative;
            if (QFileInfo(path).isFile())
                return path;
        }
    return {};
}

std::optional<QString> defaultApplication(const QString &mimeType)
{
    const auto usable = [](const QString &id) {
        const QString path = desktopFilePath(id);
        return !path.isEmpty() && isUsable(parseDesktopEntry(KeyFile::read(path)));
    };

    QList<KeyFile> lists;
    for (const QString &file : mimeappsFiles())
        lists.append(KeyFile::read(file));
    for (const KeyFile &list : lists)
        for (const QString &id : list.list(u"Default Applications", mimeType, Qt::CaseInsensitive))
            if (usable(id))
                return id;

    // A removal applies to its own file's additions and to every later file.
    QStringList removed;
    for (const KeyFile &list : lists) {
        removed += list.list(u"Removed Associations", mimeType, Qt::CaseInsensitive);
        for (const QString &id : entriesLess(list, u"Added Associations", mimeType, removed))
            if (usable(id))
                return id;
    }

    for (const QString &dir : applicationDirs())
        for (const QString &id :
             entriesLess(KeyFile::read(dir + QLatin1String("/mimeinfo.cache")), u"MIME Cache", mimeType, removed))
            if (usable(id))
                return id;
    return std::nullopt;
}

std::optional<QString> execLine(const QString &desktopId)
{
    const QString path = desktopFilePath(desktopId);
    if (path.isEmpty())
        return std::nullopt;
    return parseDesktopEntry(KeyFile::read(path)).exec;
}

} // namespace about::xdg

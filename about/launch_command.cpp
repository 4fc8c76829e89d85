#include "launch_command.h"

#include <array>
#include <optional>
#include <utility>

namespace about {

namespace {

constexpr std::array<char16_t, 5> kPlaceholderLetters{u'1', u'u', u'U', u'f', u'F'};

bool isPlaceholderLetter(QChar c)
{
    for (char16_t letter : kPlaceholderLetters)
        if (c == letter)
            return true;
    return false;
}

qsizetype firstQuotedPlaceholder(const QString &command)
{
    qsizetype first = -1;
    for (char16_t letter : kPlaceholderLetters) {
        const QString quoted = QStringLiteral("\"%") + QChar(letter) + u'"';
        const qsizetype at = command.indexOf(quoted);
        if (at >= 0 && (first < 0 || at < first))
            first = at;
    }
    return first;
}

// A "%%" is a literal per cent sign, so its second '%' never starts a
// placeholder.
qsizetype firstBarePlaceholder(const QString &command)
{
    for (qsizetype i = 0; i + 1 < command.size(); ++i) {
        if (command[i] != u'%')
            continue;
        if (command[i + 1] == u'%')
            ++i;
        else if (isPlaceholderLetter(command[i + 1]))
            return i;
    }
    return -1;
}

bool isFieldCode(QChar c)
{
    return QStringView(u"fFuUickdDnNvm").contains(c);
}

// Resolves the field codes of one argument; std::nullopt when the argument
// consisted of field codes only and disappears.
std::optional<QString> resolveFieldCodes(const QString &argument)
{
    QString out;
    bool droppedCode = false;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument[i] == u'%' && i + 1 < argument.size()) {
            const QChar next = argument[i + 1];
            if (next == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (isFieldCode(next)) {
                droppedCode = true;
                ++i;
                continue;
            }
        }
        out += argument[i];
    }
    if (droppedCode && out.isEmpty())
        return std::nullopt;
    return out;
}

} // namespace

QString cutAtPlaceholder(const QString &command)
{
    qsizetype at = firstQuotedPlaceholder(command);
    if (at < 0)
        at = firstBarePlaceholder(command);
    return at < 0 ? command : command.first(at);
}

QString commandWithAddress(const QString &command, const QString &address)
{
    return cutAtPlaceholder(command) + u' ' + address;
}

QStringList splitCommandLine(const QString &commandLine)
{
    QStringList raw;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < commandLine.size(); ++i) {
        const QChar c = commandLine[i];
        if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < commandLine.size() &&
                       QStringView(u"\"`$\\").contains(commandLine[i + 1])) {
                current += commandLine[++i];
            } else {
                current += c;
            }
        } else if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
            if (inArgument)
                raw.append(std::exchange(current, QString()));
            inArgument = false;
        } else {
            inArgument = true;
            if (c == u'"')
                quoted = true;
            else
                current += c;
        }
    }
    // An unclosed quote ends with the line.
    if (inArgument)
        raw.append(current);

    QStringList arguments;
    for (const QString &argument : raw)
        if (std::optional<QString> resolved = resolveFieldCodes(argument))
            arguments.append(*resolved);
    return arguments;
}

LaunchLine launchLine(const QString &command, const QString &address)
{
    QStringList arguments = splitCommandLine(cutAtPlaceholder(command));
    if (arguments.isEmpty())
        return {};
    LaunchLine line{arguments.takeFirst(), arguments};
    // Appended as a blank and the address, an empty address adds nothing.
    if (!address.isEmpty())
        line.arguments.append(address);
    return line;
}

} // namespace about

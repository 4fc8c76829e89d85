// Exec line splitting and placeholder handling on arbitrary command
// templates and addresses: no crash, no undefined behaviour, the cut command
// a prefix of the template, the address always one argument of its own, and
// arguments quoted by the desktop-entry rules split back unchanged.
//
// Input: UTF-8 text; its first line is the command template, the rest the
// address. The template's parts between \x01 characters are also quoted,
// joined and split again.
#include "about/launch_command.h"
#include "core/fuzz/fuzz_check.h"

using namespace about;

namespace {

QString quoted(const QString &argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = utf8Text(data, size);
    const qsizetype lineEnd = text.indexOf(u'\n');
    const QString command = lineEnd < 0 ? text : text.first(lineEnd);
    const QString address = lineEnd < 0 ? QString() : text.sliced(lineEnd + 1);

    const QString cut = cutAtPlaceholder(command);
    check(command.startsWith(cut));
    check(commandWithAddress(command, address) == cut + u' ' + address);

    const LaunchLine line = launchLine(command, address);
    const QStringList split = splitCommandLine(cut);
    // A command whose first argument is empty ("") names no program either.
    check(split.isEmpty() ? line.program.isEmpty() && line.arguments.isEmpty() : line.program == split.first());
    if (!split.isEmpty()) {
        check(line.arguments.size() == split.size() - 1 + (address.isEmpty() ? 0 : 1));
        if (!address.isEmpty())
            check(line.arguments.last() == address);
    }
    (void)splitCommandLine(command);

    // Quoting round trip; '%' is left out, since field codes are resolved.
    QStringList arguments = command.split(QChar(1));
    for (QString &argument : arguments)
        argument.remove(u'%');
    QStringList parts;
    for (const QString &argument : arguments)
        parts.append(quoted(argument));
    check(splitCommandLine(parts.join(u' ')) == arguments);
    return 0;
}

// The association and desktop-entry readers on arbitrary file contents: no
// crash, no undefined behaviour, every list entry a trimmed non-empty id,
// and a desktop entry's command always ends with the address as one
// argument of its own.
#include "about/browser_association.h"
#include "about/launch_command.h"
#include "core/fuzz/fuzz_check.h"

using namespace about::xdg;

namespace {

const QString kAddress = QStringLiteral("https://ratiomat.example.org/a b?%u");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const KeyFile file = KeyFile::fromBytes(bytes);

    // The MIME types the browser look-up asks for, and the first line's key.
    QStringList keys{QStringLiteral("x-scheme-handler/https"), QStringLiteral("x-scheme-handler/http"),
                     QStringLiteral("text/html")};
    const QString first = QString::fromUtf8(bytes.left(bytes.indexOf('\n')));
    keys.append(first.left(first.indexOf(u'=')).trimmed());
    for (const char16_t *group :
         {u"Default Applications", u"Added Associations", u"Removed Associations", u"MIME Cache"})
        for (const QString &key : keys) {
            for (const QString &id : file.list(group, key, Qt::CaseInsensitive))
                check(!id.isEmpty() && id == id.trimmed() && !id.contains(u';'));
            if (const std::optional<QString> value = file.value(group, key, Qt::CaseInsensitive))
                check(!value->contains(u'\n') && *value == value->trimmed());
        }

    const DesktopEntry entry = parseDesktopEntry(file);
    if (entry.exec && !entry.hidden && entry.tryExec.isEmpty())
        check(isUsable(entry) == !entry.exec->trimmed().isEmpty());
    if (entry.exec) {
        const about::LaunchLine line = about::launchLine(*entry.exec, kAddress);
        if (!line.program.isEmpty())
            check(line.arguments.value(line.arguments.size() - 1) == kAddress);
    }
    return 0;
}

#include "stored_tables.h"

#include "platform/errors.h"

// The stored form's parser on its own, with Qt Core only, so that it can be
// tested and fuzzed without windows.
namespace i18n {

namespace {

QString withoutIndent(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    return line.mid(i);
}

[[noreturn]] void fail(const QString &source, int line, const QString &what)
{
    throwStoredTextError(source, line, what);
}

} // namespace

void throwStoredTextError(const QString &source, int line, const QString &what)
{
    throw platform::AppError(QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(what));
}

QList<StoredObject> parseStoredText(const QString &text, const QString &source)
{
    QList<StoredObject> objects;
    const QStringList lines = text.split(u'\n');
    StoredObject *object = nullptr;
    StoredProperty *list = nullptr;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i + 1);
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QString content = withoutIndent(line);
        if (list) {
            if (content.startsWith(u'|'))
                list->items << content.mid(1);
            else if (content.trimmed() == QLatin1String(")"))
                list = nullptr;
            else
                fail(source, lineNo, QStringLiteral("a list item starts with \"|\""));
            continue;
        }
        const QString trimmed = content.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (!object) {
            const qsizetype colon = trimmed.indexOf(u':');
            if (!trimmed.startsWith(QLatin1String("object ")) || colon < 0)
                fail(source, lineNo, QStringLiteral("expected \"object <name>: <class>\""));
            objects.append({trimmed.mid(7, colon - 7).trimmed(), trimmed.mid(colon + 1).trimmed(), {}});
            object = &objects.last();
            continue;
        }
        if (trimmed == QLatin1String("end")) {
            object = nullptr;
            continue;
        }
        const qsizetype eq = content.indexOf(u'=');
        if (eq <= 0)
            fail(source, lineNo, QStringLiteral("expected \"<property> = <value>\""));
        StoredProperty p;
        p.name = content.left(eq).trimmed();
        p.line = lineNo;
        QString value = content.mid(eq + 1);
        if (value.startsWith(u' '))
            value.remove(0, 1);
        if (value.trimmed() == QLatin1String("(")) {
            p.isList = true;
            object->properties.append(p);
            list = &object->properties.last();
        } else {
            p.value = value;
            object->properties.append(p);
        }
    }
    if (list || object)
        fail(source, int(lines.size()), QStringLiteral("unexpected end of the text"));
    return objects;
}

} // namespace i18n

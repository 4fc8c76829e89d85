#include "stored_tables.h"

#include "core/errors.h"

// The stored form's parser on its own, with Qt Core only, so that it can be
// tested and fuzzed without windows.
namespace i18n {

namespace {

QStringView withoutIndent(QStringView line)
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

// "object <name>: <class>"
StoredObject objectHeader(QStringView trimmed, const QString &source, int lineNo)
{
    const qsizetype colon = trimmed.indexOf(u':');
    if (!trimmed.startsWith(u"object ") || colon < 0)
        fail(source, lineNo, QStringLiteral("expected \"object <name>: <class>\""));
    return {trimmed.mid(7, colon - 7).trimmed().toString(), trimmed.mid(colon + 1).trimmed().toString(), {}};
}

// "<property> = <value>", or "<property> = (" opening a list; the value is
// everything after "= ", verbatim.
StoredProperty propertyLine(QStringView content, const QString &source, int lineNo)
{
    const qsizetype eq = content.indexOf(u'=');
    if (eq <= 0)
        fail(source, lineNo, QStringLiteral("expected \"<property> = <value>\""));
    StoredProperty p;
    p.name = content.left(eq).trimmed().toString();
    p.line = lineNo;
    QStringView value = content.mid(eq + 1);
    if (value.startsWith(u' '))
        value = value.mid(1);
    if (value.trimmed() == u"(")
        p.isList = true;
    else
        p.value = value.toString();
    return p;
}

} // namespace

void throwStoredTextError(const QString &source, int line, const QString &what)
{
    throw core::AppError(QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(what));
}

// Lines are read as views into the text: the parser runs at every start,
// and only the names, values and items it keeps are copied.
QList<StoredObject> parseStoredText(const QString &text, const QString &source)
{
    QList<StoredObject> objects;
    StoredObject *object = nullptr;
    StoredProperty *list = nullptr;
    const QStringView all(text);
    int lineNo = 0;
    for (qsizetype from = 0; from <= all.size();) {
        qsizetype to = all.indexOf(u'\n', from);
        if (to < 0)
            to = all.size();
        QStringView line = all.mid(from, to - from);
        from = to + 1;
        ++lineNo;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView content = withoutIndent(line);
        if (list) {
            if (content.startsWith(u'|'))
                list->items << content.mid(1).toString();
            else if (content.trimmed() == u")")
                list = nullptr;
            else
                fail(source, lineNo, QStringLiteral("a list item starts with \"|\""));
            continue;
        }
        const QStringView trimmed = content.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#'))
            continue;
        if (!object) {
            objects.append(objectHeader(trimmed, source, lineNo));
            object = &objects.last();
            continue;
        }
        if (trimmed == u"end") {
            object = nullptr;
            continue;
        }
        object->properties.append(propertyLine(content, source, lineNo));
        if (object->properties.last().isList)
            list = &object->properties.last();
    }
    if (list || object)
        fail(source, lineNo, QStringLiteral("unexpected end of the text"));
    return objects;
}

} // namespace i18n

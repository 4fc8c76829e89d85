// The stored-table parser on arbitrary text: no crash, no undefined
// behaviour, every failure an error naming a line of the text, and what
// parses is written back in the stored form and parses again to the same
// objects.
#include "core/errors.h"
#include "core/fuzz/fuzz_check.h"
#include "i18n/stored_tables.h"

#include <algorithm>
#include <tuple>

using namespace i18n;

namespace {

// The stored form of parsed objects; "\r\n" line ends keep a value's own
// trailing "\r".
QString storedForm(const QList<StoredObject> &objects)
{
    QString text;
    for (const StoredObject &object : objects) {
        text +=
            QStringLiteral("object ") + object.name + QStringLiteral(": ") + object.className + QStringLiteral("\r\n");
        for (const StoredProperty &p : object.properties) {
            if (!p.isList) {
                text += QStringLiteral("  ") + p.name + QStringLiteral(" = ") + p.value + QStringLiteral("\r\n");
                continue;
            }
            text += QStringLiteral("  ") + p.name + QStringLiteral(" = (\r\n");
            for (const QString &item : p.items)
                text += QStringLiteral("    |") + item + QStringLiteral("\r\n");
            text += QStringLiteral("  )\r\n");
        }
        text += QStringLiteral("end\r\n");
    }
    return text;
}

bool sameObjects(const QList<StoredObject> &a, const QList<StoredObject> &b)
{
    auto fields = [](const StoredProperty &p) { return std::tie(p.name, p.value, p.items, p.isList); };
    auto sameProperty = [&](const StoredProperty &p, const StoredProperty &q) { return fields(p) == fields(q); };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const StoredObject &x, const StoredObject &y) {
        return x.name == y.name && x.className == y.className &&
               std::equal(x.properties.begin(), x.properties.end(), y.properties.begin(), y.properties.end(),
                          sameProperty);
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = utf8Text(data, size);
    const QString source = QStringLiteral("fuzz.lang");
    const qsizetype lines = text.count(u'\n') + 1;
    QList<StoredObject> objects;
    try {
        objects = parseStoredText(text, source);
    } catch (const core::AppError &error) {
        // "fuzz.lang:<line>: <what>", the line within the text.
        const QString message = error.message();
        check(message.startsWith(source + u':'));
        const QString rest = message.sliced(source.size() + 1);
        bool ok = false;
        const qsizetype line = rest.left(rest.indexOf(u':')).toLongLong(&ok);
        check(ok && line >= 1 && line <= lines);
        return 0;
    }
    for (const StoredObject &object : objects)
        for (const StoredProperty &p : object.properties) {
            check(p.line >= 1 && p.line <= lines);
            check(p.isList || p.items.isEmpty());
            check(!p.value.contains(u'\n'));
        }

    // A property without a name cannot be written back ("= x" is refused).
    for (const StoredObject &object : objects)
        for (const StoredProperty &p : object.properties)
            if (p.name.isEmpty())
                return 0;
    check(sameObjects(parseStoredText(storedForm(objects), source), objects));
    return 0;
}

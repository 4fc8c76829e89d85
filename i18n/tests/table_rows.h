#pragma once

#include "i18n/entries.h"

#include <QChar>
#include <QString>
#include <QStringList>

// Translation-list rows as the tests write them: "|" stands for the
// delimiter D (code 1), so rows read like the stored tables.
inline const QChar D(1);

inline QString e(const char *text)
{
    return QString::fromUtf8(text).replace(u'|', D);
}

// Whether the list has an entry with that key, compared as the translator
// compares keys.
inline bool hasKey(const QStringList &list, const QString &key)
{
    return i18n::findEntryIndex(list, key, D) >= 0;
}

// The keys of a list's entries, in order.
inline QStringList keysOf(const QStringList &list)
{
    QStringList keys;
    for (const QString &entry : list)
        keys << i18n::entryKey(entry, D);
    return keys;
}

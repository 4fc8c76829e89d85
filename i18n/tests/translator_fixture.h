#pragma once

#include "fake_form.h"

#include "i18n/translator.h"

#include <QObject>

inline const QStringList kDanskEnglish{QStringLiteral("DANSK"), QStringLiteral("ENGLISH")};

// A translator on a fake window of class TForm1.
struct FakeTranslated
{
    FakeForm form;
    QObject owner;
    i18n::Translator lang{form, &owner};
    explicit FakeTranslated(QString instance = {}) : form(QStringLiteral("TForm1"), std::move(instance)) {}
};

// One of two languages, DANSK and ENGLISH, counting its switches.
struct TwoLanguages : FakeTranslated
{
    int changes = 0;
    TwoLanguages() : FakeTranslated(QStringLiteral("Form1"))
    {
        lang.setNumOfLanguages(2);
        lang.setLangNames(kDanskEnglish);
        QObject::connect(&lang, &i18n::Translator::languageChanged, &owner, [this] { ++changes; });
    }
};

// The object, given its stored component name.
template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

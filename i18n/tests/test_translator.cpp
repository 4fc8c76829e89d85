#include "table_rows.h"
#include "translator_fixture.h"

#include "core/tests/error_of.h"

#include "i18n/dispatcher.h"
#include "i18n/entries.h"
#include "i18n/stored_tables.h"
#include "i18n/translator.h"

#include <QTest>
#include <tuple>

using namespace i18n;

class TestTranslator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newTranslator()
    {
        FakeTranslated t;
        QCOMPARE(t.lang.language(), t.lang.langNames().constFirst());
        QCOMPARE(t.lang.list(ListKind::DialogTexts).size(), 15); // the message dialogs only
        const QStringList &locales = t.lang.list(ListKind::LocaleFormats);
        QCOMPARE(locales.size(), 15);
        QCOMPARE(locales[2], QStringLiteral("Decimal Separator") + D + QLocale::system().decimalPoint() + D);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, t.lang.list(ListKind::ViewItems)); // has no list
    }

    void oneTranslatorPerOwner()
    {
        FakeTranslated t;
        const QString message = errorOf<LanguageError>([&] { Translator second(t.form, &t.owner); });
        QCOMPARE(message, QStringLiteral("Only one TsiCustomLang component per Form/DataModule allowed!"));
        QCOMPARE(t.owner.findChildren<Translator *>().size(), 1);
    }

    void numOfLanguages()
    {
        FakeTranslated t;
        t.lang.setNumOfLanguages(3);
        QCOMPARE(t.lang.langNames(), (QStringList{QStringLiteral("Language N1"), QStringLiteral("Language N2"),
                                                  QStringLiteral("Language N3")}));
        QCOMPARE(t.lang.list(ListKind::DialogTexts).first(), e("Warning|Warning|||"));
        QCOMPARE(t.lang.list(ListKind::LocaleFormats).first().count(D), 4);
        t.lang.setNumOfLanguages(1);
        QCOMPARE(t.lang.langNames(), QStringList{QStringLiteral("Language N1")});
        QCOMPARE(t.lang.list(ListKind::DialogTexts).first(), e("Warning|Warning|||")); // never shortened
        QCOMPARE(errorOf<LanguageError>([&] { t.lang.setNumOfLanguages(0); }),
                 QStringLiteral("0 - is not a valid property value !\rValue must be more than ZERO !"));
        QCOMPARE(t.lang.numOfLanguages(), 1);

        t.form.loading = true; // no top-up while loading
        t.lang.setNumOfLanguages(4);
        QCOMPARE(t.lang.list(ListKind::DialogTexts).first(), e("Warning|Warning|||"));
        QCOMPARE(t.lang.langNames().size(), 4);
    }

    void activeLanguageOutOfRange()
    {
        TwoLanguages t;
        QCOMPARE(errorOf<LanguageError>([&] { t.lang.setActiveLanguage(3); }),
                 QStringLiteral("3 - is not a valid property value!\rValue must be within [1..2]!"));
        QCOMPARE(errorOf<LanguageError>([&] { t.lang.setActiveLanguage(0); }),
                 QStringLiteral("0 - is not a valid property value!\rValue must be within [1..2]!"));
        QCOMPARE(t.lang.activeLanguage(), 1);
        t.form.loading = true;
        QCOMPARE(errorOf<LanguageError>([&] { t.lang.setActiveLanguage(3); }), QString());
        QCOMPARE(t.lang.activeLanguage(), 1);
        QCOMPARE(t.changes, 0);
    }

    void sameLanguageDoesNothing()
    {
        TwoLanguages t;
        t.form.addLabel(QStringLiteral("Label1"), QStringLiteral("laid out"));
        t.lang.storedList(ListKind::Captions) = QStringList{e("TForm1|Vindue|Window|"), e("Label1|Hej|Hello|")};
        t.lang.setActiveLanguage(1);
        QCOMPARE(t.changes, 0);
        QCOMPARE(t.lang.list(ListKind::Captions).size(), 2); // not synchronised either
        QCOMPARE(t.form.window().readString(QStringLiteral("Caption")), QString());
        t.lang.setActiveLanguage(2);
        QCOMPARE(t.changes, 1);
        QCOMPARE(t.lang.language(), QStringLiteral("ENGLISH"));
    }

    void loadingTranslatorWithoutDispatcherOnlyStores()
    {
        TwoLanguages t;
        FakeComponent &label = t.form.addLabel(QStringLiteral("Label1"), QStringLiteral("laid out"));
        t.lang.storedList(ListKind::Captions) = QStringList{e("Label1|Hej|Hello|")};
        t.form.loading = true;
        t.lang.setActiveLanguage(2);
        QCOMPARE(t.lang.activeLanguage(), 2);
        QCOMPARE(t.lang.language(), QStringLiteral("DANSK")); // not updated while loading
        QCOMPARE(t.changes, 0);
        QCOMPARE(label.readString(QStringLiteral("Caption")), QStringLiteral("laid out"));
    }

    void languageSetter()
    {
        TwoLanguages t;
        QCOMPARE(errorOf<LanguageError>([&] { t.lang.setLanguage(QStringLiteral("SVENSK")); }),
                 QStringLiteral("Language name shall be included in LangNames property!"));
        t.lang.setLanguage(QStringLiteral("english"));
        QCOMPARE(t.lang.activeLanguage(), 2);
        QCOMPARE(t.lang.language(), QStringLiteral("ENGLISH")); // the name at the new position
        QCOMPARE(t.changes, 1);
    }

    void langNamesAndDelimiter()
    {
        TwoLanguages t;
        t.lang.setLangNames({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        QCOMPARE(t.lang.numOfLanguages(), 3);
        QCOMPARE(t.lang.language(), QStringLiteral("A"));
        QCOMPARE(t.lang.list(ListKind::DialogTexts).first(), e("Warning|Warning||")); // no top-up this way
        t.lang.setLangDelim(9);
        QCOMPARE(t.lang.list(ListKind::DialogTexts).first(), QStringLiteral("Warning\tWarning\t\t"));
    }

    void wholeListAssignmentAppliesThatList()
    {
        TwoLanguages t;
        FakeComponent &label = t.form.addLabel(QStringLiteral("Label1"), QStringLiteral("x"));
        label.prop(QStringLiteral("Hint")).text = QStringLiteral("old hint");
        t.lang.storedList(ListKind::Hints) = QStringList{e("Label1|Tip|Tip EN|")};
        t.lang.assignList(ListKind::Captions, {e("Label1|Hej|Hello|")});
        QCOMPARE(label.readString(QStringLiteral("Caption")), QStringLiteral("Hej"));
        QCOMPARE(label.readString(QStringLiteral("Hint")), QStringLiteral("old hint"));
        QCOMPARE(t.lang.pendingKind(), int(ListKind::Captions));
        QCOMPARE(t.changes, 1);
        t.lang.assignList(ListKind::DialogTexts, {e("Warning|Advarsel||")});
        QCOMPARE(t.changes, 1);
    }

    // Applied locales change the translator's copy of the formats: a
    // separator takes the first character, a name list the names given, in
    // order, any other item the whole text.
    void appliedLocalesByItem()
    {
        TwoLanguages t;
        t.lang.setChangeLocales(true);
        QStringList expected = t.lang.appliedFormats();
        t.lang.assignList(ListKind::LocaleFormats, {e("Thousand Separator|'x||"), e("Short Date Format|d/M||"),
                                                    e("Long Day Names|Sun,\"Mon day\"||"), e("Time AM String|||")});
        expected[qsizetype(LocaleItem::ThousandSeparator)] = QStringLiteral("'");
        expected[qsizetype(LocaleItem::ShortDateFormat)] = QStringLiteral("d/M");
        QStringList days = expected[qsizetype(LocaleItem::LongDayNames)].split(u',');
        days[0] = QStringLiteral("Sun");
        days[1] = QStringLiteral("Mon day");
        expected[qsizetype(LocaleItem::LongDayNames)] = days.join(u',');
        QCOMPARE(t.lang.appliedFormats(), expected);
    }

    void multiLinesEqualTextLeavesTheListAlone()
    {
        TwoLanguages t;
        FakeComponent &radio = t.form.add(QStringLiteral("RadioGroup1"));
        FakeProperty &items = radio.prop(QStringLiteral("Items"));
        items.kind = i18n::PropertyKind::StringList;
        items.items = QStringList{QStringLiteral("Km/t"), QStringLiteral("Mph")};
        t.lang.storedList(ListKind::StringListProperties) = QStringList{e("RadioGroup1.Items|Km/t,Mph|Km/h,Mph|")};
        t.lang.setActiveLanguage(2);
        QCOMPARE(items.items, (QStringList{QStringLiteral("Km/h"), QStringLiteral("Mph")}));
        QCOMPARE(items.writes, 1);
        t.lang.setActiveLanguage(1);
        QCOMPARE(items.items, (QStringList{QStringLiteral("Km/t"), QStringLiteral("Mph")}));
        QCOMPARE(items.writes, 2);
        // Back to 2 and to 1 with the list already showing the text: no write.
        items.items = QStringList{QStringLiteral("Km/h"), QStringLiteral("Mph")};
        t.lang.setActiveLanguage(2);
        QCOMPARE(items.writes, 2);
    }

    // ---- reading stored text

    // Each text is read with LF and with CRLF line ends alike; a fault is
    // reported with its line.
    void storedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error"); // empty: read, with one caption "a"
        auto row = [](const char *name, const char *properties, const char *error) {
            QTest::newRow(name) << QStringLiteral("object siLang1: TsiLang\n") + QString::fromUtf8(properties) + "end\n"
                                << QString::fromUtf8(error);
        };
        const char *noProperty = "t.lang:2: expected \"<property> = <value>\"";
        row("read", "  Language = Language N1\n  Captions = (\n  |a\n  )\n", "");
        row("list item without |", "  Captions = (\n  nonsense\n  )\n", "t.lang:3: a list item starts with \"|\"");
        row("not a number", "  NumOfLanguages = two\n", "t.lang:2: NumOfLanguages wants a whole number");
        row("unknown property", "  Bogus = 1\n", "t.lang:2: TsiLang has no stored property Bogus");
        row("no =", "  Version\n", noProperty);
        row("empty property name", "  = v5.1.1\n", noProperty);
        row("refused value", "  Language = Nope\n", "Language name shall be included in LangNames property!");
        row("unread but checked", "  DoRaiseExceptions = maybe\n", "t.lang:2: DoRaiseExceptions wants true or false");
        QTest::newRow("no end") << "object siLang1: TsiLang\n"
                                << "t.lang:2: unexpected end of the text";
    }
    void storedText()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        for (const char *eol : {"\n", "\r\n"}) {
            QWidget window;
            i18n::QtForm form(&window, QStringLiteral("TForm1"));
            auto *lang = new Translator(form, &window);
            const QString lines = QString(text).replace(u'\n', QLatin1String(eol));
            QCOMPARE(errorOf([&] { loadStoredText(lines, QStringLiteral("t.lang"), form, *lang); }), error);
            QVERIFY(!form.isLoading());
            if (error.isEmpty())
                QCOMPARE(lang->list(ListKind::Captions), QStringList{QStringLiteral("a")});
        }
    }

    // Values that nothing reads are kept as stored, spelling and order and
    // all, so that writing the tables again changes nothing.
    void unreadValuesAreKeptAsStored()
    {
        const QString text = QStringLiteral("object siLang1: TsiLang\n  DoRaiseExceptions = TRUE\n"
                                            "  StringsTypes = (\n    |TIB_STRINGLIST\n    | TSTRINGLIST\n  )\n"
                                            "  Captions = (\n  )\n  ResourceLanguageIndex = 07 \n"
                                            "  HandleResourceStrings = False\nend\n");
        QWidget window;
        i18n::QtForm form(&window, QStringLiteral("TForm1"));
        auto *lang = new Translator(form, &window);
        loadStoredText(text, QStringLiteral("t.lang"), form, *lang);
        QList<StoredProperty> kept = parseStoredText(text, QStringLiteral("t.lang")).constFirst().properties;
        kept.removeAt(2); // Captions is read
        const QList<StoredProperty> found = storedOnlyProperties(*lang);
        auto fields = [](const StoredProperty &p) { return std::tie(p.name, p.value, p.items, p.isList); };
        QCOMPARE(found.size(), kept.size());
        for (qsizetype i = 0; i < kept.size(); ++i)
            QVERIFY2(fields(found[i]) == fields(kept[i]), qPrintable(kept[i].name));
    }

    // ---- the dispatcher

    void dispatcherSameValueResetsItsLanguage()
    {
        TwoLanguages t;
        LanguageDispatcher d;
        d.setLangNames(kDanskEnglish);
        d.setActiveLanguage(2);
        t.lang.setLangDispatcher(&d);
        QCOMPARE(t.changes, 1);
        // While loading the number switches the translator but leaves
        // Language alone, so it no longer names the active language.
        d.setLoading(true);
        d.setActiveLanguage(1);
        d.setLoading(false);
        QCOMPARE(t.changes, 2);
        QCOMPARE(d.language(), QStringLiteral("ENGLISH"));
        d.setLanguage(QStringLiteral("ENGLISH")); // the same name does nothing
        QCOMPARE(d.activeLanguage(), 1);
        QCOMPARE(t.changes, 2);
        d.setActiveLanguage(1); // the same number re-sets Language, switching nothing
        QCOMPARE(d.language(), QStringLiteral("DANSK"));
        QCOMPARE(t.changes, 2);
    }

    void dispatcherOutOfRangeReachesTheCaller()
    {
        TwoLanguages t;
        LanguageDispatcher d;
        d.setLangNames(kDanskEnglish);
        t.lang.setLangDispatcher(&d);
        QCOMPARE(errorOf<LanguageError>([&] { d.setActiveLanguage(3); }),
                 QStringLiteral("3 - is not a valid property value!\rValue must be within [1..2]!"));
        QCOMPARE(d.activeLanguage(), 3);
        QCOMPARE(d.language(), QStringLiteral("DANSK"));
        QCOMPARE(errorOf<LanguageError>([&] { d.setLanguage(QStringLiteral("SVENSK")); }),
                 QStringLiteral("Language name shall be included in LangNames property!"));
        QCOMPARE(errorOf<LanguageError>([&] { d.setNumOfLanguages(-1); }),
                 QStringLiteral("-1 - is not a valid property value !\rValue must be more than ZERO !"));
        QCOMPARE(d.numOfLanguages(), 2);
    }

    void linkingDuringLoadingSwitchesAtOnce()
    {
        TwoLanguages t;
        LanguageDispatcher d;
        d.setLangNames({QStringLiteral("A"), QStringLiteral("B")});
        d.setActiveLanguage(2);
        int linked = 0;
        connect(&d, &LanguageDispatcher::translatorLinked, this, [&](Translator *lang) { linked += lang == &t.lang; });
        t.form.loading = true;
        t.lang.setLangDispatcher(&d);
        QCOMPARE(t.changes, 1);
        QCOMPARE(linked, 1);
        QCOMPARE(t.lang.langNames(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        QCOMPARE(t.lang.language(), QStringLiteral("B"));
        t.lang.setLangDispatcher(&d); // linked once only
        QCOMPARE(d.linkedTranslators().size(), 1);
    }

    void destroyingTheDispatcherUnlinksEveryTranslator()
    {
        TwoLanguages a, b;
        auto *d = new LanguageDispatcher;
        d->setLangNames(kDanskEnglish);
        a.lang.setLangDispatcher(d);
        b.lang.setLangDispatcher(d);
        d->setActiveLanguage(2);
        QCOMPARE(a.lang.activeLanguage(), 2);
        QCOMPARE(b.lang.activeLanguage(), 2);
        delete d;
        QCOMPARE(a.lang.langDispatcher(), nullptr);
        QCOMPARE(b.lang.langDispatcher(), nullptr);
        // Without a dispatcher a change while loading only stores.
        a.form.loading = true;
        a.lang.setActiveLanguage(1);
        QCOMPARE(a.changes, 1);
        a.form.loading = false;
        a.lang.setActiveLanguage(2);
        QCOMPARE(a.changes, 2);
    }

    void destroyedTranslatorLeavesItsDispatcher()
    {
        LanguageDispatcher d;
        {
            TwoLanguages t;
            t.lang.setLangDispatcher(&d);
            QCOMPARE(d.linkedTranslators().size(), 1);
        }
        QVERIFY(d.linkedTranslators().isEmpty());
        d.setActiveLanguage(1); // nothing dangling
    }

    void dispatcherNamesReachTheTranslators()
    {
        TwoLanguages t;
        LanguageDispatcher d;
        d.setLangNames(kDanskEnglish);
        d.setActiveLanguage(2);
        t.lang.setLangDispatcher(&d);
        d.setLangNames({QStringLiteral("ENGLISH"), QStringLiteral("DANSK"), QStringLiteral("X")});
        QCOMPARE(d.language(), QStringLiteral("DANSK"));
        QCOMPARE(d.numOfLanguages(), 3);
        QCOMPARE(t.lang.numOfLanguages(), 3);
        QCOMPARE(t.lang.language(), QStringLiteral("DANSK"));
        QCOMPARE(t.lang.activeLanguage(), 2);
        d.setNumOfLanguages(4);
        QCOMPARE(d.langNames().constLast(), QStringLiteral("Language N4"));
        QCOMPARE(t.lang.numOfLanguages(), 4);
    }
};

QTEST_MAIN(TestTranslator)
#include "test_translator.moc"

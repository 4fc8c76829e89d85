#include "table_rows.h"

#include "i18n/entries.h"
#include "i18n/tables.h"

#include <QTest>

using namespace i18n;

class TestEntries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entryField_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("language 1") << e("Label30|Km/t||") << 2 << "Km/t";
        QTest::newRow("empty language 2") << e("Label30|Km/t||") << 3 << "";
        QTest::newRow("two fields only") << e("Warning|Warning|") << 3 << "";
        QTest::newRow("key") << e("Warning|Warning|") << 1 << "Warning";
        QTest::newRow("leading D: first text is field 1") << e("|Hej|Hello|") << 1 << "Hej";
        QTest::newRow("leading D: one language off") << e("|Hej|Hello|") << 2 << "Hello";
        QTest::newRow("no delimiter") << e("Label30") << 2 << "";
        QTest::newRow("empty field between texts") << e("a||b|") << 3 << "b";
        QTest::newRow("blanks kept") << e("Chart1|x|Rightclick |") << 3 << "Rightclick ";
        QTest::newRow("field 0") << e("a|b|") << 0 << "";
        QTest::newRow("beyond the end") << e("a|b|c|") << 9 << "";
    }
    void entryField()
    {
        QFETCH(QString, entry);
        QFETCH(int, field);
        QFETCH(QString, expected);
        QCOMPARE(i18n::entryField(entry, field, D), expected);
    }

    void entryKey()
    {
        QCOMPARE(i18n::entryKey(e("Label30|Km/t||"), D), QStringLiteral("Label30"));
        QCOMPARE(i18n::entryKey(e("|Hej|"), D), QString());
        QCOMPARE(i18n::entryKey(e("Lonely"), D), QStringLiteral("Lonely"));
    }

    void findEntryText_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("lower-case key") << "label30" << 1 << "Km/t";
        QTest::newRow("first of two equal keys") << "Copy" << 2 << "First";
        QTest::newRow("locale-aware upper case") << QString::fromUtf8("dækomkreds") << 2 << "Circumference";
        QTest::newRow("no match") << "Missing" << 1 << "";
        QTest::newRow("empty key, one language off") << "" << 1 << "two";
    }
    void findEntryText()
    {
        QFETCH(QString, key);
        QFETCH(int, language);
        QFETCH(QString, expected);
        const QStringList list{e("Label30|Km/t||"), e("Copy|K&opier|First|"), e("COPY|x|Second|"),
                               e("Dækomkreds|Dækomkreds|Circumference|"), e("|one|two|")};
        QCOMPARE(i18n::findEntryText(list, key, language, D), expected);
    }

    void setEntryText_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("language 1") << e("TSetupForm|Indstillinger|Setup|") << 1 << e("TSetupForm|T|Setup|");
        QTest::newRow("language 2") << e("TSetupForm|Indstillinger|Setup|") << 2 << e("TSetupForm|Indstillinger|T|");
        QTest::newRow("appended after the last text") << e("Warning|Warning|") << 2 << e("Warning|Warning|T");
        QTest::newRow("too few delimiters") << e("Warning|Warning") << 2 << e("Warning|Warning");
        QTest::newRow("empty text replaced") << e("Label30|Km/t||") << 2 << e("Label30|Km/t|T|");
        QTest::newRow("language 0 ignored") << e("a|b|c|") << 0 << e("a|b|c|");
    }
    void setEntryText()
    {
        QFETCH(QString, entry);
        QFETCH(int, language);
        QFETCH(QString, expected);
        QStringList list{entry};
        i18n::setEntryText(list, i18n::entryKey(entry, D), language, QStringLiteral("T"), D);
        QCOMPARE(list.first(), expected);
    }

    void setEntryTextWritesOnlyTheFirstMatch()
    {
        QStringList list{e("Other|a|b|"), e("Copy|1|2|"), e("copy|3|4|")};
        i18n::setEntryText(list, QStringLiteral("COPY"), 1, QStringLiteral("T"), D);
        QCOMPARE(list, (QStringList{e("Other|a|b|"), e("Copy|T|2|"), e("copy|3|4|")}));
        i18n::setEntryText(list, QStringLiteral("Missing"), 1, QStringLiteral("T"), D);
        QCOMPARE(list[0], e("Other|a|b|"));
    }

    void commaText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("plain") << "Km/t,Mph" << QStringList{"Km/t", "Mph"};
        QTest::newRow("quoted blank") << "\"a b\",c" << QStringList{"a b", "c"};
        QTest::newRow("blank splits") << "a b" << QStringList{"a", "b"};
        QTest::newRow("trailing comma") << "a," << QStringList{"a", ""};
        QTest::newRow("empty between commas") << "a,,b" << QStringList{"a", "", "b"};
        QTest::newRow("one empty item") << "\"\"" << QStringList{""};
        QTest::newRow("doubled quote") << R"("x""y")" << QStringList{"x\"y"};
        QTest::newRow("unterminated quote") << "\"ab" << QStringList{"ab"};
        QTest::newRow("nothing") << "" << QStringList{};
        QTest::newRow("Danish letters") << QString::fromUtf8("sø,lø")
                                        << QStringList{QString::fromUtf8("sø"), QString::fromUtf8("lø")};
    }
    void commaText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(fromCommaText(text), items);
        // Writing and reading back gives the items again.
        QCOMPARE(fromCommaText(toCommaText(items)), items);
    }

    void commaTextQuotesWhatNeedsIt()
    {
        QCOMPARE(toCommaText({"a b", "c"}), QStringLiteral("\"a b\",c"));
        QCOMPARE(toCommaText({"x\"y", "p,q"}), QStringLiteral("\"x\"\"y\",\"p,q\""));
        QCOMPARE(toCommaText({"DANSK", "ENGLISH"}), QStringLiteral("DANSK,ENGLISH"));
    }

    void charsets()
    {
        QCOMPARE(charsetCode(QStringLiteral("DEFAULT_CHARSET"), Qt::CaseSensitive), 1);
        QCOMPARE(charsetCode(QStringLiteral("default_charset"), Qt::CaseSensitive), -1);
        QCOMPARE(charsetCode(QStringLiteral("default_charset"), Qt::CaseInsensitive), 1);
        QCOMPARE(charsetName(238), QStringLiteral("EASTEUROPE_CHARSET"));
        QCOMPARE(charsetName(3), QString());
    }

    // The end-of-load clean-up.
    void normaliseMakesTabListsUniform()
    {
        StoredTables t;
        t.numOfLanguages = 2;
        t.list(ListKind::Captions) = QStringList{QStringLiteral("TSetupForm\tIndstillinger\tSetup\t")};
        t.list(ListKind::DialogTexts) = QStringList{QStringLiteral("Warning\tWarning\t")};
        t.list(ListKind::Hints) = QStringList{e("Mixed|a\tb|")};
        normaliseTables(t);
        QCOMPARE(t.list(ListKind::Captions).first(), e("TSetupForm|Indstillinger|Setup|"));
        QCOMPARE(t.list(ListKind::Hints).first(), e("Mixed|a|b|"));
        QCOMPARE(t.delim, D);
    }

    void normaliseStoredTabDelimiter()
    {
        StoredTables t;
        t.delim = u'\t';
        t.list(ListKind::OtherTextProperties) = QStringList{QStringLiteral("A.Text\tx\t\t")};
        normaliseTables(t);
        QCOMPARE(t.delim, D);
        QCOMPARE(t.list(ListKind::OtherTextProperties).first(), e("A.Text|x||"));
    }

    void normaliseLeavesCodeOneListsAlone()
    {
        StoredTables t;
        t.numOfLanguages = 2;
        const QStringList captions{e("Tgearform|Ratiomat|Ratiomat|"), e("Label30|Km/t||")};
        t.list(ListKind::Captions) = captions;
        normaliseTables(t);
        QCOMPARE(t.list(ListKind::Captions), captions);
    }

    void normaliseDialogTexts_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("needAll");
        QTest::addColumn<int>("expected");
        QTest::newRow("81 trimmed to the message dialogs") << 81 << false << 15;
        QTest::newRow("81 kept when all are wanted") << 81 << true << 81;
        QTest::newRow("15 completed when all are wanted") << 15 << true << 81;
        QTest::newRow("79 left alone") << 79 << false << 79;
        QTest::newRow("79 left alone, all wanted") << 79 << true << 79;
    }
    void normaliseDialogTexts()
    {
        QFETCH(int, stored);
        QFETCH(bool, needAll);
        QFETCH(int, expected);
        QStringList all = kStandardDialogTexts;
        all << QStringLiteral("New Folder") << QStringLiteral("Folder:");
        StoredTables t;
        t.needAllDlgs = needAll;
        for (int i = 0; i < stored; ++i)
            t.list(ListKind::DialogTexts) << withoutAmpersand(all[i]) + D + all[i] + D;
        normaliseTables(t);
        QCOMPARE(t.list(ListKind::DialogTexts).size(), expected);
        QCOMPARE(i18n::entryKey(t.list(ListKind::DialogTexts).last(), D),
                 withoutAmpersand(all[expected == 15 ? 14 : expected - 1]));
    }

    void normaliseCompletesElevenLocales()
    {
        StoredTables t;
        t.savedFormats = captureFormats(QLocale(QLocale::Danish, QLocale::Denmark));
        for (int i = 0; i < 11; ++i)
            t.list(ListKind::LocaleFormats) << kLocaleItems[i] + D + D + D;
        normaliseTables(t);
        QCOMPARE(t.list(ListKind::LocaleFormats).size(), 15);
        QCOMPARE(i18n::entryKey(t.list(ListKind::LocaleFormats)[11], D), QStringLiteral("Short Month Names"));
        QCOMPARE(i18n::entryField(t.list(ListKind::LocaleFormats)[12], 2, D).split(u',').first(),
                 QStringLiteral("januar"));
        QCOMPARE(i18n::entryField(t.list(ListKind::LocaleFormats)[14], 2, D).split(u',').first(),
                 QString::fromUtf8("søndag"));
    }

    void normaliseDropsExcludedProperties()
    {
        StoredTables t;
        t.list(ListKind::OtherTextProperties) =
            QStringList{e("A.Name|x||"), e("A.Text|x||"), e("B.Text|y||"), e("C.Tag|z||")};
        t.list(ListKind::StringListProperties) = QStringList{e("A.Items|a,b||")};
        t.list(ListKind::FontNames) = QStringList{e("A|Arial||")};
        t.list(ListKind::FontCharsets) = QStringList{e("A|ANSI_CHARSET||")};
        t.list(ListKind::Captions) = QStringList{e("A|x||")};
        t.excludedProperties = QStringList{QStringLiteral("tag"), QStringLiteral("Font")};
        t.smartExcludeProps = QStringList{QStringLiteral("B.Text")};
        normaliseTables(t);
        QCOMPARE(t.list(ListKind::OtherTextProperties), QStringList{e("A.Text|x||")});
        QCOMPARE(t.list(ListKind::StringListProperties).size(), 1);
        QVERIFY(t.list(ListKind::FontNames).isEmpty());
        QVERIFY(t.list(ListKind::FontCharsets).isEmpty());
        QCOMPARE(t.list(ListKind::Captions).size(), 1);
    }

    void topUpDelimiters()
    {
        StoredTables t;
        t.numOfLanguages = 3;
        t.list(ListKind::DialogTexts) = QStringList{e("Warning|Warning|"), e("Full|a|b|c|")};
        t.list(ListKind::Captions) = QStringList{e("A|x|")};
        i18n::topUpDelimiters(t);
        QCOMPARE(t.list(ListKind::DialogTexts), (QStringList{e("Warning|Warning|||"), e("Full|a|b|c|")}));
        QCOMPARE(t.list(ListKind::Captions), QStringList{e("A|x|")});
    }
};

QTEST_GUILESS_MAIN(TestEntries)
#include "test_entries.moc"

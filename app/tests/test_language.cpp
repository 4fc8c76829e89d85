// The main window switched between English and Danish through the language
// dispatcher, as a user sees it, and what the first switch does to the
// window's translation lists.
#include "app/main_window.h"
#include "app/save_picture_dialog.h"
#include "chart/chart.h"
#include "i18n/dispatcher.h"
#include "i18n/entries.h"
#include "i18n/tests/table_rows.h"
#include "i18n/translator.h"
#include "main_window_fixture.h"
#include "platform/two_digit_field.h"
#include "settings/settings_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

using calc::Chainring;
using namespace i18n;

class TestLanguage : public QObject, MainWindowFixture
{
    Q_OBJECT

    QString text(const char *label) const { return form->findChild<QLabel *>(QString::fromLatin1(label))->text(); }
    QString box(int n) const { return form->seriesBox(n)->text(); }
    const QStringList &list(ListKind kind) const { return form->translator()->list(kind); }
    bool hasEntry(ListKind kind, const QString &key) const { return hasKey(list(kind), key); }
    QAction *fileMenuSave() const { return form->menuBar()->actions().at(0)->menu()->actions().at(0); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(reopen());
        QCOMPARE(form->translator()->delim(), D); // the delimiter table_rows.h reads
    }
    void cleanup() { form.reset(); }

    void startsInEnglish()
    {
        QCOMPARE(form->dispatcher()->activeLanguage(), 2);
        QCOMPARE(form->dispatcher()->language(), QStringLiteral("ENGLISH"));
        QCOMPARE(form->translator()->activeLanguage(), 2);
        QCOMPARE(form->pageControl()->tabText(0), QStringLiteral("Setup"));
        QCOMPARE(text("Label43"), QStringLiteral("Circumference"));
    }

    // Every caption, tooltip and status tip of the main window and the
    // settings dialog is its table's text: at start, before the first
    // recalculation writes the cells, and after each switch. (The report
    // form's translator is never switched; the report writes its labels.)
    void everyTextIsItsTables()
    {
        app::MainWindow fresh;
        settings::SettingsDialog dialog;
        for (int language : {2, 1, 2}) { // English first: the start, before any switch
            fresh.dispatcher()->setActiveLanguage(language);
            dialog.setLanguageNumber(language);
            dialog.showInChosenLanguage();
            QCOMPARE(textsOffTheTables(fresh, *fresh.translator(), language), QStringList());
            QCOMPARE(textsOffTheTables(dialog, *dialog.translator(), language), QStringList());
        }
    }

    void danishAndBack()
    {
        form->dispatcher()->setActiveLanguage(1);
        QCOMPARE(form->dispatcher()->language(), QStringLiteral("DANSK"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Ratiomat"));
        QCOMPARE(form->pageControl()->tabText(0), QStringLiteral("Indstillinger"));
        QCOMPARE(form->pageControl()->tabText(1), QStringLiteral("Grafik"));
        QCOMPARE(text("Label43"), QStringLiteral("Dækomkreds"));
        QCOMPARE(text("Label2"), QStringLiteral("Bag/For"));
        QCOMPARE(text("Label5"), QStringLiteral("Kadence"));
        QCOMPARE(box(1), QStringLiteral("Lille"));
        QCOMPARE(box(2), QStringLiteral("Mellem"));
        QCOMPARE(box(3), QStringLiteral("Stor"));
        QCOMPARE(fileMenuSave()->text(), QStringLiteral("&Gem"));
        QCOMPARE(fileMenuSave()->statusTip(), QStringLiteral("Gem grafik som bitmap"));
        QCOMPARE(form->sprocketField(1)->statusTip(), QStringLiteral("Bagkrans"));
        // The result cells show their Danish placeholders and the tooth
        // fields are blank until the settings dialog resets the gearing.
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("BigLabel1"));
        QCOMPARE(form->gearInchCell(Chainring::Small, 1)->text(), QStringLiteral("Label3"));
        QCOMPARE(form->speedCell(Chainring::Small, 9)->text(), QStringLiteral("Label39"));
        QCOMPARE(form->chainringField(Chainring::Big)->fieldText(), QStringLiteral("  "));
        QVERIFY(form->savePictureDialog()->filter().startsWith(QStringLiteral("All (*.jpg;*.jpeg;")));

        form->dispatcher()->setActiveLanguage(2);
        QCOMPARE(form->dispatcher()->language(), QStringLiteral("ENGLISH"));
        QCOMPARE(text("Label43"), QStringLiteral("Circumference"));
        QCOMPARE(form->pageControl()->tabText(1), QStringLiteral("Chart"));
        QCOMPARE(fileMenuSave()->text(), QStringLiteral("&Save"));
        QCOMPARE(box(3), QStringLiteral("Large"));
        // The sprocket axis has one title in both languages.
        QCOMPARE(form->chart()->axis(chart::AxisId::Left).title(), QStringLiteral("Kassette"));
        // Texts whose English entry is empty keep what Danish left.
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("BigLabel1"));
        QVERIFY(form->savePictureDialog()->filter().startsWith(QStringLiteral("All (*.jpg;*.jpeg;")));
        QCOMPARE(form->action(QStringLiteral("Copy"))->property("Category").toString(), QString());
    }

    // The Danish table carries its own number formats, which are never
    // applied: the machine's decimal separator stays in force through a
    // switch and back, for the process and for the results, whatever the
    // machine's regional settings are.
    void decimalSeparatorSurvivesTheSwitch()
    {
        const QChar system = QLocale::system().decimalPoint().front();
        const QChar current = QLocale().decimalPoint().front();
        form = openMainWindow(std::nullopt);
        QVERIFY(form);
        QCOMPARE(form->decimalSeparator(), system);
        QLabel *cell = form->gearInchCell(Chainring::Big, 1);
        const QString result = cell->text(), big = form->chainringField(Chainring::Big)->fieldText(),
                      sprocket = form->sprocketField(1)->fieldText();
        QCOMPARE(result, QStringLiteral("116") + system + u'2');
        for (int language : {1, 2}) {
            form->dispatcher()->setActiveLanguage(language);
            QCOMPARE(QLocale().decimalPoint().front(), current);
            QCOMPARE(form->decimalSeparator(), system);
        }
        form->chainringField(Chainring::Big)->setFieldText(big);
        form->sprocketField(1)->setFieldText(sprocket);
        QCOMPARE(cell->text(), result);
    }

    void firstSwitchBringsTheListsUpToDate()
    {
        QVERIFY(hasEntry(ListKind::Captions, QStringLiteral("Gem1")));
        QVERIFY(hasEntry(ListKind::FontNames, QStringLiteral("Label43")));
        QCOMPARE(keysOf(list(ListKind::Hints)).constFirst(), QStringLiteral("PageControl1"));
        form->dispatcher()->setActiveLanguage(1);
        // The first hint entry now stands for the window itself, and the page
        // control has an entry of its own again.
        QCOMPARE(keysOf(list(ListKind::Hints)).constFirst(), QStringLiteral("Tgearform"));
        QVERIFY(hasEntry(ListKind::Hints, QStringLiteral("PageControl1")));
        // Menu items and tool buttons take their texts from their actions.
        for (const char *key : {"Gem1", "Udskriv2", "ToolButton6", "Dansk1"}) {
            QVERIFY2(!hasEntry(ListKind::Captions, QString::fromLatin1(key)), key);
            QVERIFY2(!hasEntry(ListKind::Hints, QString::fromLatin1(key)), key);
        }
        QVERIFY(hasEntry(ListKind::Captions, QStringLiteral("Save")));
        // Controls whose font follows their parent have no font entry; the
        // window's font name is stored as its English text.
        QVERIFY(!hasEntry(ListKind::FontNames, QStringLiteral("Label43")));
        QVERIFY(hasEntry(ListKind::FontNames, QStringLiteral("PageControl1")));
        QCOMPARE(findEntryText(list(ListKind::FontNames), QStringLiteral("Tgearform"), 2, D),
                 QStringLiteral("MS Sans Serif"));
    }

    void sameLanguageDoesNothing()
    {
        const QStringList before = list(ListKind::Captions);
        form->sprocketField(1)->setFieldText(QStringLiteral("11"));
        form->dispatcher()->setActiveLanguage(2);
        QCOMPARE(list(ListKind::Captions), before);
        QCOMPARE(form->sprocketField(1)->fieldText(), QStringLiteral("11"));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"

// Each translated window's stored tables, as its folder compiles them in:
// they load the way the window reads them, and the stored component names
// agree wherever they are written: the window's stored order, the
// objectNames its build code gives, the keys of its tables and its map in
// docs/architecture.md.
#include "app/main_window.h"
#include "app/startup.h"
#include "i18n/components.h"
#include "i18n/dispatcher.h"
#include "i18n/entries.h"
#include "i18n/stored_tables.h"
#include "i18n/tables.h"
#include "i18n/tests/table_rows.h"
#include "i18n/tests/translator_fixture.h"
#include "i18n/translator.h"
#include "report/report_form.h"
#include "report/string_grid.h"
#include "settings/settings_dialog.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

using namespace i18n;

namespace {

struct Translated
{
    std::unique_ptr<QObject> window;
    i18n::Translator *translator;
    QStringList order;
};
using Open = std::function<Translated()>;

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

// The component names keyed by the translator's tables: each item's key up
// to its first delimiter, without a ".Property" suffix.
QStringList tableNames(const QString &path)
{
    const QStringList keyed{QStringLiteral("Captions"),   QStringLiteral("Hints"),        QStringLiteral("Fonts"),
                            QStringLiteral("MultiLines"), QStringLiteral("OtherStrings"), QStringLiteral("CharSets")};
    static const QRegularExpression delimiter(QStringLiteral("[\\x01\\t.]"));
    QStringList names;
    for (const i18n::StoredObject &object : i18n::parseStoredText(readText(path), path))
        for (const i18n::StoredProperty &p : object.properties)
            if (keyed.contains(p.name))
                for (const QString &item : p.items)
                    names << item.section(delimiter, 0, 0);
    return names;
}

// The names in the first column of the map under the heading that holds
// `classKey`; `Name1..9` stands for Name1 to Name9.
QStringList mapNames(const QString &doc, const QString &classKey)
{
    static const QRegularExpression quoted(QStringLiteral("`([^`]+)`"));
    static const QRegularExpression run(QStringLiteral("^(\\D+)(\\d+)\\.\\.(\\d+)$"));
    QStringList names;
    bool inSection = false;
    for (const QString &line : doc.split(u'\n')) {
        if (line.startsWith(QLatin1String("#")))
            inSection = line.startsWith(QLatin1String("### ")) && line.contains(u'`' + classKey + u'`');
        if (!inSection || !line.startsWith(QLatin1String("| ")) || line.startsWith(QLatin1String("| Stored name")))
            continue;
        for (const QRegularExpressionMatch &m : quoted.globalMatch(line.section(u'|', 1, 1))) {
            const QRegularExpressionMatch r = run.match(m.captured(1));
            if (!r.hasMatch())
                names << m.captured(1);
            for (int i = r.captured(2).toInt(); r.hasMatch() && i <= r.captured(3).toInt(); ++i)
                names << r.captured(1) + QString::number(i);
        }
    }
    return names;
}

} // namespace

Q_DECLARE_METATYPE(Open)

class TestStoredNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { app::prepareApplication(); }

    // Every list of the stored tables reads with the code-1 delimiter,
    // whatever the file stores, loaded into a bare window of the class.
    void storedTablesLoad_data() { namesAgree_data(); }
    void storedTablesLoad()
    {
        QFETCH(Open, open);
        QFETCH(QString, tables);
        const QString className = open().translator->form().className();
        QWidget window;
        i18n::QtForm form(&window, className);
        auto *lang = new Translator(form, &window);
        LanguageDispatcher dispatcher;
        loadStoredTables(tables, form, *lang, &dispatcher);
        QVERIFY(!form.isLoading());
        QCOMPARE(lang->version(), QStringLiteral("v5.1.1"));
        QCOMPARE(lang->langDelim(), 1);
        QCOMPARE(lang->numOfLanguages(), 2);
        for (int kind = 0; kind < kListCount; ++kind)
            for (const QString &entry : lang->list(ListKind(kind)))
                QVERIFY2(!entry.contains(u'\t'), qPrintable(entry));
        // Month and day names from the machine complete the stored items.
        const QStringList &locales = lang->list(ListKind::LocaleFormats);
        const QLocale machine = QLocale::system();
        QCOMPARE(entryKey(locales[11], D), QStringLiteral("Short Month Names"));
        QCOMPARE(entryField(locales[14], 1, D), QStringLiteral("Long Day Names"));
        if (className != QLatin1String("Tgearform")) {
            QCOMPARE(entryField(locales[12], 2, D).split(u',').value(1), machine.monthName(2));
            QCOMPARE(entryField(locales[14], 2, D).split(u',').first(), machine.dayName(7));
            QCOMPARE(entryField(locales[13], 2, D).split(u',').size(), 7);
        } else {
            QCOMPARE(entryField(locales[12], 2, D).split(u',').value(1), QStringLiteral("februar"));
        }
    }

    void mainWindowLoad()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("gearform"));
        auto *dispatcher = named(new LanguageDispatcher(&window), "siLangDispatcher1");
        auto *label = named(new QLabel(QStringLiteral("Circumference"), &window), "Label43");
        i18n::QtForm form(&window, QStringLiteral("Tgearform"), {label, dispatcher});
        auto *lang = named(new Translator(form, &window), "siLang1");
        const QSignalSpy changes(lang, &Translator::languageChanged);
        loadStoredTables(app::MainWindow::storedTablesPath(), form, *lang, dispatcher);

        // ActiveLanguage 2 took effect because NumOfLanguages 2 came first;
        // the generated names were replaced by the stored ones.
        QCOMPARE(lang->activeLanguage(), 2);
        QCOMPARE(lang->langNames(), kDanskEnglish);
        QCOMPARE(lang->language(), QStringLiteral("ENGLISH"));
        QCOMPARE(lang->langDispatcher(), dispatcher);
        QCOMPARE(dispatcher->linkedTranslators(), QList<Translator *>{lang});
        QCOMPARE(dispatcher->activeLanguage(), 2);
        QCOMPARE(dispatcher->language(), QStringLiteral("ENGLISH"));
        // Nothing was applied: the window shows its laid-out texts.
        QCOMPARE(changes.count(), 0);
        QCOMPARE(label->text(), QStringLiteral("Circumference"));
        QCOMPARE(window.windowTitle(), QString());

        const QStringList &captions = lang->list(ListKind::Captions);
        QCOMPARE(captions.first(), e("Tgearform|Ratiomat|Ratiomat|"));
        QCOMPARE(findEntryText(captions, QStringLiteral("Label43"), 1, D), QString::fromUtf8("Dækomkreds"));
        QCOMPARE(findEntryText(captions, QStringLiteral("SmallLabel2"), 1, D), QStringLiteral("Label13"));
        QCOMPARE(findEntryText(lang->list(ListKind::Hints), QStringLiteral("Chart1"), 2, D),
                 QStringLiteral("Rightclick "));
        QCOMPARE(findEntryText(lang->list(ListKind::Hints), QStringLiteral("MaskEdit12"), 2, D), QStringLiteral(" "));
        QCOMPARE(lang->list(ListKind::FontCharsets)[0], e("Tgearform|DEFAULT_CHARSET||"));
        QCOMPARE(lang->list(ListKind::FontCharsets)[29], e("Panel2|DEFAULT_CHARSET|"));
        QCOMPARE(lang->list(ListKind::FontCharsets)[30], e("BigLabel1|||"));
        QCOMPARE(findEntryText(lang->list(ListKind::OtherTextProperties), QStringLiteral("MaskEdit5.Text"), 1, D),
                 QStringLiteral("  "));
        QCOMPARE(lang->list(ListKind::DialogTexts)[28],
                 QStringLiteral("|Solid") + D + QStringLiteral("|S&olid") + D + D);
    }

    void settingsDialogReadsLikeTheMainWindow()
    {
        QWidget window;
        i18n::QtForm form(&window, QStringLiteral("TSetupForm"));
        auto *lang = new Translator(form, &window);
        loadStoredTables(settings::SettingsDialog::storedTablesPath(), form, *lang);
        QCOMPARE(lang->activeLanguage(), 1);
        QCOMPARE(lang->langNames(), (QStringList{QStringLiteral("LANGUAGE N1"), QStringLiteral("LANGUAGE N2")}));
        QCOMPARE(lang->language(), QStringLiteral("LANGUAGE N1"));
        QCOMPARE(lang->langDispatcher(), nullptr);
        QCOMPARE(lang->list(ListKind::Captions).first(), e("TSetupForm|Indstillinger|Setup|"));
        QCOMPARE(lang->list(ListKind::DialogTexts).first(), e("Warning|Warning|"));
        QCOMPARE(findEntryText(lang->list(ListKind::LocaleFormats), QStringLiteral("Short Date Format"), 1, D),
                 QStringLiteral("dd-MM-yyyy"));
        QCOMPARE(findEntryText(lang->list(ListKind::Captions), QStringLiteral("checkbox1"), 1, D),
                 QStringLiteral("Gradient"));
    }

    void namesAgree_data()
    {
        QTest::addColumn<Open>("open");
        QTest::addColumn<QString>("tables");
        QTest::newRow("main window") << Open([] {
            auto w = std::make_unique<app::MainWindow>();
            i18n::Translator *t = w->translator();
            return Translated{std::move(w), t, app::MainWindow::storedComponentOrder()};
        }) << app::MainWindow::storedTablesPath();
        QTest::newRow("settings dialog") << Open([] {
            auto w = std::make_unique<settings::SettingsDialog>();
            i18n::Translator *t = w->translator();
            return Translated{std::move(w), t, settings::SettingsDialog::storedComponentOrder()};
        }) << settings::SettingsDialog::storedTablesPath();
        QTest::newRow("report form") << Open([] {
            auto w = std::make_unique<report::ReportForm>();
            i18n::Translator *t = w->translator();
            return Translated{std::move(w), t, report::ReportForm::storedComponentOrder()};
        }) << report::ReportForm::storedTablesPath();
    }

    // A name names a component when the window's form finds one by it, as
    // the translator does; the window's own names (its stored type,
    // instance and translator) count too.
    void namesAgree()
    {
        QFETCH(Open, open);
        QFETCH(QString, tables);
        const Translated w = open();
        const i18n::Form &form = w.translator->form();
        const QStringList own{form.className(), form.instanceName(), w.translator->objectName()};
        auto check = [&](const QStringList &names, const char *where) {
            QVERIFY2(!names.isEmpty(), where); // a source that lists nothing checks nothing
            for (const QString &name : names)
                QVERIFY2(form.findComponent(name) || own.contains(name, Qt::CaseInsensitive),
                         qPrintable(QStringLiteral("%1 names no component: %2").arg(QLatin1String(where), name)));
        };
        check(w.order, "stored order");
        check(tableNames(tables), qPrintable(tables));
        const QString doc = readText(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../docs/architecture.md"));
        check(mapNames(doc, form.className()), "docs/architecture.md");

        // Qt names its own inner parts "qt_..." or "_...", and names some in
        // holders it leaves unnamed (a tab bar's scroll buttons).
        auto qtInner = [&w](const QObject *o) {
            const QString n = o->objectName(), holder = o->parent()->objectName();
            return n.isEmpty() || n.startsWith(u'_') || n.startsWith(QLatin1String("qt_")) ||
                   (holder.isEmpty() && o->parent() != w.window.get());
        };
        for (const QObject *o : w.window->findChildren<QObject *>())
            if (o != w.translator && !qtInner(o))
                QVERIFY2(w.order.contains(o->objectName(), Qt::CaseInsensitive),
                         qPrintable(QStringLiteral("component missing from the stored order: ") + o->objectName()));
    }
};

QTEST_MAIN(TestStoredNames)
#include "test_stored_names.moc"

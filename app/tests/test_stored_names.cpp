// The stored component names of each translated window agree wherever they
// are written: its stored order, the objectNames its build code gives, the
// keys of its stored tables and its map in docs/architecture.md.
#include "app/main_window.h"
#include "app/startup.h"
#include "i18n/dispatcher.h"
#include "i18n/stored_tables.h"
#include "i18n/translator.h"
#include "report/report_form.h"
#include "report/string_grid.h"
#include "settings/settings_dialog.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

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

    void namesAgree_data()
    {
        QTest::addColumn<Open>("open");
        QTest::addColumn<QString>("tables");
        QTest::newRow("main window") << Open([] {
            auto w = std::make_unique<app::MainWindow>();
            i18n::Translator *t = w->translator();
            return Translated{std::move(w), t, app::MainWindow::storedComponentOrder()};
        }) << i18n::kMainWindowTables;
        QTest::newRow("settings dialog") << Open([] {
            auto w = std::make_unique<settings::SettingsDialog>();
            i18n::Translator *t = w->translator();
            return Translated{std::move(w), t, settings::SettingsDialog::storedComponentOrder()};
        }) << i18n::kSettingsDialogTables;
        QTest::newRow("report form") << Open([] {
            auto w = std::make_unique<report::ReportForm>();
            i18n::Translator *t = w->translator();
            return Translated{std::move(w), t, report::ReportForm::storedComponentOrder()};
        }) << i18n::kReportFormTables;
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

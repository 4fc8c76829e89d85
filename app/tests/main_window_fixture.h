#pragma once

#include "app/main_window.h"
#include "app/startup.h"
#include "i18n/components.h"
#include "i18n/entries.h"
#include "i18n/translator.h"
#include "platform/error_display.h"
#include "platform/menu_item.h"
#include "report/preview_report.h"
#include "report/printers.h"
#include "report/report_form.h"
#include "report/report_lifetime.h"
#include "report/report_preview_window.h"
#include "report/tests/report_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>

// A fresh main window as a rider first sees it: shown, so the gearing has
// been reset, with the decimal separator pinned for exact texts (no
// separator: the machine's own). Empty when the window could not be shown.
inline std::unique_ptr<app::MainWindow> openMainWindow(std::optional<QChar> separator = u'.')
{
    app::prepareApplication();
    auto form = std::make_unique<app::MainWindow>();
    if (separator)
        form->setDecimalSeparator(*separator);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

// Every text a user can read on a window: each component's text-like
// properties, tab captions and list items, keyed by the component's name, in
// the window's own order. Two snapshots compare whole windows.
inline QStringList shownTexts(const QObject *window)
{
    QStringList out;
    auto add = [&out](const QObject *o) {
        const QString key = o->objectName() + u'.';
        for (const char *p : {"text", "title", "windowTitle", "statusTip", "toolTip", "Caption", "Hint"})
            if (const QString v = o->property(p).toString(); !v.isEmpty())
                out << key + QLatin1String(p) + u'=' + v;
        if (auto *tabs = qobject_cast<const QTabWidget *>(o))
            for (int i = 0; i < tabs->count(); ++i)
                out << key + QStringLiteral("tab=") + tabs->tabText(i);
        if (auto *list = qobject_cast<const QComboBox *>(o))
            for (int i = 0; i < list->count(); ++i)
                out << key + QStringLiteral("item=") + list->itemText(i);
    };
    add(window);
    for (const QObject *o : window->findChildren<QObject *>())
        add(o);
    return out;
}

// Where a window's texts differ from its translator's tables in `language`
// (1 Danish, 2 English): each caption, and each hint as tooltip and status
// tip alike, of every entry whose text in that language is not empty; the
// first entry is the window itself. Nothing is compared when the tables
// have no such entries, which is a difference too.
inline QStringList textsOffTheTables(QWidget &window, const i18n::Translator &translator, int language)
{
    QStringList off;
    int compared = 0;
    const QChar d = translator.delim();
    for (const i18n::ListKind kind : {i18n::ListKind::Captions, i18n::ListKind::Hints}) {
        const QStringList &list = translator.list(kind);
        for (const QString &entry : list) {
            const QString key = i18n::entryKey(entry, d), want = i18n::entryField(entry, language + 1, d);
            QObject *o = &entry == &list.front() ? &window : window.findChild<QObject *>(key);
            if (want.isEmpty() || !o)
                continue;
            // Menu items and tool buttons show their actions' texts.
            if (auto *item = qobject_cast<platform::MenuItem *>(o))
                o = item->action() ? item->action() : item->entry();
            else if (auto *button = qobject_cast<QToolButton *>(o); button && button->defaultAction())
                o = button->defaultAction();
            const QStringList seen =
                kind == i18n::ListKind::Captions
                    ? QStringList{i18n::QtComponent(o).readString(QStringLiteral("Caption"))}
                    : QStringList{o->property("toolTip").toString(), o->property("statusTip").toString()};
            ++compared;
            for (const QString &text : seen)
                if (text != want)
                    off << QStringLiteral("%1: \"%2\" where the table says \"%3\"").arg(key, text, want);
        }
    }
    if (compared == 0)
        off << QStringLiteral("no texts to compare");
    return off;
}

// Runs `command` while `look` is queued to see the modal dialog or the window
// it opens; `look` must close it. What the command released is gone
// afterwards, as after the event loop's next pass.
inline void whileOpen(const std::function<void()> &command, const std::function<void()> &look)
{
    QTimer::singleShot(0, qApp, look);
    command();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the Report command with a default printer; `look` sees its preview
// while it is open. Whether a preview opened.
inline bool withReportPreview(app::MainWindow &form, const std::function<void(report::ReportPreviewWindow &)> &look)
{
    report::setPrinterLookup([] { return std::optional(report::PrinterChoice{}); });
    return report_test::withOpenPreview([&] { form.action(QStringLiteral("Report"))->trigger(); }, look);
}

// Runs `command`, which opens a modal dialog; `look` sees the dialog, which
// is then closed.
inline void withModal(const std::function<void()> &command, const std::function<void(QWidget &)> &look)
{
    whileOpen(command, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        look(*dialog);
        dialog->close();
    });
}

// The Report command as the rider runs it, with the report printed to a PDF
// file from its preview: the page's text as pdftotext lays it out (empty
// when no preview opened).
inline QString reportText(app::MainWindow &form)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const bool opened = withReportPreview(form, [&](report::ReportPreviewWindow &) {
        report_test::PdfPrinter printer(pdf);
        report::ReportLifetime::currentForm()->reportPage()->print(printer);
    });
    return opened ? report_test::pdfLayoutText(pdf) : QString();
}

// The window a suite works on, fresh for every test, and the error messages
// it showed (once collectErrors() has routed them here instead of a box).
struct MainWindowFixture
{
    QStringList errors;
    std::unique_ptr<app::MainWindow> form;

    void collectErrors()
    {
        app::prepareApplication();
        platform::setErrorSink([this](const QString &m) { errors << m; });
    }
    // For init(): no errors yet and a new window; false when it cannot be shown.
    bool reopen()
    {
        errors.clear();
        form = openMainWindow();
        return form != nullptr;
    }
};

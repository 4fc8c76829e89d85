// The Setup command: the settings dialog filled from the chart and the
// language dispatcher, and what OK and Cancel do.
#include "app/main_window.h"
#include "app/startup.h"
#include "chart/chart.h"
#include "i18n/dispatcher.h"
#include "main_window_fixture.h"
#include "platform/two_digit_field.h"
#include "settings/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

using calc::Chainring;

class TestSettingsDialog : public QObject, MainWindowFixture
{
    Q_OBJECT

    struct Seen
    {
        QString caption;
        int bar = -1;
        bool gradient = false;
        QString language;
        QStringList texts;
    };

    // Runs the Setup command; `act` works on the open dialog, then OK or
    // Cancel closes it. Returns what the dialog showed when it opened.
    Seen runSetup(const std::function<void(settings::SettingsDialog *)> &act, bool ok)
    {
        Seen seen;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<settings::SettingsDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen.caption = dialog->windowTitle();
            seen.bar = dialog->trackBar()->value();
            seen.gradient = dialog->gradientBox()->isChecked();
            seen.language = dialog->languageList()->currentText();
            act(dialog);
            seen.texts = shownTexts(dialog);
            (ok ? dialog->okButton() : dialog->cancelButton())->click();
        });
        form->action(QStringLiteral("Setup"))->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the dialog is gone
        return seen;
    }

    // The dialog's caption among its texts, as shownTexts() keys it.
    static QString captionOf(const QStringList &texts)
    {
        return texts.filter(QStringLiteral(".windowTitle=")).value(0).section(u'=', 1);
    }

    // The About box's texts, read while it is open.
    QStringList aboutTexts()
    {
        QStringList texts;
        withModal([this] { form->showAbout(); }, [&](QWidget &box) { texts = shownTexts(&box); });
        return texts;
    }

    static void pick(settings::SettingsDialog *dialog, int index)
    {
        dialog->languageList()->setCurrentIndex(index);
        Q_EMIT dialog->languageList()->activated(index);
    }

private Q_SLOTS:
    void init() { QVERIFY(reopen()); }
    void cleanup() { form.reset(); }

    // OK with nothing changed resets the gearing and leaves every text of
    // the window as it was.
    void opensWithTheStartSettings()
    {
        const QStringList texts = shownTexts(form.get());
        form->sprocketField(1)->setFieldText(QStringLiteral("11"));
        const Seen seen = runSetup([](settings::SettingsDialog *) {}, true);
        QCOMPARE(seen.caption, QStringLiteral("Setup"));
        QCOMPARE(seen.bar, 0);
        QCOMPARE(seen.gradient, false);
        QCOMPARE(seen.language, QStringLiteral("ENGLISH"));
        QVERIFY(!form->chart()->view3D());
        QCOMPARE(form->chart()->chart3DPercent(), 15);
        QCOMPARE(form->sprocketField(1)->fieldText(), QStringLiteral("12")); // OK resets the gearing
        QCOMPARE(shownTexts(form.get()), texts);
    }

    void depthFromTheBar()
    {
        runSetup([](settings::SettingsDialog *d) { d->trackBar()->setValue(40); }, true);
        QVERIFY(form->chart()->view3D());
        QCOMPARE(form->chart()->chart3DPercent(), 40);
        QCOMPARE(runSetup([](settings::SettingsDialog *d) { d->trackBar()->setValue(0); }, true).bar, 40);
        QVERIFY(!form->chart()->view3D());
        QCOMPARE(form->chart()->chart3DPercent(), 40); // 0 is never written as a depth
        QCOMPARE(runSetup([](settings::SettingsDialog *) {}, false).bar, 0);
    }

    void gradient()
    {
        // A click right of the caption, inside the box's 97 x 17 pixels.
        runSetup(
            [](settings::SettingsDialog *d) {
                QTest::mouseClick(d->gradientBox(), Qt::LeftButton, {}, {96, 16});
            },
            true);
        QVERIFY(form->chart()->gradientVisible());
        QCOMPARE(runSetup([](settings::SettingsDialog *) {}, false).gradient, true);
    }

    void pickingDanishPreviewsItThenCancelChangesNothing()
    {
        form->sprocketField(1)->setFieldText(QStringLiteral("11"));
        const Seen seen = runSetup([](settings::SettingsDialog *d) { pick(d, 0); }, false);
        QCOMPARE(captionOf(seen.texts), QStringLiteral("Indstillinger"));
        for (const char *text : {"Label1.text=3D", "CheckBox1.text=Gradient", "BitBtn1.text=OK", "BitBtn2.text=Cancel"})
            QVERIFY2(seen.texts.contains(QLatin1String(text)), text);
        QCOMPARE(form->dispatcher()->activeLanguage(), 2);
        QCOMPARE(form->pageControl()->tabText(0), QStringLiteral("Setup"));
        QCOMPARE(form->sprocketField(1)->fieldText(), QStringLiteral("11"));
        QVERIFY(!form->chart()->view3D());
    }

    void languageListAnswersTheKeyboard()
    {
        const Seen seen =
            runSetup([](settings::SettingsDialog *d) { QTest::keyClick(d->languageList(), Qt::Key_Up); }, false);
        QCOMPARE(captionOf(seen.texts), QStringLiteral("Indstillinger"));
    }

    // In English only the caption differs from Danish.
    void englishDiffersOnlyInTheCaption()
    {
        const QStringList english = runSetup([](settings::SettingsDialog *) {}, false).texts;
        const QStringList danish = runSetup([](settings::SettingsDialog *d) { pick(d, 0); }, false).texts;
        QCOMPARE(captionOf(english), QStringLiteral("Setup"));
        QCOMPARE(QStringList(english).replaceInStrings(QStringLiteral(".windowTitle=Setup"),
                                                       QStringLiteral(".windowTitle=Indstillinger")),
                 danish);
    }

    // The About box has no translator and the report form's is never
    // switched: after DANSK + OK both read as before, in English.
    void danishLeavesTheAboutBoxAndTheReportAlone()
    {
        const QStringList about = aboutTexts();
        const QString report = reportText(*form);
        QVERIFY2(report.contains(QStringLiteral("Gear")) && report.contains(report::ReportForm::kCopyright),
                 qPrintable(report));
        runSetup([](settings::SettingsDialog *d) { pick(d, 0); }, true);
        QCOMPARE(form->dispatcher()->activeLanguage(), 1);
        QCOMPARE(aboutTexts(), about);
        QCOMPARE(reportText(*form), report);
    }

    void danishAndOk()
    {
        runSetup([](settings::SettingsDialog *d) { pick(d, 0); }, true);
        QCOMPARE(form->dispatcher()->activeLanguage(), 1);
        QCOMPARE(form->pageControl()->tabText(0), QStringLiteral("Indstillinger"));
        // The reset put the gearing back: no placeholder and no blank field.
        QCOMPARE(form->chainringField(Chainring::Big)->fieldText(), QStringLiteral("53"));
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("116.2"));
        QCOMPARE(form->speedCell(Chainring::Small, 9)->text(), QStringLiteral("19.2"));

        const Seen again = runSetup([](settings::SettingsDialog *d) { pick(d, 1); }, false);
        QCOMPARE(again.caption, QStringLiteral("Indstillinger"));
        QCOMPARE(again.language, QStringLiteral("DANSK"));
        QCOMPARE(captionOf(again.texts), QStringLiteral("Setup")); // the preview follows the list at once
        QCOMPARE(form->dispatcher()->activeLanguage(), 1);         // the main window only on OK
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settings_dialog.moc"

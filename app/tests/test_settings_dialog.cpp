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
    Seen runSetup(const std::function<void(SettingsDialog *)> &act, bool ok)
    {
        Seen seen;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<SettingsDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen.caption = dialog->windowTitle();
            seen.bar = dialog->trackBar()->value();
            seen.gradient = dialog->gradientBox()->isChecked();
            seen.language = dialog->languageList()->currentText();
            act(dialog);
            seen.texts =
                QStringList{dialog->windowTitle(), dialog->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                            dialog->gradientBox()->text(), dialog->okButton()->text(), dialog->cancelButton()->text()};
            (ok ? dialog->okButton() : dialog->cancelButton())->click();
        });
        form->action(QStringLiteral("Setup"))->trigger();
        return seen;
    }

    static void pick(SettingsDialog *dialog, int index)
    {
        dialog->languageList()->setCurrentIndex(index);
        Q_EMIT dialog->languageList()->activated(index);
    }

private Q_SLOTS:
    void init() { QVERIFY(reopen()); }
    void cleanup() { form.reset(); }

    void opensWithTheStartSettings()
    {
        form->sprocketField(1)->setFieldText(QStringLiteral("11"));
        const Seen seen = runSetup([](SettingsDialog *) {}, true);
        QCOMPARE(seen.caption, QStringLiteral("Setup"));
        QCOMPARE(seen.bar, 0);
        QCOMPARE(seen.gradient, false);
        QCOMPARE(seen.language, QStringLiteral("ENGLISH"));
        QVERIFY(!form->chart()->view3D());
        QCOMPARE(form->chart()->chart3DPercent(), 15);
        QCOMPARE(form->sprocketField(1)->fieldText(), QStringLiteral("12")); // OK resets the gearing
    }

    void depthFromTheBar()
    {
        runSetup([](SettingsDialog *d) { d->trackBar()->setValue(40); }, true);
        QVERIFY(form->chart()->view3D());
        QCOMPARE(form->chart()->chart3DPercent(), 40);
        QCOMPARE(runSetup([](SettingsDialog *d) { d->trackBar()->setValue(0); }, true).bar, 40);
        QVERIFY(!form->chart()->view3D());
        QCOMPARE(form->chart()->chart3DPercent(), 40); // 0 is never written as a depth
        QCOMPARE(runSetup([](SettingsDialog *) {}, false).bar, 0);
    }

    void gradient()
    {
        runSetup([](SettingsDialog *d) { d->gradientBox()->setChecked(true); }, true);
        QVERIFY(form->chart()->gradientVisible());
        QCOMPARE(runSetup([](SettingsDialog *) {}, false).gradient, true);
    }

    void pickingDanishPreviewsItThenCancelChangesNothing()
    {
        form->sprocketField(1)->setFieldText(QStringLiteral("11"));
        const Seen seen = runSetup([](SettingsDialog *d) { pick(d, 0); }, false);
        QCOMPARE(seen.texts, (QStringList{"Indstillinger", "3D", "Gradient", "OK", "Cancel"}));
        QCOMPARE(form->dispatcher()->activeLanguage(), 2);
        QCOMPARE(form->pageControl()->tabText(0), QStringLiteral("Setup"));
        QCOMPARE(form->sprocketField(1)->fieldText(), QStringLiteral("11"));
        QVERIFY(!form->chart()->view3D());
    }

    void languageListAnswersTheKeyboard()
    {
        const Seen seen = runSetup([](SettingsDialog *d) { QTest::keyClick(d->languageList(), Qt::Key_Up); }, false);
        QCOMPARE(seen.texts.front(), QStringLiteral("Indstillinger"));
    }

    void danishAndOk()
    {
        runSetup([](SettingsDialog *d) { pick(d, 0); }, true);
        QCOMPARE(form->dispatcher()->activeLanguage(), 1);
        QCOMPARE(form->pageControl()->tabText(0), QStringLiteral("Indstillinger"));
        // The reset put the gearing back: no placeholder and no blank field.
        QCOMPARE(form->chainringField(Chainring::Big)->fieldText(), QStringLiteral("53"));
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("116.2"));
        QCOMPARE(form->speedCell(Chainring::Small, 9)->text(), QStringLiteral("19.2"));

        const Seen again = runSetup([](SettingsDialog *d) { pick(d, 1); }, false);
        QCOMPARE(again.caption, QStringLiteral("Indstillinger"));
        QCOMPARE(again.language, QStringLiteral("DANSK"));
        QCOMPARE(again.texts.front(), QStringLiteral("Setup")); // the preview follows the list at once
        QCOMPARE(form->dispatcher()->activeLanguage(), 1);      // the main window only on OK
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "test_settings_dialog.moc"

// The main window as a rider meets it: start-up values, the recalculation
// wiring, the cadence rule, tabs and commands, and the error display.
#include "app/main_window.h"
#include "chart/chart.h"
#include "chart/speed_range_series.h"
#include "i18n/dispatcher.h"
#include "main_window_fixture.h"
#include "platform/error_display.h"
#include "platform/int_spin_field.h"
#include "platform/radio_group.h"
#include "platform/two_digit_field.h"

#include <QAccessible>
#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

using calc::Chainring;

class TestMainWindow : public QObject, MainWindowFixture
{
    Q_OBJECT

    QStringList allCells() const
    {
        QStringList out;
        for (int ring = 0; ring < 3; ++ring)
            for (int row = 1; row <= 9; ++row)
                out << form->gearInchCell(Chainring(ring), row)->text()
                    << form->speedCell(Chainring(ring), row)->text();
        return out;
    }

private Q_SLOTS:
    void initTestCase() { collectErrors(); }
    void init() { QVERIFY(reopen()); }
    void cleanup() { form.reset(); }

    void startsWithDefaultGearing()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Ratiomat"));
        QCOMPARE(form->readyFlag(), 1);
        const char *teeth[] = {"12", "13", "14", "15", "16", "17", "18", "19", "21"};
        QCOMPARE(form->chainringField(Chainring::Big)->fieldText(), QStringLiteral("53"));
        QCOMPARE(form->chainringField(Chainring::Medium)->fieldText(), QStringLiteral("42"));
        QCOMPARE(form->chainringField(Chainring::Small)->fieldText(), QStringLiteral("32"));
        for (int row = 1; row <= 9; ++row)
            QCOMPARE(form->sprocketField(row)->fieldText(), QString::fromLatin1(teeth[row - 1]));
        QCOMPARE(form->circumferenceField()->value(), 210);
        QCOMPARE(form->unitChoice()->selectedText(), QStringLiteral("Km/t"));
        QCOMPARE(form->cadenceField()->value(), 100);
        QCOMPARE(form->minCadenceField()->value(), 95);
        QCOMPARE(form->maxCadenceField()->value(), 105);
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("116.2"));
        QCOMPARE(form->speedCell(Chainring::Small, 9)->text(), QStringLiteral("19.2"));
        QCOMPARE(form->findChild<QLabel *>(QStringLiteral("Label63"))->text(), QStringLiteral("Km/t"));
        QCOMPARE(form->pageControl()->currentIndex(), 0);
        QVERIFY(errors.isEmpty());
    }

    void layoutIsFixed()
    {
        QCOMPARE(form->centralWidget()->height() + form->statusBar()->height(), 403);
        QCOMPARE(form->width(), 633);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(form->statusBar()->height(), 19);
    }

    void typingRecalculates()
    {
        auto *f = form->sprocketField(1);
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, QStringLiteral("11"));
        QCOMPARE(f->fieldText(), QStringLiteral("11"));
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("126.8"));
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), QStringLiteral("60.7"));
    }

    // A value kept by leaving the field stays when the rider comes back
    // and presses Escape: Escape gives back the text of this visit.
    void escapeAfterComingBackKeepsTheKeptValue()
    {
        form->activateWindow();
        QTRY_VERIFY(form->isActiveWindow());
        auto *row1 = form->sprocketField(1);
        row1->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(row1->hasFocus());
        row1->selectAll();
        QTest::keyClicks(row1, QStringLiteral("15"));
        QTest::keyClick(row1, Qt::Key_Tab);
        QTRY_VERIFY(form->sprocketField(2)->hasFocus());
        QTest::keyClick(form->sprocketField(2), Qt::Key_Backtab);
        QTRY_VERIFY(row1->hasFocus());
        QTest::keyClick(row1, Qt::Key_Escape);
        QCOMPARE(row1->fieldText(), QStringLiteral("15"));
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("93.0"));
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), QStringLiteral("44.5"));
    }

    // The crossed-chain combinations are drawn in 50% grey, the others in
    // the window's text colour.
    void crossedChainCellsAreGrey()
    {
        const QStringList grey{"BigLabel7",        "BigLabel8",         "BigLabel9",         "MediumLabel1",
                               "MediumLabel2",     "MediumLabel8",      "MediumLabel9",      "SmallLabel1",
                               "SmallLabel2",      "SmallLabel3",       "BigSpeedLabel7",    "BigSpeedLabel8",
                               "BigSpeedLabel9",   "MediumSpeedLabel1", "MediumSpeedLabel2", "SmallSpeedLabel1",
                               "SmallSpeedLabel2", "SmallSpeedLabel3"};
        const QColor normal = form->palette().color(QPalette::WindowText);
        for (int ring = 0; ring < 3; ++ring)
            for (int row = 1; row <= 9; ++row)
                for (QLabel *cell : {form->gearInchCell(Chainring(ring), row), form->speedCell(Chainring(ring), row)}) {
                    const QColor want = grey.contains(cell->objectName()) ? QColor(0x80, 0x80, 0x80) : normal;
                    QVERIFY2(cell->palette().color(QPalette::WindowText) == want, qPrintable(cell->objectName()));
                }
        // On screen: the darkest pixel of a grey cell is the grey itself.
        const QImage shot = form->gearInchCell(Chainring::Big, 7)->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                darkest = std::min(darkest, qGray(shot.pixel(x, y)));
        QVERIFY2(qAbs(darkest - 0x80) <= 2, qPrintable(QString::number(darkest)));
    }

    // A click on Mph rewrites the speeds and the unit beside each speed
    // column; the gear inches stay.
    void unitClickChangesSpeedsAndEveryUnitLabel()
    {
        const QString inches = form->gearInchCell(Chainring::Big, 1)->text();
        auto *mph = form->unitChoice()->findChildren<QRadioButton *>().at(1);
        QTest::mouseClick(mph, Qt::LeftButton, {}, QPoint(6, mph->height() / 2));
        QCOMPARE(form->unitChoice()->itemIndex(), 1);
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), QStringLiteral("34.6"));
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), inches);
        for (const char *name : {"Label30", "Label40", "Label63"})
            QCOMPARE(form->findChild<QLabel *>(QString::fromLatin1(name))->text(), QStringLiteral("Mph"));
    }

    // The circumference field has no bounds: 0 and negative values are
    // typed, kept on leaving the field and used as they stand.
    void circumferenceTakesZeroAndNegatives_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("inches");
        QTest::addColumn<QString>("speed");
        QTest::newRow("0") << "0"
                           << "0.0"
                           << "0.0";
        QTest::newRow("-210") << "-210"
                              << "-116.2"
                              << "-55.7";
    }
    void circumferenceTakesZeroAndNegatives()
    {
        QFETCH(QString, typed);
        QFETCH(QString, inches);
        QFETCH(QString, speed);
        form->activateWindow();
        QTRY_VERIFY(form->isActiveWindow());
        platform::IntSpinField *field = form->circumferenceField();
        field->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(field->hasFocus());
        field->selectAll();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(field->value(), typed.toInt());
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), inches);
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), speed);
        QVERIFY(errors.isEmpty());
    }

    void cadenceOrderRule()
    {
        form->minCadenceField()->setValue(120);
        QCOMPARE(form->maxCadenceField()->value(), 120);
        QCOMPARE(form->minCadenceField()->value(), 120);
        form->minCadenceField()->setValue(95);
        QCOMPARE(form->maxCadenceField()->value(), 120); // the minimum never lowers the maximum
        form->maxCadenceField()->setValue(80);
        QCOMPARE(form->maxCadenceField()->value(), 95);
    }

    void cadenceBoundsApplyOnLeaving()
    {
        auto *cad = form->cadenceField();
        cad->setFieldText(QStringLiteral("250"));
        QCOMPARE(cad->value(), 250);
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), QStringLiteral("139.1")); // used as typed
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(cad, &out);
        QCOMPARE(cad->fieldText(), QStringLiteral("200"));
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), QStringLiteral("111.3"));
    }

    void cadenceZeroReportsAndKeepsTables()
    {
        form->cadenceField()->setFieldText(QString());
        QCOMPARE(errors, QStringList{QStringLiteral("Floating point division by zero.")});
        QCOMPARE(form->speedCell(Chainring::Big, 1)->text(), QStringLiteral("0.0"));
        errors.clear();
        form->minCadenceField()->setValue(0);
        QCOMPARE(errors.value(0), QStringLiteral("Invalid floating point operation."));
    }

    // A blank first sprocket stops both tables and the chart feed at once:
    // the cells keep their texts and every series is left empty.
    void blankSprocketLeavesCellsAloneAndTheChartEmpty()
    {
        const QStringList before = allCells();
        form->sprocketField(1)->setFieldText(QStringLiteral("  "));
        QCOMPARE(allCells(), before);
        for (int s = 1; s <= 3; ++s)
            QCOMPARE(form->series(s)->count(), 0);
    }

    // The zoom commands are usable on the Chart tab only, in the View menu
    // and in the chart's context menu alike ("-" marks a disabled item).
    void zoomCommandsFollowTheTab()
    {
        auto items = [](QMenu *menu) {
            QStringList out;
            for (QAction *a : menu->actions())
                if (!a->isSeparator())
                    out << (a->isEnabled() ? "" : "-") + a->text();
            return out;
        };
        QMenu *view = form->menuBar()->actions().at(2)->menu();
        const QStringList setupView{"-Zoom &in", "-Zoom &out", "-Undo", "&Setup"};
        const QStringList setupPopup{"C&opy", "&Save", "&Print", "-Zoom &in", "-Zoom &out", "-Undo", "&Setup"};
        QCOMPARE(items(view), setupView);
        QCOMPARE(items(form->chartMenu()), setupPopup);
        form->pageControl()->setCurrentIndex(1);
        QCOMPARE(items(view), QStringList(setupView).replaceInStrings(QStringLiteral("-"), QString()));
        QCOMPARE(items(form->chartMenu()), QStringList(setupPopup).replaceInStrings(QStringLiteral("-"), QString()));
        form->pageControl()->setCurrentIndex(0);
        QCOMPARE(items(form->chartMenu()), setupPopup);
    }

    // The commands' keys (their texts: test_language checks every text
    // against the tables).
    void commandShortcuts()
    {
        QStringList shortcuts;
        for (const char *name : {"Copy", "Save", "Report", "Zoomin", "Zoomud", "Undo", "Setup"})
            shortcuts << form->action(QString::fromLatin1(name))->shortcut().toString();
        QCOMPARE(shortcuts, (QStringList{"Ctrl+C", "Ctrl+S", "Ctrl+P", "Ctrl+I", "Ctrl+O", "", ""}));
    }

    void menusInOrder()
    {
        const QList<QAction *> top = form->menuBar()->actions();
        QStringList titles;
        for (QAction *a : top)
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Help"}));
        QStringList file;
        for (QAction *a : top[0]->menu()->actions())
            file << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(file, (QStringList{"&Save", "-", "&Print", "-", "E&xit"}));
    }

    // A separator is a plain line: nothing but background and one line of
    // one colour, in the File and View menus and the chart's context menu.
    // Its item keeps its name and reads "-" for the translation tables.
    void separatorsArePlainLines()
    {
        const QList<QAction *> top = form->menuBar()->actions();
        const QList<QMenu *> menus{top[0]->menu(), top[2]->menu(), form->chartMenu()};
        int seen = 0;
        for (QMenu *menu : menus) {
            menu->popup(form->mapToGlobal(QPoint(20, 20)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            const QImage shot = menu->grab().toImage();
            for (QAction *a : menu->actions()) {
                if (!a->isSeparator())
                    continue;
                ++seen;
                // Two pixels off each end: the menu's frame may touch the item.
                const QRect r = menu->actionGeometry(a).adjusted(2, 0, -2, 0);
                const QRgb background = shot.pixel(r.left() + 1, r.top());
                int lines = 0;
                for (int y = r.top(); y <= r.bottom(); ++y) {
                    QList<QRgb> run; // the row's pixels other than the background, with gaps marked
                    bool gap = false;
                    for (int x = r.left(); x <= r.right(); ++x) {
                        const QRgb p = shot.pixel(x, y);
                        if (p == background) {
                            gap = !run.isEmpty();
                            continue;
                        }
                        QVERIFY2(!gap, qPrintable(QStringLiteral("two marks in one row of %1").arg(menu->title())));
                        QVERIFY2(run.isEmpty() || run.front() == p,
                                 qPrintable(QStringLiteral("more than a line in %1").arg(menu->title())));
                        run << p;
                    }
                    lines += run.isEmpty() ? 0 : 1;
                }
                QVERIFY(lines >= 1);
            }
            menu->hide();
        }
        QCOMPARE(seen, 5);
        for (const char *name : {"N1", "N2", "N3", "N5", "N6"}) {
            QObject *item = form->findChild<QObject *>(QString::fromLatin1(name));
            QVERIFY2(item, name);
            QCOMPARE(item->property("Caption").toString(), QStringLiteral("-"));
        }
    }

    // Resting the pointer on a component shows its hint in the status bar; a
    // hint of a single blank shows a blank. Where the component has none, its
    // nearest container's shows, also when the pointer comes to it from a
    // child rather than from outside the window. (Which text each hint is,
    // in each language, test_language checks against the tables.)
    void hintsShowInTheStatusBar_data()
    {
        QTest::addColumn<QString>("component"); // the pointer rests at (4, 4) in it
        QTest::addColumn<QString>("from");      // where the pointer comes from, if not the menu bar
        QTest::addColumn<QString>("hint");
        auto row = [](const char *name, const char *component, const char *from, const char *hint) {
            QTest::newRow(name) << QString::fromLatin1(component) << QString::fromLatin1(from)
                                << QString::fromLatin1(hint);
        };
        row("sprocket", "MaskEdit5", "", "Cassette");
        row("chainring", "MaskEdit1", "", " ");
        row("circumference", "SpinEdit4", "", "Tire circumference");
        row("chart", "Chart1", "", "Rightclick ");
        row("bare page after a field", "TabSheet1", "MaskEdit11", "Setup");
        row("panel after the chart", "Panel3", "Chart1", "Chart");
    }
    void hintsShowInTheStatusBar()
    {
        QFETCH(QString, component);
        QFETCH(QString, from);
        QFETCH(QString, hint);
        auto *w = form->findChild<QWidget *>(component);
        QVERIFY(w);
        for (QWidget *page = w; page; page = page->parentWidget())
            if (form->pageControl()->indexOf(page) >= 0)
                form->pageControl()->setCurrentWidget(page);
        QVERIFY(w->isVisible());
        QTest::mouseMove(form.get(), QPoint(2, 2));
        if (auto *child = form->findChild<QWidget *>(from)) {
            QTest::mouseMove(child, child->rect().center());
            QTRY_VERIFY(form->statusBar()->currentMessage() != hint);
        }
        QTest::mouseMove(w, QPoint(4, 4));
        QTRY_COMPARE(form->statusBar()->currentMessage(), hint);
    }

    // The entries that are disabled on the Setup tab show their hints too,
    // in the View menu and the chart's context menu.
    void disabledMenuEntriesShowTheirHints()
    {
        const QStringList hints{"Zoom in", "Zoom out", "Reset chart"}; // of Zoomin, Zoomud, Undo
        QAction *view = form->menuBar()->actions().at(2);
        for (QMenu *menu : {view->menu(), form->chartMenu()}) {
            if (menu == form->chartMenu())
                menu->popup(form->mapToGlobal(QPoint(100, 100)));
            else
                QTest::mouseClick(form->menuBar(), Qt::LeftButton, {}, form->menuBar()->actionGeometry(view).center());
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            for (int i = 0; i < 3; ++i) {
                QAction *entry = form->action(QStringList{"Zoomin", "Zoomud", "Undo"}[i]);
                QVERIFY(!entry->isEnabled());
                QTest::mouseMove(menu, menu->actionGeometry(entry).center());
                QTRY_COMPARE(form->statusBar()->currentMessage(), hints[i]);
            }
            menu->hide();
        }
    }

    void accessibleNamesAndDescriptions()
    {
        for (QWidget *w : form->findChildren<QWidget *>()) {
            if (qobject_cast<platform::TwoDigitField *>(w) || qobject_cast<platform::IntSpinField *>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        QCOMPARE(form->chainringField(Chainring::Big)->accessibleName(), QStringLiteral("Big chainring teeth"));
        QLabel *cell = form->gearInchCell(Chainring::Big, 1);
        QCOMPARE(cell->accessibleDescription(), QStringLiteral("Gear inches, Big chainring, sprocket row 1"));
        QCOMPARE(form->speedCell(Chainring::Small, 9)->accessibleDescription(),
                 QStringLiteral("Speed, Small chainring, sprocket row 9"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(cell);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("116.2"));
        QVERIFY(!form->chart()->accessibleDescription().isEmpty());
    }

    // Qt's own dialogs speak the desktop's language (the suites run in an
    // English and a Danish locale); the program's own texts stay English.
    void qtDialogsSpeakTheDesktopsLanguage()
    {
        QStringList seen;
        whileOpen([this] { form->action(QStringLiteral("Save"))->trigger(); },
                  [&] {
                      auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                      QVERIFY(dialog);
                      auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
                      QVERIFY(buttons);
                      for (QAbstractButton *b : buttons->buttons())
                          seen << b->text();
                      for (const char *name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                          seen << dialog->findChild<QLabel *>(QString::fromLatin1(name))->text();
                      dialog->reject();
                  });
        QVERIFY(withReportPreview(*form, [&](report::ReportPreviewWindow &preview) {
            seen << preview.windowTitle() << preview.printAction()->text();
        }));
        const QStringList english{
            "&Save", "Cancel", "Look in:", "File &name:", "Files of type:", "Print Preview", "Print"};
        const QStringList danish{"&Gem",   "Annuller", "Kig i:", "&Filnavn:", "Filer af type:", "Forhåndsvis udskrift",
                                 "Udskriv"};
        QCOMPARE(seen, QLocale::system().language() == QLocale::Danish ? danish : english);
        QCOMPARE(form->action(QStringLiteral("Save"))->text(), QStringLiteral("&Save"));
    }

    void exitCloses()
    {
        QVERIFY(form->isVisible());
        form->exitRequested();
        QVERIFY(!form->isVisible());
    }

    // Coming back to the window must not throw away what the rider typed.
    void resetOnlyOnFirstDisplay()
    {
        form->sprocketField(1)->setFieldText(QStringLiteral("11"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(form.get(), &activate);
        form->hide();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->sprocketField(1)->fieldText(), QStringLiteral("11"));
        QCOMPARE(form->gearInchCell(Chainring::Big, 1)->text(), QStringLiteral("126.8"));
    }

    void errorBoxFullStopRule()
    {
        QCOMPARE(platform::errorBoxText(QStringLiteral("abc")), QStringLiteral("abc."));
        QCOMPARE(platform::errorBoxText(QStringLiteral("abc.")), QStringLiteral("abc."));
        QCOMPARE(platform::errorBoxText(QStringLiteral("abc!")), QStringLiteral("abc!"));
        QCOMPARE(platform::errorBoxText(QStringLiteral("x \"y\"")), QStringLiteral("x \"y\""));
        QCOMPARE(platform::errorBoxText(QStringLiteral("abc)")), QStringLiteral("abc)"));
        QCOMPARE(platform::errorBoxText(QString()), QString());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"

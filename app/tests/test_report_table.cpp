// The report table copies exactly what the main window shows, and the
// Report command shows it.
#include "app/main_window.h"
#include "main_window_fixture.h"
#include "platform/two_digit_field.h"
#include "report/report_table.h"
#include "report/string_grid.h"

#include <QLabel>
#include <QTest>

using calc::Chainring;

class TestReportTable : public QObject, MainWindowFixture
{
    Q_OBJECT

    QStringList row(int r) const
    {
        QStringList out;
        for (int c = 0; c < form->reportTable()->colCount(); ++c)
            out << form->reportTable()->cell(c, r);
        return out;
    }

private Q_SLOTS:
    void init() { QVERIFY(reopen()); }
    void cleanup() { form.reset(); }

    void defaultGearing()
    {
        // A table of another size, with a stale cell, is rewritten whole.
        form->reportTable()->setRowCount(3);
        form->reportTable()->setColCount(12);
        form->reportTable()->setCell(11, 2, QStringLiteral("stale"));
        report::fillReportTable(*form->reportTable(), *form);
        QCOMPARE(form->reportTable()->rowCount(), 10);
        QCOMPARE(form->reportTable()->colCount(), 7);
        QCOMPARE(row(0), (QStringList{"", "53", "42", "32", "53", "42", "32"}));
        QCOMPARE(row(1), (QStringList{"12", "116.2", "92.1", "70.2", "55.7", "44.1", "33.6"}));
        QCOMPARE(row(9), (QStringList{"21", "66.4", "52.6", "40.1", "31.8", "25.2", "19.2"}));
    }

    // Every Report command shows the window as it is then: twice without a
    // change gives the same page, a change shows in the next one.
    void eachReportShowsTheWindowAsItIsThen()
    {
        const QString first = reportText(*form);
        QVERIFY2(first.simplified().contains(QStringLiteral("53 42 32 53 42 32")), qPrintable(first));
        QCOMPARE(reportText(*form), first);
        auto *small = form->chainringField(Chainring::Small);
        small->selectAll();
        QTest::keyClicks(small, QStringLiteral("30"));
        const QString changed = reportText(*form).simplified();
        QVERIFY2(changed.contains(QStringLiteral("53 42 30 53 42 30")), qPrintable(changed));
        QVERIFY2(changed.contains(QStringLiteral("12 116.2 92.1 65.8 55.7 44.1 31.5")), qPrintable(changed));
    }

    void textsAreCopiedAsShown()
    {
        // A half-filled sprocket and a stale cell are copied as they stand.
        form->sprocketField(9)->setFieldText(QStringLiteral("2 "));
        form->speedCell(Chainring::Small, 9)->setText(QStringLiteral("Label39"));
        report::fillReportTable(*form->reportTable(), *form);
        QCOMPARE(form->reportTable()->cell(0, 9), QStringLiteral("2 "));
        QCOMPARE(form->reportTable()->cell(6, 9), QStringLiteral("Label39"));
    }
};

QTEST_MAIN(TestReportTable)
#include "test_report_table.moc"

#pragma once

#include "report_engine.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

namespace chart {
class Chart;
}
namespace i18n {
class QtForm;
class Translator;
} // namespace i18n

namespace report {

class StringGrid;

// The report form: hosts the one-page report and is itself never shown.
// ReportLifetime (report_lifetime.h) says who owns it and when it dies.
// Components carry their stored names as objectName; the map in
// docs/architecture.md gives the member that holds each: the page, its
// bands (page header, title, detail, page footer), their labels, the chart
// holder and the report chart.
class ReportForm : public QWidget
{
    Q_OBJECT

public:
    enum class CloseAction { None, Hide, Free, Minimize };

    static const QString kCopyright;

    explicit ReportForm(QWidget *parent = nullptr);
    ~ReportForm() override;

    // The stored names of the form's components in stored order, from which
    // the translator's order is taken (test_stored_names checks them).
    static QStringList storedComponentOrder();

    ReportPage *reportPage = nullptr;
    ReportBand *pageHeaderBand = nullptr;
    ReportBand *titleBand = nullptr;
    ReportBand *detailBand = nullptr;
    ReportBand *pageFooterBand = nullptr;
    ReportChart *chartHolder = nullptr;
    chart::Chart *reportChart = nullptr;
    ReportLabel *titleLabel = nullptr;
    ReportLabel *gearHeading = nullptr;
    ReportLabel *unitHeading = nullptr;
    ReportLabel *sprocketCell = nullptr;
    ReportLabel *bigInchesCell = nullptr;
    ReportLabel *mediumInchesCell = nullptr;
    ReportLabel *smallInchesCell = nullptr;
    ReportLabel *bigSpeedCell = nullptr;
    ReportLabel *mediumSpeedCell = nullptr;
    ReportLabel *smallSpeedCell = nullptr;
    ReportLabel *copyrightLabel = nullptr;
    i18n::Translator *translator = nullptr;

    // The table printed as the detail lines; owned by the main window.
    void setDetailTable(StringGrid *grid) { m_grid = grid; }
    StringGrid *detailTable() const { return m_grid; }

    // Event handlers.
    void startReport(bool &printReport);
    void nextDetailLine(bool &moreData);
    void chooseCloseAction(CloseAction &action);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    friend class ReportLifetime;

    std::unique_ptr<i18n::QtForm> m_form;
    QPointer<StringGrid> m_grid;
    // The series copies drawn by the report chart (ReportLifetime).
    QList<QPointer<QObject>> m_seriesCopies;
};

} // namespace report

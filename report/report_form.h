#pragma once

#include "report_engine.h"

#include <QPointer>
#include <QWidget>
#include <memory>

namespace chart {
class Chart;
}
namespace i18n {
class TsiLang;
}
namespace platform {
class QtForm;
}

namespace report {

class StringGrid;

// The detail line counter of every report form: zeroed at the start of each
// generation, advanced once for every detail line asked for.
inline int ReportRow = 0;

// The report form: hosts the one-page report and is itself never shown.
// Components carry their stored names as objectName: QuickRep1 with the
// bands QRBand4 (page header), QRBand1 (title), QRBand2 (detail) and QRBand3
// (page footer), their labels, the chart holder QRChart1 and the report
// chart QRDBChart1.
class TPrintReportForm : public QWidget
{
    Q_OBJECT

public:
    enum class CloseAction { None, Hide, Free, Minimize };

    static const QString kCopyright;

    explicit TPrintReportForm(QWidget *parent = nullptr);
    ~TPrintReportForm() override;

    QuickRep *QuickRep1 = nullptr;
    ReportBand *QRBand4 = nullptr;
    ReportBand *QRBand1 = nullptr;
    ReportBand *QRBand2 = nullptr;
    ReportBand *QRBand3 = nullptr;
    ReportChart *QRChart1 = nullptr;
    chart::Chart *QRDBChart1 = nullptr;
    ReportLabel *QRLabel1 = nullptr;
    ReportLabel *QRLabel11 = nullptr;
    ReportLabel *QRLabel12 = nullptr;
    ReportLabel *QRLabel3 = nullptr;
    ReportLabel *QRLabel4 = nullptr;
    ReportLabel *QRLabel5 = nullptr;
    ReportLabel *QRLabel6 = nullptr;
    ReportLabel *QRLabel7 = nullptr;
    ReportLabel *QRLabel9 = nullptr;
    ReportLabel *QRLabel10 = nullptr;
    ReportLabel *QRLabel8 = nullptr;
    i18n::TsiLang *siLang1 = nullptr;

    // The table printed as the detail lines; owned by the main window.
    void setStringGrid1(StringGrid *grid) { m_grid = grid; }
    StringGrid *StringGrid1() const { return m_grid; }

    // Series copies that live as long as the report chart, whoever owns them.
    void adoptSeriesCopy(QObject *copy);

    // Event handlers.
    void QuickRep1BeforePrint(bool &printReport);
    void QuickRep1NeedData(bool &moreData);
    void FormClose(CloseAction &action);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<platform::QtForm> m_form;
    QPointer<StringGrid> m_grid;
    QList<QPointer<QObject>> m_seriesCopies;
};

} // namespace report

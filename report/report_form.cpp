#include "report_form.h"

#include "i18n/dispatcher.h"
#include "i18n/stored_tables.h"
#include "i18n/translator.h"
#include "platform/components.h"

#include "chart/chart.h"
#include "string_grid.h"

#include <QCloseEvent>

namespace report {

const QString TPrintReportForm::kCopyright = QStringLiteral("Copyright \u00a9 2026 The Ratiomat developers");

namespace {

QFont arial(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

TPrintReportForm::TPrintReportForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PrintReportForm"));
    setVisible(false);

    QuickRep1 = new QuickRep(QStringLiteral("QuickRep1"), this);
    QuickRep1->setBeforePrint([this](bool &printReport) { QuickRep1BeforePrint(printReport); });
    QuickRep1->setNeedData([this](bool &moreData) { QuickRep1NeedData(moreData); });

    const QFont regular = arial(10, false);
    const QFont bold = arial(10, true);

    QRBand4 = new ReportBand(QStringLiteral("QRBand4"), QuickRep1, BandType::PageHeader, 19.05);
    QRLabel1 = new ReportLabel(QStringLiteral("QRLabel1"), QRBand4, 0.0, 2.12, arial(14, true), true);
    QRLabel1->setColor(QColor(0, 0, 128));

    QRBand1 = new ReportBand(QStringLiteral("QRBand1"), QuickRep1, BandType::Title, 127.79);
    QRChart1 =
        new ReportChart(QStringLiteral("QRChart1"), QRBand1, QRectF(4.23, 2.12, 179.65, 101.60), QSize(679, 384));
    QRLabel11 = new ReportLabel(QStringLiteral("QRLabel11"), QRBand1, 25.40, 120.65, bold);
    QRLabel11->setCaption(QStringLiteral("Gear"));
    QRLabel12 = new ReportLabel(QStringLiteral("QRLabel12"), QRBand1, 116.42, 120.65, bold);

    QRBand2 = new ReportBand(QStringLiteral("QRBand2"), QuickRep1, BandType::Detail, 6.35);
    QRLabel3 = new ReportLabel(QStringLiteral("QRLabel3"), QRBand2, 4.23, 1.06, bold);
    QRLabel4 = new ReportLabel(QStringLiteral("QRLabel4"), QRBand2, 25.40, 1.06, regular);
    QRLabel5 = new ReportLabel(QStringLiteral("QRLabel5"), QRBand2, 46.57, 1.06, regular);
    QRLabel6 = new ReportLabel(QStringLiteral("QRLabel6"), QRBand2, 71.97, 1.06, regular);
    QRLabel7 = new ReportLabel(QStringLiteral("QRLabel7"), QRBand2, 115.36, 1.06, regular);
    QRLabel9 = new ReportLabel(QStringLiteral("QRLabel9"), QRBand2, 139.70, 1.06, regular);
    QRLabel10 = new ReportLabel(QStringLiteral("QRLabel10"), QRBand2, 167.22, 1.06, regular);

    QRBand3 = new ReportBand(QStringLiteral("QRBand3"), QuickRep1, BandType::PageFooter, 13.76);
    QRLabel8 = new ReportLabel(QStringLiteral("QRLabel8"), QRBand3, 0.0, 3.17, regular, true);
    QRLabel8->setCaption(kCopyright);

    // The report chart is laid out at the holder's size and never shown.
    QRDBChart1 = new chart::Chart(this);
    QRDBChart1->setObjectName(QStringLiteral("QRDBChart1"));
    QRDBChart1->resize(QRChart1->layoutPixels());
    QRChart1->setPainter([chart = QPointer<chart::Chart>(QRDBChart1)](QPainter &painter, const QRect &area) {
        if (chart)
            chart->draw(painter, area);
    });

    // The report form's own translator: stored with the form, never switched,
    // so the report's fixed texts read the same in both languages.
    QList<QObject *> components{QuickRep1, QRBand1,  QRChart1, QRDBChart1, QRBand2,   QRLabel3,
                                QRLabel4,  QRLabel6, QRLabel7, QRLabel5,   QRLabel9,  QRLabel10,
                                QRBand3,   QRLabel8, QRBand4,  QRLabel1,   QRLabel11, QRLabel12};
    m_form = std::make_unique<platform::QtForm>(this, QStringLiteral("TPrintReportForm"), components);
    siLang1 = new i18n::TsiLang(*m_form, this);
    siLang1->setObjectName(QStringLiteral("siLang1"));
    i18n::loadStoredTables(i18n::kPrintReportformTables, *m_form, *siLang1, nullptr);
}

TPrintReportForm::~TPrintReportForm()
{
    // The translator works through the form adapter: it goes first.
    delete siLang1;
    // The copies die with the report chart even when the main window owns them.
    for (const QPointer<QObject> &copy : std::as_const(m_seriesCopies))
        delete copy.data();
}

void TPrintReportForm::adoptSeriesCopy(QObject *copy)
{
    m_seriesCopies.append(copy);
}

void TPrintReportForm::QuickRep1BeforePrint(bool &printReport)
{
    ReportRow = 0;
    printReport = true;
}

void TPrintReportForm::QuickRep1NeedData(bool &moreData)
{
    const int rows = m_grid ? m_grid->rowCount() : 0;
    if (ReportRow >= 0 && ReportRow < rows) {
        ReportLabel *const columns[] = {QRLabel3, QRLabel4, QRLabel5, QRLabel6, QRLabel7, QRLabel9, QRLabel10};
        for (int col = 0; col < 7; ++col)
            columns[col]->setCaption(m_grid->cell(col, ReportRow));
    }
    moreData = ReportRow < rows;
    ++ReportRow;
}

void TPrintReportForm::FormClose(CloseAction &action)
{
    action = CloseAction::Free;
}

void TPrintReportForm::closeEvent(QCloseEvent *event)
{
    CloseAction action = CloseAction::Hide;
    FormClose(action);
    event->accept();
    if (action == CloseAction::Free)
        deleteLater();
}

} // namespace report

#include "report_form.h"

#include "i18n/components.h"
#include "i18n/dispatcher.h"
#include "i18n/stored_tables.h"
#include "i18n/translator.h"

#include "chart/chart.h"
#include "report_lifetime.h"
#include "string_grid.h"

#include <QCloseEvent>

namespace report {

const QString ReportForm::kCopyright = QStringLiteral("Copyright \u00a9 2026 The Ratiomat developers");

namespace {

QFont arial(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

ReportForm::ReportForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PrintReportForm"));
    setVisible(false);

    reportPage = new ReportPage(QStringLiteral("QuickRep1"), this);
    reportPage->setBeforePrint([this](bool &printReport) { startReport(printReport); });
    reportPage->setNeedData([this](bool &moreData) { nextDetailLine(moreData); });

    const QFont regular = arial(10, false);
    const QFont bold = arial(10, true);

    pageHeaderBand = new ReportBand(QStringLiteral("QRBand4"), reportPage, BandType::PageHeader, 19.05);
    titleLabel = new ReportLabel(QStringLiteral("QRLabel1"), pageHeaderBand, 0.0, 2.12, arial(14, true), true);
    titleLabel->setColor(QColor(0, 0, 128));

    titleBand = new ReportBand(QStringLiteral("QRBand1"), reportPage, BandType::Title, 127.79);
    chartHolder =
        new ReportChart(QStringLiteral("QRChart1"), titleBand, QRectF(4.23, 2.12, 179.65, 101.60), QSize(679, 384));
    gearHeading = new ReportLabel(QStringLiteral("QRLabel11"), titleBand, 25.40, 120.65, bold);
    gearHeading->setCaption(QStringLiteral("Gear"));
    unitHeading = new ReportLabel(QStringLiteral("QRLabel12"), titleBand, 116.42, 120.65, bold);

    detailBand = new ReportBand(QStringLiteral("QRBand2"), reportPage, BandType::Detail, 6.35);
    sprocketCell = new ReportLabel(QStringLiteral("QRLabel3"), detailBand, 4.23, 1.06, bold);
    bigInchesCell = new ReportLabel(QStringLiteral("QRLabel4"), detailBand, 25.40, 1.06, regular);
    mediumInchesCell = new ReportLabel(QStringLiteral("QRLabel5"), detailBand, 46.57, 1.06, regular);
    smallInchesCell = new ReportLabel(QStringLiteral("QRLabel6"), detailBand, 71.97, 1.06, regular);
    bigSpeedCell = new ReportLabel(QStringLiteral("QRLabel7"), detailBand, 115.36, 1.06, regular);
    mediumSpeedCell = new ReportLabel(QStringLiteral("QRLabel9"), detailBand, 139.70, 1.06, regular);
    smallSpeedCell = new ReportLabel(QStringLiteral("QRLabel10"), detailBand, 167.22, 1.06, regular);

    pageFooterBand = new ReportBand(QStringLiteral("QRBand3"), reportPage, BandType::PageFooter, 13.76);
    copyrightLabel = new ReportLabel(QStringLiteral("QRLabel8"), pageFooterBand, 0.0, 3.17, regular, true);
    copyrightLabel->setCaption(kCopyright);

    // The report chart is laid out at the holder's size and never shown.
    reportChart = new chart::Chart(this);
    reportChart->setObjectName(QStringLiteral("QRDBChart1"));
    reportChart->resize(chartHolder->layoutPixels());
    chartHolder->setPainter([chart = QPointer<chart::Chart>(reportChart)](QPainter &painter, const QRect &area) {
        if (chart)
            chart->draw(painter, area);
    });

    // The report form's own translator: stored with the form, never switched,
    // so the report's fixed texts read the same in both languages.
    QList<QObject *> components;
    for (const QString &name : storedComponentOrder())
        if (QObject *c = findChild<QObject *>(name))
            components << c;
    m_form = std::make_unique<i18n::QtForm>(this, QStringLiteral("TPrintReportForm"), components);
    translator = new i18n::Translator(*m_form, this);
    translator->setObjectName(QStringLiteral("siLang1"));
    i18n::loadStoredTables(i18n::kReportFormTables, *m_form, *translator, nullptr);
}

QStringList ReportForm::storedComponentOrder()
{
    auto names = [](const char *spaced) { return QString::fromLatin1(spaced).split(u' '); };
    return names("QuickRep1 QRBand1 QRChart1 QRDBChart1 QRBand2 QRLabel3 QRLabel4 QRLabel6 QRLabel7 QRLabel5 "
                 "QRLabel9 QRLabel10 QRBand3 QRLabel8 QRBand4 QRLabel1 QRLabel11 QRLabel12");
}

ReportForm::~ReportForm()
{
    // The translator works through the form adapter: it goes first.
    delete translator;
    // The series copies die with the report chart, before it.
    ReportLifetime::deleteSeriesCopies(*this);
}

void ReportForm::startReport(bool &printReport)
{
    ReportLifetime::restartDetailRows();
    printReport = true;
}

void ReportForm::nextDetailLine(bool &moreData)
{
    const int rows = m_grid ? m_grid->rowCount() : 0;
    const int row = ReportLifetime::detailRow();
    if (row >= 0 && row < rows) {
        ReportLabel *const columns[] = {sprocketCell, bigInchesCell,   mediumInchesCell, smallInchesCell,
                                        bigSpeedCell, mediumSpeedCell, smallSpeedCell};
        for (int col = 0; col < 7; ++col)
            columns[col]->setCaption(m_grid->cell(col, row));
    }
    moreData = row < rows;
    ReportLifetime::advanceDetailRow();
}

void ReportForm::chooseCloseAction(CloseAction &action)
{
    action = CloseAction::Free;
}

void ReportForm::closeEvent(QCloseEvent *event)
{
    CloseAction action = CloseAction::Hide;
    chooseCloseAction(action);
    event->accept();
    if (action == CloseAction::Free)
        deleteLater();
}

} // namespace report

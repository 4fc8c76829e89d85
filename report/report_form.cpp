#include "report_form.h"

#include "i18n/translator.h"
#include "i18n/window_translation.h"

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

    m_page = new ReportPage(QStringLiteral("QuickRep1"), this);
    m_page->setBeforePrint([this](bool &printReport) { startReport(printReport); });
    m_page->setNeedData([this](bool &moreData) { nextDetailLine(moreData); });

    const QFont regular = arial(10, false);
    const QFont bold = arial(10, true);

    auto *pageHeader = new ReportBand(QStringLiteral("QRBand4"), m_page, BandType::PageHeader, 19.05);
    m_titleLabel = new ReportLabel(QStringLiteral("QRLabel1"), pageHeader, 0.0, 2.12, arial(14, true), true);
    m_titleLabel->setColor(QColor(0, 0, 128));

    auto *title = new ReportBand(QStringLiteral("QRBand1"), m_page, BandType::Title, 127.79);
    m_chartHolder =
        new ReportChart(QStringLiteral("QRChart1"), title, QRectF(4.23, 2.12, 179.65, 101.60), QSize(679, 384));
    auto *gearHeading = new ReportLabel(QStringLiteral("QRLabel11"), title, 25.40, 120.65, bold);
    gearHeading->setCaption(QStringLiteral("Gear"));
    m_unitHeading = new ReportLabel(QStringLiteral("QRLabel12"), title, 116.42, 120.65, bold);

    auto *detail = new ReportBand(QStringLiteral("QRBand2"), m_page, BandType::Detail, 6.35);
    const struct
    {
        const char *name;
        double left;
    } cells[] = {{"QRLabel3", 4.23},   {"QRLabel4", 25.40},  {"QRLabel5", 46.57},  {"QRLabel6", 71.97},
                 {"QRLabel7", 115.36}, {"QRLabel9", 139.70}, {"QRLabel10", 167.22}};
    for (size_t c = 0; c < m_detailCells.size(); ++c)
        m_detailCells[c] =
            new ReportLabel(QString::fromLatin1(cells[c].name), detail, cells[c].left, 1.06, c == 0 ? bold : regular);

    auto *pageFooter = new ReportBand(QStringLiteral("QRBand3"), m_page, BandType::PageFooter, 13.76);
    auto *copyright = new ReportLabel(QStringLiteral("QRLabel8"), pageFooter, 0.0, 3.17, regular, true);
    copyright->setCaption(kCopyright);

    // The report chart is laid out at the holder's size and never shown.
    m_chart = new chart::Chart(this);
    m_chart->setObjectName(QStringLiteral("QRDBChart1"));
    m_chart->resize(m_chartHolder->layoutPixels());
    m_chartHolder->setPainter([chart = QPointer<chart::Chart>(m_chart)](QPainter &painter, const QRect &area) {
        if (chart)
            chart->draw(painter, area);
    });

    // The report form's own translator: stored with the form, never switched,
    // so the report's fixed texts read the same in both languages.
    m_translation = std::make_unique<i18n::WindowTranslation>(*this, QStringLiteral("TPrintReportForm"),
                                                              storedComponentOrder(), storedTablesPath());
}

void ReportForm::setTitle(const QString &title)
{
    m_titleLabel->setCaption(title);
}

void ReportForm::setUnitHeading(const QString &unit)
{
    m_unitHeading->setCaption(unit);
}

i18n::Translator *ReportForm::translator() const
{
    return &m_translation->translator();
}

QStringList ReportForm::storedComponentOrder()
{
    auto names = [](const char *spaced) { return QString::fromLatin1(spaced).split(u' '); };
    return names("QuickRep1 QRBand1 QRChart1 QRDBChart1 QRBand2 QRLabel3 QRLabel4 QRLabel6 QRLabel7 QRLabel5 "
                 "QRLabel9 QRLabel10 QRBand3 QRLabel8 QRBand4 QRLabel1 QRLabel11 QRLabel12");
}

ReportForm::~ReportForm()
{
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
        for (size_t col = 0; col < m_detailCells.size(); ++col)
            m_detailCells[col]->setCaption(m_grid->cell(int(col), row));
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

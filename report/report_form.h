#pragma once

#include "report_engine.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

namespace chart {
class Chart;
}
namespace i18n {
class Translator;
class WindowTranslation;
} // namespace i18n

namespace report {

class StringGrid;

// The report form: hosts the one-page report and is itself never shown.
// ReportLifetime (report_lifetime.h) says who owns it and when it dies.
// Components carry their stored names as objectName.
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
    // The form's stored translator, compiled in from printreportform.lang.
    static QString storedTablesPath() { return QStringLiteral(":/tables/printreportform.lang"); }

    // The one page, which prints and previews the report.
    ReportPage *reportPage() const { return m_page; }
    // The copy of the main window's chart the report shows.
    chart::Chart *reportChart() const { return m_chart; }
    // The heading over the page and the unit over the speed columns.
    void setTitle(const QString &title);
    void setUnitHeading(const QString &unit);
    // The form's own translator, loaded with its stored tables.
    i18n::Translator *translator() const;

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

    // The page, its bands (page header, title, detail, page footer) and
    // their labels; docs/architecture.md maps their stored names.
    ReportPage *m_page = nullptr;
    ReportChart *m_chartHolder = nullptr;
    chart::Chart *m_chart = nullptr;
    ReportLabel *m_titleLabel = nullptr;
    ReportLabel *m_unitHeading = nullptr;
    // The detail line's cells: sprocket, gear inches and speeds of the big,
    // medium and small chainring.
    std::array<ReportLabel *, 7> m_detailCells{};
    std::unique_ptr<i18n::WindowTranslation> m_translation;
    QPointer<StringGrid> m_grid;
    // The series copies drawn by the report chart (ReportLifetime).
    QList<QPointer<QObject>> m_seriesCopies;
};

} // namespace report

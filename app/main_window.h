#pragma once

#include "calc/gearing.h"
#include "report/report_source.h"

#include <QAction>
#include <QMainWindow>
#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

class QLabel;
class QCheckBox;
class QTabWidget;
class QToolBar;
class QToolButton;
class QMenu;

namespace i18n {
class Translator;
class WindowTranslation;
class LanguageDispatcher;
} // namespace i18n
namespace platform {
class IntSpinField;
class RadioGroup;
class TabSheet;
class TwoDigitField;
} // namespace platform
namespace report {
class StringGrid;
}
namespace chart {
class Chart;
class SpeedRangeSeries;
} // namespace chart

namespace app {

class SavePictureDialog;

// The main window: the gearing inputs and result tables on the Setup tab,
// the speed-range chart on the Chart tab, menus, tool bar and the commands.
// Every component carries its stored name as objectName.
class MainWindow : public QMainWindow,
                   public report::ReportSource,
                   private calc::GearInputs,
                   private calc::ResultCells,
                   private calc::SeriesFeed
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ readyFlag WRITE setReadyFlag)
    Q_PROPERTY(QString HelpFile MEMBER m_helpFile)

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The ready flag, published as Tag: 0 while the window is built or
    // reset, 1 when ready.
    int readyFlag() const { return m_readyFlag; }
    void setReadyFlag(int flag) { m_readyFlag = flag; }

    // The machine's decimal separator, read once; tests may pin it.
    QChar decimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(QChar separator) { m_decimalSeparator = separator; }

    void resetToDefaults();
    void recalculate();
    void orderCadences();
    void tabChanged();
    void firstShown();

    // Command handlers, one per action.
    void copyChart();
    void saveChart();
    void showReport();
    // Shows the report of the chart and table in a preview window; returns
    // when the preview has been closed, the main window usable meanwhile.
    void previewReport(chart::Chart *chart, report::StringGrid *grid, const QString &title);
    void zoomIn();
    void zoomOut();
    void resetZoom();
    void openSettings();
    void exitRequested();
    void showAbout();
    void showCheckedSeries();

    // Components by their stored names (for the few callers that need them
    // directly; others find them by name).
    platform::TwoDigitField *chainringField(calc::Chainring ring) const;
    platform::TwoDigitField *sprocketField(int row) const { return m_sprockets[size_t(row - 1)]; }
    QLabel *gearInchCell(calc::Chainring ring, int row) const
    {
        return m_inchCells[calc::ringIndex(ring)][size_t(row - 1)];
    }
    QLabel *speedCell(calc::Chainring ring, int row) const
    {
        return m_speedCells[calc::ringIndex(ring)][size_t(row - 1)];
    }
    platform::IntSpinField *circumferenceField() const { return m_circumference; }
    platform::IntSpinField *cadenceField() const { return m_cadence; }
    platform::IntSpinField *minCadenceField() const { return m_minCadence; }
    platform::IntSpinField *maxCadenceField() const { return m_maxCadence; }
    platform::RadioGroup *unitChoice() const { return m_unit; }
    QTabWidget *pageControl() const { return m_pageControl; }
    QAction *action(const QString &name) const;
    report::StringGrid *reportTable() const { return m_reportTable; }
    chart::Chart *chart() const { return m_chart; }
    chart::SpeedRangeSeries *series(int n) const { return m_series[size_t(n - 1)]; } // Series1..3
    QCheckBox *seriesBox(int n) const { return m_seriesBoxes[size_t(n - 1)]; }       // CheckBox1..3
    SavePictureDialog *savePictureDialog() const { return m_savePicture; }
    QMenu *chartMenu() const { return m_popup; }

    // The stored names of the window's components in the window's own
    // order, as the translator visits them when it completes its tables: the
    // one list of them. The builders name each component; test_stored_names
    // checks in every build that the names and the components agree.
    static QStringList storedComponentOrder();
    // The window's stored translator, compiled in from gearform.lang.
    static QString storedTablesPath() { return QStringLiteral(":/tables/gearform.lang"); }
    i18n::Translator *translator() const;
    i18n::LanguageDispatcher *dispatcher() const { return m_dispatcher; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildActions();
    // One item of a menu: a window command, a command of the menu's own (a
    // caption and its handler), or a separator when it has neither.
    struct MenuEntry
    {
        const char *item = nullptr;
        const char *command = nullptr;
        const char *caption = nullptr;
        void (MainWindow::*handler)() = nullptr;
    };
    void buildMenus();
    // The page control with its Setup and Chart tabs, as the central widget.
    void buildPages();
    void fillMenu(QMenu *menu, std::initializer_list<MenuEntry> entries);
    void buildSetupTab(platform::TabSheet *page);
    void buildTeethFields(QWidget *left);
    void buildResultCells(QWidget *left, QWidget *right);
    void setSetupTabOrder();
    void buildChartTab(platform::TabSheet *page);
    void buildChartToolBar(QWidget *page);
    void buildSeriesPanel(QWidget *panel);
    void buildTranslator();
    void wireInputs();
    QLabel *label(QWidget *parent, const QString &name, const QString &text, int x, int y);
    QLabel *resultCell(QWidget *parent, const QString &name, int right, int y, bool gray);
    platform::IntSpinField *spinField(QWidget *parent, const QString &name, const QRect &geometry, const QString &hint,
                                      const QString &accessibleName);

    // calc::GearInputs
    QString chainringText(calc::Chainring ring) const override;
    QString sprocketText(int row) const override;
    int circumference() const override;
    int cadence() const override;
    int unitIndex() const override;
    QString unitText() const override;
    int minCadence() const override;
    int maxCadence() const override;
    // report::ReportSource, with the three of calc::GearInputs and the one of
    // calc::ResultCells that it shares
    QString gearInchesText(calc::Chainring ring, int row) const override;
    // calc::ResultCells
    void setUnitLabels(const QString &unit) override;
    void setGearInches(calc::Chainring ring, int row, const QString &text) override;
    void setSpeed(calc::Chainring ring, int row, const QString &text) override;
    QString speedText(calc::Chainring ring, int row) const override;
    // calc::SeriesFeed
    void clearSeries(int series) override;
    void addBar(int series, double start, double end, double y) override;

    int m_readyFlag = 0;
    bool m_firstShowDone = false;
    QChar m_decimalSeparator;
    QString m_helpFile;
    std::unique_ptr<i18n::WindowTranslation> m_translation;
    i18n::LanguageDispatcher *m_dispatcher = nullptr;

    QTabWidget *m_pageControl = nullptr;
    platform::TabSheet *m_setupTab = nullptr;
    platform::TabSheet *m_chartTab = nullptr;
    platform::IntSpinField *m_circumference = nullptr;
    platform::IntSpinField *m_cadence = nullptr;
    platform::IntSpinField *m_minCadence = nullptr;
    platform::IntSpinField *m_maxCadence = nullptr;
    platform::RadioGroup *m_unit = nullptr;
    // Chainrings by calc::ringIndex(), sprocket rows from 0, series and
    // their boxes from 0 (Series1 first).
    std::array<platform::TwoDigitField *, calc::kChainrings.size()> m_chainrings{};
    std::array<platform::TwoDigitField *, calc::kSprocketRows> m_sprockets{};
    std::array<std::array<QLabel *, calc::kSprocketRows>, calc::kChainrings.size()> m_inchCells{};
    std::array<std::array<QLabel *, calc::kSprocketRows>, calc::kChainrings.size()> m_speedCells{};
    std::array<QLabel *, 3> m_unitLabels{};
    std::array<QCheckBox *, calc::kSeriesCount> m_seriesBoxes{};
    report::StringGrid *m_reportTable = nullptr;
    chart::Chart *m_chart = nullptr;
    std::array<chart::SpeedRangeSeries *, calc::kSeriesCount> m_series{};
    SavePictureDialog *m_savePicture = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_popup = nullptr;
};

} // namespace app

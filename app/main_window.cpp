#include "main_window.h"

#include "about/about_box.h"
#include "chart/chart.h"
#include "i18n/components.h"
#include "i18n/dispatcher.h"
#include "i18n/translator.h"
#include "platform/error_display.h"
#include "platform/int_spin_field.h"
#include "platform/menu_item.h"
#include "platform/radio_group.h"
#include "platform/status_bar.h"
#include "platform/tab_sheet.h"
#include "platform/two_digit_field.h"
#include "report/preview_report.h"
#include "report/report_table.h"
#include "report/string_grid.h"
#include "save_picture_dialog.h"
#include "settings/settings_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStyleOptionMenuItem>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

namespace app {

using calc::Chainring;
using platform::guarded;

namespace {

const std::array<const char *, calc::kTeethFieldCount> kDefaultTeeth{"53", "42", "12", "13", "14", "15",
                                                                     "16", "17", "18", "19", "21", "32"};

} // namespace

platform::TwoDigitField *MainWindow::chainringField(Chainring ring) const
{
    return m_chainrings[calc::ringIndex(ring)];
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The gearing is reset on the first display only: later activations
    // (coming back from the report preview, a dialog or another program)
    // keep what the rider typed.
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        platform::runGuarded([this] { firstShown(); });
    }
}

void MainWindow::firstShown()
{
    resetToDefaults();
}

void MainWindow::resetToDefaults()
{
    m_readyFlag = 0;
    // Field order MaskEdit1, MaskEdit2, MaskEdit3 ... MaskEdit12.
    std::array<platform::TwoDigitField *, calc::kTeethFieldCount> fields{};
    for (Chainring ring : calc::kChainrings)
        fields[size_t(calc::chainringFieldNumber(ring) - 1)] = chainringField(ring);
    for (int row = 1; row <= calc::kSprocketRows; ++row)
        fields[size_t(calc::sprocketFieldNumber(row) - 1)] = sprocketField(row);
    for (size_t i = 0; i < fields.size(); ++i)
        fields[i]->setFieldText(QString::fromLatin1(kDefaultTeeth[i]));
    m_readyFlag = 1;
    recalculate();
}

void MainWindow::recalculate()
{
    if (m_readyFlag != 1)
        return;
    calc::recalculate(*this, *this, *this, m_decimalSeparator);
}

void MainWindow::orderCadences()
{
    if (m_maxCadence->value() < m_minCadence->value())
        m_maxCadence->setValue(m_minCadence->value());
    recalculate();
}

void MainWindow::tabChanged()
{
    const bool chartTab = m_pageControl->currentWidget() == m_chartTab;
    for (const char *name : {"Zoomin", "Zoomud", "Undo"})
        action(QString::fromLatin1(name))->setEnabled(chartTab);
    // The speed axis is titled with the chosen unit.
    m_chart->setBottomAxisTitle(m_unit->selectedText());
}

void MainWindow::exitRequested()
{
    close();
}

void MainWindow::showCheckedSeries()
{
    for (int n = 1; n <= calc::kSeriesCount; ++n)
        series(n)->setActive(seriesBox(n)->isChecked());
}

void MainWindow::copyChart()
{
    m_chart->copyPicture();
}

void MainWindow::saveChart()
{
    if (const std::optional<QString> path = m_savePicture->exec(this))
        m_chart->saveBitmap(*path);
}
void MainWindow::showReport()
{
    report::fillReportTable(*m_reportTable, *this);
    previewReport(m_chart, m_reportTable, QStringLiteral("Ratiomat"));
}

void MainWindow::previewReport(chart::Chart *chart, report::StringGrid *grid, const QString &title)
{
    report::previewReport(*this, *this, *chart, *grid, title);
}
void MainWindow::zoomIn()
{
    m_chart->zoomByPercent(110);
}

void MainWindow::zoomOut()
{
    m_chart->zoomByPercent(90);
}

void MainWindow::resetZoom()
{
    m_chart->resetZoom();
}
void MainWindow::openSettings()
{
    // A fresh dialog each time, filled from the chart and the dispatcher.
    std::unique_ptr<settings::SettingsDialog, void (*)(settings::SettingsDialog *)> dialog(
        new settings::SettingsDialog(this), [](settings::SettingsDialog *d) { d->deleteLater(); });
    dialog->setLanguageNumber(m_dispatcher->activeLanguage());
    dialog->trackBar()->setValue(m_chart->chart3DPercent());
    if (!m_chart->view3D())
        dialog->trackBar()->setValue(0);
    dialog->gradientBox()->setChecked(m_chart->gradientVisible());
    const QStringList names = m_dispatcher->langNames();
    for (int i = 0; i < m_dispatcher->numOfLanguages() && i < names.size(); ++i)
        dialog->languageList()->addItem(names[i]);
    dialog->languageList()->setCurrentIndex(m_dispatcher->activeLanguage() - 1);

    if (dialog->exec() != QDialog::Accepted)
        return;
    const int depth = dialog->trackBar()->value();
    if (depth > 0)
        m_chart->setChart3DPercent(depth);
    m_chart->setView3D(depth != 0);
    m_chart->setGradientVisible(dialog->gradientBox()->isChecked());
    m_dispatcher->setActiveLanguage(dialog->languageList()->currentIndex() + 1);
    resetToDefaults();
}
void MainWindow::showAbout()
{
    about::showAboutBox(this);
}

// --- the recalculation's view of the window ---

QString MainWindow::chainringText(Chainring ring) const
{
    return m_chainrings[calc::ringIndex(ring)]->fieldText();
}

QString MainWindow::sprocketText(int row) const
{
    return m_sprockets[size_t(row - 1)]->fieldText();
}

int MainWindow::circumference() const
{
    return m_circumference->value();
}

int MainWindow::cadence() const
{
    return m_cadence->value();
}

int MainWindow::unitIndex() const
{
    return m_unit->itemIndex();
}

QString MainWindow::unitText() const
{
    return m_unit->selectedText();
}

int MainWindow::minCadence() const
{
    return m_minCadence->value();
}

int MainWindow::maxCadence() const
{
    return m_maxCadence->value();
}

void MainWindow::setUnitLabels(const QString &unit)
{
    for (QLabel *l : m_unitLabels)
        l->setText(unit);
}

void MainWindow::setGearInches(Chainring ring, int row, const QString &text)
{
    m_inchCells[calc::ringIndex(ring)][size_t(row - 1)]->setText(text);
}

void MainWindow::setSpeed(Chainring ring, int row, const QString &text)
{
    m_speedCells[calc::ringIndex(ring)][size_t(row - 1)]->setText(text);
}

QString MainWindow::gearInchesText(Chainring ring, int row) const
{
    return m_inchCells[calc::ringIndex(ring)][size_t(row - 1)]->text();
}

QString MainWindow::speedText(Chainring ring, int row) const
{
    return m_speedCells[calc::ringIndex(ring)][size_t(row - 1)]->text();
}

void MainWindow::clearSeries(int series)
{
    m_series[size_t(series - 1)]->clear();
}

void MainWindow::addBar(int series, double start, double end, double y)
{
    m_series[size_t(series - 1)]->addBar(start, end, y, QString());
}

} // namespace app

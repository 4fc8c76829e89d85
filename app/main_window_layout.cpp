// Building the main window: its components with their stored names,
// positions, fonts and hints, the actions and menus, and the translator.
#include "main_window.h"

#include "about/about_box.h"
#include "chart/chart.h"
#include "data/icons.h"
#include "i18n/components.h"
#include "i18n/dispatcher.h"
#include "i18n/translator.h"
#include "i18n/window_translation.h"
#include "platform/check_box.h"
#include "platform/error_display.h"
#include "platform/int_spin_field.h"
#include "platform/menu_item.h"
#include "platform/menu_style.h"
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
#include <QHash>
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
#include <vector>

namespace app {

using calc::Chainring;
using platform::guarded;

namespace {

constexpr int kClientWidth = 633;
constexpr int kClientHeight = 403;
constexpr int kStatusBarHeight = 19;

// A chainring as the window's names and accessible texts call it.
QString ringName(Chainring ring)
{
    const std::array<const char *, 3> names{"Big", "Medium", "Small"};
    return QString::fromLatin1(names[calc::ringIndex(ring)]);
}

// Tabs 80 pixels wide, whatever their captions.
class FixedWidthTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override { return {80, QTabBar::tabSizeHint(index).height()}; }
};

class PageControl : public QTabWidget
{
public:
    explicit PageControl(QWidget *parent) : QTabWidget(parent) { setTabBar(new FixedWidthTabBar(this)); }
};

QFont sansFont(int pixels)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixels);
    return f;
}

// Qt lays out every new line edit once in the application's font before it
// takes the font of its parent; for the first one that loads the
// application font's engine and its fallback list, which this window never
// draws with. While the window's fields are made, the application font is
// the window's own, whose engine is loaded anyway. Only the application
// font of Qt GUI is lent (not QApplication's, which would drop the fonts a
// desktop theme gives to kinds of widgets and notify every widget), and
// nothing that takes the application font's attributes is made meanwhile:
// the fields take the family and size from their parents and the rest is
// the same in both fonts. Qt counts a restored application font as one the
// program set: a desktop font changed while the program runs no longer
// replaces it.
class ApplicationFontLent
{
public:
    explicit ApplicationFontLent(const QFont &font) : m_saved(QGuiApplication::font())
    {
        QGuiApplication::setFont(font);
    }
    ~ApplicationFontLent() { QGuiApplication::setFont(m_saved); }
    ApplicationFontLent(const ApplicationFontLent &) = delete;
    ApplicationFontLent &operator=(const ApplicationFontLent &) = delete;

private:
    const QFont m_saved;
};

// A menu that shows no item images (the chart's context menu).
class IconlessMenu : public QMenu
{
public:
    using QMenu::QMenu;

protected:
    void initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const override
    {
        QMenu::initStyleOption(option, action);
        option->icon = QIcon();
    }
};

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_savePicture(new SavePictureDialog(this))
{
    setObjectName(QStringLiteral("gearform"));
    setWindowTitle(QStringLiteral("Ratiomat"));
    setFont(sansFont(12));
    m_decimalSeparator = QLocale::system().decimalPoint().front();

    buildActions();
    buildMenus();
    m_savePicture->setObjectName(QStringLiteral("SavePictureDialog1"));
    buildPages();

    // The status bar in single-panel mode shows hints; its one text is
    // published so a translator can set it.
    auto *status = new platform::StatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    status->setFixedHeight(kStatusBarHeight);
    status->setSizeGripEnabled(false);
    setStatusBar(status);

    // A single fixed border: client area 633 x 403 below the menu bar.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    wireInputs();
    buildTranslator();
    // Start with the first tab's state, as a tab change would leave it.
    tabChanged();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPages()
{
    m_pageControl = new PageControl(this);
    m_pageControl->setObjectName(QStringLiteral("PageControl1"));
    m_pageControl->setFont(sansFont(11));
    m_setupTab = new platform::TabSheet;
    m_setupTab->setObjectName(QStringLiteral("TabSheet1"));
    m_chartTab = new platform::TabSheet;
    m_chartTab->setObjectName(QStringLiteral("TabSheet2"));
    m_pageControl->addTab(m_setupTab, QString());
    m_pageControl->addTab(m_chartTab, QString());
    m_setupTab->setCaption(QStringLiteral("Setup"));
    m_setupTab->setHint(QStringLiteral("Setup"));
    m_chartTab->setCaption(QStringLiteral("Chart"));
    m_chartTab->setHint(QStringLiteral("Chart"));
    setCentralWidget(m_pageControl);
    {
        const ApplicationFontLent lent(font());
        buildSetupTab(m_setupTab);
        buildChartTab(m_chartTab);
    }
}

i18n::Translator *MainWindow::translator() const
{
    return &m_translation->translator();
}

QLabel *MainWindow::label(QWidget *parent, const QString &name, const QString &text, int x, int y)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(x, y);
    l->adjustSize();
    return l;
}

platform::IntSpinField *MainWindow::spinField(QWidget *parent, const QString &name, const QRect &geometry,
                                              const QString &hint, const QString &accessibleName)
{
    auto *f = new platform::IntSpinField(parent);
    f->setObjectName(name);
    f->setFont(sansFont(13));
    f->setGeometry(geometry);
    platform::setHint(f, hint);
    f->setAccessibleName(accessibleName);
    return f;
}

QLabel *MainWindow::resultCell(QWidget *parent, const QString &name, int right, int y, bool gray)
{
    constexpr int width = 44;
    auto *l = new QLabel(name, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    l->setGeometry(right - width, y, width, 14);
    if (gray) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80)); // 50% grey
        l->setPalette(p);
    }
    return l;
}

void MainWindow::buildActions()
{
    struct ActionSpec
    {
        const char *name, *category, *caption, *hint, *icon;
        QKeySequence shortcut;
        void (MainWindow::*handler)();
    };
    // Copy, Save and Print take the platform's standard keys, whose first
    // binding here is Ctrl+C, Ctrl+S and Ctrl+P (only that one is set).
    const ActionSpec specs[] = {
        {"Udskriv", "Filer", "&Print", "Print report", "print", {}, nullptr},
        {"Zoomin", "Grafik", "Zoom &in", "Zoom in", "zoom-in", QKeySequence(Qt::CTRL | Qt::Key_I), &MainWindow::zoomIn},
        {"Zoomud", "Grafik", "Zoom &out", "Zoom out", "zoom-out", QKeySequence(Qt::CTRL | Qt::Key_O),
         &MainWindow::zoomOut},
        {"Undo", "Grafik", "Undo", "Reset chart", nullptr, {}, &MainWindow::resetZoom},
        {"Copy", "", "C&opy", "Copy chart to clipboard", "copy", QKeySequence(QKeySequence::Copy),
         &MainWindow::copyChart},
        {"Save", "", "&Save", "Save chart as bitmap", "save", QKeySequence(QKeySequence::Save), &MainWindow::saveChart},
        {"Report", "", "&Print", "Print report", "print", QKeySequence(QKeySequence::Print), &MainWindow::showReport},
        {"Setup", "Filer", "&Setup", "", nullptr, {}, &MainWindow::openSettings},
    };
    for (const ActionSpec &s : specs) {
        auto *a = new QAction(QString::fromLatin1(s.caption), this);
        a->setObjectName(QString::fromLatin1(s.name));
        a->setProperty("Category", QString::fromLatin1(s.category));
        if (s.icon)
            a->setIcon(icons::fromFile(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(s.icon))));
        a->setToolTip(QString::fromLatin1(s.hint));
        a->setStatusTip(QString::fromLatin1(s.hint));
        if (!s.shortcut.isEmpty()) {
            a->setShortcut(s.shortcut);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        if (s.handler)
            connect(a, &QAction::triggered, this, guarded([this, h = s.handler] { (this->*h)(); }));
        addAction(a);
    }
}

QAction *MainWindow::action(const QString &name) const
{
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::buildMenus()
{
    // Each menu is a named component too (its menu action), and so is each
    // item in it.
    auto menu = [this](const QString &caption, const char *name) {
        QMenu *m = menuBar()->addMenu(caption);
        new platform::MenuItem(QString::fromLatin1(name), m->menuAction(), this);
        return m;
    };
    fillMenu(menu(QStringLiteral("&File"), "Filer1"), {{"Gem1", "Save"},
                                                       {"N1"},
                                                       {"Udskriv1", "Report"},
                                                       {"N2"},
                                                       {"Afslut1", nullptr, "E&xit", &MainWindow::exitRequested}});
    fillMenu(menu(QStringLiteral("&Edit"), "Rediger1"), {{"Kopier1", "Copy"}});
    fillMenu(
        menu(QStringLiteral("&View"), "Vis1"),
        {{"Zoomind1", "Zoomin"}, {"Zoomud1", "Zoomud"}, {"Nulstil1", "Undo"}, {"N3"}, {"Indstillinger1", "Setup"}});
    fillMenu(menu(QStringLiteral("&Help"), "Hjlp1"), {{"Om1", nullptr, "&About", &MainWindow::showAbout}});

    // The chart's context menu shows no item images.
    m_popup = new IconlessMenu(this);
    fillMenu(m_popup, {{"Dansk1", "Copy"},
                       {"English1", "Save"},
                       {"Udskriv2", "Report"},
                       {"N5"},
                       {"Zoomind2", "Zoomin"},
                       {"Zoomud2", "Zoomud"},
                       {"Nulstil2", "Undo"},
                       {"N6"},
                       {"Indstillinger2", "Setup"}});
}

void MainWindow::fillMenu(QMenu *menu, std::initializer_list<MenuEntry> entries)
{
    // The pointer over a disabled entry shows its hint as over any other.
    platform::letMenuHighlightDisabledEntries(*menu);
    // Qt menus show QActions; each menu item is also a named component of
    // its own (a MenuItem), bound to its window command where it has one.
    for (const MenuEntry &e : entries) {
        const QString name = QString::fromLatin1(e.item);
        if (e.command) {
            QAction *command = action(QString::fromLatin1(e.command));
            menu->addAction(command);
            (new platform::MenuItem(name, command, this))->setAction(command);
        } else if (e.handler) {
            QAction *a = menu->addAction(QString::fromLatin1(e.caption));
            connect(a, &QAction::triggered, this, guarded([this, h = e.handler] { (this->*h)(); }));
            new platform::MenuItem(name, a, this);
        } else {
            // A plain line: a separator with a text would draw that text.
            new platform::MenuItem(name, menu->addSeparator(), this);
        }
    }
}

QStringList MainWindow::storedComponentOrder()
{
    auto names = [](const char *spaced) { return QString::fromLatin1(spaced).split(u' '); };
    auto numbered = [](const char *prefix, int first, int last) {
        QStringList run;
        for (int i = first; i <= last; ++i)
            run << QString::fromLatin1(prefix) + QString::number(i);
        return run;
    };
    return names("PageControl1 TabSheet1 Label43 Label44 SpinEdit4 RadioGroup1 GroupBox1 Label5 Label30 Label40 "
                 "Label63 SpinEdit1 GroupBox2 Label2") +
           numbered("MaskEdit", 1, 12) +
           names("TabSheet2 Panel1 Panel2 Udskriv Zoomin Zoomud Undo Dansk1 English1 Copy Save Filer1 Rediger1 "
                 "Hjlp1 Gem1 N1 Udskriv1 N2 Afslut1 Kopier1 Vis1 Zoomind1 Zoomud1 Nulstil1 Om1 N3 Indstillinger1 "
                 "BigLabel1 MediumLabel1") +
           numbered("BigLabel", 2, 9) + numbered("MediumLabel", 2, 9) + numbered("SmallLabel", 1, 9) +
           names("StringGrid1 ToolBar1 ToolButton6 ToolButton2 ToolButton3 ToolButton4 ToolButton5 Panel3 Chart1 "
                 "Series1 Series2 Series3 Panel4 Label41 Label42 CheckBox1 CheckBox2 CheckBox3 SpinEdit2 SpinEdit3 "
                 "Report Setup Udskriv2 N5 Zoomind2 Zoomud2 Nulstil2 N6 Indstillinger2 StatusBar1") +
           numbered("BigSpeedLabel", 1, 9) + numbered("MediumSpeedLabel", 1, 9) + numbered("SmallSpeedLabel", 1, 9) +
           names("SavePictureDialog1 siLangDispatcher1");
}

void MainWindow::buildTranslator()
{
    m_dispatcher = new i18n::LanguageDispatcher(this);
    m_dispatcher->setObjectName(QStringLiteral("siLangDispatcher1"));
    m_translation = std::make_unique<i18n::WindowTranslation>(*this, QStringLiteral("Tgearform"),
                                                              storedComponentOrder(), storedTablesPath(), m_dispatcher);
}

void MainWindow::buildSetupTab(platform::TabSheet *page)
{
    label(page, QStringLiteral("Label43"), QStringLiteral("Circumference"), 16, 24);
    m_circumference =
        spinField(page, QStringLiteral("SpinEdit4"), {112, 16, 49, 22}, QStringLiteral("Tire circumference"),
                  QStringLiteral("Tyre circumference in centimetres"));
    m_circumference->setValue(210);
    label(page, QStringLiteral("Label44"), QStringLiteral("(700x21 = 210 cm)"), 184, 24);

    m_unit = new platform::RadioGroup(2, page);
    m_unit->setObjectName(QStringLiteral("RadioGroup1"));
    m_unit->setGeometry(304, 8, 129, 41);
    m_unit->setItems({QStringLiteral("Km/t"), QStringLiteral("Mph")});
    m_unit->setItemIndex(0);
    m_unit->setAccessibleName(QStringLiteral("Speed unit"));

    auto *right = new QGroupBox(page);
    right->setObjectName(QStringLiteral("GroupBox1"));
    right->setGeometry(304, 56, 305, 289);
    label(right, QStringLiteral("Label5"), QStringLiteral("Cadence:"), 24, 32);
    m_cadence = spinField(right, QStringLiteral("SpinEdit1"), {104, 24, 50, 22},
                          QStringLiteral("Calculate speed at this cadence"),
                          QStringLiteral("Cadence in revolutions per minute"));
    m_cadence->setBounds(0, 200);
    m_cadence->setValue(100);

    auto *left = new QGroupBox(page);
    left->setObjectName(QStringLiteral("GroupBox2"));
    left->setGeometry(16, 56, 273, 289);
    label(left, QStringLiteral("Label2"), QStringLiteral("Rear/Front"), 24, 32);

    buildTeethFields(left);
    buildResultCells(left, right);

    m_reportTable = new report::StringGrid(page);
    m_reportTable->setObjectName(QStringLiteral("StringGrid1"));
    m_reportTable->setGeometry(456, 0, 32, 16);

    setSetupTabOrder();
}

// The chainring fields (top row) and the sprocket fields (left column).
void MainWindow::buildTeethFields(QWidget *left)
{
    const std::array<int, 3> ringX{96, 152, 208};
    for (Chainring ring : calc::kChainrings) {
        const size_t i = calc::ringIndex(ring);
        auto *f = new platform::TwoDigitField(platform::TwoDigitField::Mode::Required, left);
        f->setObjectName(QStringLiteral("MaskEdit%1").arg(calc::chainringFieldNumber(ring)));
        f->setGeometry(ringX[i], 24, 25, 21);
        platform::setHint(f, QStringLiteral(" "));
        f->setAccessibleName(ringName(ring) + QStringLiteral(" chainring teeth"));
        m_chainrings[i] = f;
    }
    for (int row = 1; row <= calc::kSprocketRows; ++row) {
        auto *f = new platform::TwoDigitField(platform::TwoDigitField::Mode::Optional, left);
        f->setObjectName(QStringLiteral("MaskEdit%1").arg(calc::sprocketFieldNumber(row)));
        f->setGeometry(24, 56 + (row - 1) * 24, 25, 21);
        platform::setHint(f, QStringLiteral("Cassette"));
        f->setAccessibleName(QStringLiteral("Sprocket row %1 teeth").arg(row));
        m_sprockets[size_t(row - 1)] = f;
    }
}

// The gear-inch cells (left group), the speed cells and their unit captions
// (right group).
void MainWindow::buildResultCells(QWidget *left, QWidget *right)
{
    // Gray cells mark the combinations a rider avoids (crossed chain).
    auto grayInch = [](Chainring ring, int row) {
        return (ring == Chainring::Big && row >= 7) || (ring == Chainring::Medium && (row <= 2 || row >= 8)) ||
               (ring == Chainring::Small && row <= 3);
    };
    auto graySpeed = [](Chainring ring, int row) {
        return (ring == Chainring::Big && row >= 7) || (ring == Chainring::Medium && row <= 2) ||
               (ring == Chainring::Small && row <= 3);
    };
    const std::array<int, 3> inchRight{128, 182, 240};
    const std::array<int, 3> speedRight{70, 158, 246};
    for (Chainring ring : calc::kChainrings)
        for (int row = 1; row <= calc::kSprocketRows; ++row) {
            const size_t i = calc::ringIndex(ring);
            const int y = 64 + (row - 1) * 24;
            const int ir = (ring == Chainring::Small && row > 1) ? 242 : inchRight[i];
            m_inchCells[i][size_t(row - 1)] =
                resultCell(left, ringName(ring) + QStringLiteral("Label%1").arg(row), ir, y, grayInch(ring, row));
            m_speedCells[i][size_t(row - 1)] =
                resultCell(right, ringName(ring) + QStringLiteral("SpeedLabel%1").arg(row), speedRight[i], y,
                           graySpeed(ring, row));
        }
    // Assistive technology reads a cell's text as its name; the description
    // says which gear it belongs to.
    for (Chainring ring : calc::kChainrings)
        for (int row = 1; row <= calc::kSprocketRows; ++row) {
            const QString gear = QStringLiteral(", %1 chainring, sprocket row %2").arg(ringName(ring)).arg(row);
            gearInchCell(ring, row)->setAccessibleDescription(QStringLiteral("Gear inches") + gear);
            speedCell(ring, row)->setAccessibleDescription(QStringLiteral("Speed") + gear);
        }
    // Until the first recalculation the cells show their stored placeholders.
    for (int row = 1; row <= calc::kSprocketRows; ++row) {
        gearInchCell(Chainring::Small, row)
            ->setText(row == 1 ? QStringLiteral("Label3") : QStringLiteral("Label%1").arg(row + 11));
        speedCell(Chainring::Small, row)->setText(QStringLiteral("Label%1").arg(row + 30));
    }
    const std::array<const char *, 3> unitNames{"Label30", "Label40", "Label63"};
    const std::array<int, 3> unitX{80, 168, 256};
    for (int i = 0; i < 3; ++i)
        m_unitLabels[size_t(i)] =
            label(right, QString::fromLatin1(unitNames[size_t(i)]), QStringLiteral("Km/t"), unitX[size_t(i)], 64);
}

void MainWindow::setSetupTabOrder()
{
    // Tab order: circumference, unit, the right group, then the left group.
    std::vector<QWidget *> order{m_circumference, m_unit, m_cadence};
    for (Chainring ring : calc::kChainrings)
        order.push_back(chainringField(ring));
    for (int row = 1; row <= calc::kSprocketRows; ++row)
        order.push_back(sprocketField(row));
    for (size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void MainWindow::buildChartTab(platform::TabSheet *page)
{
    buildChartToolBar(page);

    // Spacers around the chart: 16 pixels below the tool bar, 8 at the
    // bottom and at the left; the chart measures 528 x 308 between them.
    constexpr int chartW = 528, chartH = 308, pageW = 8 + chartW + 89;
    m_toolBar->setGeometry(0, 0, pageW, 24);
    auto *top = new QWidget(page);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setGeometry(0, 24, pageW, 16);
    auto *bottom = new QWidget(page);
    bottom->setObjectName(QStringLiteral("Panel2"));
    bottom->setGeometry(0, 40 + chartH, pageW, 8);
    auto *leftStrip = new QWidget(page);
    leftStrip->setObjectName(QStringLiteral("Panel3"));
    leftStrip->setGeometry(0, 40, 8, chartH);

    m_chart = new chart::Chart(page);
    m_chart->setObjectName(QStringLiteral("Chart1"));
    m_chart->setGeometry(8, 40, chartW, chartH);
    m_chart->setHint(QStringLiteral("Rightclick "));
    m_chart->setContextMenu(m_popup);
    m_chart->setAccessibleName(QStringLiteral("Speed-range chart"));
    m_chart->setAccessibleDescription(
        QStringLiteral("Speed range of every gear between the minimum and maximum cadence; "
                       "the same figures are in the gear and speed tables on the Setup tab"));
    // Series1 Small (lime), Series2 Medium (yellow), Series3 Big (red), in
    // front in 3D. Series1 and Series3 keep their bars ordered by start.
    const std::array<QColor, 3> barColours{QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    for (int n = 1; n <= calc::kSeriesCount; ++n) {
        auto *series = new chart::SpeedRangeSeries(this);
        series->setObjectName(QStringLiteral("Series%1").arg(n));
        series->setColor(barColours[size_t(n - 1)]);
        series->setOrderedByStart(calc::seriesChainring(n) != Chainring::Medium);
        m_chart->addSeries(series);
        m_series[size_t(n - 1)] = series;
    }

    auto *panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("Panel4"));
    panel->setGeometry(8 + chartW, 40, 89, chartH);
    buildSeriesPanel(panel);
}

// The chart tab's tool bar: Save, Report, Copy, Zoom in, Zoom out.
void MainWindow::buildChartToolBar(QWidget *page)
{
    m_toolBar = new QToolBar(page);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setWindowTitle(QStringLiteral("ToolBar1"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setContentsMargins(0, 0, 0, 0);
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { border: 0px; spacing: 0px; padding: 0px; }"));
    const std::array<std::pair<const char *, const char *>, 5> buttons{{{"ToolButton6", "Save"},
                                                                        {"ToolButton2", "Report"},
                                                                        {"ToolButton3", "Copy"},
                                                                        {"ToolButton4", "Zoomin"},
                                                                        {"ToolButton5", "Zoomud"}}};
    for (const auto &[name, act] : buttons) {
        auto *b = new QToolButton(m_toolBar);
        b->setObjectName(QString::fromLatin1(name));
        b->setDefaultAction(action(QString::fromLatin1(act)));
        b->setAutoRaise(true);
        b->setFixedSize(23, 22);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        m_toolBar->addWidget(b);
    }
}

// The panel right of the chart: a check box per series and the cadence range.
void MainWindow::buildSeriesPanel(QWidget *panel)
{
    const std::array<const char *, 3> boxCaptions{"Small", "Medium", "Large"};
    const std::array<QColor, 3> boxColours{QColor(0, 128, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    const std::array<int, 3> boxY{2, 26, 58};
    for (int n = 1; n <= calc::kSeriesCount; ++n) {
        const size_t i = size_t(n - 1);
        auto *box = new platform::CheckBox(QString::fromLatin1(boxCaptions[i]), panel);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        box->setGeometry(8, boxY[i], 72, 18);
        box->setChecked(true);
        QPalette p = box->palette();
        p.setColor(QPalette::WindowText, boxColours[i]);
        box->setPalette(p);
        platform::setHint(box, QStringLiteral("Show chart"));
        connect(box, &QCheckBox::clicked, this, guarded([this] { showCheckedSeries(); }));
        box->setAccessibleName(QStringLiteral("Show %1 chainring bars").arg(ringName(calc::seriesChainring(n))));
        m_seriesBoxes[i] = box;
    }
    label(panel, QStringLiteral("Label41"), QStringLiteral("Min. cadence"), 8, 90);
    m_minCadence = spinField(panel, QStringLiteral("SpinEdit2"), {8, 106, 60, 22}, QStringLiteral("Min cadence"),
                             QStringLiteral("Minimum cadence of the chart"));
    m_minCadence->setBounds(0, 150);
    m_minCadence->setValue(95);
    label(panel, QStringLiteral("Label42"), QStringLiteral("Max. cadence"), 8, 146);
    m_maxCadence = spinField(panel, QStringLiteral("SpinEdit3"), {8, 162, 60, 22}, QStringLiteral("Max cadence"),
                             QStringLiteral("Maximum cadence of the chart"));
    m_maxCadence->setBounds(0, 150);
    m_maxCadence->setValue(105);
}

void MainWindow::wireInputs()
{
    auto recalc = guarded([this] { recalculate(); });
    for (auto *f : m_chainrings)
        connect(f, &platform::TwoDigitField::fieldTextChanged, this, recalc);
    for (auto *f : m_sprockets)
        connect(f, &platform::TwoDigitField::fieldTextChanged, this, recalc);
    connect(m_circumference, &platform::IntSpinField::changed, this, recalc);
    connect(m_cadence, &platform::IntSpinField::changed, this, recalc);
    connect(m_unit, &platform::RadioGroup::itemClicked, this, recalc);
    auto order = guarded([this] { orderCadences(); });
    connect(m_minCadence, &platform::IntSpinField::changed, this, order);
    connect(m_maxCadence, &platform::IntSpinField::changed, this, order);
    connect(m_pageControl, &QTabWidget::currentChanged, this, guarded([this] { tabChanged(); }));
}

} // namespace app

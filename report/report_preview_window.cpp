#include "report_preview_window.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace report {

namespace {

// The preview reads as Qt's stock print preview does, in the language of
// Qt's own catalogue (loaded at start for the desktop's language): the
// texts are looked up under that dialog's context, not this class's.
QString stockText(const char *text)
{
    return QCoreApplication::translate("QPrintPreviewDialog", text);
}

// The tool icons are made once for the whole run. Icons made anew for each
// preview leave their scaled and greyed pixmaps in the process-wide pixmap
// cache under keys no later preview looks up again, so every preview would
// add to the memory until the cache is full.
QMap<QString, QIcon> &iconCache()
{
    static QMap<QString, QIcon> icons;
    static const bool registered = [] {
        qAddPostRoutine([] { iconCache().clear(); });
        return true;
    }();
    Q_UNUSED(registered);
    return icons;
}

QIcon toolIcon(const QString &name)
{
    QMap<QString, QIcon> &icons = iconCache();
    auto it = icons.find(name);
    if (it == icons.end()) {
        const QString images = QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/");
        QIcon fallback;
        fallback.addFile(images + name + QStringLiteral("-24.png"), QSize(24, 24));
        fallback.addFile(images + name + QStringLiteral("-32.png"), QSize(32, 32));
        it = icons.insert(name, QIcon::fromTheme(name, fallback));
    }
    return *it;
}

} // namespace

ReportPreviewWindow::ReportPreviewWindow(QPrinter *printer, QWidget *parent)
    : QDialog(parent), m_printer(printer), m_preview(new QPrintPreviewWidget(printer, this))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(stockText("Print Preview"));
    m_preview->setObjectName(QStringLiteral("previewWidget"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, &ReportPreviewWindow::paintRequested);
    connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &ReportPreviewWindow::updateTools);

    buildZoomTools();
    buildOrientationTools();
    QWidget *pageBox = buildPageTools();
    buildViewModeTools();
    m_pageSetup = addTool(QStringLiteral("pageSetupAction"), stockText("Page setup"), QStringLiteral("page-setup"));
    m_print = addTool(QStringLiteral("printAction"), stockText("Print"), QStringLiteral("printer"));
    connect(m_pageSetup, &QAction::triggered, this, &ReportPreviewWindow::pageSetup);
    connect(m_print, &QAction::triggered, this, &ReportPreviewWindow::printReport);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildToolBar(pageBox));
    layout->addWidget(m_preview);

    // Open on the whole first page, as the stock preview does.
    m_fitPage->setChecked(true);
    m_singlePage->setChecked(true);
    (m_printer->pageLayout().orientation() == QPageLayout::Portrait ? m_portrait : m_landscape)->setChecked(true);
    m_preview->fitInView();
    resize(std::max(800, sizeHint().width()), 750);
}

ReportPreviewWindow::~ReportPreviewWindow() = default;

QAction *ReportPreviewWindow::addTool(const QString &name, const QString &text, const QString &icon, bool checkable)
{
    auto *action = new QAction(toolIcon(icon), text, this);
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

QActionGroup *ReportPreviewWindow::groupTools(std::initializer_list<QAction *> actions)
{
    auto *group = new QActionGroup(this);
    for (QAction *a : actions)
        group->addAction(a);
    return group;
}

void ReportPreviewWindow::buildZoomTools()
{
    m_fitWidth =
        addTool(QStringLiteral("fitWidthAction"), stockText("Fit width"), QStringLiteral("zoom-fit-width"), true);
    m_fitPage = addTool(QStringLiteral("fitPageAction"), stockText("Fit page"), QStringLiteral("zoom-fit-page"), true);
    groupTools({m_fitWidth, m_fitPage})->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    connect(m_fitWidth, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitToWidth);
    connect(m_fitPage, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitInView);

    m_zoomFactor = new QComboBox(this);
    m_zoomFactor->setObjectName(QStringLiteral("zoomFactor"));
    m_zoomFactor->setEditable(true);
    m_zoomFactor->setMinimumContentsLength(7);
    m_zoomFactor->setInsertPolicy(QComboBox::NoInsert);
    for (int percent : {12, 25, 50, 75, 100, 125, 150, 200, 400, 800})
        m_zoomFactor->addItem(QStringLiteral("%1%").arg(percent));
    connect(m_zoomFactor->lineEdit(), &QLineEdit::editingFinished, this, &ReportPreviewWindow::zoomFactorEdited);
    connect(m_zoomFactor, &QComboBox::textActivated, this, &ReportPreviewWindow::zoomFactorEdited);

    m_zoomIn = addTool(QStringLiteral("zoomInAction"), stockText("Zoom in"), QStringLiteral("zoom-in"));
    m_zoomOut = addTool(QStringLiteral("zoomOutAction"), stockText("Zoom out"), QStringLiteral("zoom-out"));
    connect(m_zoomIn, &QAction::triggered, m_preview, [this] {
        leaveFittedZoom();
        m_preview->zoomIn();
    });
    connect(m_zoomOut, &QAction::triggered, m_preview, [this] {
        leaveFittedZoom();
        m_preview->zoomOut();
    });
}

void ReportPreviewWindow::buildOrientationTools()
{
    m_portrait =
        addTool(QStringLiteral("portraitAction"), stockText("Portrait"), QStringLiteral("layout-portrait"), true);
    m_landscape =
        addTool(QStringLiteral("landscapeAction"), stockText("Landscape"), QStringLiteral("layout-landscape"), true);
    groupTools({m_portrait, m_landscape});
    connect(m_portrait, &QAction::triggered, m_preview, &QPrintPreviewWidget::setPortraitOrientation);
    connect(m_landscape, &QAction::triggered, m_preview, &QPrintPreviewWidget::setLandscapeOrientation);
}

QWidget *ReportPreviewWindow::buildPageTools()
{
    m_firstPage = addTool(QStringLiteral("firstPageAction"), stockText("First page"), QStringLiteral("go-first"));
    m_previousPage =
        addTool(QStringLiteral("previousPageAction"), stockText("Previous page"), QStringLiteral("go-previous"));
    m_nextPage = addTool(QStringLiteral("nextPageAction"), stockText("Next page"), QStringLiteral("go-next"));
    m_lastPage = addTool(QStringLiteral("lastPageAction"), stockText("Last page"), QStringLiteral("go-last"));
    connect(m_firstPage, &QAction::triggered, m_preview, [this] { m_preview->setCurrentPage(1); });
    connect(m_previousPage, &QAction::triggered, m_preview,
            [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); });
    connect(m_nextPage, &QAction::triggered, m_preview,
            [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); });
    connect(m_lastPage, &QAction::triggered, m_preview, [this] { m_preview->setCurrentPage(m_preview->pageCount()); });

    // The current page's number, editable, and the page count beside it.
    m_pageNumber = new QLineEdit(this);
    m_pageNumber->setObjectName(QStringLiteral("pageNumber"));
    m_pageNumber->setAlignment(Qt::AlignRight);
    m_pageNumber->setMaximumWidth(m_pageNumber->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    m_pageRange = new QIntValidator(1, 1, m_pageNumber);
    m_pageNumber->setValidator(m_pageRange);
    connect(m_pageNumber, &QLineEdit::editingFinished, m_preview,
            [this] { m_preview->setCurrentPage(m_pageNumber->text().toInt()); });
    m_pageCount = new QLabel(this);
    auto *pageBox = new QWidget(this);
    pageBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *pageLayout = new QHBoxLayout(pageBox);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->addWidget(m_pageNumber);
    pageLayout->addWidget(m_pageCount);
    return pageBox;
}

void ReportPreviewWindow::buildViewModeTools()
{
    m_singlePage = addTool(QStringLiteral("singlePageAction"), stockText("Show single page"),
                           QStringLiteral("view-pages-single"), true);
    m_facingPages = addTool(QStringLiteral("facingPagesAction"), stockText("Show facing pages"),
                            QStringLiteral("view-pages-facing"), true);
    m_allPages = addTool(QStringLiteral("allPagesAction"), stockText("Show overview of all pages"),
                         QStringLiteral("view-pages-overview"), true);
    groupTools({m_singlePage, m_facingPages, m_allPages});
    connect(m_singlePage, &QAction::triggered, m_preview, &QPrintPreviewWidget::setSinglePageViewMode);
    connect(m_facingPages, &QAction::triggered, m_preview, &QPrintPreviewWidget::setFacingPagesViewMode);
    connect(m_allPages, &QAction::triggered, m_preview, &QPrintPreviewWidget::setAllPagesViewMode);
}

QToolBar *ReportPreviewWindow::buildToolBar(QWidget *pageBox)
{
    auto *toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("previewTools"));
    toolbar->setIconSize(QSize(24, 24));
    toolbar->addActions({m_fitWidth, m_fitPage});
    toolbar->addSeparator();
    toolbar->addWidget(m_zoomFactor);
    toolbar->addActions({m_zoomOut, m_zoomIn});
    toolbar->addSeparator();
    toolbar->addActions({m_portrait, m_landscape});
    toolbar->addSeparator();
    toolbar->addActions({m_firstPage, m_previousPage});
    toolbar->addWidget(pageBox);
    toolbar->addActions({m_nextPage, m_lastPage});
    toolbar->addSeparator();
    toolbar->addActions({m_singlePage, m_facingPages, m_allPages});
    toolbar->addSeparator();
    toolbar->addActions({m_pageSetup, m_print});
    return toolbar;
}

void ReportPreviewWindow::printReport()
{
    QPrintDialog dialog(m_printer, this);
    dialog.setObjectName(QStringLiteral("printDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The preview stays: the same report can be printed again from it.
    m_preview->print();
    m_preview->updatePreview();
}

void ReportPreviewWindow::pageSetup()
{
    QPageSetupDialog dialog(m_printer, this);
    dialog.setObjectName(QStringLiteral("pageSetupDialog"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    (m_printer->pageLayout().orientation() == QPageLayout::Portrait ? m_portrait : m_landscape)->setChecked(true);
    m_preview->updatePreview();
}

void ReportPreviewWindow::updateTools()
{
    const int pages = m_preview->pageCount();
    const int current = m_preview->currentPage();
    m_firstPage->setEnabled(current > 1);
    m_previousPage->setEnabled(current > 1);
    m_nextPage->setEnabled(current < pages);
    m_lastPage->setEnabled(current < pages);
    m_pageRange->setRange(1, std::max(1, pages));
    m_pageNumber->setText(QString::number(current));
    m_pageCount->setText(QStringLiteral("/ %1").arg(pages));
    if (!m_zoomFactor->lineEdit()->hasFocus())
        m_zoomFactor->lineEdit()->setText(QStringLiteral("%1%").arg(qRound(m_preview->zoomFactor() * 100)));
}

void ReportPreviewWindow::zoomFactorEdited()
{
    QString text = m_zoomFactor->lineEdit()->text();
    text.remove(u'%');
    bool ok = false;
    const double percent = text.toDouble(&ok);
    if (!ok || percent <= 0)
        return;
    leaveFittedZoom();
    m_preview->setZoomFactor(percent / 100.0);
}

// A zoom the user chooses ends fitting the page to the window.
void ReportPreviewWindow::leaveFittedZoom()
{
    m_fitWidth->setChecked(false);
    m_fitPage->setChecked(false);
}

} // namespace report

#pragma once

#include <QDialog>
#include <initializer_list>

class QAction;
class QActionGroup;
class QComboBox;
class QIntValidator;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

namespace report {

// The report's print preview: the pages as they will print, with tools to
// fit and zoom them, turn the paper, page through them, switch between one,
// two and all pages, set up the page and print. Unlike the stock preview
// dialog it stays open after a print, so the same report can be printed
// again from it; it goes when the user closes it.
//
// Its tools are actions named for what they do ("printAction",
// "pageSetupAction", ...); "printAction" shows the print dialog
// ("printDialog", a child of the preview) and, when it is accepted, prints
// through paintRequested on the preview's printer.
class ReportPreviewWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPreviewWindow(QPrinter *printer, QWidget *parent = nullptr);
    ~ReportPreviewWindow() override;

    QPrinter *printer() const { return m_printer; }
    QPrintPreviewWidget *previewWidget() const { return m_preview; }
    QAction *printAction() const { return m_print; }

Q_SIGNALS:
    // Asks for the report to be painted on the printer: for the preview's
    // pages and for every print.
    void paintRequested(QPrinter *printer);

private:
    QAction *addTool(const QString &name, const QString &text, const QString &icon, bool checkable = false);
    QActionGroup *groupTools(std::initializer_list<QAction *> actions);
    void buildZoomTools();
    void buildOrientationTools();
    QWidget *buildPageTools();
    void buildViewModeTools();
    QToolBar *buildToolBar(QWidget *pageBox);
    void printReport();
    void pageSetup();
    void updateTools();
    void zoomFactorEdited();
    void leaveFittedZoom();

    QPrinter *m_printer;
    QPrintPreviewWidget *m_preview;
    QAction *m_fitWidth = nullptr;
    QAction *m_fitPage = nullptr;
    QAction *m_zoomIn = nullptr;
    QAction *m_zoomOut = nullptr;
    QAction *m_portrait = nullptr;
    QAction *m_landscape = nullptr;
    QAction *m_firstPage = nullptr;
    QAction *m_previousPage = nullptr;
    QAction *m_nextPage = nullptr;
    QAction *m_lastPage = nullptr;
    QAction *m_singlePage = nullptr;
    QAction *m_facingPages = nullptr;
    QAction *m_allPages = nullptr;
    QAction *m_pageSetup = nullptr;
    QAction *m_print = nullptr;
    QComboBox *m_zoomFactor = nullptr;
    QLineEdit *m_pageNumber = nullptr;
    QLabel *m_pageCount = nullptr;
    QIntValidator *m_pageRange = nullptr;
};

} // namespace report

// Start-up to first paint and peak memory: Ratiomat's main window against a
// bare Qt window with a similar number of widgets, each in a fresh process.
//
//   bench_startup [runs]
#include "app/gearform.h"
#include "app/startup.h"
#include "platform/application.h"

#include <QElapsedTimer>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Reports the first paint of a window and quits.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !done) {
            done = true;
            QTimer::singleShot(0, qApp, [] {
                rusage u{};
                getrusage(RUSAGE_SELF, &u);
                std::printf("painted %ld\n", u.ru_maxrss);
                std::fflush(stdout);
                qApp->quit();
            });
        }
        return false;
    }
    bool done = false;
};

QWidget *bareWindow()
{
    auto *w = new QMainWindow;
    w->menuBar()->addMenu(QStringLiteral("&File"));
    w->menuBar()->addMenu(QStringLiteral("&Edit"));
    auto *tabs = new QTabWidget;
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    for (int i = 0; i < 60; ++i)
        grid->addWidget(new QLabel(QStringLiteral("label")), i / 6, i % 6);
    for (int i = 0; i < 14; ++i)
        grid->addWidget(new QLineEdit, 10 + i / 7, i % 7);
    tabs->addTab(page, QStringLiteral("Setup"));
    tabs->addTab(new QWidget, QStringLiteral("Chart"));
    w->setCentralWidget(tabs);
    w->addToolBar(QStringLiteral("tools"));
    w->resize(633, 420);
    return w;
}

int child(int argc, char **argv, bool ratiomat)
{
    platform::Application app(argc, argv);
    FirstPaint probe;
    QWidget *w = nullptr;
    if (ratiomat) {
        app::prepareApplication();
        w = new Tgearform;
    } else {
        w = bareWindow();
    }
    app.installEventFilter(&probe);
    w->show();
    const int rc = app.exec();
    delete w;
    return rc;
}

struct Sample
{
    double ms;
    long rssKb;
};

Sample runChild(const QString &self, const QString &mode)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(self, {QStringLiteral("--child"), mode});
    p.waitForFinished(30000);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    const QByteArray out = p.readAllStandardOutput();
    const long rss = out.startsWith("painted ") ? out.mid(8).trimmed().toLong() : -1;
    return {ms, rss};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, qstrcmp(argv[2], "ratiomat") == 0);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> bare, ours;
    long bareRss = 0, ourRss = 0;
    for (int i = 0; i < runs; ++i) {
        const Sample b = runChild(self, QStringLiteral("bare"));
        const Sample r = runChild(self, QStringLiteral("ratiomat"));
        bare.push_back(b.ms);
        ours.push_back(r.ms);
        bareRss = std::max(bareRss, b.rssKb);
        ourRss = std::max(ourRss, r.rssKb);
    }
    const double mb = median(bare), mo = median(ours);
    std::printf("start-up to first paint (median of %d, platform %s)\n", runs,
                qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default")).toUtf8().constData());
    std::printf("  bare Qt window : %7.1f ms  peak RSS %6.1f MB\n", mb, bareRss / 1024.0);
    std::printf("  Ratiomat       : %7.1f ms  peak RSS %6.1f MB\n", mo, ourRss / 1024.0);
    std::printf("  ratio          : %7.2f x time, %.2f x memory (target <= 1.3)\n", mo / mb,
                double(ourRss) / double(bareRss));
    return 0;
}

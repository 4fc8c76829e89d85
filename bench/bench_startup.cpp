// Start-up to first paint and peak memory: Ratiomat's main window against a
// bare Qt window with the same kinds and numbers of widgets, each in a fresh
// process, the two alternating so that load from other work hits both.
//
//   bench_startup [runs]          (default 21 of each)
//
// The time to first paint is the CPU time the process has spent (loading,
// building, laying out and painting the window) when the first paint has
// completed; wall time is shown alongside. Both move with the host (caches
// shared with other work, a virtual machine's neighbours), so the figure
// the target is really held to is the number of instructions executed from
// the process's first instruction (the dynamic loader's) to the end of the
// first paint, counted by valgrind's callgrind, where the child ends.
//
// The bare window is a program of its own (bench_startup_bare, this file
// built with RATIOMAT_BARE_WINDOW), linked with Qt Widgets alone; Ratiomat's
// window starts as the program does, from a child of this one with all of
// Ratiomat linked in.
#include "bench_result.h"

#ifndef RATIOMAT_BARE_WINDOW
#include "app/main_window.h"
#include "app/startup.h"
#include "platform/application.h"
#endif

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double cpuMs(const rusage &u)
{
    return (double(u.ru_utime.tv_sec) + double(u.ru_stime.tv_sec)) * 1e3 +
           (double(u.ru_utime.tv_usec) + double(u.ru_stime.tv_usec)) / 1e3;
}

// Reports the process's CPU time and peak memory once the first paint of a
// window has completed, and ends the process there: nothing after the first
// paint is counted, and both programs stop at the same point.
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
                std::printf("painted %.3f %ld\n", cpuMs(u), u.ru_maxrss);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }
    bool done = false;
};

#ifdef RATIOMAT_BARE_WINDOW

// The main window's kinds of widgets, in its numbers, with nothing else:
// menus, a tool bar, two tabs, 60 labels, 14 fields and a status bar.
QWidget *bareWindow()
{
    auto *w = new QMainWindow;
    for (const char *menu : {"&File", "&Edit", "&View", "&Help"})
        w->menuBar()->addMenu(QString::fromLatin1(menu));
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
    w->statusBar();
    w->resize(633, 422);
    return w;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FirstPaint probe;
    const std::unique_ptr<QWidget> w(bareWindow());
    app.installEventFilter(&probe);
    w->show();
    return QApplication::exec(); // ends in FirstPaint
}

#else

int ratiomatChild(int argc, char **argv)
{
    platform::Application app(argc, argv);
    FirstPaint probe;
    app::prepareApplication();
    const auto w = std::make_unique<app::MainWindow>();
    app.installEventFilter(&probe);
    w->show();
    return QApplication::exec(); // ends in FirstPaint
}

struct Sample
{
    double wallMs = -1, cpuMs = -1;
    long rssKb = -1;
};

// Starts one child and reads its report; the wall time ends when the report
// arrives, not when the child has torn down.
Sample runChild(const QString &program, const QStringList &arguments)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    Sample s;
    while (p.waitForReadyRead(30000)) {
        if (!p.canReadLine())
            continue;
        const QList<QByteArray> f = p.readLine().trimmed().split(' ');
        if (f.size() == 3 && f[0] == "painted") {
            s.wallMs = double(t.nsecsElapsed()) / 1e6;
            s.cpuMs = f[1].toDouble();
            s.rssKb = f[2].toLong();
        }
        break;
    }
    p.waitForFinished(30000);
    return s;
}

// The instructions one child executes from its first instruction to the end
// of its first paint, as callgrind counts them; -1 when it did not get there.
double countInstructions(const QString &valgrind, const QString &program, const QStringList &arguments)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return -1;
    const QString out = dir.filePath(QStringLiteral("callgrind.out"));
    QProcess p;
    p.start(valgrind, QStringList{QStringLiteral("--tool=callgrind"), QStringLiteral("--callgrind-out-file=") + out,
                                  QStringLiteral("--dump-line=no"), program} +
                          arguments);
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 ||
        !p.readAllStandardOutput().startsWith("painted ")) {
        std::fprintf(stderr, "bench_startup: %s under callgrind did not reach its first paint:\n%s\n",
                     qPrintable(program), p.readAllStandardError().constData());
        return -1;
    }
    QFile f(out);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.startsWith("totals: ")) {
            bool ok = false;
            const double n = line.mid(8).toDouble(&ok);
            return ok ? n : -1;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && qstrcmp(argv[1], "--child") == 0)
        return ratiomatChild(argc, argv);

    bench::offscreenUnlessChosen();
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    const QString self = QCoreApplication::applicationFilePath();
    const QString bareProgram = self + QStringLiteral("_bare");
    auto bare = [&] { return runChild(bareProgram, {}); };
    auto ours = [&] { return runChild(self, {QStringLiteral("--child")}); };
    std::vector<double> bareWall, ourWall, bareCpu, ourCpu, bareRss, ourRss;
    bool allPainted = true;
    bare(); // fill the file cache for both
    ours();
    for (int i = 0; i < runs; ++i) {
        // Alternate which goes first, so neither always follows the other.
        const bool bareFirst = i % 2 == 0;
        Sample b, r;
        if (bareFirst)
            b = bare();
        r = ours();
        if (!bareFirst)
            b = bare();
        allPainted = allPainted && b.rssKb > 0 && r.rssKb > 0;
        bareWall.push_back(b.wallMs);
        ourWall.push_back(r.wallMs);
        bareCpu.push_back(b.cpuMs);
        ourCpu.push_back(r.cpuMs);
        bareRss.push_back(double(b.rssKb) / 1024);
        ourRss.push_back(double(r.rssKb) / 1024);
    }
    std::printf("start-up to first paint, median of %d fresh processes each (platform %s)\n", runs,
                qgetenv("QT_QPA_PLATFORM").constData());
    bench::Verdicts v;
    v.check("start-up: every window painted", allPainted);
    v.ratioAtMost("start-up to first paint (CPU)", bench::median(ourCpu), bench::median(bareCpu), "ms", 1.15);
    v.info("start-up to first paint (wall)", bench::median(ourWall), bench::median(bareWall), "ms");
    v.ratioAtMost("start-up peak memory", bench::median(ourRss), bench::median(bareRss), "MB", 1.10);

    // Counted once each: the count does not depend on the host's load.
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    if (valgrind.isEmpty()) {
        std::fprintf(stderr, "bench_startup: valgrind is not installed; it counts the start-up instructions "
                             "(apt-get install valgrind)\n");
        v.check("start-up instructions: valgrind missing", false);
    } else {
        const double bareIr = countInstructions(valgrind, bareProgram, {});
        const double ourIr = countInstructions(valgrind, self, {QStringLiteral("--child")});
        if (bareIr > 0 && ourIr > 0)
            v.ratioAtMost("start-up to first paint (instructions)", ourIr / 1e6, bareIr / 1e6, "M", 1.25);
        else
            v.check("start-up instructions: not counted", false);
    }
    return v.exitCode();
}

#endif

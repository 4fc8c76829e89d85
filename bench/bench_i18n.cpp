// Switches a window of about 130 components between two languages through
// its translator and dispatcher, and compares that with writing the same
// texts straight into the widgets (the least any switch must cost).
#include "i18n/dispatcher.h"
#include "i18n/tsilang.h"
#include "platform/components.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace i18n;

namespace {

constexpr int kLabels = 110;
constexpr int kActions = 20;
constexpr int kRounds = 20;

double medianMs(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QChar d(1);

    QWidget window;
    window.setObjectName(QStringLiteral("benchform"));
    auto *dispatcher = new TsiLangDispatcher(&window);
    dispatcher->setObjectName(QStringLiteral("siLangDispatcher1"));
    QList<QObject *> components;
    QStringList captions{QStringLiteral("TBenchForm") + d + QStringLiteral("Vindue") + d + QStringLiteral("Window") +
                         d};
    QStringList hints, fonts{QStringLiteral("TBenchForm") + d + QStringLiteral("DejaVu Sans") + d + d};
    QStringList charsets{QStringLiteral("TBenchForm") + d + QStringLiteral("DEFAULT_CHARSET") + d + d};
    std::vector<QLabel *> labels;
    for (int i = 0; i < kLabels; ++i) {
        const QString name = QStringLiteral("Label%1").arg(i + 1);
        auto *l = new QLabel(QStringLiteral("English %1").arg(i), &window);
        l->setObjectName(name);
        if (i % 2) { // half of them with a font of their own
            QFont f = l->font();
            f.setFamily(QStringLiteral("DejaVu Sans"));
            l->setFont(f);
        }
        labels.push_back(l);
        components << l;
        captions << name + d + QStringLiteral("Dansk %1").arg(i) + d + QStringLiteral("English %1").arg(i) + d;
        hints << name + d + QStringLiteral("Tip %1").arg(i) + d + QStringLiteral("Hint %1").arg(i) + d;
        fonts << name + d + QStringLiteral("DejaVu Sans") + d + d;
        charsets << name + d + QStringLiteral("DEFAULT_CHARSET") + d + d;
    }
    for (int i = 0; i < kActions; ++i) {
        const QString name = QStringLiteral("Action%1").arg(i + 1);
        auto *a = new QAction(QStringLiteral("Command %1").arg(i), &window);
        a->setObjectName(name);
        components << a;
        captions << name + d + QStringLiteral("Kommando %1").arg(i) + d + QStringLiteral("Command %1").arg(i) + d;
    }
    components << dispatcher;

    platform::QtForm form(&window, QStringLiteral("TBenchForm"), components);
    auto *lang = new TsiLang(form, &window);
    lang->setNumOfLanguages(2);
    lang->storedList(stCaptions) = captions;
    lang->storedList(stHints) = hints;
    lang->storedList(stFonts) = fonts;
    lang->storedList(stCharSets) = charsets;
    dispatcher->setLangNames({QStringLiteral("DANSK"), QStringLiteral("ENGLISH")});
    dispatcher->setActiveLanguage(2);
    lang->setLangDispatcher(dispatcher);

    // The first switch also completes and re-keys the lists; measured apart.
    QElapsedTimer timer;
    timer.start();
    dispatcher->setActiveLanguage(1);
    const double first = double(timer.nsecsElapsed()) / 1e6;
    dispatcher->setActiveLanguage(2);

    std::vector<double> twoSwitches, direct;
    for (int round = 0; round < kRounds; ++round) {
        timer.restart();
        dispatcher->setActiveLanguage(1);
        dispatcher->setActiveLanguage(2);
        twoSwitches.push_back(double(timer.nsecsElapsed()) / 1e6);

        timer.restart();
        for (int lang = 0; lang < 2; ++lang)
            for (int i = 0; i < kLabels; ++i) {
                labels[size_t(i)]->setText(lang ? QStringLiteral("English %1").arg(i)
                                                : QStringLiteral("Dansk %1").arg(i));
                labels[size_t(i)]->setToolTip(lang ? QStringLiteral("Hint %1").arg(i)
                                                   : QStringLiteral("Tip %1").arg(i));
            }
        direct.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    // The two halves of a switch, apart.
    std::vector<double> sync, apply;
    for (int round = 0; round < kRounds; ++round) {
        timer.restart();
        lang->SyncTables();
        sync.push_back(double(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        lang->ApplyLanguage();
        apply.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const bool ok = labels[0]->text() == QLatin1String("English 0");
    std::printf("components: %d labels + %d actions; entries: %lld captions, %lld hints, %lld fonts\n", kLabels,
                kActions, qlonglong(lang->list(stCaptions).size()), qlonglong(lang->list(stHints).size()),
                qlonglong(lang->list(stFonts).size()));
    std::printf("first switch to Danish (with list completion): %.2f ms\n", first);
    std::printf("Danish and back to English, median of %d: %.2f ms\n", kRounds, medianMs(twoSwitches));
    std::printf("  of one switch: synchronisation %.2f ms, application %.2f ms\n", medianMs(sync), medianMs(apply));
    std::printf("baseline, same texts written directly:      %.2f ms\n", medianMs(direct));
    std::printf("texts correct after the runs: %s\n", ok ? "yes" : "NO");
    return ok ? 0 : 1;
}

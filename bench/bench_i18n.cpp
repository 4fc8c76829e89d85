// Switches a window of about 130 components between two languages through
// its translator and dispatcher, and compares that with writing the same
// texts straight into the widgets (the least any switch must cost).
#include "bench_result.h"
#include "i18n/dispatcher.h"
#include "i18n/translator.h"
#include "platform/components.h"

#include <QAction>
#include <QApplication>
#include <QLabel>

using namespace i18n;

namespace {

constexpr int kLabels = 110;
constexpr int kActions = 20;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QChar d(1);

    QWidget window;
    window.setObjectName(QStringLiteral("benchform"));
    auto *dispatcher = new LanguageDispatcher(&window);
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
    auto *lang = new Translator(form, &window);
    lang->setNumOfLanguages(2);
    lang->storedList(stCaptions) = captions;
    lang->storedList(stHints) = hints;
    lang->storedList(stFonts) = fonts;
    lang->storedList(stCharSets) = charsets;
    dispatcher->setLangNames({QStringLiteral("DANSK"), QStringLiteral("ENGLISH")});
    dispatcher->setActiveLanguage(2);
    lang->setLangDispatcher(dispatcher);

    // The first switch also completes and re-keys the lists; medianMs
    // leaves it unmeasured.
    const double switches = bench::medianMs(21, 1, [&] {
        dispatcher->setActiveLanguage(1);
        dispatcher->setActiveLanguage(2);
    });
    const bool ok = labels[0]->text() == QLatin1String("English 0");
    const double direct = bench::medianMs(21, 1, [&] {
        for (int lang = 0; lang < 2; ++lang)
            for (int i = 0; i < kLabels; ++i) {
                labels[size_t(i)]->setText(lang ? QStringLiteral("English %1").arg(i)
                                                : QStringLiteral("Dansk %1").arg(i));
                labels[size_t(i)]->setToolTip(lang ? QStringLiteral("Hint %1").arg(i)
                                                   : QStringLiteral("Tip %1").arg(i));
            }
    });
    const double sync = bench::medianMs(21, 1, [&] { lang->syncTables(); });
    const double apply = bench::medianMs(21, 1, [&] { lang->applyLanguage(); });

    bench::Verdicts v;
    v.check("130 components: English again", ok);
    v.below("language switch, 130 components", switches, direct, "ms", 10.0);
    v.info("  of one switch: synchronisation", sync, direct / 2, "ms");
    v.info("  of one switch: application", apply, direct / 2, "ms");
    return v.exitCode();
}

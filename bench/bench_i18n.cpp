// Switches a window of about 130 components between two languages through
// its translator and dispatcher, and compares that with writing the same
// texts straight into the widgets (the least any switch must cost).
#include "bench_result.h"
#include "i18n/components.h"
#include "i18n/dispatcher.h"
#include "i18n/translator.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <memory>
#include <vector>

using namespace i18n;

namespace {

constexpr int kLabels = 110;
constexpr int kActions = 20;

// A window of 110 labels (half of them with a font of their own) and 20
// actions, whose translator holds a Danish and an English text for each.
class TranslatedWindow
{
public:
    TranslatedWindow() : dispatcher(new LanguageDispatcher(&window))
    {
        window.setObjectName(QStringLiteral("benchform"));
        dispatcher->setObjectName(QStringLiteral("siLangDispatcher1"));
        m_captions << entry(QStringLiteral("TBenchForm"), QStringLiteral("Vindue"), QStringLiteral("Window"));
        m_fonts << entry(QStringLiteral("TBenchForm"), QStringLiteral("DejaVu Sans"), QString());
        m_charsets << entry(QStringLiteral("TBenchForm"), QStringLiteral("DEFAULT_CHARSET"), QString());
        for (int i = 0; i < kLabels; ++i)
            addLabel(i);
        for (int i = 0; i < kActions; ++i)
            addAction(i);
        m_components << dispatcher;

        m_form = std::make_unique<i18n::QtForm>(&window, QStringLiteral("TBenchForm"), m_components);
        translator = new Translator(*m_form, &window);
        translator->setNumOfLanguages(2);
        translator->storedList(ListKind::Captions) = m_captions;
        translator->storedList(ListKind::Hints) = m_hints;
        translator->storedList(ListKind::FontNames) = m_fonts;
        translator->storedList(ListKind::FontCharsets) = m_charsets;
        dispatcher->setLangNames({QStringLiteral("DANSK"), QStringLiteral("ENGLISH")});
        dispatcher->setActiveLanguage(2);
        translator->setLangDispatcher(dispatcher);
    }

    QWidget window;
    LanguageDispatcher *dispatcher;
    Translator *translator = nullptr;
    std::vector<QLabel *> labels;

private:
    static QString entry(const QString &key, const QString &danish, const QString &english)
    {
        const QChar d(1);
        return key + d + danish + d + english + d;
    }

    void addLabel(int i)
    {
        const QString name = QStringLiteral("Label%1").arg(i + 1);
        auto *l = new QLabel(QStringLiteral("English %1").arg(i), &window);
        l->setObjectName(name);
        if (i % 2) {
            QFont f = l->font();
            f.setFamily(QStringLiteral("DejaVu Sans"));
            l->setFont(f);
        }
        labels.push_back(l);
        m_components << l;
        m_captions << entry(name, QStringLiteral("Dansk %1").arg(i), QStringLiteral("English %1").arg(i));
        m_hints << entry(name, QStringLiteral("Tip %1").arg(i), QStringLiteral("Hint %1").arg(i));
        m_fonts << entry(name, QStringLiteral("DejaVu Sans"), QString());
        m_charsets << entry(name, QStringLiteral("DEFAULT_CHARSET"), QString());
    }

    void addAction(int i)
    {
        const QString name = QStringLiteral("Action%1").arg(i + 1);
        auto *a = new QAction(QStringLiteral("Command %1").arg(i), &window);
        a->setObjectName(name);
        m_components << a;
        m_captions << entry(name, QStringLiteral("Kommando %1").arg(i), QStringLiteral("Command %1").arg(i));
    }

    QList<QObject *> m_components;
    QStringList m_captions, m_hints, m_fonts, m_charsets;
    std::unique_ptr<i18n::QtForm> m_form;
};

} // namespace

int main(int argc, char **argv)
{
    bench::offscreenUnlessChosen();
    QApplication app(argc, argv);
    TranslatedWindow w;

    // The first switch also completes and re-keys the lists; medianMs
    // leaves it unmeasured.
    const double switches = bench::medianMs(21, 1, [&] {
        w.dispatcher->setActiveLanguage(1);
        w.dispatcher->setActiveLanguage(2);
    });
    const bool ok = w.labels[0]->text() == QLatin1String("English 0");
    const double direct = bench::medianMs(21, 1, [&] {
        for (int lang = 0; lang < 2; ++lang)
            for (int i = 0; i < kLabels; ++i) {
                w.labels[size_t(i)]->setText(lang ? QStringLiteral("English %1").arg(i)
                                                  : QStringLiteral("Dansk %1").arg(i));
                w.labels[size_t(i)]->setToolTip(lang ? QStringLiteral("Hint %1").arg(i)
                                                     : QStringLiteral("Tip %1").arg(i));
            }
    });
    const double sync = bench::medianMs(21, 1, [&] { w.translator->syncTables(); });
    const double apply = bench::medianMs(21, 1, [&] { w.translator->applyLanguage(); });

    bench::Verdicts v;
    v.check("130 components: English again", ok);
    v.below("language switch, 130 components", switches, direct, "ms", 10.0);
    v.info("  of one switch: synchronisation", sync, direct / 2, "ms");
    v.info("  of one switch: application", apply, direct / 2, "ms");
    return v.exitCode();
}

#include "about/about_box.h"
#include "about/url_link.h"
#include "core/tests/need.h"
#include "platform/error_display.h"
#include "xdg_sandbox.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

// A part of the box by its stored name, as the tables and assistive
// technology know it.
template <typename T> T *part(const QWidget &box, const char *name)
{
    return box.findChild<T *>(QLatin1String(name));
}

struct BoxSnapshot
{
    QPointer<about::AboutBox> box;
    QString caption;
    QPoint position;
    QStringList texts;
};

// Opens the About box the way Help > About does and reads it while it is
// shown, then closes it with the window's close control.
BoxSnapshot openAndCloseAboutBox()
{
    BoxSnapshot snapshot;
    QTimer::singleShot(0, qApp, [&snapshot] {
        auto *box = qobject_cast<about::AboutBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        snapshot.box = box;
        snapshot.caption = box->windowTitle();
        snapshot.position = box->pos();
        for (const char *label : {"Label1", "Label2", "Label3", "Label4"})
            snapshot.texts.append(part<QLabel>(*box, label)->text());
        box->close();
    });
    about::showAboutBox();
    return snapshot;
}

bool hasPureBluePixel(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(Qt::blue))
                return true;
    return false;
}

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_messages.clear();
        m_previousSink = platform::setErrorSink([this](const QString &text) { m_messages.append(text); });
    }
    void cleanup() { platform::setErrorSink(m_previousSink); }

    // The box cannot be resized, minimised or maximised; the labels, sized
    // to their texts, fit inside the frame; only the address is blue; the
    // box is centred on the screen.
    void appearance()
    {
        about::AboutBox box;
        QCOMPARE(box.minimumSize(), box.maximumSize());
        QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(box.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(part<QLabel>(box, "Image1")->pixmap().hasAlphaChannel());
        QVERIFY(hasPureBluePixel(part<about::LinkLabel>(box, "Label4")->grab().toImage()));
        QVERIFY(!hasPureBluePixel(part<QLabel>(box, "Label3")->grab().toImage()));
        for (const char *label : {"Label1", "Label2", "Label3", "Label4"})
            QVERIFY2(part<QFrame>(box, "Bevel1")->geometry().contains(part<QLabel>(box, label)->geometry()), label);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((box.geometry().center() - screen.center()).manhattanLength() <= 2);
    }

    // Where Arial is missing the texts take Liberation Sans, which has its
    // metrics. The program maps the name itself: the system's aliases may
    // name another font, or none.
    void arialFallsBackToLiberationSans()
    {
        RATIOMAT_NEED(QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")),
                      "needs the font Liberation Sans (fonts-liberation2)");
        about::AboutBox box;
        QVERIFY(QFont::substitutes(QStringLiteral("Arial"))
                    .contains(QStringLiteral("Liberation Sans"), Qt::CaseInsensitive));
        if (!QFontDatabase::hasFamily(QStringLiteral("Arial")))
            QCOMPARE(QFontInfo(part<QLabel>(box, "Label1")->font()).family(), QStringLiteral("Liberation Sans"));
    }

    void eachAboutCommandMakesAFreshBox()
    {
        const BoxSnapshot first = openAndCloseAboutBox();
        QVERIFY(!first.caption.isEmpty());
        QVERIFY(first.box.isNull()); // destroyed once closed
        const BoxSnapshot second = openAndCloseAboutBox();
        QVERIFY(second.box.isNull());
        QCOMPARE(second.caption, first.caption);
        QCOMPARE(second.position, first.position);
        QCOMPARE(second.texts, first.texts);
    }

    void unstartableBrowserIsReportedAndTheBoxStaysOpen()
    {
        XdgSandbox sandbox;
        sandbox.write("config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=gone.desktop\n");
        sandbox.writeDesktopEntry("data/applications/gone.desktop",
                                  sandbox.path("bin/no-such-browser").toUtf8() + " %u");

        about::AboutBox box;
        box.show();
        QTest::mouseClick(part<about::LinkLabel>(box, "Label4"), Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{"Couldn't launch default browser."});
        QVERIFY(box.isVisible());
        QTest::mouseClick(part<about::LinkLabel>(box, "Label4"), Qt::LeftButton);
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(box.isVisible());
    }

    // Clicks go through the window, as the window system delivers them: a
    // double-click is press, release, press, double-click, release.
    void linkClick_data()
    {
        QTest::addColumn<bool>("associated");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QStringList>("started"); // every start, one after the other
        const QStringList once{"browse", "--new-window", "https://ratiomat.example.org"};
        QTest::newRow("left click opens the address") << true << Qt::LeftButton << false << once;
        QTest::newRow("double click opens it once") << true << Qt::LeftButton << true << once;
        QTest::newRow("right click does nothing") << true << Qt::RightButton << false << QStringList{};
        QTest::newRow("right double click does nothing") << true << Qt::RightButton << true << QStringList{};
        QTest::newRow("no association, nothing happens") << false << Qt::LeftButton << false << QStringList{};
    }
    void linkClick()
    {
        QFETCH(bool, associated);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, doubleClick);
        QFETCH(QStringList, started);
        XdgSandbox sandbox;
        if (associated) {
            sandbox.write("config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=b.desktop\n");
            sandbox.writeDesktopEntry("data/applications/b.desktop", "browse --new-window %u");
        }
        about::AboutBox box;
        QStringList actual;
        part<about::UrlLink>(box, "pvlUrl1")
            ->setStarter([&actual](const QString &program, const QStringList &arguments, int) {
                actual += QStringList{program} + arguments;
                return true;
            });
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QPoint link = part<about::LinkLabel>(box, "Label4")->geometry().center();
        if (doubleClick)
            QTest::mouseDClick(box.windowHandle(), button, {}, link);
        else
            QTest::mouseClick(box.windowHandle(), button, {}, link);
        QCOMPARE(actual, started);
        QVERIFY(m_messages.isEmpty());

        // The next click after a double-click is a click again.
        if (doubleClick && button == Qt::LeftButton) {
            QTest::mouseClick(box.windowHandle(), button, {}, link);
            QCOMPARE(actual, started + started);
        }
    }

private:
    QStringList m_messages;
    platform::ErrorSink m_previousSink;
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"

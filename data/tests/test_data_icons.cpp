#include "data/icons.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class TestDataIcons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { icons::initResources(); }

    // Every icon the program refers to is in the resources, at its size, and
    // draws something on a transparent ground.
    void svgIcons_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"copy", "save", "zoom-out", "zoom-in", "print", "ratiomat"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void svgIcons()
    {
        QFETCH(QString, name);
        QSvgRenderer renderer(":/icons/" + name + ".svg");
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.defaultSize(), name == u"ratiomat" ? QSize(32, 32) : QSize(16, 16));

        QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY(qAlpha(image.pixel(image.width() / 2, image.height() / 2)) == 255);
        // Menus and tool buttons load them as QIcon, through Qt's SVG icon engine.
        QVERIFY(!QIcon(":/icons/" + name + ".svg").pixmap(16, 16).isNull());
    }

    // The program's icon has every rendered size, each drawn from its own file.
    void programIconHasEveryRenderedSize()
    {
        QList<QSize> expected;
        for (int size : {16, 32, 48, 64, 128, 256}) {
            expected.append(QSize(size, size));
            const QImage file(QStringLiteral(":/icons/png/ratiomat-%1.png").arg(size));
            QVERIFY(!file.isNull());
            const QImage drawn = icons::programIcon().pixmap(expected.last()).toImage();
            QCOMPARE(drawn, file.convertToFormat(drawn.format()));
        }
        QCOMPARE(icons::programIcon().availableSizes(), expected);
    }

    // Icons read on first use draw what QIcon draws from the same file: at
    // every size asked for, in every mode, through pixmap() and paint().
    void deferredIconsDrawTheSamePixels()
    {
        const QList<std::pair<QIcon, QIcon>> pairs{
            {icons::fromFile(QStringLiteral(":/icons/save.svg")), QIcon(QStringLiteral(":/icons/save.svg"))},
            {icons::fromFile(QStringLiteral(":/icons/zoom-in.svg")), QIcon(QStringLiteral(":/icons/zoom-in.svg"))}};
        for (const auto &[deferred, direct] : pairs) {
            QCOMPARE(deferred.availableSizes(), direct.availableSizes());
            for (int size : {16, 22, 32, 40, 100})
                for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
                    const QSize s(size, size);
                    QCOMPARE(deferred.actualSize(s, mode), direct.actualSize(s, mode));
                    QCOMPARE(deferred.pixmap(s, mode).toImage(), direct.pixmap(s, mode).toImage());
                    QImage a(s, QImage::Format_ARGB32_Premultiplied), b = a;
                    a.fill(Qt::transparent);
                    b.fill(Qt::transparent);
                    QPainter pa(&a), pb(&b);
                    deferred.paint(&pa, QRect(QPoint(), s), Qt::AlignCenter, mode);
                    direct.paint(&pb, QRect(QPoint(), s), Qt::AlignCenter, mode);
                    pa.end();
                    pb.end();
                    QCOMPARE(a, b);
                }
        }
    }
};

QTEST_MAIN(TestDataIcons)
#include "test_data_icons.moc"

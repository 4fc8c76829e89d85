#include "data/icons.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class TestDataIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { icons::initResources(); }

    void svgIcons_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("program") << ":/icons/ratiomat.svg" << QSize(32, 32);
        QTest::newRow("copy") << ":/icons/copy.svg" << QSize(16, 16);
        QTest::newRow("save") << ":/icons/save.svg" << QSize(16, 16);
        QTest::newRow("zoom out") << ":/icons/zoom-out.svg" << QSize(16, 16);
        QTest::newRow("zoom in") << ":/icons/zoom-in.svg" << QSize(16, 16);
        QTest::newRow("print") << ":/icons/print.svg" << QSize(16, 16);
    }
    void svgIcons()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QSvgRenderer renderer(path);
        QVERIFY2(renderer.isValid(), qPrintable(path));
        QCOMPARE(renderer.defaultSize(), size);

        // Something is drawn, and the corners stay transparent.
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        int opaque = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        QVERIFY(opaque > size.width() * size.height() / 4);
    }

    void programIconHasEveryRenderedSize()
    {
        const QIcon icon = icons::programIcon();
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QImage png(QStringLiteral(":/icons/png/ratiomat-%1.png").arg(size));
            QCOMPARE(png.size(), QSize(size, size));
            QVERIFY(png.hasAlphaChannel());
            QCOMPARE(icon.pixmap(QSize(size, size)).size(), QSize(size, size));
        }
    }
};

QTEST_MAIN(TestDataIcons)
#include "test_data_icons.moc"

#include "data/icons.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

class TestDataIcons : public QObject
{
    Q_OBJECT

private slots:
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

    void programIconHasEveryRenderedSize()
    {
        QList<QSize> expected;
        for (int size : {16, 32, 48, 64, 128, 256})
            expected.append(QSize(size, size));
        QCOMPARE(icons::programIcon().availableSizes(), expected);
        QVERIFY(!icons::programIcon().pixmap(QSize(256, 256)).isNull());
    }
};

QTEST_MAIN(TestDataIcons)
#include "test_data_icons.moc"

#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QTest>

// A picture of a window compared with its reference PNG, pixel for pixel:
// a changed geometry, font, frame, icon or colour fails. The references live
// in the suite's folder under references/, rendered offscreen at scale 1
// with the fonts scripts/install-deps.sh installs. On a mismatch the picture
// and a difference image (differing pixels red over a faded reference) go to
// test-artifacts/references/ in the build folder.
// RATIOMAT_UPDATE_REFERENCES=1 (scripts/update-references.sh) writes the
// references instead of comparing; nothing else ever does.
namespace reference_test {

// Why the picture differs from reference `name`; empty when it does not.
inline QString mismatch(const QImage &picture, const QString &name)
{
    const QString path = QStringLiteral(RATIOMAT_TEST_SOURCE_DIR "/references/") + name + QStringLiteral(".png");
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("RATIOMAT_UPDATE_REFERENCES"))
        return QDir().mkpath(QFileInfo(path).path()) && actual.save(path) ? QString()
                                                                          : QStringLiteral("cannot write ") + path;
    const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (expected.isNull())
        return QStringLiteral("no reference ") + path + QStringLiteral(" (scripts/update-references.sh writes it)");
    if (actual == expected)
        return {};
    QImage diff(actual.size().expandedTo(expected.size()), QImage::Format_RGB32);
    QRect where;
    for (int y = 0; y < diff.height(); ++y)
        for (int x = 0; x < diff.width(); ++x) {
            const bool same = actual.valid(x, y) && expected.valid(x, y) && actual.pixel(x, y) == expected.pixel(x, y);
            const int grey = same ? 192 + qGray(expected.pixel(x, y)) / 4 : 0;
            diff.setPixel(x, y, same ? qRgb(grey, grey, grey) : qRgb(255, 0, 0));
            where |= same ? QRect() : QRect(x, y, 1, 1);
        }
    const QDir out(QStringLiteral(RATIOMAT_TEST_ARTIFACTS_DIR "/references"));
    out.mkpath(QStringLiteral("."));
    actual.save(out.filePath(name + QStringLiteral("-actual.png")));
    diff.save(out.filePath(name + QStringLiteral("-diff.png")));
    return QStringLiteral("%1 differs from its reference within (%2,%3 %4x%5); picture and difference in %6")
        .arg(name, QString::number(where.x()), QString::number(where.y()), QString::number(where.width()),
             QString::number(where.height()), out.path());
}

} // namespace reference_test

#define RATIOMAT_COMPARE_REFERENCE(picture, name)                                                                      \
    do {                                                                                                               \
        const QString why_ = reference_test::mismatch(picture, name);                                                  \
        QVERIFY2(why_.isEmpty(), qPrintable(why_));                                                                    \
    } while (false)

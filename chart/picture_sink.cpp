#include "picture_sink.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace chart {

bool SystemPictureSink::putOnClipboard(const QImage &picture)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setImage(picture);
    return true;
}

bool SystemPictureSink::writeBitmap(const QImage &picture, QIODevice &device)
{
    return picture.save(&device, "BMP");
}

} // namespace chart

#pragma once

#include "chart/picture_sink.h"

#include <QIODevice>
#include <QImage>

// A clipboard and bitmap writer that refuse on request: the clipboard keeps
// the last picture put on it; a refused write leaves a partial file.
struct FakePictureSink : chart::PictureSink
{
    bool clipboardFree = true;
    bool writeWorks = true;
    QImage clipboard;

    bool putOnClipboard(const QImage &picture) override
    {
        if (clipboardFree)
            clipboard = picture;
        return clipboardFree;
    }
    bool writeBitmap(const QImage &picture, QIODevice &device) override
    {
        if (!writeWorks) {
            device.write("BM partial");
            return false;
        }
        return picture.save(&device, "BMP");
    }
};

#pragma once

class QImage;
class QIODevice;

namespace chart {

// Where the chart's picture goes: the clipboard and bitmap files. Tests put
// a failing sink in place to check the error paths.
class PictureSink
{
public:
    virtual ~PictureSink() = default;
    // Replaces the clipboard's content; false when the clipboard cannot be
    // taken.
    virtual bool putOnClipboard(const QImage &picture) = 0;
    // Writes a Windows bitmap to an open device; false when writing fails.
    virtual bool writeBitmap(const QImage &picture, QIODevice &device) = 0;
};

// The platform clipboard and Qt's BMP writer.
class SystemPictureSink : public PictureSink
{
public:
    bool putOnClipboard(const QImage &picture) override;
    bool writeBitmap(const QImage &picture, QIODevice &device) override;
};

} // namespace chart

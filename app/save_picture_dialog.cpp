#include "save_picture_dialog.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

// The picture formats the program can read, as the dialog lists them.
constexpr QStringView kPictureFilter = u"All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|"
                                       u"Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

// A save dialog with a preview pane beside the file list.
std::optional<QString> runWithPreview(QWidget *parent, const QString &title, const QString &start,
                                      const QStringList &filters)
{
    QFileDialog dialog(parent, title);
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the preview pane needs Qt's own dialog
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.front());
    if (!start.isEmpty())
        dialog.selectFile(start);

    auto *preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(preview, 1, grid->columnCount(), 2, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString &path) {
        const QImage image = SavePictureDialog::previewPicture(path);
        preview->setPixmap(image.isNull()
                               ? QPixmap()
                               : QPixmap::fromImage(image.scaled(preview->size() - QSize(8, 8), Qt::KeepAspectRatio,
                                                                 Qt::SmoothTransformation)));
    });

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.front();
}

} // namespace

QImage SavePictureDialog::previewPicture(const QString &path)
{
    // Look before opening: a named pipe would wait for a writer and a
    // device may never end, so only a regular file is ever opened.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kPreviewFileLimit)
        return {};
    // The name may stand for something else by the time it is opened: open
    // without waiting and check again what was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kPreviewFileLimit) {
        ::close(fd);
        return {};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QByteArray data = file.read(kPreviewFileLimit + 1);
    if (data.size() > kPreviewFileLimit)
        return {};

    // Only the two kinds of picture the program reads, each by its own
    // decoder, and no picture bigger than the allocation limit. That limit
    // holds for every image reader of the process, so it is lowered for the
    // preview only.
    const int processLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(kPreviewAllocationMiB);
    const auto restoreLimit = qScopeGuard([processLimit] { QImageReader::setAllocationLimit(processLimit); });
    for (const char *format : {"bmp", "ico"}) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, format);
        reader.setAutoDetectImageFormat(false);
        QImage image;
        if (reader.read(&image))
            return image;
    }
    return {};
}

SavePictureDialog::SavePictureDialog(QObject *parent) : QObject(parent), m_filter(kPictureFilter.toString()) {}

QStringList SavePictureDialog::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingPatterns);
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out;
}

std::optional<QString> SavePictureDialog::exec(QWidget *parent)
{
    QString start = m_fileName;
    if (!m_initialDir.isEmpty() && !start.isEmpty() && QFileInfo(start).isRelative())
        start = QDir(m_initialDir).filePath(start);
    const QStringList filters = nameFilters(m_filter);
    std::optional<QString> chosen =
        m_runner ? m_runner(m_title, start, filters) : runWithPreview(parent, m_title, start, filters);
    if (chosen)
        m_fileName = *chosen;
    return chosen;
}

} // namespace app

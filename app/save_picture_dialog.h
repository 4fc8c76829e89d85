#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace app {

// The main window's save-picture dialog: a save-file dialog with a preview
// of the picture file selected in it. Its settings are published properties
// (the translator replaces the filter list in Danish). It asks no question
// when the file exists, adds no extension, starts on the first entry of its
// file-type list and opens with the name chosen last.
class SavePictureDialog : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString DefaultExt MEMBER m_defaultExt)
    Q_PROPERTY(QString FileName MEMBER m_fileName)
    Q_PROPERTY(QString Filter MEMBER m_filter)
    Q_PROPERTY(QString InitialDir MEMBER m_initialDir)
    Q_PROPERTY(QString Title MEMBER m_title)

public:
    explicit SavePictureDialog(QObject *parent = nullptr);

    // Shows the dialog; the chosen full path, or nothing when cancelled.
    // The chosen name is remembered for the next time.
    std::optional<QString> exec(class QWidget *parent);

    QString fileName() const { return m_fileName; }
    QString filter() const { return m_filter; }

    // The picture the preview pane shows for a highlighted file: a regular
    // file of at most kPreviewFileLimit bytes that reads as a BMP or an ICO
    // within kPreviewAllocationMiB. Anything else (a folder, a named pipe, a
    // device, a bigger file, another format) previews as nothing, at once.
    static constexpr qint64 kPreviewFileLimit = qint64{16} * 1024 * 1024;
    static constexpr int kPreviewAllocationMiB = 64;
    static QImage previewPicture(const QString &path);

    // The stored filter ("description|patterns|...") as Qt name filters.
    static QStringList nameFilters(const QString &filter);

    // Tests replace the interactive dialog: given the dialog's title, start
    // name and name filters, answer with a path or nothing.
    using Runner =
        std::function<std::optional<QString>(const QString &title, const QString &start, const QStringList &filters)>;
    void setRunner(Runner runner) { m_runner = std::move(runner); }

private:
    QString m_defaultExt;
    QString m_fileName;
    QString m_filter;
    QString m_initialDir;
    QString m_title;
    Runner m_runner;
};

} // namespace app

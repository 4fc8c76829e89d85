#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtGlobal>

// Points every XDG variable and HOME into a fresh temporary folder, so the
// browser look-up reads only the files a test writes there, and restores the
// previous environment afterwards.
class XdgSandbox
{
public:
    XdgSandbox()
    {
        for (const char *name : kVariables)
            m_saved.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv("HOME", path("home").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", path("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", path("sysconfig").toLocal8Bit());
        qputenv("XDG_DATA_HOME", path("data").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (path("sysdata1") + u':' + path("sysdata2")).toLocal8Bit());
        qputenv("XDG_CURRENT_DESKTOP", "Test:Other");
    }
    ~XdgSandbox()
    {
        for (const Saved &s : m_saved) {
            if (s.wasSet)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }
    XdgSandbox(const XdgSandbox &) = delete;
    XdgSandbox &operator=(const XdgSandbox &) = delete;

    QString path(const QString &relative) const { return m_dir.filePath(relative); }

    // Writes a file below the sandbox, creating its folders.
    QString write(const QString &relative, const QByteArray &content) const
    {
        QString file = path(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }

    QString writeDesktopEntry(const QString &relative, const QByteArray &exec) const
    {
        return write(relative, "[Desktop Entry]\nType=Application\nName=Browser\nExec=" + exec + "\n");
    }

private:
    static constexpr const char *kVariables[] = {"HOME",          "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                                                 "XDG_DATA_HOME", "XDG_DATA_DIRS",   "XDG_CURRENT_DESKTOP"};
    struct Saved
    {
        const char *name;
        QByteArray value;
        bool wasSet;
    };
    QTemporaryDir m_dir;
    QList<Saved> m_saved;
};

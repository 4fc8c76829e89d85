#include "about/url_link.h"
#include "xdg_sandbox.h"

#include <QTest>
#include <sys/stat.h>

class TestUrlLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which browser is started, from the association files to the program.
    // Installed in every row: a.desktop (data home), b.desktop (second data
    // dir) and vendor/d.desktop; c.desktop is not installed.
    void browserLookup_data()
    {
        // path, content, path, content, ...; or "env", "NAME=value"; or "fifo", path.
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("program"); // empty = nothing started
        const QString http = QStringLiteral("[Default Applications]\nx-scheme-handler/http=");
        const QString entry = QStringLiteral("[Desktop Entry]\n");
        const QString added = QStringLiteral("[Added Associations]\nx-scheme-handler/http=");
        const QString removed = QStringLiteral("[Removed Associations]\nx-scheme-handler/http=");
        const QString cache = QStringLiteral("[MIME Cache]\ntext/html=");
        auto row = [](const char *name, const QStringList &files, const QString &program) {
            QTest::newRow(name) << files << program;
        };
        // The user's own list with its default handlers, and an entry in the data home.
        auto userDefaults = [&](const QString &ids) { return QStringList{"config/mimeapps.list", http + ids}; };
        auto dataEntry = [&](const QString &id, const QString &lines) {
            return QStringList{"data/applications/" + id, entry + lines};
        };
        row("config home before data home",
            userDefaults("a.desktop") + QStringList{"data/applications/mimeapps.list", http + "b.desktop"},
            "/bin/a-browser");
        row("desktop-specific list first",
            userDefaults("a.desktop") + QStringList{"config/other-mimeapps.list", http + "b.desktop"},
            "/bin/b-browser");
        row("uninstalled entry skipped", userDefaults("c.desktop; b.desktop;a.desktop"), "/bin/b-browser");
        row("nothing installed in a file: next file",
            userDefaults("c.desktop") + QStringList{"sysconfig/mimeapps.list", http + "a.desktop"}, "/bin/a-browser");
        row("text/html when http has no handler",
            {"config/mimeapps.list", "[Default Applications]\ntext/html=b.desktop"}, "/bin/b-browser");
        row("https before http", userDefaults("a.desktop\nx-scheme-handler/https=b.desktop"), "/bin/b-browser");
        row("desktops in their listed order",
            {"config/other-mimeapps.list", http + "b.desktop", "config/test-mimeapps.list", http + "a.desktop"},
            "/bin/a-browser");
        row("config dirs before data home",
            {"sysconfig/mimeapps.list", http + "b.desktop", "data/applications/mimeapps.list", http + "a.desktop"},
            "/bin/b-browser");
        row("a default anywhere before an added association",
            {"config/mimeapps.list", added + "a.desktop", "sysdata2/applications/mimeapps.list", http + "b.desktop"},
            "/bin/b-browser");
        row("added association without a default", {"config/mimeapps.list", added + "a.desktop"}, "/bin/a-browser");
        row("added association removed in the same file",
            {"config/mimeapps.list", added + "a.desktop;b.desktop\n" + removed + "a.desktop"}, "/bin/b-browser");
        row("removal reaches later files only",
            {"config/mimeapps.list", added + "a.desktop", "sysconfig/mimeapps.list",
             added + "b.desktop\n" + removed + "a.desktop"},
            "/bin/a-browser");
        row("removal does not touch defaults",
            {"config/mimeapps.list", removed + "a.desktop", "sysconfig/mimeapps.list", http + "a.desktop"},
            "/bin/a-browser");
        row("mimeinfo.cache when no list names one", {"sysdata1/applications/mimeinfo.cache", cache + "b.desktop"},
            "/bin/b-browser");
        row("mimeinfo.cache less removed entries",
            {"data/applications/mimeinfo.cache", cache + "a.desktop;b.desktop", "config/mimeapps.list",
             "[Removed Associations]\ntext/html=a.desktop"},
            "/bin/b-browser");
        row("hidden entry skipped",
            userDefaults("h.desktop;b.desktop") + dataEntry("h.desktop", "Exec=/bin/h\nHidden=true"), "/bin/b-browser");
        row("hidden entry hides the same id further down",
            userDefaults("a.desktop;b.desktop") + dataEntry("a.desktop", "Exec=/bin/a\nHidden=true") +
                QStringList{"sysdata1/applications/a.desktop", entry + "Exec=/bin/a\n"},
            "/bin/b-browser");
        row("TryExec not there: skipped",
            userDefaults("t.desktop;b.desktop") + dataEntry("t.desktop", "Exec=/bin/t\nTryExec=/nonexistent/t-browser"),
            "/bin/b-browser");
        row("TryExec found on PATH",
            userDefaults("t.desktop;b.desktop") + dataEntry("t.desktop", "Exec=/bin/t\nTryExec=sh"), "/bin/t");
        row("entry without a command skipped", userDefaults("e.desktop;b.desktop") + dataEntry("e.desktop", "Exec= "),
            "/bin/b-browser");
        row("vendor sub-folder", userDefaults("vendor-d.desktop"), "/bin/d-browser");
        row("id reaching outside", userDefaults("../../sysdata2/applications/b.desktop"), "");
        row("no association", {}, "");
        row("no Exec in the entry's own group",
            userDefaults("e.desktop") +
                QStringList{"data/applications/e.desktop", "[Desktop Action new]\nExec=/bin/e\n" + entry + "Name=E"},
            "");
        row("empty Exec", userDefaults("e.desktop") + dataEntry("e.desktop", "Exec="), "");
        row("overlong Exec line ignored",
            userDefaults("e.desktop") + dataEntry("e.desktop", "Exec=/bin/" + QString(5000, u'x')), "");
        row("string escapes before quoting",
            userDefaults("e.desktop") + dataEntry("e.desktop", R"(Exec="/bin/e\sbrowser" %u)"), "/bin/e browser");
        row("a named pipe is no list", {"fifo", "config/mimeapps.list", "sysconfig/mimeapps.list", http + "a.desktop"},
            "/bin/a-browser");
        row("empty XDG_CONFIG_HOME means ~/.config",
            {"home/.config/mimeapps.list", http + "a.desktop", "sysconfig/mimeapps.list", http + "b.desktop", "env",
             "XDG_CONFIG_HOME="},
            "/bin/a-browser");
        row("relative XDG_CONFIG_HOME means ~/.config",
            {"home/.config/mimeapps.list", http + "a.desktop", "config/mimeapps.list", http + "b.desktop", "env",
             "XDG_CONFIG_HOME=config"},
            "/bin/a-browser");
    }
    void browserLookup()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, program);

        XdgSandbox sandbox;
        sandbox.writeDesktopEntry("data/applications/a.desktop", "/bin/a-browser %u");
        sandbox.writeDesktopEntry("sysdata2/applications/b.desktop", "/bin/b-browser");
        sandbox.writeDesktopEntry("data/applications/vendor/d.desktop", "/bin/d-browser %U");
        for (qsizetype i = 0; i + 1 < files.size(); i += 2) {
            if (files[i] == u"env") {
                const QStringList assignment = files[i + 1].split(u'=');
                qputenv(qPrintable(assignment[0]), assignment[1].toLocal8Bit());
            } else if (files[i] == u"fifo") {
                QDir().mkpath(QFileInfo(sandbox.path(files[i + 1])).absolutePath());
                QCOMPARE(mkfifo(QFile::encodeName(sandbox.path(files[i + 1])).constData(), 0600), 0);
            } else {
                sandbox.write(files[i], files[i + 1].toUtf8() + '\n');
            }
        }

        about::UrlLink url;
        url.setUrl(QStringLiteral("https://ratiomat.example.org"));
        QStringList started;
        url.setStarter([&started](const QString &program, const QStringList &arguments, int) {
            started = QStringList{program} + arguments;
            return true;
        });
        url.openUrl();
        QCOMPARE(started.value(0), program);
        if (!program.isEmpty())
            QCOMPARE(started.last(), url.url());
    }

    void readRegDefaultLeavesValueOnFailure()
    {
        XdgSandbox sandbox;
        about::UrlLink url;
        QString value = QStringLiteral("unchanged");
        QCOMPARE(url.readAssociation(about::UrlLink::RootKey::WebHandlers, QStringLiteral("text/html"), value),
                 about::UrlLink::kNotFound);
        QCOMPARE(value, QStringLiteral("unchanged"));
    }

    // A real start: a fake browser script writes its arguments one a line.
    void fakeBrowserReceivesTheAddressAsOneArgument()
    {
        XdgSandbox sandbox;
        const QString script =
            sandbox.write("bin/fake browser.sh", "#!/bin/sh\n"
                                                 "out=\"$(dirname \"$0\")/args.txt\"\n"
                                                 "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; "
                                                 "done > \"$out.part\" && mv \"$out.part\" \"$out\"\n");
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        sandbox.write("config/mimeapps.list", "[Default Applications]\nx-scheme-handler/http=fake.desktop\n");
        sandbox.writeDesktopEntry("data/applications/fake.desktop",
                                  "\"" + script.toUtf8() + R"(" --new-window "%u" --dropped)");

        about::UrlLink url;
        url.setUrl(QStringLiteral("https://ratiomat.example.org/a b?q=%20&r=%u"));
        url.openUrl();

        const QString output = sandbox.path("bin/args.txt");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("[--new-window]\n[https://ratiomat.example.org/a b?q=%20&r=%u]\n"));
    }
};

QTEST_GUILESS_MAIN(TestUrlLink)
#include "test_url_link.moc"

#include "about/pvl_url.h"
#include "platform/errors.h"
#include "xdg_sandbox.h"

#include <QTest>
#include <memory>

namespace {

struct StartRecord
{
    int calls = 0;
    QString program;
    QStringList arguments;
    int showCommand = -1;
};

// A TpvlUrl that records what it would start instead of starting it.
std::unique_ptr<TpvlUrl> recordingUrl(StartRecord &record, bool startSucceeds = true)
{
    auto url = std::make_unique<TpvlUrl>();
    url->setUrl(QStringLiteral("https://ratiomat.example.org"));
    url->setStarter([&record, startSucceeds](const QString &program, const QStringList &arguments, int show) {
        ++record.calls;
        record.program = program;
        record.arguments = arguments;
        record.showCommand = show;
        return startSucceeds;
    });
    return url;
}

} // namespace

class TestPvlUrl : public QObject
{
    Q_OBJECT

private slots:
    // Which browser is found, end to end from the association files to the
    // program started. Each row writes its files into a fresh sandbox in
    // which a.desktop (data home), b.desktop (second data dir) and
    // vendor/d.desktop are installed and c.desktop is not.
    void browserLookup_data()
    {
        QTest::addColumn<QStringList>("files");  // path, content, path, content, ...
        QTest::addColumn<QString>("configHome"); // "-" = leave the sandbox's
        QTest::addColumn<QString>("program");    // empty = nothing started

        const QString http = QStringLiteral("[Default Applications]\nx-scheme-handler/http=");
        QTest::newRow("config home before data home")
            << QStringList{"config/mimeapps.list", http + "a.desktop", "data/applications/mimeapps.list",
                           http + "b.desktop"}
            << "-"
            << "/bin/a-browser";
        QTest::newRow("desktop-specific list before the plain one")
            << QStringList{"config/mimeapps.list", http + "a.desktop", "config/test-mimeapps.list", http + "b.desktop"}
            << "-"
            << "/bin/b-browser";
        QTest::newRow("second current desktop")
            << QStringList{"config/mimeapps.list", http + "a.desktop", "config/other-mimeapps.list", http + "b.desktop"}
            << "-"
            << "/bin/b-browser";
        QTest::newRow("data dirs searched in order")
            << QStringList{"sysdata2/applications/mimeapps.list", http + "a.desktop",
                           "sysdata1/applications/mimeapps.list", http + "b.desktop"}
            << "-"
            << "/bin/b-browser";
        QTest::newRow("uninstalled entry skipped")
            << QStringList{"config/mimeapps.list", http + "c.desktop; b.desktop;a.desktop"} << "-"
            << "/bin/b-browser";
        QTest::newRow("nothing installed in one file: next file")
            << QStringList{"config/mimeapps.list", http + "c.desktop", "sysconfig/mimeapps.list", http + "a.desktop"}
            << "-"
            << "/bin/a-browser";
        QTest::newRow("text/html when http has no handler")
            << QStringList{"config/mimeapps.list", "[Default Applications]\ntext/html=b.desktop\n"} << "-"
            << "/bin/b-browser";
        QTest::newRow("http before text/html")
            << QStringList{"config/mimeapps.list", "[Default Applications]\ntext/html=b.desktop\n",
                           "sysconfig/mimeapps.list", http + "a.desktop"}
            << "-"
            << "/bin/a-browser";
        QTest::newRow("other sections ignored")
            << QStringList{"config/mimeapps.list", "[Added Associations]\nx-scheme-handler/http=a.desktop\n"} << "-"
            << "";
        QTest::newRow("vendor sub-folder") << QStringList{"config/mimeapps.list", http + "vendor-d.desktop"} << "-"
                                           << "/bin/d-browser";
        QTest::newRow("id reaching outside the applications folder")
            << QStringList{"config/mimeapps.list", http + "../../sysdata2/applications/b.desktop"} << "-"
            << "";
        QTest::newRow("no association at all") << QStringList{} << "-"
                                               << "";
        QTest::newRow("desktop entry without Exec")
            << QStringList{"config/mimeapps.list", http + "e.desktop", "data/applications/e.desktop",
                           "[Desktop Entry]\nName=E\n"}
            << "-"
            << "";
        QTest::newRow("empty Exec") << QStringList{"config/mimeapps.list", http + "e.desktop",
                                                   "data/applications/e.desktop", "[Desktop Entry]\nExec=\n"}
                                    << "-"
                                    << "";
        QTest::newRow("Exec of another group ignored")
            << QStringList{"config/mimeapps.list", http + "e.desktop", "data/applications/e.desktop",
                           "[Desktop Action new]\nExec=/bin/e-browser\n[Desktop Entry]\nName=E\n"}
            << "-"
            << "";
        QTest::newRow("overlong Exec line ignored")
            << QStringList{"config/mimeapps.list", http + "e.desktop", "data/applications/e.desktop",
                           "[Desktop Entry]\nExec=/bin/" + QString(5000, u'x') + "\n"}
            << "-"
            << "";
        QTest::newRow("string escapes of the Exec value")
            << QStringList{"config/mimeapps.list", http + "e.desktop", "data/applications/e.desktop",
                           "[Desktop Entry]\nExec=\"/bin/e\\sbrowser\" %u\n"}
            << "-"
            << "/bin/e browser";
        QTest::newRow("unset XDG_CONFIG_HOME means ~/.config")
            << QStringList{"home/.config/mimeapps.list", http + "a.desktop", "sysconfig/mimeapps.list",
                           http + "b.desktop"}
            << ""
            << "/bin/a-browser";
        QTest::newRow("relative XDG_CONFIG_HOME means ~/.config")
            << QStringList{"home/.config/mimeapps.list", http + "a.desktop", "config/mimeapps.list", http + "b.desktop"}
            << "config"
            << "/bin/a-browser";
    }
    void browserLookup()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, configHome);
        QFETCH(QString, program);

        XdgSandbox sandbox;
        sandbox.writeDesktopEntry("data/applications/a.desktop", "/bin/a-browser %u");
        sandbox.writeDesktopEntry("sysdata2/applications/b.desktop", "/bin/b-browser");
        sandbox.writeDesktopEntry("data/applications/vendor/d.desktop", "/bin/d-browser %U");
        for (qsizetype i = 0; i + 1 < files.size(); i += 2)
            sandbox.write(files[i], files[i + 1].toUtf8());
        if (configHome != u"-")
            qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());

        StartRecord record;
        const auto url = recordingUrl(record);
        url->OpenUrl();
        QCOMPARE(record.calls, program.isEmpty() ? 0 : 1);
        QCOMPARE(record.program, program);
        if (!program.isEmpty())
            QCOMPARE(record.arguments.last(), url->url());
    }

    void readRegDefaultLeavesValueOnFailure()
    {
        XdgSandbox sandbox;
        TpvlUrl url;
        QString value = QStringLiteral("unchanged");
        QCOMPARE(url.ReadRegDefault(TpvlUrl::RootKey::WebHandlers, QStringLiteral("x-scheme-handler/http"), value),
                 TpvlUrl::kNotFound);
        QCOMPARE(value, QStringLiteral("unchanged"));

        sandbox.writeDesktopEntry("data/applications/a.desktop", "/bin/a-browser %u");
        QCOMPARE(url.ReadRegDefault(TpvlUrl::RootKey::Applications, QStringLiteral("a.desktop"), value), 0);
        QCOMPARE(value, QStringLiteral("/bin/a-browser %u"));
    }

    void showCommand_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("ssHide") << int(TpvlUrl::ssHide) << 0;
        QTest::newRow("ssMaximize") << int(TpvlUrl::ssMaximize) << 3;
        QTest::newRow("ssShowMinimized") << int(TpvlUrl::ssShowMinimized) << 2;
        QTest::newRow("ssShowNoActivate") << int(TpvlUrl::ssShowNoActivate) << 4;
        QTest::newRow("ssShowNormal") << int(TpvlUrl::ssShowNormal) << 1;
        QTest::newRow("above the range") << 200 << 1;
    }
    void showCommand()
    {
        QFETCH(int, stored);
        QFETCH(int, expected);
        StartRecord record;
        const auto url = recordingUrl(record);
        url->setLookup([](TpvlUrl::RootKey root, const QString &, QString &value) {
            value = root == TpvlUrl::RootKey::WebHandlers ? QStringLiteral("x.desktop") : QStringLiteral("browse %u");
            return 0;
        });
        url->setUrlShowCommand(static_cast<TpvlUrl::TUrlShowCmd>(stored));
        url->OpenUrl();
        QCOMPARE(record.showCommand, expected);
    }

    void defaultShowCommandIsShowDefault()
    {
        TpvlUrl url;
        QCOMPARE(url.urlShowCommand(), TpvlUrl::ssShowDefault);
        QCOMPARE(url.property("UrlShowCommand").value<TpvlUrl::TUrlShowCmd>(), TpvlUrl::ssShowDefault);
        QCOMPARE(TpvlUrl::showCommandFor(url.urlShowCommand()), 10);
    }

    void failedStartThrows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("startSucceeds");
        QTest::newRow("start fails") << "browse %u" << false;
        QTest::newRow("no program before the placeholder") << "\"%u\" browse" << true;
    }
    void failedStartThrows()
    {
        QFETCH(QString, command);
        QFETCH(bool, startSucceeds);
        StartRecord record;
        const auto url = recordingUrl(record, startSucceeds);
        url->setLookup([command](TpvlUrl::RootKey root, const QString &, QString &value) {
            value = root == TpvlUrl::RootKey::WebHandlers ? QStringLiteral("x.desktop") : command;
            return 0;
        });
        try {
            url->OpenUrl();
            QFAIL("no error raised");
        } catch (const platform::AppError &e) {
            QCOMPARE(e.message(), QStringLiteral("Couldn't launch default browser"));
        }
    }

    // A real start through the default starter: a fake browser script writes
    // the arguments it receives, one per line.
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
                                  "\"" + script.toUtf8() + "\" --new-window \"%u\" --dropped");

        TpvlUrl url;
        url.setUrl(QStringLiteral("https://ratiomat.example.org/a b?q=%20&r=%u"));
        url.OpenUrl();

        const QString output = sandbox.path("bin/args.txt");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(output), 10000);
        QFile file(output);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("[--new-window]\n[https://ratiomat.example.org/a b?q=%20&r=%u]\n"));
    }
};

QTEST_GUILESS_MAIN(TestPvlUrl)
#include "test_pvl_url.moc"

#include "about/launch_command.h"

#include <QTest>

using about::commandWithAddress;
using about::launchLine;
using about::splitCommandLine;

class TestLaunchCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placeholderCut_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        const QString url = QStringLiteral("https://ratiomat.example.org");
        auto row = [](const char *name, const char *command, const QString &expected) {
            QTest::newRow(name) << QString::fromLatin1(command) << expected;
        };
        row("quoted path, blank, quoted %1", R"("C:\Browser\browse.exe" "%1")", R"("C:\Browser\browse.exe"  )" + url);
        row("path, option, bare %1, further option", "/usr/bin/browse -new %1 -nohome", "/usr/bin/browse -new  " + url);
        row("no placeholder", "/usr/bin/browse -new", "/usr/bin/browse -new " + url);
        row("quoted %u", "browse \"%u\" --x", "browse  " + url);
        row("bare %U", "browse --new-window %U", "browse --new-window  " + url);
        row("quoted one wins over an earlier bare one", "browse %u --a \"%1\" --b", "browse %u --a  " + url);
        row("%% is no placeholder", "browse --pct=%%u %u", "browse --pct=%%u  " + url);
        row("%x is no placeholder", "browser --profile=%x %u", "browser --profile=%x  " + url);
        row("placeholder first", "%u browse", " " + url);
    }
    void placeholderCut()
    {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        QCOMPARE(commandWithAddress(command, QStringLiteral("https://ratiomat.example.org")), expected);
    }

    void splitting_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("quoted path with blank")
            << "\"/opt/my browser/run\" --x" << QStringList{"/opt/my browser/run", "--x"};
        QTest::newRow("escapes inside quotes")
            // Not a raw string: Qt 6.4's moc skips the file's classes when a
            // raw string holds a backslash before a quote.
            // NOLINTNEXTLINE(modernize-raw-string-literal)
            << "run \"a \\\"b\\\" \\$c \\`d\\` e\\\\f \\q\"" << QStringList{"run", R"(a "b" $c `d` e\f \q)"};
        QTest::newRow("empty quoted argument kept") << "run \"\" x" << QStringList{"run", "", "x"};
        QTest::newRow("unclosed quote ends the line") << "run \"a b" << QStringList{"run", "a b"};
        QTest::newRow("%% becomes %") << "run --pct=100%%" << QStringList{"run", "--pct=100%"};
        QTest::newRow("lone field codes dropped")
            << "run %i %c %k %f %F %u %U %d %D %n %N %v %m -x" << QStringList{"run", "-x"};
    }
    void splitting()
    {
        QFETCH(QString, commandLine);
        QFETCH(QStringList, expected);
        QCOMPARE(splitCommandLine(commandLine), expected);
    }

    void launchLines_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString tricky = QStringLiteral("https://ratiomat.example.org/a b?q=%20&r=%u\"");
        auto row = [](const char *name, const char *command, const QString &address, const char *program,
                      const QStringList &arguments) {
            QTest::newRow(name) << QString::fromLatin1(command) << address << QString::fromLatin1(program) << arguments;
        };
        row("address is one argument, unchanged", R"("/opt/my browser/run" --new "%u" --dropped)", tricky,
            "/opt/my browser/run", {"--new", tricky});
        row("unclosed quote before the placeholder", "run \"--url=%u\"", "https://x.example.org", "run",
            {"--url=", "https://x.example.org"});
        row("empty address adds nothing", "run %u", "", "run", {});
        row("nothing before the placeholder", "\"%u\" run", "https://x.example.org", "", {});
    }
    void launchLines()
    {
        QFETCH(QString, command);
        QFETCH(QString, address);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const about::LaunchLine line = launchLine(command, address);
        QCOMPARE(line.program, program);
        QCOMPARE(line.arguments, arguments);
    }
};

QTEST_APPLESS_MAIN(TestLaunchCommand)
#include "test_launch_command.moc"

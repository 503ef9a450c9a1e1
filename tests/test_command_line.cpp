#include "app/command_line.h"
#include "app/platform_choice.h"

#include <QTest>

namespace {

CommandLineAnswer read(const QStringList& options, const QString& program = QStringLiteral("kestrava2"))
{
    return readCommandLine(QStringList{QStringLiteral("/usr/bin/") + program} + options, program,
                           QStringLiteral("1.0"));
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void startsTheGame_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("Qt's platform choice") << QStringList{"-platform", "xcb"};
        QTest::newRow("Qt's option with two dashes") << QStringList{"--platform", "offscreen"};
        QTest::newRow("Qt's display and style") << QStringList{"-display", ":1", "-style=Fusion"};
        QTest::newRow("Qt's flags") << QStringList{"-reverse", "-sync"};
    }
    void startsTheGame()
    {
        QFETCH(QStringList, options);
        const CommandLineAnswer answer = read(options);
        QVERIFY(answer.startGame);
        QVERIFY(answer.standardOutput.isEmpty());
        QVERIFY(answer.standardError.isEmpty());
    }

    void startsWithAnEmptyArgumentList()
    {
        QVERIFY(readCommandLine({}, QStringLiteral("kestrava1"), QStringLiteral("1.0")).startGame);
    }

    void helpAnswersOnStandardOutput_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("--help") << QStringLiteral("--help");
        QTest::newRow("-h") << QStringLiteral("-h");
        QTest::newRow("-help") << QStringLiteral("-help");
        QTest::newRow("-?") << QStringLiteral("-?");
    }
    void helpAnswersOnStandardOutput()
    {
        QFETCH(QString, option);
        const CommandLineAnswer answer = read({option}, QStringLiteral("kestrava1"));
        QVERIFY(!answer.startGame);
        QCOMPARE(answer.exitStatus, 0);
        QVERIFY(answer.standardError.isEmpty());
        QVERIFY(answer.standardOutput.startsWith(QStringLiteral("Usage: kestrava1 [options]\n")));
        QVERIFY(answer.standardOutput.contains(QStringLiteral("--version")));
        QVERIFY(answer.standardOutput.contains(QStringLiteral("kestrava1(6)")));
        // Qt's own options are accepted but not offered.
        QVERIFY(!answer.standardOutput.contains(QStringLiteral("platformpluginpath")));
    }

    void versionNamesProgramAndVersion()
    {
        for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v")}) {
            const CommandLineAnswer answer = read({option});
            QVERIFY(!answer.startGame);
            QCOMPARE(answer.exitStatus, 0);
            QCOMPARE(answer.standardOutput, QStringLiteral("kestrava2 1.0\n"));
            QVERIFY(answer.standardError.isEmpty());
        }
    }

    void helpWinsOverVersion()
    {
        QVERIFY(read({"--version", "--help"}).standardOutput.startsWith(QStringLiteral("Usage:")));
    }

    void refusesWhatItDoesNotKnow_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown long option") << QStringList{"--fullscreen"} << "kestrava2: Unknown option 'fullscreen'.";
        QTest::newRow("unknown short option") << QStringList{"-x"} << "kestrava2: Unknown option 'x'.";
        QTest::newRow("Qt option without its value") << QStringList{"-platform"} << "kestrava2: Missing value after '-platform'.";
        QTest::newRow("a file name") << QStringList{"field.gif"} << "kestrava2: unexpected argument 'field.gif'.";
        QTest::newRow("unknown option beside --help") << QStringList{"--help", "--bogus"} << "kestrava2: Unknown option 'bogus'.";
    }
    void refusesWhatItDoesNotKnow()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const CommandLineAnswer answer = read(options);
        QVERIFY(!answer.startGame);
        QCOMPARE(answer.exitStatus, kUsageErrorStatus);
        QVERIFY(answer.standardOutput.isEmpty());
        QCOMPARE(answer.standardError, message + QStringLiteral("\nTry 'kestrava2 --help' for more information.\n"));
    }

    void platformChoice_data()
    {
        QTest::addColumn<QString>("platformEnv");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("displayEnv");
        QTest::addColumn<bool>("x11");
        const QStringList bare{"kestrava2"};
        QTest::newRow("nothing chosen, X display there") << QString() << bare << ":0" << true;
        QTest::newRow("empty platform variable counts as unset") << QString("") << bare << ":0" << true;
        QTest::newRow("no X display") << QString() << bare << QString() << false;
        QTest::newRow("platform variable set") << QString("wayland") << bare << ":0" << false;
        QTest::newRow("offscreen for tests") << QString("offscreen") << bare << ":0" << false;
        QTest::newRow("-platform argument") << QString() << QStringList{"kestrava2", "-platform", "wayland"} << ":0" << false;
        QTest::newRow("--platform argument") << QString() << QStringList{"kestrava2", "--platform", "wayland"} << ":0" << false;
        QTest::newRow("program path named -platform is no choice") << QString() << QStringList{"-platform"} << ":0" << true;
        QTest::newRow("other Qt options are no choice") << QString() << QStringList{"kestrava2", "-style", "Fusion"} << ":0" << true;
    }
    void platformChoice()
    {
        QFETCH(QString, platformEnv);
        QFETCH(QStringList, arguments);
        QFETCH(QString, displayEnv);
        QFETCH(bool, x11);
        QCOMPARE(shouldUseX11(platformEnv, arguments, displayEnv), x11);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"

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
        QTest::newRow("Qt's platform choice") << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")};
        QTest::newRow("Qt's option with two dashes") << QStringList{QStringLiteral("--platform"), QStringLiteral("offscreen")};
        QTest::newRow("Qt's display and style") << QStringList{QStringLiteral("-display"), QStringLiteral(":1"), QStringLiteral("-style=Fusion")};
        QTest::newRow("Qt's flags") << QStringList{QStringLiteral("-reverse"), QStringLiteral("-sync")};
    }
    void startsTheGame()
    {
        QFETCH(QStringList, options);
        const CommandLineAnswer answer = read(options);
        QVERIFY(answer.startGame);
        QVERIFY(answer.standardOutput.isEmpty());
        QVERIFY(answer.standardError.isEmpty());
    }

    // --mute starts the game without sound; it is offered in the help.
    void muteStartsTheGameWithoutSound_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("mute");
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("--mute") << QStringList{QStringLiteral("--mute")} << true;
        QTest::newRow("-mute among Qt's options")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("-mute")} << true;
    }
    void muteStartsTheGameWithoutSound()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, mute);
        const CommandLineAnswer answer = read(options);
        QVERIFY(answer.startGame);
        QCOMPARE(answer.mute, mute);
        QVERIFY(answer.standardError.isEmpty());
        QVERIFY(read({QStringLiteral("--help")}).standardOutput.contains(QStringLiteral("\n  --mute ")));
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
        QVERIFY(read({QStringLiteral("--version"), QStringLiteral("--help")}).standardOutput.startsWith(QStringLiteral("Usage:")));
    }

    void refusesWhatItDoesNotKnow_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown long option") << QStringList{QStringLiteral("--fullscreen")} << QStringLiteral("kestrava2: Unknown option 'fullscreen'.");
        QTest::newRow("unknown short option") << QStringList{QStringLiteral("-x")} << QStringLiteral("kestrava2: Unknown option 'x'.");
        QTest::newRow("Qt option without its value") << QStringList{QStringLiteral("-platform")} << QStringLiteral("kestrava2: Missing value after '-platform'.");
        QTest::newRow("a file name") << QStringList{QStringLiteral("field.gif")} << QStringLiteral("kestrava2: unexpected argument 'field.gif'.");
        QTest::newRow("unknown option beside --help") << QStringList{QStringLiteral("--help"), QStringLiteral("--bogus")} << QStringLiteral("kestrava2: Unknown option 'bogus'.");
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
        QTest::addColumn<QString>("request");
        const QStringList bare{QStringLiteral("kestrava2")};
        const QString x11ThenWayland = QStringLiteral("xcb;wayland");
        const QString qtsOwn;
        QTest::newRow("nothing chosen, X display there") << QString() << bare << QStringLiteral(":0") << x11ThenWayland;
        QTest::newRow("empty platform variable counts as unset") << QStringLiteral("") << bare << QStringLiteral(":0") << x11ThenWayland;
        QTest::newRow("no X display") << QString() << bare << QString() << qtsOwn;
        QTest::newRow("platform variable set") << QStringLiteral("wayland") << bare << QStringLiteral(":0") << qtsOwn;
        QTest::newRow("offscreen for tests") << QStringLiteral("offscreen") << bare << QStringLiteral(":0") << qtsOwn;
        QTest::newRow("-platform argument") << QString() << QStringList{QStringLiteral("kestrava2"), QStringLiteral("-platform"), QStringLiteral("wayland")} << QStringLiteral(":0") << qtsOwn;
        QTest::newRow("--platform argument") << QString() << QStringList{QStringLiteral("kestrava2"), QStringLiteral("--platform"), QStringLiteral("wayland")} << QStringLiteral(":0") << qtsOwn;
        QTest::newRow("program path named -platform is no choice") << QString() << QStringList{QStringLiteral("-platform")} << QStringLiteral(":0") << x11ThenWayland;
        QTest::newRow("other Qt options are no choice") << QString() << QStringList{QStringLiteral("kestrava2"), QStringLiteral("-style"), QStringLiteral("Fusion")} << QStringLiteral(":0") << x11ThenWayland;
    }
    void platformChoice()
    {
        QFETCH(QString, platformEnv);
        QFETCH(QStringList, arguments);
        QFETCH(QString, displayEnv);
        QFETCH(QString, request);
        QCOMPARE(platformRequest(platformEnv, arguments, displayEnv), request);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"

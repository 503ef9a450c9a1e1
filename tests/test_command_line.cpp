#include "app/command_line.h"
#include "app/platform_choice.h"

#include <QTest>

namespace {

CommandLineAnswer read(const QStringList& options, Edition edition = Edition::Full)
{
    return readCommandLine(QStringList{QStringLiteral("/usr/bin/") + programName(edition)} + options, edition,
                           QStringLiteral("1.0"));
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    // --mute starts the game without sound; Qt's own options start it as it is.
    void startsTheGame_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("mute");
        QTest::newRow("nothing") << QStringList{} << false;
        QTest::newRow("Qt's platform choice") << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb")} << false;
        QTest::newRow("Qt's option with two dashes") << QStringList{QStringLiteral("--platform"), QStringLiteral("offscreen")} << false;
        QTest::newRow("Qt's display and style") << QStringList{QStringLiteral("-display"), QStringLiteral(":1"), QStringLiteral("-style=Fusion")} << false;
        QTest::newRow("Qt's flags") << QStringList{QStringLiteral("-reverse"), QStringLiteral("-sync")} << false;
        QTest::newRow("--mute") << QStringList{QStringLiteral("--mute")} << true;
        QTest::newRow("-mute among Qt's options")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("-mute")} << true;
    }
    void startsTheGame()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, mute);
        const CommandLineAnswer answer = read(options);
        QVERIFY(answer.startGame);
        QCOMPARE(answer.mute, mute);
        QCOMPARE(answer.language, std::nullopt);
        QVERIFY(answer.standardOutput.isEmpty());
        QVERIFY(answer.standardError.isEmpty());
    }

    void startsWithAnEmptyArgumentList()
    {
        QVERIFY(readCommandLine({}, Edition::Wind, QStringLiteral("1.0")).startGame);
    }

    // Every way of asking for help, also beside --version. The help offers
    // --mute and the computer's levels; Qt's own options are accepted but not
    // offered.
    void helpAnswersOnStandardOutput_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")};
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")};
        QTest::newRow("-help") << QStringList{QStringLiteral("-help")};
        QTest::newRow("-?") << QStringList{QStringLiteral("-?")};
        QTest::newRow("help wins over version") << QStringList{QStringLiteral("--version"), QStringLiteral("--help")};
    }
    void helpAnswersOnStandardOutput()
    {
        QFETCH(QStringList, options);
        const CommandLineAnswer answer = read(options, Edition::Wind);
        QVERIFY(!answer.startGame);
        QCOMPARE(answer.exitStatus, 0);
        QVERIFY(answer.standardError.isEmpty());
        const QString& help = answer.standardOutput;
        QVERIFY(help.startsWith(QStringLiteral("Usage: kestrava1 [options]\n")));
        QVERIFY(help.contains(QStringLiteral("kestrava1(6)")));
        QVERIFY(help.contains(QStringLiteral("\n  --mute ")));
        QVERIFY(help.contains(QStringLiteral("\n  --language LANG\n")));
        QVERIFY(help.contains(QStringLiteral("easy, medium or hard")));
        QVERIFY(!help.contains(QStringLiteral("platformpluginpath")));
        QVERIFY(help.contains(QStringLiteral("\n  --host[=PORT] ")));
        QVERIFY(help.contains(QStringLiteral("\n  --join HOST[:PORT]\n")));
        QVERIFY(help.contains(QStringLiteral("TCP and UDP port 47240")));
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

    // Each program takes its name and its help from its edition, and a tool
    // that is told a program name finds the edition again.
    void programNameComesFromTheEdition_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("mentionsWind");
        QTest::newRow("full") << Edition::Full << QStringLiteral("kestrava2") << false;
        QTest::newRow("wind") << Edition::Wind << QStringLiteral("kestrava1") << true;
    }
    void programNameComesFromTheEdition()
    {
        QFETCH(Edition, edition);
        QFETCH(QString, name);
        QFETCH(bool, mentionsWind);
        QCOMPARE(programName(edition), name);
        QCOMPARE(editionNamed(name), std::optional<Edition>(edition));
        const QString help = read({QStringLiteral("--help")}, edition).standardOutput;
        QCOMPARE(help.contains(QStringLiteral("artillery with wind")), mentionsWind);
    }

    void unknownProgramNamesNoEdition()
    {
        QCOMPARE(editionNamed(QStringLiteral("kestrava3")), std::nullopt);
        QCOMPARE(editionNamed(QString()), std::nullopt);
    }

    void refusesWhatItDoesNotKnow_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown long option") << QStringList{QStringLiteral("--fullscreen")} << QStringLiteral("kestrava2: Unknown option 'fullscreen'.");
        QTest::newRow("unknown short option") << QStringList{QStringLiteral("-x")} << QStringLiteral("kestrava2: Unknown option 'x'.");
        QTest::newRow("Qt option without its value") << QStringList{QStringLiteral("-platform")} << QStringLiteral("kestrava2: Missing value after '-platform'.");
        QTest::newRow("--computer without its value") << QStringList{QStringLiteral("--computer")} << QStringLiteral("kestrava2: Missing value after '--computer'.");
        QTest::newRow("a file name") << QStringList{QStringLiteral("field.gif")} << QStringLiteral("kestrava2: unexpected argument 'field.gif'.");
        QTest::newRow("--language without its value") << QStringList{QStringLiteral("--language")} << QStringLiteral("kestrava2: Missing value after '--language'.");
        QTest::newRow("--language fr") << QStringList{QStringLiteral("--language"), QStringLiteral("fr")} << QStringLiteral("kestrava2: --language: 'fr' is no language: id or en.");
        QTest::newRow("--language in capitals") << QStringList{QStringLiteral("--language=EN")} << QStringLiteral("kestrava2: --language: 'EN' is no language: id or en.");
        QTest::newRow("--language empty") << QStringList{QStringLiteral("--language=")} << QStringLiteral("kestrava2: --language: '' is no language: id or en.");
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

    // Each seat's level as "easy", "medium", "hard" or "-" (a person).
    static QString seatsOf(const CommandLineAnswer& answer)
    {
        QStringList seats;
        for (const auto& level : answer.computerSeats)
            seats << (!level ? QStringLiteral("-")
                      : *level == computer::Level::Easy ? QStringLiteral("easy")
                      : *level == computer::Level::Medium ? QStringLiteral("medium")
                                                          : QStringLiteral("hard"));
        return seats.join(QLatin1Char(' '));
    }

    void computerSeats_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("seats");
        const QString c = QStringLiteral("--computer");
        QTest::newRow("none") << QStringList{} << QStringLiteral("- - - -");
        QTest::newRow("one seat") << QStringList{c, QStringLiteral("2=hard")} << QStringLiteral("- hard - -");
        QTest::newRow("two seats in one value") << QStringList{c, QStringLiteral("1=easy,2=medium")} << QStringLiteral("easy medium - -");
        QTest::newRow("all four, out of order") << QStringList{c, QStringLiteral("4=easy,3=hard,1=medium,2=easy")} << QStringLiteral("medium easy hard easy");
        QTest::newRow("the option twice") << QStringList{c, QStringLiteral("1=hard"), c, QStringLiteral("3=easy")} << QStringLiteral("hard - easy -");
        QTest::newRow("with an equals sign") << QStringList{QStringLiteral("--computer=2=medium")} << QStringLiteral("- medium - -");
    }
    void computerSeats()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, seats);
        const CommandLineAnswer answer = read(options, Edition::Wind);
        QVERIFY(answer.startGame);
        QVERIFY(answer.standardError.isEmpty());
        QCOMPARE(seatsOf(answer), seats);
    }

    void refusesBadComputerSeats_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        const QString form = QStringLiteral(" (SLOT=LEVEL, SLOT 1 to 4, LEVEL easy, medium or hard).");
        QTest::newRow("slot 0") << QStringLiteral("0=hard") << QStringLiteral("--computer: '0' is no player from 1 to 4") + form;
        QTest::newRow("slot 5") << QStringLiteral("5=easy") << QStringLiteral("--computer: '5' is no player from 1 to 4") + form;
        QTest::newRow("slot 12") << QStringLiteral("12=easy") << QStringLiteral("--computer: '12' is no player from 1 to 4") + form;
        QTest::newRow("slot a word") << QStringLiteral("two=easy") << QStringLiteral("--computer: 'two' is no player from 1 to 4") + form;
        QTest::newRow("unknown level") << QStringLiteral("2=expert") << QStringLiteral("--computer: 'expert' is no level: easy, medium or hard") + form;
        QTest::newRow("level in capitals") << QStringLiteral("2=HARD") << QStringLiteral("--computer: 'HARD' is no level: easy, medium or hard") + form;
        QTest::newRow("no level") << QStringLiteral("2") << QStringLiteral("--computer: '2' is not a seat") + form;
        QTest::newRow("empty level") << QStringLiteral("2=") << QStringLiteral("--computer: '' is no level: easy, medium or hard") + form;
        QTest::newRow("two equals signs") << QStringLiteral("2=hard=easy") << QStringLiteral("--computer: '2=hard=easy' is not a seat") + form;
        QTest::newRow("trailing comma") << QStringLiteral("2=hard,") << QStringLiteral("--computer: '' is not a seat") + form;
        QTest::newRow("empty value") << QString() << QStringLiteral("--computer needs at least one seat") + form;
        QTest::newRow("a seat twice") << QStringLiteral("2=hard,2=easy") << QStringLiteral("--computer: player 2 is given twice.");
    }
    void refusesBadComputerSeats()
    {
        QFETCH(QString, value);
        QFETCH(QString, message);
        const CommandLineAnswer answer = read({QStringLiteral("--computer"), value});
        QVERIFY(!answer.startGame);
        QCOMPARE(answer.exitStatus, kUsageErrorStatus);
        QVERIFY(answer.standardOutput.isEmpty());
        QCOMPARE(answer.standardError, QStringLiteral("kestrava2: ") + message
                                           + QStringLiteral("\nTry 'kestrava2 --help' for more information.\n"));
    }

    // --language shows the game in a language for this run.
    void languageForThisRun_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<ui::Language>("language");
        QTest::newRow("en") << QStringList{QStringLiteral("--language"), QStringLiteral("en")} << ui::Language::English;
        QTest::newRow("id") << QStringList{QStringLiteral("--language=id")} << ui::Language::Indonesian;
        QTest::newRow("single dash, beside --mute") << QStringList{QStringLiteral("-language"), QStringLiteral("en"), QStringLiteral("--mute")} << ui::Language::English;
        QTest::newRow("the last one counts") << QStringList{QStringLiteral("--language=en"), QStringLiteral("--language=id")} << ui::Language::Indonesian;
    }
    void languageForThisRun()
    {
        QFETCH(QStringList, options);
        QFETCH(ui::Language, language);
        const CommandLineAnswer answer = read(options);
        QVERIFY(answer.startGame);
        QVERIFY(answer.standardError.isEmpty());
        QCOMPARE(answer.language, std::optional<ui::Language>(language));
    }

    // What the network options ask for: the host's port, the code, the
    // remote seats, the host joined with its port, the name and character.
    void networkOptions_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("hostPort");  // -1: not hosting
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("joinHost");
        QTest::addColumn<int>("joinPort");  // -1: not joining
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("character");
        auto l = [](const char* text) { return QString::fromUtf8(text).split(QLatin1Char(' ')); };
        QTest::newRow("nothing") << QStringList{} << -1 << QString() << QStringLiteral("- - - -") << QString() << -1 << QString() << 1;
        QTest::newRow("bare --host") << l("--host") << 47240 << QString() << QStringLiteral("- - - -") << QString() << -1 << QString() << 1;
        QTest::newRow("--host then another option") << l("--host --mute") << 47240 << QString() << QStringLiteral("- - - -") << QString() << -1 << QString() << 1;
        QTest::newRow("--host=PORT, code, remote seats")
            << l("--host=5000 --code 012345 --remote 2,4") << 5000 << QStringLiteral("012345") << QStringLiteral("- net - net") << QString() << -1 << QString() << 1;
        QTest::newRow("remote beside computer") << l("--host --remote 3 --computer 2=easy") << 47240 << QString() << QStringLiteral("- - net -") << QString() << -1 << QString() << 1;
        QTest::newRow("--join a name") << l("--join example.lan --code 999999 --name Ana")
            << -1 << QStringLiteral("999999") << QStringLiteral("- - - -") << QStringLiteral("example.lan") << 47240 << QStringLiteral("Ana") << 1;
        QTest::newRow("--join an address and port, a character")
            << l("--join 192.168.1.20:6000 --code 123456 --name Budi --character 6")
            << -1 << QStringLiteral("123456") << QStringLiteral("- - - -") << QStringLiteral("192.168.1.20") << 6000 << QStringLiteral("Budi") << 6;
        QTest::newRow("--join IPv6 in brackets") << l("--join [::1]:47241 --code 123456 --name Ana")
            << -1 << QStringLiteral("123456") << QStringLiteral("- - - -") << QStringLiteral("::1") << 47241 << QStringLiteral("Ana") << 1;
        QTest::newRow("--join IPv6 without port") << l("--join [fe80::1] --code 123456 --name Ana")
            << -1 << QStringLiteral("123456") << QStringLiteral("- - - -") << QStringLiteral("fe80::1") << 47240 << QStringLiteral("Ana") << 1;
    }
    void networkOptions()
    {
        QFETCH(QStringList, options);
        QFETCH(int, hostPort);
        QFETCH(QString, code);
        QFETCH(QString, remote);
        QFETCH(QString, joinHost);
        QFETCH(int, joinPort);
        QFETCH(QString, name);
        QFETCH(int, character);
        const CommandLineAnswer answer = read(options);
        QCOMPARE(answer.standardError, QString());
        QVERIFY(answer.startGame);
        QCOMPARE(answer.hostPort ? int(*answer.hostPort) : -1, hostPort);
        QCOMPARE(answer.code, code);
        QStringList seats;
        for (bool seat : answer.remoteSeats)
            seats << (seat ? QStringLiteral("net") : QStringLiteral("-"));
        QCOMPARE(seats.join(QLatin1Char(' ')), remote);
        QCOMPARE(answer.joinHost, joinHost);
        QCOMPARE(answer.joinPort ? int(*answer.joinPort) : -1, joinPort);
        QCOMPARE(answer.playerName, name);
        QCOMPARE(answer.character, character);
    }

    void refusesBadNetworkOptions_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        auto l = [](const char* text) { return QString::fromUtf8(text).split(QLatin1Char(' ')); };
        const QString joinForm = QStringLiteral(" (HOST or HOST:PORT; an IPv6 address in brackets, [ADDRESS]:PORT).");
        const QString join = QStringLiteral(" --code 123456 --name Ana");
        QTest::newRow("port 0") << l("--host=0") << QStringLiteral("--host: '0' is no port from 1 to 65535.");
        QTest::newRow("port too big") << l("--host=65536") << QStringLiteral("--host: '65536' is no port from 1 to 65535.");
        QTest::newRow("port a word") << l("--host=abc") << QStringLiteral("--host: 'abc' is no port from 1 to 65535.");
        QTest::newRow("port empty") << l("--host=") << QStringLiteral("--host: '' is no port from 1 to 65535.");
        QTest::newRow("port negative") << l("--host=-5") << QStringLiteral("--host: '-5' is no port from 1 to 65535.");
        QTest::newRow("code five digits") << l("--host --code 12345") << QStringLiteral("--code: '12345' is not six digits.");
        QTest::newRow("code with a letter") << l("--host --code 12345a") << QStringLiteral("--code: '12345a' is not six digits.");
        QTest::newRow("code alone") << l("--code 123456") << QStringLiteral("--code needs --host or --join.");
        QTest::newRow("host and join") << l("--host --join a.lan --code 123456 --name Ana")
            << QStringLiteral("--host and --join cannot be used together: a program either hosts or joins.");
        QTest::newRow("remote without host") << l("--remote 2") << QStringLiteral("--remote needs --host: only a host has seats to leave to others.");
        QTest::newRow("remote slot 5") << l("--host --remote 5") << QStringLiteral("--remote: '5' is no player from 1 to 4 (SLOT[,SLOT...], SLOT 1 to 4).");
        QTest::newRow("remote twice") << l("--host --remote 2,2") << QStringLiteral("--remote: player 2 is given twice.");
        QTest::newRow("remote and computer") << l("--host --remote 2 --computer 2=hard") << QStringLiteral("player 2 is given to both --computer and --remote.");
        QTest::newRow("name without join") << l("--name Ana") << QStringLiteral("--name needs --join: it names the player who joins.");
        QTest::newRow("character without join") << l("--host --character 2") << QStringLiteral("--character needs --join: it chooses the joining player's character.");
        QTest::newRow("character 7") << (l("--join a.lan --character 7") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                                     << QStringLiteral("--character: '7' is no character from 1 to 6.");
        QTest::newRow("join without code") << l("--join a.lan --name Ana") << QStringLiteral("--join needs --code: the six digits the host gave.");
        QTest::newRow("join without name") << l("--join a.lan --code 123456") << QStringLiteral("--join needs --name: the name the others will see.");
        QTest::newRow("name too long") << (l("--join a.lan --code 123456 --name") << QString(33, QLatin1Char('x')))
                                       << QStringLiteral("--name: '") + QString(33, QLatin1Char('x')) + QStringLiteral("' is longer than 32 characters.");
        QTest::newRow("name blank") << (l("--join a.lan --code 123456 --name") << QStringLiteral("  ")) << QStringLiteral("--name: a player's name cannot be empty.");
        QTest::newRow("join port 0") << (l("--join a.lan:0") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts)) << QStringLiteral("--join: '0' is no port from 1 to 65535.");
        QTest::newRow("join empty port") << (l("--join a.lan:") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                                         << QStringLiteral("--join: 'a.lan:' names no port after the colon") + joinForm;
        QTest::newRow("join empty host") << (l("--join") << QString()) << QStringLiteral("--join: '' is not a host") + joinForm;
        QTest::newRow("join a path") << (l("--join ../x/y") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts)) << QStringLiteral("--join: '../x/y' is not a host") + joinForm;
        QTest::newRow("join bare IPv6") << (l("--join ::1") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts)) << QStringLiteral("--join: '::1' is not a host") + joinForm;
        QTest::newRow("join unclosed bracket") << (l("--join [::1") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                                               << QStringLiteral("--join: '[::1' lacks its closing bracket") + joinForm;
        QTest::newRow("join with computer") << (l("--join a.lan --computer 2=easy") + join.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                                            << QStringLiteral("--computer cannot be used with --join: the host seats the players.");
    }
    void refusesBadNetworkOptions()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        const CommandLineAnswer answer = read(options);
        QVERIFY(!answer.startGame);
        QCOMPARE(answer.exitStatus, kUsageErrorStatus);
        QVERIFY(answer.standardOutput.isEmpty());
        QCOMPARE(answer.standardError, QStringLiteral("kestrava2: ") + message
                                           + QStringLiteral("\nTry 'kestrava2 --help' for more information.\n"));
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

#include "app/command_line.h"

#include "computer/level_names.h"
#include "net/protocol.h"
#include "ui/number_text.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

// Options QGuiApplication and QApplication read themselves: accepted here so
// that they reach Qt, and left out of --help.
const char* const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
    "qwindowgeometry", "geometry", "qwindowicon", "icon", "qwindowtitle", "title",
    "session", "display", "style", "stylesheet",
};
const char* const kQtFlags[] = {
    "reverse", "widgetcount", "nograb", "dograb", "sync",
};

QString helpText(Edition edition)
{
    const bool wind = edition == Edition::Wind;
    return QStringLiteral(
               "Usage: %1 [options]\n"
               "\n"
               "%2\n"
               "Start it in the folder that holds its pictures (field.gif and the\n"
               "vehicle pictures); the desktop launcher does this for you.\n"
               "\n"
               "Options:\n"
               "  --computer SLOT=LEVEL[,SLOT=LEVEL...]\n"
               "                 Let the computer play these seats of the roster: SLOT is\n"
               "                 the player, 1 to 4, and LEVEL is easy, medium or hard\n"
               "                 (for example --computer 2=hard). The seats can still be\n"
               "                 changed on the roster.\n"
               "  --character N  The character (1 to 6) of the player who joins; 1 if not\n"
               "                 given.\n"
               "  --code CODE    With --host: the six-digit join code to give out (one is\n"
               "                 drawn if not given). With --join: the code the host gave.\n"
               "  -h, --help     Show this help and exit.\n"
               "  --host[=PORT]  Host a game over the network on PORT (47240 if not given).\n"
               "                 The setup window shows the join code to give the others.\n"
               "  --join HOST[:PORT]\n"
               "                 Join the game hosted on HOST (a name or an address; an\n"
               "                 IPv6 address in brackets) at PORT (47240 if not given).\n"
               "                 Needs --code and --name.\n"
               "  --language LANG\n"
               "                 Show the game in this language this time: id (Indonesian,\n"
               "                 the game's own) or en (English). The \"Bahasa\" choice on\n"
               "                 the setup window changes the language for good.\n"
               "  -v, --version  Show the program's version and exit.\n"
               "  --mute         Play without sound this time; the \"Suara\" box on the\n"
               "                 setup window turns sound on and off for good.\n"
               "  --name NAME    The name of the player who joins (at most 32 characters).\n"
               "  --remote SLOT[,SLOT...]\n"
               "                 With --host: leave these seats (1 to 4) to players on other\n"
               "                 machines. The computer plays such a seat at \"sedang\"\n"
               "                 until somebody joins it.\n"
               "\n"
               "Playing over the network:\n"
               "  The host starts with --host and tells the others its address and the join\n"
               "  code; each of them starts with --join HOST --code CODE --name NAME, or uses\n"
               "  the \"Jaringan\" button on the setup window. On the local network the\n"
               "  \"Gabung\" list finds the games by itself. For a game beyond the local\n"
               "  network the host must open TCP and UDP port 47240 (or the port it names)\n"
               "  in its firewall and router.\n"
               "\n"
               "Qt's own options, such as -platform or -display, are passed to Qt.\n"
               "See %1(6) for the rules of the game.\n")
        .arg(programName(edition),
             wind ? QStringLiteral("Turn-based artillery with wind for two to four players at one computer.")
                  : QStringLiteral("Turn-based artillery for two to four players at one computer."));
}

CommandLineAnswer usageError(const QString& programName, const QString& message)
{
    CommandLineAnswer answer;
    answer.startGame = false;
    answer.exitStatus = kUsageErrorStatus;
    answer.standardError = QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n")
                               .arg(programName, message);
    return answer;
}

// Reads the values of --computer into SEATS; returns what is wrong, or
// nothing when every value is sound.
std::optional<QString> readComputerSeats(const QStringList& values,
                                         std::array<std::optional<computer::Level>, 4>& seats)
{
    const QString form = QStringLiteral(" (SLOT=LEVEL, SLOT 1 to 4, LEVEL easy, medium or hard).");
    for (const QString& value : values) {
        if (value.isEmpty())
            return QStringLiteral("--computer needs at least one seat") + form;
        for (const QString& seat : value.split(QLatin1Char(','))) {
            const QStringList parts = seat.split(QLatin1Char('='));
            if (parts.size() != 2)
                return QStringLiteral("--computer: '%1' is not a seat").arg(seat) + form;
            const QString& slotText = parts[0];
            const bool oneDigit = slotText.size() == 1 && slotText[0] >= QLatin1Char('1')
                                  && slotText[0] <= QLatin1Char('4');
            if (!oneDigit)
                return QStringLiteral("--computer: '%1' is no player from 1 to 4").arg(slotText) + form;
            const std::optional<computer::Level> level = computer::levelNamed(parts[1].toStdString());
            if (!level)
                return QStringLiteral("--computer: '%1' is no level: easy, medium or hard").arg(parts[1]) + form;
            auto& chosen = seats[static_cast<std::size_t>(slotText[0].unicode() - u'1')];
            if (chosen)
                return QStringLiteral("--computer: player %1 is given twice.").arg(slotText);
            chosen = level;
        }
    }
    return std::nullopt;
}

// Reads a port number, 1 to 65535, written in plain digits.
std::optional<quint16> portNamed(const QString& text)
{
    const std::optional<std::int64_t> port = numtext::readDigits(text, 5);
    if (!port || *port < 1 || *port > 65535)
        return std::nullopt;
    return static_cast<quint16>(*port);
}

bool allDigits(const QString& text) { return numtext::readDigits(text, 18).has_value(); }

// A host name or IPv4 address: letters, digits, dots and hyphens.
bool soundHostName(const QString& text)
{
    if (text.isEmpty() || text.size() > 253)
        return false;
    for (const QChar c : text)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.') && c != QLatin1Char('-'))
            return false;
    return true;
}

// An IPv6 address as written between brackets: hex digits, colons, dots.
bool soundIpv6(const QString& text)
{
    if (text.size() < 2 || text.size() > 45 || !text.contains(QLatin1Char(':')))
        return false;
    for (const QChar c : text)
        if (!(c.isDigit() && c.unicode() < 128) && !(c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            && !(c >= QLatin1Char('A') && c <= QLatin1Char('F')) && c != QLatin1Char(':') && c != QLatin1Char('.'))
            return false;
    return true;
}

// Reads --join's HOST[:PORT] into the answer; returns what is wrong.
std::optional<QString> readJoinTarget(const QString& value, CommandLineAnswer& answer)
{
    const QString form = QStringLiteral(" (HOST or HOST:PORT; an IPv6 address in brackets, [ADDRESS]:PORT).");
    QString host = value;
    QString port;
    if (value.startsWith(QLatin1Char('['))) {
        const qsizetype close = value.indexOf(QLatin1Char(']'));
        if (close < 0)
            return QStringLiteral("--join: '%1' lacks its closing bracket").arg(value) + form;
        host = value.mid(1, close - 1);
        const QString rest = value.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':')))
                return QStringLiteral("--join: '%1' is not a host").arg(value) + form;
            port = rest.mid(1);
            if (port.isEmpty())
                return QStringLiteral("--join: '%1' names no port after the colon").arg(value) + form;
        }
        if (!soundIpv6(host))
            return QStringLiteral("--join: '%1' is no IPv6 address").arg(host) + form;
    } else {
        if (value.count(QLatin1Char(':')) > 1)
            return QStringLiteral("--join: '%1' is not a host").arg(value) + form;
        const qsizetype colon = value.indexOf(QLatin1Char(':'));
        if (colon >= 0) {
            host = value.left(colon);
            port = value.mid(colon + 1);
            if (port.isEmpty())
                return QStringLiteral("--join: '%1' names no port after the colon").arg(value) + form;
        }
        if (!soundHostName(host))
            return QStringLiteral("--join: '%1' is not a host").arg(value) + form;
    }
    answer.joinHost = host;
    answer.joinPort = net::kDefaultPort;
    if (!port.isEmpty()) {
        answer.joinPort = portNamed(port);
        if (!answer.joinPort)
            return QStringLiteral("--join: '%1' is no port from 1 to 65535.").arg(port);
    }
    return std::nullopt;
}

// Reads the values of --remote into SEATS; returns what is wrong.
std::optional<QString> readRemoteSeats(const QStringList& values, std::array<bool, 4>& seats)
{
    const QString form = QStringLiteral(" (SLOT[,SLOT...], SLOT 1 to 4).");
    for (const QString& value : values) {
        if (value.isEmpty())
            return QStringLiteral("--remote needs at least one seat") + form;
        for (const QString& slotText : value.split(QLatin1Char(','))) {
            const bool oneDigit = slotText.size() == 1 && slotText[0] >= QLatin1Char('1')
                                  && slotText[0] <= QLatin1Char('4');
            if (!oneDigit)
                return QStringLiteral("--remote: '%1' is no player from 1 to 4").arg(slotText) + form;
            bool& chosen = seats[static_cast<std::size_t>(slotText[0].unicode() - u'1')];
            if (chosen)
                return QStringLiteral("--remote: player %1 is given twice.").arg(slotText);
            chosen = true;
        }
    }
    return std::nullopt;
}

// --host takes its port only as --host=PORT, never from the next word, so
// that "--host --mute" hosts on the usual port. The parser knows --host as
// a flag: each --host=PORT is read here and handed on as a bare --host.
// Returns the last --host: its port text, or nothing for a bare --host.
struct HostAsked {
    bool asked = false;
    std::optional<QString> port;
};
HostAsked takeHostPorts(QStringList& arguments)
{
    HostAsked port;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString& argument = arguments[i];
        if (argument == QLatin1String("--"))
            break;
        for (const QLatin1String form : {QLatin1String("--host"), QLatin1String("-host")}) {
            if (argument == form) {
                port = HostAsked{true, std::nullopt};
            } else if (argument.startsWith(form + QLatin1Char('='))) {
                port = HostAsked{true, argument.mid(form.size() + 1)};
                argument = form;
            }
        }
    }
    return port;
}

// Checks the network options against each other and reads their values.
std::optional<QString> readNetworkOptions(const QCommandLineParser& parser, const HostAsked& hostPort,
                                          const QCommandLineOption& code, const QCommandLineOption& remote,
                                          const QCommandLineOption& join, const QCommandLineOption& name,
                                          const QCommandLineOption& character, bool computerSeats,
                                          CommandLineAnswer& answer)
{
    if (hostPort.asked) {
        answer.hostPort = net::kDefaultPort;
        if (hostPort.port) {
            answer.hostPort = portNamed(*hostPort.port);
            if (!answer.hostPort)
                return QStringLiteral("--host: '%1' is no port from 1 to 65535.").arg(*hostPort.port);
        }
    }
    if (parser.isSet(join)) {
        if (answer.hosting())
            return QStringLiteral("--host and --join cannot be used together: a program either hosts or joins.");
        if (computerSeats)
            return QStringLiteral("--computer cannot be used with --join: the host seats the players.");
        if (const std::optional<QString> wrong = readJoinTarget(parser.values(join).constLast(), answer))
            return wrong;
    }
    if (const std::optional<QString> wrong = readRemoteSeats(parser.values(remote), answer.remoteSeats))
        return wrong;
    if (parser.isSet(remote) && !answer.hosting())
        return QStringLiteral("--remote needs --host: only a host has seats to leave to others.");
    for (std::size_t slot = 0; slot < 4; ++slot)
        if (answer.remoteSeats[slot] && answer.computerSeats[slot])
            return QStringLiteral("player %1 is given to both --computer and --remote.").arg(slot + 1);
    if (parser.isSet(code)) {
        answer.code = parser.values(code).constLast();
        if (answer.code.size() != net::kCodeChars || !allDigits(answer.code))
            return QStringLiteral("--code: '%1' is not six digits.").arg(answer.code);
        if (!answer.hosting() && !answer.joining())
            return QStringLiteral("--code needs --host or --join.");
    }
    if (parser.isSet(name)) {
        answer.playerName = parser.values(name).constLast();
        if (answer.playerName.trimmed().isEmpty())
            return QStringLiteral("--name: a player's name cannot be empty.");
        if (answer.playerName.size() > kLongestPlayerName)
            return QStringLiteral("--name: '%1' is longer than %2 characters.")
                .arg(answer.playerName, numtext::text(kLongestPlayerName));
        if (!answer.joining())
            return QStringLiteral("--name needs --join: it names the player who joins.");
    }
    if (parser.isSet(character)) {
        const QString text = parser.values(character).constLast();
        const bool oneDigit = text.size() == 1 && text[0] >= QLatin1Char('1') && text[0] <= QLatin1Char('6');
        if (!oneDigit)
            return QStringLiteral("--character: '%1' is no character from 1 to 6.").arg(text);
        answer.character = static_cast<int>(numtext::readInt32(text));
        if (!answer.joining())
            return QStringLiteral("--character needs --join: it chooses the joining player's character.");
    }
    if (answer.joining() && answer.code.isEmpty())
        return QStringLiteral("--join needs --code: the six digits the host gave.");
    if (answer.joining() && answer.playerName.isEmpty())
        return QStringLiteral("--join needs --name: the name the others will see.");
    return std::nullopt;
}

} // namespace

CommandLineAnswer readCommandLine(const QStringList& arguments, Edition edition, const QString& version)
{
    const QString programName = ::programName(edition);
    QCommandLineParser parser;
    // Qt's options are single-dash words ("-platform xcb"), so single-dash
    // words are read as long options, not as bundles of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Their descriptions are in helpText(), which also explains the game.
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")});
    const QCommandLineOption versionOption(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption computerOption(QStringLiteral("computer"), QString(), QStringLiteral("seats"));
    const QCommandLineOption muteOption(QStringLiteral("mute"));
    const QCommandLineOption languageOption(QStringLiteral("language"), QString(), QStringLiteral("code"));
    parser.addOption(help);
    parser.addOption(versionOption);
    parser.addOption(computerOption);
    parser.addOption(muteOption);
    parser.addOption(languageOption);
    const QCommandLineOption hostOption(QStringLiteral("host"));
    const QCommandLineOption codeOption(QStringLiteral("code"), QString(), QStringLiteral("code"));
    const QCommandLineOption remoteOption(QStringLiteral("remote"), QString(), QStringLiteral("seats"));
    const QCommandLineOption joinOption(QStringLiteral("join"), QString(), QStringLiteral("host"));
    const QCommandLineOption nameOption(QStringLiteral("name"), QString(), QStringLiteral("name"));
    const QCommandLineOption characterOption(QStringLiteral("character"), QString(), QStringLiteral("number"));
    for (const QCommandLineOption* option :
         {&hostOption, &codeOption, &remoteOption, &joinOption, &nameOption, &characterOption})
        parser.addOption(*option);
    for (const char* name : kQtOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    // The parser needs the program's path in front; an empty list (which a
    // program can be started with) stands for the bare name.
    QStringList withProgram = arguments;
    if (withProgram.isEmpty())
        withProgram.append(programName);
    const HostAsked hostPort = takeHostPorts(withProgram);

    if (!parser.parse(withProgram))
        return usageError(programName, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(programName, QStringLiteral("unexpected argument '%1'.")
                                           .arg(parser.positionalArguments().constFirst()));

    CommandLineAnswer answer;
    if (const std::optional<QString> wrong = readComputerSeats(parser.values(computerOption), answer.computerSeats))
        return usageError(programName, *wrong);
    const bool computerSeats = parser.isSet(computerOption);
    if (const std::optional<QString> wrong =
            readNetworkOptions(parser, hostPort, codeOption, remoteOption, joinOption, nameOption, characterOption,
                               computerSeats, answer))
        return usageError(programName, *wrong);
    for (const QString& code : parser.values(languageOption)) {
        answer.language = ui::languageWithCode(code);
        if (!answer.language)
            return usageError(programName, QStringLiteral("--language: '%1' is no language: id or en.").arg(code));
    }
    if (parser.isSet(help)) {
        answer.startGame = false;
        answer.standardOutput = helpText(edition);
    } else if (parser.isSet(versionOption)) {
        answer.startGame = false;
        answer.standardOutput = QStringLiteral("%1 %2\n").arg(programName, version);
    }
    answer.mute = parser.isSet(muteOption);
    return answer;
}

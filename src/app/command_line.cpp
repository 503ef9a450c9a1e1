#include "app/command_line.h"

#include "computer/level_names.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace {

// Options QGuiApplication and QApplication read themselves: accepted here so
// that they reach Qt, and left out of --help.
const char* const kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
    "qwindowgeometry", "geometry", "qwindowicon", "icon", "qwindowtitle", "title",
    "session", "display", "name", "style", "stylesheet",
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
               "  -h, --help     Show this help and exit.\n"
               "  --language LANG\n"
               "                 Show the game in this language this time: id (Indonesian,\n"
               "                 the game's own) or en (English). The \"Bahasa\" choice on\n"
               "                 the setup window changes the language for good.\n"
               "  -v, --version  Show the program's version and exit.\n"
               "  --mute         Play without sound this time; the \"Suara\" box on the\n"
               "                 setup window turns sound on and off for good.\n"
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

    if (!parser.parse(withProgram))
        return usageError(programName, parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usageError(programName, QStringLiteral("unexpected argument '%1'.")
                                           .arg(parser.positionalArguments().constFirst()));

    CommandLineAnswer answer;
    if (const std::optional<QString> wrong = readComputerSeats(parser.values(computerOption), answer.computerSeats))
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

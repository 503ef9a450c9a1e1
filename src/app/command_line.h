#pragma once

#include "app/edition.h"
#include "computer/planner.h"
#include "ui/language.h"

#include <QString>
#include <QtGlobal>
#include <QStringList>

#include <array>
#include <optional>

// What the program's command line asks for: --help and --version, which
// answer and end the program before any window (or display) is needed;
// --computer, which presets seats of the roster for the computer; and
// --mute, which starts the game without sound; and --language, which shows
// the game in a language for this run; --host, --code, --remote, --join,
// --name and --character, which host or join a game over the network. Qt's
// own options (-platform, -display, -style, ...) are let through for
// QApplication.
struct CommandLineAnswer {
    // True when the game should start; otherwise the program ends at once
    // with exitStatus after writing the two texts.
    bool startGame = true;
    int exitStatus = 0;
    QString standardOutput;
    QString standardError;
    // The seats --computer gives to the computer, by player slot 0..3.
    std::array<std::optional<computer::Level>, 4> computerSeats{};
    // --mute: no sound in this run; the remembered choice stays as it is.
    bool mute = false;
    // --language: the language of this run; the remembered choice stays as
    // it is. Nothing: the remembered language.
    std::optional<ui::Language> language;

    // --host[=PORT]: host a game over the network on this port.
    std::optional<quint16> hostPort;
    // --code: the join code a host gives out, or the one a joining player
    // was told. Empty: a host draws one.
    QString code;
    // The seats --remote leaves to players on other machines, by slot 0..3.
    std::array<bool, 4> remoteSeats{};
    // --join HOST[:PORT]: the host to join (a name or an address) and its port.
    QString joinHost;
    std::optional<quint16> joinPort;
    // --name and --character of the player joining.
    QString playerName;
    int character = 1;

    bool hosting() const { return hostPort.has_value(); }
    bool joining() const { return joinPort.has_value(); }
};

// The longest name a player may give (as the network carries it).
inline constexpr int kLongestPlayerName = 32;

// The status for a command line the program does not understand.
inline constexpr int kUsageErrorStatus = 2;

// Reads ARGUMENTS (the program's own path first, as in argv) for the
// program of EDITION at version VERSION.
CommandLineAnswer readCommandLine(const QStringList& arguments, Edition edition, const QString& version);

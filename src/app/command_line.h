#pragma once

#include "app/edition.h"
#include "computer/planner.h"
#include "ui/language.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// What the program's command line asks for: --help and --version, which
// answer and end the program before any window (or display) is needed;
// --computer, which presets seats of the roster for the computer; and
// --mute, which starts the game without sound; and --language, which shows
// the game in a language for this run. Qt's own options (-platform,
// -display, -style, ...) are let through for QApplication.
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
};

// The status for a command line the program does not understand.
inline constexpr int kUsageErrorStatus = 2;

// Reads ARGUMENTS (the program's own path first, as in argv) for the
// program of EDITION at version VERSION.
CommandLineAnswer readCommandLine(const QStringList& arguments, Edition edition, const QString& version);

#pragma once

#include <QString>
#include <QStringList>

// What the program's command line asks for. The game has no options of its
// own that change play: only --help and --version, which answer and end the
// program before any window (or display) is needed, and --mute, which starts
// the game without sound. Qt's own options (-platform, -display, -style, ...)
// are let through for QApplication.
struct CommandLineAnswer {
    // True when the game should start; otherwise the program ends at once
    // with exitStatus after writing the two texts.
    bool startGame = true;
    int exitStatus = 0;
    QString standardOutput;
    QString standardError;
    // --mute: no sound in this run; the remembered choice stays as it is.
    bool mute = false;
};

// The status for a command line the program does not understand.
inline constexpr int kUsageErrorStatus = 2;

// Reads ARGUMENTS (the program's own path first, as in argv) for the
// program PROGRAMNAME of version VERSION.
CommandLineAnswer readCommandLine(const QStringList& arguments, const QString& programName,
                                  const QString& version);

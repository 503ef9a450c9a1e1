#pragma once

#include "app/edition.h"

#include <QString>

// Starts the game of one edition: the setup window in the program's working
// directory, which is the picture folder. Returns the exit status.
int runGame(int argc, char* argv[], Edition edition);

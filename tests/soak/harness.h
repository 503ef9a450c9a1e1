#pragma once

// What the soak and the arena share around their sessions: the words and
// numbers of their command lines, and Qt started headless.

#include "app/edition.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace harness {

// Reads a whole, non-negative number given on the command line; false for
// anything else.
bool readNumber(const char* text, long long& value);

// Reads a seed: a whole number from 0 to 4294967295.
bool readSeed(const char* text, std::uint32_t& seed);

// The editions by their command-line words, "full" and "wind".
const char* editionName(Edition edition);
std::optional<Edition> editionNamed(std::string_view name);

// Call before the QApplication is made: Qt runs on the offscreen platform
// unless QT_QPA_PLATFORM names another, and leaves out what is no news in a
// long run (the offscreen platform cannot raise windows and says so at every
// show; the game says once that it found no audio output). Everything else
// Qt says is printed to the standard error.
void prepareHeadlessQt();

} // namespace harness

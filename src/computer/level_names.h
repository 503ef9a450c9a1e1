#pragma once

#include "computer/planner.h"

#include <optional>
#include <string_view>

namespace computer {

// The levels by the words that name them on a command line: "easy",
// "medium" and "hard". The game's --computer option, the soak and the arena
// all read and write these.
const char* levelName(Level level);
std::optional<Level> levelNamed(std::string_view name);

} // namespace computer

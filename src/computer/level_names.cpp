#include "computer/level_names.h"

#include <array>

namespace computer {

namespace {

constexpr std::array<Level, 3> kLevels{Level::Easy, Level::Medium, Level::Hard};

} // namespace

const char* levelName(Level level)
{
    switch (level) {
    case Level::Easy:
        return "easy";
    case Level::Medium:
        return "medium";
    case Level::Hard:
        break;
    }
    return "hard";
}

std::optional<Level> levelNamed(std::string_view name)
{
    for (const Level level : kLevels)
        if (name == levelName(level))
            return level;
    return std::nullopt;
}

} // namespace computer

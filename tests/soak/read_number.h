#pragma once

#include <cerrno>
#include <cstdlib>

// Reads a whole, non-negative number given on the command line of the soak
// or the arena; false for anything else.
inline bool readNumber(const char* text, long long& value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || parsed < 0)
        return false;
    value = parsed;
    return true;
}

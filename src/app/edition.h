#pragma once

#include <QString>

#include <array>
#include <optional>

// Which program is running: the full game or the wind edition. Chosen by each
// program's entry point; the shared windows and handlers switch on it only
// where the editions differ.
enum class Edition {
    Full,
    Wind,
};

inline constexpr std::array<Edition, 2> kEditions{Edition::Full, Edition::Wind};

// The program that plays an edition: its command, its title and the name it
// gives in messages. The name comes from the edition, never the reverse.
inline QString programName(Edition edition)
{
    return edition == Edition::Wind ? QStringLiteral("kestrava1") : QStringLiteral("kestrava2");
}

// The edition a tool was asked for by its program name, if any.
inline std::optional<Edition> editionNamed(const QString& name)
{
    for (const Edition edition : kEditions)
        if (programName(edition) == name)
            return edition;
    return std::nullopt;
}

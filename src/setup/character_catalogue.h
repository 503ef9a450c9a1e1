#pragma once

#include <QString>
#include <array>

// The six vehicle characters a player can drive. Compiled in; consulted only
// by the character selector, which copies a character's name and statistics
// into the roster.
struct Character {
    int number;
    QString name;
    int attack;  // a shot's starting damage is Attack x 5
    int energy;  // the energy bar's maximum is 10 x Energy^2 + 70
    int speed;   // how soon the turn gauge fills
    int move;    // movement points added at each turn
};

inline const std::array<Character, 6>& characterCatalogue()
{
    static const std::array<Character, 6> catalogue{{
        {1, QStringLiteral("Guekue"), 7, 4, 6, 3},
        {2, QStringLiteral("VoTank"), 6, 8, 3, 3},
        {3, QStringLiteral("MortaCar"), 6, 5, 5, 6},
        {4, QStringLiteral("MeriSpot"), 9, 6, 3, 1},
        {5, QStringLiteral("Sireum"), 5, 4, 8, 4},
        {6, QStringLiteral("KV-Machine"), 5, 6, 6, 3},
    }};
    return catalogue;
}

inline constexpr int kCharacterCount = 6;

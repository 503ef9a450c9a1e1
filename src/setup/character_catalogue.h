#pragma once

#include <QString>
#include <array>
#include <type_traits>

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

inline const auto& characterCatalogue()
{
    static const auto catalogue = std::to_array<Character>({
        {.number = 1, .name = QStringLiteral("Guekue"), .attack = 7, .energy = 4, .speed = 6, .move = 3},
        {.number = 2, .name = QStringLiteral("VoTank"), .attack = 6, .energy = 8, .speed = 3, .move = 3},
        {.number = 3, .name = QStringLiteral("MortaCar"), .attack = 6, .energy = 5, .speed = 5, .move = 6},
        {.number = 4, .name = QStringLiteral("MeriSpot"), .attack = 9, .energy = 6, .speed = 3, .move = 1},
        {.number = 5, .name = QStringLiteral("Sireum"), .attack = 5, .energy = 4, .speed = 8, .move = 4},
        {.number = 6, .name = QStringLiteral("KV-Machine"), .attack = 5, .energy = 6, .speed = 6, .move = 3},
    });
    return catalogue;
}

// How many characters there are, and their numbers: 1 up to the count, in
// the catalogue's order.
inline constexpr int kCharacterCount =
    static_cast<int>(std::tuple_size_v<std::remove_cvref_t<decltype(characterCatalogue())>>);
inline constexpr int kFirstCharacter = 1;
inline constexpr int kLastCharacter = kFirstCharacter + kCharacterCount - 1;

#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Numbers held as text: the one place where the game turns field texts into
// numbers and numbers back into texts.
namespace numtext {

// Reads a text as a double-precision number. Leading and trailing blanks are
// allowed; a text that is not a number (empty, letters) reads as 0 instead of
// failing.
double readDouble(QStringView text);

// Rounds half to even, as the game's integer reads do (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2).
std::int64_t roundHalfEven(double value);

// Reads a text as a 16-bit or 32-bit integer, rounding half to even. A value
// beyond the nominal range keeps its value in the wider return type rather
// than failing, so a long game never stops on a large number.
std::int64_t readInt16(QStringView text);
std::int64_t readInt32(QStringView text);

// Reads a text of plain digits only (no sign, blank or point), at most
// MOST DIGITS of them, as a player types a port or a count. Anything else
// reads as nothing: such a text is refused, never guessed at.
std::optional<std::int64_t> readDigits(QStringView text, int mostDigits);

// Writes a number as its shortest decimal text without a leading blank:
// "-300", "62.5", "1965". Doubles keep up to 15 significant digits, singles 7.
QString text(double value);
QString textSingle(float value);
QString text(std::int64_t value);
inline QString text(int value) { return text(static_cast<std::int64_t>(value)); }

} // namespace numtext

#include "ui/number_text.h"

#include <cmath>
#include <limits>

namespace numtext {

double readDouble(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0.0;
    return value;
}

std::int64_t roundHalfEven(double value)
{
    // Beyond the 64-bit range no game quantity can go; clamp instead of
    // invoking undefined behaviour in the conversion.
    constexpr double kLimit = 9.0e18;
    if (value >= kLimit)
        return static_cast<std::int64_t>(kLimit);
    if (value <= -kLimit)
        return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(std::nearbyint(value)); // default mode: to nearest, ties to even
}

std::int64_t readInt16(QStringView text) { return roundHalfEven(readDouble(text)); }
std::int64_t readInt32(QStringView text) { return roundHalfEven(readDouble(text)); }

std::optional<std::int64_t> readDigits(QStringView text, int mostDigits)
{
    if (text.isEmpty() || text.size() > mostDigits || mostDigits > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

namespace {
QString shortest(double value, int significantDigits)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0"); // also turns -0 into "0"
    return QString::number(value, 'g', significantDigits);
}
} // namespace

QString text(double value) { return shortest(value, 15); }
QString textSingle(float value) { return shortest(static_cast<double>(value), 7); }
QString text(std::int64_t value) { return QString::number(value); }

} // namespace numtext

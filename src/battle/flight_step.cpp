#include "battle/flight_step.h"

#include "ui/number_text.h"

#include <cmath>

namespace flight {

namespace {

// Whole numbers of fewer digits than a text keeps come back as they were;
// only they are common enough to skip the text.
bool keptWhole(double value, double digitsLimit)
{
    return std::isfinite(value) && std::abs(value) < digitsLimit && value == std::trunc(value);
}

} // namespace

double throughText(double value)
{
    if (keptWhole(value, 1e15))
        return value + 0.0;  // a text never says "-0"
    return numtext::readDouble(numtext::text(value));
}

double throughSingleText(double value)
{
    const float single = static_cast<float>(value);
    if (keptWhole(static_cast<double>(single), 1e7))
        return static_cast<double>(single) + 0.0;
    return numtext::readDouble(numtext::textSingle(single));
}

Step step(const State& state, const Inputs& inputs)
{
    // The shell is drawn where the fields put it before they advance: one
    // tick behind them. The 16-bit reads are kept in a wider type, so that a
    // long flight goes on with the same formulas instead of failing.
    Step out;
    out.shell.left = state.t + static_cast<double>(numtext::roundHalfEven(state.left1));
    out.shell.top = static_cast<double>(numtext::roundHalfEven(state.top1) - numtext::roundHalfEven(state.offset));
    out.next = state;
    if (!(out.shell.top <= inputs.floor))
        return out;

    out.advanced = true;
    const double t = state.t + 10;
    out.next.t = throughText(t);
    out.next.offset = throughText(-(t * t) / 20);
    // The far push is worked out in single precision, the rest in double.
    const float farPush = 4.0f * inputs.far;
    const double sideways = inputs.facesRight ? state.left1 + static_cast<double>(farPush)
                                              : state.left1 - static_cast<double>(farPush);
    out.next.left1 = throughText(inputs.wind + sideways - 10);
    out.next.top1 = throughText((state.top1 + 200 - 4 * inputs.high) - inputs.lift);
    return out;
}

bool touches(const Place& shell, ui::Twips left, ui::Twips top, ui::Twips width, ui::Twips height)
{
    const auto between = [](double low, double value, double high) {
        const float v = static_cast<float>(value);
        return static_cast<float>(low) < v && v < static_cast<float>(high);
    };
    return between(left - 100, shell.left, left + width) && between(top - 100, shell.top, top + height);
}

} // namespace flight

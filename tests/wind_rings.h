#pragma once

#include <array>

// The two rings the next wind steps through, as a player sees them step by
// step, written out here on their own so that the tests and the soak check
// the game against values it does not share.
inline constexpr std::array<double, 18> kHorizontalWindRing{0,   5,   -1,  -9,  20,  -15, -25, 50, 40,
                                                            -30, -40, -60, 70,  -69, -47, 32,  34, 31};
inline constexpr std::array<double, 17> kVerticalWindRing{5,   -1,  -9, 20,  -15, -25, 50, 40, -30,
                                                          -40, -60, 70, -69, -47, 32,  34, 31};

#pragma once

#include <algorithm>
#include <cmath>

namespace ui {

// Every position and size in the game is a number of twips, kept exactly as
// the game wrote it. Pixels exist only where a widget is drawn.
using Twips = double;

inline constexpr int kTwipsPerPixel = 15;

// A field far off any screen (a shell blown away by a typed wind) keeps its
// exact twips, but is drawn at most this many pixels out, so that the pixel
// arithmetic of the widgets never overflows.
inline constexpr double kFarthestPixel = 1 << 24;

inline int toPixels(Twips t)
{
    const double pixels = t / kTwipsPerPixel;
    if (std::isnan(pixels))
        return 0;
    return static_cast<int>(std::lround(std::clamp(pixels, -kFarthestPixel, kFarthestPixel)));
}
inline Twips toTwips(int pixels) { return static_cast<Twips>(pixels) * kTwipsPerPixel; }

struct Rect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
};

// Colours are 24-bit values laid out as &HBBGGRR: blue in the high byte.
using Colour = unsigned int;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kRed = 0x0000FF;

} // namespace ui

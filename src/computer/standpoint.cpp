#include "computer/standpoint.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace computer {

namespace {

constexpr ui::Twips kSideStep = 800;
constexpr ui::Twips kUpDownStep = 900;

// The vehicle's picture on the battlefield, and its name plate too, unless
// the vehicle stands no higher than where its turn began.
bool onPicture(const Situation& s, const Standpoint& p)
{
    const ui::Twips startTop = s.vehicles[static_cast<std::size_t>(s.slot)].top;
    return p.left >= 0 && p.top >= 0 && p.top >= std::min(s.plateAbove, startTop)
           && p.left + p.width <= s.fieldWidth && p.top + p.height <= s.fieldHeight;
}

void face(const Situation& s, Standpoint& p, bool right)
{
    p.facesRight = right;
    p.width = right ? s.widthFacingRight : s.widthFacingLeft;
    p.height = right ? s.heightFacingRight : s.heightFacingLeft;
}

} // namespace

Standpoint startingStandpoint(const Situation& situation)
{
    const Vehicle& mine = situation.vehicles[static_cast<std::size_t>(situation.slot)];
    Standpoint p;
    p.left = mine.left;
    p.top = mine.top;
    p.width = mine.width;
    p.height = mine.height;
    p.facesRight = situation.facesRight;
    return p;
}

Standpoint afterPress(const Situation& situation, const Standpoint& from, Press press)
{
    Standpoint p = from;
    p.presses.push_back(press);
    const bool pointLeft = situation.movementPoints - p.steps > 0;
    switch (press) {
    case Press::Left:
    case Press::Right: {
        const bool right = press == Press::Right;
        if (p.facesRight != right) {
            face(situation, p, right);
        } else if (pointLeft) {
            p.left += right ? kSideStep : -kSideStep;
            ++p.steps;
        }
        break;
    }
    case Press::Up:
    case Press::Down:
        if (pointLeft) {
            p.top += press == Press::Down ? kUpDownStep : -kUpDownStep;
            ++p.steps;
        }
        break;
    }
    p.insidePicture = from.insidePicture && onPicture(situation, p);
    return p;
}

Standpoint afterPresses(const Situation& situation, const std::vector<Press>& presses)
{
    Standpoint p = startingStandpoint(situation);
    for (Press press : presses)
        p = afterPress(situation, p, press);
    return p;
}

int stepsAllowed(double movementPoints, int cap)
{
    // Each step needs a point left before it, so 2.5 points give three.
    if (!(movementPoints > 0))
        return 0;
    return static_cast<int>(std::min<double>(cap, std::ceil(movementPoints)));
}

std::vector<Standpoint> reachableStandpoints(const Situation& situation, int maxSteps)
{
    const int steps = std::min(maxSteps, stepsAllowed(situation.movementPoints, maxSteps));
    const Standpoint start = startingStandpoint(situation);
    std::vector<Standpoint> found;
    for (int dy = -steps; dy <= steps; ++dy) {
        for (int dx = -(steps - std::abs(dy)); dx <= steps - std::abs(dy); ++dx) {
            // Up or down first (the facing does not matter), then sideways
            // (turning first when facing away), then the facing wanted.
            Standpoint way = start;
            for (int k = 0; k < std::abs(dy); ++k)
                way = afterPress(situation, way, dy < 0 ? Press::Up : Press::Down);
            const Press side = dx > 0 ? Press::Right : Press::Left;
            if (dx != 0 && way.facesRight != (dx > 0))
                way = afterPress(situation, way, side);
            for (int k = 0; k < std::abs(dx); ++k)
                way = afterPress(situation, way, side);
            for (const bool right : {true, false}) {
                Standpoint p = way;
                if (p.facesRight != right)
                    p = afterPress(situation, p, right ? Press::Right : Press::Left);
                // The place the vehicle stands on is allowed whatever it
                // covers; everything else stays on the picture all the way.
                if (p.presses.empty() || p.insidePicture)
                    found.push_back(std::move(p));
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Standpoint& a, const Standpoint& b) {
        return a.presses.size() < b.presses.size();
    });
    return found;
}

} // namespace computer

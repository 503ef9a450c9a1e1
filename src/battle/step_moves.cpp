#include "battle/battle_window.h"

#include "app/game.h"
#include "panel/panel_window.h"
#include "ui/number_text.h"

#include <cmath>
#include <limits>
#include <optional>

// The vehicle of the player whose turn it is glides to the target in its Tag,
// one 100-twip step per tick; on arrival its panel comes back and its energy
// bar follows it.

namespace {

constexpr ui::Twips kStep = 100;
constexpr ui::Twips kBarBelowVehicle = 300;

using Position = ui::Twips (ui::Field::*)() const;
using SetPosition = void (ui::Field::*)(ui::Twips);

// A Tag read as a single-precision number. A value beyond the single range is
// kept as it is instead of overflowing.
double readSingle(const QString& text)
{
    const double value = numtext::readDouble(text);
    if (std::abs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return value;
    return static_cast<double>(static_cast<float>(value));
}

// One glide tick along one axis; returns whether the vehicle has arrived.
// A step is taken only when it brings the vehicle nearer to the target, and
// the vehicle has arrived once it is within half a step. For a target a whole
// number of steps away this is exactly "step while not there, arrive when
// equal", with the last step and the arrival in the same tick. Any other
// target ends the move on the nearest step (on a tie, the one short of the
// target) instead of stepping back and forth around it for ever.
bool glideTick(ui::Sprite& car, Position position, SetPosition setPosition)
{
    const double target = readSingle(car.tag());
    if (target < (car.*position)() - kStep / 2)
        (car.*setPosition)((car.*position)() - kStep);
    if (target > (car.*position)() + kStep / 2)
        (car.*setPosition)((car.*position)() + kStep);
    return std::abs(target - (car.*position)()) <= kStep / 2;
}

// One glide tick of the vehicle of the player whose turn it is. On arrival
// the glide stops and the player's panel comes back; returns the slot of the
// vehicle that arrived.
std::optional<int> glideTurnVehicle(Game& game, BattleWindow& battle, ui::Timer& glide, Position position,
                                    SetPosition setPosition)
{
    const std::optional<int> k = game.turnSlot();
    if (!k || !glideTick(*battle.vehicle[*k], position, setPosition))
        return std::nullopt;
    game.player(*k).show();
    glide.stop();
    return k;
}

} // namespace

void BattleWindow::verticalGlideTick()
{
    // Arrived: the bar settles below the vehicle.
    if (const std::optional<int> k = glideTurnVehicle(game_, *this, Timer3, &ui::Field::top, &ui::Field::setTop))
        energyBar[*k]->setTop(vehicle[*k]->top() + vehicle[*k]->height() + kBarBelowVehicle);
}

void BattleWindow::horizontalGlideTick()
{
    // Arrived: the bar lines up with the vehicle.
    if (const std::optional<int> k = glideTurnVehicle(game_, *this, Timer4, &ui::Field::left, &ui::Field::setLeft))
        energyBar[*k]->setLeft(vehicle[*k]->left());
}

// The camera keeps the action in sight. While the setup window's "Kamera
// ikut" box is ticked, the view glides to the vehicle whose turn it is
// whenever that vehicle is not wholly in view, and keeps the shell in view
// while it flies over the battlefield. A scroll by hand (an edge button, or
// the key C) rests the camera until the next turn. C centres the view on the
// vehicle whose turn it is, ticked or not.
//
// The camera moves the battlefield under the window, as the edge buttons do,
// but never past the battlefield's edges: where it leaves the view, the
// battlefield covers all of it (a battlefield smaller than the window stays at
// its top left corner). Its state is two hidden labels, so that its timer can
// sleep: kamera1 says what it does (words::camera...), kamera2 holds the turn
// marker it saw last, so that it notices a new turn.

#include "battle/battle_window.h"

#include "app/game.h"
#include "setup/roster_window.h"
#include "ui/number_text.h"

#include <algorithm>
#include <cmath>

namespace {

using ui::Twips;

// The shell is kept this far inside the view's edges, to see where it goes.
constexpr Twips kShellMargin = 600;
// A glide covers a quarter of the way left each tick, and at least a pixel:
// from anywhere on a battlefield of several screens it arrives within half a
// second.
constexpr double kGlideShare = 0.25;
constexpr Twips kSmallestGlide = 15;
// A shot starts at t = -300; its first tick draws the shell at the launch
// reference high above the shooter, before the arc brings it down. The
// camera follows from the second tick.
constexpr double kFirstArcT = -280;

Twips glideToward(Twips from, Twips to)
{
    const Twips way = to - from;
    if (std::abs(way) <= kSmallestGlide)
        return to;
    return from + std::copysign(std::max(kSmallestGlide, std::round(std::abs(way) * kGlideShare)), way);
}

// Where `place` must move for the span [low, low + size) to lie within
// [margin, view - margin); no move when it does already.
Twips shiftToShow(Twips low, Twips size, Twips view, Twips margin)
{
    if (low < margin)
        return margin - low;
    if (low + size > view - margin)
        return (view - margin) - (low + size);
    return 0;
}

} // namespace

bool BattleWindow::cameraFollows() { return game_.Form1().Kamera.checked(); }

Twips BattleWindow::viewLeftWithin(Twips left) const
{
    return std::clamp(left, std::min(0.0, clientWidth() - Picture1.width()), 0.0);
}

Twips BattleWindow::viewTopWithin(Twips top) const
{
    return std::clamp(top, std::min(0.0, clientHeight() - Picture1.height()), 0.0);
}

// The battlefield's place that centres the vehicle whose turn it is, as near
// as the battlefield's edges allow; nothing when no vehicle has the turn.
std::optional<std::pair<Twips, Twips>> BattleWindow::viewCentredOnTurn()
{
    const std::optional<int> slot = game_.turnSlot();
    if (!slot)
        return std::nullopt;
    const ui::Sprite& car = *vehicle[static_cast<std::size_t>(*slot)];
    if (!car.visible())
        return std::nullopt;
    return std::make_pair(viewLeftWithin(clientWidth() / 2 - (car.left() + car.width() / 2)),
                          viewTopWithin(clientHeight() / 2 - (car.top() + car.height() / 2)));
}

// Whether the vehicle whose turn it is lies wholly inside the window.
bool BattleWindow::turnVehicleInView()
{
    const std::optional<int> slot = game_.turnSlot();
    if (!slot)
        return true;
    const ui::Sprite& car = *vehicle[static_cast<std::size_t>(*slot)];
    if (!car.visible())
        return true;
    return shiftToShow(Picture1.left() + car.left(), car.width(), clientWidth(), 0) == 0
           && shiftToShow(Picture1.top() + car.top(), car.height(), clientHeight(), 0) == 0;
}

// One glide step of the view towards the battlefield's place (left, top);
// whether it has arrived.
bool BattleWindow::glideView(Twips left, Twips top)
{
    Picture1.move(glideToward(Picture1.left(), left), glideToward(Picture1.top(), top));
    return Picture1.left() == left && Picture1.top() == top;
}

void BattleWindow::keepShellInView()
{
    if (numtext::readDouble(Text1.text()) < kFirstArcT)
        return;
    const Twips left = Image1.left();
    const Twips top = Image1.top();
    const bool overBattlefield = left >= 0 && top >= 0 && left + Image1.width() <= Picture1.width()
                                 && top + Image1.height() <= Picture1.height();
    if (!overBattlefield)
        return;
    const Twips across = shiftToShow(Picture1.left() + left, Image1.width(), clientWidth(), kShellMargin);
    const Twips down = shiftToShow(Picture1.top() + top, Image1.height(), clientHeight(), kShellMargin);
    if (across != 0 || down != 0)
        Picture1.move(viewLeftWithin(Picture1.left() + across), viewTopWithin(Picture1.top() + down));
}

void BattleWindow::cameraTick()
{
    const bool following = cameraFollows();
    QString mode = kamera1.caption();

    if (following) {
        // A new turn: the camera follows again, whatever it did before.
        const QString marker = game_.turnMarker();
        if (kamera2.caption() != marker) {
            kamera2.setCaption(marker);
            mode = words::cameraFollows();
        }
        if (mode == words::cameraOff())
            mode = words::cameraFollows();
    } else if (mode != words::cameraCentres()) {
        // Only a centring runs with the box clear.
        mode = words::cameraOff();
    }

    if (mode == words::cameraFollows()) {
        if (Timer1.enabled()) {
            keepShellInView();
        } else if (!turnVehicleInView()) {
            const auto goal = viewCentredOnTurn();
            if (goal && (goal->first != Picture1.left() || goal->second != Picture1.top()))
                mode = words::cameraSeeks();
        }
    }

    if (mode == words::cameraSeeks() || mode == words::cameraCentres()) {
        const auto goal = viewCentredOnTurn();
        const bool arrived = !goal || glideView(goal->first, goal->second);
        if (arrived) {
            if (mode == words::cameraSeeks())
                mode = words::cameraFollows();
            else
                mode = following ? words::cameraRests() : words::cameraOff();
        }
    }

    kamera1.setCaption(mode);
    if (mode == words::cameraOff())
        kamera.stop();
}

void BattleWindow::CentreOnTurn()
{
    // The centring takes over from a scroll by the edge buttons, and from the
    // camera's following for the rest of this turn.
    scrol1.setCaption(words::noScroll());
    if (cameraFollows())
        kamera2.setCaption(game_.turnMarker());
    kamera1.setCaption(words::cameraCentres());
    kamera.start();
}

void BattleWindow::FollowTurns(bool follow)
{
    if (follow) {
        kamera2.setCaption(game_.turnMarker());
        kamera1.setCaption(words::cameraFollows());
        kamera.start();
    } else {
        kamera1.setCaption(words::cameraOff());
        kamera.stop();
    }
}

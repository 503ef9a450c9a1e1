#include "battle/battle_window.h"

#include "app/game.h"
#include "app/game_words.h"
#include "edition1/wind_end_shot.h"
#include "panel/panel_window.h"
#include "ui/number_text.h"

namespace {

// The hit test compares in single precision, as the vehicle boxes are kept.
bool between(double low, double value, double high)
{
    const float v = static_cast<float>(value);
    return static_cast<float>(low) < v && v < static_cast<float>(high);
}

} // namespace

void BattleWindow::flightTick()
{
    // Place the shell where the flight fields put it, before they advance:
    // the shell is drawn one tick behind its fields. The 16-bit quantities are
    // read into a wider type so that a long flight keeps the same formulas
    // instead of failing.
    Image1.setLeft(numtext::readDouble(Text1.text()) + static_cast<double>(numtext::readInt16(left1.text())));
    Image1.setTop(static_cast<double>(numtext::readInt16(top1.text()) - numtext::readInt16(Text2.text())));

    // Advance the flight while the shell is above the floor.
    if (Image1.top() <= flightFloor()) {
        const double t = numtext::readDouble(Text1.text()) + 10;
        Text1.setText(numtext::text(t));
        Text2.setText(numtext::text(-(t * t) / 20));

        const double wind = numtext::readDouble(Text3.text());
        const float farPush = 4.0f * ProgressBar1.value();
        const double left = numtext::readDouble(left1.text());
        if (lr.caption() == words::right())
            left1.setText(numtext::text(wind + (left + static_cast<double>(farPush)) - 10));
        else
            left1.setText(numtext::text(wind + (left - static_cast<double>(farPush)) - 10));

        const double high = static_cast<double>(Slider1.value());
        const double lift = numtext::readDouble(Text4.text());
        top1.setText(numtext::text((numtext::readDouble(top1.text()) + 200 - 4 * high) - lift));
    }

    // The shot ends below the floor once no explosion is pending. The rest of
    // the tick still runs, on the fields the end of the shot has reset.
    if (!beledug.enabled())
        EndShot();

    // The damage labels ride above their vehicles.
    for (std::size_t k = 0; k < 4; ++k)
        damageLabel[k]->move(vehicle[k]->left(), vehicle[k]->top() - damageLabel[k]->height());

    // The shot grows stronger while the shell is within the window's height,
    // before the hit test, so that a hit carries this tick's growth.
    if (Image1.top() <= outerHeight())
        damage.setCaption(numtext::text(numtext::readDouble(damage.caption()) + 1));

    // Hit test against every vehicle in the match, in slot order.
    const double shellLeft = Image1.left();
    const double shellTop = Image1.top();
    for (std::size_t k = 0; k < 4; ++k) {
        const ui::Sprite& target = *vehicle[k];
        if (!target.visible())
            continue;
        if (between(target.left() - 100, shellLeft, target.left() + target.width())
            && between(target.top() - 100, shellTop, target.top() + target.height())) {
            damageLabel[k]->setCaption(damage.caption());
            game_.sound().shellTouches(static_cast<int>(k));
            duar.move(target.left(), target.top());
            beledug.start();
        }
    }
}

void BattleWindow::EndShot()
{
    // Nothing to end while the shell is still above the floor.
    if (Image1.top() <= flightFloor())
        return;

    // Reset the flight.
    Text1.setText(QStringLiteral("-300"));
    left1.setText(QStringLiteral("400"));
    Text2.setText(QStringLiteral("0"));

    // Empty the powers.
    Slider1.setValue(Slider1.minimum());
    ProgressBar1.setValue(ProgressBar1.minimum());

    // The next wind becomes the current one.
    Text3.setText(Text7.text());
    Text4.setText(Text8.text());

    // Hand the turn on: to the turn scheduler, or in the wind edition to the
    // next player in the rotation.
    if (windEdition()) {
        windedition::passTurnInRotation(game_);
    } else {
        game_.setTurnMarker(QStringLiteral("-1"));
        timersp.start();
    }

    // Nobody aims between shots.
    for (int slot = 0; slot < 4; ++slot)
        game_.player(slot).hide();

    // Show the new wind, now that it is the current one.
    if (windEdition())
        windedition::writeEndShotWindTexts(*this);
    else
        WriteWindText();

    // The flight is over.
    Timer1.stop();
}

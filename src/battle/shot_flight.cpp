#include "battle/battle_window.h"

#include "app/game.h"
#include "app/game_words.h"
#include "battle/flight_step.h"
#include "edition1/wind_end_shot.h"
#include "panel/panel_window.h"
#include "ui/number_text.h"

void BattleWindow::flightTick()
{
    // One tick of the shared flight arithmetic on the numbers the flight
    // fields hold; the fields are written back only when the flight advances.
    const flight::State state{
        .t = numtext::readDouble(Text1.text()),
        .offset = numtext::readDouble(Text2.text()),
        .left1 = numtext::readDouble(left1.text()),
        .top1 = numtext::readDouble(top1.text()),
    };
    const flight::Inputs inputs{
        .wind = numtext::readDouble(Text3.text()),
        .lift = numtext::readDouble(Text4.text()),
        .far = ProgressBar1.value(),
        .high = static_cast<double>(Slider1.value()),
        .facesRight = shotFacing() == words::Facing::Right,
        .floor = flightFloor(),
    };
    const flight::Step step = flight::step(state, inputs);
    Image1.move(step.shell.left, step.shell.top);
    if (step.advanced) {
        Text1.setText(numtext::text(step.next.t));
        Text2.setText(numtext::text(step.next.offset));
        left1.setText(numtext::text(step.next.left1));
        top1.setText(numtext::text(step.next.top1));
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
        if (flight::touches({shellLeft, shellTop}, target.left(), target.top(), target.width(), target.height())) {
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
        // The turn has come for the next player even while their panel
        // waits for the pointer: the chime says so now.
        windedition::passTurnInRotation(game_);
        game_.sound().turnPasses();
    } else {
        game_.setTurnMarker(words::betweenTurns());
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

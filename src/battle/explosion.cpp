// The explosion: one `beledug` tick, a second after a shell touched a vehicle,
// settles the damage, the kills, the points and the winner.

#include "battle/battle_window.h"

#include "app/game.h"
#include "edition1/wind_turn_skip.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "ui/message_box.h"
#include "ui/number_text.h"

void BattleWindow::explosionTick()
{
    // Take the explosion off the field.
    duar.setLeft(-900);

    creditShooterWithDamage();
    settleDamageAndKills();
    declareLastSurvivorWinner();

    // Each enabling settles exactly one explosion.
    beledug.stop();
}

// Credit the shooter with the damage dealt to the other players; damage to
// its own vehicle counts neither way.
void BattleWindow::creditShooterWithDamage()
{
    if (const std::optional<int> shooter = game_.turnSlot()) {
        ui::Label& score = game_.player(*shooter).score1;
        double credited = static_cast<double>(numtext::readInt16(score.caption()));
        for (int other = 0; other < 4; ++other)
            if (other != *shooter)
                credited += numtext::readDouble(damageLabel[other]->caption());
        score.setCaption(numtext::text(credited));
    }
}

// Take the damage off each living vehicle; below 1 energy it is destroyed.
void BattleWindow::settleDamageAndKills()
{
    for (int victim = 0; victim < 4; ++victim) {
        ui::Sprite& car = *vehicle[victim];
        if (!car.visible())
            continue;
        ui::ProgressBar& energy = *energyBar[victim];
        ui::Label& label = *damageLabel[victim];
        const double remaining = static_cast<double>(energy.value()) - numtext::readDouble(label.caption());

        if (remaining >= 1) {
            label.move(car.left(), car.top() - label.height());
            energy.setValue(static_cast<float>(remaining));
            continue;
        }

        car.hide();
        energy.setValue(0);
        car.setTop(-car.height());
        game_.sound().vehicleDestroyed();

        // The marker is read afresh for every victim: ending the shot after a
        // self-destruction may rewrite it.
        const std::optional<int> shooter = game_.turnSlot();
        if (shooter && *shooter != victim) {
            ui::Label& killerScore = game_.player(*shooter).score1;
            killerScore.setCaption(numtext::text(numtext::readInt16(killerScore.caption()) + 50));
            ui::showDesignedMessage(
                QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "%1 dihancurkan sampai lenyap oleh %2. Score 50 poin")),
                {game_.player(victim).caption(), game_.player(*shooter).caption()});
        }
        // The wind edition remembers who lost a vehicle first: that player
        // opens the next match.
        if (game_.windEdition())
            windedition::recordFirstDestroyed(game_, victim);
        if (shooter == victim)
            EndShot();
    }
}

// One vehicle left: its owner wins the match.
void BattleWindow::declareLastSurvivorWinner()
{
    static constexpr int kWinnerTestOrder[4] = {1, 0, 2, 3};
    for (const int winner : kWinnerTestOrder) {
        bool onlyWinnerAlive = vehicle[winner]->visible();
        for (int other = 0; other < 4 && onlyWinnerAlive; ++other)
            if (other != winner && vehicle[other]->visible())
                onlyWinnerAlive = false;
        if (!onlyWinnerAlive)
            continue;

        game_.sound().winnerDeclared();
        ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Pemenang: %1")),
                                {game_.player(winner).caption()});
        ui::Label& score = game_.player(winner).score1;
        score.setCaption(numtext::text(numtext::readDouble(score.caption())
                                       + static_cast<double>(energyBar[winner]->value())));
        for (const int panel : {1, 0, 2, 3})
            game_.player(panel).hide();
        game_.Score().show();
        Frame3.show();
    }
}

// The turn scheduler: every living player's turn gauge fills one step per
// tick; a full gauge hands its player the turn. Only the full game runs it:
// the wind edition passes turns in a fixed rotation and never starts timersp.

#include "battle/battle_window.h"

#include "app/game.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"
#include "ui/number_text.h"

void BattleWindow::schedulerTick()
{
    // Show the gauges as they stand before this tick's filling.
    QString readout;
    for (int k = 0; k < 4; ++k) {
        if (k > 0)
            readout += QLatin1Char(' ');
        readout += QStringLiteral("Player") + numtext::text(k + 1) + QLatin1Char('=')
                   + numtext::textSingle(turnGauge[k]->value());
    }
    frame5.setCaption(readout);

    // Fill the gauges of the living players.
    for (int k = 0; k < 4; ++k) {
        ui::ProgressBar& gauge = *turnGauge[k];
        if (gauge.maximum() > gauge.value() && vehicle[k]->visible())
            gauge.setValue(gauge.value() + 1.0f);
    }

    // A full gauge hands its player the turn, alive or not; it stays full
    // until that player fires. Gauges full together hand the turn over once
    // each, and all of that is one passing of the turn.
    bool handedOver = false;
    for (int k = 0; k < 4; ++k) {
        if (turnGauge[k]->value() != turnGauge[k]->maximum())
            continue;
        handedOver = true;
        game_.setTurnMarker(numtext::text(k));
        game_.player(k).show();
        timersp.stop();
        ui::Label& movePoints = game_.player(k).Label3;
        const double move = numtext::readDouble(game_.setup().move[k]->text());
        movePoints.setCaption(
            numtext::text(move + static_cast<double>(numtext::readInt16(movePoints.caption()))));
    }
    if (handedOver)
        game_.sound().turnPasses();
}

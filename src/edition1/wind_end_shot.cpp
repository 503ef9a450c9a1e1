#include "edition1/wind_end_shot.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "ui/number_text.h"

namespace windedition {

namespace {

// The slot whose player receives the movement points of a new turn: the
// marked player when their vehicle is in the match, otherwise player 1.
std::optional<int> slotGrantedPoints(Game& game)
{
    BattleWindow& battle = game.Battle();
    const std::optional<int> marked = game.turnSlot();
    if (marked && game.Form1().playerTakesPart(*marked) && battle.vehicle[*marked]->visible())
        return marked;
    if (battle.vehicle[0]->visible())
        return 0;
    return std::nullopt;
}

} // namespace

void passTurnInRotation(Game& game)
{
    // The rotation counts on from the marker read as a whole number, not from
    // the player it names: "-1" passes the turn to player 1 and "2.5" rounds
    // to 2. The setup window's title holds the number of players of the
    // match; a marker at or past it starts the round again.
    const std::int64_t marker = numtext::readInt16(game.turnMarker());
    const std::int64_t players = game.Form1().playerCount();
    const std::int64_t next = marker < players ? marker + 1 : 0;
    game.setTurnMarker(numtext::text(next));

    if (const std::optional<int> slot = slotGrantedPoints(game)) {
        ui::Label& points = game.player(*slot).Label3;
        points.setCaption(numtext::text(numtext::readDouble(points.caption()) + 3));
    }
}

void writeEndShotWindTexts(BattleWindow& battle)
{
    // A negative horizontal wind reads "<==" with no blank before the number;
    // WriteWindText says why it differs from the score button's "<== ".
    const QString sideways = battle.Text3.text();
    const double w = numtext::readDouble(sideways);
    if (w > 0)
        battle.Label5.setCaption(sideways + QStringLiteral(" ==>"));
    else if (w < 0)
        battle.Label5.setCaption(QStringLiteral("<==") + sideways);
    else
        battle.Label5.setCaption(sideways);

    const QString upwards = battle.Text4.text();
    const double v = numtext::readDouble(upwards);
    if (v > 0)
        battle.Label6.setCaption(upwards + QStringLiteral(" /\\"));
    else if (v < 0)
        battle.Label6.setCaption(numtext::text(numtext::roundHalfEven(-v)) + QStringLiteral(" \\/"));
    else
        battle.Label6.setCaption(upwards);
}

} // namespace windedition

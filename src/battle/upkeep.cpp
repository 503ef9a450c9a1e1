#include "battle/battle_window.h"

#include "app/game.h"
#include "panel/panel_window.h"

#include <QLatin1String>

// Field upkeep, at every tick of the clock (every 16 ms, the finest the
// game's timers tick): the scroll buttons follow the window's size, empty
// tags become 0, the title shows the turn marker, damage labels rise away
// once the shot is over, and the turn gauges sit under the energy bars. The
// wind edition has no scroll buttons and no turn gauges. This runs
// constantly, so it only reads fields and sets values (setting an unchanged
// value costs nothing).

namespace {
constexpr ui::Twips kLabelRise = 50;
}

void BattleWindow::upkeepTick()
{
    const bool fullGame = !windEdition();

    // Scroll buttons along the window's edges.
    if (fullGame) {
        const ui::Twips width = outerWidth();
        const ui::Twips height = outerHeight();
        frame4.setLeft(width - frame4.width());
        frame6.setTop(height - 2 * frame6.height());
        frame4.setHeight(height);
        frame1.setHeight(height);
        frame5.setWidth(width);
        frame6.setWidth(width);
    }

    // Empty tags read as 0: the vehicles' move targets, then the turn marker.
    for (ui::Sprite* car : vehicle)
        if (car->tag().isEmpty())
            car->setTag(QStringLiteral("0"));
    if (game_.turnMarker().isEmpty())
        game_.setTurnMarker(words::firstTurn());

    // The title shows whose turn it is.
    setCaption(game_.turnMarker());

    // Damage labels rise once the shell and the explosion are done, until
    // they have left the top of the battlefield.
    if (!Timer1.enabled() && !beledug.enabled()) {
        for (ui::Label* label : damageLabel)
            if (label->top() + label->height() > 0)
                label->setTop(label->top() - kLabelRise);
    }

    // A damage of 0 is not shown.
    for (ui::Label* label : damageLabel)
        label->setVisible(label->caption() != QLatin1String("0"));

    // Each turn gauge directly below its player's energy bar.
    if (fullGame) {
        for (std::size_t k = 0; k < gaugeHolder.size(); ++k) {
            const ui::ProgressBar& bar = *energyBar[k];
            gaugeHolder[k]->move(bar.left(), bar.top() + bar.height());
        }
    }
}

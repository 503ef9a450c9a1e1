// What must hold after every event of a soak, whatever the player did:
//
// Windows and fields
//  - Each window kind (Form1, Battle, a panel, Score) always lists the same
//    number of fields and timers as when it was first seen; every listed field
//    belongs to that window (its container's window is it, its widget sits in
//    that window's widget). A stale or dangling entry fails here (or under the
//    address sanitizer, on the access).
//  - Every field is drawn where the game holds it (its twips rounded to
//    pixels) and is shown and enabled on the screen exactly as in the game.
//  - Every progress bar has finite ends and a value that is not NaN and lies
//    between its ends.
//  - The setup window's guide-line scale stays within 0..100 (only a drag
//    changes it). In the full game, a selector bar holds a value in its range
//    or the statistic of its row (a statistic beyond the bar is kept).
//
// Turn marker (the Tag of player1, checked once that panel exists)
//  - Always exactly the text of a whole number, never empty: "-1" (between
//    shots) or "0".."3" in the full game; "0".."4" in the wind edition, where
//    the rotation after the last of four players writes 4 and the next
//    pointer move over the battlefield wraps it to 0. Empty never happens:
//    only numbers are written, so the upkeep's repair of an empty marker is
//    never needed.
//
// Battle window
//  - Once a "Start" reached this battle window, every shown vehicle has a
//    picture.
//  - A shown vehicle (one still in the match) has at least 1 energy: the
//    explosion destroys a vehicle whose energy falls below 1.
//  - The shot's damage and the four damage labels are always number texts;
//    so are the flight parameter t and the parabola offset, and, once a fire
//    button was pressed on this window, the launch point (left1, top1: their
//    design texts are names, not numbers).
//  - The next wind is always a value of its ring.
//  - The shooter's facing is "kanan" or "kiri"; the scroll direction is "no",
//    "kiri", "kanan", "atas" or "bawah".
//
// Panels
//  - The fire button reads "tembak", "far ok" or "high ok"; the facing is
//    "kanan" or "kiri"; the movement points are a number text.
//
// Computer players (--computers)
//  - A computer's turn never stalls: from its start to the shell leaving it
//    takes at most kComputerTurnLimit ticks of the computer players' pace,
//    whatever pointer events go on around it.
//
// Messages (checked as they are shown)
//  - A kill names the victim's and the shooter's panel titles, the victim's
//    vehicle already gone; a winner message names the title of the only
//    vehicle left; "Draw!" comes only with no vehicle left; an unreadable
//    picture names its file. Nothing else is ever shown.

#include "soak_driver.h"
#include "wind_rings.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "computer/computer_player.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"
#include "setup/setup_window.h"
#include "ui/controls.h"
#include "ui/number_text.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// A number text as the game writes them: parses completely, finite.
bool isNumberText(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

std::string quoted(const QString& text)
{
    QString shown = text.left(40);
    if (text.size() > 40)
        shown += QStringLiteral("...");
    return "\"" + shown.toStdString() + "\"";
}

// A computer's turn takes a few dozen pace ticks: the pauses, the glides of
// at most four steps and the two gauges. In a soak the pace may tick far
// more often than the gauges and glides; still, this many means a stall.
constexpr int kComputerTurnLimit = 3000;

template <std::size_t N>
bool onRing(const std::array<double, N>& ring, const QString& text)
{
    if (!isNumberText(text))
        return false;
    const double value = text.toDouble();
    return std::find(ring.begin(), ring.end(), value) != ring.end();
}


} // namespace

void Soak::violation(const std::string& what)
{
    std::fprintf(stderr, "\nSOAK INVARIANT VIOLATED: %s\n", what.c_str());
    printLastEvents();
    std::fflush(stdout);
    // No unwinding through the game's handlers, no leak report of the live game.
    std::_Exit(1);
}

void Soak::printLastEvents() const
{
    std::fprintf(stderr, "edition %s, seed %u, event %lld of %lld\n",
                 options_.edition == Edition::Wind ? "wind" : "full", options_.seed, eventNumber_, options_.events);
    std::fprintf(stderr, "last events (oldest first):\n");
    for (std::size_t i = 0; i < kHistory; ++i) {
        const std::string& entry = history_[(historyNext_ + i) % kHistory];
        if (!entry.empty())
            std::fprintf(stderr, "  %s\n", entry.c_str());
    }
    std::fprintf(stderr, "Replay with: kestrava_soak --edition %s --seed %u --events %lld --trace\n",
                 options_.edition == Edition::Wind ? "wind" : "full", options_.seed, eventNumber_);
    std::fflush(stderr);
}

void Soak::checkInvariants()
{
    Game& g = *game_;

    // Follow the battle window: a new one forgets what the old one saw.
    const BattleWindow* battle = g.battleExists() ? &g.Battle() : nullptr;
    if (battle != seenBattle_) {
        seenBattle_ = battle;
        flightWasOn_ = explosionWasOn_ = false;
    }
    if (startedBattle_ != battle)
        startedBattle_ = nullptr;
    if (firedBattle_ != battle)
        firedBattle_ = nullptr;

    if (battle) {
        BattleWindow& b = g.Battle();
        // Launches and explosions, and which powers hit.
        const bool flightOn = b.Timer1.enabled();
        if (flightOn && !flightWasOn_) {
            ++figures_.shotsFired;
            ++shotsThisMatch_;
            eventsSinceProgress_ = 0;
        }
        flightWasOn_ = flightOn;
        const bool explosionOn = b.beledug.enabled();
        if (explosionOn && !explosionWasOn_)
            ++figures_.hits;
        explosionWasOn_ = explosionOn;
    }

    for (const LiveWindow& live : liveWindows())
        checkWindowFields(live);
    checkSetup();

    if (g.panelExists(0)) {
        const QString marker = g.turnMarker();
        static const QStringList kFull = {words::betweenTurns(), words::firstTurn(), QStringLiteral("1"),
                                          QStringLiteral("2"), QStringLiteral("3")};
        static const QStringList kWind = {words::firstTurn(), QStringLiteral("1"), QStringLiteral("2"),
                                          QStringLiteral("3"), QStringLiteral("4")};
        const QStringList& allowed = g.windEdition() ? kWind : kFull;
        if (!allowed.contains(marker))
            violation("turn marker is " + quoted(marker));
        if (!std::isfinite(numtext::readDouble(marker)))
            violation("turn marker does not read as a finite number");
    }

    if (battle)
        checkBattle(g.Battle());
    for (int k = 0; k < 4; ++k)
        if (g.panelExists(k))
            checkPanel(k == 0 ? "player1" : k == 1 ? "player2" : k == 2 ? "player3" : "player4", g.player(k));
    if (computersPlay())
        checkComputer();
}

void Soak::checkComputer()
{
    if (!game_->computerExists())
        return;
    const computer::ComputerWindow& players = game_->Computer();
    const long long ticks = players.turnTicks();
    figures_.longestComputerTurn = std::max(figures_.longestComputerTurn, ticks);
    if (ticks > kComputerTurnLimit)
        violation("the computer's turn of player " + std::to_string(players.actingSlot().value_or(-1) + 1)
                  + " has gone on for " + std::to_string(ticks) + " pace ticks without a launch");
}

void Soak::checkWindowFields(const LiveWindow& live)
{
    ui::Window& w = *live.window;
    const std::string kind = std::string(live.name).rfind("player", 0) == 0 ? "panel" : live.name;
    const auto shape = std::make_pair(w.fields().size(), w.timers().size());
    const auto known = windowShape_.find(kind);
    if (known == windowShape_.end())
        windowShape_.emplace(kind, shape);
    else if (known->second != shape)
        violation(std::string(live.name) + " lists " + std::to_string(shape.first) + " fields and "
                  + std::to_string(shape.second) + " timers, first seen with " + std::to_string(known->second.first)
                  + " and " + std::to_string(known->second.second));

    std::size_t index = 0;
    for (ui::Field* field : w.fields()) {
        // Named only when something is wrong: the check runs after every event.
        const std::size_t number = index++;
        const auto where = [&live, number] { return std::string(live.name) + ".field[" + std::to_string(number) + "]"; };
        if (!field)
            violation(where() + " is null");
        if (&field->container().window() != &w)
            violation(where() + " belongs to another window");
        QWidget* widget = field->widget();
        if (!widget)
            violation(where() + " has lost its widget");
        if (widget->window() != w.widget())
            violation(where() + "'s widget is not inside its window");
        // The screen shows the field as the game holds it.
        const ui::Rect& r = field->rect();
        const QRect drawn(ui::toPixels(r.left), ui::toPixels(r.top),
                          std::min(QWIDGETSIZE_MAX, std::max(0, ui::toPixels(r.width))),
                          std::min(QWIDGETSIZE_MAX, std::max(0, ui::toPixels(r.height))));
        if (widget->geometry() != drawn)
            violation(where() + " is drawn at " + std::to_string(widget->x()) + "," + std::to_string(widget->y()) + " "
                      + std::to_string(widget->width()) + "x" + std::to_string(widget->height()) + ", not at its "
                      + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.width) + "x"
                      + std::to_string(r.height) + " twips");
        if (widget->isVisibleTo(widget->parentWidget()) != field->visible())
            violation(where() + (field->visible() ? " is hidden on the screen but shown in the game"
                                                : " is shown on the screen but hidden in the game"));
        // Enabled, as the game reads it, exactly when its widget's own flag
        // and its container are.
        auto* holder = dynamic_cast<ui::Field*>(&field->container());
        const bool containerEnabled = holder ? holder->isEnabled() : w.widget()->isEnabled();
        if (field->isEnabled() != (widget->isEnabledTo(widget->parentWidget()) && containerEnabled))
            violation(where() + (field->isEnabled() ? " is enabled" : " is disabled")
                      + " against its own flag and its container's");
        if (auto* bar = dynamic_cast<ui::ProgressBar*>(field)) {
            const float low = std::min(bar->minimum(), bar->maximum());
            const float high = std::max(bar->minimum(), bar->maximum());
            if (!std::isfinite(bar->minimum()) || !std::isfinite(bar->maximum()))
                violation(where() + " progress bar has an end that is not finite: " + std::to_string(bar->minimum())
                          + ".." + std::to_string(bar->maximum()));
            if (std::isnan(bar->value()) || bar->value() < low || bar->value() > high)
                violation(where() + " progress bar value " + std::to_string(bar->value()) + " outside "
                          + std::to_string(low) + ".." + std::to_string(high));
        }
    }
}

void Soak::checkSetup()
{
    RosterWindow& form = game_->Form1();
    if (form.Slider1.value() < 0 || form.Slider1.value() > 100)
        violation("guide-line scale is " + std::to_string(form.Slider1.value()));
    if (game_->windEdition())
        return;
    SetupWindow& setup = game_->setup();
    const std::pair<ui::Slider*, ui::TextField*> rows[4] = {
        {&setup.Slider2, &setup.at1}, {&setup.Slider3, &setup.df1}, {&setup.Slider4, &setup.sp1}, {&setup.Slider5, &setup.mo1}};
    for (const auto& [bar, statistic] : rows) {
        const int value = bar->value();
        if (value >= bar->minimum() && value <= bar->maximum())
            continue;
        if (value != numtext::readInt32(statistic->text()))
            violation("selector bar at " + std::to_string(value) + " beyond its range, statistic "
                      + quoted(statistic->text()));
    }
}

void Soak::checkBattle(BattleWindow& b)
{
    for (std::size_t k = 0; k < 4; ++k) {
        if (!b.vehicle[k]->visible())
            continue;
        if (startedBattle_ == &b && b.vehicle[k]->picture().isNull())
            violation("vehicle of player " + std::to_string(k + 1) + " is shown without a picture");
        if (b.energyBar[k]->value() < 1)
            violation("vehicle of player " + std::to_string(k + 1) + " is still in the match with energy "
                      + std::to_string(b.energyBar[k]->value()));
    }
    if (!isNumberText(b.damage.caption()))
        violation("shot damage is " + quoted(b.damage.caption()));
    for (std::size_t k = 0; k < 4; ++k)
        if (!isNumberText(b.damageLabel[k]->caption()))
            violation("damage label of player " + std::to_string(k + 1) + " is " + quoted(b.damageLabel[k]->caption()));
    if (!isNumberText(b.Text1.text()))
        violation("flight parameter Text1 is " + quoted(b.Text1.text()));
    if (!isNumberText(b.Text2.text()))
        violation("parabola offset Text2 is " + quoted(b.Text2.text()));
    if (firedBattle_ == &b) {
        if (!isNumberText(b.left1.text()))
            violation("launch point left1 is " + quoted(b.left1.text()));
        if (!isNumberText(b.top1.text()))
            violation("launch point top1 is " + quoted(b.top1.text()));
    }
    if (!onRing(kHorizontalWindRing, b.Text7.text()))
        violation("next horizontal wind is " + quoted(b.Text7.text()));
    if (!onRing(kVerticalWindRing, b.Text8.text()))
        violation("next vertical wind is " + quoted(b.Text8.text()));
    if (!b.shotFacing())
        violation("shooter's facing is " + quoted(b.lr.caption()));
    static const QStringList kDirections = {QStringLiteral("no"), QStringLiteral("kiri"), QStringLiteral("kanan"),
                                            QStringLiteral("atas"), QStringLiteral("bawah")};
    if (!kDirections.contains(b.scrol1.caption()))
        violation("scroll direction is " + quoted(b.scrol1.caption()));
}

void Soak::checkPanel(const char* name, PanelWindow& panel)
{
    if (!panel.fireStage())
        violation(std::string(name) + " fire button reads " + quoted(panel.Command1.caption()));
    if (!panel.facing())
        violation(std::string(name) + " facing is " + quoted(panel.Label1.caption()));
    if (!isNumberText(panel.Label3.caption()))
        violation(std::string(name) + " movement points are " + quoted(panel.Label3.caption()));
}

void Soak::recordMessage(const QString& text)
{
    ++figures_.messages;
    // A real message box runs an event loop of its own while it is open.
    flushPostedEvents();
    Game& g = *game_;
    const bool battle = g.battleExists();
    auto title = [&g](int k) { return g.panelExists(k) ? g.player(k).caption() : QString(); };
    auto shown = [&g, battle](int k) { return battle && g.Battle().vehicle[static_cast<std::size_t>(k)]->visible(); };
    int vehiclesLeft = 0;
    int last = -1;
    for (int k = 0; k < 4; ++k) {
        if (shown(k)) {
            ++vehiclesLeft;
            last = k;
        }
    }

    // A kill: "<victim> dihancurkan sampai lenyap oleh <shooter>. Score 50 poin".
    if (battle) {
        for (int victim = 0; victim < 4; ++victim) {
            for (int shooter = 0; shooter < 4; ++shooter) {
                if (victim == shooter || shown(victim))
                    continue;
                if (text == title(victim) + QStringLiteral(" dihancurkan sampai lenyap oleh ") + title(shooter)
                                + QStringLiteral(". Score 50 poin")) {
                    ++figures_.kills;
                    return;
                }
            }
        }
    }
    const bool result = text.startsWith(QStringLiteral("Pemenang: ")) || text == QStringLiteral("Draw!");
    if (result && !matchDecided_) {
        matchDecided_ = true;
        ++figures_.matchesDecided;
    }
    if (text.startsWith(QStringLiteral("Pemenang: "))) {
        ++figures_.winners;
        if (vehiclesLeft != 1)
            pendingViolation_ = "winner message " + quoted(text) + " with " + std::to_string(vehiclesLeft) + " vehicles left";
        else if (text != QStringLiteral("Pemenang: ") + title(last))
            pendingViolation_ = "winner message " + quoted(text) + " does not name player " + std::to_string(last + 1)
                                + ", the only one left";
        return;
    }
    if (text == QStringLiteral("Draw!")) {
        ++figures_.draws;
        if (vehiclesLeft != 0)
            pendingViolation_ = "draw declared with " + std::to_string(vehiclesLeft) + " vehicles left";
        return;
    }
    if (text.startsWith(QStringLiteral("Cannot read the picture file "))
        || text.startsWith(QStringLiteral("Cannot read the battlefield picture "))) {
        ++figures_.pictureMessages;
        return;
    }
    pendingViolation_ = "unknown message " + quoted(text);
}

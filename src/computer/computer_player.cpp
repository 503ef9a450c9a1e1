#include "computer/computer_player.h"

#include "ui/watch.h"

#include "app/game.h"
#include "app/game_words.h"
#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "setup/setup_window.h"
#include "ui/handler_call.h"
#include "ui/message_box.h"
#include "ui/number_text.h"
#include "ui/picture.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace computer {

namespace {

// While a computer waits for its panel and nothing glides or flies, another
// small pointer move brings it, as a person would nudge the mouse again.
constexpr int kNudgeAgainTicks = 5;

// The pointer move of a turn: this far above the middle of the player's own
// vehicle, where a person's hand would rest.
constexpr ui::Twips kNudgeAbove = 600;

// The processor time this thread has had, in ms: what a plan costs, apart
// from the time other programs of a busy machine take in between.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A picture file's size in twips, or nothing when it cannot be read.
std::optional<std::pair<ui::Twips, ui::Twips>> pictureSize(const QString& path)
{
    const std::optional<ui::Picture> picture = ui::readPictureFile(path);
    if (!picture || picture->isNull())
        return std::nullopt;
    return std::make_pair(ui::toTwips(picture->width()), ui::toTwips(picture->height()));
}

ui::Button& buttonFor(PanelWindow& panel, Press press)
{
    switch (press) {
    case Press::Left:
        return panel.kiri;
    case Press::Right:
        return panel.kanan;
    case Press::Up:
        return panel.atas;
    case Press::Down:
        break;
    }
    return panel.bawah;
}

} // namespace

ComputerWindow::ComputerWindow(Game& game)
    : ui::Window(QStringLiteral("Computer"), 1500, 1500)
    , Timer1(*this, QStringLiteral("Timer1"), kPaceMs, true, [this] { paceTick(); })
    , game_(game)
{
}

ComputerWindow::~ComputerWindow() = default;

void ComputerWindow::newMatch()
{
    endTurn();
    for (auto& planner : planners_)
        planner.reset();
}

std::optional<int> ComputerWindow::actingSlot() const
{
    if (!turn_)
        return std::nullopt;
    return turn_->slot;
}

int ComputerWindow::turnTicks() const { return turn_ ? turn_->ticks : 0; }

Planner& ComputerWindow::plannerFor(int slot, Level level)
{
    auto& planner = planners_[static_cast<std::size_t>(slot)];
    if (!planner || planner->level() != level)
        planner = std::make_unique<Planner>(level);
    return *planner;
}

std::optional<int> ComputerWindow::turnOwner()
{
    // The marker lives on player1's panel: no panel, no turn yet.
    if (!game_.panelExists(0) || !game_.battleExists())
        return std::nullopt;
    const BattleWindow& battle = game_.Battle();
    const double marker = numtext::readDouble(game_.turnMarker());
    int slot = -1;
    if (const std::optional<int> marked = game_.turnSlot())
        slot = *marked;
    else if (game_.windEdition() && marker > 3)
        slot = 0;  // the next pointer move wraps the rotation to player 1
    if (slot < 0)
        return std::nullopt;
    // In the full game the marked player acts, destroyed or not: the turn
    // scheduler handed it the turn. In the wind edition the next pointer move
    // passes a destroyed player's turn on to the next vehicle still there.
    if (!game_.windEdition() || battle.vehicle[static_cast<std::size_t>(slot)]->visible())
        return slot;
    for (int step = 1; step <= 3; ++step) {
        const int next = (slot + step) % 4;
        if (battle.vehicle[static_cast<std::size_t>(next)]->visible())
            return next;
    }
    return std::nullopt;
}

void ComputerWindow::paceTick()
{
    // A message waits for a person's OK: nobody acts.
    if (ui::messageOpen())
        return;
    const std::optional<int> owner = turnOwner();
    const bool battleShown = game_.battleExists() && game_.Battle().visible();
    // The end-of-match cover lies over the battlefield: a pointer move lands
    // on the cover, not on the battlefield. "Start" pressed without closing
    // the window keeps it there while the next match goes on under it.
    const bool covered = battleShown && game_.Battle().Frame3.visible();
    if (battleShown && !covered && nobodyLeft()) {
        // No vehicle is left: once the shell and the explosion are done, the
        // draw is declared by the next pointer move over the battlefield,
        // which a computer in the match makes.
        endTurn();
        if (game_.Battle().Timer1.enabled() || game_.Battle().beledug.enabled())
            return;
        bool computerPlays = false;
        for (int slot = 0; slot < 4; ++slot)
            computerPlays = computerPlays || (game_.Form1().playerTakesPart(slot) && game_.computerSeat(slot));
        if (!computerPlays)
            return;
        // The count of ticks waited is the computer's own state, kept in no
        // field: the pace timer must not sleep while it runs.
        ui::noteChange("a computer's wait for the draw");
        if (++drawWait_ >= kNudgeAgainTicks) {
            drawWait_ = 0;
            BattleWindow& battle = game_.Battle();
            battle.Picture1.pointerMove(battle.Picture1.width() / 2, battle.Picture1.height() / 2);
        }
        return;
    }
    if (!owner || !battleShown || !game_.computerSeat(*owner)) {
        endTurn();
        return;
    }
    if (turn_ && turn_->slot != *owner)
        endTurn();

    // A shell in the air or an explosion pending: nobody acts.
    const BattleWindow& battle = game_.Battle();
    if (battle.Timer1.enabled() || battle.beledug.enabled())
        return;
    // Under the cover no pointer move can bring a panel: the computer plays
    // a turn whose panel is shown and waits for one that is not.
    if (covered && !game_.player(*owner).visible() && !battle.Timer3.enabled() && !battle.Timer4.enabled()) {
        endTurn();
        return;
    }

    if (!turn_) {
        turn_.emplace();
        turn_->slot = *owner;
    }
    Turn& turn = *turn_;
    // A turn under way counts its ticks in the computer's own state, which no
    // field holds: the pace timer stays awake until the turn ends.
    ui::noteChange("a computer's turn");
    ++turn.ticks;
    if (turn.shownTicks >= 0)
        ++turn.shownTicks;
    act(turn);
}

bool ComputerWindow::nobodyLeft()
{
    for (const ui::Sprite* car : game_.Battle().vehicle)
        if (car->visible())
            return false;
    return true;
}

void ComputerWindow::act(Turn& turn)
{
    PanelWindow& panel = game_.player(turn.slot);
    const BattleWindow& battle = game_.Battle();
    const bool gliding = battle.Timer3.enabled() || battle.Timer4.enabled();

    // Waiting for the panel: it comes at the end of a glide, or with a
    // pointer move over the battlefield.
    auto panelHere = [&] {
        if (panel.visible()) {
            turn.panelWait = 0;
            return true;
        }
        if (!gliding && ++turn.panelWait >= kNudgeAgainTicks) {
            turn.panelWait = 0;
            nudge(turn.slot);
        }
        return panel.visible();
    };

    switch (turn.stage) {
    case Stage::Nudge:
        nudge(turn.slot);
        turn.stage = Stage::Panel;
        [[fallthrough]];
    case Stage::Panel:
        if (!panelHere())
            return;
        think(turn);
        turn.shownTicks = 0;
        turn.stage = Stage::Pause;
        turn.wait = kFirstActionTicks;
        return;
    case Stage::Glide:
        if (!panelHere())
            return;
        turn.stage = Stage::Pause;
        turn.wait = turn.stepPause;
        return;
    case Stage::Pause:
        if (!panel.visible()) {
            turn.stage = Stage::Glide;
            return;
        }
        if (turn.wait > 0 && --turn.wait > 0)
            return;
        if (turn.nextPress < turn.plan.presses.size()) {
            buttonFor(panel, turn.plan.presses[turn.nextPress++]).automatedClick();
            // A step hides the panel until its glide arrives; a turn on the
            // spot leaves it shown.
            if (panel.visible())
                turn.wait = turn.turnPause;
            else
                turn.stage = Stage::Glide;
            return;
        }
        {
            // The gauges take their designed pace; where they alone would
            // launch too soon after the panel showed, the first press waits.
            const int gaugeMs =
                (turn.plan.far + turn.plan.high) * ui::clockIntervalFor(panel.Timer2.interval());
            const int leastTicks = (kLeastTurnMs - gaugeMs + kPaceMs - 1) / kPaceMs;
            if (turn.shownTicks < leastTicks)
                return;
        }
        turn.stage = Stage::Fire;
        panel.onGaugeTick([this] { gaugeTicked(); });
        if (panel.fireStage() == words::FireStage::Ready)
            pressFire(turn);
        return;
    case Stage::Fire: {
        // A gauge that stopped by itself (full) is pressed on this tick.
        const std::optional<words::FireStage> stage = panel.fireStage();
        if ((stage == words::FireStage::FarRising && !panel.Timer2.enabled())
            || (stage == words::FireStage::HighRising && !panel.Timer6.enabled()))
            pressFire(turn);
        return;
    }
    }
}

void ComputerWindow::gaugeTicked()
{
    if (!turn_ || turn_->stage != Stage::Fire)
        return;
    Turn& turn = *turn_;
    PanelWindow& panel = game_.player(turn.slot);
    const std::optional<words::FireStage> stage = panel.fireStage();
    if ((stage == words::FireStage::FarRising && panel.ProgressBar1.value() >= static_cast<float>(turn.plan.far))
        || (stage == words::FireStage::HighRising && panel.slider1.value() >= static_cast<float>(turn.plan.high)))
        pressFire(turn);
}

void ComputerWindow::pressFire(const Turn& turn)
{
    PanelWindow& panel = game_.player(turn.slot);
    panel.Command1.automatedClick();
    // The third press launches: the turn is over.
    if (panel.fireStage() == words::FireStage::Ready)
        endTurn();
}

void ComputerWindow::nudge(int slot)
{
    BattleWindow& battle = game_.Battle();
    // Under the cover the move would land on the cover, which hides panels.
    if (battle.Frame3.visible())
        return;
    const ui::Sprite& car = *battle.vehicle[static_cast<std::size_t>(slot)];
    const PointerPlace place = reachablePlace(battle, car.left() + car.width() / 2, car.top() - kNudgeAbove);
    battle.Picture1.pointerMove(place.x, place.y);
}

ComputerWindow::PointerPlace ComputerWindow::reachablePlace(const BattleWindow& battle, ui::Twips x, ui::Twips y)
{
    const ui::PictureBox& field = battle.Picture1;
    // The part of the battlefield the window shows, in the window's twips:
    // the window's inside, less the edge buttons that stand over it.
    ui::Twips left = std::max(0.0, field.left());
    ui::Twips top = std::max(0.0, field.top());
    ui::Twips right = std::min(battle.clientWidth(), field.left() + field.width());
    ui::Twips bottom = std::min(battle.clientHeight(), field.top() + field.height());
    const auto edge = [&battle](std::size_t k) -> const ui::Button* {
        const ui::Button* button = battle.scrollButton[k];
        return button->isShown() ? button : nullptr;
    };
    if (const ui::Button* b = edge(0))  // frame1, the left edge
        left = std::max(left, b->left() + b->width());
    if (const ui::Button* b = edge(1))  // frame4, the right edge
        right = std::min(right, b->left());
    if (const ui::Button* b = edge(2))  // frame5, the top edge
        top = std::max(top, b->top() + b->height());
    if (const ui::Button* b = edge(3))  // frame6, the bottom edge
        bottom = std::min(bottom, b->top());
    // One pixel inside on every side, where the pointer's hot spot still
    // lies over the battlefield.
    constexpr ui::Twips kPixel = 15;
    right -= kPixel;
    bottom -= kPixel;
    if (right < left || bottom < top) {
        // Nothing of the battlefield shows: the nearest point of the picture.
        return {std::clamp(x, 0.0, std::max(0.0, field.width() - kPixel)),
                std::clamp(y, 0.0, std::max(0.0, field.height() - kPixel))};
    }
    return {std::clamp(x + field.left(), left, right) - field.left(),
            std::clamp(y + field.top(), top, bottom) - field.top()};
}

void ComputerWindow::think(Turn& turn)
{
    const Level level = game_.Form1().seatPlayer(turn.slot).value_or(Level::Easy);
    // Reading the screen is part of the thought.
    const double started = threadMilliseconds();
    const Situation situation = readSituation(game_, turn.slot);
    turn.plan = planMaker_ ? planMaker_(turn.slot, level, situation) : plannerFor(turn.slot, level).planTurn(situation);
    const double thinkMs = threadMilliseconds() - started;
    // The gauges give powers 1 to 50.
    turn.plan.far = std::clamp(turn.plan.far, kLowestPower, kHighestPower);
    turn.plan.high = std::clamp(turn.plan.high, kLowestPower, kHighestPower);
    turn.nextPress = 0;
    choosePauses(turn, ui::clockIntervalFor(game_.player(turn.slot).Timer2.interval()));
    ui::callHandler(thoughtObserver_, Thought{turn.slot, level, turn.plan, thinkMs});
}

void ComputerWindow::choosePauses(Turn& turn, int gaugeIntervalMs) const
{
    // A step is pressed, glides in within two pace ticks (eight or nine glide
    // ticks of 20 ms), is seen on the next and then paused after; a turn on
    // the spot is only paused after.
    long long steps = 0;
    long long turns = 0;
    bool facesRight = game_.player(turn.slot).facesRight();
    for (const Press press : turn.plan.presses) {
        const bool side = press == Press::Left || press == Press::Right;
        if (side && facesRight != (press == Press::Right)) {
            facesRight = press == Press::Right;
            ++turns;
        } else {
            ++steps;
        }
    }
    const int gaugeMs = (turn.plan.far + turn.plan.high) * gaugeIntervalMs;
    auto longest = [&](int stepPause, int turnPause) {
        return (kFirstActionTicks + steps * (2 + stepPause) + turns * turnPause) * kPaceMs + gaugeMs;
    };
    turn.stepPause = kAfterStepTicks;
    turn.turnPause = kAfterTurnTicks;
    while (longest(turn.stepPause, turn.turnPause) > kMostTurnMs && turn.stepPause > 1) {
        --turn.stepPause;
        turn.turnPause = std::min(turn.turnPause, turn.stepPause);
    }
}

void ComputerWindow::endTurn()
{
    if (turn_ && game_.panelExists(turn_->slot))
        game_.player(turn_->slot).onGaugeTick(nullptr);
    turn_.reset();
}

Situation ComputerWindow::readSituation(Game& game, int slot)
{
    BattleWindow& battle = game.Battle();
    PanelWindow& panel = game.player(slot);
    RosterWindow& form = game.Form1();
    const auto own = static_cast<std::size_t>(slot);

    Situation s;
    s.edition = game.edition();
    s.slot = slot;
    for (std::size_t k = 0; k < 4; ++k) {
        const ui::Sprite& car = *battle.vehicle[k];
        s.vehicles[k] = Vehicle{.alive = car.visible(),
                                .left = car.left(),
                                .top = car.top(),
                                .width = car.width(),
                                .height = car.height(),
                                .energy = static_cast<double>(battle.energyBar[k]->value())};
    }

    // The two pictures a turn on the spot switches between.
    const QString number = form.characterNumber[own]->text();
    const ui::Sprite& mine = *battle.vehicle[own];
    const auto right = pictureSize(form.spriteFile(number, true));
    const auto left = pictureSize(form.spriteFile(number, false));
    s.widthFacingRight = right ? right->first : mine.width();
    s.heightFacingRight = right ? right->second : mine.height();
    s.widthFacingLeft = left ? left->first : mine.width();
    s.heightFacingLeft = left ? left->second : mine.height();

    s.facesRight = panel.facesRight();
    s.movementPoints = numtext::readDouble(panel.Label3.caption());
    s.shotDamage = game.windEdition() ? 0.0 : numtext::readDouble(game.setup().attack[own]->text()) * 5;
    s.wind = numtext::readDouble(battle.Text3.text());
    s.lift = numtext::readDouble(battle.Text4.text());
    s.shellWidth = battle.Image1.width();
    s.shellHeight = battle.Image1.height();
    s.flightFloor = battle.flightFloor();
    s.windowOuterHeight = battle.outerHeight();
    s.fieldWidth = battle.Picture1.width();
    s.fieldHeight = battle.Picture1.height();
    s.plateAbove = BattleWindow::kPlateAboveVehicle;
    return s;
}

} // namespace computer

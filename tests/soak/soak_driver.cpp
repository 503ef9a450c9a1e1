#include "soak_driver.h"

#include "harness.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "battle/flight_step.h"
#include "computer/computer_player.h"
#include "computer/level_names.h"
#include "edition1/wind_setup_window.h"
#include "net/host_session.h"
#include "net/join_session.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"
#include "setup/setup_window.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/number_text.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <algorithm>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestmouse.h>

#include <cinttypes>
#include <cstdio>

namespace {

const char* const kPanelNames[4] = {"player1", "player2", "player3", "player4"};

// How many events sensible play may go without a launch or a match start
// before it gives up on the match (a stuck glide, a shell that typed winds
// keep in the air) and starts a new one.
constexpr long long kStuckLimit = 4000;
// A match on a battle window that was never closed can lack a second vehicle
// (a restart in place does not bring back destroyed vehicles of players 1
// and 2): after this many shots the window is closed and built afresh.
constexpr long long kShotsPerMatchLimit = 60;

std::string utf8(const QString& text, int maxLength = 24)
{
    QString shown = text.left(maxLength);
    if (text.size() > maxLength)
        shown += QStringLiteral("...(%1 chars)").arg(text.size());
    return shown.toStdString();
}

template <class Kind>
bool isKind(const ui::Field& field)
{
    return dynamic_cast<const Kind*>(&field) != nullptr;
}

struct FieldKind {
    bool (*is)(const ui::Field&);
    const char* name;
};

// The first kind that matches names the field in traces.
constexpr FieldKind kFieldKinds[] = {
    {isKind<ui::Button>, "Button"},          {isKind<ui::Label>, "Label"},
    {isKind<ui::TextField>, "TextField"},    {isKind<ui::Sprite>, "Sprite"},
    {isKind<ui::PictureBox>, "PictureBox"},  {isKind<ui::Frame>, "Frame"},
    {isKind<ui::ProgressBar>, "ProgressBar"}, {isKind<ui::Slider>, "Slider"},
    {isKind<ui::CheckBox>, "CheckBox"},      {isKind<ui::Line>, "Line"},
    {isKind<ui::Shape>, "Shape"},
};

const char* kindOf(const ui::Field& field)
{
    for (const FieldKind& kind : kFieldKinds)
        if (kind.is(field))
            return kind.name;
    return "Field";
}

// Whether `field` lies inside `frame` (at any depth).
bool inside(const ui::Field& field, const ui::Frame& frame)
{
    const ui::Container* container = &field.container();
    while (const auto* holder = dynamic_cast<const ui::Field*>(container)) {
        if (holder == &frame)
            return true;
        container = &holder->container();
    }
    return false;
}

} // namespace

// What a player could reach with the mouse: shown on a shown window, and not
// behind the roster, which covers the whole main menu while it is shown.
bool Soak::reachable(const ui::Window& window, const ui::Field& field) const
{
    if (!window.visible() || !field.isShown())
        return false;
    const RosterWindow& form = game_->Form1();
    if (&window == &form && form.Frame2.isShown() && inside(field, form.Frame1))
        return false;
    return true;
}

Soak::Soak(SoakOptions options)
    : options_(std::move(options))
    , rng_(options_.seed)
{
    ui::Timer::setManualTicking(true);
    ui::Timer::setSleepChecking([this](const QString& failure) {
        if (pendingViolation_.empty())
            pendingViolation_ = "a sleeping timer's tick was not idle: " + failure.toStdString();
    });
    modalPresenter_ = ui::setMessagePresenter([this](const QString& text) { presentMessage(text); });
}

Soak::~Soak()
{
    stopNetwork();
    game_.reset();
    flushPostedEvents();
    ui::setMessagePresenter(nullptr);
    ui::Timer::setSleepChecking(nullptr);
}

// ---- The program ----

void Soak::startGame()
{
    startedBattle_ = firedBattle_ = seenBattle_ = nullptr;
    wantsToQuit_ = false;
    flightWasOn_ = explosionWasOn_ = false;
    stopNetwork();
    game_.reset();
    flushPostedEvents();
    game_ = std::make_unique<Game>(options_.edition, options_.assets);
    game_->setProgramEnding([this](int) { programEnded_ = true; });
    programEnded_ = false;
    ++figures_.games;
    if (options_.camera)
        game_->Form1().Kamera.setChecked(true);
    // As the program does at start-up.
    game_->Form1().show();
    note("program start: Form1 shown");
}

void Soak::startProgram()
{
    startGame();
    if (options_.computers)
        seatComputers();
    else
        keepSeatControlsOff();
    if (options_.networkClients > 0)
        startNetwork();
}

void Soak::seatComputers()
{
    // Mostly computers, of every level, and at least one.
    std::string seats;
    int computers = 0;
    for (int slot = 0; slot < 4; ++slot) {
        const bool computer = chance(0.75) || (slot == 3 && computers == 0);
        const int level = uniform(0, 2);
        if (computer) {
            ++computers;
            game_->Form1().setSeatPlayer(slot, static_cast<computer::Level>(level));
        }
        seats += std::string(" ") + (computer ? computer::levelName(static_cast<computer::Level>(level)) : "person");
    }
    game_->Computer().onThought([this](const computer::ComputerWindow::Thought&) { ++figures_.computerPlans; });
    note("seats:" + seats);
}

void Soak::keepSeatControlsOff()
{
    // The players of a human-only run never touch the seat controls: off the
    // screen, no pointer can land on them.
    for (ui::Button* seat : game_->Form1().seat)
        seat->hide();
}

bool Soak::isSeatControl(const ui::Field& field) const
{
    for (const ui::Button* seat : game_->Form1().seat)
        if (seat == &field)
            return true;
    return false;
}

void Soak::flushPostedEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Soak::processEventLoop()
{
    flushPostedEvents();
    // Once the event loop has run, closed windows are gone: every top-level
    // widget left is one of the game's live windows.
    // The joined programs' mirrors and message boxes are theirs, not the
    // game's.
    qsizetype topLevel = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (!remoteWidget(widget))
            ++topLevel;
    const auto live = static_cast<qsizetype>(liveWindows().size());
    if (topLevel != live)
        violation(std::to_string(topLevel) + " top-level widgets after the event loop ran, "
                  + std::to_string(live) + " live windows");
}

int Soak::run()
{
    startProgram();
    for (eventNumber_ = 1; eventNumber_ <= options_.events; ++eventNumber_) {
        step();
        ++figures_.events;
        afterEvent();
    }
    stopNetwork();
    game_.reset();
    flushPostedEvents();
    return 0;
}

void Soak::afterEvent()
{
    if (host_)
        syncNetwork();
    if (!pendingViolation_.empty())
        violation(pendingViolation_);
    checkInvariants();
    if (host_)
        checkMirrors();
    // Every so often the event loop would have run: windows closed by their
    // close control are deleted then.
    if (eventNumber_ % 53 == 0)
        processEventLoop();
    if (programEnded_) {
        ++figures_.programEnds;
        startProgram();
    }
}

// ---- Choosing the next event ----

void Soak::step()
{
    ++eventsSinceProgress_;
    if (!options_.computers)
        keepSeatControlsOff();
    // A held button is soon moved or let go.
    if (pressedWindow_ && chance(0.5)) {
        const std::vector<LiveWindow> windows = playersWindows();
        const LiveWindow& live = pickWindow(windows);
        realPointer(live.name, *live.window);
        return;
    }
    if (options_.networkClients > 0 && chance(0.12)) {
        networkEvent();
        return;
    }
    if (chance(0.75) && playSensibly())
        return;
    chaos();
}

int Soak::markerSlot() const
{
    // Asking the game for the marker would make player1: only look when it exists.
    if (!game_->panelExists(0))
        return -1;
    return game_->turnSlot().value_or(-1);
}

bool Soak::playSensibly()
{
    Game& g = *game_;
    RosterWindow& form = g.Form1();
    const bool wind = g.windEdition();

    if (!form.visible()) {
        show("Form1", form);
        return true;
    }
    if (wantsToQuit_) {
        quitPlaying();
        return true;
    }
    if (!wind && g.setup().Frame5.isShown()) {
        browseCharacters();
        return true;
    }
    if (!form.Frame2.isShown()) {
        chooseGameType();
        return true;
    }

    const bool battleExists = g.battleExists();
    const bool matchOn = battleExists && startedBattle_ == &g.Battle() && g.Battle().visible()
                         && !g.Battle().Frame3.visible();
    if (!matchOn) {
        playBetweenMatches(battleExists);
        return true;
    }

    if (eventsSinceProgress_ > kStuckLimit || shotsThisMatch_ > kShotsPerMatchLimit) {
        abandonStuckMatch();
        return true;
    }
    if (tickShellOrGlide())
        return true;
    if (playWhoseTurnItIs())
        return true;
    waitForNextTurn();
    return true;
}

// Done playing: back to the menu and "Exit", or the setup window's close
// control.
void Soak::quitPlaying()
{
    Game& g = *game_;
    RosterWindow& form = g.Form1();
    const bool wind = g.windEdition();
    if (!wind && form.Frame2.isShown()) {
        clickField("Form1", form.back);
        return;
    }
    wantsToQuit_ = false;
    if (!wind && chance(0.7))
        clickField("Form1", g.setup().Command8);
    else
        requestClose("Form1", form);
}

// The character selector is open: browse a little, then OK.
void Soak::browseCharacters()
{
    SetupWindow& setup = game_->setup();
    if (chance(0.3))
        clickField("Form1", chance(0.5) ? static_cast<ui::Field&>(setup.Command6) : setup.Command7);
    else
        clickField("Form1", setup.Command16);
}

// Main menu: mostly duels, which end soonest.
void Soak::chooseGameType()
{
    RosterWindow& form = game_->Form1();
    const int choice = uniform(0, 9);
    ui::Button& type = choice < 6 ? form.Command1 : choice < 8 ? form.Command2 : form.Command3;
    clickField("Form1", type);
}

// No match under way: close the finished one, change the game type, look
// at the characters or start the next match.
void Soak::playBetweenMatches(bool battleExists)
{
    Game& g = *game_;
    RosterWindow& form = g.Form1();
    const bool wind = g.windEdition();
    if (battleExists && g.Battle().Frame3.visible() && chance(0.7)) {
        // "Close to continue"; now and then the players stop there.
        requestClose("Battle", g.Battle());
        wantsToQuit_ = chance(0.15);
        return;
    }
    if (chance(0.15)) {
        // Another game type for the next match.
        clickField("Form1", form.back);
        return;
    }
    if (!wind && chance(0.05)) {
        clickField("Form1", *form.picture[static_cast<std::size_t>(uniform(0, 3))]);
        return;
    }
    if (wind && chance(0.1)) {
        WindSetupWindow& setup = g.windSetup();
        const auto slot = static_cast<std::size_t>(uniform(0, 3));
        clickField("Form1", chance(0.5) ? *setup.previousButton[slot] : *setup.nextButton[slot]);
        return;
    }
    clickField("Form1", form.Command5);
}

// The match goes nowhere: close its battle window.
void Soak::abandonStuckMatch()
{
    ++figures_.recoveries;
    note("sensible play: the match goes nowhere (" + describeMatch() + "); closing the battle window");
    eventsSinceProgress_ = 0;
    shotsThisMatch_ = 0;
    requestClose("Battle", game_->Battle());
}

// A shell in flight, an explosion pending, a vehicle gliding: tick their
// timers. False when none runs.
bool Soak::tickShellOrGlide()
{
    BattleWindow& b = game_->Battle();
    // A shell in flight, an explosion pending.
    if (b.Timer1.enabled()) {
        if (b.beledug.enabled() && chance(1.0 / 33))
            tickTimer("Battle", b.beledug);
        else if (chance(0.1))
            tickTimer("Battle", b.tagselamat);
        else
            tickTimer("Battle", b.Timer1);
        return true;
    }
    if (b.beledug.enabled()) {
        tickTimer("Battle", b.beledug);
        return true;
    }
    // A vehicle gliding.
    if (markerSlot() >= 0 && (b.Timer3.enabled() || b.Timer4.enabled())) {
        tickTimer("Battle", b.Timer3.enabled() && (!b.Timer4.enabled() || chance(0.5)) ? b.Timer3 : b.Timer4);
        return true;
    }
    return false;
}

// A computer's turn under way, the player whose turn it is, or any player
// with a panel on the screen plays. False when none can.
bool Soak::playWhoseTurnItIs()
{
    Game& g = *game_;
    // A computer's turn goes on by itself.
    if (computersPlay() && g.computerExists()) {
        if (const std::optional<int> acting = g.Computer().actingSlot()) {
            playComputerTurn(*acting);
            return true;
        }
    }
    // The player whose turn it is, or any player with a panel on the screen.
    const int turn = markerSlot();
    if (turn >= 0 && g.player(turn).visible()) {
        if (computersPlay() && g.computerSeat(turn))
            playComputerTurn(turn);
        else
            playTurn(turn);
        return true;
    }
    for (int k = 0; k < 4; ++k) {
        if (g.panelExists(k) && g.player(k).visible() && !(computersPlay() && g.computerSeat(k))) {
            playTurn(k);
            return true;
        }
    }
    return false;
}

// No one plays: a turn gauge fills, a computer brings its panel, or the
// pointer recalls a panel.
void Soak::waitForNextTurn()
{
    Game& g = *game_;
    BattleWindow& b = g.Battle();
    // Waiting for a turn gauge to fill.
    if (b.timersp.enabled()) {
        if (chance(0.9))
            tickTimer("Battle", b.timersp);
        else
            tickTimer("Battle", b.tagselamat);
        return;
    }
    // A computer whose turn it is brings its panel itself, now and then
    // before a person's pointer does.
    if (computersPlay() && g.computerExists() && chance(0.7)) {
        tickTimer("Computer", g.Computer().Timer1);
        return;
    }
    // Nothing runs: the pointer over the battlefield recalls the panel of the
    // player whose turn it is (and moves the wind edition's turn on).
    pointerOverField("Battle", b.Picture1);
}

void Soak::playComputerTurn(int slot)
{
    // The computer presses its own buttons; the game's clock ticks its pace
    // and its gauges, the gauges three times as often.
    Game& g = *game_;
    PanelWindow& panel = g.player(slot);
    const char* name = kPanelNames[slot];
    if (panel.Timer2.enabled() && chance(0.75))
        tickTimer(name, panel.Timer2);
    else if (panel.Timer6.enabled() && chance(0.75))
        tickTimer(name, panel.Timer6);
    else
        tickTimer("Computer", g.Computer().Timer1);
}

void Soak::playTurn(int slot)
{
    Game& g = *game_;
    PanelWindow& panel = g.player(slot);
    BattleWindow& b = g.Battle();
    const char* name = kPanelNames[slot];
    const std::optional<words::FireStage> stage = panel.fireStage();
    Aim& aim = aim_[static_cast<std::size_t>(slot)];

    if (stage == words::FireStage::Ready) {
        // Face the nearest vehicle still in the match.
        const ui::Sprite& mine = *b.vehicle[static_cast<std::size_t>(slot)];
        double nearest = 1e300;
        bool wantRight = panel.facesRight();
        for (int other = 0; other < 4; ++other) {
            const ui::Sprite& theirs = *b.vehicle[static_cast<std::size_t>(other)];
            if (other == slot || !theirs.visible())
                continue;
            const double distance = std::abs(theirs.left() - mine.left());
            if (distance < nearest) {
                nearest = distance;
                wantRight = theirs.left() > mine.left();
            }
        }
        const bool facingRight = panel.facesRight();
        if (facingRight != wantRight && chance(0.9)) {
            clickField(name, wantRight ? panel.kanan : panel.kiri);
            return;
        }
        if (numtext::readDouble(panel.Label3.caption()) > 0 && chance(0.06)) {
            ui::Button* moves[4] = {&panel.atas, &panel.bawah, facingRight ? &panel.kanan : &panel.kiri,
                                    facingRight ? &panel.kanan : &panel.kiri};
            clickField(name, *moves[uniform(0, 3)]);
            return;
        }
        // Aim like a player who has watched a few shots: mostly powers that
        // bring the shell onto another vehicle, now and then anything.
        aim.far = static_cast<float>(uniform(1, 50));
        aim.high = static_cast<float>(uniform(0, 50));
        if (chance(0.85)) {
            const std::vector<Aim> hits = hittingAims(slot, facingRight);
            if (!hits.empty())
                aim = hits[static_cast<std::size_t>(uniform(0, static_cast<int>(hits.size()) - 1))];
        }
        clickField(name, panel.Command1);
        return;
    }
    if (stage == words::FireStage::FarRising) {
        if (panel.Timer2.enabled() && panel.ProgressBar1.value() < aim.far)
            tickTimer(name, panel.Timer2);
        else
            clickField(name, panel.Command1);
        return;
    }
    if (panel.Timer6.enabled() && panel.slider1.value() < aim.high) {
        tickTimer(name, panel.Timer6);
        return;
    }
    clickField(name, panel.Command1);
}

std::vector<Soak::Aim> Soak::hittingAims(int slot, bool facingRight)
{
    // The shell's path as the player sees it fly, worked out with the
    // battle window's own flight step from the launch point the fire press
    // writes.
    BattleWindow& b = game_->Battle();
    const ui::Sprite& mine = *b.vehicle[static_cast<std::size_t>(slot)];
    flight::State launch;
    launch.left1 = flight::throughSingleText(facingRight ? mine.left() + mine.width() + b.Image1.width() : mine.left());
    launch.top1 = flight::throughSingleText(mine.top() - 4040 - b.Image1.height());
    std::vector<const ui::Sprite*> targets;
    for (std::size_t k = 0; k < 4; ++k) {
        const ui::Sprite& car = *b.vehicle[k];
        if (static_cast<int>(k) != slot && car.visible())
            targets.push_back(&car);
    }
    std::vector<Aim> hits;
    if (targets.empty())
        return hits;
    flight::Inputs inputs;
    inputs.wind = numtext::readDouble(b.Text3.text());
    inputs.lift = numtext::readDouble(b.Text4.text());
    inputs.facesRight = facingRight;
    inputs.floor = b.flightFloor();
    // Only a typed wind makes a flight longer than this (30 s); nobody aims
    // with one.
    constexpr int kLongestFlight = 1000;
    for (int far = 1; far <= 50; ++far) {
        for (int high = 0; high <= 50; ++high) {
            inputs.far = static_cast<float>(far);
            inputs.high = high;
            flight::State state = launch;
            bool hit = false;
            for (int tick = 0; tick < kLongestFlight && !hit; ++tick) {
                const flight::Step step = flight::step(state, inputs);
                for (const ui::Sprite* car : targets)
                    hit = hit || flight::touches(step.shell, car->left(), car->top(), car->width(), car->height());
                if (!step.advanced)
                    break;
                state = step.next;
            }
            if (hit)
                hits.push_back(Aim{static_cast<float>(far), static_cast<float>(high)});
        }
    }
    return hits;
}

void Soak::chaos()
{
    const int roll = uniform(0, 99);
    const std::vector<LiveWindow> windows = playersWindows();
    const LiveWindow& live = pickWindow(windows);
    ui::Window& w = *live.window;

    if (roll < 26) {
        tickSomeTimer();
    } else if (roll < 30) {
        realPointer(live.name, w);
    } else if (roll < 50) {
        // "Start" restarts a match in progress: a player seldom does that.
        ui::Field* field = pickField(w, chance(0.6));
        if (field && field == &game_->Form1().Command5 && !chance(0.1))
            field = nullptr;
        if (field)
            clickField(live.name, *field);
        else
            pointerOverWindow(live.name, w);
    } else if (roll < 65) {
        if (ui::Field* field = pickField(w, true))
            pointerOverField(live.name, *field);
        else
            pointerOverWindow(live.name, w);
    } else if (roll < 69) {
        pointerOverWindow(live.name, w);
    } else if (roll < 78) {
        // Typing: into an editable field a player can reach.
        std::vector<ui::Field*> editable;
        for (ui::Field* field : w.fields())
            if (auto* edit = qobject_cast<QLineEdit*>(field->widget()))
                if (!edit->isReadOnly() && field->isEnabled() && reachable(w, *field))
                    editable.push_back(field);
        if (editable.empty())
            pointerOverWindow(live.name, w);
        else
            typeInto(live.name, *editable[static_cast<std::size_t>(uniform(0, static_cast<int>(editable.size()) - 1))],
                     randomText());
    } else if (roll < 80) {
        std::vector<ui::Field*> sliders;
        for (ui::Field* field : w.fields())
            if (dynamic_cast<ui::Slider*>(field) && field->isEnabled() && reachable(w, *field))
                sliders.push_back(field);
        if (sliders.empty())
            pointerOverWindow(live.name, w);
        else
            dragSlider(live.name, *sliders[static_cast<std::size_t>(uniform(0, static_cast<int>(sliders.size()) - 1))]);
    } else if (roll < 85) {
        resize(live.name, w);
    } else if (roll < 88) {
        // Closing the setup window ends the program, closing the battle
        // window ends the match: now and then, not all the time.
        const bool form = &w == &game_->Form1();
        const bool battle = game_->battleExists() && &w == &game_->Battle();
        if ((form && !chance(0.03)) || (battle && !chance(0.05)))
            pointerOverWindow(live.name, w);
        else
            requestClose(live.name, w);
    } else if (roll < 92) {
        // The game shows panels itself; a panel out of turn only rarely.
        const bool panel = std::string(live.name).rfind("player", 0) == 0;
        if (panel && !w.visible() && !chance(0.2))
            pointerOverWindow(live.name, w);
        else
            show(live.name, w);
    } else if (roll < 94) {
        touchWindow();
    } else if (roll < 97) {
        realPointer(live.name, w);
    } else if (roll < 98) {
        realKeys(live.name, w);
    } else {
        note("event loop: posted events and deferred deletes processed");
        processEventLoop();
    }
}

// ---- Events ----

void Soak::note(std::string text)
{
    if (options_.trace)
        std::fprintf(stderr, "#%lld %s\n", eventNumber_, text.c_str());
    history_[historyNext_++ % kHistory] = "#" + std::to_string(eventNumber_) + " " + text;
}

std::string Soak::describe(const char* window, const ui::Field& field) const
{
    const ui::Window& w = field.container().window();
    std::size_t index = 0;
    const std::vector<ui::Field*> fields = playedFields(w);
    for (; index < fields.size(); ++index)
        if (fields[index] == &field)
            break;
    std::string text = std::string(window) + ".field[" + std::to_string(index) + "] " + kindOf(field);
    if (auto* button = dynamic_cast<const ui::Button*>(&field))
        text += " \"" + utf8(button->caption()) + "\"";
    else if (auto* label = dynamic_cast<const ui::Label*>(&field))
        text += " \"" + utf8(label->caption()) + "\"";
    else if (auto* edit = dynamic_cast<const ui::TextField*>(&field))
        text += " \"" + utf8(edit->text()) + "\"";
    else if (auto* frame = dynamic_cast<const ui::Frame*>(&field))
        text += " \"" + utf8(frame->caption()) + "\"";
    return text;
}

void Soak::clickField(const char* window, ui::Field& field)
{
    ui::Window& owner = field.container().window();
    if (owner.visible() && field.isShown() && !reachable(owner, field)) {
        note("click on a covered " + describe(window, field) + ": it cannot be reached");
        return;
    }
    if (options_.networkClients > 0)
        for (int k = 0; k < 4; ++k)
            if (game_->panelExists(k) && &owner == &game_->player(k) && game_->remoteSeat(k))
                if (Remote* remote = remoteAt(k)) {
                    clickMirror(*remote, k, field);
                    return;
                }
    note("click " + describe(window, field));
    RosterWindow& form = game_->Form1();
    // A computer's panel takes no person's clicks.
    const bool lands = reachable(field.container().window(), field) && field.isEnabled()
                       && field.container().window().takesPlayerInput();
    const bool isStart = lands && &field == &form.Command5;
    bool isFire = false;
    for (int k = 0; k < 4; ++k)
        if (game_->panelExists(k) && &field == &game_->player(k).Command1)
            isFire = lands;
    field.click();
    if (isFire && game_->battleExists())
        firedBattle_ = &game_->Battle();
    if (isStart) {
        ++figures_.matchesStarted;
        matchDecided_ = false;
        eventsSinceProgress_ = 0;
        shotsThisMatch_ = 0;
        if (game_->battleExists())
            startedBattle_ = &game_->Battle();
    }
}

void Soak::tickTimer(const char* window, ui::Timer& timer)
{
    note(std::string("tick ") + window + "." + timer.name().toStdString());
    if (timer.asleep())
        ++figures_.sleepingTicks;
    timer.tick();
}

void Soak::pointerOverField(const char* window, ui::Field& field)
{
    const double w = field.width() > 0 ? field.width() : 300;
    const double h = field.height() > 0 ? field.height() : 300;
    const double x = std::round(uniformReal(-0.2 * w, 1.2 * w));
    const double y = std::round(uniformReal(-0.2 * h, 1.2 * h));
    note("pointer " + describe(window, field) + " at " + std::to_string(static_cast<long long>(x)) + ","
         + std::to_string(static_cast<long long>(y)));
    field.pointerMove(x, y);
}

void Soak::pointerOverWindow(const char* window, ui::Window& w)
{
    const double x = std::round(uniformReal(0, w.clientWidth()));
    const double y = std::round(uniformReal(0, w.clientHeight()));
    note(std::string("pointer over bare ") + window + " at " + std::to_string(static_cast<long long>(x)) + ","
         + std::to_string(static_cast<long long>(y)));
    w.pointerMove(x, y);
}

void Soak::typeInto(const char* window, ui::Field& field, const QString& text)
{
    note("type \"" + utf8(text) + "\" into " + describe(window, field));
    static_cast<ui::TextField&>(field).type(text);
}

void Soak::dragSlider(const char* window, ui::Field& field)
{
    auto* slider = static_cast<QSlider*>(field.widget());
    const int value = uniform(slider->minimum(), slider->maximum());
    note("drag " + describe(window, field) + " to " + std::to_string(value));
    // What a player's drag does: the widget moves and reports its value.
    slider->setValue(value);
}

void Soak::resize(const char* window, ui::Window& w)
{
    double width = 0;
    double height = 0;
    switch (uniform(0, 3)) {
    case 0:  // tiny
        width = uniform(1, 300);
        height = uniform(1, 300);
        break;
    case 1:  // large
        width = uniform(15000, 30000);
        height = uniform(9000, 20000);
        break;
    default:
        width = uniform(2000, 15000);
        height = uniform(1000, 10000);
        break;
    }
    note(std::string("resize ") + window + " to " + std::to_string(static_cast<long long>(width)) + "x"
         + std::to_string(static_cast<long long>(height)));
    w.setClientSize(width, height);
}

void Soak::requestClose(const char* window, ui::Window& w)
{
    const bool battle = game_->battleExists() && &w == &game_->Battle();
    if (w.visible() && chance(0.5)) {
        // The close control as the window system delivers it: a close event.
        note(std::string("close event ") + window);
        w.widget()->close();
    } else {
        note(std::string("close request ") + window);
        w.requestClose();
    }
    if (battle && !game_->battleExists())
        ++figures_.battleClosed;
}

void Soak::show(const char* window, ui::Window& w)
{
    note(std::string("show ") + window);
    w.show();
}

void Soak::touchWindow()
{
    switch (uniform(0, 5)) {
    case 0:
        note("touch Battle");
        game_->Battle();
        break;
    case 1:
        note("touch Score");
        game_->Score();
        break;
    default: {
        const int slot = uniform(0, 3);
        note(std::string("touch ") + kPanelNames[slot]);
        game_->player(slot);
        break;
    }
    }
}

void Soak::tickSomeTimer()
{
    // Every enabled timer of every window, the fast ones more often.
    std::vector<std::pair<const char*, ui::Timer*>> timers;
    std::vector<double> weights;
    for (const LiveWindow& live : liveWindows()) {
        for (ui::Timer* timer : live.window->timers()) {
            if (!timer->enabled())
                continue;
            timers.emplace_back(live.name, timer);
            const int interval = timer->interval();
            weights.push_back(interval <= 1 ? 8.0 : interval <= 30 ? 4.0 : 1.0);
        }
    }
    if (timers.empty()) {
        note("tick: no timer is running");
        return;
    }
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    const auto& chosen = timers[pick(rng_)];
    tickTimer(chosen.first, *chosen.second);
}

QPoint Soak::pointOver(ui::Window& w)
{
    // Often on one of the window's fields, disabled and covered ones
    // included; otherwise anywhere in the window.
    QWidget* top = w.widget();
    if (chance(0.6))
        if (ui::Field* field = pickField(w, false))
            if (QWidget* widget = field->widget(); widget && widget->isVisibleTo(top)) {
                const QPoint local(uniform(0, std::max(0, widget->width() - 1)),
                                   uniform(0, std::max(0, widget->height() - 1)));
                const QPoint point = widget->mapTo(top, local);
                if (top->rect().contains(point))
                    return point;
            }
    return {uniform(0, std::max(0, top->width() - 1)), uniform(0, std::max(0, top->height() - 1))};
}

void Soak::sendPointer(QWindow* window, QPoint point, QEvent::Type type, Qt::MouseButton button)
{
    // Through the window system, as a real mouse: Qt picks the widget under
    // the point, or the one that holds the pointer while a button is down.
    // Each event is a second apart, so none is taken for a double click.
    pointerTime_ += 1000;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button)
                                  : type == QEvent::MouseMove && pressedWindow_ ? Qt::MouseButtons(Qt::LeftButton)
                                                                                : Qt::MouseButtons(Qt::NoButton);
    qt_handleMouseEvent(window, QPointF(point), window->mapToGlobal(QPointF(point)), held, button, type,
                        Qt::NoModifier, static_cast<int>(pointerTime_ & 0x3fffffff));
}

void Soak::realPointer(const char* window, ui::Window& w)
{
    QWidget* top = w.widget();
    // A button held since an earlier event: the drag goes on over this
    // window, or ends with the release.
    if (pressedWindow_) {
        QWindow* held = pressedWindow_;
        if (!top->isVisible() || !top->windowHandle() || top->windowHandle() != held)
            top = nullptr;
        QPoint point = top ? pointOver(w) : QPoint(uniform(-50, 400), uniform(-50, 400));
        if (chance(0.15))
            point += QPoint(uniform(-300, 300), uniform(-300, 300)); // off the window
        if (chance(0.35)) {
            note(std::string("real release at pixel ") + std::to_string(point.x()) + "," + std::to_string(point.y())
                 + " of the window pressed");
            pressedWindow_ = nullptr;
            sendPointer(held, point, QEvent::MouseButtonRelease, Qt::LeftButton);
        } else {
            note(std::string("real drag to pixel ") + std::to_string(point.x()) + "," + std::to_string(point.y())
                 + " of the window pressed");
            sendPointer(held, point, QEvent::MouseMove, Qt::NoButton);
        }
        return;
    }
    if (!top->isVisible() || !top->windowHandle()) {
        pointerOverWindow(window, w);
        return;
    }
    QWindow* handle = top->windowHandle();
    const QPoint point = pointOver(w);
    QWidget* target = top->childAt(point);
    const std::string where = std::string(window) + " at pixel " + std::to_string(point.x()) + ","
                              + std::to_string(point.y()) + " over "
                              + (target ? target->metaObject()->className() : "the window");
    const int roll = uniform(0, 9);
    if (roll < 4) {
        note("real pointer move over " + where);
        sendPointer(handle, point, QEvent::MouseMove, Qt::NoButton);
    } else if (roll < 7) {
        note("real press over " + where);
        sendPointer(handle, point, QEvent::MouseMove, Qt::NoButton);
        pressedWindow_ = handle;
        sendPointer(handle, point, QEvent::MouseButtonPress, Qt::LeftButton);
    } else {
        // The press may already close or rebuild windows: release on the
        // window only while it is still there.
        note("real click over " + where);
        QPointer<QWindow> guard(handle);
        sendPointer(handle, point, QEvent::MouseMove, Qt::NoButton);
        sendPointer(handle, point, QEvent::MouseButtonPress, Qt::LeftButton);
        if (guard)
            sendPointer(handle, point, QEvent::MouseButtonRelease, Qt::LeftButton);
    }
}

void Soak::realKeys(const char* window, ui::Window& w)
{
    // Keys typed into a text field a player can reach: added at the cursor.
    std::vector<QLineEdit*> edits;
    for (ui::Field* field : w.fields())
        if (auto* edit = qobject_cast<QLineEdit*>(field->widget()))
            if (reachable(w, *field) && edit->isEnabled())
                edits.push_back(edit);
    if (edits.empty()) {
        pointerOverWindow(window, w);
        return;
    }
    QLineEdit* edit = edits[static_cast<std::size_t>(uniform(0, static_cast<int>(edits.size()) - 1))];
    static const char* const kKeys[] = {"1", "9", "-", ".", "e", "a", " "};
    const int count = uniform(1, 4);
    std::string typed;
    for (int i = 0; i < count; ++i) {
        const bool backspace = chance(0.2);
        const char* key = kKeys[uniform(0, 6)];
        typed += backspace ? "<bs>" : key;
        QKeyEvent press(QEvent::KeyPress, backspace ? Qt::Key_Backspace : Qt::Key_unknown, Qt::NoModifier,
                        backspace ? QString() : QString::fromLatin1(key));
        QCoreApplication::sendEvent(edit, &press);
    }
    note(std::string("keys \"") + typed + "\" into a text field of " + window);
}

// ---- Helpers ----

std::string Soak::describeMatch()
{
    Game& g = *game_;
    BattleWindow& b = g.Battle();
    std::string text = "marker " + (g.panelExists(0) ? g.turnMarker().toStdString() : std::string("-"));
    text += ", running:";
    for (ui::Timer* timer : b.timers())
        if (timer->enabled())
            text += " " + timer->name().toStdString();
    text += ", vehicles:";
    for (int k = 0; k < 4; ++k) {
        text += " " + std::to_string(k + 1) + (b.vehicle[static_cast<std::size_t>(k)]->visible() ? "+" : "-");
        if (g.panelExists(k) && g.player(k).visible())
            text += "(panel)";
    }
    text += ", wind " + utf8(b.Text3.text()) + "/" + utf8(b.Text4.text());
    text += ", shell at " + std::to_string(b.Image1.left()) + "," + std::to_string(b.Image1.top());
    text += ", shots " + std::to_string(shotsThisMatch_) + ", idle events " + std::to_string(eventsSinceProgress_);
    return text;
}

std::vector<Soak::LiveWindow> Soak::liveWindows() const
{
    return game_->liveWindows();
}

std::vector<Soak::LiveWindow> Soak::playersWindows() const
{
    std::vector<LiveWindow> windows = liveWindows();
    if (game_->computerExists())
        windows.pop_back();
    return windows;
}

const Soak::LiveWindow& Soak::pickWindow(const std::vector<LiveWindow>& windows)
{
    // Windows on the screen are where the player's attention is.
    std::vector<double> weights;
    for (const LiveWindow& live : windows)
        weights.push_back(live.window->visible() ? 3.0 : 1.0);
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    return windows[pick(rng_)];
}

// The fields the soak plays with and names by their place in this list: all
// of the window's fields but the setup window's "Suara" and "Kamera ikut"
// boxes, its language choice "Bahasa" with its caption, its "Bantuan" and
// "Jaringan" buttons, and the camera's hidden state on the battle window.
// Sound, language, help and the network window change no play, the camera only the view while its box is ticked, and
// leaving them out keeps every seed playing, and tracing, as it did before
// they existed.
std::vector<ui::Field*> Soak::playedFields(const ui::Window& w) const
{
    std::vector<const ui::Field*> leftOut;
    if (game_) {
        const RosterWindow& form = game_->Form1();
        leftOut = {&form.Suara, &form.Kamera, &form.LabelBahasa, &form.Bahasa, &form.Bantuan, &form.Jaringan};
        if (const auto* battle = dynamic_cast<const BattleWindow*>(&w)) {
            leftOut.push_back(&battle->kamera1);
            leftOut.push_back(&battle->kamera2);
        }
    }
    std::vector<ui::Field*> fields;
    for (ui::Field* field : w.fields())
        if (std::find(leftOut.begin(), leftOut.end(), field) == leftOut.end())
            fields.push_back(field);
    return fields;
}

ui::Field* Soak::pickField(ui::Window& w, bool onlyReachable)
{
    const std::vector<ui::Field*> fields = playedFields(w);
    if (fields.empty())
        return nullptr;
    // The seat controls are the last fields of the setup window; leaving
    // them out keeps the picks among the other fields as they always were.
    std::vector<ui::Field*> candidates;
    if (!onlyReachable) {
        for (ui::Field* field : fields)
            if (!isSeatControl(*field))
                candidates.push_back(field);
        if (candidates.empty())
            return nullptr;
        return candidates[static_cast<std::size_t>(uniform(0, static_cast<int>(candidates.size()) - 1))];
    }
    for (ui::Field* field : fields)
        if (reachable(w, *field) && field->isEnabled() && !isSeatControl(*field))
            candidates.push_back(field);
    if (candidates.empty())
        return nullptr;
    return candidates[static_cast<std::size_t>(uniform(0, static_cast<int>(candidates.size()) - 1))];
}

QString Soak::randomText()
{
    static const QString kTexts[] = {
        QString(), QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
        QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("-1"),
        QStringLiteral("-0"), QStringLiteral("2.5"), QStringLiteral("-300"), QStringLiteral("42"),
        QStringLiteral("100"), QStringLiteral("32767"), QStringLiteral("32768"), QStringLiteral("-32769"),
        QStringLiteral("2147483648"), QStringLiteral("9e18"), QStringLiteral("1e19"), QStringLiteral("1e308"),
        QStringLiteral("-1e308"), QStringLiteral("1e309"), QStringLiteral("nan"), QStringLiteral("NaN"),
        QStringLiteral("inf"), QStringLiteral("-inf"), QStringLiteral("abc"), QStringLiteral("  12  "),
        QStringLiteral("0x10"), QStringLiteral("1,5"), QStringLiteral("1.5e2"), QStringLiteral("Ana"),
        QStringLiteral("Budi"), QString::fromUtf8("Çitra ñ"), QString::fromUtf8("日本語"),
        QString::fromUtf8("\xF0\x9F\x98\x80"), QString::fromUtf8("１２"), QStringLiteral("Draw!"),
        QStringLiteral("Pemenang: "),
    };
    constexpr int kCount = static_cast<int>(sizeof kTexts / sizeof kTexts[0]);
    const int roll = uniform(0, kCount + 4);
    if (roll < kCount)
        return kTexts[roll];
    switch (roll - kCount) {
    case 0:
        return QString(uniform(1000, 2000), QLatin1Char('9'));
    case 1:
        return QString(uniform(1000, 2000), QLatin1Char('x'));
    case 2:
        return numtext::text(uniformReal(-1e6, 1e6));
    case 3:
        return numtext::text(static_cast<std::int64_t>(uniform(-100000, 100000)));
    default:
        return QString::fromUtf8("\xC3\xA9\xE2\x82\xAC").repeated(uniform(300, 600));
    }
}

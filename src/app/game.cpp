#include "app/game.h"

#include "ui/language.h"

#include "app/help_page.h"
#include "app/play_keys.h"

#include "battle/battle_window.h"
#include "computer/computer_player.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"
#include "ui/help_browser.h"
#include "ui/number_text.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

Game::Game(Edition edition, QString pictureFolder)
    : edition_(edition)
    , pictureFolder_(std::move(pictureFolder))
    , sound_(*this)
    , camera_(*this)
    , lifetime_(std::make_unique<QObject>())
    , ending_([](int status) { QCoreApplication::exit(status); })
{
    if (windEdition())
        form1_ = std::make_unique<WindSetupWindow>(*this);
    else
        form1_ = std::make_unique<SetupWindow>(*this);
}

Game::~Game()
{
    // No window's destructor reaches another window, and no timer ticks while
    // the game is destroyed, as no event loop turns. The order is kept safe
    // all the same: the discarded windows still waiting in the graveyard go
    // first, then those made on first touch, and the setup window, made with
    // the game and read by every other window, last.
    graveyard_.clear();
    // The computer players watch the other windows: they go first.
    computer_.reset();
    score_.reset();
    battle_.reset();
    for (auto& panel : panels_)
        panel.reset();
    form1_.reset();
    help_.reset();
}

RosterWindow& Game::Form1() { return *form1_; }

SetupWindow& Game::setup()
{
    Q_ASSERT_X(!windEdition(), "Game::setup", "the wind edition has no character statistics");
    return static_cast<SetupWindow&>(*form1_);
}

WindSetupWindow& Game::windSetup()
{
    Q_ASSERT_X(windEdition(), "Game::windSetup", "the full game has no wind edition setup window");
    return static_cast<WindSetupWindow&>(*form1_);
}

BattleWindow& Game::Battle()
{
    if (!battle_) {
        battle_ = std::make_unique<BattleWindow>(*this);
        battle_->onClosed([this] { discardBattle(); });
        battle_->onKeys(playKeys(), [this](ui::Key key) { pressPlayKey(*this, key); });
    }
    return *battle_;
}

PanelWindow& Game::player(int slot)
{
    auto& panel = panels_.at(static_cast<std::size_t>(slot));
    if (!panel) {
        panel = std::make_unique<PanelWindow>(*this, slot);
        panel->setTakesPlayerInput(!computerSeat(slot) && !remoteSeat(slot));
        panel->onKeys(playKeys(), [this](ui::Key key) { pressPlayKey(*this, key); });
    }
    return *panel;
}

computer::ComputerWindow& Game::Computer()
{
    if (!computer_)
        computer_ = std::make_unique<computer::ComputerWindow>(*this);
    return *computer_;
}

bool Game::computerSeat(int slot) { return Form1().seatPlayer(slot).has_value(); }

bool Game::remoteSeat(int slot) { return Form1().networkSeatHeld(slot); }

void Game::seatsChanged()
{
    bool anyComputer = false;
    for (int slot = 0; slot < 4; ++slot) {
        const bool computer = computerSeat(slot);
        anyComputer = anyComputer || computer;
        if (panelExists(slot)) {
            player(slot).setTakesPlayerInput(!computer && !remoteSeat(slot));
            // The title says whether the computer plays a network seat now.
            if (Form1().networkSeat(slot))
                player(slot).setCaption(Form1().panelTitle(slot));
        }
    }
    if (anyComputer)
        Computer();
    if (seatWatcher_)
        seatWatcher_();
}

ScoreWindow& Game::Score()
{
    if (!score_) {
        score_ = std::make_unique<ScoreWindow>(*this);
        score_->onClosed([this] { discardScore(); });
    }
    return *score_;
}

QString Game::turnMarker() { return player(0).tag(); }
void Game::setTurnMarker(const QString& marker) { player(0).setTag(marker); }

std::optional<int> Game::turnSlot()
{
    const double marker = numtext::readDouble(turnMarker());
    for (int slot = 0; slot < 4; ++slot)
        if (marker == slot)
            return slot;
    return std::nullopt;
}

std::vector<Game::LiveWindow> Game::liveWindows()
{
    static const char* const kPanelNames[4] = {"player1", "player2", "player3", "player4"};
    std::vector<LiveWindow> windows{{"Form1", form1_.get()}};
    if (battle_)
        windows.push_back({"Battle", battle_.get()});
    for (int slot = 0; slot < 4; ++slot)
        if (panels_.at(static_cast<std::size_t>(slot)))
            windows.push_back({kPanelNames[slot], panels_.at(static_cast<std::size_t>(slot)).get()});
    if (score_)
        windows.push_back({"Score", score_.get()});
    if (computer_)
        windows.push_back({"Computer", computer_.get()});
    return windows;
}

void Game::showHelp()
{
    const QString language = ui::languageCode(ui::shownLanguage());
    if (!help_ || helpLanguage_ != language) {
        help_ = std::make_unique<ui::HelpBrowser>(helpTitle(edition_), helpPage(language));
        helpLanguage_ = language;
    }
    help_->show();
}

void Game::discardBattle()
{
    if (battle_)
        bury(std::move(battle_));
}

void Game::discardScore()
{
    if (score_)
        bury(std::move(score_));
}

void Game::bury(std::unique_ptr<ui::Window> window)
{
    // The window may be in the middle of its own close event: stop it now and
    // delete it once control is back in the event loop.
    window->stopAllTimers();
    window->hide();
    graveyard_.push_back(std::move(window));
    QTimer::singleShot(0, lifetime_.get(), [this] { graveyard_.clear(); });
}

void Game::endProgram(int status)
{
    // No timer of any window ticks on while the program ends.
    for (const LiveWindow& live : liveWindows())
        live.window->stopAllTimers();
    ending_(status);
}

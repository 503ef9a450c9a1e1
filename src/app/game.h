#pragma once

#include "app/edition.h"
#include "app/game_camera.h"
#include "app/game_sound.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ui {
class HelpBrowser;
class Window;
}
class RosterWindow;
class SetupWindow;
class WindSetupWindow;
class BattleWindow;
class PanelWindow;
class ScoreWindow;
class QObject;
namespace computer {
class ComputerWindow;
}

// The game's windows, reached by name. A window other than the setup window
// is created the first time anything touches it; the battle window and the
// score board are discarded when the player closes them and built afresh,
// with their design values, at the next touch. So no code keeps a reference
// to a window or a field across handlers: it asks here every time.
class Game {
public:
    Game(Edition edition, QString pictureFolder);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Edition edition() const { return edition_; }
    // The folder the program started in: where its pictures are read from.
    // The setup window's hidden Dir1 shows this folder; code asks here.
    const QString& pictureFolder() const { return pictureFolder_; }
    bool windEdition() const { return edition_ == Edition::Wind; }

    // The setup window `Form1` of this edition, created with the game.
    RosterWindow& Form1();
    // Form1 as the full game's setup window (character selector, statistics).
    // Asking the wind edition for it is a programming error.
    SetupWindow& setup();
    // Form1 as the wind edition's setup window; only the wind edition has it.
    WindSetupWindow& windSetup();

    BattleWindow& Battle();
    // Panels `player1` .. `player4` by player slot 0..3.
    PanelWindow& player(int slot);
    ScoreWindow& Score();

    // What the players hear of the game's events.
    GameSound& sound() { return sound_; }
    // The view that keeps the action in sight, and its key.
    GameCamera& camera() { return camera_; }

    // The computer players: a hidden window of their own, made when a seat is
    // first given to the computer, so that a game of people alone has no
    // trace of it.
    computer::ComputerWindow& Computer();
    bool computerExists() const { return computer_ != nullptr; }
    // Whether the computer plays a seat, as its seat control reads.
    bool computerSeat(int slot);
    // A network seat a joined player holds: the host's own people and
    // computer leave its panel alone.
    bool remoteSeat(int slot);
    // A seat control changed: a computer seat's panel refuses a person's
    // clicks and keys, and the computer players are made when first needed.
    void seatsChanged();
    // Told after every seat change (network play keeps its open seats so).
    void watchSeats(std::function<void()> watcher) { seatWatcher_ = std::move(watcher); }

    bool battleExists() const { return battle_ != nullptr; }
    bool scoreExists() const { return score_ != nullptr; }
    bool panelExists(int slot) const { return panels_.at(slot) != nullptr; }

    // A window that exists now, with its name in the game.
    struct LiveWindow {
        const char* name;
        ui::Window* window;
    };
    // Every window that exists now, always in this order: `Form1`, `Battle`,
    // `player1` .. `player4`, `Score`, `Computer`. Asking makes none.
    std::vector<LiveWindow> liveWindows();

    // The turn marker: the Tag text of `player1`.
    QString turnMarker();
    void setTurnMarker(const QString& marker);
    // The player the turn marker names: the slot 0..3 when the marker reads
    // as exactly that number, nothing otherwise ("-1" between turns, "4",
    // "2.5"). A marker that is no number at all (empty, letters) reads as 0,
    // as every number field of the game does, and so names player 1. Like
    // turnMarker(), it makes `player1` if nothing has touched it yet.
    std::optional<int> turnSlot();

    // Opens the help window in the language shown, or brings it to the front
    // (a window in another language is made anew). It stays open beside the
    // game and blocks nothing.
    void showHelp();
    // The help window, once opened.
    ui::HelpBrowser* help() const { return help_.get(); }

    // The window's own close control: discard, to be rebuilt at the next touch.
    void discardBattle();
    void discardScore();

    // Ends the program with an exit status ("Exit", closing the setup window,
    // an unreadable battlefield picture). Tests replace the ending.
    void endProgram(int status);
    void setProgramEnding(std::function<void(int)> ending) { ending_ = std::move(ending); }

private:
    void bury(std::unique_ptr<ui::Window> window);

    Edition edition_;
    QString pictureFolder_;
    GameSound sound_;
    GameCamera camera_;
    std::unique_ptr<RosterWindow> form1_;
    std::unique_ptr<BattleWindow> battle_;
    std::array<std::unique_ptr<PanelWindow>, 4> panels_;
    std::unique_ptr<ScoreWindow> score_;
    std::unique_ptr<computer::ComputerWindow> computer_;
    std::unique_ptr<ui::HelpBrowser> help_;
    QString helpLanguage_;
    std::vector<std::unique_ptr<ui::Window>> graveyard_;
    // Context of the deferred clearing of the graveyard: it dies with the
    // game, so a clearing still queued then never runs.
    std::unique_ptr<QObject> lifetime_;
    std::function<void(int)> ending_;
    std::function<void()> seatWatcher_;
};

#pragma once

// A long seeded random session of one edition: everything a player can do
// (clicks, pointer moves, typing, slider drags, resizes, close requests),
// everything the game does by itself (timer ticks, windows created and
// shown), with a bias toward sensible play so that whole matches are fought.
// After every event the invariants in soak_invariants.cpp are checked; the
// first violation ends the run with the seed, the event number and the last
// events. Timers run in their checking mode: a tick of a timer that had gone
// to sleep, one its clock would have left out, must change nothing.

#include "app/edition.h"
#include "app/game.h"

#include <QEvent>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWindow>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

class Game;
class QWidget;
class BattleWindow;
class PanelWindow;

namespace net {
class HostSession;
class JoinSession;
} // namespace net

namespace ui {
class Field;
class Timer;
class Window;
} // namespace ui

struct SoakOptions {
    Edition edition = Edition::Full;
    std::uint32_t seed = 1;
    long long events = 200000;
    QString assets;
    bool trace = false;  // print every event as it happens
    // Seats the computer at every program start, at mixed levels; the random
    // events go on around its turns. Without it every seat is a person's and
    // the seat controls stay off the screen, so play is exactly as it was
    // before the computer players existed.
    bool computers = false;
    // Ticks the "Kamera ikut" box at every program start, so that the
    // camera's glides and following run among the random events. Without it
    // the box stays clear and the camera never runs.
    bool camera = false;
    // Hosts every program start's game on the loopback, with this many seats
    // (players 2, 3, 4) played by joined programs in the same process, 0..3.
    // Their players click their own panels' mirrors, move the pointer over
    // their battlefields, scroll their own views, answer messages, leave and
    // come back; after every event each joined program must show every
    // window of the host exactly as the host does. Without it nobody hosts.
    int networkClients = 0;
};

struct SoakFigures {
    long long events = 0;
    long long games = 0;           // Game objects built (program starts)
    long long programEnds = 0;     // recorded ends of the program
    long long matchesStarted = 0;  // "Start" clicks that reached the game
    long long shotsFired = 0;      // launches (the flight timer switched on)
    long long hits = 0;            // explosions set off (the explosion timer switched on)
    long long kills = 0;
    long long winners = 0;         // winner messages
    long long matchesDecided = 0;  // matches that reached a winner or a draw since their "Start"
    long long draws = 0;           // draw messages
    long long pictureMessages = 0; // unreadable picture files
    long long messages = 0;
    long long battleClosed = 0;    // battle windows discarded by their close control
    long long recoveries = 0;      // sensible play found nothing to do and restarted a match
    long long computerPlans = 0;   // turns a computer player planned (--computers)
    long long longestComputerTurn = 0;  // the most pace ticks one computer turn took (--computers)
    long long sleepingTicks = 0;   // ticks of sleeping timers, each checked to change nothing
    long long remoteEvents = 0;    // events of joined players (--network-clients)
    long long remoteJoins = 0;     // joins accepted, rejoins included
    long long remoteOks = 0;       // messages closed by a joined player's OK
    long long mirrorChecks = 0;    // windows compared field by field with a joined program's mirror
};

class Soak {
public:
    explicit Soak(SoakOptions options);
    ~Soak();
    Soak(const Soak&) = delete;
    Soak& operator=(const Soak&) = delete;

    // Runs the session; 0 when every invariant held, 1 otherwise.
    int run();
    const SoakFigures& figures() const { return figures_; }
    // The seed, the event number and the last events, on the error output.
    void printLastEvents() const;

    // A game window that exists now, by its game name.
    using LiveWindow = Game::LiveWindow;

    // ---- For a driver of its own (the arena) ----
    // A new program start: a fresh game with its setup window shown.
    void startGame();
    Game& game() { return *game_; }
    // The checks made after every event of a soak: the invariants, the
    // messages recorded, and now and then the event loop's run.
    void afterEvent();
    void countEvent() { ++eventNumber_; ++figures_.events; }

private:
    // ---- The program ----
    // A program start of the soak itself: startGame, then its seats.
    void startProgram();
    void flushPostedEvents();
    void processEventLoop();

    // ---- Choosing the next event ----
    void step();
    bool playSensibly();
    // The steps of playSensibly.
    void quitPlaying();
    void browseCharacters();
    void chooseGameType();
    void playBetweenMatches(bool battleExists);
    void abandonStuckMatch();
    bool tickShellOrGlide();
    bool playWhoseTurnItIs();
    void waitForNextTurn();
    void playTurn(int slot);
    void chaos();

    // ---- Events: each does one thing and records what it did ----
    void clickField(const char* window, ui::Field& field);
    void tickTimer(const char* window, ui::Timer& timer);
    void pointerOverField(const char* window, ui::Field& field);
    void pointerOverWindow(const char* window, ui::Window& w);
    void typeInto(const char* window, ui::Field& field, const QString& text);
    void dragSlider(const char* window, ui::Field& field);
    void resize(const char* window, ui::Window& w);
    void requestClose(const char* window, ui::Window& w);
    void show(const char* window, ui::Window& w);
    void touchWindow();
    void tickSomeTimer();
    void realPointer(const char* window, ui::Window& w);
    QPoint pointOver(ui::Window& w);
    void sendPointer(QWindow* window, QPoint point, QEvent::Type type, Qt::MouseButton button);
    void realKeys(const char* window, ui::Window& w);
    // --computers: the seats of a new program, and a computer's turn played
    // on by ticking its pace and its gauges.
    void seatComputers();
    void playComputerTurn(int slot);
    // Human-only runs: the seat controls never show.
    void keepSeatControlsOff();
    // Computers play some turns: seated by --computers, or network seats
    // nobody holds.
    bool computersPlay() const { return options_.computers || options_.networkClients > 0; }

    // ---- Network play (soak_network.cpp) ----
    // A joined program and its player.
    struct Remote {
        QString name;
        int character = 1;
        int seat = -1;  // the seat it was given last, -1 before its first join
        std::unique_ptr<net::JoinSession> session;  // null while the player is away
        bool ended = false;  // the session told of its end
    };
    void startNetwork();
    void stopNetwork();
    void joinRemote(Remote& remote);
    void networkEvent();
    // Flushes the host and runs the event loop until every joined program
    // has everything the host sent, and the host everything they sent.
    void syncNetwork();
    bool networkSettled() const;
    void checkMirrors();
    Remote* remoteAt(int seat);
    // A click of a joined player on their own panel's mirror of `field`.
    void clickMirror(Remote& remote, int slot, ui::Field& field);
    void answerMessage(qint64 id, const QString& text);
    void presentMessage(const QString& text);
    bool remoteWidget(const QWidget* widget) const;

    // ---- Helpers ----
    std::vector<LiveWindow> liveWindows() const;
    // The windows a person can see and use: the computer players' hidden
    // window is left out.
    std::vector<LiveWindow> playersWindows() const;
    bool isSeatControl(const ui::Field& field) const;
    const LiveWindow& pickWindow(const std::vector<LiveWindow>& windows);
    ui::Field* pickField(ui::Window& w, bool onlyReachable);
    std::vector<ui::Field*> playedFields(const ui::Window& w) const;
    QString randomText();
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    double uniformReal(double low, double high) { return std::uniform_real_distribution<double>(low, high)(rng_); }
    int markerSlot() const;
    std::string describeMatch();
    bool reachable(const ui::Window& window, const ui::Field& field) const;
    void note(std::string text);
    std::string describe(const char* window, const ui::Field& field) const;

    // ---- Invariants (soak_invariants.cpp) ----
    void checkInvariants();
    void checkWindowFields(const LiveWindow& live);
    void checkBattle(BattleWindow& battle);
    void checkPanel(const char* name, PanelWindow& panel);
    void checkComputer();
    void checkSetup();
    void recordMessage(const QString& text);
    void violation(const std::string& what);

    SoakOptions options_;
    std::mt19937 rng_;
    std::unique_ptr<Game> game_;
    bool programEnded_ = false;
    SoakFigures figures_;

    // The last events, for the report of a violation.
    static constexpr std::size_t kHistory = 20;
    std::array<std::string, kHistory> history_;
    std::size_t historyNext_ = 0;
    long long eventNumber_ = 0;

    // A violation found inside a handler (a message), reported after the event.
    std::string pendingViolation_;

    // Field and timer counts of each kind of window, as first seen.
    std::map<std::string, std::pair<std::size_t, std::size_t>> windowShape_;

    // The battle window that a "Start" reached, and whether its fire button
    // was pressed; forgotten when that window is discarded.
    const BattleWindow* startedBattle_ = nullptr;
    const BattleWindow* firedBattle_ = nullptr;
    const BattleWindow* seenBattle_ = nullptr;
    bool flightWasOn_ = false;
    bool explosionWasOn_ = false;

    // Sensible play: the powers each player aims for.
    struct Aim {
        float far = 30;
        float high = 25;
    };
    std::vector<Aim> hittingAims(int slot, bool facingRight);
    std::array<Aim, 4> aim_{};
    // The real pointer: the window where its button was pressed while it is
    // held, and the time of its last event (ms).
    QPointer<QWindow> pressedWindow_;
    unsigned long pointerTime_ = 0;

    bool wantsToQuit_ = false;
    bool matchDecided_ = true;
    long long eventsSinceProgress_ = 0;
    long long shotsThisMatch_ = 0;

    std::unique_ptr<net::HostSession> host_;
    std::vector<std::unique_ptr<Remote>> remotes_;
    // The program's own modal message box, which a joined player's OK closes.
    std::function<void(const QString&)> modalPresenter_;
};

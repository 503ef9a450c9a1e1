#pragma once

#include "app/game_words.h"
#include "ui/controls.h"
#include "ui/timer.h"
#include "ui/window.h"

#include <array>
#include <optional>
#include <utility>

class Game;
struct BattleDesign;

// The battle window `Battle`: the arena of a match and the store of the whole
// battle state. Its fields are the game's state; the panels, the setup window
// and the explosion read and write them by name.
//
// Scene fields are children of the battlefield surface `Picture1` and are
// positioned in battlefield twips; the scroll buttons, "Score..." and the
// hidden flight fields stay on the window. The wind edition lacks the scroll
// buttons, the turn scheduler and its gauges: those fields exist there but
// stay hidden and their timers never run.
class BattleWindow : public ui::Window {
public:
    explicit BattleWindow(Game& game);
    ~BattleWindow() override;

    // A name plate stands this far above the top of its vehicle.
    static constexpr ui::Twips kPlateAboveVehicle = 200;

    // ---- On the window, under the battlefield ----
    std::array<ui::Label, 2> Label1;  // "Start Top", "Start Left": not used by the game

    // ---- The battlefield ----
    ui::PictureBox Picture1;  // the battlefield, under the scene's fields

    // ---- Flight state (hidden) ----
    ui::TextField Text1;  // t, the flight parameter
    ui::TextField Text2;  // the parabola offset -t^2/20
    ui::TextField left1;  // horizontal reference of the shell
    ui::TextField top1;   // vertical reference of the shell

    // ---- Vehicles, shell and explosion ----
    ui::Sprite Image3;  // player 1's vehicle
    ui::Sprite Image2;  // player 2's vehicle
    ui::Sprite mob3;    // player 3's vehicle
    ui::Sprite mob4;    // player 4's vehicle
    ui::Sprite Image1;  // the shell
    ui::Sprite duar;    // the explosion

    // ---- Wind ----
    ui::Frame Frame1;     // wind edition: the frame of the wind texts
    ui::TextField Text3;  // current horizontal wind W
    ui::TextField Text4;  // current vertical wind V
    ui::TextField Text7;  // next horizontal wind
    ui::TextField Text8;  // next vertical wind
    ui::Line angi1;       // wind arrow
    ui::Shape Shape1;     // outer square of the dial
    ui::Shape Shape2;     // inner square of the dial
    ui::Label Label2;     // "Angin:" (wind): dial caption; wind edition: wind frame caption
    ui::Label Label4;     // wind edition: the dial's caption "Angin:"
    ui::Label Label5;     // horizontal wind text, shown in the wind edition
    ui::Label Label6;     // wind edition: vertical wind text

    // ---- Unused by the game ----
    ui::TextField Text5;  // not used
    ui::TextField Text6;  // not used

    // ---- Shot ----
    ui::ProgressBar ProgressBar1;  // far power of the shot (mirror of the panel's gauge)
    ui::ProgressBar Slider1;       // high power of the shot (mirror of the panel's gauge)
    ui::Label lr;                  // facing of the shooter: "kanan" or "kiri"
    ui::Frame Frame2;              // "Power", around damage; full game only
    ui::Label damage;              // damage of the shot in flight
    ui::Label dm1, dm2, dm3, dm4;  // damage dealt to each player by the last hit
    ui::Line Line1;                // aiming guide line

    // ---- Players ----
    ui::Label name1, name2, name3, name4;                         // name plates
    ui::ProgressBar ProgressBar2, ProgressBar3, ProgressBar4, ProgressBar5;  // energy
    ui::PictureBox sp1, sp2, sp3, sp4;                            // turn-gauge holders
    ui::ProgressBar ps1, ps2, ps3, ps4;                           // turn gauges

    // ---- Scrolling ----
    ui::Label scrol1;  // scroll direction: "no", "kiri", "kanan", "atas", "bawah"

    // ---- On the window, over the battlefield ----
    ui::Button frame1;    // scroll left
    ui::Button frame4;    // scroll right
    ui::Button frame5;    // scroll up; also the turn gauges' readout
    ui::Button frame6;    // scroll down
    ui::Button Command1;  // "Score...": shows the score board
    ui::Frame Frame3;     // end-of-match cover
    ui::Label Label3;     // the cover's message "Close to contiue"

    // ---- Camera (hidden) ----
    ui::Label kamera1;  // what the camera does: "mati", "ikut", "cari", "tengah", "diam"
    ui::Label kamera2;  // the turn marker the camera saw last

    // ---- Periodic tasks ----
    ui::Timer Timer1;      // 30 ms: shell flight
    ui::Timer Timer3;      // 20 ms: vertical glide
    ui::Timer Timer4;      // 20 ms: horizontal glide
    ui::Timer Tangin;      // 500 ms: wind arrow and colours
    ui::Timer Timer2;      // 500 ms: name plates and levels
    ui::Timer scrol;       // 30 ms: view scrolling
    ui::Timer beledug;     // 1000 ms: explosion and damage
    ui::Timer tagselamat;  // 1 ms: field upkeep
    ui::Timer timersp;     // 1 ms: turn scheduler
    ui::Timer kamera;      // 16 ms: the camera's glide and follow

    // ---- The same fields by player slot 0..3 ----
    std::array<ui::Sprite*, 4> vehicle;
    std::array<ui::ProgressBar*, 4> energyBar;
    std::array<ui::Label*, 4> damageLabel;
    std::array<ui::Label*, 4> namePlate;
    std::array<ui::PictureBox*, 4> gaugeHolder;
    std::array<ui::ProgressBar*, 4> turnGauge;
    std::array<ui::Button*, 4> scrollButton;  // frame1, frame4, frame5, frame6

    // ---- Named operations ----
    void EndShot();
    // Which way lr says the shooter faces; nothing for any other text.
    std::optional<words::Facing> shotFacing() const { return words::facingOf(lr.caption()); }
    void AdvanceNextWind();
    void PlaceWindDial(ui::Twips x, ui::Twips y);
    void WriteWindText();
    // The view glides to centre the vehicle whose turn it is, then the
    // camera rests until the next turn (the key C).
    void CentreOnTurn();
    // The "Kamera ikut" box ticked or cleared: the camera follows, or stops.
    void FollowTurns(bool follow);

    // ---- Handlers ----
    void flightTick();        // Timer1
    void verticalGlideTick(); // Timer3
    void horizontalGlideTick(); // Timer4
    void windDialTick();      // Tangin
    void namePlateTick();     // Timer2
    void scrollTick();        // scrol
    void explosionTick();     // beledug
    void upkeepTick();        // tagselamat
    void schedulerTick();     // timersp
    void cameraTick();        // kamera
    void battlefieldPointerMove(ui::Twips x, ui::Twips y);  // over Picture1
    // A pointer move over the battlefield on another machine: what it does
    // to the game (wind, turn upkeep, the turn's panel) without touching this
    // machine's own view, whose edge scrolling goes on.
    void remotePointerMove(ui::Twips x, ui::Twips y);
    void windowPointerMove();                               // over the bare window
    void scrollButtonClick(const QString& direction);       // frame1 "kiri", frame4 "kanan", frame5 "atas", frame6 "bawah"
    void scoreButtonClick();      // Command1
    void scoreButtonPointerMove();// Command1
    void damageClick();           // damage: player 2's energy to 10
    void powerFrameClick();       // Frame2: player 1's energy to 10
    void coverPointerMove();      // Frame3

    // The lower limit of a shell's flight: the battlefield's height, or in
    // the wind edition the window's outer height.
    ui::Twips flightFloor() const;

private:
    // The design of the edition is worked out once and handed to every
    // field's initialiser.
    BattleWindow(Game& game, const BattleDesign& design);

    // The steps of the constructor, before load.
    void setStoredPictures();
    void setLoadTimeLooks();
    void connectEvents();

    void load();
    bool windEdition() const;

    // The steps of explosionTick.
    void creditShooterWithDamage();
    void settleDamageAndKills();
    void declareLastSurvivorWinner();

    // The camera's moves, in camera.cpp.
    bool cameraFollows();
    std::optional<std::pair<ui::Twips, ui::Twips>> viewCentredOnTurn();
    bool turnVehicleInView();
    void keepShellInView();
    bool glideView(ui::Twips left, ui::Twips top);
    ui::Twips viewLeftWithin(ui::Twips left) const;
    ui::Twips viewTopWithin(ui::Twips top) const;

    Game& game_;
};

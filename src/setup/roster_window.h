#pragma once

#include "computer/planner.h"
#include "ui/controls.h"
#include "ui/window.h"

#include <array>
#include <cstdint>
#include <optional>

class Game;

// Positions of the roster's per-player fields and of the fields whose design
// differs between the two editions' setup windows.
struct RosterDesign {
    ui::Rect frame1;   // main menu
    ui::Rect frame2;   // roster, as designed (load moves it to 0, 0)
    ui::Rect frame4;   // player 4's slot inside Frame3
    std::array<ui::Rect, 4> picture;
    std::array<ui::Rect, 4> nameLabel;
    std::array<ui::Rect, 4> nameField;
    std::array<QString, 4> builtinPicture; // resource names of the default roster pictures
    // Each player's seat control, in free space of the roster: in the slot's
    // own frame, except where that frame has no room (seatInFrame3).
    std::array<ui::Rect, 4> seat;
    std::array<bool, 4> seatInFrame3;
};

// Who plays a seat: a person (nothing), or the computer at a level.
using SeatPlayer = std::optional<computer::Level>;

// What a seat control can name: who sits there, or a network seat, which a
// player on another machine takes.
enum class SeatKind { Human, ComputerEasy, ComputerMedium, ComputerHard, Network };

// The setup window `Form1` as both editions have it: the main menu with its
// game types, the roster of up to four players with their pictures, names and
// character numbers, "Score...", "back", "Start", the guide-line scale and
// the picture folder. Each edition's setup window adds its own fields.
class RosterWindow : public ui::Window {
public:
    RosterWindow(Game& game, const RosterDesign& design);
    ~RosterWindow() override;

    // Main menu
    ui::Frame Frame1;     // the main menu "Pilih tipe game:"
    ui::Button Command1;  // "Duel 1vs1"
    ui::Button Command2;  // "Survival 3 player"
    ui::Button Command3;  // "Survival 4 player"
    ui::Button Command4;  // "Team  2 vs 2"
    // "Suara": sound on or off. Below the menu, on the window itself, where
    // the roster covers it.
    ui::CheckBox Suara;
    // "Bahasa": the language every text is shown in, "Indonesia" or
    // "English", one row below "Suara".
    ui::Label LabelBahasa;
    ui::ComboBox Bahasa;
    // "Bantuan" (help): opens the help window. Beside "Suara".
    ui::Button Bantuan;
    // "Kamera ikut": the view follows the turns and the shell. Beside
    // "Suara", clear at first.
    ui::CheckBox Kamera;
    // "Jaringan": opens the window for hosting or joining a game over the
    // network. Below "Bantuan". Whoever offers network play wires it.
    ui::Button Jaringan;

    // Roster
    ui::Frame Frame2;     // the roster "Survival Game"
    ui::Frame Frame3;     // player 3's slot (and Frame4), borderless
    ui::Frame Frame4;     // player 4's slot, inside Frame3, borderless
    ui::Sprite Image1, Image2, Image3, Image4;  // roster pictures of players 1..4
    ui::TextField Text1, Text2, Text3, text4;   // names of players 1..4
    std::array<ui::Label, 4> Label2;   // "Nama", one per player
    ui::TextField nomob1, nomob2, nomob3, nomob4;  // character numbers, hidden
    ui::Button Command5;  // "Start"
    ui::Button back;      // "back": to the main menu
    ui::Slider Slider1;   // guide-line scale, 0 = off
    ui::Label Label1;     // "Garis Pembantu: (0=off)"
    ui::FolderList Dir1;  // the picture folder, as Game::pictureFolder() gives it

    ui::Button Command10; // "Score..."

    // The same fields by player slot 0..3.
    std::array<ui::Sprite*, 4> picture;
    std::array<ui::TextField*, 4> nameField;
    std::array<ui::TextField*, 4> characterNumber;
    std::array<ui::Container*, 4> slotContainer;
    // Each player's seat control, "Manusia", "Komputer mudah" / "sedang" /
    // "sulit" or "Jaringan". The edition's window makes them after all its
    // other fields. A network seat's control is tagged while a joined player
    // holds the seat.
    std::array<ui::Button*, 4> seat{};

    // Whether players 3 and 4 take part: their slots are shown on screen.
    bool playerTakesPart(int slot) const;

    // Who plays each seat, as its seat control reads. A network seat is the
    // computer at "sedang" while nobody holds it, a person while held.
    SeatPlayer seatPlayer(int slot) const;
    // Sets a seat control, as that many clicks on it would.
    void setSeatPlayer(int slot, SeatPlayer player);
    // What a seat control shows for a player.
    static const QString& seatCaption(SeatPlayer player);

    // The seat kind a seat control names, and setting it as clicks would.
    SeatKind seatKind(int slot) const;
    void setSeatKind(int slot, SeatKind kind);
    static const QString& seatKindCaption(SeatKind kind);

    // Network seats. While nobody holds one, its name field reads
    // "menunggu"; a name a person typed there comes back when the seat stops
    // being a network seat.
    bool networkSeat(int slot) const;
    void setNetworkSeat(int slot);
    bool networkSeatHeld(int slot) const;
    // A joined player holds the seat: their name and character go into the
    // roster's own fields.
    void holdNetworkSeat(int slot, const QString& name, int character);
    // Nobody holds it any more: "menunggu", the computer plays it.
    void releaseNetworkSeat(int slot);
    // The title of a player's panel: the name, and for a network seat the
    // computer plays, a word saying so.
    QString panelTitle(int slot) const;
    static const QString& waitingName();

    // The sprite file of a character number facing right ("kanan") or left.
    QString spriteFile(const QString& number, bool facingRight) const;

    // The number of players of the match, which the window's title holds
    // once a game type is chosen (read as every number field is).
    std::int64_t playerCount() const;

    // Handlers shared by both editions.
    void chooseGameType(int players);  // "Duel 1vs1" (2) .. "Survival 4 player" (4)
    void teamGame();                   // "Team  2 vs 2"
    void backToMenu();                 // "back"
    void openScoreBoard();             // "Score..."
    void cycleSeat(int slot);          // a seat control: the next player for the seat

    // At program start: the language FOR THIS RUN (the command line's), or
    // else the remembered one, is shown and chosen in "Bahasa". From then on
    // a player's choice there is remembered.
    void startInLanguage(std::optional<ui::Language> forThisRun);
    // The player chose in "Bahasa": every window shows that language.
    void chooseLanguage();

    // "Start": the edition's match start.
    virtual void startMatch() = 0;

protected:
    // A joined player's character (1..kCharacterCount) into a roster slot, as
    // the edition's own choice of character would put it.
    virtual void takeCharacter(int slot, int number) = 0;

    // Wires the seat controls made by the edition's window.
    void takeSeatControls(std::array<ui::Button, 4>& controls);
    // A new seat control for a player slot, at its design place, for a person.
    ui::Button seatControl(const RosterDesign& design, int slot);

    Game& game_;

private:
    // A seat control is shown exactly while its player is on the roster.
    void showSeatControls();

    bool rememberingLanguage_ = false;
    // The name typed in a seat's name field before it became a network seat.
    std::array<QString, 4> nameBeforeNetwork_;
};

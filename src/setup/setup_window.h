#pragma once

#include "setup/roster_window.h"

// The full game's setup window: the roster with each player's character
// statistics, the character selector, "Items..." and "Exit".
class SetupWindow : public RosterWindow {
public:
    explicit SetupWindow(Game& game);
    ~SetupWindow() override;

    ui::Button Command8;   // "Exit", in the main menu
    ui::Button Command15;  // "Items...", no action

    // Statistics of each player's character, read-only.
    ui::TextField a1, a2, a3, a4;  // Attack
    ui::TextField b1, b2, b3, b4;  // Energy
    ui::TextField c1, c2, c3, c4;  // Speed
    ui::TextField d1, d2, d3, d4;  // Move
    // Stat icons beside each player's statistics: index 0..3 = Attack, Energy,
    // Speed, Move.
    std::array<ui::Sprite, 4> Image6, Image7, Image8, Image9;

    // Character selector
    ui::Frame Frame5;      // "Select Character"
    ui::Label Label8;      // "(player1)" .. "(player4)"
    ui::Label Label10;     // number of the character shown
    ui::Label Label11;     // "/6": the number of characters
    ui::Label Label9;      // name of the character shown
    ui::Sprite Image5;     // preview
    ui::Button Command6;   // "<<"
    ui::Button Command7;   // ">>"
    ui::TextField Text6;   // name of the player being edited
    ui::Button Command16;  // "OK"
    ui::TextField at1, df1, sp1, mo1;  // the shown character's Attack, Energy, Speed, Move
    ui::Label Label4, Label5, Label6, Label7;  // "Attack", "Energy", "Speed", "Move"
    ui::Sprite q1, q2, q3, q4;  // stat icons of those rows
    ui::Slider Slider2, Slider3, Slider4, Slider5;  // stat bars, display only

    // By player slot 0..3.
    std::array<ui::TextField*, 4> attack;
    std::array<ui::TextField*, 4> energy;
    std::array<ui::TextField*, 4> speed;
    std::array<ui::TextField*, 4> move;

    // The seat controls, made after every other field of the window.
    std::array<ui::Button, 4> seatButton;

    // Writes the name and statistics of the character numbered in Label10.
    void ShowCharacter();

    // Handlers
    void openSelector(int slot);  // click on a roster picture
    void previousCharacter();     // "<<"
    void nextCharacter();         // ">>"
    void closeSelector();         // "OK"
    void exitProgram();           // "Exit"
    void startMatch() override;   // "Start"

protected:
    void takeCharacter(int slot, int number) override;

private:
    // The steps of the constructor.
    void setSelectorLooks();
    void connectEvents();
    void tieStatBarsToSelector();
    void giveStatIconsOfSelectorRows();

    // The steps of startMatch.
    void giveFirstVehiclesRosterPictures();
    void fillEnergyBarsFirstPass();
    void placeThirdAndFourthVehicles();
    void setEnergyMaxima();
    void setTurnGaugeMaxima();
    void emptyTurnGauges();
    void fillEnergyBars();

    void browseTo(int number);
};

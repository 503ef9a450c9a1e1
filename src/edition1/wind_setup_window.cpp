#include "edition1/wind_setup_window.h"

#include "app/game.h"
#include "app/player_slots.h"
#include "battle/battle_window.h"
#include "setup/character_catalogue.h"
#include "setup/match_start.h"
#include "ui/number_text.h"
#include "ui/picture.h"

#include <cmath>

namespace {

// The vehicles of players 1 and 2 stand with their lower edge on this line.
constexpr ui::Twips kGroundLine = 5020;

// Every player starts a match of this edition with the same energy.
constexpr float kStartEnergy = 150;

constexpr ui::Twips kBrowseButtonSize = 375;

ui::Rect browseButton(ui::Twips left, ui::Twips top)
{
    return ui::Rect{left, top, kBrowseButtonSize, kBrowseButtonSize};
}

// Each picture sits between its player's "<<" and ">>": a 73-pixel vehicle
// sprite is centred on the gap between the buttons (and on their height),
// the built-in pictures start at the same place. Names go below the buttons.
// Player 4's slot is only 2295 wide, so players 3 and 4 share one compact
// layout relative to their own frame.
RosterDesign windRosterDesign()
{
    return RosterDesign{
        .frame1 = {2040, 1440, 3135, 2895},
        .frame2 = {600, 0, 7815, 6255},
        .frame4 = {5040, 0, 2295, 1815},
        .picture = {ui::Rect{600, 840, 0, 0}, ui::Rect{5880, 840, 0, 0}, ui::Rect{480, 120, 0, 0},
                    ui::Rect{480, 120, 0, 0}},
        .nameLabel = {ui::Rect{240, 1920, 0, 0}, ui::Rect{5520, 1920, 0, 0}, ui::Rect{120, 1080, 0, 0},
                      ui::Rect{120, 1080, 0, 0}},
        .nameField = {ui::Rect{240, 2160, 1695, 285}, ui::Rect{5520, 2160, 1695, 285},
                      ui::Rect{120, 1320, 1695, 285}, ui::Rect{120, 1320, 1695, 285}},
        .builtinPicture = {QStringLiteral("wind_roster_p1"), QStringLiteral("wind_roster_p2"),
                           QStringLiteral("wind_roster_p3"), QStringLiteral("wind_roster_p4")},
        // Players 1 and 2 on their name rows, right and left of the names.
        // Player 4's frame is too narrow for one, so its control stands in
        // player 3's frame just left of player 4's name; player 3's is beside
        // its ">>" button, a row higher, so that the two are told apart.
        .seat = {ui::Rect{2160, 2160, 1500, 285}, ui::Rect{3960, 2160, 1500, 285}, ui::Rect{2040, 405, 1500, 285},
                 ui::Rect{3540, 1320, 1500, 285}},
        .seatInFrame3 = {false, false, false, true},
    };
}

// The turn marker for the player named in the "who moves first" field: the
// player's index as text. Anything but a whole number from 1 to 4 (empty,
// letters, "0" after a match without a destroyed vehicle, "5", "2.5") lets
// player 1 begin, so a new match can always get going.
QString firstTurnMarker(const QString& firstPlayer)
{
    const double number = numtext::readDouble(firstPlayer);
    if (number >= 1 && number <= 4 && std::floor(number) == number)
        return numtext::text(number - 1);
    return QStringLiteral("0");
}

} // namespace

WindSetupWindow::WindSetupWindow(Game& game)
    : RosterWindow(game, windRosterDesign())
    , Command6(Frame2, QStringLiteral("<<"), browseButton(240, 1080))
    , Command7(Frame2, QStringLiteral(">>"), browseButton(1680, 1080))
    , Command9(Frame2, QStringLiteral("<<"), browseButton(5520, 1080))
    , Command8(Frame2, QStringLiteral(">>"), browseButton(6960, 1080))
    , Command12(Frame3, QStringLiteral("<<"), browseButton(120, 360))
    , Command11(Frame3, QStringLiteral(">>"), browseButton(1560, 360))
    , Command13(Frame4, QStringLiteral("<<"), browseButton(120, 360))
    , Command14(Frame4, QStringLiteral(">>"), browseButton(1560, 360))
    // Two lines high: the question wraps where the font is too wide for
    // the room left of Text5.
    , Label3(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Siapa Duluaan? ")), ui::Rect{360, 240, 1320, 465})
    , Text5(Frame2, QStringLiteral("1"), ui::Rect{1680, 240, 495, 285})
    , previousButton{&Command6, &Command9, &Command12, &Command13}
    , nextButton{&Command7, &Command8, &Command11, &Command14}
    , seatButton{{seatControl(windRosterDesign(), 0), seatControl(windRosterDesign(), 1),
                  seatControl(windRosterDesign(), 2), seatControl(windRosterDesign(), 3)}}
{
    takeSeatControls(seatButton);
    for (int slot = 0; slot < 4; ++slot) {
        previousButton[slot]->onClick([this, slot] { browse(slot, -1); });
        nextButton[slot]->onClick([this, slot] { browse(slot, +1); });
        // A wide vehicle sprite may reach under a button's edge: the buttons
        // stay in front so they can always be clicked.
        previousButton[slot]->bringToFront();
        nextButton[slot]->bringToFront();
    }
}

WindSetupWindow::~WindSetupWindow() = default;

void WindSetupWindow::browse(int slot, int step)
{
    ui::TextField& number = *characterNumber[slot];
    const double next = numtext::readDouble(number.text()) + step;
    if (next < kFirstCharacter || next > kLastCharacter)
        return;  // no wrap-around
    number.setText(numtext::text(next));
    picture[slot]->loadPictureFile(spriteFile(number.text(), facesRightAtStart(slot)));
}

// As browsing to that vehicle with "<<" and ">>" would.
void WindSetupWindow::takeCharacter(int slot, int number)
{
    characterNumber[slot]->setText(numtext::text(number));
    picture[slot]->loadPictureFile(spriteFile(characterNumber[slot]->text(), facesRightAtStart(slot)));
}

void WindSetupWindow::startMatch()
{
    // Battle window up, score board hidden and mirroring.
    openBattleForMatch(game_);

    // Players 1 and 2 stand on the ground line with their roster pictures.
    for (int slot = 0; slot < 2; ++slot) {
        ui::Sprite& vehicle = *game_.Battle().vehicle[slot];
        vehicle.setPicture(picture[slot]->picture());
        vehicle.setTop(kGroundLine - picture[slot]->height());
    }

    // Every player has the same energy.
    for (int slot = 0; slot < 4; ++slot) {
        ui::ProgressBar& energy = *game_.Battle().energyBar[slot];
        energy.setMaximum(kStartEnergy);
        energy.setValue(kStartEnergy);
    }

    // The chosen player moves first.
    game_.setTurnMarker(firstTurnMarker(Text5.text()));

    // Panel titles and carried-over scores.
    handPlayersToPanels(game_);

    // The explosion names the first player destroyed in this match here.
    Text5.setText(QStringLiteral("0"));

    // Players 3 and 4 take part while their slots are on the roster; their
    // vehicles keep their heights.
    for (int slot = 2; slot < 4; ++slot) {
        ui::Sprite& vehicle = *game_.Battle().vehicle[slot];
        if (playerTakesPart(slot)) {
            vehicle.setPicture(picture[slot]->picture());
            vehicle.show();
        } else {
            vehicle.hide();
        }
    }

    // The first turn is the chosen player's from now on, though the panel
    // waits for the pointer over the battlefield.
    game_.sound().turnPasses();
}

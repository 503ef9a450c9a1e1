#include "setup/setup_window.h"

#include "app/game.h"
#include "app/player_slots.h"
#include "battle/battle_window.h"
#include "setup/character_catalogue.h"
#include "setup/match_start.h"
#include "ui/number_text.h"
#include "ui/picture.h"

#include <optional>

namespace {

RosterDesign fullGameDesign()
{
    return RosterDesign{
        .frame1 = {2040, 1440, 3135, 3495},
        .frame2 = {0, 0, 7815, 6255},
        .frame4 = {3600, 0, 3615, 1815},
        .picture = {ui::Rect{360, 720, 750, 900}, ui::Rect{6240, 720, 900, 750}, ui::Rect{240, 120, 900, 750},
                    ui::Rect{2400, 120, 900, 750}},
        .nameLabel = {ui::Rect{360, 1800}, ui::Rect{5520, 1800}, ui::Rect{240, 1080}, ui::Rect{1560, 1080}},
        .nameField = {ui::Rect{360, 2040, 1695, 285}, ui::Rect{5520, 2040, 1695, 285},
                      ui::Rect{240, 1320, 1695, 285}, ui::Rect{1560, 1320, 1695, 285}},
        .builtinPicture = {QStringLiteral("roster_p1"), QStringLiteral("roster_p2"), QStringLiteral("roster_p3"),
                           QStringLiteral("roster_p4")},
        // Players 1 and 2 below "Items...", clear of the hidden character
        // numbers; players 3 and 4 on their name rows, beside the name.
        .seat = {ui::Rect{2160, 2400, 1500, 285}, ui::Rect{3960, 2400, 1500, 285}, ui::Rect{2040, 1320, 1500, 285},
                 ui::Rect{45, 1320, 1500, 285}},
        .seatInFrame3 = {false, false, false, false},
    };
}

// Where each player's statistics start: the Attack field and its icon; Energy,
// Speed and Move follow below, 240 twips apart.
struct StatColumn {
    ui::Twips fieldLeft, iconLeft, top;
};
constexpr StatColumn kStatColumn[4] = {
    {.fieldLeft = 1440, .iconLeft = 1200, .top = 720},
    {.fieldLeft = 5520, .iconLeft = 5900, .top = 720},
    {.fieldLeft = 1440, .iconLeft = 1200, .top = 120},
    {.fieldLeft = 1680, .iconLeft = 2040, .top = 120},
};
constexpr ui::Twips kStatSpacing = 240;

// Statistic 0..3 (Attack, Energy, Speed, Move) of a player slot.
ui::Rect statField(int slot, int stat)
{
    const StatColumn& c = kStatColumn[slot];
    return ui::Rect{c.fieldLeft, c.top + stat * kStatSpacing, 375, 285};
}

ui::Rect statIcon(int slot, int stat)
{
    const StatColumn& c = kStatColumn[slot];
    return ui::Rect{c.iconLeft, c.top + stat * kStatSpacing, 225, 240};
}

// The selector's rows: Attack, Energy, Speed, Move.
constexpr ui::Twips kSelectorRowTop[4] = {720, 960, 1200, 1440};

ui::Rect selectorRow(ui::Twips left, int row, ui::Twips width, ui::Twips height)
{
    return ui::Rect{left, kSelectorRowTop[row], width, height};
}

const ui::Slider::Scale kStatBar{.minimum = 2, .maximum = 8, .tickSpacing = 1, .smallStep = 1, .largeStep = 1};
const ui::Slider::Scale kMoveBar{.minimum = 2, .maximum = 5, .tickSpacing = 1, .smallStep = 1, .largeStep = 1};

constexpr auto kReadOnly = ui::TextField::Mode::ReadOnly;

} // namespace

SetupWindow::SetupWindow(Game& game)
    : RosterWindow(game, fullGameDesign())
    , Command8(Frame1, QStringLiteral("Exit"), ui::Rect{360, 2760, 2535, 495})
    , Command15(Frame2, QStringLiteral("Items..."), ui::Rect{2160, 1920, 975, 375})
    , a1(*slotContainer[0], QStringLiteral("7"), statField(0, 0), true, kReadOnly)
    , a2(*slotContainer[1], QStringLiteral("6"), statField(1, 0), true, kReadOnly)
    , a3(*slotContainer[2], QStringLiteral("6"), statField(2, 0), true, kReadOnly)
    , a4(*slotContainer[3], QStringLiteral("9"), statField(3, 0), true, kReadOnly)
    , b1(*slotContainer[0], QStringLiteral("4"), statField(0, 1), true, kReadOnly)
    , b2(*slotContainer[1], QStringLiteral("8"), statField(1, 1), true, kReadOnly)
    , b3(*slotContainer[2], QStringLiteral("5"), statField(2, 1), true, kReadOnly)
    , b4(*slotContainer[3], QStringLiteral("6"), statField(3, 1), true, kReadOnly)
    , c1(*slotContainer[0], QStringLiteral("6"), statField(0, 2), true, kReadOnly)
    , c2(*slotContainer[1], QStringLiteral("3"), statField(1, 2), true, kReadOnly)
    , c3(*slotContainer[2], QStringLiteral("5"), statField(2, 2), true, kReadOnly)
    , c4(*slotContainer[3], QStringLiteral("3"), statField(3, 2), true, kReadOnly)
    , d1(*slotContainer[0], QStringLiteral("3"), statField(0, 3), true, kReadOnly)
    , d2(*slotContainer[1], QStringLiteral("3"), statField(1, 3), true, kReadOnly)
    , d3(*slotContainer[2], QStringLiteral("6"), statField(2, 3), true, kReadOnly)
    , d4(*slotContainer[3], QStringLiteral("1"), statField(3, 3), true, kReadOnly)
    , Image6{{ui::Sprite(*slotContainer[0], statIcon(0, 0)), ui::Sprite(*slotContainer[0], statIcon(0, 1)),
              ui::Sprite(*slotContainer[0], statIcon(0, 2)), ui::Sprite(*slotContainer[0], statIcon(0, 3))}}
    , Image7{{ui::Sprite(*slotContainer[1], statIcon(1, 0)), ui::Sprite(*slotContainer[1], statIcon(1, 1)),
              ui::Sprite(*slotContainer[1], statIcon(1, 2)), ui::Sprite(*slotContainer[1], statIcon(1, 3))}}
    , Image8{{ui::Sprite(*slotContainer[2], statIcon(2, 0)), ui::Sprite(*slotContainer[2], statIcon(2, 1)),
              ui::Sprite(*slotContainer[2], statIcon(2, 2)), ui::Sprite(*slotContainer[2], statIcon(2, 3))}}
    , Image9{{ui::Sprite(*slotContainer[3], statIcon(3, 0)), ui::Sprite(*slotContainer[3], statIcon(3, 1)),
              ui::Sprite(*slotContainer[3], statIcon(3, 2)), ui::Sprite(*slotContainer[3], statIcon(3, 3))}}
    // Character selector, in front of everything else
    , Frame5(*this, QStringLiteral("Select Character"), ui::Rect{1800, 720, 4215, 2415}, false)
    , Label8(Frame5, QStringLiteral("Label8"), ui::Rect{2760, 240, 1095, 255})
    , Label10(Frame5, QStringLiteral("1"), ui::Rect{240, 360, 135, 255})
    , Label11(Frame5, QStringLiteral("/") + numtext::text(kCharacterCount), ui::Rect{360, 360, 255, 255})
    , Label9(Frame5, QString(), ui::Rect{600, 1680, 1050, 300})
    , Image5(Frame5, ui::Rect{720, 720, 750, 945})
    , Command6(Frame5, QStringLiteral("<<"), ui::Rect{240, 960, 375, 375})
    , Command7(Frame5, QStringLiteral(">>"), ui::Rect{1680, 960, 375, 375})
    , Text6(Frame5, QStringLiteral("Text6"), ui::Rect{1200, 240, 1455, 285})
    , Command16(Frame5, QStringLiteral("OK"), ui::Rect{2160, 1800, 1455, 495})
    , at1(Frame5, QStringLiteral("7"), selectorRow(2760, 0, 330, 255), true, kReadOnly)
    , df1(Frame5, QStringLiteral("4"), selectorRow(2760, 1, 330, 255), true, kReadOnly)
    , sp1(Frame5, QStringLiteral("6"), selectorRow(2760, 2, 330, 255), true, kReadOnly)
    , mo1(Frame5, QStringLiteral("3"), selectorRow(2760, 3, 330, 255), true, kReadOnly)
    , Label4(Frame5, QStringLiteral("Attack"), selectorRow(2160, 0, 585, 240))
    , Label5(Frame5, QStringLiteral("Energy"), selectorRow(2160, 1, 585, 240))
    , Label6(Frame5, QStringLiteral("Speed"), selectorRow(2160, 2, 585, 240))
    , Label7(Frame5, QStringLiteral("Move"), selectorRow(2160, 3, 585, 240))
    , q1(Frame5, selectorRow(3120, 0, 225, 240))
    , q2(Frame5, selectorRow(3120, 1, 225, 225))
    , q3(Frame5, selectorRow(3120, 2, 225, 225))
    , q4(Frame5, selectorRow(3120, 3, 225, 240))
    , Slider2(Frame5, kStatBar, 7, selectorRow(3360, 0, 735, 255))
    , Slider3(Frame5, kStatBar, 4, selectorRow(3360, 1, 735, 255))
    , Slider4(Frame5, kStatBar, 6, selectorRow(3360, 2, 735, 255))
    , Slider5(Frame5, kMoveBar, 3, selectorRow(3360, 3, 735, 255))
    , attack{&a1, &a2, &a3, &a4}
    , energy{&b1, &b2, &b3, &b4}
    , speed{&c1, &c2, &c3, &c4}
    , move{&d1, &d2, &d3, &d4}
    , seatButton{{seatControl(fullGameDesign(), 0), seatControl(fullGameDesign(), 1),
                  seatControl(fullGameDesign(), 2), seatControl(fullGameDesign(), 3)}}
{
    takeSeatControls(seatButton);
    setSelectorLooks();
    connectEvents();
    tieStatBarsToSelector();
    giveStatIconsOfSelectorRows();
}

// The font of the character's name in the selector, and the icons of its rows.
void SetupWindow::setSelectorLooks()
{
    Label9.setFont(QString(), 12, true);
    q1.setPicture(ui::builtinPicture(QStringLiteral("icon_attack")));
    q2.setPicture(ui::builtinPicture(QStringLiteral("icon_energy")));
    q3.setPicture(ui::builtinPicture(QStringLiteral("icon_speed")));
    q4.setPicture(ui::builtinPicture(QStringLiteral("icon_move")));
}

// Events of the window's own buttons and the roster pictures.
void SetupWindow::connectEvents()
{
    Command8.onClick([this] { exitProgram(); });
    // "Items..." has no action.
    for (int slot = 0; slot < 4; ++slot)
        picture[slot]->onClick([this, slot] { openSelector(slot); });
    Command6.onClick([this] { previousCharacter(); });
    Command7.onClick([this] { nextCharacter(); });
    Command16.onClick([this] { closeSelector(); });
}

// The bars show the statistics of the character in the selector. A value
// outside a bar's range is kept and drawn at its end.
void SetupWindow::tieStatBarsToSelector()
{
    at1.onChange([this] { Slider2.setValue(numtext::readInt32(at1.text())); });
    df1.onChange([this] { Slider3.setValue(numtext::readInt32(df1.text())); });
    sp1.onChange([this] { Slider4.setValue(numtext::readInt32(sp1.text())); });
    mo1.onChange([this] { Slider5.setValue(numtext::readInt32(mo1.text())); });
}

// Load: every player's statistics get the icons of the selector's rows.
void SetupWindow::giveStatIconsOfSelectorRows()
{
    const ui::Sprite* rowIcon[4] = {&q1, &q2, &q3, &q4};
    for (auto* icons : {&Image6, &Image7, &Image8, &Image9})
        for (int stat = 0; stat < 4; ++stat)
            (*icons)[stat].setPicture(rowIcon[stat]->picture());
}

SetupWindow::~SetupWindow() = default;

void SetupWindow::ShowCharacter()
{
    for (const Character& character : characterCatalogue()) {
        if (numtext::readDouble(Label10.caption()) != character.number)
            continue;
        Label9.setCaption(character.name);
        at1.setText(numtext::text(character.attack));
        df1.setText(numtext::text(character.energy));
        sp1.setText(numtext::text(character.speed));
        mo1.setText(numtext::text(character.move));
    }
}

namespace {

QString playerLabel(int slot)
{
    return QStringLiteral("(player%1)").arg(slot + 1);
}

// The player the selector was opened for, by its caption "(player1)" ..
// "(player4)"; nobody before it is first opened.
std::optional<int> slotOfPlayerLabel(const QString& caption)
{
    for (int slot = 0; slot < 4; ++slot)
        if (caption == playerLabel(slot))
            return slot;
    return std::nullopt;
}

} // namespace

void SetupWindow::openSelector(int slot)
{
    Frame5.show();
    Text6.setText(nameField[slot]->text());
    Label8.setCaption(playerLabel(slot));
    Label10.setCaption(characterNumber[slot]->text());
    Image5.loadPictureFile(spriteFile(Label10.caption(), facesRightAtStart(slot)));
    ShowCharacter();
    // The roster does not react while the selector is open.
    Frame2.setEnabled(false);
}

void SetupWindow::previousCharacter()
{
    const double number = numtext::readDouble(Label10.caption());
    if (number > 1)
        browseTo(static_cast<int>(numtext::roundHalfEven(number - 1)));
}

void SetupWindow::nextCharacter()
{
    const double number = numtext::readDouble(Label10.caption());
    if (number < kCharacterCount)
        browseTo(static_cast<int>(numtext::roundHalfEven(number + 1)));
}

void SetupWindow::browseTo(int number)
{
    // The preview faces as the player's roster picture does; a selector not
    // yet opened for anybody shows the right-facing sprite.
    const bool facingRight = facesRightAtStart(slotOfPlayerLabel(Label8.caption()).value_or(0));
    Label10.setCaption(numtext::text(number));
    Image5.loadPictureFile(spriteFile(Label10.caption(), facingRight));
    ShowCharacter();
}

void SetupWindow::closeSelector()
{
    Label9.setCaption(QString());
    Frame2.setEnabled(true);
    Frame5.hide();
    if (const std::optional<int> chosen = slotOfPlayerLabel(Label8.caption())) {
        const int slot = *chosen;
        // A preview that never loaded leaves the roster picture as it was
        // rather than blanking the player's vehicle.
        if (!Image5.picture().isNull())
            picture[slot]->setPicture(Image5.picture());
        characterNumber[slot]->setText(Label10.caption());
        nameField[slot]->setText(Text6.text());
        attack[slot]->setText(at1.text());
        energy[slot]->setText(df1.text());
        speed[slot]->setText(sp1.text());
        move[slot]->setText(mo1.text());
    }
}

// As the selector's "OK" would leave the slot with that character chosen.
void SetupWindow::takeCharacter(int slot, int number)
{
    for (const Character& character : characterCatalogue()) {
        if (character.number != number)
            continue;
        characterNumber[slot]->setText(numtext::text(number));
        picture[slot]->loadPictureFile(spriteFile(characterNumber[slot]->text(), facesRightAtStart(slot)));
        attack[slot]->setText(numtext::text(character.attack));
        energy[slot]->setText(numtext::text(character.energy));
        speed[slot]->setText(numtext::text(character.speed));
        move[slot]->setText(numtext::text(character.move));
    }
}

void SetupWindow::exitProgram()
{
    game_.endProgram(0);
}

void SetupWindow::startMatch()
{
    // Show the battle window, hide the score board, restart its mirroring.
    openBattleForMatch(game_);
    giveFirstVehiclesRosterPictures();
    fillEnergyBarsFirstPass();
    // Panel titles and carried-over scores.
    handPlayersToPanels(game_);
    placeThirdAndFourthVehicles();
    setEnergyMaxima();
    setTurnGaugeMaxima();
    emptyTurnGauges();
    fillEnergyBars();
}

// Vehicles of players 1 and 2 take their roster pictures.
void SetupWindow::giveFirstVehiclesRosterPictures()
{
    for (int slot = 0; slot < 2; ++slot)
        game_.Battle().vehicle[slot]->setPicture(picture[slot]->picture());
}

// Energy bars, first pass.
void SetupWindow::fillEnergyBarsFirstPass()
{
    for (ui::ProgressBar* bar : game_.Battle().energyBar) {
        bar->setMaximum(150);
        bar->setValue(150);
    }
}

// Players 3 and 4: at their start height, or hidden above the field.
void SetupWindow::placeThirdAndFourthVehicles()
{
    constexpr ui::Twips kStartTop[4] = {0, 0, 10320, 9360};
    constexpr ui::Twips kParkedTop = -600;
    for (int slot = 2; slot < 4; ++slot) {
        ui::Sprite& vehicle = *game_.Battle().vehicle[slot];
        if (playerTakesPart(slot)) {
            vehicle.setPicture(picture[slot]->picture());
            vehicle.show();
            vehicle.setTop(kStartTop[slot]);
        } else {
            vehicle.hide();
            vehicle.setTop(kParkedTop);
        }
    }
}

// Energy maxima from every roster slot's Energy, taking part or not.
void SetupWindow::setEnergyMaxima()
{
    for (int slot = 0; slot < 4; ++slot) {
        const double e = numtext::readDouble(energy[slot]->text());
        game_.Battle().energyBar[slot]->setMaximum(static_cast<float>(10.0 * e * e + 70.0));
    }
}

// Turn gauge maxima: the sum of the squares of the other three Speeds.
void SetupWindow::setTurnGaugeMaxima()
{
    double speedOf[4];
    for (int slot = 0; slot < 4; ++slot)
        speedOf[slot] = numtext::readDouble(speed[slot]->text());
    for (int slot = 0; slot < 4; ++slot) {
        double others = 0;
        for (int other = 0; other < 4; ++other)
            if (other != slot)
                others += speedOf[other] * speedOf[other];
        game_.Battle().turnGauge[slot]->setMaximum(static_cast<float>(others));
    }
}

// Empty the turn gauges.
void SetupWindow::emptyTurnGauges()
{
    for (ui::ProgressBar* gauge : game_.Battle().turnGauge)
        gauge->setValue(0);
}

// Fill the energy bars.
void SetupWindow::fillEnergyBars()
{
    for (ui::ProgressBar* bar : game_.Battle().energyBar)
        bar->setValue(bar->maximum());
}

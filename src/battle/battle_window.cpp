#include "battle/battle_window.h"

#include "app/game.h"
#include "app/game_words.h"
#include "app/player_slots.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"
#include "ui/message_box.h"
#include "ui/number_text.h"
#include "ui/picture.h"

using ui::Rect;
using ui::Twips;

// Where the fields of the battle window stand as designed, by edition. Only
// what differs between the two editions is listed here; the rest is written
// where the field is made. A field's place is named after the field; a text a
// field holds at load has `Text` after the field's name.
struct BattleDesign {
    Twips clientHeight;
    Rect picture1;
    Rect text1, text2;
    std::array<Rect, 4> vehicle;
    std::array<Rect, 4> energyBar;
    Rect text3;
    QString text4Text;  // the vertical wind of the first shot
    Rect text5;
    QString text5Text;
    Rect text7, text8;
    Twips arrowX1, arrowY1, arrowX2, arrowY2;
    Rect shape1, shape2;
    Rect label2, label5;
    Rect damage;
    Rect command1;
    Rect frame3, label3;
};

namespace {

const BattleDesign& designFor(const Game& game)
{
    static const BattleDesign full{
        .clientHeight = 8535,
        .picture1 = {0, -3240, 15360, 11520},
        .text1 = {120, 240, 855, 285},
        .text2 = {960, 240, 855, 285},
        .vehicle = {Rect{600, 5520, 1095, 855}, Rect{13320, 4800, 1095, 855}, Rect{2160, 10320, 1095, 855},
                    Rect{11160, 9360, 1095, 855}},
        .energyBar = {Rect{480, 6480, 1935, 375}, Rect{12960, 5640, 1935, 375}, Rect{1800, 11400, 1935, 375},
                      Rect{10800, 10200, 1935, 375}},
        .text3 = {4920, 0, 735, 375},
        .text4Text = QStringLiteral("5"),
        .text5 = {6360, 120, 615, 405},
        .text5Text = QStringLiteral("0"),
        .text7 = {5040, 600, 375, 285},
        .text8 = {5040, 960, 375, 285},
        .arrowX1 = 6120,
        .arrowY1 = 1320,
        .arrowX2 = 5880,
        .arrowY2 = 1680,
        .shape1 = {5640, 1440, 495, 495},
        .shape2 = {5760, 1560, 255, 255},
        .label2 = {5640, 1080, 450, 195},
        .label5 = {5160, 120, 225, 435},
        .damage = {600, 240, 180, 360},
        .command1 = {600, 840, 975, 375},
        .frame3 = {-2520, 1680, 3255, 2415},
        .label3 = {240, 480, 10290, 1605},
    };
    static const BattleDesign wind{
        .clientHeight = 8220,
        .picture1 = {360, 840, 12120, 9000},
        .text1 = {0, 0, 855, 285},
        .text2 = {840, 0, 855, 285},
        .vehicle = {Rect{600, 4200, 1095, 855}, Rect{9480, 3960, 1095, 855}, Rect{1440, 7000, 1095, 855},
                    Rect{7800, 7000, 1095, 855}},
        .energyBar = {Rect{240, 5160, 1935, 375}, Rect{9000, 5040, 1935, 375}, Rect{1200, 7920, 1935, 375},
                      Rect{7440, 7680, 1935, 375}},
        .text3 = {4800, 0, 615, 375},
        .text4Text = QStringLiteral("0"),
        .text5 = {7200, 0, 615, 405},
        .text5Text = QStringLiteral("Text5"),
        .text7 = {120, 120, 375, 285},
        .text8 = {120, 480, 375, 285},
        .arrowX1 = 6000,
        .arrowY1 = 1560,
        .arrowX2 = 5760,
        .arrowY2 = 1920,
        .shape1 = {5520, 1680, 495, 495},
        .shape2 = {5640, 1800, 255, 255},
        .label2 = {480, 120, 855, 255},
        .label5 = {120, 360, 225, 435},
        .damage = {0, 0, 180, 360},
        .command1 = {3960, 600, 975, 375},
        .frame3 = {-720, 1560, 3255, 2415},
        .label3 = {240, 720, 10290, 1605},
    };
    return game.windEdition() ? wind : full;
}

// The wind edition places some fields on other containers than the full game.
ui::Container& pick(const Game& game, ui::Container& full, ui::Container& wind)
{
    return game.windEdition() ? wind : full;
}

// The turn-gauge holder sits right under its energy bar, with room for the
// speed icon and the gauge beside it.
Rect holderUnder(const Rect& bar) { return {bar.left, bar.top + bar.height, 1845, 255}; }

const Rect kGaugeInHolder{270, 0, 1575, 255};

} // namespace

BattleWindow::BattleWindow(Game& game)
    : BattleWindow(game, designFor(game))
{
}

BattleWindow::BattleWindow(Game& game, const BattleDesign& design)
    : ui::Window(QStringLiteral("Battle!"), 11880, design.clientHeight)
    , Label1{{ui::Label(*this, QStringLiteral("Start Top"), {0, 840, 660, 195}),
              ui::Label(*this, QStringLiteral("Start Left"), {0, 480, 645, 195})}}
    , Picture1(*this, design.picture1)
    , Text1(*this, QStringLiteral("-300"), design.text1, false)
    , Text2(*this, QStringLiteral("0"), design.text2, false)
    , left1(*this, QStringLiteral("left1"), {1920, 0, 1095, 375}, false)
    , top1(*this, QStringLiteral("Text5"), {3120, 0, 1095, 375}, false)
    , Image3(Picture1, design.vehicle[0], true)
    , Image2(Picture1, design.vehicle[1], true)
    , mob3(Picture1, design.vehicle[2], false)
    , mob4(Picture1, design.vehicle[3], false)
    , Image1(Picture1, {0, 0, 270, 285}, true)
    , duar(Picture1, {-600, 2880, 975, 900}, true)
    , Frame1(Picture1, QString(), {5160, 360, 2295, 855}, game.windEdition())
    , Text3(pick(game, *this, Picture1), QStringLiteral("0"), design.text3, !game.windEdition())
    , Text4(Picture1, design.text4Text, {5640, 0, 615, 375}, !game.windEdition())
    , Text7(pick(game, Picture1, Frame1), QStringLiteral("0"), design.text7, false)
    , Text8(pick(game, Picture1, Frame1), QStringLiteral("5"), design.text8, false)
    , angi1(Picture1, design.arrowX1, design.arrowY1, design.arrowX2,
            design.arrowY2, ui::kWhite, true)
    , Shape1(Picture1, design.shape1)
    , Shape2(Picture1, design.shape2)
    , Label2(pick(game, Picture1, Frame1), QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Angin:")), design.label2, true)
    , Label4(Picture1, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Angin:")), {5520, 1320, 450, 195}, game.windEdition())
    , Label5(pick(game, Picture1, Frame1), QStringLiteral("0"), design.label5, game.windEdition())
    , Label6(Frame1, QStringLiteral("0"), {1440, 360, 225, 435}, game.windEdition())
    , Text5(Picture1, design.text5Text, design.text5, false)
    , Text6(Picture1, QStringLiteral("Text6"), {9000, 0, 735, 285}, true)
    , ProgressBar1(Picture1, 0, 100, 0, {960, 1080, 855, 255}, true)
    , Slider1(Picture1, 0, 100, 0, {960, 1320, 855, 255}, true)
    , lr(Picture1, words::right(), {360, 1200, 615, 255}, !game.windEdition())
    , Frame2(Picture1, QStringLiteral("Power"), {480, 840, 1575, 855}, !game.windEdition())
    , damage(pick(game, Frame2, Picture1), QStringLiteral("0"), design.damage, true)
    , dm1(Picture1, QStringLiteral("0"), {2640, 1560, 180, 360}, true)
    , dm2(Picture1, QStringLiteral("0"), {3240, 1560, 180, 360}, true)
    , dm3(Picture1, QStringLiteral("0"), {4920, 1800, 180, 360}, true)
    , dm4(Picture1, QStringLiteral("0"), {5400, 1800, 180, 360}, true)
    , Line1(Picture1, 3120, 4440, 3135, 4455, ui::kWhite, true)
    , name1(Picture1, QStringLiteral("name1"), {3600, 3120, 705, 240}, true)
    , name2(Picture1, QStringLiteral("name1"), {3240, 2880, 705, 240}, true)
    , name3(Picture1, QStringLiteral("name3"), {3600, 2640, 705, 240}, true)
    , name4(Picture1, QStringLiteral("name4"), {3960, 2880, 705, 240}, true)
    , ProgressBar2(Picture1, 0, 100, 0, design.energyBar[0], true)
    , ProgressBar3(Picture1, 0, 100, 0, design.energyBar[1], true)
    , ProgressBar4(Picture1, 0, 100, 0, design.energyBar[2], true)
    , ProgressBar5(Picture1, 0, 100, 0, design.energyBar[3], true)
    , sp1(Picture1, holderUnder(design.energyBar[0]), !game.windEdition(), false)
    , sp2(Picture1, holderUnder(design.energyBar[1]), !game.windEdition(), false)
    , sp3(Picture1, holderUnder(design.energyBar[2]), !game.windEdition(), false)
    , sp4(Picture1, holderUnder(design.energyBar[3]), !game.windEdition(), false)
    , ps1(sp1, 0, 30, 0, kGaugeInHolder, true)
    , ps2(sp2, 0, 30, 0, kGaugeInHolder, true)
    , ps3(sp3, 0, 30, 0, kGaugeInHolder, true)
    , ps4(sp4, 0, 30, 0, kGaugeInHolder, true)
    , scrol1(Picture1, words::noScroll(), {3480, 4680, 375, 255}, false)
    , frame1(*this, QString(), {0, 360, 375, 5655}, !game.windEdition())
    , frame4(*this, QString(), {11280, 0, 375, 5775}, !game.windEdition())
    , frame5(*this, QString(), {360, 0, 9735, 375}, !game.windEdition())
    , frame6(*this, QString(), {0, 7320, 9735, 375}, !game.windEdition())
    , Command1(pick(game, *this, Picture1), QStringLiteral("Score..."), design.command1, true)
    , Frame3(pick(game, *this, Picture1), QStringLiteral("Frame3"), design.frame3, false)
    , Label3(Frame3, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Close to contiue")), design.label3, true)
    , kamera1(*this, words::cameraOff(), {0, 0, 375, 255}, false)
    , kamera2(*this, QString(), {0, 0, 375, 255}, false)
    , Timer1(*this, QStringLiteral("Timer1"), 30, false, [this] { flightTick(); })
    , Timer3(*this, QStringLiteral("Timer3"), 20, false, [this] { verticalGlideTick(); })
    , Timer4(*this, QStringLiteral("Timer4"), 20, false, [this] { horizontalGlideTick(); })
    , Tangin(*this, QStringLiteral("Tangin"), 500, true, [this] { windDialTick(); })
    , Timer2(*this, QStringLiteral("Timer2"), 500, true, [this] { namePlateTick(); })
    , scrol(*this, QStringLiteral("scrol"), 30, !game.windEdition(), [this] { scrollTick(); })
    , beledug(*this, QStringLiteral("beledug"), 1000, false, [this] { explosionTick(); })
    , tagselamat(*this, QStringLiteral("tagselamat"), 1, true, [this] { upkeepTick(); })
    , timersp(*this, QStringLiteral("timersp"), 1, !game.windEdition(), [this] { schedulerTick(); })
    , kamera(*this, QStringLiteral("kamera"), 16, game.Form1().Kamera.checked(), [this] { cameraTick(); })
    , vehicle{&Image3, &Image2, &mob3, &mob4}
    , energyBar{&ProgressBar2, &ProgressBar3, &ProgressBar4, &ProgressBar5}
    , damageLabel{&dm1, &dm2, &dm3, &dm4}
    , namePlate{&name1, &name2, &name3, &name4}
    , gaugeHolder{&sp1, &sp2, &sp3, &sp4}
    , turnGauge{&ps1, &ps2, &ps3, &ps4}
    , scrollButton{&frame1, &frame4, &frame5, &frame6}
    , game_(game)
{
    setStoredPictures();
    setLoadTimeLooks();
    connectEvents();
    load();
}

// Pictures stored with the window.
void BattleWindow::setStoredPictures()
{
    if (!windEdition())
        Picture1.setPicture(ui::builtinPicture(QStringLiteral("field_default")));
    Image1.setPicture(ui::builtinPicture(QStringLiteral("shell")));
    duar.setPicture(ui::builtinPicture(QStringLiteral("explosion")));
    frame1.setPicture(ui::builtinPicture(QStringLiteral("arrow_left")));
    frame4.setPicture(ui::builtinPicture(QStringLiteral("arrow_right")));
    frame5.setPicture(ui::builtinPicture(QStringLiteral("arrow_up")));
    frame6.setPicture(ui::builtinPicture(QStringLiteral("arrow_down")));
    for (ui::PictureBox* holder : gaugeHolder)
        holder->setPicture(ui::builtinPicture(QStringLiteral("icon_speed")));
}

// The tag, colours and font the fields have at load.
void BattleWindow::setLoadTimeLooks()
{
    Image3.setTag(QStringLiteral("0"));
    for (ui::Label* label : damageLabel)
        label->setForeColour(ui::kRed);
    Label3.setFont(QStringLiteral("Arial"), 24);
    // The title copies the turn marker; the plates carry the players' names.
    showPlayerText();
    for (ui::Label* plate : namePlate)
        plate->showPlayerText();
}

// Events of the window and its fields.
void BattleWindow::connectEvents()
{
    Command1.onClick([this] { scoreButtonClick(); });
    Command1.onPointerMove([this](Twips, Twips) { scoreButtonPointerMove(); });
    damage.onClick([this] { damageClick(); });
    if (!windEdition())
        Frame2.onClick([this] { powerFrameClick(); });
    Frame3.onPointerMove([this](Twips, Twips) { coverPointerMove(); });
    Picture1.onPointerMove([this](Twips x, Twips y) { battlefieldPointerMove(x, y); });
    onPointerMove([this](Twips, Twips) { windowPointerMove(); });
    frame1.onClick([this] { scrollButtonClick(words::left()); });
    frame4.onClick([this] { scrollButtonClick(words::right()); });
    frame5.onClick([this] { scrollButtonClick(words::up()); });
    frame6.onClick([this] { scrollButtonClick(words::down()); });
}

BattleWindow::~BattleWindow() = default;

void BattleWindow::load()
{
    if (!windEdition()) {
        // Collapse the wind arrow to a point until the dial first moves.
        angi1.setEnds(5880, 1680, 5880, 1680);
    }
    Frame3.move(0, 0);
    Picture1.move(0, 0);

    // The battlefield picture from the picture folder.
    const QString path = ui::joinPath(game_.pictureFolder(), QStringLiteral("field.gif"));
    QString error;
    if (const auto picture = ui::readPictureFile(path, &error)) {
        Picture1.setPicture(*picture);
    } else {
        // Without a battlefield there is no game: say which file is missing
        // and end the program. The window stays whole but still.
        stopAllTimers();
        ui::showMessage(QStringLiteral("Cannot read the battlefield picture %1 (%2).").arg(path, error));
        game_.endProgram(1);
    }

    ProgressBar2.setValue(50);
    ProgressBar3.setValue(50);
    Frame3.setWidth(Picture1.width());
    Frame3.setHeight(Picture1.height());

    if (windEdition()) {
        // The arrow sits level with the middle of the dial.
        const Twips middle = Shape2.top() + 120;
        angi1.setY1(middle);
        angi1.setY2(middle);
    } else {
        move(0, 0);
    }
}

bool BattleWindow::windEdition() const { return game_.windEdition(); }

ui::Twips BattleWindow::flightFloor() const
{
    return windEdition() ? outerHeight() : Picture1.height();
}

// ---- Events of the arena's own fields ----

void BattleWindow::scoreButtonClick() { game_.Score().show(); }

void BattleWindow::scoreButtonPointerMove() { WriteWindText(); }

void BattleWindow::damageClick() { ProgressBar3.setValue(10); }

void BattleWindow::powerFrameClick() { ProgressBar2.setValue(10); }

void BattleWindow::coverPointerMove()
{
    game_.player(0).hide();
    game_.player(1).hide();
    for (const int slot : {0, 1})
        game_.player(slot).Label1.setCaption(words::facing(facesRightAtStart(slot)));
}

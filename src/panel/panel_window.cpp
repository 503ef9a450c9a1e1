#include "panel/panel_window.h"

#include "app/game.h"
#include "app/game_words.h"
#include "app/player_slots.h"
#include "battle/battle_window.h"
#include "setup/setup_window.h"
#include "ui/handler_call.h"
#include "ui/number_text.h"

namespace {

// Step sizes of the move buttons, in twips.
constexpr ui::Twips kSideStep = 800;
constexpr ui::Twips kUpDownStep = 900;

// The guide line starts at this offset from the vehicle's top-left corner.
constexpr ui::Twips kLineStartDx = 500;
constexpr ui::Twips kLineStartDy = 400;

// Launch point: above the vehicle by this much plus the shell's height.
constexpr ui::Twips kLaunchHeight = 4040;

// Players 1 and 3 use the taller layout A, players 2 and 4 layout B.
PanelDesign designA()
{
    return PanelDesign{
        .clientWidth = 8880,
        .clientHeight = 1605,
        .gerakan = {0, 120, 11535, 1455},
        .kiri = {0, 480, 735, 495},
        .atas = {600, 120, 735, 495},
        .bawah = {600, 840, 735, 495},
        .kanan = {1200, 480, 735, 495},
        .Label3 = {600, 600, 735, 255},
        .Command1 = {1920, 600, 1095, 375},
        .ProgressBar1 = {3000, 480, 8055, 375},
        .slider1 = {3000, 960, 8055, 375},
        .Label4 = {2280, 960, 855, 255},
        .Label1 = {4200, 120, 495, 255},
        .score1 = {5160, 120, 90, 195},
        .gaugeIntervalMs = 30,
        .gaugeMargin = 3510,
        .highGaugeMovesLineStart = false,
    };
}

PanelDesign designB()
{
    return PanelDesign{
        .clientWidth = 8880,
        .clientHeight = 1635,
        .gerakan = {0, 120, 11535, 1335},
        .kiri = {0, 360, 615, 375},
        .atas = {480, 0, 735, 375},
        .bawah = {480, 720, 735, 375},
        .kanan = {1080, 360, 735, 375},
        .Label3 = {480, 480, 735, 255},
        .Command1 = {1920, 360, 1095, 375},
        .ProgressBar1 = {3000, 240, 8295, 375},
        .slider1 = {3000, 720, 8295, 375},
        .Label4 = {2040, 840, 855, 255},
        .Label1 = {1800, 0, 615, 255},
        .score1 = {3720, 0, 90, 195},
        .gaugeIntervalMs = 30,
        .gaugeMargin = 3210,
        .highGaugeMovesLineStart = false,
    };
}

} // namespace

PanelDesign PanelDesign::forSlot(int slot)
{
    switch (slot) {
    case 0:
        return designA();
    case 1:
        return designB();
    case 2: {
        // Player 3: layout A with the fire button and gauges shifted, and
        // faster gauges.
        PanelDesign d = designA();
        d.Command1.left = 2040;
        d.ProgressBar1 = {3120, 360, 8295, 375};
        d.slider1 = {3120, 840, 8295, 375};
        d.gaugeIntervalMs = 20;
        return d;
    }
    default: {
        // Player 4: layout B; its high gauge also carries the line's start.
        PanelDesign d = designB();
        d.highGaugeMovesLineStart = true;
        return d;
    }
    }
}

PanelWindow::PanelWindow(Game& game, int slot)
    : PanelWindow(game, slot, PanelDesign::forSlot(slot))
{
}

PanelWindow::PanelWindow(Game& game, int slot, const PanelDesign& design)
    : ui::Window(QStringLiteral("Player") + numtext::text(slot + 1), design.clientWidth, design.clientHeight)
    , gerakan(*this, QString(), design.gerakan, true, ui::Frame::Border::None)
    , kiri(gerakan, words::left(), design.kiri)
    , kanan(gerakan, words::right(), design.kanan)
    , atas(gerakan, words::up(), design.atas)
    , bawah(gerakan, words::down(), design.bawah)
    , Label3(gerakan, game.windEdition() ? QStringLiteral("4") : QStringLiteral("0"), design.Label3)
    , Label1(gerakan, words::facing(facesRightAtStart(slot)), design.Label1)
    , Command1(gerakan, words::fireReady(), design.Command1)
    , ProgressBar1(gerakan, 0, 50, 0, design.ProgressBar1)
    , slider1(gerakan, 0, 50, 0, design.slider1)
    , Label4(gerakan, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Ketinggian:")), design.Label4)
    , score1(gerakan, QStringLiteral("0"), design.score1)
    , Timer2(*this, QStringLiteral("Timer2"), design.gaugeIntervalMs, false, [this] { farGaugeTick(); })
    , Timer6(*this, QStringLiteral("Timer6"), design.gaugeIntervalMs, false, [this] { highGaugeTick(); })
    , game_(game)
    , slot_(slot)
    , design_(design)
{
    // player1's Tag is the turn marker shared by all players.
    if (slot_ == 0)
        setTag(game_.windEdition() ? words::firstTurn() : words::betweenTurns());

    placeClientAt(60, 6405);
    // The title is the player's name, the score what the board says.
    showPlayerText();
    score1.showPlayerText();

    // What a screen reader says for each button.
    kiri.setAccessibleName(QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Kiri: hadap ke kiri, atau melangkah ke kiri")));
    kanan.setAccessibleName(
        QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Kanan: hadap ke kanan, atau melangkah ke kanan")));
    atas.setAccessibleName(QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Atas: melangkah ke atas")));
    bawah.setAccessibleName(QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Bawah: melangkah ke bawah")));
    Command1.setAccessibleName(QString::fromUtf8(
        QT_TRANSLATE_NOOP("kestrava", "Tembak: tekan tiga kali, untuk jarak, untuk ketinggian, lalu meluncur")));

    kiri.onClick([this] { kiriClick(); });
    kanan.onClick([this] { kananClick(); });
    atas.onClick([this] { atasClick(); });
    bawah.onClick([this] { bawahClick(); });
    Command1.onClick([this] { fireClick(); });

    onResize([this] { resized(); });
    // A panel lives as long as the program: its close control does nothing.
    onCloseRequest([] { return false; });
}

PanelWindow::~PanelWindow() = default;

// ---- Movement and turning ----

namespace {

// Movement points left, as held by the panel.
double pointsOf(const ui::Label& label) { return numtext::readDouble(label.caption()); }

} // namespace

void PanelWindow::kiriClick() { turnOrStepSideways(words::Facing::Left, -kSideStep); }

void PanelWindow::kananClick() { turnOrStepSideways(words::Facing::Right, kSideStep); }

// A side button turns a vehicle that faces the other way (free of charge) and
// otherwise steps it towards the button's side for one movement point.
void PanelWindow::turnOrStepSideways(words::Facing side, ui::Twips step)
{
    const bool right = side == words::Facing::Right;
    const words::Facing otherSide = right ? words::Facing::Left : words::Facing::Right;
    if (facing() == otherSide) {
        Label1.setCaption(words::facing(right));
        game_.Battle().vehicle[slot_]->loadPictureFile(
            game_.Form1().spriteFile(game_.Form1().characterNumber[slot_]->text(), right));
        return;
    }
    const double points = pointsOf(Label3);
    if (points > 0) {
        game_.sound().stepStarts();
        hide();
        ui::Sprite& vehicle = *game_.Battle().vehicle[slot_];
        vehicle.setTag(numtext::text(vehicle.left() + step));
        game_.Battle().Timer4.start();
        game_.Battle().Timer3.stop();
        Label3.setCaption(numtext::text(points - 1));
    }
}

void PanelWindow::atasClick() { stepVertically(-kUpDownStep); }

void PanelWindow::bawahClick() { stepVertically(kUpDownStep); }

// Up and down cost a point each, whatever the facing, and never turn the
// vehicle. Both glides head for the one target in the vehicle's Tag: a side
// step stops the vertical glide so that it cannot chase the new sideways
// target, while an up or down step leaves a sideways glide running. As the
// panel stays hidden until its glide arrives, the two glides overlap only
// when a panel is shown with a glide still under way; the steps keep the
// difference as the game has always had it.
void PanelWindow::stepVertically(ui::Twips step)
{
    const double points = pointsOf(Label3);
    if (points > 0) {
        game_.sound().stepStarts();
        ui::Sprite& vehicle = *game_.Battle().vehicle[slot_];
        vehicle.setTag(numtext::text(vehicle.top() + step));
        game_.Battle().Timer3.start();
        hide();
        Label3.setCaption(numtext::text(points - 1));
    }
}

// ---- Gauges and the guide line ----

void PanelWindow::placeGuideLineStart()
{
    BattleWindow& battle = game_.Battle();
    const ui::Sprite& vehicle = *battle.vehicle[slot_];
    battle.Line1.setX1(vehicle.left() + kLineStartDx);
    battle.Line1.setY1(vehicle.top() + kLineStartDy);
}

void PanelWindow::placeGuideLineEnd()
{
    BattleWindow& battle = game_.Battle();
    const double k = game_.Form1().Slider1.value();
    const double far = ProgressBar1.value();
    const double high = slider1.value();
    const ui::Twips x1 = battle.Line1.x1();
    const ui::Twips y1 = battle.Line1.y1();
    const std::optional<words::Facing> facing = battle.shotFacing();
    if (facing == words::Facing::Right) {
        battle.Line1.setX2(x1 + far * k);
        battle.Line1.setY2(y1 - high * k);
    } else if (facing == words::Facing::Left) {
        battle.Line1.setX2(x1 - far * k);
        battle.Line1.setY2(y1 - high * k);
    }
    // Any other facing leaves the end where it is.
}

void PanelWindow::farGaugeTick()
{
    raiseGauge(ProgressBar1, game_.Battle().ProgressBar1, Timer2, true);
}

void PanelWindow::highGaugeTick()
{
    raiseGauge(slider1, game_.Battle().Slider1, Timer6, design_.highGaugeMovesLineStart);
}

void PanelWindow::raiseGauge(ui::ProgressBar& gauge, ui::ProgressBar& mirror, ui::Timer& timer,
                             bool placesLineStart)
{
    // The battle window's mirror takes the gauge's range.
    mirror.setMinimum(gauge.minimum());
    mirror.setMaximum(gauge.maximum());
    // The line starts at the vehicle.
    if (placesLineStart)
        placeGuideLineStart();
    // Raise the gauge; a full gauge stays full.
    gauge.setValue(gauge.value() + 1);
    if (gauge.value() == gauge.maximum())
        timer.stop();
    placeGuideLineEnd();
    // Mirror the power for the flight.
    mirror.setValue(gauge.value());
    ui::callHandler(gaugeObserver_);
}

// ---- Firing ----

void PanelWindow::fireClick()
{
    // Every press hands the battle window the launch data as it is now, so
    // the third press decides where and which way the shell starts.
    const bool wind = game_.windEdition();

    // The wind edition has no turn gauges.
    if (!wind)
        game_.Battle().turnGauge[slot_]->setValue(0);

    game_.Battle().lr.setCaption(Label1.caption());

    {
        BattleWindow& battle = game_.Battle();
        const ui::Sprite& vehicle = *battle.vehicle[slot_];
        const double left = facesRight()
            ? vehicle.left() + vehicle.width() + battle.Image1.width()
            : vehicle.left();
        battle.left1.setText(numtext::textSingle(static_cast<float>(left)));
        const double top = vehicle.top() - kLaunchHeight - battle.Image1.height();
        battle.top1.setText(numtext::textSingle(static_cast<float>(top)));
    }

    // The shell's starting damage: five times the attack; in the wind edition
    // it starts from nothing and gains its damage in flight.
    const double damage = wind ? 0.0 : numtext::readDouble(game_.setup().attack[slot_]->text()) * 5;
    game_.Battle().damage.setCaption(numtext::text(damage));

    for (ui::Label* dealt : game_.Battle().damageLabel)
        dealt->setCaption(QStringLiteral("0"));

    const std::optional<words::FireStage> stage = fireStage();
    if (stage == words::FireStage::Ready) {
        // First press: the far gauge starts from empty.
        ProgressBar1.setValue(0);
        slider1.setValue(0);
        Command1.setCaption(words::farRising());
        Timer2.start();
        game_.Battle().Timer1.stop();
    } else if (stage == words::FireStage::FarRising) {
        // Second press: the far power is fixed, the high gauge rises.
        Timer2.stop();
        Timer6.start();
        Command1.setCaption(words::highRising());
    } else {
        // Third press: launch.
        game_.sound().shotFired();
        hide();
        game_.setTurnMarker(numtext::text(slot_));
        Timer6.stop();
        game_.Battle().Timer1.start();
        Command1.setCaption(words::fireReady());
    }
}

// ---- Window ----

void PanelWindow::resized()
{
    gerakan.setWidth(outerWidth() - 270);
    ProgressBar1.setWidth(gerakan.width() - design_.gaugeMargin);
    slider1.setWidth(ProgressBar1.width());
}

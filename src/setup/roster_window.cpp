#include "setup/roster_window.h"

#include "app/game.h"
#include "score/score_window.h"
#include "ui/number_text.h"
#include "ui/picture.h"
#include "setup/character_catalogue.h"

#include <algorithm>
#include <iterator>

namespace {

const ui::Rect kFrame3{240, 3000, 7575, 1815};
const ui::Rect kMenuButton{360, 360, 2535, 495};
constexpr ui::Twips kMenuButtonSpacing = 600;
constexpr ui::Twips kNameLabelWidth = 420;
constexpr ui::Twips kNameLabelHeight = 195;
// Free space below the main menu of both editions, lined up with its buttons.
const ui::Rect kSoundBox{2400, 5160, 1095, 255};
// One row below it: the language's caption and choice.
const ui::Rect kLanguageLabel{2400, 5550, 735, 255};
const ui::Rect kLanguageChoice{3180, 5505, 1455, 345};
const ui::Rect kHelpButton{5280, 5100, 1095, 375};
// Wide enough for its caption with a little to spare.
const ui::Rect kCameraBox{3600, 5160, 1575, 255};
// Below "Bantuan", beside the language's choice.
const ui::Rect kNetworkButton{5280, 5520, 1095, 375};

// The guide line's length per unit of power; 0 turns the line off.
const ui::Slider::Scale kGuideLineScale{
    .minimum = 0, .maximum = 100, .tickSpacing = 10, .smallStep = 1, .largeStep = 5};

// The n-th button of the main menu (0 = top).
ui::Rect menuButton(int n)
{
    ui::Rect rect = kMenuButton;
    rect.top += n * kMenuButtonSpacing;
    return rect;
}

// A roster picture at its designed place, sized by its built-in picture.
ui::Rect sized(const ui::Rect& place, const ui::Picture& picture)
{
    ui::Rect rect = place;
    if (!picture.isNull()) {
        rect.width = ui::toTwips(picture.width());
        rect.height = ui::toTwips(picture.height());
    }
    return rect;
}

// The seat kinds in the order a seat control's clicks go round.
constexpr SeatKind kSeatCycle[5] = {SeatKind::Human, SeatKind::ComputerEasy, SeatKind::ComputerMedium,
                                    SeatKind::ComputerHard, SeatKind::Network};

// The seat control's tag of a network seat a joined player holds.
const QString& heldTag()
{
    static const QString kHeld = QStringLiteral("held");
    return kHeld;
}

SeatKind kindOf(SeatPlayer player)
{
    if (!player)
        return SeatKind::Human;
    switch (*player) {
    case computer::Level::Easy:
        return SeatKind::ComputerEasy;
    case computer::Level::Medium:
        return SeatKind::ComputerMedium;
    case computer::Level::Hard:
        break;
    }
    return SeatKind::ComputerHard;
}

} // namespace

const QString& RosterWindow::seatCaption(SeatPlayer player)
{
    static const QString kHuman = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Manusia"));
    static const QString kEasy = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Komputer mudah"));
    static const QString kMedium = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Komputer sedang"));
    static const QString kHard = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Komputer sulit"));
    if (!player)
        return kHuman;
    switch (*player) {
    case computer::Level::Easy:
        return kEasy;
    case computer::Level::Medium:
        return kMedium;
    case computer::Level::Hard:
        break;
    }
    return kHard;
}

const QString& RosterWindow::seatKindCaption(SeatKind kind)
{
    static const QString kNetwork = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Jaringan"));
    switch (kind) {
    case SeatKind::Human:
        return seatCaption(std::nullopt);
    case SeatKind::ComputerEasy:
        return seatCaption(computer::Level::Easy);
    case SeatKind::ComputerMedium:
        return seatCaption(computer::Level::Medium);
    case SeatKind::ComputerHard:
        return seatCaption(computer::Level::Hard);
    case SeatKind::Network:
        break;
    }
    return kNetwork;
}

const QString& RosterWindow::waitingName()
{
    static const QString kWaiting = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "menunggu"));
    return kWaiting;
}

namespace {

ui::Rect nameLabelAt(const ui::Rect& place)
{
    return ui::Rect{place.left, place.top, kNameLabelWidth, kNameLabelHeight};
}

} // namespace

RosterWindow::RosterWindow(Game& game, const RosterDesign& design)
    // Until a game type is chosen the title names the program.
    : ui::Window(programName(game.edition()), 7830, 6345)
    // Main menu
    , Frame1(*this, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Pilih tipe game:")), design.frame1)
    , Command1(Frame1, QStringLiteral("Duel 1vs1"), menuButton(0))
    , Command2(Frame1, QStringLiteral("Survival 3 player"), menuButton(1))
    , Command3(Frame1, QStringLiteral("Survival 4 player"), menuButton(2))
    , Command4(Frame1, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Team  2 vs 2")), menuButton(3))
    , Suara(*this, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Suara")), kSoundBox, true)
    , LabelBahasa(*this, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Bahasa")), kLanguageLabel)
    , Bahasa(*this, ui::languageNames(), static_cast<int>(ui::shownLanguage()), kLanguageChoice)
    , Bantuan(*this, QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Bantuan")), kHelpButton)
    , Kamera(*this, QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Kamera ikut")), kCameraBox, false)
    , Jaringan(*this, QString::fromUtf8(QT_TRANSLATE_NOOP("kestrava", "Jaringan")), kNetworkButton)
    // Roster, over the menu
    , Frame2(*this, QStringLiteral("Survival Game"), design.frame2, false)
    , Frame3(Frame2, QStringLiteral("Frame3"), kFrame3, false, ui::Frame::Border::None)
    , Frame4(Frame3, QStringLiteral("Frame3"), design.frame4, false, ui::Frame::Border::None)
    , Image1(Frame2, sized(design.picture[0], ui::builtinPicture(design.builtinPicture[0])))
    , Image2(Frame2, sized(design.picture[1], ui::builtinPicture(design.builtinPicture[1])))
    , Image3(Frame3, sized(design.picture[2], ui::builtinPicture(design.builtinPicture[2])))
    , Image4(Frame4, sized(design.picture[3], ui::builtinPicture(design.builtinPicture[3])))
    , Text1(Frame2, QStringLiteral("Player1"), design.nameField[0])
    , Text2(Frame2, QStringLiteral("Player2"), design.nameField[1])
    , Text3(Frame3, QStringLiteral("Player3"), design.nameField[2])
    , text4(Frame4, QStringLiteral("Player4"), design.nameField[3])
    , Label2{{
          ui::Label(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Nama")), nameLabelAt(design.nameLabel[0])),
          ui::Label(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Nama")), nameLabelAt(design.nameLabel[1])),
          ui::Label(Frame3, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Nama")), nameLabelAt(design.nameLabel[2])),
          ui::Label(Frame4, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Nama")), nameLabelAt(design.nameLabel[3])),
      }}
    // The character numbers are hidden: the pictures show the choice.
    , nomob1(Frame2, QStringLiteral("1"), ui::Rect{360, 2400, 375, 285}, false)
    , nomob2(Frame2, QStringLiteral("2"), ui::Rect{5520, 2400, 375, 285}, false)
    , nomob3(Frame3, QStringLiteral("3"), ui::Rect{240, 1560, 375, 285}, false)
    , nomob4(Frame4, QStringLiteral("4"), ui::Rect{1560, 1560, 375, 285}, false)
    , Command5(Frame2, QStringLiteral("Start"), ui::Rect{2760, 4680, 2175, 855})
    , back(Frame2, QStringLiteral("back"), ui::Rect{4080, 120, 1095, 615})
    , Slider1(Frame2, kGuideLineScale, 70, ui::Rect{1080, 5760, 5535, 270})
    , Label1(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Garis Pembantu: (0=off)")), ui::Rect{120, 5520, 930, 585})
    , Dir1(Frame2, game.pictureFolder(), ui::Rect{7080, 5880, 855, 540}, false)
    // "Score..." stays in front of the roster, beside "back".
    , Command10(*this, QStringLiteral("Score..."), ui::Rect{2760, 120, 1215, 615})
    , picture{&Image1, &Image2, &Image3, &Image4}
    , nameField{&Text1, &Text2, &Text3, &text4}
    , characterNumber{&nomob1, &nomob2, &nomob3, &nomob4}
    , slotContainer{&Frame2, &Frame2, &Frame3, &Frame4}
    , game_(game)
{
    placeClientAt(60, 405);
    // The title names the program, then holds the number of players.
    showPlayerText();

    for (int slot = 0; slot < 4; ++slot)
        picture[slot]->setPicture(ui::builtinPicture(design.builtinPicture[slot]));

    Command1.onClick([this] { chooseGameType(2); });
    Command2.onClick([this] { chooseGameType(3); });
    Command3.onClick([this] { chooseGameType(4); });
    Command4.onClick([this] { teamGame(); });
    back.onClick([this] { backToMenu(); });
    Command10.onClick([this] { openScoreBoard(); });
    Suara.onClick([this] { game_.sound().boxClicked(); });
    Bahasa.onChange([this] { chooseLanguage(); });
    Kamera.onClick([this] { game_.camera().boxClicked(); });
    Command5.onClick([this] { startMatch(); });
    Bantuan.onClick([this] { game_.showHelp(); });
    onKeys({ui::Key::F1}, [this](ui::Key) { game_.showHelp(); });

    // Closing the setup window ends the program with all its windows.
    onClosed([this] { game_.endProgram(0); });

    // Load: the roster covers the main menu when it is shown.
    Frame2.move(0, 0);
}

RosterWindow::~RosterWindow() = default;

bool RosterWindow::playerTakesPart(int slot) const
{
    // Player 4's slot lies inside player 3's: it is on the roster only while
    // both are shown.
    switch (slot) {
    case 0:
    case 1:
        return true;
    case 2:
        return Frame3.visible();
    case 3:
        return Frame3.visible() && Frame4.visible();
    default:
        return false;
    }
}

QString RosterWindow::spriteFile(const QString& number, bool facingRight) const
{
    return ui::joinPath(game_.pictureFolder(), number + (facingRight ? QStringLiteral(".gif") : QStringLiteral("2.gif")));
}

std::int64_t RosterWindow::playerCount() const { return numtext::readInt16(caption()); }

void RosterWindow::chooseGameType(int players)
{
    Frame2.show();
    Frame3.setVisible(players >= 3);
    if (players >= 3)
        Frame4.setVisible(players >= 4);
    showSeatControls();
    setCaption(numtext::text(players));
}

ui::Button RosterWindow::seatControl(const RosterDesign& design, int slot)
{
    ui::Container& container = design.seatInFrame3[slot] ? static_cast<ui::Container&>(Frame3) : *slotContainer[slot];
    return ui::Button(container, seatCaption(std::nullopt), design.seat[slot]);
}

void RosterWindow::takeSeatControls(std::array<ui::Button, 4>& controls)
{
    for (int slot = 0; slot < 4; ++slot) {
        seat[slot] = &controls[slot];
        seat[slot]->onClick([this, slot] { cycleSeat(slot); });
    }
    showSeatControls();
}

void RosterWindow::showSeatControls()
{
    // A control outside its player's frame follows that frame by hand.
    for (int slot = 0; slot < 4; ++slot)
        if (seat[slot])
            seat[slot]->setVisible(playerTakesPart(slot));
}

SeatKind RosterWindow::seatKind(int slot) const
{
    const QString caption = seat[slot]->caption();
    for (const SeatKind kind : kSeatCycle)
        if (caption == seatKindCaption(kind))
            return kind;
    return SeatKind::Human;
}

SeatPlayer RosterWindow::seatPlayer(int slot) const
{
    switch (seatKind(slot)) {
    case SeatKind::Human:
        return std::nullopt;
    case SeatKind::ComputerEasy:
        return computer::Level::Easy;
    case SeatKind::ComputerMedium:
        return computer::Level::Medium;
    case SeatKind::ComputerHard:
        return computer::Level::Hard;
    case SeatKind::Network:
        break;
    }
    // Nobody on another machine holds it yet: the computer keeps it going.
    return networkSeatHeld(slot) ? std::nullopt : SeatPlayer{computer::Level::Medium};
}

void RosterWindow::setSeatPlayer(int slot, SeatPlayer player) { setSeatKind(slot, kindOf(player)); }

void RosterWindow::setSeatKind(int slot, SeatKind kind)
{
    const bool wasNetwork = networkSeat(slot);
    const bool network = kind == SeatKind::Network;
    if (!wasNetwork && network) {
        nameBeforeNetwork_[slot] = nameField[slot]->text();
        nameField[slot]->setText(waitingName());
    } else if (wasNetwork && !network) {
        seat[slot]->setTag(QString());
        nameField[slot]->setText(nameBeforeNetwork_[slot]);
    }
    seat[slot]->setCaption(seatKindCaption(kind));
    game_.seatsChanged();
}

void RosterWindow::cycleSeat(int slot)
{
    const SeatKind now = seatKind(slot);
    std::size_t next = 0;
    for (std::size_t k = 0; k < std::size(kSeatCycle); ++k)
        if (kSeatCycle[k] == now)
            next = (k + 1) % std::size(kSeatCycle);
    setSeatKind(slot, kSeatCycle[next]);
}

bool RosterWindow::networkSeat(int slot) const { return seatKind(slot) == SeatKind::Network; }

void RosterWindow::setNetworkSeat(int slot) { setSeatKind(slot, SeatKind::Network); }

bool RosterWindow::networkSeatHeld(int slot) const
{
    return seatKind(slot) == SeatKind::Network && seat[slot]->tag() == heldTag();
}

void RosterWindow::holdNetworkSeat(int slot, const QString& name, int character)
{
    if (!networkSeat(slot))
        return;
    seat[slot]->setTag(heldTag());
    nameField[slot]->setText(name);
    takeCharacter(slot, std::clamp(character, kFirstCharacter, kLastCharacter));
    game_.seatsChanged();
}

void RosterWindow::releaseNetworkSeat(int slot)
{
    if (!networkSeat(slot))
        return;
    seat[slot]->setTag(QString());
    nameField[slot]->setText(waitingName());
    game_.seatsChanged();
}

QString RosterWindow::panelTitle(int slot) const
{
    static const QString kComputerPlays = QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "(komputer)"));
    const QString name = nameField[slot]->text();
    if (networkSeat(slot) && !networkSeatHeld(slot))
        return name + QLatin1Char(' ') + kComputerPlays;
    return name;
}

void RosterWindow::startInLanguage(std::optional<ui::Language> forThisRun)
{
    const ui::Language language = forThisRun.value_or(ui::rememberedLanguage());
    ui::showLanguage(language);
    Bahasa.setIndex(static_cast<int>(language));
    rememberingLanguage_ = true;
}

void RosterWindow::chooseLanguage()
{
    const auto language = static_cast<ui::Language>(Bahasa.index());
    ui::showLanguage(language);
    if (rememberingLanguage_)
        ui::rememberLanguage(language);
}

void RosterWindow::teamGame()
{
    // Team play has no rules of its own yet: it only records four players.
    setCaption(QStringLiteral("4"));
}

void RosterWindow::backToMenu()
{
    // Frame3 and Frame4 keep their state: the next game type sets them.
    Frame2.hide();
}

void RosterWindow::openScoreBoard()
{
    game_.Score().show();
}

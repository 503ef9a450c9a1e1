#include "score/score_window.h"

#include "app/game.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"

namespace {

// Every row frame holds a name field and a score field at the same places;
// only player 4's row swaps the two widths.
constexpr ui::Rect rowFrame(int slot)
{
    return {480, 480 + 840.0 * slot, 4455, 735};
}

} // namespace

ScoreWindow::ScoreWindow(Game& game)
    : ui::Window(QStringLiteral("Score:"), 5190, 4500)
    , Check1(*this, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Baca Score")), {1920, 120, 1335, 255}, true)
    , Frame1(*this, QString(), rowFrame(0))
    , Frame2(*this, QString(), rowFrame(1))
    , Frame3(*this, QString(), rowFrame(2))
    , Frame4(*this, QString(), rowFrame(3))
    , Text1(Frame1, QStringLiteral("Text1"), {120, 240, 1935, 375})
    , Text2(Frame2, QStringLiteral("Text2"), {120, 240, 1935, 375})
    , Text3(Frame3, QStringLiteral("Text3"), {120, 240, 1935, 375})
    , Text4(Frame4, QStringLiteral("Text4"), {120, 240, 1815, 375})
    , Text1q(Frame1, QStringLiteral("0"), {2280, 240, 1815, 375})
    , Text2q(Frame2, QStringLiteral("0"), {2280, 240, 1815, 375})
    , text3q(Frame3, QStringLiteral("0"), {2280, 240, 1815, 375})
    , Text4q(Frame4, QStringLiteral("0"), {2280, 240, 1935, 375})
    , Command1(*this, QStringLiteral("OK"), {2040, 3840, 1335, 495})
    , Timer1(*this, QStringLiteral("Timer1"), 1000, true, [this] { mirrorTick(); })
    , nameText{&Text1, &Text2, &Text3, &Text4}
    , scoreText{&Text1q, &Text2q, &text3q, &Text4q}
    , game_(game)
{
    placeClientAt(60, 405);
    Check1.onClick([this] { checkClick(); });
    Command1.onClick([this] { okClick(); });
    // The close control is allowed: the game discards the board and builds it
    // afresh, with the values above, at the next touch.
}

ScoreWindow::~ScoreWindow() = default;

void ScoreWindow::mirrorTick()
{
    // Names from the setup window.
    for (int slot = 0; slot < 4; ++slot)
        nameText[slot]->setText(game_.Form1().nameField[slot]->text());
    // Live scores from the player panels (touching a panel creates it, hidden).
    for (int slot = 0; slot < 4; ++slot)
        scoreText[slot]->setText(game_.player(slot).score1.caption());
    // Mirroring goes on only while "Baca Score" is ticked.
    checkClick();
}

void ScoreWindow::checkClick()
{
    Timer1.setEnabled(Check1.checked());
}

void ScoreWindow::okClick()
{
    hide();
}

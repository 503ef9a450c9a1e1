#include "battle/battle_window.h"

#include "ui/number_text.h"

#include <array>

namespace {

// The two rings the next wind steps through, one step per pointer move over
// the battlefield. A value not on its ring starts the ring again.
constexpr std::array<double, 18> kHorizontalRing{0,   5,   -1,  -9,  20,  -15, -25, 50, 40,
                                                 -30, -40, -60, 70,  -69, -47, 32,  34, 31};
constexpr std::array<double, 17> kVerticalRing{5,   -1,  -9, 20,  -15, -25, 50, 40, -30,
                                               -40, -60, 70, -69, -47, 32,  34, 31};

template <std::size_t N>
QString successor(const std::array<double, N>& ring, const QString& current)
{
    const double value = numtext::readDouble(current);
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (value == ring[i])
            return numtext::text(ring[i + 1]);
    return numtext::text(ring[0]);
}

// The colour cycle of the dial: each colour leads to the next; any other
// colour (the arrow starts white) becomes black.
ui::Colour nextDialColour(ui::Colour colour, bool windEdition)
{
    switch (colour) {
    case 0x000000:
        return 0x80FFFF;
    case 0x80FFFF:
        return 0xFF0000;
    case 0xFF0000:
        return 0x0000FF;
    case 0x0000FF:
        return windEdition ? 0x000000 : 0xFFFFFF;
    default:
        return 0x000000;
    }
}

} // namespace

void BattleWindow::AdvanceNextWind()
{
    Text7.setText(successor(kHorizontalRing, Text7.text()));
    Text8.setText(successor(kVerticalRing, Text8.text()));
}

void BattleWindow::PlaceWindDial(ui::Twips x, ui::Twips y)
{
    if (windEdition()) {
        // The dial follows the pointer sideways only, at the height of load.
        angi1.setX1(x);
        angi1.setX2(x);
        Shape2.setLeft(x - 120);
        Shape1.setLeft(x - 240);
        Label4.setLeft(x - 240);
        return;
    }
    // The arrow collapses to the dial's centre until the next dial tick.
    const ui::Twips cx = x + 300;
    const ui::Twips cy = y - 2500;
    angi1.setEnds(cx, cy, cx, cy);
    Shape2.move(cx - 120, cy - 120);
    Shape1.move(cx - 240, cy - 240);
    Label2.move(cx - 240, cy - 480);
}

// The horizontal wind as text, written when the pointer moves over
// "Score...". A negative wind reads "<== " with a blank before the number;
// the wind edition's end of a shot writes the same wind without the blank
// (wind_end_shot.cpp). Nothing reads the text back: the two spellings are
// kept as the game has always shown them.
void BattleWindow::WriteWindText()
{
    const double w = numtext::readDouble(Text3.text());
    if (w > 0)
        Label5.setCaption(Text3.text() + QStringLiteral(" ==>"));
    if (w < 0)
        Label5.setCaption(QStringLiteral("<== ") + Text3.text());
    if (w == 0)
        Label5.setCaption(Text3.text());
}

void BattleWindow::windDialTick()
{
    // Step the arrow's colour.
    const ui::Colour colour = nextDialColour(angi1.colour(), windEdition());
    angi1.setColour(colour);

    // The dial and its caption take the arrow's new colour.
    Shape1.setColour(colour);
    Shape2.setColour(colour);
    (windEdition() ? Label4 : Label2).setForeColour(colour);

    // Point the arrow where the wind pushes the shell, ten times as long.
    const double w = numtext::readDouble(Text3.text());
    const double v = numtext::readDouble(Text4.text());
    angi1.setX2(angi1.x1() + 10 * w);
    angi1.setY2(angi1.y1() - 10 * v);
}

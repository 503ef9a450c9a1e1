#include "battle/battle_window.h"

#include "app/game_words.h"

// The view scrolls by moving the whole battlefield under the window, in the
// direction held by `scrol1`, until the pointer comes to rest over the
// battlefield or the bare window. Nothing limits how far it goes.

namespace {
constexpr ui::Twips kScrollStep = 100;
}

void BattleWindow::scrollTick()
{
    const QString& direction = scrol1.caption();
    if (direction == words::up())
        Picture1.setTop(Picture1.top() + kScrollStep);
    else if (direction == words::down())
        Picture1.setTop(Picture1.top() - kScrollStep);
    else if (direction == words::left())
        Picture1.setLeft(Picture1.left() + kScrollStep);
    else if (direction == words::right())
        Picture1.setLeft(Picture1.left() - kScrollStep);
}

void BattleWindow::scrollButtonClick(const QString& direction)
{
    scrol1.setCaption(direction);
    // A scroll by hand rests the camera until the next turn.
    if (kamera.enabled())
        kamera1.setCaption(words::cameraRests());
}

void BattleWindow::windowPointerMove()
{
    scrol1.setCaption(words::noScroll());
}

#include "battle/battle_window.h"
#include "battle/scroll_step.h"

#include "app/game_words.h"

// The view scrolls by moving the whole battlefield under the window, in the
// direction held by `scrol1`, until the pointer comes to rest over the
// battlefield or the bare window. Nothing limits how far it goes.

namespace scroll {

Place step(Place view, Direction direction)
{
    switch (direction) {
    case Direction::Up:
        view.top += kStep;
        break;
    case Direction::Down:
        view.top -= kStep;
        break;
    case Direction::Left:
        view.left += kStep;
        break;
    case Direction::Right:
        view.left -= kStep;
        break;
    case Direction::None:
        break;
    }
    return view;
}

Direction directionOf(const QString& word)
{
    if (word == words::up())
        return Direction::Up;
    if (word == words::down())
        return Direction::Down;
    if (word == words::left())
        return Direction::Left;
    if (word == words::right())
        return Direction::Right;
    return Direction::None;
}

} // namespace scroll

void BattleWindow::scrollTick()
{
    const scroll::Direction direction = scroll::directionOf(scrol1.caption());
    // At rest the tick reads nothing more, so that it sleeps on `scrol1` alone.
    if (direction == scroll::Direction::None)
        return;
    const scroll::Place now{Picture1.left(), Picture1.top()};
    const scroll::Place next = scroll::step(now, direction);
    if (next.top != now.top)
        Picture1.setTop(next.top);
    if (next.left != now.left)
        Picture1.setLeft(next.left);
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

#pragma once

#include "ui/keys.h"

#include <QtGlobal>
#include <Qt>

#include <optional>

// A played key as it travels in a key intent: the keyboard's own code, so
// that the number means the same key on every machine.
namespace net {

inline int keyCode(ui::Key key)
{
    switch (key) {
    case ui::Key::Left:
        return Qt::Key_Left;
    case ui::Key::Right:
        return Qt::Key_Right;
    case ui::Key::Up:
        return Qt::Key_Up;
    case ui::Key::Down:
        return Qt::Key_Down;
    case ui::Key::Space:
        return Qt::Key_Space;
    case ui::Key::Enter:
        return Qt::Key_Return;
    case ui::Key::F1:
        return Qt::Key_F1;
    case ui::Key::C:
        return Qt::Key_C;
    }
    return 0;
}

// The played key a code names, if any.
inline std::optional<ui::Key> keyOfCode(qint64 code)
{
    for (const ui::Key key : {ui::Key::Left, ui::Key::Right, ui::Key::Up, ui::Key::Down, ui::Key::Space,
                              ui::Key::Enter, ui::Key::F1, ui::Key::C})
        if (keyCode(key) == code)
            return key;
    return std::nullopt;
}

}  // namespace net

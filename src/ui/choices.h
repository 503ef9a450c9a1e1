#pragma once

#include <QString>

namespace ui {

// A player's on/off choice, remembered from one start to the next in the
// game's settings (on Linux ~/.config/kestrava/kestrava.conf). Both programs
// share them. `byDefault` is the answer while nothing is remembered.
bool rememberedChoice(const QString& key, bool byDefault);
void rememberChoice(const QString& key, bool on);

} // namespace ui

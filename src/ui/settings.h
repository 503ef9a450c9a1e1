#pragma once

#include <QSettings>
#include <QString>

namespace ui {

// Where the player's choices are kept (on Linux ~/.config/kestrava/kestrava.conf):
// the package's name for both, so that the two programs share them.
inline QString settingsOrganisation() { return QStringLiteral("kestrava"); }
inline QString settingsApplication() { return QStringLiteral("kestrava"); }

} // namespace ui

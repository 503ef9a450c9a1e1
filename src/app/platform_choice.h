#pragma once

#include <QString>
#include <QStringList>

// The game places its windows itself (panels beside the battlefield, the
// battle window over the setup window). A Wayland compositor ignores the
// positions a client asks for, so when the user has chosen no platform
// (QT_QPA_PLATFORM empty or unset, no -platform among the arguments) and an
// X display is there to reach (DISPLAY set), the program asks for X11,
// through XWayland on a Wayland desktop. Wayland stays the fallback, for a
// stale DISPLAY or a system without Qt's X11 plugin.
//
// Returns the value for QT_QPA_PLATFORM (Qt tries a ";"-separated list in
// order), or an empty text to leave Qt's own choice alone.
QString platformRequest(const QString& platformEnv, const QStringList& arguments, const QString& displayEnv);

#pragma once

#include <QString>

// The game's own words that also serve as its state: fields hold them and
// handlers compare them, so each is spelled here once. They are words of the
// game's interface language, spelled as the game has always spelled them.
namespace words {

// A vehicle's facing, held by each panel's Label1 and copied to the battle
// window's lr when a shot is fired. The same two words are the captions of
// the panel's side buttons and the sideways directions of view scrolling.
inline QString right() { return QStringLiteral("kanan"); }
inline QString left() { return QStringLiteral("kiri"); }
inline QString facing(bool facesRight) { return facesRight ? right() : left(); }

// Up and down: the captions of the panel's vertical step buttons and the
// vertical directions of view scrolling.
inline QString up() { return QStringLiteral("atas"); }
inline QString down() { return QStringLiteral("bawah"); }

// The scroll direction held while the view stands still.
inline QString noScroll() { return QStringLiteral("no"); }

// The fire button's caption is its stage: ready to fire, the far gauge
// rising, the high gauge rising.
inline QString fireReady() { return QStringLiteral("tembak"); }
inline QString farRising() { return QStringLiteral("far ok"); }
inline QString highRising() { return QStringLiteral("high ok"); }

} // namespace words

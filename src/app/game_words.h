#pragma once

#include <QString>

#include <initializer_list>
#include <optional>
#include <utility>

// The game's own words that also serve as its state: fields hold them and
// handlers compare them, so each is spelled here once. They are words of the
// game's interface language, spelled as the game has always spelled them.
namespace words {

// Which of the words `text` is, as the value beside it; nothing when it is
// none of them.
template <typename Value>
std::optional<Value> whichWord(const QString& text, std::initializer_list<std::pair<QString, Value>> words)
{
    for (const auto& [word, value] : words)
        if (text == word)
            return value;
    return std::nullopt;
}

// A vehicle's facing, held by each panel's Label1 and copied to the battle
// window's lr when a shot is fired. The same two words are the captions of
// the panel's side buttons and the sideways directions of view scrolling.
inline QString right() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "kanan")); }
inline QString left() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "kiri")); }
inline QString facing(bool facesRight) { return facesRight ? right() : left(); }

enum class Facing { Right, Left };
// The facing a Label1 or lr holds; nothing when it holds neither word.
inline std::optional<Facing> facingOf(const QString& text)
{
    return whichWord<Facing>(text, {{right(), Facing::Right}, {left(), Facing::Left}});
}

// Up and down: the captions of the panel's vertical step buttons and the
// vertical directions of view scrolling.
inline QString up() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "atas")); }
inline QString down() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "bawah")); }

// The scroll direction held while the view stands still.
inline QString noScroll() { return QStringLiteral("no"); }

// The fire button's caption is its stage: ready to fire, the far gauge
// rising, the high gauge rising.
inline QString fireReady() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "tembak")); }
inline QString farRising() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "far ok")); }
inline QString highRising() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "high ok")); }

enum class FireStage { Ready, FarRising, HighRising };
// The stage a fire button's caption holds; nothing for any other caption.
inline std::optional<FireStage> fireStageOf(const QString& caption)
{
    return whichWord<FireStage>(caption, {{fireReady(), FireStage::Ready},
                                          {farRising(), FireStage::FarRising},
                                          {highRising(), FireStage::HighRising}});
}

// The turn marker (player1's Tag) holds the number of the player whose turn
// it is, or one of these. Between turns, while the full game's turn gauges
// fill, it reads "-1"; "0" is where it starts over: player 1, and in the wind
// edition the start of the rotation.
inline QString betweenTurns() { return QStringLiteral("-1"); }
inline QString firstTurn() { return QStringLiteral("0"); }

// What the camera is doing, held by the battle window's kamera1: nothing
// ("mati": the box is clear and no centring runs), following the turns and
// the shell ("ikut"), gliding to the vehicle whose turn it is and then
// following ("cari"), centring on that vehicle at the player's request
// ("tengah"), resting until the next turn after a scroll by hand ("diam").
inline QString cameraOff() { return QStringLiteral("mati"); }
inline QString cameraFollows() { return QStringLiteral("ikut"); }
inline QString cameraSeeks() { return QStringLiteral("cari"); }
inline QString cameraCentres() { return QStringLiteral("tengah"); }
inline QString cameraRests() { return QStringLiteral("diam"); }

} // namespace words

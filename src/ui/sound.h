#pragma once

#include <QLoggingCategory>
#include <QString>
#include <functional>

namespace ui {

// The game's sounds, built into the program as resources.
enum class Sound { Turn, Step, Fire, Hit, Kill, Winner, Draw };
inline constexpr int kSoundCount = 7;

// The sound's name: "turn", "step", "fire", "hit", "kill", "winner", "draw".
QString soundName(Sound sound);

// The category of the line "play <name>" logged for every sound played; its
// debug lines are off unless turned on (QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(soundLog)

// Starts a sound and returns at once: nothing waits for it. A sound started
// while another plays mixes with it; a sound started again while it still
// plays starts over. Where no sound can be made (no audio device, no sound
// server, a broken backend) the game goes on in silence, and says so once in
// one line on standard error.
void playSound(Sound sound);

// Readies the audio output and the sounds a little after the first window is
// up, so that neither start-up nor the first sound waits for them. A sound
// played before that readies them itself.
void prepareSoundsSoon();

// Tests replace what plays a sound, to record sounds instead of making them
// (the "play" line is logged all the same). Returns the player that was in
// place; an empty function puts back the audio output.
using SoundPlayer = std::function<void(Sound)>;
SoundPlayer setSoundPlayer(SoundPlayer player);

// The player's choice of sound, remembered from one start to the next in the
// game's settings (both programs share it). On when nothing is remembered.
bool rememberedSoundOn();
void rememberSoundOn(bool on);

} // namespace ui

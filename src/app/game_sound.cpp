#include "app/game_sound.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "setup/roster_window.h"
#include "ui/sound.h"

namespace {

void playIf(bool on, ui::Sound sound)
{
    if (on)
        ui::playSound(sound);
}

} // namespace

bool GameSound::on() { return game_.Form1().Suara.checked(); }

void GameSound::turnPasses()
{
    if (!on() || !game_.battleExists())
        return;
    int inPlay = 0;
    for (const ui::Sprite* vehicle : game_.Battle().vehicle)
        if (vehicle->visible())
            ++inPlay;
    if (inPlay >= 2)
        ui::playSound(ui::Sound::Turn);
}

void GameSound::stepStarts() { playIf(on(), ui::Sound::Step); }

void GameSound::shotFired()
{
    touchedThisShot_.fill(false);
    playIf(on(), ui::Sound::Fire);
}

void GameSound::shellTouches(int slot)
{
    bool& touched = touchedThisShot_.at(static_cast<std::size_t>(slot));
    if (touched)
        return;
    touched = true;
    playIf(on(), ui::Sound::Hit);
}

void GameSound::vehicleDestroyed() { playIf(on(), ui::Sound::Kill); }

void GameSound::winnerDeclared() { playIf(on(), ui::Sound::Winner); }

void GameSound::drawDeclared() { playIf(on(), ui::Sound::Draw); }

void GameSound::startWithRememberedChoice(bool mute)
{
    game_.Form1().Suara.setChecked(!mute && ui::rememberedSoundOn());
    remembering_ = true;
    if (on())
        ui::prepareSoundsSoon();
}

void GameSound::boxClicked()
{
    if (remembering_)
        ui::rememberSoundOn(on());
}

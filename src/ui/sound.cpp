#include "ui/sound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSettings>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <array>
#include <memory>

namespace ui {

// Warnings and "play" lines only; debug lines on request.
Q_LOGGING_CATEGORY(soundLog, "kestrava.sound", QtInfoMsg)

namespace {

constexpr std::array<const char*, kSoundCount> kNames = {"turn", "step", "fire", "hit", "kill", "winner", "draw"};

// Where the player's choices are kept (on Linux ~/.config/kestrava/kestrava.conf):
// the package's name for both, so that the two programs share them.
const char* const kSettingsOrganisation = "kestrava";
const char* const kSettingsApplication = "kestrava";
const char* const kSoundOnKey = "sound/on";

// How long after the request the audio output is readied: long enough for
// the first window to be drawn, shorter than any player takes to start a
// match.
constexpr int kPrepareDelayMs = 500;

// A game that cannot make sound says so once, whatever the reason.
void warnOnce(const char* text)
{
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    qCWarning(soundLog, "%s", text);
}

// While the audio output is looked for, Qt Multimedia reports a missing sound
// server in its own words, on the default category, and asking it for devices
// can make Qt warn about the runtime folder. The game says once in its own
// words that it plays in silence instead; every other message goes on to the
// handler that was in place.
QtMessageHandler handlerOutsideProbe = nullptr;

bool isAudioProbeChatter(const QString& message)
{
    return message.startsWith(QLatin1String("PulseAudioService:"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))
        || message == QLatin1String("No audio device detected");
}

void quietAudioProbe(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && isAudioProbeChatter(message))
        return;
    handlerOutsideProbe(type, context, message);
}

QAudioDevice findAudioOutput()
{
    handlerOutsideProbe = qInstallMessageHandler(quietAudioProbe);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    qInstallMessageHandler(handlerOutsideProbe);
    return device;
}

// The audio output and one sound effect per sound, made once per program.
class Speaker {
public:
    Speaker()
    {
        const QAudioDevice device = findAudioOutput();
        if (device.isNull()) {
            warnOnce("No audio output found: the game plays without sound.");
            return;
        }
        for (int i = 0; i < kSoundCount; ++i) {
            auto effect = std::make_unique<QSoundEffect>(device);
            QSoundEffect* raw = effect.get();
            QObject::connect(raw, &QSoundEffect::statusChanged, raw, [raw] {
                if (raw->status() == QSoundEffect::Error)
                    warnOnce("A sound could not be loaded: the game plays without it.");
            });
            effect->setSource(QUrl(QStringLiteral("qrc:/sounds/%1.wav").arg(QLatin1String(kNames[i]))));
            effects_[i] = std::move(effect);
        }
    }

    void play(Sound sound)
    {
        QSoundEffect* effect = effects_[static_cast<std::size_t>(sound)].get();
        if (!effect || effect->status() == QSoundEffect::Error)
            return;
        // A repeat starts over; the other effects play on and mix with it.
        effect->stop();
        effect->play();
    }

private:
    std::array<std::unique_ptr<QSoundEffect>, kSoundCount> effects_;
};

std::unique_ptr<Speaker>& speakerSlot()
{
    static std::unique_ptr<Speaker> speaker;
    return speaker;
}

// The effects go before the application does: they hold audio streams of
// its media backend.
void dropSpeaker() { speakerSlot().reset(); }

Speaker& speaker()
{
    std::unique_ptr<Speaker>& slot = speakerSlot();
    if (!slot) {
        slot = std::make_unique<Speaker>();
        qAddPostRoutine(dropSpeaker);
    }
    return *slot;
}

void playThroughSpeaker(Sound sound) { speaker().play(sound); }

SoundPlayer& player()
{
    static SoundPlayer current = playThroughSpeaker;
    return current;
}

} // namespace

QString soundName(Sound sound) { return QString::fromLatin1(kNames[static_cast<std::size_t>(sound)]); }

void playSound(Sound sound)
{
    qCDebug(soundLog).noquote() << QStringLiteral("play") << soundName(sound);
    player()(sound);
}

void prepareSoundsSoon()
{
    QTimer::singleShot(kPrepareDelayMs, QCoreApplication::instance(), [] { speaker(); });
}

SoundPlayer setSoundPlayer(SoundPlayer next)
{
    SoundPlayer previous = player();
    player() = next ? std::move(next) : SoundPlayer(playThroughSpeaker);
    return previous;
}

bool rememberedSoundOn()
{
    const QSettings settings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
    return settings.value(QLatin1String(kSoundOnKey), true).toBool();
}

void rememberSoundOn(bool on)
{
    QSettings settings(QString::fromLatin1(kSettingsOrganisation), QString::fromLatin1(kSettingsApplication));
    settings.setValue(QLatin1String(kSoundOnKey), on);
}

} // namespace ui

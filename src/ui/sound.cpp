#include "ui/sound.h"

#include "ui/choices.h"
#include "ui/sound_output.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QTimer>

#include <array>
#include <memory>

namespace ui {

// Warnings and "play" lines only; debug lines on request.
Q_LOGGING_CATEGORY(soundLog, "kestrava.sound", QtInfoMsg)

namespace {

constexpr std::array<const char*, kSoundCount> kNames = {"turn", "step", "fire", "hit", "kill", "winner", "draw"};

const char* const kSoundOnKey = "sound/on";

// How long after the request the audio output is readied: long enough for
// the first window to be drawn, shorter than any player takes to start a
// match.
constexpr int kPrepareDelayMs = 500;

// A game that cannot make sound says so once, whatever the reason.
void warnOnce(const QString& text)
{
    static bool warned = false;
    if (warned)
        return;
    warned = true;
    qCWarning(soundLog).noquote() << text;
}

// Where the audio output module may be: beside the program (the build tree)
// or where the package installs it, relative to the program's folder.
QStringList moduleFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders{programFolder};
#ifdef KESTRAVA_SOUND_MODULE_DIR
    folders << QDir(programFolder).filePath(QStringLiteral(KESTRAVA_SOUND_MODULE_DIR));
#endif
    return folders;
}

// The audio output, loaded from its module once per program; nothing where
// the module, the audio device or the sound server is missing.
class Speaker {
public:
    Speaker()
    {
        QString problem;
        for (const QString& folder : moduleFolders()) {
            QPluginLoader loader(QDir(folder).filePath(QStringLiteral("kestrava_sound")));
            if (QObject* instance = loader.instance()) {
                output_ = qobject_cast<SoundOutput*>(instance);
                break;
            }
            if (problem.isEmpty() || QFileInfo::exists(loader.fileName()))
                problem = loader.errorString();
        }
        if (!output_) {
            warnOnce(QStringLiteral("Sound is not available (%1): the game plays without it.").arg(problem));
            return;
        }
        QStringList sources;
        for (const char* name : kNames)
            sources << QStringLiteral("qrc:/sounds/%1.wav").arg(QLatin1String(name));
        if (!output_->open(sources, warnOnce)) {
            warnOnce(QStringLiteral("No audio output found: the game plays without sound."));
            output_->close();
            output_ = nullptr;
        }
    }

    void play(Sound sound)
    {
        if (output_)
            output_->play(static_cast<int>(sound));
    }

    void close()
    {
        if (output_)
            output_->close();
        output_ = nullptr;
    }

private:
    SoundOutput* output_ = nullptr;
};

std::unique_ptr<Speaker>& speakerSlot()
{
    static std::unique_ptr<Speaker> speaker;
    return speaker;
}

// The sound effects go before the application does: they hold audio streams
// of its media backend.
void dropSpeaker()
{
    if (speakerSlot())
        speakerSlot()->close();
}

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

bool rememberedSoundOn() { return rememberedChoice(QLatin1String(kSoundOnKey), true); }

void rememberSoundOn(bool on) { rememberChoice(QLatin1String(kSoundOnKey), on); }

} // namespace ui

// The audio output module: the game's sounds through Qt Multimedia.

#include "ui/sound_output.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

#include <memory>
#include <vector>

namespace {

// While the audio output is looked for, Qt Multimedia reports a missing sound
// server in its own words, and asking for devices can make Qt warn about the
// runtime folder. The game says once in its own words that it plays in
// silence instead; every other message goes on to the handler in place.
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

} // namespace

class MultimediaSoundOutput : public QObject, public ui::SoundOutput {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KESTRAVA_SOUND_OUTPUT_IID)
    Q_INTERFACES(ui::SoundOutput)

public:
    bool open(const QStringList& sources, Complaint complain) override
    {
        const QAudioDevice device = findAudioOutput();
        if (device.isNull())
            return false;
        for (const QString& source : sources) {
            auto effect = std::make_unique<QSoundEffect>(device);
            QSoundEffect* raw = effect.get();
            QObject::connect(raw, &QSoundEffect::statusChanged, raw, [raw, complain, source] {
                if (raw->status() == QSoundEffect::Error)
                    complain(QStringLiteral("The sound %1 could not be loaded: the game plays without it.").arg(source));
            });
            effect->setSource(QUrl(source));
            effects_.push_back(std::move(effect));
        }
        return true;
    }

    void play(int index) override
    {
        if (index < 0 || static_cast<std::size_t>(index) >= effects_.size())
            return;
        QSoundEffect& effect = *effects_[static_cast<std::size_t>(index)];
        if (effect.status() == QSoundEffect::Error)
            return;
        // A repeat starts over; the other effects play on and mix with it.
        effect.stop();
        effect.play();
    }

    void close() override { effects_.clear(); }

private:
    std::vector<std::unique_ptr<QSoundEffect>> effects_;
};

#include "sound_output_multimedia.moc"

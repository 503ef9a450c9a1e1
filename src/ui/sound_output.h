#pragma once

#include <QStringList>
#include <QtPlugin>

#include <functional>

namespace ui {

// The audio output of the game's sounds. It lives in a module of its own,
// loaded a little after start: the media libraries it needs then load while
// the first window is already up, not before it.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;

    // What the output says when it cannot make a sound: one line of text.
    using Complaint = std::function<void(const QString&)>;

    // Opens the default audio output and starts loading SOURCES (URLs, one
    // per sound). Returns false where there is no audio output. A sound that
    // fails to load later is reported to COMPLAIN and stays silent.
    virtual bool open(const QStringList& sources, Complaint complain) = 0;
    // Starts sound number INDEX of the sources, from its beginning.
    virtual void play(int index) = 0;
    // Lets the audio output go, before the application does.
    virtual void close() = 0;
};

} // namespace ui

#define KESTRAVA_SOUND_OUTPUT_IID "org.example.kestrava.SoundOutput/1"
Q_DECLARE_INTERFACE(ui::SoundOutput, KESTRAVA_SOUND_OUTPUT_IID)

#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace ui {

class Timer;
class Watched;

namespace detail {
// What the tick running now has read so far; null outside a tick.
struct ReadRecord {
    std::uint64_t id;
    std::vector<const Watched*> reads;
    ReadRecord* outer;
};
inline ReadRecord* currentRecord = nullptr;
}

// Something a periodic task's tick can read and anything can change: a field,
// a window, a timer's enabled flag. It knows which sleeping timers read it at
// their last tick, and wakes them when it really changes.
//
// The rule for whatever derives from it: every getter of its state calls
// noteRead(); every setter calls noteRead() too (a setter that finds its value
// already in place has read it, and must run again once something else has
// changed it), and noteChange() when the state really changed. For a value
// kept beside the widget, readKept() and setKept() do just that.
class Watched {
public:
    Watched(const Watched&) = delete;
    Watched& operator=(const Watched&) = delete;

    // What to call it in a report: its kind and what it shows.
    virtual QString describe() const = 0;

protected:
    Watched() = default;
    // Being gone is a change to whoever read it: its sleepers wake.
    virtual ~Watched();

    void noteRead() const
    {
        if (detail::currentRecord)
            recordRead();
    }
    // A real change: the tick running now (if any) has changed something, and
    // the sleeping timers that read this wake. `what` names the kind of change
    // ("geometry", "caption", ...) for a report.
    void noteChange(const char* what);
    // Tells the change observer (if any) that this was just made. Made
    // things are no change of anyone's reads: the free noteChange covers
    // that.
    void reportMade();

    // The getter of a value kept beside the widget (a caption, a tag, a
    // field's exact twips): notes the read.
    template <typename T>
    const T& readKept(const T& kept) const
    {
        noteRead();
        return kept;
    }
    // The setter of a value kept beside the widget (a caption, a tag): reads
    // it, and when `value` differs keeps it, lets `draw` put it on the
    // widget and notes the change `what`.
    template <typename T, typename Draw>
    void setKept(T& kept, const T& value, const char* what, Draw&& draw)
    {
        noteRead();
        if (kept == value)
            return;
        kept = value;
        draw();
        noteChange(what);
    }
    template <typename T>
    void setKept(T& kept, const T& value, const char* what)
    {
        setKept(kept, value, what, [] {});
    }

private:
    friend class Timer;
    void recordRead() const;
    void wakeSleepers();

    mutable std::vector<Timer*> sleepers_;
    mutable std::uint64_t lastRecord_ = 0;
};

// A change that belongs to no single field or window (a window or field made,
// a message shown): the tick running now has changed something.
void noteChange(const char* what);

// How many changes there have been since the program started; a tick that
// leaves it where it found it changed nothing.
std::uint64_t changeCount();

// While on, the first change after switching it on is described and kept,
// for a report of a tick that should have changed nothing.
void describeFirstChange(bool on);
// That first change ("the geometry of label \"0\""), or empty if none came.
QString firstChangeDescription();

} // namespace ui

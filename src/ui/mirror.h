#pragma once

#include "net/messages.h"
#include "ui/picture.h"
#include "ui/window.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// What a program needs to show another program's windows: every real change
// of a field or a window reported to one observer, each field's whole state
// read as plain values, and a window built from those values alone, with no
// game code behind it.
namespace ui {

// Told of every real change of a field or a window, and of every message.
// A change is a mark, not a value: the value may be put in place just after
// the report, so an observer reads the state later (at its flush).
class ChangeObserver {
public:
    virtual ~ChangeObserver() = default;
    // `who` (a Field or a Window) really changed, or was just made.
    virtual void changed(Watched& who) = 0;
    // `who` is about to be destroyed: forget it.
    virtual void gone(Watched& who) = 0;
    // A message is about to be shown; nothing has blocked yet.
    virtual void messageShown(qint64 id, const QString& text) = 0;
    // That message was closed (by its OK, or by closeOpenMessage).
    virtual void messageClosed(qint64 id) = 0;
};

// The one observer, or none (null). Observing costs nothing while none is set.
void setChangeObserver(ChangeObserver* observer);
ChangeObserver* changeObserver();

// The message open now (0 when none), and closing it as its OK would. Returns
// whether a message with that id was open and is now closed.
qint64 openMessageId();
bool closeOpenMessage(qint64 id);

// ---- Pictures by name ----
// "builtin:<name>" for a picture built into the program, "file:<name>" for
// one read from the picture folder (its file name only), empty for no picture
// or one of unknown origin. A copy of a picture keeps its name.
net::PictureName pictureName(const Picture& picture);
// Finds a picture by its name among the pictures this program knows; an
// empty picture when it knows none by that name.
using PictureLookup = std::function<Picture(const net::PictureName&)>;

// ---- Reading state ----
// The field's kind, its container's index (-1: the window) and its whole
// state. Reading here is never a read of a periodic task's tick.
net::FieldState captureField(const Field& field);
// The window's whole state: name, caption, client size, place, shown flag
// and every field, in the order they were made.
net::WindowMade captureWindow(const Window& window, qint64 serial, const QString& name);
// The members of `now` that differ from `before`.
net::FieldProps changedProps(const net::FieldProps& before, const net::FieldProps& now);

// ---- A window shown from those values ----
// A plain window with the fields a WindowMade lists, of the same kinds and in
// the same order, so that index n names the same field on both sides. It
// runs no game code. A person's input reaches only the fields wired with
// onClick and onPointerMove below: no other widget edits itself (no typing,
// no dragging, no ticking).
class MirrorWindow : public Window {
public:
    MirrorWindow(const net::WindowMade& made, PictureLookup lookup);
    ~MirrorWindow() override;

    qint64 hostSerial() const { return hostSerial_; }
    const QString& name() const { return name_; }
    int fieldCount() const;
    // The field at `index`, or null when there is none.
    Field* field(int index) const;

    // Applies a field's changed state: picture, then rectangle, then range,
    // then value. An index out of range is ignored.
    void apply(int index, const net::FieldProps& props);
    void apply(const net::WindowChanged& change);

    // A person's click on the field at `index` runs `handler`.
    void onFieldClick(int index, std::function<void()> handler);
    // A person's pointer move over the field at `index` runs `handler` with
    // twips of that field.
    void onFieldPointerMove(int index, Field::PointerHandler handler);

private:
    qint64 hostSerial_;
    QString name_;
    PictureLookup lookup_;
    std::vector<std::unique_ptr<Field>> fields_;
};

} // namespace ui

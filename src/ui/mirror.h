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
    // `who` really changed, or was just made. It may be a Field, a Window or
    // something else watched (a timer): an observer picks what it mirrors.
    // A field or window just made reports before its derived parts exist.
    virtual void changed(Watched& who) = 0;
    // `who` is being destroyed, at the very end: only its address is left
    // (no dynamic_cast, no reading). Nothing reports it after this.
    virtual void gone(Watched& who) = 0;
    // A message is about to be shown; nothing has blocked yet.
    virtual void messageShown(qint64 id, const QString& text) = 0;
    // That message was closed (by its OK, or by closeOpenMessage).
    virtual void messageClosed(qint64 id) = 0;
};

// The one observer, or none (null). Observing costs nothing while none is set.
void setChangeObserver(ChangeObserver* observer);
ChangeObserver* changeObserver();

// The message open now (0 when none; messages are numbered from 1), and
// closing it as its OK would. Returns whether a message with that id was open
// in the program's own message box and is now closed; a presenter set with
// setMessagePresenter is never closed from here.
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
// state. Reading here is never a read of a periodic task's tick, and calls
// no setter. A field of a kind the mirror cannot build (none today) reads as
// a hidden folder list, so that the indices still match.
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
//
// The window refuses its close control by default (the host decides when it
// goes); onCloseRequest replaces that. Shown and raised, it never takes the
// activation. Keys reach onKeys as on any window.
class MirrorWindow : public Window {
public:
    // The window a peer describes, or null (and `error` says why) when the
    // description is unsound: a kind out of range, a container that is not an
    // earlier frame or picture surface, a number that is not finite.
    static std::unique_ptr<MirrorWindow> build(const net::WindowMade& made, PictureLookup lookup,
                                               QString* error = nullptr);
    // Why `made` cannot be built, or empty when it can.
    static QString flawOf(const net::WindowMade& made);

    // Prefer build(). Given an unsound description, this makes a window with
    // its caption and no fields at all.
    MirrorWindow(const net::WindowMade& made, PictureLookup lookup);
    ~MirrorWindow() override;

    qint64 hostSerial() const { return hostSerial_; }
    const QString& name() const { return name_; }
    int fieldCount() const;
    // The field at `index`, or null when there is none.
    Field* field(int index) const;

    // Applies a field's changed state: picture, then rectangle, then range,
    // then value. An index out of range is ignored, and so is every member
    // fixed when a field is made (a slider's scale, a frame's border, a text
    // field's read-only flag, a list's choices, autosize) or that the field's
    // kind lacks. Numbers that are not finite are ignored.
    void apply(int index, const net::FieldProps& props);
    void apply(const net::WindowChanged& change);

    // A person's click on the field at `index` runs `handler`.
    void onFieldClick(int index, std::function<void()> handler);
    // A person's pointer move over the field at `index` runs `handler` with
    // twips of that field.
    void onFieldPointerMove(int index, Field::PointerHandler handler);

private:
    class InputFilter;
    // Makes the field `state` describes, in `container`.
    std::unique_ptr<Field> makeField(const net::FieldState& state, Container& container);
    // Shows the window without taking the activation, and raises it.
    void showQuietly();

    qint64 hostSerial_;
    QString name_;
    PictureLookup lookup_;
    std::vector<std::unique_ptr<Field>> fields_;
    // The widgets of the fields a person may click (onFieldClick).
    std::vector<QWidget*> clickable_;
};

} // namespace ui

#pragma once

#include "ui/field.h"
#include "ui/keys.h"
#include "ui/language.h"
#include "ui/twips.h"
#include "ui/watch.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QRect;
class QSize;
class QWidget;

namespace ui {

class Timer;
class WindowWidget;

// A top-level window: caption, client and outer size, position, shown flag,
// a free Tag text, a close request that a handler may refuse, a resize event
// and pointer moves over its bare area.
//
// A game window is a class derived from Window whose fields and timers are
// its members. Three rules keep it from crashing:
//  - A field is declared after its container. Members are built in the order
//    they are declared, and a field's constructor puts its widget inside its
//    container's widget and registers with the container's window: a
//    container that is not built yet has neither. Declared in that order, the
//    fields are also destroyed before their containers.
//  - A field never moves to another container or window. It keeps its
//    container for life, and its widget stays a child of that container's
//    widget: never reparent a field's widget by hand.
//  - A timer stays registered with its window. The window holds every timer
//    by reference for its whole life, and a timer's clock lives in the
//    window's widget: a timer is a member of its window, made and destroyed
//    with it, never added or removed on the way.
class Window : public Container, public Watched, public Translated {
public:
    Window(const QString& caption, Twips clientWidth, Twips clientHeight);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The title the game wrote; the title bar shows it in the language shown
    // unless the title is a player's text (showPlayerText).
    QString caption() const { return readKept(caption_); }
    void setCaption(const QString& caption);
    // From now on the title is a player's text or a number, shown as it is.
    void showPlayerText();
    TextKind captionKind() const { return captionKind_; }

    const QString& tag() const { return readKept(tag_); }
    void setTag(const QString& tag);

    // Client area in twips.
    Twips clientWidth() const;
    Twips clientHeight() const;
    void setClientSize(Twips width, Twips height);
    // Outer size in twips: the client area plus title bar and borders where a
    // window manager draws them.
    Twips outerWidth() const;
    Twips outerHeight() const;
    // Outer position on the screen, in twips.
    Twips left() const;
    Twips top() const;
    void move(Twips left, Twips top);
    // Places the client area's top-left corner at (left, top) on the screen.
    void placeClientAt(Twips left, Twips top);

    bool visible() const;
    // Shows the window without blocking and brings it to the front.
    void show();
    void hide();

    // Asks to close the window as its close control does. Returns whether it
    // closed (the handler may refuse).
    bool requestClose();

    // Handlers. The close handler returns true to let the window close.
    void onCloseRequest(std::function<bool()> handler) { closeHandler_ = std::move(handler); }
    void onClosed(std::function<void()> handler) { closedHandler_ = std::move(handler); }
    void onResize(std::function<void()> handler) { resizeHandler_ = std::move(handler); }
    void onPointerMove(Field::PointerHandler handler) { pointerHandler_ = std::move(handler); }
    // A pointer move over the bare window at (x, y) twips of its client area.
    void pointerMove(Twips x, Twips y);
    // Whether a person's mouse presses, keys and clicks reach the window's
    // fields. A window that takes none still looks as it does and still takes
    // pointer moves; only the program's own clicks (Field::automatedClick) go
    // through.
    bool takesPlayerInput() const { return takesPlayerInput_; }
    void setTakesPlayerInput(bool takes);

    // The keys the window takes from a person, wherever its focus lies. Each
    // press of one of them reaches the handler once: a held key's repeats do
    // not, and the window's widgets never see these keys at all (a focused
    // button is not pressed by Space as well). No key arrives while a message
    // is open or while the window takes no person's input.
    using KeyHandler = std::function<void(Key)>;
    void onKeys(std::vector<Key> keys, KeyHandler handler);

    // Container
    QWidget* childHost() const override;
    bool isShown() const override { return true; }
    Window& window() override { return *this; }

    QWidget* widget() const;
    // Every field of the window, in the order they were made.
    const std::vector<Field*>& fields() const { return fields_; }
    const std::vector<Timer*>& timers() const { return timers_; }
    void stopAllTimers();

    QString describe() const override;

protected:
    void showInLanguage() override;

private:
    friend class Timer;
    friend class Field;
    friend class WindowWidget;
    friend class KeyGate;
    // A person's press or release of `key` on this window, as the keyboard
    // delivers it. Returns whether the window takes that key.
    bool handleKey(Key key, bool press, bool autoRepeat);
    void registerTimer(Timer& timer) { timers_.push_back(&timer); }
    void registerField(Field& field) { fields_.push_back(&field); }
    void forgetField(Field& field);
    bool handleCloseRequest();
    void handleResize();
    // The window's place, size or shown state changed, by the game or by the
    // desktop.
    void handleGeometryChange(const char* what);
    // The client area's size and the outer frame's place and size, in
    // pixels, read for a tick like every getter.
    QSize clientPixels() const;
    QRect outerPixels() const;
    // Whether the place the window reports is where it stays: it was moved,
    // or the window system has it.
    bool placeIsSettled() const;

    std::unique_ptr<WindowWidget> widget_;
    QString caption_;
    TextKind captionKind_ = TextKind::Designed;
    QString tag_;
    std::vector<Timer*> timers_;
    std::vector<Field*> fields_;
    std::function<bool()> closeHandler_;
    std::function<void()> closedHandler_;
    std::function<void()> resizeHandler_;
    Field::PointerHandler pointerHandler_;
    bool takesPlayerInput_ = true;
    std::vector<Key> keys_;
    KeyHandler keyHandler_;
};

} // namespace ui

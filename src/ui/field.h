#pragma once

#include "ui/twips.h"
#include "ui/watch.h"

#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

class Field;
class Window;

// Something that holds fields: a window, a frame or a picture surface.
class Container {
public:
    virtual ~Container() = default;
    // The widget that the contained fields' widgets are children of.
    virtual QWidget* childHost() const = 0;
    // Shown within its window: its own flag and those of its containers.
    virtual bool isShown() const = 0;
    virtual Window& window() = 0;
};

// A field of a window: its position and size in twips, its shown flag, its
// enabled flag, a free Tag text and its click and pointer-move events.
// A field is declared after its container and never moves to another one:
// see the rules above ui::Window in window.h.
//
// Every getter and setter of a field's state tells the ui layer what a
// periodic task's tick reads and changes (see Watched), so that a task whose
// tick changed nothing can sleep until one of these fields changes.
class Field : public Watched {
public:
    ~Field() override;

    Twips left() const { return rect().left; }
    Twips top() const { return rect().top; }
    Twips width() const { return rect().width; }
    Twips height() const { return rect().height; }
    const Rect& rect() const { return readKept(rect_); }
    void setLeft(Twips left);
    void setTop(Twips top);
    void setWidth(Twips width);
    void setHeight(Twips height);
    void move(Twips left, Twips top);
    void setRect(const Rect& rect);

    // The field's own shown flag.
    // The field's own visible flag (its containers may still hide it).
    bool visible() const;
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Shown on its window: its own flag and those of all its containers.
    bool isShown() const;

    // Sets the field's own enabled flag, kept by its widget. A disabled
    // container disables its contents.
    void setEnabled(bool enabled);
    // Enabled on its window: its own flag and those of all its containers.
    bool isEnabled() const;

    const QString& tag() const { return readKept(tag_); }
    void setTag(const QString& tag);

    // The name a screen reader says for the field: a designed text, kept as
    // the game wrote it; the widget holds it in the language shown.
    const QString& accessibleName() const { return readKept(accessibleName_); }
    void setAccessibleName(const QString& name);
    // Puts the accessible name back on the widget in the language shown.
    void showAccessibleName();

    // Puts the field above the other fields of its container.
    void bringToFront();

    // Events. A pointer move arrives at the field under the pointer, or while
    // a mouse button is held at the field where the press began, with the
    // position in twips of that field (it may lie outside the field). It is
    // never passed on to the containers, and a disabled field gets none.
    using PointerHandler = std::function<void(Twips x, Twips y)>;
    void onPointerMove(PointerHandler handler) { pointerHandler_ = std::move(handler); }
    void onClick(std::function<void()> handler) { clickHandler_ = std::move(handler); }

    // A player's click: nothing happens unless the field is on a shown window
    // that takes a person's input, shown and enabled.
    void click();
    // A click the program makes itself, for a seat it plays: the rules of a
    // player's click, on a window that may take no person's input.
    void automatedClick();
    // A pointer move reaching this field at (x, y) twips.
    void pointerMove(Twips x, Twips y);

    Container& container() const { return *container_; }
    QWidget* widget() const;

    QString describe() const override;

protected:
    Field(Container& container, QWidget* widget, const Rect& rect, bool visible);

    // A click the widget reports: runs the click handler, unless the field
    // is disabled or its window takes no person's input. Returns whether it
    // ran.
    bool deliverClick();

    // Notes a read of the frames and picture surfaces the field lies in:
    // their shown and enabled flags decide the field's own.
    void noteContainersRead() const;

    // What a player's click does to the field itself before its click event
    // (a check box toggles).
    virtual void beforeClick() {}

private:
    // Runs the click handler, unless the field is disabled. Returns whether
    // it ran.
    bool runClickHandler();
    // Sets one of the rectangle's four numbers and redraws, unless it already
    // holds that value.
    void setRectPart(Twips Rect::*part, Twips value);
    // Draws the widget at the field's place, in pixels.
    void applyGeometry();

    Container* container_;
    QPointer<QWidget> widget_;
    // Exact twips; the widget holds only whole pixels.
    Rect rect_;
    QString tag_;
    QString accessibleName_;
    PointerHandler pointerHandler_;
    std::function<void()> clickHandler_;
};

// A field that holds other fields (a frame, a picture surface): their widgets
// live in its widget, they are shown only while it is, and they belong to its
// window.
class ContainerField : public Field, public Container {
public:
    QWidget* childHost() const override { return widget(); }
    bool isShown() const override { return Field::isShown(); }
    Window& window() override { return container().window(); }

protected:
    using Field::Field;
};

} // namespace ui

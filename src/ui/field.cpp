#include "ui/field.h"

#include "ui/field_events.h"
#include "ui/handler_call.h"
#include "ui/language.h"
#include "ui/window.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace ui {

QWidget* Field::widget() const { return widget_.data(); }

FieldEvents::FieldEvents(QWidget* widget, MoveSink move, ClickSink click)
    : QObject(widget)
    , move_(std::move(move))
    , click_(std::move(click))
{
    widget->setMouseTracking(true);
    // A mouse event that belongs to a field never travels on to the field's
    // containers, even when the widget itself has no use for it.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->installEventFilter(this);
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    const bool isButton = qobject_cast<QAbstractButton*>(widget) != nullptr;
    switch (event->type()) {
    case QEvent::MouseMove: {
        // A disabled field takes no pointer events at all.
        if (!widget->isEnabled())
            return true;
        // Moves count whatever button is held. While one is held, Qt's pointer
        // capture sends every move to the widget where the press began, with
        // the position in that widget's coordinates, possibly outside it.
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPointF p = mouse->position();
        if (move_)
            move_(p.x() * kTwipsPerPixel, p.y() * kTwipsPerPixel);
        // The widget gets the move too: a slider's handle follows a drag, a
        // text field selects what the pointer sweeps, a button tracks whether
        // a held press is still over it. What the widget does not take stops
        // here (no propagation to the containers).
        return false;
    }
    case QEvent::MouseButtonPress: {
        // A press on a disabled field is refused where it happens, so it can
        // never become a click if the field is enabled before the release.
        if (!widget->isEnabled()) {
            pressedInside_ = false;
            return true;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressedInside_ = mouse->button() == Qt::LeftButton;
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside = widget->rect().contains(mouse->position().toPoint());
        const bool wasPressed = pressedInside_;
        pressedInside_ = false;
        // Buttons and check boxes report their own clicks. Anything else is
        // clicked by a left press and release both inside it, as a desktop
        // button is.
        if (!click_ || isButton || !wasPressed || !inside || mouse->button() != Qt::LeftButton)
            return false;
        // The widget ends its own interaction first, as it would with no game
        // above it: a slider lets go of its handle and stops stepping, a text
        // field offers what a drag selected to the desktop. Then the click,
        // which may hide or disable the field, and the event stops here.
        QPointer<QWidget> alive(widget);
        static_cast<QObject*>(widget)->event(event);
        if (alive)
            click_();
        return true;
    }
    default:
        return false;
    }
}

Field::Field(Container& container, QWidget* widget, const Rect& rect, bool visible)
    : container_(&container)
    , widget_(widget)
    , rect_(rect)
{
    widget->setParent(container.childHost());
    container.window().registerField(*this);
    ui::noteChange("field made");
    reportMade();
    new FieldEvents(
        widget, [this](Twips x, Twips y) { pointerMove(x, y); },
        [this] { deliverClick(); });
    applyGeometry();
    widget->setVisible(visible);
}

Field::~Field()
{
    container_->window().forgetField(*this);
    delete widget_.data();
}

void Field::setLeft(Twips left) { setRectPart(&Rect::left, left); }
void Field::setTop(Twips top) { setRectPart(&Rect::top, top); }
void Field::setWidth(Twips width) { setRectPart(&Rect::width, width); }
void Field::setHeight(Twips height) { setRectPart(&Rect::height, height); }

void Field::setRectPart(Twips Rect::*part, Twips value)
{
    noteRead();
    if (rect_.*part == value)
        return;
    rect_.*part = value;
    applyGeometry();
}

void Field::move(Twips left, Twips top)
{
    noteRead();
    if (rect_.left == left && rect_.top == top)
        return;
    rect_.left = left;
    rect_.top = top;
    applyGeometry();
}

void Field::setRect(const Rect& rect)
{
    noteRead();
    if (rect_.left == rect.left && rect_.top == rect.top && rect_.width == rect.width && rect_.height == rect.height)
        return;
    rect_ = rect;
    applyGeometry();
}

void Field::applyGeometry()
{
    noteChange("geometry");
    if (!widget_)
        return;
    const QRect pixels(toPixels(rect_.left), toPixels(rect_.top), std::max(0, toPixels(rect_.width)),
                       std::max(0, toPixels(rect_.height)));
    if (widget_->geometry() != pixels)
        widget_->setGeometry(pixels);
}

// A widget is hidden only when told so: not by a hidden window or container,
// and not before its window is first shown.
bool Field::visible() const
{
    noteRead();
    return widget_ && !widget_->isHidden();
}

void Field::setVisible(bool visible)
{
    if (!widget_ || this->visible() == visible)
        return;
    widget_->setVisible(visible);
    noteChange("visibility");
}

bool Field::isShown() const { return visible() && container_->isShown(); }

void Field::setEnabled(bool enabled)
{
    noteRead();
    // The widget's own flag, whatever its containers say.
    if (!widget_ || widget_->isEnabledTo(widget_->parentWidget()) == enabled)
        return;
    widget_->setEnabled(enabled);
    noteChange("enabled flag");
}

bool Field::isEnabled() const
{
    noteRead();
    noteContainersRead();
    return widget_ && widget_->isEnabled();
}

void Field::noteContainersRead() const
{
    if (!detail::currentRecord)
        return;
    for (auto* inside = dynamic_cast<const ContainerField*>(container_); inside;
         inside = dynamic_cast<const ContainerField*>(&inside->container()))
        inside->noteRead();
}

void Field::setTag(const QString& tag) { setKept(tag_, tag, "tag"); }

void Field::setAccessibleName(const QString& name)
{
    noteRead();
    if (accessibleName_ == name)
        return;
    accessibleName_ = name;
    showAccessibleName();
    noteChange("accessible name");
}

void Field::showAccessibleName()
{
    if (widget_ && !accessibleName_.isEmpty())
        widget_->setAccessibleName(shownText(accessibleName_));
}

void Field::bringToFront()
{
    noteRead();
    if (!widget_)
        return;
    // Already above its sibling widgets: nothing to change.
    if (QWidget* parent = widget_->parentWidget()) {
        const QObjectList& siblings = parent->children();
        for (auto sibling = siblings.rbegin(); sibling != siblings.rend(); ++sibling) {
            if (!(*sibling)->isWidgetType())
                continue;
            if (*sibling == widget_.data())
                return;
            break;
        }
    }
    widget_->raise();
    noteChange("stacking order");
}

QString Field::describe() const
{
    if (!widget_)
        return QStringLiteral("a removed field");
    QString shown = widget_->property("text").toString();
    if (shown.isEmpty())
        shown = widget_->property("title").toString();
    if (shown.isEmpty())
        shown = widget_->accessibleName();
    return QStringLiteral("%1 \"%2\" at (%3, %4) of %5")
        .arg(QLatin1String(widget_->metaObject()->className()), shown)
        .arg(rect_.left)
        .arg(rect_.top)
        .arg(container_->window().describe());
}

void Field::click()
{
    if (!container_->window().takesPlayerInput())
        return;
    automatedClick();
}

void Field::automatedClick()
{
    // Only what is on the screen and enabled can be clicked.
    if (!isShown() || !isEnabled() || !container_->window().visible())
        return;
    beforeClick();
    runClickHandler();
}

bool Field::deliverClick()
{
    // A click from the widget is a person's, however it arrived: the
    // pointer, the keyboard, a screen reader's press action or a call on the
    // widget. A window that takes no person's input refuses every one; the
    // program's own clicks for the seat it plays come through automatedClick.
    if (!container_->window().takesPlayerInput())
        return false;
    return runClickHandler();
}

bool Field::runClickHandler()
{
    // However a click arrives, a field that is disabled, itself or through a
    // container, ignores it.
    if (!isEnabled())
        return false;
    callHandler(clickHandler_);
    return true;
}

void Field::pointerMove(Twips x, Twips y) { callHandler(pointerHandler_, x, y); }

} // namespace ui

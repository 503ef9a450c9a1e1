#include "ui/field.h"

#include "ui/field_events.h"
#include "ui/window.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QWidget>

namespace ui {

QWidget* Field::widget() const { return widget_.data(); }

FieldEvents::FieldEvents(QWidget* widget, MoveSink move, ClickSink click)
    : QObject(widget)
    , move_(std::move(move))
    , click_(std::move(click))
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() != Qt::NoButton)
            return false; // dragging belongs to the widget itself
        const QPointF p = mouse->position();
        if (move_)
            move_(p.x() * kTwipsPerPixel, p.y() * kTwipsPerPixel);
        return true; // never passed on to the containers
    }
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressedInside_ = mouse->button() == Qt::LeftButton;
        return false;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool inside = widget->rect().contains(mouse->position().toPoint());
        const bool wasPressed = pressedInside_;
        pressedInside_ = false;
        // Buttons and check boxes report their own clicks.
        if (click_ && !qobject_cast<QAbstractButton*>(widget) && wasPressed && inside
            && mouse->button() == Qt::LeftButton) {
            click_();
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

Field::Field(Container& container, QWidget* widget, const Rect& rect, bool visible)
    : container_(&container)
    , widget_(widget)
    , rect_(rect)
    , visible_(visible)
{
    widget->setParent(container.childHost());
    container.window().registerField(*this);
    new FieldEvents(
        widget, [this](Twips x, Twips y) { pointerMove(x, y); },
        [this] {
            if (clickHandler_)
                deliverClick();
        });
    applyGeometry();
    widget->setVisible(visible);
}

Field::~Field()
{
    container_->window().forgetField(*this);
    delete widget_.data();
}

void Field::setLeft(Twips left)
{
    if (rect_.left == left)
        return;
    rect_.left = left;
    applyGeometry();
}

void Field::setTop(Twips top)
{
    if (rect_.top == top)
        return;
    rect_.top = top;
    applyGeometry();
}

void Field::setWidth(Twips width)
{
    if (rect_.width == width)
        return;
    rect_.width = width;
    applyGeometry();
}

void Field::setHeight(Twips height)
{
    if (rect_.height == height)
        return;
    rect_.height = height;
    applyGeometry();
}

void Field::move(Twips left, Twips top)
{
    if (rect_.left == left && rect_.top == top)
        return;
    rect_.left = left;
    rect_.top = top;
    applyGeometry();
}

void Field::setRect(const Rect& rect)
{
    if (rect_.left == rect.left && rect_.top == rect.top && rect_.width == rect.width && rect_.height == rect.height)
        return;
    rect_ = rect;
    applyGeometry();
}

void Field::applyGeometry()
{
    if (!widget_)
        return;
    const QRect pixels(toPixels(rect_.left), toPixels(rect_.top), std::max(0, toPixels(rect_.width)),
                       std::max(0, toPixels(rect_.height)));
    if (widget_->geometry() != pixels)
        widget_->setGeometry(pixels);
}

void Field::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    if (widget_)
        widget_->setVisible(visible);
}

bool Field::isShown() const { return visible_ && container_->isShown(); }

void Field::setEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (widget_)
        widget_->setEnabled(enabled);
}

bool Field::isEnabled() const { return widget_ ? widget_->isEnabled() : enabled_; }

void Field::bringToFront()
{
    if (widget_)
        widget_->raise();
}

void Field::sendToBack()
{
    if (widget_)
        widget_->lower();
}

void Field::click()
{
    // A player can only click what is on the screen and enabled.
    if (!isShown() || !isEnabled() || !container_->window().visible())
        return;
    beforeClick();
    if (clickHandler_)
        deliverClick();
}

void Field::deliverClick()
{
    // Copy: the handler may replace itself.
    auto handler = clickHandler_;
    handler();
}

void Field::pointerMove(Twips x, Twips y)
{
    if (pointerHandler_) {
        auto handler = pointerHandler_;
        handler(x, y);
    }
}

} // namespace ui

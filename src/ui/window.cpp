#include "ui/window.h"

#include "ui/field_events.h"
#include "ui/handler_call.h"
#include "ui/timer.h"

#include <QCloseEvent>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>

namespace ui {

class WindowWidget : public QWidget {
public:
    explicit WindowWidget(Window& owner)
        : owner_(owner)
    {
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (owner_.handleCloseRequest())
            event->accept();
        else
            event->ignore();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        owner_.handleResize();
    }

private:
    Window& owner_;
};

Window::Window(const QString& caption, Twips clientWidth, Twips clientHeight)
    : widget_(std::make_unique<WindowWidget>(*this))
    , caption_(caption)
{
    widget_->setWindowTitle(caption);
    widget_->resize(std::max(1, toPixels(clientWidth)), std::max(1, toPixels(clientHeight)));
    new FieldEvents(
        widget_.get(), [this](Twips x, Twips y) { pointerMove(x, y); }, nullptr);
}

Window::~Window() = default;

void Window::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    widget_->setWindowTitle(caption);
}

Twips Window::clientWidth() const { return toTwips(widget_->width()); }
Twips Window::clientHeight() const { return toTwips(widget_->height()); }

void Window::setClientSize(Twips width, Twips height)
{
    const QSize size(std::max(1, toPixels(width)), std::max(1, toPixels(height)));
    if (widget_->size() != size)
        widget_->resize(size);
}

Twips Window::outerWidth() const { return toTwips(widget_->frameGeometry().width()); }
Twips Window::outerHeight() const { return toTwips(widget_->frameGeometry().height()); }
Twips Window::left() const { return toTwips(widget_->frameGeometry().x()); }
Twips Window::top() const { return toTwips(widget_->frameGeometry().y()); }

void Window::move(Twips left, Twips top)
{
    const QPoint position(toPixels(left), toPixels(top));
    if (widget_->frameGeometry().topLeft() != position)
        widget_->move(position);
}

void Window::placeClientAt(Twips left, Twips top)
{
    QRect geometry = widget_->geometry();
    geometry.moveTopLeft(QPoint(toPixels(left), toPixels(top)));
    if (widget_->geometry() != geometry)
        widget_->setGeometry(geometry);
}

bool Window::visible() const { return widget_->isVisible(); }

void Window::show()
{
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
}

void Window::hide()
{
    if (widget_->isVisible())
        widget_->hide();
}

bool Window::requestClose()
{
    if (!handleCloseRequest())
        return false;
    hide();
    return true;
}

bool Window::handleCloseRequest()
{
    if (closeHandler_ && !closeHandler_())
        return false;
    callHandler(closedHandler_);
    return true;
}

void Window::handleResize() { callHandler(resizeHandler_); }

void Window::pointerMove(Twips x, Twips y) { callHandler(pointerHandler_, x, y); }

QWidget* Window::childHost() const { return widget_.get(); }
QWidget* Window::widget() const { return widget_.get(); }

void Window::forgetField(Field& field)
{
    fields_.erase(std::remove(fields_.begin(), fields_.end(), &field), fields_.end());
}

void Window::stopAllTimers()
{
    for (Timer* timer : timers_)
        timer->stop();
}

} // namespace ui

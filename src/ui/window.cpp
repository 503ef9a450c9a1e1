#include "ui/window.h"

#include "ui/field_events.h"
#include "ui/handler_call.h"
#include "ui/message_box.h"
#include "ui/timer.h"

#include <QApplication>
#include <QPointer>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace ui {

namespace {

// The top-level widgets of the windows that take no person's input.
std::set<const QWidget*>& closedWindows()
{
    static std::set<const QWidget*> closed;
    return closed;
}

// Keeps a person's presses and keys away from the windows that take none.
// One filter for the application, installed the first time a window turns
// input away: until then no event passes through it.
class InputGate : public QObject {
public:
    static void install()
    {
        static QPointer<InputGate> gate;
        if (!gate && QCoreApplication::instance()) {
            gate = new InputGate;
            QCoreApplication::instance()->installEventFilter(gate);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
            break;
        default:
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && closedWindows().count(widget->window()) > 0;
    }

private:
    // The application owns the gate and deletes it when it goes.
    InputGate()
        : QObject(QCoreApplication::instance())
    {
    }
};

// The key a keyboard event names, if it is one the game plays with. Keys with
// a modifier held (Ctrl+Left, Alt+F1, ...) are the desktop's, not the game's.
std::optional<Key> gameKey(const QKeyEvent& event)
{
    if (event.modifiers() & ~Qt::KeypadModifier)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_F1:
        return Key::F1;
    case Qt::Key_C:
        return Key::C;
    default:
        return std::nullopt;
    }
}

// The windows that take keys, by their top-level widget.
std::map<const QWidget*, Window*>& keyWindows()
{
    static std::map<const QWidget*, Window*> windows;
    return windows;
}

} // namespace

// Hands the keys a window takes to that window before any of its widgets
// sees them. One filter for the application, installed the first time a
// window takes keys.
class KeyGate : public QObject {
public:
    static void install()
    {
        static QPointer<KeyGate> gate;
        if (!gate && QCoreApplication::instance()) {
            gate = new KeyGate;
            QCoreApplication::instance()->installEventFilter(gate);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool press = event->type() == QEvent::KeyPress;
        if (!press && event->type() != QEvent::KeyRelease)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget)
            return false;
        const auto window = keyWindows().find(widget->window());
        if (window == keyWindows().end())
            return false;
        const auto& keyEvent = *static_cast<QKeyEvent*>(event);
        const std::optional<Key> key = gameKey(keyEvent);
        return key && window->second->handleKey(*key, press, keyEvent.isAutoRepeat());
    }

private:
    KeyGate()
        : QObject(QCoreApplication::instance())
    {
    }
};

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
        owner_.handleGeometryChange("size");
        owner_.handleResize();
    }
    // Whatever else moves the window or its frame, or shows or hides it,
    // changes what its outer size, place and shown flag read. A window
    // manager may draw or change the frame around the time it activates the
    // window, without moving its client area: that counts too.
    bool event(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
        case QEvent::ActivationChange:
            owner_.handleGeometryChange("place or shown flag");
            break;
        default:
            break;
        }
        return QWidget::event(event);
    }

private:
    Window& owner_;
};

Window::Window(const QString& caption, Twips clientWidth, Twips clientHeight)
    : widget_(std::make_unique<WindowWidget>(*this))
    , caption_(caption)
{
    ui::noteChange("window made");
    reportMade();
    // Which windows exist is held by no field: a task that found a window
    // missing must look again.
    Timer::wakeAll();
    widget_->setWindowTitle(shownText(caption));
    widget_->resize(std::max(1, toPixels(clientWidth)), std::max(1, toPixels(clientHeight)));
    new FieldEvents(
        widget_.get(), [this](Twips x, Twips y) { pointerMove(x, y); }, nullptr);
}

Window::~Window()
{
    closedWindows().erase(widget_.get());
    keyWindows().erase(widget_.get());
    Timer::wakeAll();
}

void Window::setCaption(const QString& caption)
{
    setKept(caption_, caption, "caption", [&] { showInLanguage(); });
}

void Window::showPlayerText()
{
    captionKind_ = TextKind::Player;
    showInLanguage();
}

void Window::showInLanguage()
{
    widget_->setWindowTitle(captionKind_ == TextKind::Designed ? shownText(caption_) : caption_);
}

void Window::setTag(const QString& tag) { setKept(tag_, tag, "tag"); }

QSize Window::clientPixels() const
{
    noteRead();
    return widget_->size();
}

QRect Window::outerPixels() const
{
    noteRead();
    return widget_->frameGeometry();
}

Twips Window::clientWidth() const { return toTwips(clientPixels().width()); }
Twips Window::clientHeight() const { return toTwips(clientPixels().height()); }

void Window::setClientSize(Twips width, Twips height)
{
    noteRead();
    const QSize size(std::max(1, toPixels(width)), std::max(1, toPixels(height)));
    if (widget_->size() == size)
        return;
    widget_->resize(size);
    noteChange("size");
}

Twips Window::outerWidth() const { return toTwips(outerPixels().width()); }
Twips Window::outerHeight() const { return toTwips(outerPixels().height()); }
Twips Window::left() const { return toTwips(outerPixels().x()); }
Twips Window::top() const { return toTwips(outerPixels().y()); }

bool Window::placeIsSettled() const
{
    // Before its first show and before any move, a window reports the top
    // left corner of the screen, but nothing holds it there: the window
    // system (or its manager) picks the place at the show. A move there must
    // still reach the window system as a position hint.
    return widget_->testAttribute(Qt::WA_Moved) || widget_->testAttribute(Qt::WA_WState_Created);
}

void Window::move(Twips left, Twips top)
{
    noteRead();
    const QPoint position(toPixels(left), toPixels(top));
    const QPoint before = widget_->frameGeometry().topLeft();
    if (before == position && placeIsSettled())
        return;
    widget_->move(position);
    // A hint for a window not yet shown changes nothing anyone reads.
    if (before != position)
        noteChange("place");
}

void Window::placeClientAt(Twips left, Twips top)
{
    noteRead();
    const QRect before = widget_->geometry();
    QRect geometry = before;
    geometry.moveTopLeft(QPoint(toPixels(left), toPixels(top)));
    if (before == geometry && placeIsSettled())
        return;
    widget_->setGeometry(geometry);
    if (before != geometry)
        noteChange("place");
}

bool Window::visible() const
{
    noteRead();
    return widget_->isVisible();
}

void Window::show()
{
    // Shown or not before, the window comes to the front: always a change.
    noteRead();
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
    noteChange("shown flag");
}

void Window::hide()
{
    noteRead();
    if (!widget_->isVisible())
        return;
    widget_->hide();
    noteChange("shown flag");
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

void Window::handleGeometryChange(const char* what) { noteChange(what); }

QString Window::describe() const { return QStringLiteral("window \"%1\"").arg(caption_); }

void Window::pointerMove(Twips x, Twips y) { callHandler(pointerHandler_, x, y); }

void Window::setTakesPlayerInput(bool takes)
{
    if (takesPlayerInput_ == takes)
        return;
    takesPlayerInput_ = takes;
    if (takes) {
        closedWindows().erase(widget_.get());
    } else {
        InputGate::install();
        closedWindows().insert(widget_.get());
    }
}

void Window::onKeys(std::vector<Key> keys, KeyHandler handler)
{
    keys_ = std::move(keys);
    keyHandler_ = std::move(handler);
    KeyGate::install();
    keyWindows()[widget_.get()] = this;
}

bool Window::handleKey(Key key, bool press, bool autoRepeat)
{
    if (std::find(keys_.begin(), keys_.end(), key) == keys_.end())
        return false;
    // The key is the window's: its release and its repeats are used up too,
    // so that no widget acts on them.
    if (press && !autoRepeat && takesPlayerInput_ && !messageOpen())
        callHandler(keyHandler_, key);
    return true;
}

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

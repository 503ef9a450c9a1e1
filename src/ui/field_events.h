#pragma once

#include "ui/twips.h"

#include <QObject>
#include <functional>

class QWidget;

namespace ui {

class Field;

// Routes a widget's mouse events to the game: a pointer move goes to the
// widget under the pointer (or, while a button is held, to the widget where
// the press began) and is never passed on to its containers, but the widget
// itself still gets it, so its own drags work; a disabled widget gets none,
// and a press on it is refused. A left press and release inside a field that
// is not a button become the field's click.
class FieldEvents : public QObject {
public:
    using MoveSink = std::function<void(Twips, Twips)>;
    using ClickSink = std::function<void()>;
    FieldEvents(QWidget* widget, MoveSink move, ClickSink click);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MoveSink move_;
    ClickSink click_;
    bool pressedInside_ = false;
};

} // namespace ui

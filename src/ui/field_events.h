#pragma once

#include "ui/twips.h"

#include <QObject>
#include <functional>

class QWidget;

namespace ui {

class Field;

// Routes a widget's mouse events to the game: a pointer move without a held
// button goes to the widget under the pointer only and is never passed on to
// its containers; a left click on a field that is not a button becomes the
// field's click.
class FieldEvents : public QObject {
    Q_OBJECT
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

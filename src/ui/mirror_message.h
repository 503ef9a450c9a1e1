#pragma once

#include <QString>
#include <functional>
#include <memory>

#include <QMetaObject>

class QMessageBox;

namespace ui {

// A message another program shows, shown here beside the windows: a box
// with the program's name as its title and one OK, that blocks nothing. The
// player's OK (the button, Enter or Escape) closes it and is reported to
// `onOk`; code may close it without a report. It is not one of this
// program's own messages: messageOpen() never counts it, so no timer stops
// while it is open.
class MirrorMessage {
public:
    MirrorMessage(const QString& text, std::function<void()> onOk);
    ~MirrorMessage();
    MirrorMessage(const MirrorMessage&) = delete;
    MirrorMessage& operator=(const MirrorMessage&) = delete;

    QString text() const;
    // Whether the box is still on the screen.
    bool isOpen() const;
    // Presses OK as the player would: the box closes and `onOk` hears of it.
    void pressOk();
    // Closes the box without telling `onOk`.
    void close();

    // The box itself, for tests that press its button with the mouse.
    QMessageBox* box() const { return box_.get(); }

private:
    std::unique_ptr<QMessageBox> box_;
    std::function<void()> onOk_;
    QMetaObject::Connection okReport_;
};

} // namespace ui

#include "ui/message_box.h"

#include "ui/watch.h"

#include <QApplication>
#include <QMessageBox>

namespace ui {
namespace {

int openMessages = 0;

void presentModally(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

MessagePresenter& presenter()
{
    static MessagePresenter current = presentModally;
    return current;
}

} // namespace

void showMessage(const QString& text)
{
    noteChange("message shown");
    ++openMessages;
    struct Closed {
        ~Closed() { --openMessages; }
    } closed;
    presenter()(text);
}

bool messageOpen() { return openMessages > 0; }

MessagePresenter setMessagePresenter(MessagePresenter next)
{
    MessagePresenter previous = presenter();
    presenter() = next ? std::move(next) : MessagePresenter(presentModally);
    return previous;
}

} // namespace ui

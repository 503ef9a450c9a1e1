#include "ui/message_box.h"

#include "ui/language.h"
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

void showDesignedMessage(const QString& designed, const QStringList& playerTexts)
{
    const QString shown = shownText(designed);
    // One pass, so that a player's text holding "%2" stays as typed.
    QString text;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const qsizetype number = i + 1 < shown.size() ? shown[i + 1].digitValue() : -1;
        if (shown[i] == QLatin1Char('%') && number >= 1 && number <= playerTexts.size()) {
            text += playerTexts[number - 1];
            ++i;
        } else {
            text += shown[i];
        }
    }
    showMessage(text);
}

bool messageOpen() { return openMessages > 0; }

MessagePresenter setMessagePresenter(MessagePresenter next)
{
    MessagePresenter previous = presenter();
    presenter() = next ? std::move(next) : MessagePresenter(presentModally);
    return previous;
}

} // namespace ui

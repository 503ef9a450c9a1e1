#include "ui/message_box.h"

#include "ui/language.h"
#include "ui/mirror.h"
#include "ui/watch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace ui {
namespace {

int openMessages = 0;
// Every message gets the next number; the one open now is openId (0: none).
qint64 lastId = 0;
qint64 openId = 0;
// The box the default presenter shows now, for closeOpenMessage.
QPointer<QMessageBox> openBox;

void presentModally(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    const QPointer<QMessageBox> outer = openBox;
    openBox = &box;
    box.exec();
    openBox = outer;
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
    const qint64 id = ++lastId;
    // Told before anything blocks, so that a copy can appear elsewhere while
    // this one waits for its OK.
    if (ChangeObserver* observer = changeObserver())
        observer->messageShown(id, text);
    ++openMessages;
    struct Closed {
        qint64 id;
        qint64 outer;
        ~Closed()
        {
            --openMessages;
            openId = outer;
            if (ChangeObserver* observer = changeObserver())
                observer->messageClosed(id);
        }
    } closed{id, openId};
    openId = id;
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

qint64 openMessageId() { return openId; }

bool closeOpenMessage(qint64 id)
{
    if (id == 0 || id != openId || !openBox)
        return false;
    // As the player's OK would: the box's own button, so the box ends as it
    // always does and showMessage returns.
    if (QAbstractButton* ok = openBox->button(QMessageBox::Ok))
        ok->click();
    else
        openBox->done(QMessageBox::Ok);
    return true;
}

MessagePresenter setMessagePresenter(MessagePresenter next)
{
    MessagePresenter previous = presenter();
    presenter() = next ? std::move(next) : MessagePresenter(presentModally);
    return previous;
}

} // namespace ui

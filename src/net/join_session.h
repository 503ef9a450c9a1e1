#pragma once

#include "app/edition.h"
#include "net/joiner.h"
#include "net/local_pictures.h"

#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace ui {
class MirrorWindow;
class MirrorMessage;
}  // namespace ui

namespace net {

class BattleMirror;

// A program joined to another's game. It runs none of the game's tasks: it
// shows mirrors of the host's windows, built from what the host sends, and
// sends its player's input as intents. Only the panel of its own seat takes
// clicks and keys, the battle window takes keys and its battlefield's pointer
// moves; every other mirror only shows. The battlefield scrolls here on its
// own (BattleMirror), without telling the host.
//
// The session ends when the host refuses it, leaves, goes silent or breaks
// the protocol: every mirror and message closes, and onEnded hears why on the
// next turn of the event loop (so the owner may delete the session there).
class JoinSession {
public:
    JoinSession(Edition edition, QString pictureFolder, JoinSettings settings);
    ~JoinSession();
    JoinSession(const JoinSession&) = delete;
    JoinSession& operator=(const JoinSession&) = delete;

    void start();
    // The player leaves: says bye and closes every mirror, without onEnded.
    void leave();

    bool joined() const { return !over_ && joiner_.joined(); }
    int seat() const { return joiner_.seat(); }

    // Refused, the host left ("Tuan rumah menutup permainan"), silent or
    // broke the protocol: the reason in the game's words.
    std::function<void(const QString& reason)> onEnded;

    // The mirror windows now, in the order the host made them.
    std::vector<ui::MirrorWindow*> mirrors() const;
    // The newest mirror of the host's window by that name ("Battle",
    // "player2"...), or null.
    ui::MirrorWindow* mirror(const QString& name) const;
    // This machine's view of the battlefield while the host shows one, or null.
    BattleMirror* battleMirror() const;

    // The host's messages shown now, by id; and pressing OK on one as the
    // player would.
    std::vector<qint64> openMessages() const;
    void pressOk(qint64 id);
    // The text of a host's message shown now, or empty.
    QString messageText(qint64 id) const;

    // The frames exchanged with the host.
    Traffic traffic() const { return joiner_.traffic(); }

    const LocalPictures& pictures() const { return pictures_; }

private:
    struct Shown;

    void received(const Message& message);
    void made(const WindowMade& made);
    void gone(const WindowGone& gone);
    void changed(const WindowChanged& change);
    void fieldChanged(const FieldChanged& change);
    void messageShown(const MessageShown& shown);
    void takeInput(Shown& shown, const WindowMade& made);
    Shown* find(qint64 serial);
    // The host sent what no honest host sends: this program leaves.
    void broken();
    void end(const QString& reason);
    void closeAll();

    Edition edition_;
    LocalPictures pictures_;
    Joiner joiner_;
    std::vector<std::unique_ptr<Shown>> windows_;
    std::map<qint64, std::unique_ptr<ui::MirrorMessage>> messages_;
    // What the end closed: destroyed on the next turn of the event loop, as
    // the end may come from inside one of their own handlers.
    std::vector<std::unique_ptr<Shown>> closedWindows_;
    std::map<qint64, std::unique_ptr<ui::MirrorMessage>> closedMessages_;
    bool over_ = false;
    // Keeps the report of the end from outliving the session.
    QObject context_;
};

}  // namespace net

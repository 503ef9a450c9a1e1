#pragma once

#include "net/connection.h"
#include "net/messages.h"
#include "net/protocol.h"
#include "ui/mirror.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class Game;

namespace ui {
class Field;
class Window;
}

namespace net {

class Host;

struct HostSessionSettings {
    QHostAddress address = QHostAddress::Any;
    quint16 port = kDefaultPort;
    QString code;  // empty: draw one
    Timing timing;
};

// A game hosted for players on other machines. The host runs the whole game;
// each joined player is sent every window of the game (but the computer
// players' hidden one) as it changes, and plays only their own seat through
// intents, checked here before they reach the game.
//
// The stream: changes are marked as the ui layer reports them, and sent once
// per turn of the event loop and right before every message, so a joined
// player sees what the host showed when the message came. While nobody is
// joined nothing is marked and nothing runs; only the message open now is
// kept. A newly joined player gets everything as it stands (a snapshot,
// with the open message), then the stream.
class HostSession : private ui::ChangeObserver {
public:
    HostSession(Game& game, HostSessionSettings settings);
    ~HostSession() override;  // stops: bye to all
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Starts listening; false, with errorText() saying why, when the port
    // cannot be had.
    bool start();
    QString errorText() const;
    void stop();

    QString code() const;
    quint16 port() const;
    int joinedCount() const;
    // The frames exchanged with the player joined at a seat.
    Traffic traffic(int seat) const;

    // Sends every change marked since the last flush.
    void flush();
    // The serial a window has on the wire, 0 if it was never sent.
    qint64 windowSerial(const ui::Window& window) const;

    // A player joined or left.
    std::function<void()> onSeatsChanged;

private:
    // A window as last sent.
    struct Sent {
        qint64 serial = 0;
        WindowMade state;
    };

    // ui::ChangeObserver
    void changed(ui::Watched& who) override;
    void gone(ui::Watched& who) override;
    void messageShown(qint64 id, const QString& text) override;
    void messageClosed(qint64 id) override;

    void joined(int seat, const QString& name, int character);
    void left(int seat);
    void intent(int seat, const Message& message);
    void seatsChangedInGame();
    void openSeatsFromRoster();

    // The stream runs while somebody is joined.
    void startStream();
    void stopStream();
    void sendToStreamed(const Message& message);
    void sendSnapshot(int seat);
    WindowMade capture(ui::Window& window, const char* name, qint64 serial) const;
    FieldState capture(ui::Window& window, const ui::Field& field) const;
    // Sends what changed in a window already sent.
    void sendChanges(ui::Window& window, const char* name, Sent& sent, bool whole,
                     const std::vector<const ui::Field*>& fields);

    // What an intent names: a live window of the game by serial, and a field.
    ui::Window* liveWindow(qint64 serial);
    bool serialWasSent(qint64 serial) const { return serial > 0 && serial < nextSerial_; }

    // Intents. A refusal is silent (it may come honestly late); a drop ends
    // that player's connection.
    void click(int seat, const Click& click);
    void key(int seat, const Key& key);
    void pointerMove(int seat, const PointerMove& move);
    void dropPeer(int seat);

    Game& game_;
    HostSessionSettings settings_;
    std::unique_ptr<Host> host_;
    // The seats that got their snapshot and follow the stream.
    std::set<int> streamed_;
    std::map<const ui::Window*, Sent> sent_;
    // What was marked since the last flush, by window in the order the
    // windows were first marked: the window itself (its caption, size,
    // place, shown flag) or only some of its fields.
    struct Marked {
        const ui::Window* window = nullptr;
        bool whole = false;
        std::vector<const ui::Field*> fields;
    };
    Marked& marked(const ui::Window* window);
    std::vector<Marked> dirty_;
    qint64 nextSerial_ = 1;
    std::optional<MessageShown> openMessage_;
    QMetaObject::Connection eachTurn_;
    bool observing_ = false;
};

}  // namespace net

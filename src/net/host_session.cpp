#include "net/host_session.h"

#include "app/game.h"
#include "app/play_keys.h"
#include "battle/battle_window.h"
#include "net/host.h"
#include "net/key_code.h"
#include "net/net_words.h"
#include "net/program_identity.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "ui/message_box.h"

#include <QAbstractEventDispatcher>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace net {

namespace {

// The window of the computer players is the host's own business.
bool sentToPeers(const Game::LiveWindow& live) { return qstrcmp(live.name, "Computer") != 0; }

int indexOf(const ui::Window& window, const ui::Field& field)
{
    const auto& fields = window.fields();
    const auto it = std::find(fields.begin(), fields.end(), &field);
    return it == fields.end() ? -1 : static_cast<int>(it - fields.begin());
}

// The panel keys a joined program may pass on: help and centring stay on
// the joined program's own screen.
std::optional<ui::Key> panelKey(qint64 code)
{
    const std::optional<ui::Key> key = keyOfCode(code);
    if (key == ui::Key::F1 || key == ui::Key::C)
        return std::nullopt;
    return key;
}

// The buttons of a panel its player presses.
bool playableField(PanelWindow& panel, const ui::Field& field)
{
    for (const ui::Field* playable :
         {static_cast<ui::Field*>(&panel.kiri), static_cast<ui::Field*>(&panel.kanan),
          static_cast<ui::Field*>(&panel.atas), static_cast<ui::Field*>(&panel.bawah),
          static_cast<ui::Field*>(&panel.Command1)})
        if (playable == &field)
            return true;
    return false;
}

}  // namespace

HostSession::HostSession(Game& game, HostSessionSettings settings) : game_(game), settings_(std::move(settings))
{
    HostSettings host;
    host.identity = programIdentity(game_.edition());
    host.hostName = QSysInfo::machineHostName();
    host.code = settings_.code;
    host.address = settings_.address;
    host.port = settings_.port;
    host.timing = settings_.timing;
    host_ = std::make_unique<Host>(host);
    openSeatsFromRoster();
    host_->onJoined = [this](const Seated& seated) { joined(seated.seat, seated.name, seated.character); };
    host_->onLeft = [this](int seat, const QString&) { left(seat); };
    host_->onIntent = [this](int seat, const Message& message) { intent(seat, message); };
    game_.watchSeats([this] { seatsChangedInGame(); });
}

HostSession::~HostSession()
{
    // The owner is going too: it hears no more.
    onSeatsChanged = nullptr;
    stop();
    game_.watchSeats(nullptr);
}

bool HostSession::start()
{
    if (!host_->start())
        return false;
    // Only the open message is kept while nobody is joined, for the first
    // one to join.
    ui::setChangeObserver(this);
    return true;
}
QString HostSession::errorText() const { return host_->errorText(); }

void HostSession::stop()
{
    stopStream();
    if (ui::changeObserver() == this)
        ui::setChangeObserver(nullptr);
    openMessage_.reset();
    const bool anyoneJoined = !streamed_.empty();
    streamed_.clear();
    // Bye to all; their seats wait again, the computer plays them.
    host_->stop();
    for (int slot = 0; slot < kSeats; ++slot)
        if (game_.remoteSeat(slot))
            game_.Form1().releaseNetworkSeat(slot);
    if (anyoneJoined && onSeatsChanged)
        onSeatsChanged();
}

QString HostSession::code() const { return host_->code(); }
quint16 HostSession::port() const { return host_->port(); }
int HostSession::joinedCount() const { return host_->joinedCount(); }
Traffic HostSession::traffic(int seat) const { return host_->traffic(seat); }

qint64 HostSession::windowSerial(const ui::Window& window) const
{
    const auto it = sent_.find(&window);
    return it == sent_.end() ? 0 : it->second.serial;
}

// ---- Seats ----

void HostSession::openSeatsFromRoster()
{
    // A network seat of a player on the roster, asked at each join: the
    // number of players changes with no seat control touched.
    host_->askOpenSeats([this](int slot) {
        return game_.Form1().networkSeat(slot) && game_.Form1().playerTakesPart(slot);
    });
}

void HostSession::seatsChangedInGame()
{
    // A seat the host player took back from the network: its player goes.
    for (const int seat : std::set<int>(streamed_))
        if (!game_.Form1().networkSeat(seat))
            host_->drop(seat, words::connectionClosed());
}

void HostSession::joined(int seat, const QString& name, int character)
{
    if (streamed_.empty())
        startStream();
    game_.Form1().holdNetworkSeat(seat, name, character);
    // Those already joined see everything up to now, the newcomer all of it
    // as it stands.
    flush();
    sendSnapshot(seat);
    streamed_.insert(seat);
    if (onSeatsChanged)
        onSeatsChanged();
}

void HostSession::left(int seat)
{
    streamed_.erase(seat);
    game_.Form1().releaseNetworkSeat(seat);
    if (streamed_.empty())
        stopStream();
    if (onSeatsChanged)
        onSeatsChanged();
}

// ---- The stream ----

void HostSession::startStream()
{
    sent_.clear();
    dirty_.clear();
    observing_ = true;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
        eachTurn_ = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { flush(); });
}

void HostSession::stopStream()
{
    observing_ = false;
    QObject::disconnect(eachTurn_);
    sent_.clear();
    dirty_.clear();
}

void HostSession::sendToStreamed(const Message& message)
{
    for (const int seat : streamed_)
        host_->send(seat, message);
}

WindowMade HostSession::capture(ui::Window& window, const char* name, qint64 serial) const
{
    WindowMade made = ui::captureWindow(window, serial, QString::fromLatin1(name));
    // Each machine scrolls its own view of the battlefield.
    if (game_.battleExists() && &window == static_cast<ui::Window*>(&game_.Battle())) {
        const int view = indexOf(window, game_.Battle().Picture1);
        if (view >= 0 && view < made.fields.size())
            made.fields[view].props.role = QStringLiteral("view");
    }
    return made;
}

FieldState HostSession::capture(ui::Window& window, const ui::Field& field) const
{
    FieldState state = ui::captureField(field);
    if (game_.battleExists() && &window == static_cast<ui::Window*>(&game_.Battle()) &&
        &field == &game_.Battle().Picture1)
        state.props.role = QStringLiteral("view");
    return state;
}

HostSession::Marked& HostSession::marked(const ui::Window* window)
{
    const auto it = std::find_if(dirty_.begin(), dirty_.end(), [window](const Marked& m) { return m.window == window; });
    if (it != dirty_.end())
        return *it;
    dirty_.push_back(Marked{window, false, {}});
    return dirty_.back();
}

void HostSession::flush()
{
    if (!observing_)
        return;
    const std::vector<Game::LiveWindow> live = game_.liveWindows();
    // Windows no longer in the game are gone for the peers.
    for (auto it = sent_.begin(); it != sent_.end();) {
        const bool stillLive = std::any_of(live.begin(), live.end(), [&](const Game::LiveWindow& w) {
            return w.window == it->first && sentToPeers(w);
        });
        if (stillLive) {
            ++it;
            continue;
        }
        sendToStreamed(WindowGone{it->second.serial});
        it = sent_.erase(it);
    }
    // Windows of the game not sent yet are new, marked or not.
    for (const Game::LiveWindow& w : live)
        if (sentToPeers(w) && !sent_.count(w.window))
            marked(w.window).whole = true;

    const std::vector<Marked> marks = std::exchange(dirty_, {});
    for (const Marked& mark : marks) {
        const auto found = std::find_if(live.begin(), live.end(),
                                        [&mark](const Game::LiveWindow& w) { return w.window == mark.window; });
        if (found == live.end() || !sentToPeers(*found))
            continue;  // not a window of the game (a mirror, the help), or no longer one
        const auto known = sent_.find(mark.window);
        if (known == sent_.end()) {
            Sent fresh;
            fresh.serial = nextSerial_++;
            fresh.state = capture(*found->window, found->name, fresh.serial);
            sendToStreamed(fresh.state);
            sent_.emplace(mark.window, std::move(fresh));
        } else {
            sendChanges(*found->window, found->name, known->second, mark.whole, mark.fields);
        }
    }
}

void HostSession::sendChanges(ui::Window& window, const char* name, Sent& sent, bool whole,
                              const std::vector<const ui::Field*>& fields)
{
    if (!whole) {
        // Only the fields marked: each read alone.
        for (const ui::Field* field : fields) {
            const int index = indexOf(window, *field);
            if (index < 0 || index >= sent.state.fields.size())
                continue;
            FieldState now = capture(window, *field);
            const FieldProps props = ui::changedProps(sent.state.fields[index].props, now.props);
            if (props != FieldProps{})
                sendToStreamed(FieldChanged{sent.serial, index, props});
            sent.state.fields[index] = std::move(now);
        }
        return;
    }
    WindowMade now = capture(window, name, sent.serial);
    WindowChanged change;
    change.window = sent.serial;
    if (now.caption != sent.state.caption)
        change.caption = now.caption;
    if (now.captionIsPlayerText != sent.state.captionIsPlayerText)
        change.captionIsPlayerText = now.captionIsPlayerText;
    if (now.size != sent.state.size)
        change.size = now.size;
    if (now.place != sent.state.place)
        change.place = now.place;
    if (now.shown != sent.state.shown) {
        change.shown = now.shown;
        // A window shown comes to the front, as it does here.
        change.raise = now.shown;
    }
    if (change.caption || change.captionIsPlayerText || change.size || change.place || change.shown)
        sendToStreamed(change);
    const qsizetype count = std::min(now.fields.size(), sent.state.fields.size());
    for (qsizetype index = 0; index < count; ++index) {
        const FieldProps props = ui::changedProps(sent.state.fields[index].props, now.fields[index].props);
        if (props != FieldProps{})
            sendToStreamed(FieldChanged{sent.serial, static_cast<int>(index), props});
    }
    sent.state = std::move(now);
}

void HostSession::sendSnapshot(int seat)
{
    for (const Game::LiveWindow& live : game_.liveWindows()) {
        const auto known = sent_.find(live.window);
        if (known != sent_.end())
            host_->send(seat, known->second.state);
    }
    if (openMessage_)
        host_->send(seat, *openMessage_);
}

void HostSession::changed(ui::Watched& who)
{
    if (!observing_)
        return;
    if (ui::Window* window = dynamic_cast<ui::Window*>(&who)) {
        marked(window).whole = true;
        return;
    }
    ui::Field* field = dynamic_cast<ui::Field*>(&who);
    if (!field)
        return;
    Marked& mark = marked(&field->container().window());
    if (std::find(mark.fields.begin(), mark.fields.end(), field) == mark.fields.end())
        mark.fields.push_back(field);
}

void HostSession::gone(ui::Watched& who)
{
    if (!observing_)
        return;
    // Told from a destructor, where the object may no longer be a window or
    // a field to a cast: compare addresses as watched things.
    auto isWho = [&who](const auto* thing) { return static_cast<const ui::Watched*>(thing) == &who; };
    dirty_.erase(std::remove_if(dirty_.begin(), dirty_.end(), [&](const Marked& m) { return isWho(m.window); }),
                 dirty_.end());
    for (Marked& mark : dirty_)
        mark.fields.erase(std::remove_if(mark.fields.begin(), mark.fields.end(), isWho), mark.fields.end());
    for (auto it = sent_.begin(); it != sent_.end(); ++it) {
        if (isWho(it->first)) {
            sendToStreamed(WindowGone{it->second.serial});
            sent_.erase(it);
            return;
        }
    }
}

void HostSession::messageShown(qint64 id, const QString& text)
{
    // What the host shows under the message goes first.
    flush();
    openMessage_ = MessageShown{id, text};
    sendToStreamed(*openMessage_);
}

void HostSession::messageClosed(qint64 id)
{
    if (openMessage_ && openMessage_->id == id)
        openMessage_.reset();
    sendToStreamed(MessageClosed{id});
}

// ---- Intents ----

ui::Window* HostSession::liveWindow(qint64 serial)
{
    for (const auto& [window, sent] : sent_)
        if (sent.serial == serial)
            for (const Game::LiveWindow& live : game_.liveWindows())
                if (live.window == window)
                    return live.window;
    return nullptr;
}

void HostSession::dropPeer(int seat) { host_->drop(seat, words::peerBroke()); }

void HostSession::intent(int seat, const Message& message)
{
    if (!streamed_.count(seat))
        return;
    if (const auto* c = std::get_if<Click>(&message))
        click(seat, *c);
    else if (const auto* k = std::get_if<Key>(&message))
        key(seat, *k);
    else if (const auto* m = std::get_if<PointerMove>(&message))
        pointerMove(seat, *m);
    else if (const auto* ok = std::get_if<MessageOk>(&message))
        ui::closeOpenMessage(ok->id);  // a message already closed stays closed
    else if (!std::holds_alternative<Ping>(message) && !std::holds_alternative<Pong>(message))
        dropPeer(seat);  // what only a host sends
}

void HostSession::click(int seat, const Click& click)
{
    ui::Window* window = liveWindow(click.window);
    if (!window) {
        if (!serialWasSent(click.window))
            dropPeer(seat);
        return;  // a window closed since: late
    }
    // Only the player's own panel takes their clicks.
    if (!game_.panelExists(seat) || window != static_cast<ui::Window*>(&game_.player(seat))) {
        dropPeer(seat);
        return;
    }
    PanelWindow& panel = game_.player(seat);
    const auto& fields = panel.fields();
    if (click.field < 0 || click.field >= static_cast<int>(fields.size()) ||
        !playableField(panel, *fields[static_cast<std::size_t>(click.field)])) {
        dropPeer(seat);
        return;
    }
    ui::Field& field = *fields[static_cast<std::size_t>(click.field)];
    if (ui::messageOpen() || !panel.visible() || !field.isShown() || !field.isEnabled())
        return;
    field.automatedClick();
}

void HostSession::key(int seat, const Key& key)
{
    const std::optional<ui::Key> pressed = panelKey(key.key);
    // Keys the joined program keeps to itself (help, centring) or none at all.
    if (!pressed || ui::messageOpen() || !game_.panelExists(0) || game_.turnSlot() != seat ||
        !game_.panelExists(seat))
        return;
    PanelWindow& panel = game_.player(seat);
    ui::Button* button = playKeyButton(panel, *pressed);
    if (button && panel.visible() && button->isShown() && button->isEnabled())
        button->automatedClick();
}

void HostSession::pointerMove(int seat, const PointerMove& move)
{
    if (!std::isfinite(move.x) || !std::isfinite(move.y)) {
        dropPeer(seat);
        return;
    }
    ui::Window* window = liveWindow(move.window);
    if (!window) {
        if (!serialWasSent(move.window))
            dropPeer(seat);
        return;
    }
    if (!game_.battleExists() || window != static_cast<ui::Window*>(&game_.Battle())) {
        // Only the battlefield's moves go to the host; the other windows'
        // moves, if any, do nothing there.
        if (move.field < -1 || move.field >= static_cast<int>(window->fields().size()))
            dropPeer(seat);
        return;
    }
    BattleWindow& battle = game_.Battle();
    if (move.field < -1 || move.field >= static_cast<int>(battle.fields().size())) {
        dropPeer(seat);
        return;
    }
    if (move.field != indexOf(battle, battle.Picture1))
        return;
    // Only the player whose turn it is moves the wind.
    if (ui::messageOpen() || !battle.visible() || !battle.Picture1.isShown() || !battle.Picture1.isEnabled() ||
        !game_.panelExists(0) || game_.turnSlot() != seat)
        return;
    battle.remotePointerMove(move.x, move.y);
}

}  // namespace net

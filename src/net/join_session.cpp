#include "net/join_session.h"

#include "app/play_keys.h"
#include "net/battle_mirror.h"
#include "net/key_code.h"
#include "net/net_words.h"
#include "ui/mirror.h"
#include "ui/mirror_message.h"
#include "ui/number_text.h"

#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(kestravaJoin, "kestrava.net.join")

namespace net {

struct JoinSession::Shown {
    std::unique_ptr<ui::MirrorWindow> window;
    // Declared after the window it scrolls, so it goes first.
    std::unique_ptr<BattleMirror> battle;
};

namespace {

// The keys that press a panel's buttons; the others (help, centring) would
// act on the host's screen, not this player's.
const std::vector<ui::Key>& panelKeys()
{
    static const std::vector<ui::Key> keys = [] {
        std::vector<ui::Key> played = playKeys();
        std::erase_if(played, [](ui::Key key) { return key == ui::Key::F1 || key == ui::Key::C; });
        return played;
    }();
    return keys;
}

QString panelName(int seat) { return QStringLiteral("player") + numtext::text(seat + 1); }

}  // namespace

JoinSession::JoinSession(Edition edition, QString pictureFolder, JoinSettings settings)
    : edition_(edition), pictures_(std::move(pictureFolder)), joiner_(std::move(settings))
{
    joiner_.onRefused = [this](const QString& reason) { end(reason); };
    joiner_.onLost = [this](const QString& reason) { end(reason); };
    joiner_.onMessage = [this](const Message& message) { received(message); };
}

JoinSession::~JoinSession()
{
    if (!over_)
        joiner_.leave();
    closeAll();
}

void JoinSession::start() { joiner_.start(); }

void JoinSession::leave()
{
    over_ = true;
    joiner_.leave();
    closeAll();
}

std::vector<ui::MirrorWindow*> JoinSession::mirrors() const
{
    std::vector<ui::MirrorWindow*> all;
    for (const auto& shown : windows_)
        all.push_back(shown->window.get());
    return all;
}

ui::MirrorWindow* JoinSession::mirror(const QString& name) const
{
    // The newest: a closed window may linger a moment beside its successor.
    for (auto shown = windows_.rbegin(); shown != windows_.rend(); ++shown)
        if ((*shown)->window->name() == name)
            return (*shown)->window.get();
    return nullptr;
}

BattleMirror* JoinSession::battleMirror() const
{
    for (auto shown = windows_.rbegin(); shown != windows_.rend(); ++shown)
        if ((*shown)->battle)
            return (*shown)->battle.get();
    return nullptr;
}

std::vector<qint64> JoinSession::openMessages() const
{
    std::vector<qint64> open;
    for (const auto& [id, box] : messages_)
        if (box->isOpen())
            open.push_back(id);
    return open;
}

QString JoinSession::messageText(qint64 id) const
{
    const auto box = messages_.find(id);
    return box == messages_.end() ? QString() : box->second->text();
}

void JoinSession::pressOk(qint64 id)
{
    const auto box = messages_.find(id);
    if (box != messages_.end())
        box->second->pressOk();
}

void JoinSession::received(const Message& message)
{
    if (over_)
        return;
    if (const auto* made = std::get_if<WindowMade>(&message))
        this->made(*made);
    else if (const auto* gone = std::get_if<WindowGone>(&message))
        this->gone(*gone);
    else if (const auto* change = std::get_if<WindowChanged>(&message))
        changed(*change);
    else if (const auto* field = std::get_if<FieldChanged>(&message))
        fieldChanged(*field);
    else if (const auto* shown = std::get_if<MessageShown>(&message))
        messageShown(*shown);
    else if (const auto* closed = std::get_if<MessageClosed>(&message))
        messages_.erase(closed->id);
    else
        broken();  // an intent or a join: what only a joined program sends
}

void JoinSession::made(const WindowMade& made)
{
    if (find(made.window)) {
        broken();
        return;
    }
    QString flaw;
    auto window =
        ui::MirrorWindow::build(made, [this](const PictureName& name) { return pictures_.find(name); }, &flaw);
    if (!window) {
        qCWarning(kestravaJoin, "the host described a window that cannot be built: %s", qUtf8Printable(flaw));
        broken();
        return;
    }
    auto shown = std::make_unique<Shown>();
    shown->window = std::move(window);
    takeInput(*shown, made);
    windows_.push_back(std::move(shown));
}

void JoinSession::takeInput(Shown& shown, const WindowMade& made)
{
    ui::MirrorWindow& window = *shown.window;
    const qint64 serial = made.window;
    if (made.name == panelName(seat())) {
        for (int i = 0; i < made.fields.size(); ++i)
            if (made.fields[i].kind == FieldKind::Button)
                window.onFieldClick(i, [this, serial, i] { joiner_.send(Click{serial, i}); });
    } else if (BattleMirror::viewIndex(made) < 0) {
        return;  // only shows
    } else {
        const int view = BattleMirror::viewIndex(made);
        shown.battle = std::make_unique<BattleMirror>(
            edition_, window, made, [this, serial, view](ui::Twips x, ui::Twips y) {
                joiner_.send(PointerMove{serial, view, x, y});
            });
    }
    window.onKeys(panelKeys(), [this, serial](ui::Key key) { joiner_.send(Key{serial, -1, keyCode(key)}); });
}

void JoinSession::gone(const WindowGone& gone)
{
    const auto at = std::find_if(windows_.begin(), windows_.end(),
                                 [&](const auto& shown) { return shown->window->hostSerial() == gone.window; });
    if (at == windows_.end()) {
        broken();
        return;
    }
    windows_.erase(at);
}

void JoinSession::changed(const WindowChanged& change)
{
    Shown* shown = find(change.window);
    if (!shown) {
        broken();
        return;
    }
    shown->window->apply(change);
}

void JoinSession::fieldChanged(const FieldChanged& change)
{
    Shown* shown = find(change.window);
    if (!shown || change.field < 0 || change.field >= shown->window->fieldCount()) {
        broken();
        return;
    }
    shown->window->apply(change.field,
                         shown->battle ? shown->battle->keepOwnPlace(change.field, change.props) : change.props);
}

void JoinSession::messageShown(const MessageShown& shown)
{
    const qint64 id = shown.id;
    messages_[id] = std::make_unique<ui::MirrorMessage>(shown.text, [this, id] { joiner_.send(MessageOk{id}); });
}

JoinSession::Shown* JoinSession::find(qint64 serial)
{
    for (const auto& shown : windows_)
        if (shown->window->hostSerial() == serial)
            return shown.get();
    return nullptr;
}

void JoinSession::broken()
{
    joiner_.leave();
    end(words::peerBroke());
}

void JoinSession::end(const QString& reason)
{
    if (over_)
        return;
    over_ = true;
    for (auto& shown : windows_) {
        shown->window->hide();
        closedWindows_.push_back(std::move(shown));
    }
    windows_.clear();
    for (auto& [id, box] : messages_) {
        box->close();
        closedMessages_[id] = std::move(box);
    }
    messages_.clear();
    QTimer::singleShot(0, &context_, [this, reason] {
        closeAll();
        if (onEnded)
            onEnded(reason);
    });
}

void JoinSession::closeAll()
{
    messages_.clear();
    closedMessages_.clear();
    // The newest first, as they were made.
    while (!windows_.empty())
        windows_.pop_back();
    while (!closedWindows_.empty())
        closedWindows_.pop_back();
}

}  // namespace net

// Network play in the soak: the game of every program start is hosted on the
// loopback, and joined programs in the same process play some of its seats.
// After every event each joined program must show the host's windows
// exactly as the host shows them.

#include "soak_driver.h"

#include "app/game.h"
#include "battle/battle_window.h"
#include "net/battle_mirror.h"
#include "net/codec.h"
#include "net/host_session.h"
#include "net/join_session.h"
#include "net/program_identity.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "ui/message_box.h"
#include "ui/mirror.h"
#include "ui/timer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/qtestmouse.h>

#include <algorithm>

namespace {

// How long the joined programs may take to catch up with the host over the
// loopback before the soak calls it a fault (the loopback needs milliseconds).
constexpr qint64 kCatchUpMs = 20000;

const char* const kPanels[4] = {"player1", "player2", "player3", "player4"};

std::string text(const QString& value) { return value.toStdString(); }

// A field's state as both sides read it, for a report: the kind, the
// parent, the place, and the members that differ.
std::string describeState(const net::FieldState& state, const net::FieldState& other)
{
    std::string out = "kind " + std::to_string(static_cast<int>(state.kind)) + ", parent "
                      + std::to_string(state.parent);
    const net::FieldProps& p = state.props;
    const net::FieldProps& o = other.props;
    auto flag = [](const std::optional<bool>& b) { return b ? (*b ? std::string("yes") : std::string("no")) : "-"; };
    auto number = [](const std::optional<double>& d) { return d ? std::to_string(*d) : std::string("-"); };
    auto words = [](const std::optional<QString>& t) {
        return t ? "\"" + text(t->left(40)) + "\" (" + std::to_string(t->size()) + " chars)" : std::string("-");
    };
    if (p.rect)
        out += ", rect " + std::to_string((*p.rect)[0]) + "," + std::to_string((*p.rect)[1]) + " "
               + std::to_string((*p.rect)[2]) + "x" + std::to_string((*p.rect)[3]);
    if (p.visible != o.visible)
        out += ", shown " + flag(p.visible);
    if (p.enabled != o.enabled)
        out += ", enabled " + flag(p.enabled);
    if (p.readOnly != o.readOnly)
        out += ", read-only " + flag(p.readOnly);
    if (p.checked != o.checked)
        out += ", checked " + flag(p.checked);
    if (p.caption != o.caption)
        out += ", caption " + words(p.caption);
    if (p.text != o.text)
        out += ", text " + words(p.text);
    if (p.value != o.value)
        out += ", value " + number(p.value);
    if (p.minimum != o.minimum || p.maximum != o.maximum)
        out += ", range " + number(p.minimum) + ".." + number(p.maximum);
    if (p.scale != o.scale)
        out += ", scale differs";
    if (p.ends != o.ends && p.ends)
        out += ", ends " + std::to_string((*p.ends)[0]) + "," + std::to_string((*p.ends)[1]) + " "
               + std::to_string((*p.ends)[2]) + "," + std::to_string((*p.ends)[3]);
    if (p.colour != o.colour)
        out += ", colour " + (p.colour ? std::to_string(*p.colour) : std::string("-"));
    if (p.font != o.font)
        out += ", font " + (p.font ? text(p.font->family) + " " + std::to_string(p.font->points)
                                         + (p.font->bold ? " bold" : "")
                                   : std::string("-"));
    if (p.border != o.border)
        out += ", border " + flag(p.border);
    if (p.autoSize != o.autoSize)
        out += ", autosize " + flag(p.autoSize);
    if (p.picture != o.picture)
        out += ", picture " + (p.picture ? "\"" + text(p.picture->name) + "\"" : std::string("-"));
    if (p.playerText != o.playerText)
        out += ", player's text " + flag(p.playerText);
    if (p.choices != o.choices)
        out += ", choices " + (p.choices ? std::to_string(p.choices->size()) : std::string("-"));
    return out;
}

} // namespace

void Soak::startNetwork()
{
    RosterWindow& form = game_->Form1();
    for (int slot = 1; slot <= options_.networkClients; ++slot)
        form.setNetworkSeat(slot);
    net::HostSessionSettings settings;
    settings.address = QHostAddress::LocalHost;
    settings.port = 0;  // any free port
    host_ = std::make_unique<net::HostSession>(*game_, settings);
    if (!host_->start())
        violation("the game cannot host on the loopback: " + text(host_->errorText()));
    for (int k = 0; k < options_.networkClients; ++k) {
        auto remote = std::make_unique<Remote>();
        remote->name = QStringLiteral("Jauh%1").arg(k + 1);
        remote->character = uniform(1, 6);
        remotes_.push_back(std::move(remote));
        joinRemote(*remotes_.back());
    }
    note("hosting on the loopback, " + std::to_string(options_.networkClients) + " joined programs");
    syncNetwork();
}

void Soak::stopNetwork()
{
    // The joined programs go first: they hold nothing of the host's.
    remotes_.clear();
    host_.reset();
    flushPostedEvents();
}

void Soak::joinRemote(Remote& remote)
{
    net::JoinSettings settings;
    settings.identity = net::programIdentity(options_.edition);
    settings.address = QHostAddress::LocalHost;
    settings.port = host_->port();
    settings.code = host_->code();
    settings.name = remote.name;
    settings.character = remote.character;
    remote.ended = false;
    remote.session = std::make_unique<net::JoinSession>(options_.edition, options_.assets, settings);
    remote.session->onEnded = [&remote](const QString&) { remote.ended = true; };
    remote.session->start();
}

Soak::Remote* Soak::remoteAt(int seat)
{
    for (const auto& remote : remotes_)
        if (remote->session && remote->session->joined() && remote->session->seat() == seat)
            return remote.get();
    return nullptr;
}

bool Soak::remoteWidget(const QWidget* widget) const
{
    if (qobject_cast<const QMessageBox*>(widget))
        return true;  // the host's own box is closed by the time anyone counts
    for (const auto& remote : remotes_) {
        if (!remote->session)
            continue;
        for (ui::MirrorWindow* mirror : remote->session->mirrors())
            if (mirror->widget() == widget)
                return true;
        if (net::BattleMirror* battle = remote->session->battleMirror())
            if (battle->widget() == widget)
                return true;
    }
    return false;
}

bool Soak::networkSettled() const
{
    for (const auto& remote : remotes_) {
        if (!remote->session || remote->ended)
            continue;
        if (!remote->session->joined())
            return false;  // still joining, or told its refusal on the next turn
        const net::Traffic here = remote->session->traffic();
        const net::Traffic there = host_->traffic(remote->session->seat());
        if (here.received != there.sent || here.sent != there.received)
            return false;
    }
    return true;
}

void Soak::syncNetwork()
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        host_->flush();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        host_->flush();
        if (networkSettled())
            break;
        if (clock.elapsed() > kCatchUpMs)
            violation("the joined programs have not caught up with the host after "
                      + std::to_string(kCatchUpMs) + " ms");
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    for (const auto& remote : remotes_) {
        if (!remote->session)
            continue;
        if (remote->session->joined() && remote->seat != remote->session->seat()) {
            remote->seat = remote->session->seat();
            ++figures_.remoteJoins;
            note(text(remote->name) + " joined at seat " + std::to_string(remote->seat + 1));
        }
        if (remote->ended) {
            note(text(remote->name) + "'s session ended");
            remote->session.reset();
        }
    }
}

void Soak::checkMirrors()
{
    for (const auto& remote : remotes_) {
        if (!remote->session || !remote->session->joined())
            continue;
        const std::string who = text(remote->name) + " (seat " + std::to_string(remote->seat + 1) + ")";
        const std::vector<ui::MirrorWindow*> mirrors = remote->session->mirrors();
        for (const LiveWindow& live : liveWindows()) {
            if (std::string(live.name) == "Computer")
                continue;
            const qint64 serial = host_->windowSerial(*live.window);
            const auto found = std::find_if(mirrors.begin(), mirrors.end(),
                                            [serial](const ui::MirrorWindow* m) { return m->hostSerial() == serial; });
            if (serial == 0 || found == mirrors.end()) {
                violation(who + " has no mirror of " + live.name + " (serial " + std::to_string(serial) + ")");
                continue;
            }
            ui::MirrorWindow& mirror = **found;
            ++figures_.mirrorChecks;
            const net::WindowMade here = ui::captureWindow(*live.window, serial, QString::fromLatin1(live.name));
            const net::WindowMade there = ui::captureWindow(mirror, serial, QString::fromLatin1(live.name));
            if (net::clipped(here.caption, net::bounds::caption) != there.caption || here.shown != there.shown || here.size != there.size)
                violation(who + "'s mirror of " + live.name + " shows caption \"" + text(there.caption) + "\", "
                          + (there.shown ? "shown" : "hidden") + "; the host: \"" + text(here.caption) + "\", "
                          + (here.shown ? "shown" : "hidden") + (here.size != there.size ? ", sizes differ" : ""));
            const auto& fields = live.window->fields();
            if (mirror.fieldCount() != static_cast<int>(fields.size()))
                violation(who + "'s mirror of " + live.name + " has " + std::to_string(mirror.fieldCount())
                          + " fields, the host " + std::to_string(fields.size()));
            const ui::Field* view = game_->battleExists() && live.window == &game_->Battle()
                                        ? &game_->Battle().Picture1
                                        : nullptr;
            for (std::size_t index = 0; index < fields.size(); ++index) {
                net::FieldState mine = ui::captureField(*fields[index]);
                net::FieldState theirs = ui::captureField(*mirror.field(static_cast<int>(index)));
                // Texts travel clipped to their bounds.
                if (mine.props.caption)
                    mine.props.caption = net::clipped(*mine.props.caption, net::bounds::caption);
                if (mine.props.text)
                    mine.props.text = net::clipped(*mine.props.text, net::bounds::fieldText);
                mine.props.role.reset();
                theirs.props.role.reset();
                // Each machine scrolls its own view of the battlefield.
                if (fields[index] == view && mine.props.rect && theirs.props.rect) {
                    (*theirs.props.rect)[0] = (*mine.props.rect)[0];
                    (*theirs.props.rect)[1] = (*mine.props.rect)[1];
                }
                if (!(mine == theirs))
                    violation(who + "'s mirror of " + live.name + ".field[" + std::to_string(index)
                              + "] differs: host " + describeState(mine, theirs) + "; mirror "
                              + describeState(theirs, mine));
            }
        }
        if (!remote->session->openMessages().empty())
            violation(who + " still shows a message the host has closed");
    }
}

void Soak::clickMirror(Remote& remote, int slot, ui::Field& field)
{
    PanelWindow& panel = game_->player(slot);
    const auto& fields = panel.fields();
    const auto at = std::find(fields.begin(), fields.end(), &field);
    const int index = static_cast<int>(at - fields.begin());
    ui::MirrorWindow* mirror = remote.session->mirror(QString::fromLatin1("player%1").arg(slot + 1));
    ui::Field* mirrored = mirror ? mirror->field(index) : nullptr;
    note(text(remote.name) + " clicks its mirror of " + describe(kPanels[slot], field));
    ++figures_.remoteEvents;
    if (!mirrored || !mirror->visible() || !mirrored->widget() || !mirrored->widget()->isVisible())
        return;
    const bool fire = &field == &panel.Command1;
    const std::optional<words::FireStage> before = panel.fireStage();
    QTest::mouseClick(mirrored->widget(), Qt::LeftButton);
    syncNetwork();
    if (fire && game_->battleExists() && game_->panelExists(slot) && before == words::FireStage::Ready
        && game_->player(slot).fireStage() != before)
        firedBattle_ = &game_->Battle();
}

void Soak::networkEvent()
{
    ++figures_.remoteEvents;
    std::vector<Remote*> joined;
    std::vector<Remote*> away;
    for (const auto& remote : remotes_)
        (remote->session && remote->session->joined() ? joined : away).push_back(remote.get());
    const int roll = uniform(0, 99);
    if (roll >= 85 || joined.empty()) {
        if (away.empty()) {
            note("a joined player waits");
            return;
        }
        // A player who left (or was never let in) comes back by the same name.
        Remote& remote = *away[static_cast<std::size_t>(uniform(0, static_cast<int>(away.size()) - 1))];
        note(text(remote.name) + " joins again");
        const int seat = remote.seat;
        RosterWindow& form = game_->Form1();
        const bool seatFree = seat >= 0 && form.networkSeat(seat) && form.playerTakesPart(seat)
                              && !form.networkSeatHeld(seat);
        remote.session.reset();
        joinRemote(remote);
        syncNetwork();
        if (seatFree && remote.session && remote.session->joined() && remote.session->seat() != seat)
            violation(text(remote.name) + " came back at seat " + std::to_string(remote.session->seat() + 1)
                      + ", not at its own free seat " + std::to_string(seat + 1));
        if (seatFree && !(remote.session && remote.session->joined()))
            violation(text(remote.name) + " was not let back into its free seat " + std::to_string(seat + 1));
        return;
    }
    Remote& remote = *joined[static_cast<std::size_t>(uniform(0, static_cast<int>(joined.size()) - 1))];
    net::JoinSession& session = *remote.session;
    const int slot = session.seat();
    if (roll < 40) {
        // A button of the player's own panel.
        if (!game_->panelExists(slot)) {
            note(text(remote.name) + " has no panel yet");
            return;
        }
        PanelWindow& panel = game_->player(slot);
        ui::Field* buttons[] = {&panel.kiri, &panel.kanan, &panel.atas, &panel.bawah, &panel.Command1};
        clickMirror(remote, slot, *buttons[uniform(0, 4)]);
        return;
    }
    ui::MirrorWindow* battle = session.mirror(QStringLiteral("Battle"));
    net::BattleMirror* view = session.battleMirror();
    if (!battle || !view || !battle->visible()) {
        note(text(remote.name) + " sees no battlefield");
        return;
    }
    if (roll < 65) {
        // The pointer over the player's own battlefield: to the host, in its twips.
        ui::Field* field = battle->field(view->view());
        QWidget* widget = field ? field->widget() : nullptr;
        if (!widget || !widget->isVisible())
            return;
        const QPoint point(uniform(0, std::max(0, widget->width() - 1)), uniform(0, std::max(0, widget->height() - 1)));
        note(text(remote.name) + " moves the pointer over its battlefield at pixel " + std::to_string(point.x()) + ","
             + std::to_string(point.y()));
        sendPointer(widget->window()->windowHandle(), widget->mapTo(widget->window(), point), QEvent::MouseMove,
                    Qt::NoButton);
        return;
    }
    if (roll < 80) {
        // An edge button scrolls this machine's view alone, a few steps.
        BattleWindow& b = game_->Battle();
        ui::Field* edges[] = {&b.frame1, &b.frame4, &b.frame5, &b.frame6};
        ui::Field& edge = *edges[uniform(0, 3)];
        const auto& fields = b.fields();
        const int index = static_cast<int>(std::find(fields.begin(), fields.end(), &edge) - fields.begin());
        ui::Field* mirrored = battle->field(index);
        const double leftBefore = b.Picture1.left();
        const double topBefore = b.Picture1.top();
        note(text(remote.name) + " scrolls its view by " + describe("Battle", edge));
        if (mirrored && mirrored->widget() && mirrored->widget()->isVisible())
            QTest::mouseClick(mirrored->widget(), Qt::LeftButton);
        for (int tick = uniform(1, 4); tick > 0; --tick)
            view->scrol.tick();
        syncNetwork();
        if (game_->battleExists() && (game_->Battle().Picture1.left() != leftBefore
                                      || game_->Battle().Picture1.top() != topBefore))
            violation(text(remote.name) + "'s own scroll moved the host's view");
        return;
    }
    // The player leaves; another event brings them back.
    note(text(remote.name) + " leaves");
    session.leave();
    remote.session.reset();
}

void Soak::presentMessage(const QString& message)
{
    recordMessage(message);
    bool anyoneJoined = false;
    for (const auto& remote : remotes_)
        anyoneJoined = anyoneJoined || (remote->session && remote->session->joined());
    if (!host_ || !anyoneJoined)
        return;  // recorded and closed at once, as without network play
    // The program's own modal box, as a player meets it; a joined player's
    // OK (or now and then the host's own) closes it.
    const qint64 id = ui::openMessageId();
    // The box takes the active window for its parent. In one process that
    // can be a joined program's message box, which is no window of this
    // program's and would take the host's box with it when it closes.
    if (remoteWidget(QApplication::activeWindow()))
        QApplication::setActiveWindow(nullptr);
    QTimer::singleShot(0, QCoreApplication::instance(), [this, id, message] { answerMessage(id, message); });
    modalPresenter_(message);
}

void Soak::answerMessage(qint64 id, const QString& message)
{
    syncNetwork();
    std::vector<Remote*> joined;
    for (const auto& remote : remotes_) {
        if (!remote->session || !remote->session->joined())
            continue;
        joined.push_back(remote.get());
        const std::vector<qint64> open = remote->session->openMessages();
        if (std::find(open.begin(), open.end(), id) == open.end())
            violation(text(remote->name) + " does not show the host's message " + std::to_string(id) + " \""
                      + text(message.left(60)) + "\"");
        else if (remote->session->messageText(id) != net::clipped(message, net::bounds::messageText))
            violation(text(remote->name) + " shows the host's message as \""
                      + text(remote->session->messageText(id).left(60)) + "\", the host \"" + text(message.left(60))
                      + "\"");
    }
    if (joined.empty() || chance(0.2)) {
        note("the host's OK on message " + std::to_string(id));
        ui::closeOpenMessage(id);
    } else {
        Remote& remote = *joined[static_cast<std::size_t>(uniform(0, static_cast<int>(joined.size()) - 1))];
        note(text(remote.name) + " presses OK on message " + std::to_string(id));
        remote.session->pressOk(id);
        ++figures_.remoteOks;
        syncNetwork();
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box && box->isVisible()) {
        ui::closeOpenMessage(id);
        violation("the host's message " + std::to_string(id) + " stayed open after a joined player's OK");
    }
}

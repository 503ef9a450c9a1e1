// Hostile peers against the sessions over the loopback: a hosted match fed
// random and mutated intents by one joined peer, and a joined program fed
// random and mutated host frames. Nothing crashes; only the peer that sent
// what no honest program sends is let go, and the others play on.

#include "net_loopback.h"
#include "test_support.h"

#include "battle/battle_window.h"
#include "net/host_session.h"
#include "net/join_session.h"
#include "net/program_identity.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "ui/mirror.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>
#include <limits>

using namespace nettest;

using Twips4 = std::array<double, 4>;

namespace {

constexpr int kFrames = 100'000;
// Frames a hostile peer sends on one connection, if the host keeps it that
// long, before it hangs up.
constexpr int kFramesPerConnection = 400;

int indexOf(const ui::Window& window, const ui::Field& field)
{
    const auto& fields = window.fields();
    return static_cast<int>(std::find(fields.begin(), fields.end(), &field) - fields.begin());
}

QCborValue randomValue(QRandomGenerator& random)
{
    switch (random.bounded(7)) {
    case 0: return QCborValue(static_cast<qint64>(random.generate64()));
    case 1: return QCborValue(random.bounded(-3, 200));
    case 2: return QCborValue(std::numeric_limits<double>::quiet_NaN());
    case 3: return QCborValue(QString(random.bounded(70'000), QLatin1Char('x')));
    case 4: return QCborValue(QByteArray(random.bounded(50), 'b'));
    case 5: return QCborValue(QCborMap{{QStringLiteral("zzz"), random.bounded(9)}});
    default: return QCborValue(QCborArray{1, 2, 3});
    }
}

// The payload's CBOR with one element replaced, added or taken away.
QByteArray mutatedElements(QRandomGenerator& random, const QByteArray& payload)
{
    QCborArray array = QCborValue::fromCbor(payload).toArray();
    const qsizetype at = array.isEmpty() ? 0 : random.bounded(static_cast<int>(array.size()));
    switch (random.bounded(3)) {
    case 0:
        if (!array.isEmpty())
            array[at] = randomValue(random);
        break;
    case 1:
        array.append(randomValue(random));
        break;
    default:
        if (!array.isEmpty())
            array.removeAt(at);
        break;
    }
    return QCborValue(array).toCbor();
}

// The bytes of one frame whose payload is mutated: flipped, truncated,
// lengthened, its elements changed, or replaced by random bytes.
QByteArray mutatedFrame(QRandomGenerator& random, QByteArray payload)
{
    switch (random.bounded(5)) {
    case 0:
        for (int i = 0, flips = 1 + random.bounded(4); i < flips && !payload.isEmpty(); ++i)
            payload[random.bounded(static_cast<int>(payload.size()))] = static_cast<char>(random.bounded(256));
        break;
    case 1:
        payload.truncate(random.bounded(static_cast<int>(payload.size()) + 1));
        break;
    case 2:
        payload.append(QByteArray(random.bounded(1, 64), static_cast<char>(random.bounded(256))));
        break;
    case 3:
        payload = mutatedElements(random, payload);
        break;
    default:
        payload = QByteArray(random.bounded(1, 200), Qt::Uninitialized);
        for (char& c : payload)
            c = static_cast<char>(random.bounded(256));
        break;
    }
    return net::framed(payload);
}

// A frame whose length says more than the most a frame may carry.
QByteArray oversizedFrame(QRandomGenerator& random)
{
    QByteArray frame(4, '\0');
    qToBigEndian(static_cast<quint32>(net::kMaxFrameBytes + 1 + random.bounded(1 << 20)), frame.data());
    return frame + QByteArray(random.bounded(100), 'o');
}

// The hosted match: three players, seats 2 and 3 at other machines.
struct HostedMatch {
    HostedMatch()
    {
        shownSetup(g);
        RosterWindow& form = g->Form1();
        form.chooseGameType(3);
        form.setNetworkSeat(1);
        form.setNetworkSeat(2);
        form.Command5.click();
        for (int slot = 0; slot < 3; ++slot)
            g->player(slot);
        net::HostSessionSettings settings;
        settings.address = kLoopback;
        settings.port = 0;
        settings.code = QStringLiteral("123456");
        settings.timing = handTicked();
        session = std::make_unique<net::HostSession>(*g, settings);
        started = session->start();
    }

    net::Join join(const QString& name) const
    {
        net::Join join;
        join.identity = net::programIdentity(Edition::Full);
        join.code = session->code();
        join.name = name;
        join.character = 2;
        return join;
    }

    TestGame g;
    std::unique_ptr<net::HostSession> session;
    bool started = false;
};

// The intents a joined peer at `seat` might send, honest or not: mostly its
// own panel's buttons, keys and pointer moves over the battlefield, message
// OKs; now and then another window's fields, indices out of range, numbers
// that are not finite and what only a host sends.
net::Message randomIntent(QRandomGenerator& random, HostedMatch& h, int seat)
{
    PanelWindow& own = h.g->player(seat);
    BattleWindow& battle = h.g->Battle();
    const qint64 ownSerial = h.session->windowSerial(own);
    const qint64 battleSerial = h.session->windowSerial(battle);
    const ui::Field* playable[] = {&own.kiri, &own.kanan, &own.atas, &own.bawah, &own.Command1};
    static const int kKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space,
                                Qt::Key_Return, Qt::Key_F1, Qt::Key_C, 0, -1};
    const int roll = random.bounded(100);
    if (roll < 30)
        return net::Click{ownSerial, indexOf(own, *playable[random.bounded(5)])};
    if (roll < 45)
        return net::Key{ownSerial, random.bounded(-1, 3), kKeys[random.bounded(10)]};
    if (roll < 70) {
        const bool finite = random.bounded(100) != 0;
        const double x = finite ? random.bounded(-20000, 200000) : std::numeric_limits<double>::quiet_NaN();
        return net::PointerMove{battleSerial, random.bounded(20) ? indexOf(battle, battle.Picture1) : -1, x,
                                static_cast<double>(random.bounded(-20000, 20000))};
    }
    if (roll < 82)
        return net::MessageOk{random.bounded(2) ? random.bounded(0, 5) : static_cast<qint64>(random.generate64())};
    if (roll < 95)
        return net::Ping{};
    // What no honest program sends.
    std::vector<ui::Window*> windows{&h.g->Form1(), &battle};
    for (int slot = 0; slot < 3; ++slot)
        windows.push_back(&h.g->player(slot));
    ui::Window& window = *windows[random.bounded(static_cast<int>(windows.size()))];
    const qint64 serial = random.bounded(4) ? h.session->windowSerial(window) : 1000 + random.bounded(1000);
    const int field = random.bounded(-3, static_cast<int>(window.fields().size()) + 3);
    switch (roll) {
    case 95:
    case 96:
        return net::Click{serial, field};
    case 97:
        return net::PointerMove{serial, field, 1, 1};
    case 98:
        return net::MessageShown{1, QString(random.bounded(100), QLatin1Char('m'))};
    default:
        return net::Join{net::programIdentity(Edition::Full), h.session->code(), QStringLiteral("Raw"), 1};
    }
}

// Field state as a host might describe it, sound or not: any kind number,
// any container, numbers that are not finite, huge texts, pictures by names
// that are no picture of the program's own.
net::FieldProps randomProps(QRandomGenerator& random)
{
    static const double kNumbers[] = {0, 120, -3000, 1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(), 4e9};
    auto number = [&] { return random.bounded(6) ? random.bounded(-5000, 20000) * 1.0 : kNumbers[random.bounded(8)]; };
    static const char* const kPictures[] = {"builtin:shell", "file:3.gif", "file:../../etc/passwd", "file:field.gif",
                                            "builtin:", "file:", "http://x/y.gif", ""};
    net::FieldProps p;
    if (random.bounded(2))
        p.rect = Twips4{number(), number(), number(), number()};
    if (random.bounded(3) == 0)
        p.visible = random.bounded(2) == 1;
    if (random.bounded(4) == 0)
        p.caption = QString(random.bounded(64) ? random.bounded(30) : random.bounded(70'000), QLatin1Char('c'));
    if (random.bounded(4) == 0)
        p.text = QString(random.bounded(64) ? random.bounded(30) : random.bounded(70'000), QLatin1Char('t'));
    if (random.bounded(4) == 0)
        p.value = number();
    if (random.bounded(6) == 0) {
        p.minimum = number();
        p.maximum = number();
    }
    if (random.bounded(8) == 0)
        p.scale = std::array<double, 5>{number(), number(), number(), number(), number()};
    if (random.bounded(6) == 0)
        p.ends = Twips4{number(), number(), number(), number()};
    if (random.bounded(6) == 0)
        p.colour = static_cast<qint64>(random.generate64() >> random.bounded(64));
    if (random.bounded(8) == 0)
        p.font = net::Font{QStringLiteral("Sans"), number(), random.bounded(2) == 1};
    if (random.bounded(5) == 0)
        p.picture = net::PictureName{QString::fromLatin1(kPictures[random.bounded(8)]), QByteArray(8, 'h')};
    if (random.bounded(10) == 0)
        p.role = QStringLiteral("view");
    if (random.bounded(10) == 0)
        p.choices = QStringList(random.bounded(20), QStringLiteral("c"));
    return p;
}

// What a host might send a joined program, sound or not: windows made,
// changed and gone, fields changed in known and unknown windows at any index,
// messages shown and closed, and now and then what only a joined program
// sends. The host made windows 1 to 3 soundly first: changes mostly meet
// them, new windows and their ends take 4 to 6.
net::Message randomHostMessage(QRandomGenerator& random)
{
    const qint64 serial = random.bounded(50) ? random.bounded(1, 4) : random.bounded(4, 7);
    const qint64 newSerial = random.bounded(4, 7);
    const int roll = random.bounded(1000) / 10;
    if (random.bounded(1000) < 15) {
        net::WindowMade made;
        made.window = newSerial;
        made.name = random.bounded(2) ? QStringLiteral("Battle") : QStringLiteral("player2");
        made.caption = QStringLiteral("0");
        made.size = {{random.bounded(0, 12000) * 1.0, random.bounded(2) ? 6000.0 : std::numeric_limits<double>::quiet_NaN()}};
        made.place = {{0, 0}};
        made.shown = random.bounded(2) == 1;
        for (int i = 0, n = random.bounded(12); i < n; ++i)
            made.fields.append(net::FieldState{static_cast<net::FieldKind>(random.bounded(-1, net::kFieldKindCount + 1)),
                                               random.bounded(-2, i + 1), randomProps(random)});
        return made;
    }
    if (roll < 60)
        return net::FieldChanged{random.bounded(50) ? serial : random.bounded(7, 100'000), random.bounded(-2, 80),
                                 randomProps(random)};
    if (roll < 70) {
        net::WindowChanged change;
        change.window = serial;
        if (random.bounded(2))
            change.caption = QString(random.bounded(300), QLatin1Char('w'));
        if (random.bounded(2))
            change.size = std::array<double, 2>{random.bounded(-100, 30000) * 1.0, random.bounded(8) ? 500.0 : 1e300};
        if (random.bounded(3) == 0)
            change.place = std::array<double, 2>{std::numeric_limits<double>::infinity(), 0};
        if (random.bounded(2))
            change.shown = random.bounded(2) == 1;
        change.raise = random.bounded(2) == 1;
        return change;
    }
    if (roll < 74 && random.bounded(4) == 0)
        return net::WindowGone{newSerial};
    if (roll < 76)
        return net::MessageShown{random.bounded(1, 4), QString(random.bounded(8) ? 40 : 5000, QLatin1Char('m'))};
    if (roll < 80)
        return net::MessageClosed{random.bounded(0, 5)};
    if (roll < 99 || random.bounded(4))
        return net::Ping{};
    return net::Click{serial, 1};
}

// Runs the event loop until `condition` holds (at most 5 s), without the
// pauses of QTest::qWaitFor: the loop has thousands of round trips to make.
bool pumpUntil(const std::function<bool()>& condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

} // namespace

class TestNetSessionFuzz : public QObject {
    Q_OBJECT

private slots:
    // A joined peer sends 100,000 random and mutated intents, hanging up
    // after every hundred and joining again. It is dropped as often as it
    // breaks the protocol; the honest player beside it stays joined and is
    // still sent the match as it goes on.
    void aHostileJoinedPeerLeavesTheMatchGoingOn()
    {
        HostedMatch h;
        QVERIFY(h.started);
        TestClock clock;
        net::JoinSettings honestSettings;
        honestSettings.identity = net::programIdentity(Edition::Full);
        honestSettings.address = kLoopback;
        honestSettings.port = h.session->port();
        honestSettings.code = h.session->code();
        honestSettings.name = QStringLiteral("Ayu");
        honestSettings.timing = handTicked();
        honestSettings.clock = clock.clock();
        JoinedProgram honest(honestSettings);
        QVERIFY(honest.waitJoined());
        QCOMPARE(honest.seat, 1);

        QRandomGenerator random(47241u);
        int connections = 0;
        int dropped = 0;
        int sent = 0;
        while (sent < kFrames) {
            ++connections;
            RawPeer peer(h.session->port());
            peer.sendFrame(net::encode(h.join(QStringLiteral("Raw"))));
            QVERIFY(pumpUntil([&] { return h.g->remoteSeat(2); }));
            // Frames a few at a time, until the host lets the peer go or the
            // peer has sent its share and hangs up.
            int here = 0;
            bool open = true;
            while (open && here < kFramesPerConnection && sent < kFrames) {
                QByteArray bytes;
                for (int i = 0; i < 20 && here < kFramesPerConnection && sent < kFrames; ++i, ++here, ++sent) {
                    const QByteArray payload = net::encode(randomIntent(random, h, 2));
                    const int roll = random.bounded(1000);
                    bytes += roll < 10 ? mutatedFrame(random, payload)
                             : roll < 12 ? oversizedFrame(random)
                                         : net::framed(payload);
                }
                peer.socket.write(bytes);
                peer.socket.flush();
                // The host has read them all, or has let the peer go.
                QVERIFY(pumpUntil([&] {
                    peer.socket.readAll();
                    open = h.g->remoteSeat(2);
                    return !open || h.session->traffic(2).received >= 1 + here;
                }));
            }
            dropped += open ? 0 : 1;
            peer.socket.disconnectFromHost();
            QVERIFY(pumpUntil([&] { return !h.g->remoteSeat(2); }));
            QVERIFY(honest.lost.isEmpty());
        }
        qInfo("%d frames on %d connections, %d dropped by the host", sent, connections, dropped);
        QVERIFY(dropped > connections / 2);

        // The honest player is still there and still sent the match.
        QVERIFY(honest.lost.isEmpty());
        QCOMPARE(h.session->joinedCount(), 1);
        QVERIFY(h.g->remoteSeat(1));
        QVERIFY(h.g->battleExists());
        const qsizetype before = honest.received.size();
        h.g->Battle().Text3.setText(QStringLiteral("7"));
        h.session->flush();
        QVERIFY(pumpUntil([&] { return honest.received.size() > before; }));
    }

    // A joined program fed 100,000 random and mutated host frames, joining
    // again whenever it leaves a host that broke the protocol: it builds
    // only sound windows and never crashes. Beside it a program joined to a
    // real host plays on.
    void aJoinedProgramSurvivesAHostileHost()
    {
        HostedMatch h;
        QVERIFY(h.started);
        TestClock clock;
        net::JoinSettings honestSettings;
        honestSettings.identity = net::programIdentity(Edition::Full);
        honestSettings.address = kLoopback;
        honestSettings.port = h.session->port();
        honestSettings.code = h.session->code();
        honestSettings.name = QStringLiteral("Ayu");
        honestSettings.timing = handTicked();
        honestSettings.clock = clock.clock();
        net::JoinSession honest(Edition::Full, TestGame::assetsFolder(), honestSettings);
        honest.start();
        QVERIFY(pumpUntil([&] { return honest.joined() && honest.mirror(QStringLiteral("Battle")); }));

        QTcpServer hostile;
        QVERIFY(hostile.listen(kLoopback, 0));
        // Thousands of sessions: none reads the picture files again.
        const QTemporaryDir noPictures;
        QRandomGenerator random(62741u);
        int sessions = 0;
        int left = 0;
        int sent = 0;
        qint64 read = 0;
        while (sent < kFrames) {
            ++sessions;
            net::JoinSettings settings = honestSettings;
            settings.port = hostile.serverPort();
            settings.name = QStringLiteral("Budi");
            QString ended;
            net::JoinSession joined(Edition::Full, noPictures.path(), settings);
            joined.onEnded = [&ended](const QString& reason) { ended = reason; };
            joined.start();
            QVERIFY(pumpUntil([&] { return hostile.hasPendingConnections(); }));
            std::unique_ptr<QTcpSocket> host(hostile.nextPendingConnection());
            host->write(net::framed(net::encode(net::Hello{net::programIdentity(Edition::Full), QStringLiteral("h")})));
            host->write(net::framed(net::encode(net::Accept{1})));
            QVERIFY(pumpUntil([&] { return joined.joined(); }));
            // The host's real windows first, as a snapshot.
            host->write(net::framed(net::encode(ui::captureWindow(h.g->Battle(), 1, QStringLiteral("Battle")))));
            host->write(net::framed(net::encode(ui::captureWindow(h.g->player(1), 2, QStringLiteral("player2")))));
            host->write(net::framed(net::encode(ui::captureWindow(h.g->Form1(), 3, QStringLiteral("Form1")))));
            QVERIFY(pumpUntil([&] { return joined.traffic().received >= 5 || !joined.joined(); }));
            QVERIFY2(joined.joined() && joined.mirrors().size() == 3, qPrintable(ended));
            const qint64 before = joined.traffic().received;
            int here = 0;
            // A hundred frames at a time: building the host's windows is what
            // each session costs, and most leave within one batch.
            while (joined.joined() && here < kFramesPerConnection && sent < kFrames) {
                QByteArray bytes;
                for (int i = 0; i < 100 && here < kFramesPerConnection && sent < kFrames; ++i, ++here, ++sent) {
                    const QByteArray payload = net::encode(randomHostMessage(random));
                    const int roll = random.bounded(1000);
                    bytes += roll < 10 ? mutatedFrame(random, payload)
                             : roll < 12 ? oversizedFrame(random)
                                         : net::framed(payload);
                }
                host->write(bytes);
                host->flush();
                QVERIFY(pumpUntil([&] {
                    host->readAll();
                    return !joined.joined() || joined.traffic().received >= before + here;
                }));
            }
            read += joined.traffic().received - before;
            // A left session says why on the next turn of the event loop.
            if (!joined.joined()) {
                ++left;
                QVERIFY(pumpUntil([&] { return !ended.isEmpty(); }));
            }
            for (const ui::MirrorWindow* mirror : joined.mirrors())
                QVERIFY(ui::MirrorWindow::flawOf(ui::captureWindow(*mirror, mirror->hostSerial(), mirror->name()))
                            .isEmpty());
            joined.leave();
            host.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        qInfo("%d frames to %d sessions, %lld read, %d sessions left the host", sent, sessions, read, left);
        QVERIFY(left > 0);

        QVERIFY(honest.joined());
        ui::MirrorWindow* battle = honest.mirror(QStringLiteral("Battle"));
        QVERIFY(battle);
        const int wind = indexOf(h.g->Battle(), h.g->Battle().Text3);
        h.g->Battle().Text3.setText(QStringLiteral("7"));
        h.session->flush();
        QVERIFY(pumpUntil([&] { return ui::captureField(*battle->field(wind)).props.text == QStringLiteral("7"); }));
    }
};

QTEST_MAIN(TestNetSessionFuzz)
#include "test_net_session_fuzz.moc"

// A joined program's side of network play: mirrors built from what a host
// sends, its own view of the battlefield, its player's intents, the host's
// messages, and the ways a session ends. A raw host on the loopback sends
// hand-made window messages and records the intents it gets.

#include "net_loopback.h"

#include "battle/battle_window.h"
#include "net/battle_mirror.h"
#include "net/join_session.h"
#include "net/local_pictures.h"
#include "net/net_words.h"
#include "test_support.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/mirror.h"
#include "ui/timer.h"

#include <QWindow>
#include <QtTest>

using namespace nettest;

namespace {

int sleepFaults = 0;

net::FieldState field(net::FieldKind kind, std::array<double, 4> rect, const QString& caption = {}, int parent = -1)
{
    net::FieldState state{kind, parent, {}};
    state.props.rect = rect;
    state.props.visible = state.props.enabled = true;
    if (!caption.isEmpty())
        state.props.caption = caption;
    return state;
}

net::WindowMade window(qint64 serial, const QString& name, QList<net::FieldState> fields)
{
    return net::WindowMade{serial, name, name, {6000, 4500}, {0, 0}, true, false, std::move(fields)};
}

// A panel: a button and a label.
net::WindowMade panel(qint64 serial, const QString& name)
{
    return window(serial, name,
                  {field(net::FieldKind::Button, {120, 120, 900, 375}, QStringLiteral("kiri")),
                   field(net::FieldKind::Label, {120, 600, 600, 255}, QStringLiteral("3"))});
}

// A battle window: the battlefield (index 0, first placed at -300, -200),
// the left and down edge buttons (1, 2) and a label on the battlefield (3).
constexpr qint64 kBattle = 7;
net::WindowMade battle()
{
    net::FieldState view = field(net::FieldKind::PictureBox, {-300, -200, 20000, 4000});
    view.props.role = QStringLiteral("view");
    net::FieldState left = field(net::FieldKind::Button, {0, 360, 375, 3000});
    left.props.picture = net::PictureName{QStringLiteral("builtin:arrow_left"), {}};
    net::FieldState down = field(net::FieldKind::Button, {0, 3800, 5000, 375});
    down.props.picture = net::PictureName{QStringLiteral("builtin:arrow_down"), {}};
    const net::FieldState plate = field(net::FieldKind::Label, {3000, 3000, 700, 240}, QStringLiteral("Ayu"), 0);
    return window(kBattle, QStringLiteral("Battle"), {view, left, down, plate});
}

QString captionOf(const ui::Field* shown)
{
    const auto* label = dynamic_cast<const ui::Label*>(shown);
    return label ? label->caption() : QString();
}

QWindow* exposed(ui::Window& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(window.widget()))
        qWarning("window not exposed");
    return window.widget()->windowHandle();
}

// A raw host, and a session joined to it at seat 1 (its panel is player2).
struct Table {
    // With a code, the session gives that code instead of the host's.
    explicit Table(const QString& code = {})
    {
        host = startHost(clock);
        host->onIntent = [this](int, const net::Message& m) { intents.append(m); };
        host->onLeft = [this](int, const QString&) { ++left; };
        net::JoinSettings settings = joinSettings(*host, clock);
        if (!code.isEmpty())
            settings.code = code;
        session = std::make_unique<net::JoinSession>(Edition::Full, folder.path(), settings);
        session->onEnded = [this](const QString& reason) { ended = reason; };
        session->start();
    }
    bool joined() { return QTest::qWaitFor([this] { return session->joined(); }, 5000); }
    void send(const net::Message& message) { host->sendToAll(message); }
    // Waits until the session has taken in everything sent so far.
    bool settled(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }
    bool intentArrived(int count = 1)
    {
        return QTest::qWaitFor([&] { return intents.size() >= count; }, 5000);
    }

    TestClock clock;
    PictureFolder folder;
    std::unique_ptr<net::Host> host;
    std::unique_ptr<net::JoinSession> session;
    QList<net::Message> intents;
    int left = 0;
    QString ended;
};

}  // namespace

class TestJoinSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ui::Timer::setManualTicking(true);
        ui::Timer::setSleepChecking([](const QString& message) { qWarning("%s", qPrintable(message)); sleepFaults++; });
    }
    void cleanup() { QCOMPARE(sleepFaults, 0); }

    void aMadeWindowShowsTheHostsStateAndFollowsItsChanges()
    {
        Table t;
        QVERIFY(t.joined());
        QCOMPARE(t.session->seat(), 1);
        t.send(panel(3, QStringLiteral("player2")));
        QVERIFY(t.settled([&] { return t.session->mirror(QStringLiteral("player2")); }));
        ui::MirrorWindow* shown = t.session->mirror(QStringLiteral("player2"));
        QCOMPARE(shown->hostSerial(), qint64(3));
        QCOMPARE(shown->fieldCount(), 2);
        QCOMPARE(captionOf(shown->field(1)), QStringLiteral("3"));

        net::FieldChanged change{3, 1, {}};
        change.props.caption = QStringLiteral("2");
        t.send(change);
        QVERIFY(t.settled([&] { return captionOf(shown->field(1)) == QStringLiteral("2"); }));

        t.send(net::WindowGone{3});
        QVERIFY(t.settled([&] { return t.session->mirrors().empty(); }));
        QVERIFY(t.ended.isEmpty());
    }

    void theViewKeepsItsOwnPlaceAndScrollsWithoutTellingTheHost()
    {
        Table t;
        QVERIFY(t.joined());
        t.send(battle());
        QVERIFY(t.settled([&] { return t.session->battleMirror(); }));
        net::BattleMirror& view = *t.session->battleMirror();
        ui::MirrorWindow& shown = *t.session->mirror(QStringLiteral("Battle"));
        QCOMPARE(view.place(), (scroll::Place{-300, -200}));

        // The host's own scrolling moves its battlefield, not this one.
        net::FieldChanged moved{kBattle, 0, {}};
        moved.props.rect = {-5000, -100, 21000, 4000};
        t.send(moved);
        QVERIFY(t.settled([&] { return shown.field(0)->width() == 21000; }));
        QCOMPARE(view.place(), (scroll::Place{-300, -200}));

        // The left edge button scrolls this view, step by step.
        QWindow* handle = exposed(shown);
        QTest::mouseClick(shown.field(1)->widget(), Qt::LeftButton);
        tickTimes(view.scrol, 3);
        QCOMPARE(view.place(), (scroll::Place{0, -200}));
        QTest::mouseClick(shown.field(2)->widget(), Qt::LeftButton);
        tickTimes(view.scrol, 2);
        QCOMPARE(view.place(), (scroll::Place{0, -400}));

        // A move over the bare window (below the battlefield, now at 3600
        // twips, above the down button at 3800) stops it, and goes nowhere.
        QTest::mouseMove(handle, QPoint(200, 245));
        QCOMPARE(view.scrol1.caption(), QStringLiteral("no"));
        tickTimes(view.scrol, 2);
        QCOMPARE(view.place(), (scroll::Place{0, -400}));
        // At rest its timer sleeps, and an edge button wakes it.
        QVERIFY(view.scrol.asleep());

        // A move over the battlefield stops it too, and goes to the host in
        // the battlefield's twips: the first intent the host ever hears.
        QTest::mouseClick(shown.field(1)->widget(), Qt::LeftButton);
        QVERIFY(!view.scrol.asleep());
        const QPoint over = shown.field(0)->widget()->mapTo(shown.widget(), QPoint(30, 40));
        QTest::mouseMove(handle, over);
        QCOMPARE(view.scrol1.caption(), QStringLiteral("no"));
        QVERIFY(t.intentArrived());
        QCOMPARE(t.intents.size(), 1);
        const auto* move = std::get_if<net::PointerMove>(&t.intents.first());
        QVERIFY(move);
        QCOMPARE(move->window, kBattle);
        QCOMPARE(move->field, 0);
        QCOMPARE(move->x, 30 * 15.0);
        QCOMPARE(move->y, 40 * 15.0);
    }

    // The battle window as a host describes it: its edge buttons are found
    // by their arrows and scroll this view only.
    void theHostsBattleWindowScrollsHereByItsEdgeButtons()
    {
        TestGame game;
        BattleWindow& b = game->Battle();
        b.show();
        net::WindowMade made = ui::captureWindow(b, kBattle, QStringLiteral("Battle"));
        const int view = static_cast<int>(std::find(b.fields().begin(), b.fields().end(), &b.Picture1) - b.fields().begin());
        made.fields[view].props.role = QStringLiteral("view");
        Table t;
        QVERIFY(t.joined());
        t.send(made);
        QVERIFY(t.settled([&] { return t.session->battleMirror(); }));
        net::BattleMirror& mirror = *t.session->battleMirror();
        ui::MirrorWindow& shown = *t.session->mirror(QStringLiteral("Battle"));
        QCOMPARE(mirror.view(), view);
        exposed(shown);
        for (ui::Button* edge : b.scrollButton) {
            const int index = static_cast<int>(std::find(b.fields().begin(), b.fields().end(), edge) - b.fields().begin());
            QTest::mouseClick(shown.field(index)->widget(), Qt::LeftButton);
            edge->click();
            tickTimes(mirror.scrol, 2);
            tickTimes(b.scrol, 2);
            QCOMPARE(mirror.place(), (scroll::Place{b.Picture1.left(), b.Picture1.top()}));
        }
        QCOMPARE(mirror.place(), (scroll::Place{0, 0}));  // left, right, up, down: two steps each
        QVERIFY(t.intents.isEmpty());
    }

    void onlyTheOwnPanelTakesClicksAndKeys_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("sends");
        QTest::newRow("own seat's panel") << QStringLiteral("player2") << true;
        QTest::newRow("another seat's panel") << QStringLiteral("player1") << false;
    }
    void onlyTheOwnPanelTakesClicksAndKeys()
    {
        QFETCH(QString, panel);
        QFETCH(bool, sends);
        Table t;
        QVERIFY(t.joined());
        t.send(::panel(4, panel));
        t.send(battle());
        QVERIFY(t.settled([&] { return t.session->battleMirror(); }));
        ui::MirrorWindow& shown = *t.session->mirror(panel);
        exposed(shown);
        QTest::mouseClick(shown.field(0)->widget(), Qt::LeftButton);
        QTest::keyClick(shown.field(0)->widget(), Qt::Key_Up);
        // A key on the battle window always goes: it tells the host what was heard last.
        ui::MirrorWindow& arena = *t.session->mirror(QStringLiteral("Battle"));
        exposed(arena);
        QTest::keyClick(arena.widget(), Qt::Key_Space);

        QVERIFY(t.intentArrived(sends ? 3 : 1));
        QList<net::Message> expected;
        if (sends)
            expected << net::Click{4, 0} << net::Key{4, -1, Qt::Key_Up};
        expected << net::Key{kBattle, -1, Qt::Key_Space};
        QCOMPARE(t.intents.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i)
            QVERIFY2(t.intents[i] == expected[i], qPrintable(QString::number(i)));
    }

    void aHostsMessageShowsHereAndItsOkGoesBack()
    {
        Table t;
        QVERIFY(t.joined());
        t.send(net::MessageShown{9, QStringLiteral("Ayu menang!")});
        QVERIFY(t.settled([&] { return !t.session->openMessages().empty(); }));
        QCOMPARE(t.session->openMessages(), std::vector<qint64>{9});
        // It stops nothing of a game running beside it.
        QVERIFY(!ui::messageOpen());

        t.session->pressOk(9);
        QVERIFY(t.intentArrived());
        QVERIFY(t.intents.first() == net::Message(net::MessageOk{9}));
        QVERIFY(t.session->openMessages().empty());

        // Another closes when the host says it closed elsewhere.
        t.send(net::MessageShown{10, QStringLiteral("Seri")});
        QVERIFY(t.settled([&] { return !t.session->openMessages().empty(); }));
        t.send(net::MessageClosed{10});
        QVERIFY(t.settled([&] { return t.session->openMessages().empty(); }));
        QCOMPARE(t.intents.size(), 1);
    }

    void aSessionEndsWithItsReasonAndClosesEverything_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("reason");
        QTest::newRow("the host leaves") << false << QStringLiteral("Tuan rumah menutup permainan");
        QTest::newRow("a wrong code") << true << net::words::wrongCode();
    }
    void aSessionEndsWithItsReasonAndClosesEverything()
    {
        QFETCH(bool, refused);
        QFETCH(QString, reason);
        Table t(refused ? QStringLiteral("000000") : QString());
        if (!refused) {
            QVERIFY(t.joined());
            t.send(battle());
            t.send(net::MessageShown{2, QStringLiteral("Seri")});
            QVERIFY(t.settled([&] { return !t.session->openMessages().empty(); }));
            t.host->stop();
        }
        QVERIFY(t.settled([&] { return !t.ended.isEmpty(); }));
        QCOMPARE(t.ended, reason);
        QVERIFY(t.session->mirrors().empty());
        QVERIFY(t.session->openMessages().empty());
        QVERIFY(!t.session->joined());
    }

    void aHostThatBreaksTheProtocolIsLeft_data()
    {
        QTest::addColumn<net::Message>("sent");
        net::WindowMade orphan = panel(5, QStringLiteral("player3"));
        orphan.fields[0].parent = 1;  // a container made after it
        QTest::newRow("a window that cannot be built") << net::Message(orphan);
        QTest::newRow("the same window made twice") << net::Message(battle());
        QTest::newRow("a change of an unknown window") << net::Message(net::FieldChanged{99, 0, {}});
        QTest::newRow("a field past the window's last") << net::Message(net::FieldChanged{kBattle, 4, {}});
        QTest::newRow("an unknown window gone") << net::Message(net::WindowGone{99});
        QTest::newRow("an intent") << net::Message(net::Click{kBattle, 1});
    }
    void aHostThatBreaksTheProtocolIsLeft()
    {
        QFETCH(net::Message, sent);
        Table t;
        QVERIFY(t.joined());
        t.send(battle());
        QVERIFY(t.settled([&] { return t.session->battleMirror(); }));
        t.send(sent);
        QVERIFY(t.settled([&] { return !t.ended.isEmpty(); }));
        QCOMPARE(t.ended, net::words::peerBroke());
        QVERIFY(t.session->mirrors().empty());
        QVERIFY(t.session->battleMirror() == nullptr);
        QVERIFY(QTest::qWaitFor([&] { return t.left == 1; }, 5000));
    }

    void onlyThePictureFoldersOwnFilesAreRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        QTest::newRow("the battlefield") << QStringLiteral("file:field.gif") << true;
        QTest::newRow("a character facing left") << QStringLiteral("file:32.gif") << true;
        QTest::newRow("built in") << QStringLiteral("builtin:shell") << true;
        QTest::newRow("a file the game never reads") << QStringLiteral("file:other.gif") << false;
        QTest::newRow("outside the folder") << QStringLiteral("file:../outside.gif") << false;
        QTest::newRow("a path") << QStringLiteral("file:") + QDir::tempPath() + QStringLiteral("/x.gif") << false;
        QTest::newRow("no kind") << QStringLiteral("field.gif") << false;
    }
    void onlyThePictureFoldersOwnFilesAreRead()
    {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        PictureFolder base;
        QVERIFY(QDir(base.path()).mkdir(QStringLiteral("pictures")));
        const QString folder = base.path() + QStringLiteral("/pictures");
        const QImage image = assetImage(QStringLiteral("field.gif"));
        QVERIFY(!image.isNull());
        for (const QString& file : {QStringLiteral("pictures/field.gif"), QStringLiteral("pictures/32.gif"),
                                    QStringLiteral("pictures/other.gif"), QStringLiteral("outside.gif")})
            QVERIFY(image.save(base.path() + QLatin1Char('/') + file, "PNG"));
        net::LocalPictures pictures(folder);
        QCOMPARE(!pictures.find(net::PictureName{name, {}}).isNull(), shown);
    }

    void aPictureThatDiffersFromTheHostsIsShownAndNotedOnce()
    {
        PictureFolder folder;
        QVERIFY(folder.copyAsset(QStringLiteral("field.gif")));
        net::LocalPictures pictures(folder.path());
        const net::PictureName hosts{QStringLiteral("file:field.gif"), ui::pictureFingerprint("another picture")};
        QVERIFY(!pictures.find(hosts).isNull());
        QVERIFY(!pictures.find(hosts).isNull());
        QCOMPARE(pictures.differing(), QStringList{QStringLiteral("field.gif")});

        // The name the host's ui layer gives the same file matches.
        net::LocalPictures same(folder.path());
        const auto read = ui::readPictureFile(folder.file(QStringLiteral("field.gif")));
        QVERIFY(read);
        QVERIFY(!same.find(ui::pictureName(*read)).isNull());
        QVERIFY(same.differing().isEmpty());
    }
};

QTEST_MAIN(TestJoinSession)
#include "test_join_session.moc"

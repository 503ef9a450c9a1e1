// What the players hear: the turn chime and the step in both editions, the
// "Suara" box and its remembered choice, and the audio output of a machine
// that has no audio device.
#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "setup/setup_window.h"
#include "ui/sound.h"

#include <QCheckBox>
#include <QFile>
#include <QtEndian>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every line logged while a test runs, as "category: text".
QStringList logged;
QtMessageHandler handlerBefore = nullptr;

void recordLine(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;  // the test platform cannot raise windows
    logged << QString::fromLatin1(context.category ? context.category : "default") + QStringLiteral(": ") + message;
}

// The "play" lines logged so far, each as the sound's name.
QStringList playLines()
{
    QStringList names;
    for (const QString& line : logged)
        if (line.startsWith(QLatin1String("kestrava.sound: play ")))
            names << line.mid(21);
    return names;
}

QWindow* handleOf(ui::Window& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(window.widget()))
        qWarning("window not exposed");
    return window.widget()->windowHandle();
}

// A player's click on the "Suara" box, on its tick mark.
void clickSoundBox(RosterWindow& form)
{
    const ui::CheckBox& box = form.Suara;
    QTest::mouseClick(handleOf(form), Qt::LeftButton, {},
                      windowPixel(box, QPoint(6, box.widget()->height() / 2)));
}

void moveOverBattlefield(TestGame& g) { g->Battle().Picture1.pointerMove(4000, 5000); }

// Brings the turn of `slot` as play does: in the full game the turn scheduler
// hands it over, in the wind edition the pointer over the battlefield brings
// the panel.
void bringTurn(TestGame& g, int slot)
{
    if (g->windEdition())
        moveOverBattlefield(g);
    else
        for (int i = 0; i < 1000 && !g->player(slot).visible(); ++i)
            g->Battle().timersp.tick();
    QVERIFY(g->player(slot).visible());
}

// The shell below the floor and the shot ended.
void endShot(TestGame& g)
{
    BattleWindow& battle = g->Battle();
    battle.Timer1.start();
    battle.Image1.setTop(battle.flightFloor() + 1000);
    battle.EndShot();
}

// A side step of player 1's vehicle, glided to its end.
void stepAndArrive(TestGame& g)
{
    PanelWindow& panel = g->player(0);
    panel.kanan.click();  // faces right already: a step
    QVERIFY(!panel.visible());
    tickTimes(g->Battle().Timer4, 20);
    QVERIFY(panel.visible());
}

// Player 1 shoots and the explosion destroys player 2's vehicle, and with
// `alsoShooter` player 1's too; the shell then falls below the floor.
void shootToTheEnd(TestGame& g, bool alsoShooter)
{
    fire(g->player(0), 10, 10);
    BattleWindow& battle = g->Battle();
    battle.dm2.setCaption(QStringLiteral("1000"));
    if (alsoShooter)
        battle.dm1.setCaption(QStringLiteral("1000"));
    explode(g);
    endShot(g);
}

// The time after a shot as play goes on: the scheduler's ticks and the
// pointer over the battlefield.
void playOn(TestGame& g)
{
    for (int i = 0; i < 200; ++i) {
        g->Battle().timersp.tick();
        if (i % 40 == 0)
            moveOverBattlefield(g);
    }
}

// The battle window closed, as the cover over a finished match asks, and
// gone once the event loop has run.
void closeBattle(TestGame& g)
{
    QVERIFY(g->Battle().requestClose());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QVERIFY(!g->battleExists());
}

QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* name : list)
        out << QString::fromLatin1(name);
    return out;
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home_;

private slots:
    void initTestCase()
    {
        QVERIFY(useScratchHome(home_));
        QLoggingCategory::setFilterRules(QStringLiteral("kestrava.sound.debug=true"));
        handlerBefore = qInstallMessageHandler(recordLine);
    }
    void cleanupTestCase() { qInstallMessageHandler(handlerBefore); }
    void init() { logged.clear(); }

    // The chime comes when the turn passes to a player: handed over by the
    // scheduler in the full game, at the start in the wind edition; not again
    // while the panel stays up, not when it comes back after a step.
    void turnChimesWhenATurnStarts_data() { addEditionRows(); }
    void turnChimesWhenATurnStarts()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        startDuel(g);
        QCOMPARE(g.sounds, g->windEdition() ? names({"turn"}) : QStringList());

        bringTurn(g, 0);
        QCOMPARE(g.sounds, names({"turn"}));
        moveOverBattlefield(g);
        moveOverBattlefield(g);
        QCOMPARE(g.sounds, names({"turn"}));

        stepAndArrive(g);
        moveOverBattlefield(g);
        QCOMPARE(g.sounds, names({"turn", "step"}));

        // The next turn, to player 1 again in the full game (whose turn gauge
        // stays full until they fire), to player 2 in the wind edition.
        // In the wind edition the chime comes as the shot ends, while the
        // panel still waits for the pointer over the battlefield.
        endShot(g);
        const int next = g->windEdition() ? 1 : 0;
        QVERIFY(!g->player(next).visible());
        QCOMPARE(g.sounds.size(), g->windEdition() ? 3 : 2);
        bringTurn(g, next);
        QCOMPARE(g.sounds, names({"turn", "step", "turn"}));
    }

    // A later match, on a battle window built afresh, with players 1 and 2 on
    // the same character: in the full game both gauges fill in the same tick
    // and both panels come up together; the turn passes once, one chime.
    void oneChimeAtALaterMatchsStart_data() { addEditionRows(); }
    void oneChimeAtALaterMatchsStart()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        startDuel(g);
        bringTurn(g, 0);
        shootToTheEnd(g, false);
        closeBattle(g);
        if (!g->windEdition()) {
            SetupWindow& setup = shownSelector(g, 2, 1);
            setup.Command6.click();  // "<<": player 2 on character 1, as player 1
            setup.Command16.click();
        }
        g.sounds.clear();

        g->Form1().Command5.click();  // "Start"
        playOn(g);
        // The wind edition opens with player 2, the first to lose a vehicle.
        QCOMPARE(g->player(0).visible(), !g->windEdition());
        QVERIFY(g->player(1).visible());
        QCOMPARE(g.sounds, names({"turn"}));
    }

    // Once a match has a winner or a draw, the turns that still pass (the
    // scheduler brings the winner's panel back) are silent.
    void noChimeOnceTheMatchIsDecided_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<bool>("draw");
        QTest::newRow("full game, winner") << Edition::Full << false;
        QTest::newRow("full game, draw") << Edition::Full << true;
        QTest::newRow("wind edition, winner") << Edition::Wind << false;
        QTest::newRow("wind edition, draw") << Edition::Wind << true;
    }
    void noChimeOnceTheMatchIsDecided()
    {
        QFETCH(Edition, edition);
        QFETCH(bool, draw);
        TestGame g(edition);
        startDuel(g);
        bringTurn(g, 0);
        g.sounds.clear();

        shootToTheEnd(g, draw);
        playOn(g);
        if (draw)
            QCOMPARE(g.messages.last(), QStringLiteral("Draw!"));
        else
            QVERIFY(g->player(0).visible());  // the winner's panel is back
        QCOMPARE(g.sounds.mid(0, 3), draw ? names({"fire", "kill", "kill"}) : names({"fire", "kill", "winner"}));
        QVERIFY(g.sounds.contains(draw ? QStringLiteral("draw") : QStringLiteral("winner")));
        QVERIFY(!g.sounds.contains(QStringLiteral("turn")));
    }

    // Every way a vehicle steps is heard as it starts; a press that cannot
    // step (a turn on the spot, or no points left) is silent. Both editions
    // share the panel.
    void stepIsHeardWhenAVehicleSteps_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("steps");
        QTest::newRow("right") << QStringLiteral("kanan") << true;
        QTest::newRow("up") << QStringLiteral("atas") << true;
        QTest::newRow("down") << QStringLiteral("bawah") << true;
        QTest::newRow("left turns on the spot") << QStringLiteral("kiri") << false;
    }
    void stepIsHeardWhenAVehicleSteps()
    {
        QFETCH(QString, button);
        QFETCH(bool, steps);
        TestGame g;
        startDuel(g);
        bringTurn(g, 0);
        PanelWindow& panel = g->player(0);
        ui::Button* pressed = button == QLatin1String("kanan") ? &panel.kanan
            : button == QLatin1String("atas")                  ? &panel.atas
            : button == QLatin1String("bawah")                 ? &panel.bawah
                                                               : &panel.kiri;
        pressed->click();
        QCOMPARE(g.sounds.count(QStringLiteral("step")), steps ? 1 : 0);

        panel.show();
        panel.Label3.setCaption(QStringLiteral("0"));
        g.sounds.clear();
        pressed->click();
        if (steps)
            QVERIFY(g.sounds.isEmpty());
    }

    // The box sits below the main menu, clear of every field of it, and the
    // roster covers it; it is ticked at first.
    void soundBoxSitsInFreeSpaceOfTheMenu_data() { addEditionRows(); }
    void soundBoxSitsInFreeSpaceOfTheMenu()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = g->Form1();
        form.show();
        const ui::CheckBox& box = form.Suara;
        QVERIFY(box.checked());
        QCOMPARE(qobject_cast<QCheckBox*>(box.widget())->text(), QStringLiteral("Suara"));
        QWidget* top = form.widget();
        const QRect drawn(box.widget()->mapTo(top, QPoint(0, 0)), box.widget()->size());
        QVERIFY(top->rect().contains(drawn));
        for (ui::Field* field : form.fields()) {
            if (field == &box || !field->isShown() || field->widget()->parentWidget() != top)
                continue;
            const QRect other(field->widget()->mapTo(top, QPoint(0, 0)), field->widget()->size());
            QVERIFY2(!other.intersects(drawn), qPrintable(field->widget()->objectName()));
        }
        QCOMPARE(top->childAt(drawn.center()), box.widget());

        form.Command1.click();  // "Duel 1vs1": the roster comes up over it
        QVERIFY(form.Frame2.isShown());
        QVERIFY(top->childAt(drawn.center()) != box.widget());
        form.back.click();
        QCOMPARE(top->childAt(drawn.center()), box.widget());
    }

    // With the box cleared by a player's click nothing is played or logged;
    // ticked again, the game is heard.
    void boxDecidesWhetherAnythingIsPlayed_data() { addEditionRows(); }
    void boxDecidesWhetherAnythingIsPlayed()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        clickSoundBox(g->Form1());
        QVERIFY(!g->Form1().Suara.checked());

        // A turn, a step, a shot, a kill with the winner, then a draw.
        startDuel(g);
        bringTurn(g, 0);
        stepAndArrive(g);
        fire(g->player(0), 10, 10);
        BattleWindow& battle = g->Battle();
        battle.dm2.setCaption(QStringLiteral("1000"));
        explode(g);
        battle.vehicle[0]->hide();
        moveOverBattlefield(g);
        QCOMPARE(g.messages.size(), 3);
        QCOMPARE(g.messages.last(), QStringLiteral("Draw!"));
        QVERIFY(g.sounds.isEmpty());

        g->Form1().show();
        g->Form1().back.click();
        clickSoundBox(g->Form1());
        fire(g->player(1));
        QCOMPARE(g.sounds, names({"fire"}));
    }

    // The choice is remembered from one start to the next; a muted start
    // plays nothing and leaves the remembered choice as it was.
    void choiceIsRememberedAndMuteLeavesIt_data()
    {
        QTest::addColumn<bool>("turnedOff");
        QTest::newRow("left on") << false;
        QTest::newRow("turned off") << true;
    }
    void choiceIsRememberedAndMuteLeavesIt()
    {
        QFETCH(bool, turnedOff);
        ui::rememberSoundOn(true);
        {
            TestGame g;
            g->sound().startWithRememberedChoice(false);
            QVERIFY(g->Form1().Suara.checked());
            if (turnedOff)
                clickSoundBox(g->Form1());
        }
        // Kept in the package's name, in the scratch folder.
        QVERIFY(QFile::exists(home_.filePath(QStringLiteral(".qttest/config/kestrava/kestrava.conf"))));
        {
            TestGame g;
            g->sound().startWithRememberedChoice(true);  // --mute
            QVERIFY(!g->Form1().Suara.checked());
        }
        for (int start = 0; start < 2; ++start) {
            TestGame g;
            g->sound().startWithRememberedChoice(false);
            QCOMPARE(g->Form1().Suara.checked(), !turnedOff);
        }
        // Without a start from the program (tests, the soak) a click on the
        // box is not remembered.
        {
            TestGame g;
            clickSoundBox(g->Form1());
        }
        QCOMPARE(ui::rememberedSoundOn(), !turnedOff);
    }

    // Every sound is built in: a 16-bit mono PCM WAV file at 22,050 or
    // 44,100 Hz, under 2 s, all of them together under 600 KB.
    void builtInSoundsAreShortMonoPcm()
    {
        qint64 total = 0;
        for (int i = 0; i < ui::kSoundCount; ++i) {
            const QString name = ui::soundName(static_cast<ui::Sound>(i));
            QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            const QByteArray wav = file.readAll();
            total += wav.size();
            QVERIFY(wav.size() > 44);
            QCOMPARE(wav.mid(0, 4), QByteArray("RIFF"));
            QCOMPARE(wav.mid(8, 8), QByteArray("WAVEfmt "));
            const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
            const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
            QCOMPARE(u16(20), quint16(1));  // PCM
            QCOMPARE(u16(22), quint16(1));  // mono
            QVERIFY(u32(24) == 22050 || u32(24) == 44100);
            QCOMPARE(u16(34), quint16(16));
            QCOMPARE(wav.mid(36, 4), QByteArray("data"));
            const double seconds = double(u32(40)) / 2 / u32(24);
            QVERIFY2(seconds > 0.1 && seconds < 2.0, qPrintable(name));
        }
        QVERIFY(total < 600 * 1024);
    }

    // Through the real audio output, on a machine without an audio device:
    // every sound is asked for, twice (a repeat starts over), each logged;
    // nothing fails, and at most one line says the game plays in silence.
    void everySoundReachesTheAudioOutput()
    {
        const ui::SoundPlayer recorder = ui::setSoundPlayer(nullptr);
        for (int round = 0; round < 2; ++round)
            for (int i = 0; i < ui::kSoundCount; ++i) {
                ui::playSound(static_cast<ui::Sound>(i));
                QCoreApplication::processEvents();
            }
        ui::setSoundPlayer(recorder);

        const QStringList all = names({"turn", "step", "fire", "hit", "kill", "winner", "draw"});
        QCOMPARE(playLines(), all + all);
        const QStringList others = logged.filter(QRegularExpression(QStringLiteral("^(?!kestrava\\.sound: play )")));
        QVERIFY2(others.size() <= 1, qPrintable(others.join(QLatin1Char('\n'))));
        if (!others.isEmpty())
            QVERIFY2(others.first().startsWith(QLatin1String("kestrava.sound: ")), qPrintable(others.first()));
    }
};

QTEST_MAIN(TestSound)
#include "test_sound.moc"

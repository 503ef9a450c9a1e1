// The game under a real pointer: presses, drags and releases sent through the
// window system, as a player's mouse makes them, and checked on the screen.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"

#include <QLineEdit>
#include <QSlider>
#include <QStyle>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace {

// A point of the window where the field itself, and nothing on it, is under
// the pointer, searched from the field's top-left corner.
QPoint bareSpotOf(const ui::Field& field)
{
    QWidget* window = field.widget()->window();
    for (int y = 20; y < 400; y += 10)
        for (int x = 20; x < 600; x += 10) {
            const QPoint p = windowPixel(field, {x, y});
            if (window->childAt(p) == field.widget() && window->childAt(p + QPoint(60, 60)) == field.widget())
                return p;
        }
    qWarning("no bare spot found");
    return {};
}

QWindow* handleOf(ui::Window& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(window.widget()))
        qWarning("window not exposed");
    return window.widget()->windowHandle();
}

} // namespace

class TestRealPointer : public QObject {
    Q_OBJECT

private slots:
    // Every move of a drag over the battlefield steps the next wind once and
    // carries the dial, just as moves without a button do.
    void dragOverTheBattlefieldStepsTheWindAndCarriesTheDial()
    {
        TestGame dragged;
        TestGame hovered;
        BattleWindow& b = dragged->Battle();
        BattleWindow& reference = hovered->Battle();
        QWindow* handle = handleOf(b);

        // Begins on a bare spot of the battlefield, ends wherever it goes.
        const QPoint start = bareSpotOf(b.Picture1);
        const std::vector<QPoint> path{start, start + QPoint(10, 5), start + QPoint(60, 20), start + QPoint(100, 50)};
        auto battlefieldTwips = [&](QPoint windowPixel) {
            const QPoint local = b.Picture1.widget()->mapFrom(b.widget(), windowPixel);
            return std::pair{local.x() * 15.0, local.y() * 15.0};
        };
        QTest::mouseMove(handle, path[0]);
        reference.Picture1.pointerMove(battlefieldTwips(path[0]).first, battlefieldTwips(path[0]).second);
        QTest::mousePress(handle, Qt::LeftButton, {}, path[0]);
        QStringList windsSeen;
        for (std::size_t i = 1; i < path.size(); ++i) {
            QTest::mouseMove(handle, path[i]);
            windsSeen << b.Text7.text() + QLatin1Char('/') + b.Text8.text();
            const auto [x, y] = battlefieldTwips(path[i]);
            reference.Picture1.pointerMove(x, y);
            QCOMPARE(b.Text7.text(), reference.Text7.text());
            QCOMPARE(b.Text8.text(), reference.Text8.text());
        }
        QTest::mouseRelease(handle, Qt::LeftButton, {}, path.back());

        QCOMPARE(windsSeen.size(), 3);
        QVERIFY(windsSeen[0] != windsSeen[1] || windsSeen[1] != windsSeen[2]);
        // The dial stands where the last move put it.
        QCOMPARE(b.Shape1.widget()->geometry(), reference.Shape1.widget()->geometry());
        QCOMPARE(b.Shape2.widget()->geometry(), reference.Shape2.widget()->geometry());
    }

    // A drag that begins on the battlefield stops the scrolling; one that
    // begins on an edge button belongs to that button and leaves it running.
    void dragsStopScrollingOnlyFromTheBattlefield()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        QWindow* handle = handleOf(b);

        b.frame4.click();
        QCOMPARE(b.scrol1.caption(), QStringLiteral("kanan"));
        const QPoint onEdge = windowPixel(b.frame4, {5, 40});
        const QPoint onField = bareSpotOf(b.Picture1);
        QTest::mousePress(handle, Qt::LeftButton, {}, onEdge);
        QTest::mouseMove(handle, onEdge - QPoint(100, 0));
        QTest::mouseMove(handle, onField);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onField);
        QCOMPARE(b.scrol1.caption(), QStringLiteral("kanan"));
        b.scrol.tick();
        QCOMPARE(b.Picture1.left(), -100.0);

        QTest::mousePress(handle, Qt::LeftButton, {}, onField);
        QTest::mouseMove(handle, onField + QPoint(4, 4));
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onField + QPoint(4, 4));
        b.scrol.tick();
        QCOMPARE(b.Picture1.left(), -100.0);
    }

    // With the selector open for player 2, the roster beneath it is disabled:
    // a real click on player 1's picture changes nothing being edited.
    void rosterPicturesIgnoreClicksWhileTheSelectorIsOpen()
    {
        TestGame g;
        SetupWindow& s = g->setup();
        QWindow* handle = handleOf(s);
        QTest::mouseClick(handle, Qt::LeftButton, {}, windowPixel(s.Command3, {20, 10}));
        QVERIFY(s.Frame2.isShown());
        QTest::mouseClick(handle, Qt::LeftButton, {}, windowPixel(s.Image2, {10, 10}));
        QVERIFY(s.Frame5.isShown());
        QCOMPARE(s.Label8.caption(), QStringLiteral("(player2)"));
        s.Command7.click();
        s.Text6.type(QStringLiteral("Sari"));
        const QString browsed = s.Label10.caption();

        const QPoint onPlayer1 = windowPixel(s.Image1, {10, 10});
        QVERIFY(s.widget()->childAt(onPlayer1) == s.Image1.widget());
        QTest::mousePress(handle, Qt::LeftButton, {}, onPlayer1);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onPlayer1);

        QCOMPARE(s.Label8.caption(), QStringLiteral("(player2)"));
        QCOMPARE(s.Label10.caption(), browsed);
        QCOMPARE(s.Text6.text(), QStringLiteral("Sari"));
        QVERIFY(s.Frame5.isShown());
    }

    // Holding the mouse on a roster picture while the selector is open, then
    // closing the selector from the keyboard and releasing: the press began
    // on a disabled picture, so the release opens nothing.
    void aPressHeldAcrossTheSelectorClosingIsNoClick()
    {
        TestGame g;
        SetupWindow& s = g->setup();
        QWindow* handle = handleOf(s);
        QTest::mouseClick(handle, Qt::LeftButton, {}, windowPixel(s.Command3, {20, 10}));
        QTest::mouseClick(handle, Qt::LeftButton, {}, windowPixel(s.Image2, {10, 10}));
        QVERIFY(s.Frame5.isShown());

        const QPoint onPlayer1 = windowPixel(s.Image1, {10, 10});
        QTest::mousePress(handle, Qt::LeftButton, {}, onPlayer1);
        s.Command16.widget()->setFocus();  // "OK"
        QTest::keyClick(s.Command16.widget(), Qt::Key_Space);
        QVERIFY(!s.Frame5.isShown());
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onPlayer1);
        QVERIFY(!s.Frame5.isShown());

        // A whole click on the enabled picture still opens the selector.
        QTest::mouseClick(handle, Qt::LeftButton, {}, onPlayer1);
        QVERIFY(s.Frame5.isShown());
        QCOMPARE(s.Label8.caption(), QStringLiteral("(player1)"));
    }

    // The guide-line scale's handle follows a drag in both editions, and the
    // next aim draws its guide line at the scale it was dragged to.
    void theGuideLineScaleFollowsADrag_data() { addEditionRows(); }
    void theGuideLineScaleFollowsADrag()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = g->Form1();
        QWindow* handle = handleOf(form);
        form.Command1.click();  // "Duel 1vs1" shows the roster
        auto* slider = static_cast<QSlider*>(form.Slider1.widget());
        QCOMPARE(slider->value(), 70);
        const QPoint grab = sliderHandleCentre(slider);
        const int knobWidth = sliderHandleWidth(slider);
        const QPoint dropped = slider->mapTo(slider->window(), QPoint(slider->width() / 4, slider->height() / 2));
        QTest::mousePress(handle, Qt::LeftButton, {}, grab);
        QTest::mouseMove(handle, grab - QPoint(5, 0));
        QTest::mouseMove(handle, dropped);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, dropped);
        const int expected = QStyle::sliderValueFromPosition(
            0, 100, slider->mapFrom(slider->window(), dropped).x() - knobWidth / 2, slider->width() - knobWidth);
        QVERIFY(slider->value() < 70);
        QVERIFY(qAbs(slider->value() - expected) <= 1);
        QCOMPARE(form.Slider1.value(), slider->value());

        // The guide line of the next aim uses the new scale.
        form.Command5.click();  // "Start"
        PanelWindow& panel = g->player(0);
        panel.show();
        panel.Command1.click();
        tickTimes(panel.Timer2, 4);
        const BattleWindow& b = g->Battle();
        QCOMPARE(b.Line1.x2() - b.Line1.x1(), 4.0 * form.Slider1.value());
    }

    // The guide-line scale lets go of the pointer at the release: moves with
    // no button held, swept across the whole scale afterwards, leave it where
    // the press and release put it, and so does the time a held press on the
    // groove would take to walk the handle. A click on the groove moves one
    // large step (5) towards the pointer.
    void theGuideLineScaleLetsGoAtTheRelease_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<QString>("press");  // "handle", or a fraction of the scale's width
        QTest::addColumn<bool>("dragged");
        QTest::addColumn<int>("expected");   // -1: wherever the drag left it, below 70
        for (const auto& [edition, name] : {std::pair{Edition::Full, "full game"}, {Edition::Wind, "wind edition"}}) {
            const QByteArray prefix = QByteArray(name) + ", ";
            QTest::newRow(prefix + "drag of the handle") << edition << QStringLiteral("handle") << true << -1;
            QTest::newRow(prefix + "click on the handle") << edition << QStringLiteral("handle") << false << 70;
            QTest::newRow(prefix + "click on the groove, left") << edition << QStringLiteral("0.1") << false << 65;
            QTest::newRow(prefix + "click on the groove, right") << edition << QStringLiteral("0.95") << false << 75;
        }
    }
    void theGuideLineScaleLetsGoAtTheRelease()
    {
        QFETCH(Edition, edition);
        QFETCH(QString, press);
        QFETCH(bool, dragged);
        QFETCH(int, expected);
        TestGame g(edition);
        RosterWindow& form = g->Form1();
        QWindow* handle = handleOf(form);
        form.Command1.click();  // "Duel 1vs1" shows the roster
        auto* slider = static_cast<QSlider*>(form.Slider1.widget());
        QCOMPARE(slider->value(), 70);
        auto along = [&](double fraction) { return sliderGrooveAt(slider, fraction); };
        const QPoint at = press == QStringLiteral("handle") ? sliderHandleCentre(slider) : along(press.toDouble());
        QTest::mouseMove(handle, at);
        QTest::mousePress(handle, Qt::LeftButton, {}, at);
        QPoint released = at;
        if (dragged) {
            QTest::mouseMove(handle, at - QPoint(5, 0));
            released = along(0.3);
            QTest::mouseMove(handle, released);
        }
        QTest::mouseRelease(handle, Qt::LeftButton, {}, released);
        const int let = form.Slider1.value();
        if (expected >= 0)
            QCOMPARE(let, expected);
        else
            QVERIFY(let < 70);

        // Swept from one end of the scale to the other and back, no button held.
        for (double fraction : {0.05, 0.25, 0.5, 0.75, 0.98, 0.6, 0.1})
            QTest::mouseMove(handle, along(fraction));
        // A press held on the groove repeats its step after half a second.
        QTest::qWait(800);
        QCOMPARE(slider->value(), let);
        QCOMPARE(form.Slider1.value(), let);
    }

    // Dragging across a name field selects its text, as in any text field.

    void dragAcrossANameSelectsIt()
    {
        TestGame g;
        RosterWindow& form = g->Form1();
        QWindow* handle = handleOf(form);
        form.Command1.click();
        auto* edit = static_cast<QLineEdit*>(form.Text1.widget());
        QCOMPARE(edit->text(), QStringLiteral("Player1"));
        const QPoint from = windowPixel(form.Text1, {2, edit->height() / 2});
        const QPoint to = windowPixel(form.Text1, {edit->width() - 2, edit->height() / 2});
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(handle, from + QPoint(10, 0));
        QTest::mouseMove(handle, to);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
        QCOMPARE(edit->selectedText(), QStringLiteral("Player1"));
        QCOMPARE(form.Text1.text(), QStringLiteral("Player1"));
    }

    // A desktop that inserts accelerator marks into every button and label
    // changes nothing in play: a whole turn (a step, a turn, three fire
    // presses and a hit) goes exactly as it does without the marks.
    void acceleratorMarksChangeNoPlay()
    {
        auto playTurn = [](bool marked) {
            TestGame g;
            startDuel(g);
            BattleWindow& b = g->Battle();
            PanelWindow& panel = g->player(0);
            auto mark = [&] {
                if (marked) {
                    QVERIFY(insertAcceleratorMarks(panel.widget()) > 0);
                    insertAcceleratorMarks(b.widget());
                }
            };
            QStringList seen;
            auto look = [&] {
                seen << panel.Label1.caption() + QLatin1Char('|') + panel.Label3.caption() + QLatin1Char('|')
                            + panel.Command1.caption() + QLatin1Char('|') + b.lr.caption() + QLatin1Char('|')
                            + QString::number(b.Image3.left()) + QLatin1Char('|') + b.dm2.caption();
            };
            for (int tick = 0; tick < 200 && !panel.visible(); ++tick)
                b.timersp.tick();
            mark();
            panel.kanan.click();  // a step to the right
            for (int tick = 0; tick < 20 && !panel.visible(); ++tick)
                b.Timer4.tick();
            mark();
            look();
            panel.kiri.click();  // turn left
            mark();
            look();
            panel.kanan.click();  // and back to the right
            mark();
            look();
            panel.Command1.click();
            mark();
            tickTimes(panel.Timer2, 50);
            look();
            panel.Command1.click();
            mark();
            tickTimes(panel.Timer6, 50);
            look();
            panel.Command1.click();
            mark();
            look();
            for (int tick = 0; tick < 300 && !b.beledug.enabled(); ++tick)
                b.Timer1.tick();
            look();
            return seen;
        };
        const QStringList plain = playTurn(false);
        const QStringList marked = playTurn(true);
        QCOMPARE(marked, plain);
        // The turn really stepped, turned, aimed and hit.
        QCOMPARE(plain.size(), 7);
        QVERIFY(plain.at(1).startsWith(QStringLiteral("kiri|")));
        QVERIFY(plain.at(3).contains(QStringLiteral("|far ok|")));
        QVERIFY(plain.at(4).contains(QStringLiteral("|high ok|")));
        QVERIFY(plain.at(5).contains(QStringLiteral("|tembak|kanan|")));
        QVERIFY(!plain.at(6).endsWith(QStringLiteral("|0")));
    }

    // The name under the selector's preview is the application's own face,
    // bold, 12 point.
    void selectorNameUsesTheApplicationFace()
    {
        TestGame g;
        const QFont shown = g->setup().Label9.widget()->font();
        QCOMPARE(shown.family(), QApplication::font().family());
        QVERIFY(shown.bold());
        QCOMPARE(shown.pointSize(), 12);
    }
};

QTEST_MAIN(TestRealPointer)
#include "test_real_pointer.moc"

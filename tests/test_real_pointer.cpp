// The game under a real pointer: presses, drags and releases sent through the
// window system, as a player's mouse makes them, and checked on the screen.

#include "test_support.h"

#include "battle/battle_window.h"
#include "setup/setup_window.h"

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

// Faults that the soak (tests/soak) found, each kept as the shortest sequence
// that shows it. Several of them only fail loudly in the sanitizer build
// (scripts/test.sh runs this suite there too).

#include "test_support.h"

#include "battle/battle_window.h"
#include "score/score_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTest>

class TestRegressions : public QObject {
    Q_OBJECT

private slots:
    // A shell blown very far by a typed wind: its place is kept exactly, and
    // drawing it never overflows the widgets' pixel arithmetic (the sanitizer
    // build reported an overflow inside QRect).
    void aFieldFarOffTheScreenKeepsItsPlaceAndIsDrawnSafely()
    {
        TestGame g;
        ui::Sprite& shell = g->Battle().Image1;
        shell.move(32212254720.0, -32212254720.0);
        QCOMPARE(shell.left(), 32212254720.0);
        QCOMPARE(shell.top(), -32212254720.0);
        QCOMPARE(shell.widget()->x(), 1 << 24);
        QCOMPARE(shell.widget()->y(), -(1 << 24));
        shell.move(600, 300);
        QCOMPARE(shell.widget()->pos(), QPoint(40, 20));
    }

    // A battle window or score board closed by its close control is deleted
    // once the event loop runs again. A game that ends before that (the
    // player closes the battle window and then quits) must take the pending
    // deletion with it: the event loop must not reach into the gone game.
    void windowsClosedJustBeforeTheGameEndsAreNotTouchedAfterIt()
    {
        {
            TestGame g;
            g->Battle().show();
            g->Score().show();
            QVERIFY(g->Battle().requestClose());
            QVERIFY(g->Score().requestClose());
            QVERIFY(!g->battleExists());
            QVERIFY(!g->scoreExists());
        }
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // While the game lives, a closed window is gone once the event loop has
    // run, and the next touch builds a fresh one.
    void closedWindowsAreDeletedOnceTheEventLoopRuns()
    {
        TestGame g;
        g->Battle().show();
        QVERIFY(g->Battle().requestClose());
        QCoreApplication::sendPostedEvents();
        // Only the setup window is left.
        QCOMPARE(QApplication::topLevelWidgets().size(), qsizetype(1));
        g->Battle();
        QCOMPARE(QApplication::topLevelWidgets().size(), qsizetype(2));
    }
};

QTEST_MAIN(TestRegressions)
#include "test_regressions.moc"

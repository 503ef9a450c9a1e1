// Which player the turn marker names, as every handler that acts for the
// current player reads it.

#include "test_support.h"

#include <QtTest>

#include <optional>

class TestTurnSlot : public QObject {
    Q_OBJECT

private slots:
    void markerNamesASlotOnlyAsAWholeNumberFrom0To3_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<int>("slot");  // -1: nobody
        QTest::newRow("player 1") << "0" << 0;
        QTest::newRow("player 4") << "3" << 3;
        QTest::newRow("between turns") << "-1" << -1;
        QTest::newRow("past the last slot") << "4" << -1;
        QTest::newRow("a fraction") << "2.5" << -1;
        QTest::newRow("blanks around") << " 2 " << 2;
        QTest::newRow("written as a decimal") << "1.0" << 1;
        QTest::newRow("exponent") << "3e0" << 3;
        QTest::newRow("minus zero") << "-0" << 0;
        // Text that is no number reads as 0, like every number field.
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("letters") << "dua" << 0;
    }
    void markerNamesASlotOnlyAsAWholeNumberFrom0To3()
    {
        QFETCH(QString, marker);
        QFETCH(int, slot);
        TestGame g;
        g->setTurnMarker(marker);
        const std::optional<int> expected = slot < 0 ? std::nullopt : std::optional<int>(slot);
        QCOMPARE(g->turnSlot(), expected);
    }

    void askingMakesPlayer1ItsFirstMarker()
    {
        // Between turns in the full game; player 1 opens the wind edition.
        TestGame full;
        QVERIFY(!full->panelExists(0));
        QCOMPARE(full->turnSlot(), std::nullopt);
        QVERIFY(full->panelExists(0));

        TestGame wind(Edition::Wind);
        QCOMPARE(wind->turnSlot(), std::optional<int>(0));
    }
};

QTEST_MAIN(TestTurnSlot)
#include "test_turn_slot.moc"

// The state the game keeps as text, as its readers give it: which player the
// turn marker names, the fire button's stage, the facings, and which windows
// exist.

#include "test_support.h"

#include "app/game_words.h"
#include "battle/battle_window.h"
#include "panel/panel_window.h"

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

    // Only the game's own words are a stage or a facing: a caption that
    // differs in case or by a blank is neither.
    void fireStageAndFacingReadOnlyTheirWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stage");   // a words::FireStage, -1: none
        QTest::addColumn<int>("facing");  // a words::Facing, -1: none
        QTest::newRow("tembak") << "tembak" << int(words::FireStage::Ready) << -1;
        QTest::newRow("far ok") << "far ok" << int(words::FireStage::FarRising) << -1;
        QTest::newRow("high ok") << "high ok" << int(words::FireStage::HighRising) << -1;
        QTest::newRow("kanan") << "kanan" << -1 << int(words::Facing::Right);
        QTest::newRow("kiri") << "kiri" << -1 << int(words::Facing::Left);
        QTest::newRow("capital") << "Tembak" << -1 << -1;
        QTest::newRow("trailing blank") << "kanan " << -1 << -1;
        QTest::newRow("empty") << "" << -1 << -1;
    }
    void fireStageAndFacingReadOnlyTheirWords()
    {
        QFETCH(QString, text);
        QFETCH(int, stage);
        QFETCH(int, facing);
        TestGame g;
        PanelWindow& panel = g->player(1);
        panel.Command1.setCaption(text);
        panel.Label1.setCaption(text);
        g->Battle().lr.setCaption(text);
        const auto expectedStage = stage < 0 ? std::nullopt : std::optional(static_cast<words::FireStage>(stage));
        const auto expectedFacing = facing < 0 ? std::nullopt : std::optional(static_cast<words::Facing>(facing));
        QCOMPARE(panel.fireStage(), expectedStage);
        QCOMPARE(panel.facing(), expectedFacing);
        QCOMPARE(g->Battle().shotFacing(), expectedFacing);
        QCOMPARE(panel.facesRight(), expectedFacing == words::Facing::Right);
    }

    // Each press of the fire button moves the stage on; the third launches,
    // hands the turn on and makes the button ready again.
    void fireStageFollowsThePresses()
    {
        TestGame g;
        startDuel(g);
        PanelWindow& panel = g->player(0);
        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::Ready));
        panel.fireClick();
        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::FarRising));
        panel.fireClick();
        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::HighRising));
        panel.fireClick();
        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::Ready));
        QCOMPARE(g->turnSlot(), std::optional<int>(0));
    }

    // The windows that exist, in one order whatever order they were made in;
    // asking makes none, and a closed window leaves the list.
    void liveWindowsListsWhatExistsInOneOrder()
    {
        TestGame g;
        auto names = [&g] {
            QStringList list;
            for (const Game::LiveWindow& live : g->liveWindows())
                list << QString::fromLatin1(live.name);
            return list;
        };
        QCOMPARE(names(), QStringList{QStringLiteral("Form1")});
        g->Score();
        g->player(2);
        g->Battle();
        g->player(0);
        QCOMPARE(names(), (QStringList{QStringLiteral("Form1"), QStringLiteral("Battle"), QStringLiteral("player1"),
                                       QStringLiteral("player3"), QStringLiteral("Score")}));
        QCOMPARE(g->liveWindows().at(3).window, &g->player(2));
        g->discardBattle();
        QCOMPARE(names(), (QStringList{QStringLiteral("Form1"), QStringLiteral("player1"), QStringLiteral("player3"),
                                       QStringLiteral("Score")}));
        QVERIFY(!g->battleExists());
    }
};

QTEST_MAIN(TestTurnSlot)
#include "test_turn_slot.moc"

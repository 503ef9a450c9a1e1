#include "test_support.h"

#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTest>
#include <QWidget>

namespace {

QStringList names(ScoreWindow& board)
{
    QStringList out;
    for (auto* field : board.nameText)
        out << field->text();
    return out;
}

QStringList scores(ScoreWindow& board)
{
    QStringList out;
    for (auto* field : board.scoreText)
        out << field->text();
    return out;
}

const QStringList kDesignNames{QStringLiteral("Text1"), QStringLiteral("Text2"), QStringLiteral("Text3"), QStringLiteral("Text4")};
const QStringList kZeroScores{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};

// Gives the setup window's names and the panels' scores recognisable values.
void setNamesAndScores(Game& game, const QStringList& newNames, const QStringList& newScores)
{
    for (int slot = 0; slot < 4; ++slot) {
        game.Form1().nameField[slot]->setText(newNames[slot]);
        game.player(slot).score1.setCaption(newScores[slot]);
    }
}

// Lets the game delete a discarded window, as the event loop would.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestScoreWindow : public QObject {
    Q_OBJECT

private slots:
    void designValues()
    {
        TestGame g;
        ScoreWindow& board = g->Score();
        QCOMPARE(board.caption(), QStringLiteral("Score:"));
        QCOMPARE(board.clientWidth(), 5190.0);
        QCOMPARE(board.clientHeight(), 4500.0);
        QVERIFY(!board.visible());
        QCOMPARE(static_cast<QAbstractButton*>(board.Check1.widget())->text(), QStringLiteral("Baca Score"));
        QVERIFY(board.Check1.checked());
        QCOMPARE(board.Timer1.interval(), 1000);
        QVERIFY(board.Timer1.enabled());
        QCOMPARE(board.Command1.caption(), QStringLiteral("OK"));

        const std::array<ui::Frame*, 4> rows{&board.Frame1, &board.Frame2, &board.Frame3, &board.Frame4};
        for (int slot = 0; slot < 4; ++slot) {
            QCOMPARE(rows[slot]->caption(), QString());
            QCOMPARE(rows[slot]->top(), 480.0 + 840 * slot);
            QCOMPARE(&board.nameText[slot]->container(), static_cast<ui::Container*>(rows[slot]));
            QCOMPARE(&board.scoreText[slot]->container(), static_cast<ui::Container*>(rows[slot]));
            QCOMPARE(board.scoreText[slot]->left(), 2280.0);
        }
        QCOMPARE(board.Text3.width(), 1935.0);
        QCOMPARE(board.Text4.width(), 1815.0);
        QCOMPARE(board.text3q.width(), 1815.0);
        QCOMPARE(board.Text4q.width(), 1935.0);
        QCOMPARE(names(board), kDesignNames);
        QCOMPARE(scores(board), kZeroScores);
    }

    void firstTickMirrorsSetupNamesAndPanelScores()
    {
        TestGame g;
        g->Score().show();
        QCOMPARE(names(g->Score()), kDesignNames);
        QCOMPARE(scores(g->Score()), kZeroScores);

        g->Score().Timer1.tick();
        QCOMPARE(names(g->Score()), (QStringList{QStringLiteral("Player1"), QStringLiteral("Player2"), QStringLiteral("Player3"), QStringLiteral("Player4")}));
        QCOMPARE(scores(g->Score()), kZeroScores);
        // Reading the panels creates them without showing them.
        for (int slot = 0; slot < 4; ++slot) {
            QVERIFY(g->panelExists(slot));
            QVERIFY(!g->player(slot).visible());
        }

        setNamesAndScores(*g, {QStringLiteral("Ani"), QStringLiteral("Budi"), QStringLiteral("Citra"), QStringLiteral("Dewi")}, {QStringLiteral("150"), QStringLiteral("0"), QStringLiteral("40000"), QStringLiteral("-50")});
        g->Score().Timer1.tick();
        QCOMPARE(names(g->Score()), (QStringList{QStringLiteral("Ani"), QStringLiteral("Budi"), QStringLiteral("Citra"), QStringLiteral("Dewi")}));
        QCOMPARE(scores(g->Score()), (QStringList{QStringLiteral("150"), QStringLiteral("0"), QStringLiteral("40000"), QStringLiteral("-50")}));
        QVERIFY(g->Score().Timer1.enabled());
    }

    void windEditionMirrorsItsOwnSetupWindow()
    {
        TestGame g(Edition::Wind);
        setNamesAndScores(*g, {QStringLiteral("W1"), QStringLiteral("W2"), QStringLiteral("W3"), QStringLiteral("W4")}, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
        g->Score().Timer1.tick();
        QCOMPARE(names(g->Score()), (QStringList{QStringLiteral("W1"), QStringLiteral("W2"), QStringLiteral("W3"), QStringLiteral("W4")}));
        QCOMPARE(scores(g->Score()), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")}));
    }

    void tickWithTheBoxClearedStopsAfterCopying()
    {
        // The box cleared without a click (the timer still runs): that tick
        // still copies, then stops the copying.
        TestGame g;
        setNamesAndScores(*g, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, {QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40")});
        g->Score().Check1.setChecked(false);
        QVERIFY(g->Score().Timer1.enabled());
        g->Score().Timer1.tick();
        QCOMPARE(scores(g->Score()), (QStringList{QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40")}));
        QVERIFY(!g->Score().Timer1.enabled());

        g->player(1).score1.setCaption(QStringLiteral("70"));
        g->Score().Timer1.tick();
        QCOMPARE(g->Score().Text2q.text(), QStringLiteral("20"));
    }

    void namesTypedIntoTheBoardAreOverwritten()
    {
        TestGame g;
        g->Score().show();
        g->Score().Timer1.tick();
        g->Score().Text2.type(QStringLiteral("Someone"));
        g->Score().Text2q.type(QStringLiteral("999"));
        QCOMPARE(g->Score().Text2.text(), QStringLiteral("Someone"));
        g->Score().Timer1.tick();
        QCOMPARE(g->Score().Text2.text(), QStringLiteral("Player2"));
        QCOMPARE(g->Score().Text2q.text(), QStringLiteral("0"));
    }

    void okHidesAndMirroringGoesOn()
    {
        TestGame g;
        g->Score().show();
        QVERIFY(g->Score().visible());
        g->Score().Command1.click();
        QVERIFY(!g->Score().visible());
        QVERIFY(g->Score().Timer1.enabled());

        g->player(2).score1.setCaption(QStringLiteral("250"));
        g->Score().Timer1.tick();
        QCOMPARE(g->Score().text3q.text(), QStringLiteral("250"));
        QVERIFY(!g->Score().visible());
    }

    void closingDiscardsTheBoard()
    {
        TestGame g;
        setNamesAndScores(*g, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, {QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("400")});
        g->Score().show();
        g->Score().Timer1.tick();
        g->Score().Check1.click();
        g->Score().Text1q.type(QStringLiteral("5"));
        QCOMPARE(g->Score().Text1q.text(), QStringLiteral("5"));

        QVERIFY(g->Score().requestClose());
        QVERIFY(!g->scoreExists());
        settle();

        // Built afresh with its design values at the next touch.
        ScoreWindow& board = g->Score();
        QVERIFY(!board.visible());
        QCOMPARE(names(board), kDesignNames);
        QCOMPARE(scores(board), kZeroScores);
        QVERIFY(board.Check1.checked());
        QVERIFY(board.Timer1.enabled());
        // Its first tick copies the panel scores back.
        board.Timer1.tick();
        QCOMPARE(scores(g->Score()), (QStringList{QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("400")}));
    }

    void closeControlOfTheWindowSystemDiscardsToo()
    {
        TestGame g;
        g->Score().show();
        g->Score().Text4q.type(QStringLiteral("77"));
        QVERIFY(g->Score().widget()->close());
        QVERIFY(!g->scoreExists());
        settle();
        QCOMPARE(g->Score().Text4q.text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestScoreWindow)
#include "test_score_window.moc"

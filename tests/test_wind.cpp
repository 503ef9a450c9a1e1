// The wind: its two rings, the dial that follows the pointer, the dial's
// colour cycle and arrow, and the wind text.

#include "test_support.h"
#include "wind_rings.h"

#include "battle/battle_window.h"
#include "ui/number_text.h"

#include <QTest>

#include <set>
#include <utility>

class TestWind : public QObject {
    Q_OBJECT

private slots:
    void ringsStepTogetherAndCloseOnThemselves()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        for (std::size_t i = 1; i <= kHorizontalWindRing.size(); ++i) {
            b.AdvanceNextWind();
            QCOMPARE(b.Text7.text(), numtext::text(kHorizontalWindRing[i % kHorizontalWindRing.size()]));
            QCOMPARE(b.Text8.text(), numtext::text(kVerticalWindRing[i % kVerticalWindRing.size()]));
        }
    }

    void pairOfNextWindsRepeatsEvery306Moves()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        std::set<std::pair<QString, QString>> seen;
        for (int move = 0; move < 306; ++move) {
            seen.insert({b.Text7.text(), b.Text8.text()});
            b.AdvanceNextWind();
        }
        QCOMPARE(seen.size(), std::size_t{306});
        QCOMPARE(b.Text7.text(), QStringLiteral("0"));
        QCOMPARE(b.Text8.text(), QStringLiteral("5"));
    }

    void valuesOffTheRingsStartThemAgain_data()
    {
        QTest::addColumn<QString>("next7");
        QTest::addColumn<QString>("next8");
        QTest::addColumn<QString>("after7");
        QTest::addColumn<QString>("after8");
        QTest::newRow("off both rings") << "7" << "7" << "0" << "5";
        QTest::newRow("last values wrap") << "31" << "31" << "0" << "5";
        QTest::newRow("0 is only on the horizontal ring") << "0" << "0" << "5" << "5";
        QTest::newRow("compared as numbers") << "5.0" << " -1 " << "-1" << "-9";
        QTest::newRow("not a number reads as 0") << "wind" << "" << "5" << "5";
    }

    void valuesOffTheRingsStartThemAgain()
    {
        QFETCH(QString, next7);
        QFETCH(QString, next8);
        QFETCH(QString, after7);
        QFETCH(QString, after8);
        TestGame g;
        BattleWindow& b = g->Battle();
        b.Text7.setText(next7);
        b.Text8.setText(next8);
        b.AdvanceNextWind();
        QCOMPARE(b.Text7.text(), after7);
        QCOMPARE(b.Text8.text(), after8);
    }

    void dialFollowsThePointer_data()
    {
        QTest::addColumn<bool>("wind");
        QTest::addColumn<QPointF>("line");       // both ends of the arrow
        QTest::addColumn<QPointF>("innerRing");  // the top-left corners of Shape2,
        QTest::addColumn<QPointF>("outerRing");  // Shape1
        QTest::addColumn<QPointF>("caption");    // and the dial's caption
        QTest::newRow("full game") << false << QPointF(1300, 1500) << QPointF(1180, 1380) << QPointF(1060, 1260)
                                   << QPointF(1060, 1020);
        QTest::newRow("wind edition: sideways only")
            << true << QPointF(1000, 1920) << QPointF(880, 1800) << QPointF(760, 1680) << QPointF(760, 1320);
    }

    void dialFollowsThePointer()
    {
        QFETCH(bool, wind);
        QFETCH(QPointF, line);
        QFETCH(QPointF, innerRing);
        QFETCH(QPointF, outerRing);
        QFETCH(QPointF, caption);
        TestGame g(wind ? Edition::Wind : Edition::Full);
        BattleWindow& b = g->Battle();
        b.PlaceWindDial(1000, 4000);
        QCOMPARE(QPointF(b.angi1.x1(), b.angi1.y1()), line);
        QCOMPARE(QPointF(b.angi1.x2(), b.angi1.y2()), line);
        QCOMPARE(QPointF(b.Shape2.left(), b.Shape2.top()), innerRing);
        QCOMPARE(QPointF(b.Shape1.left(), b.Shape1.top()), outerRing);
        // The wind edition's dial carries its own caption, Label4; Label2
        // stays in the wind frame.
        const ui::Label& dialCaption = wind ? b.Label4 : b.Label2;
        QCOMPARE(QPointF(dialCaption.left(), dialCaption.top()), caption);
        if (wind)
            QCOMPARE(b.Label2.left(), 480.0);
    }

    void dialCyclesColoursAndPointsWithTheWind_data()
    {
        QTest::addColumn<bool>("wind");
        QTest::addColumn<QList<unsigned>>("cycle");
        QTest::newRow("full game, five colours")
            << false << QList<unsigned>{0x000000, 0x80FFFF, 0xFF0000, 0x0000FF, 0xFFFFFF, 0x000000};
        QTest::newRow("wind edition, four colours")
            << true << QList<unsigned>{0x000000, 0x80FFFF, 0xFF0000, 0x0000FF, 0x000000};
    }

    void dialCyclesColoursAndPointsWithTheWind()
    {
        QFETCH(bool, wind);
        QFETCH(QList<unsigned>, cycle);
        TestGame g(wind ? Edition::Wind : Edition::Full);
        BattleWindow& b = g->Battle();
        b.Text3.setText(QStringLiteral("-15"));
        b.Text4.setText(QStringLiteral("20"));
        ui::Label& caption = wind ? b.Label4 : b.Label2;
        QCOMPARE(b.angi1.colour(), ui::kWhite);

        for (unsigned colour : cycle) {
            b.Tangin.tick();
            QCOMPARE(b.angi1.colour(), colour);
            QCOMPARE(b.Shape1.colour(), colour);
            QCOMPARE(b.Shape2.colour(), colour);
            QCOMPARE(caption.foreColour(), colour);
            QCOMPARE(b.angi1.x2(), b.angi1.x1() - 150);
            QCOMPARE(b.angi1.y2(), b.angi1.y1() - 200);
        }

        // A colour of no state becomes black.
        b.angi1.setColour(0x123456);
        b.Tangin.tick();
        QCOMPARE(b.angi1.colour(), ui::kBlack);
    }

    void windTextShowsTheDirection_data()
    {
        QTest::addColumn<bool>("wind");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("text");
        QTest::newRow("against") << false << "-15" << "<== -15";
        QTest::newRow("with") << false << "20" << "20 ==>";
        QTest::newRow("calm") << false << "0" << "0";
        // The wind edition writes "<==" without a blank at the end of a shot,
        // but the score button's pointer move keeps the blank.
        QTest::newRow("wind edition, against") << true << "-9" << "<== -9";
    }

    void windTextShowsTheDirection()
    {
        QFETCH(bool, wind);
        QFETCH(QString, current);
        QFETCH(QString, text);
        TestGame g(wind ? Edition::Wind : Edition::Full);
        BattleWindow& b = g->Battle();
        b.Text3.setText(current);
        b.Command1.pointerMove(0, 0);
        QCOMPARE(b.Label5.caption(), text);
    }
};

QTEST_MAIN(TestWind)
#include "test_wind.moc"

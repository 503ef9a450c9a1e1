// The wind: its two rings, the dial that follows the pointer, the dial's
// colour cycle and arrow, and the wind texts.

#include "test_support.h"
#include "wind_rings.h"

#include "battle/battle_window.h"
#include "ui/number_text.h"

#include <QTest>

#include <set>
#include <utility>

namespace {

// The next wind the wind frame shows: sideways (Text7) and upwards (Text8).
using WindTexts = std::pair<QString, QString>;

WindTexts winds(const char* sideways, const char* upwards)
{
    return {QString::fromUtf8(sideways), QString::fromUtf8(upwards)};
}

WindTexts nextWind(BattleWindow& b) { return {b.Text7.text(), b.Text8.text()}; }

void setNextWind(BattleWindow& b, const WindTexts& next)
{
    b.Text7.setText(next.first);
    b.Text8.setText(next.second);
}

} // namespace

class TestWind : public QObject {
    Q_OBJECT

private slots:
    void ringsStepTogetherAndCloseOnThemselves()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        for (std::size_t i = 1; i <= kHorizontalWindRing.size(); ++i) {
            b.AdvanceNextWind();
            QCOMPARE(nextWind(b), WindTexts(numtext::text(kHorizontalWindRing[i % kHorizontalWindRing.size()]),
                                            numtext::text(kVerticalWindRing[i % kVerticalWindRing.size()])));
        }
    }

    void pairOfNextWindsRepeatsEvery306Moves()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        std::set<WindTexts> seen;
        for (int move = 0; move < 306; ++move) {
            seen.insert(nextWind(b));
            b.AdvanceNextWind();
        }
        QCOMPARE(seen.size(), std::size_t{306});
        QCOMPARE(nextWind(b), winds("0", "5"));
    }

    void valuesOffTheRingsStartThemAgain_data()
    {
        QTest::addColumn<WindTexts>("next");
        QTest::addColumn<WindTexts>("after");
        QTest::newRow("off both rings") << winds("7", "7") << winds("0", "5");
        QTest::newRow("last values wrap") << winds("31", "31") << winds("0", "5");
        QTest::newRow("0 is only on the horizontal ring") << winds("0", "0") << winds("5", "5");
        QTest::newRow("compared as numbers") << winds("5.0", " -1 ") << winds("-1", "-9");
        QTest::newRow("not a number reads as 0") << winds("wind", "") << winds("5", "5");
    }

    void valuesOffTheRingsStartThemAgain()
    {
        QFETCH(WindTexts, next);
        QFETCH(WindTexts, after);
        TestGame g;
        BattleWindow& b = g->Battle();
        setNextWind(b, next);
        b.AdvanceNextWind();
        QCOMPARE(nextWind(b), after);
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

    // At the end of a shot the wind edition takes the next wind as the wind
    // and shows both its directions, on Label5 and Label6.
    void windEditionWritesBothWindTexts_data()
    {
        QTest::addColumn<WindTexts>("next");
        QTest::addColumn<QString>("label5");
        QTest::addColumn<QString>("label6");
        QTest::newRow("against, down") << winds("-9", "-25") << "<==-9" << "25 \\/";
        QTest::newRow("with, up") << winds("20", "20") << "20 ==>" << "20 /\\";
        QTest::newRow("calm") << winds("0", "0") << "0" << "0";
    }

    void windEditionWritesBothWindTexts()
    {
        QFETCH(WindTexts, next);
        QFETCH(QString, label5);
        QFETCH(QString, label6);
        TestGame g(Edition::Wind);
        BattleWindow& b = g->Battle();
        setNextWind(b, next);
        b.Image1.setTop(b.outerHeight() + 15);
        b.EndShot();
        QCOMPARE(b.Label5.caption(), label5);
        QCOMPARE(b.Label6.caption(), label6);
    }
};

QTEST_MAIN(TestWind)
#include "test_wind.moc"

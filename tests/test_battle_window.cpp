// The battle window as it opens in both editions, the window rebuilt after its
// close control, and the events of its own fields. (A battlefield picture
// that cannot be read is a case of test_bad_input's unreadable pictures.)

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"

#include <QCoreApplication>
#include <QTest>

namespace {

void compareRect(const ui::Field& field, ui::Twips left, ui::Twips top, ui::Twips width, ui::Twips height)
{
    QCOMPARE(field.left(), left);
    QCOMPARE(field.top(), top);
    QCOMPARE(field.width(), width);
    QCOMPARE(field.height(), height);
}

void compareTimer(const ui::Timer& timer, int interval, bool enabled)
{
    QCOMPARE(timer.interval(), interval);
    QCOMPARE(timer.enabled(), enabled);
}

} // namespace

class TestBattleWindow : public QObject {
    Q_OBJECT

private slots:
    void fullGameOpensWithItsDesign()
    {
        TestGame g;
        BattleWindow& b = g->Battle();

        QVERIFY(g.messages.isEmpty());
        QCOMPARE(g.endStatus, -1);
        QVERIFY(!b.visible());  // the match start shows it
        QCOMPARE(b.caption(), QStringLiteral("Battle!"));
        QCOMPARE(b.clientWidth(), 11880.0);
        QCOMPARE(b.clientHeight(), 8535.0);

        // The battlefield takes field.gif's size at the window's corner; the
        // cover follows it.
        compareRect(b.Picture1, 0, 0, 15360, 11520);
        QVERIFY(!b.Picture1.picture().isNull());
        compareRect(b.Frame3, 0, 0, 15360, 11520);
        QVERIFY(!b.Frame3.visible());
        QCOMPARE(b.Frame3.caption(), QStringLiteral("Frame3"));
        QCOMPARE(b.Label3.caption(), QStringLiteral("Close to contiue"));
        QCOMPARE(&b.Label3.container(), static_cast<ui::Container*>(&b.Frame3));

        // Wind arrow collapsed, current and next wind.
        QCOMPARE(b.angi1.x1(), 5880.0);
        QCOMPARE(b.angi1.y1(), 1680.0);
        QCOMPARE(b.angi1.x2(), 5880.0);
        QCOMPARE(b.angi1.y2(), 1680.0);
        QCOMPARE(b.angi1.colour(), ui::kWhite);
        QCOMPARE(b.Text3.text(), QStringLiteral("0"));
        QCOMPARE(b.Text4.text(), QStringLiteral("5"));
        QCOMPARE(b.Text7.text(), QStringLiteral("0"));
        QCOMPARE(b.Text8.text(), QStringLiteral("5"));
        QVERIFY(b.Text3.visible() && b.Text4.visible());
        QVERIFY(!b.Text7.visible() && !b.Text8.visible() && !b.Label5.visible());
        QCOMPARE(&b.Text3.container(), static_cast<ui::Container*>(&b));
        QCOMPARE(&b.Text4.container(), static_cast<ui::Container*>(&b.Picture1));
        compareRect(b.Shape1, 5640, 1440, 495, 495);
        compareRect(b.Shape2, 5760, 1560, 255, 255);
        QCOMPARE(b.Label2.caption(), QStringLiteral("Angin:"));
        QVERIFY(!b.Frame1.visible() && !b.Label4.visible() && !b.Label6.visible());

        // Flight fields.
        QCOMPARE(b.Text1.text(), QStringLiteral("-300"));
        QCOMPARE(b.Text2.text(), QStringLiteral("0"));
        QCOMPARE(b.left1.text(), QStringLiteral("left1"));
        QCOMPARE(b.top1.text(), QStringLiteral("Text5"));
        QCOMPARE(b.lr.caption(), QStringLiteral("kanan"));
        QCOMPARE(b.damage.caption(), QStringLiteral("0"));
        QCOMPARE(&b.damage.container(), static_cast<ui::Container*>(&b.Frame2));
        compareRect(b.damage, 600, 240, 180, 360);
        compareRect(b.Image1, 0, 0, 270, 285);
        compareRect(b.duar, -600, 2880, 975, 900);
        QVERIFY(!b.Image1.picture().isNull() && !b.duar.picture().isNull());

        // Vehicles, plates, bars: players 1 and 2 on the field with energy 50.
        compareRect(b.Image3, 600, 5520, 1095, 855);
        compareRect(b.Image2, 13320, 4800, 1095, 855);
        compareRect(b.mob3, 2160, 10320, 1095, 855);
        compareRect(b.mob4, 11160, 9360, 1095, 855);
        QVERIFY(b.Image3.visible() && b.Image2.visible() && !b.mob3.visible() && !b.mob4.visible());
        QVERIFY(b.Image3.picture().isNull());
        QCOMPARE(b.Image3.tag(), QStringLiteral("0"));
        QCOMPARE(b.ProgressBar2.value(), 50.0f);
        QCOMPARE(b.ProgressBar3.value(), 50.0f);
        QCOMPARE(b.ProgressBar4.value(), 0.0f);
        compareRect(b.ProgressBar5, 10800, 10200, 1935, 375);
        QCOMPARE(b.name2.caption(), QStringLiteral("name1"));
        QCOMPARE(b.dm3.foreColour(), ui::kRed);
        QCOMPARE(b.ps1.maximum(), 30.0f);
        QVERIFY(b.sp1.visible());

        // Edge buttons and "Score..." over the battlefield.
        compareRect(b.frame1, 0, 360, 375, 5655);
        compareRect(b.frame4, 11280, 0, 375, 5775);
        compareRect(b.frame5, 360, 0, 9735, 375);
        compareRect(b.frame6, 0, 7320, 9735, 375);
        QCOMPARE(b.Command1.caption(), QStringLiteral("Score..."));
        QCOMPARE(&b.Command1.container(), static_cast<ui::Container*>(&b));
        compareRect(b.Command1, 600, 840, 975, 375);
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        QCOMPARE(b.Label1[0].caption(), QStringLiteral("Start Top"));
        QCOMPARE(b.Label1[1].caption(), QStringLiteral("Start Left"));

        compareTimer(b.Timer1, 30, false);
        compareTimer(b.Timer3, 20, false);
        compareTimer(b.Timer4, 20, false);
        compareTimer(b.Tangin, 500, true);
        compareTimer(b.Timer2, 500, true);
        compareTimer(b.scrol, 30, true);
        compareTimer(b.beledug, 1000, false);
        compareTimer(b.tagselamat, 1, true);
        compareTimer(b.timersp, 1, true);
    }

    void windEditionOpensWithItsDesign()
    {
        TestGame g(Edition::Wind);
        BattleWindow& b = g->Battle();

        QVERIFY(g.messages.isEmpty());
        QCOMPARE(b.clientHeight(), 8220.0);
        compareRect(b.Picture1, 0, 0, 15360, 11520);
        compareRect(b.Frame3, 0, 0, 15360, 11520);
        QCOMPARE(&b.Frame3.container(), static_cast<ui::Container*>(&b.Picture1));
        compareRect(b.Label3, 240, 720, 10290, 1605);

        // The arrow is levelled with the dial; its X ends stay as designed.
        QCOMPARE(b.angi1.x1(), 6000.0);
        QCOMPARE(b.angi1.x2(), 5760.0);
        QCOMPARE(b.angi1.y1(), 1920.0);
        QCOMPARE(b.angi1.y2(), 1920.0);
        compareRect(b.Shape2, 5640, 1800, 255, 255);

        // Wind texts in the wind frame, current wind hidden and without lift.
        QVERIFY(b.Frame1.visible());
        for (const ui::Field* field : {static_cast<ui::Field*>(&b.Text7), static_cast<ui::Field*>(&b.Text8),
                                       static_cast<ui::Field*>(&b.Label5), static_cast<ui::Field*>(&b.Label6),
                                       static_cast<ui::Field*>(&b.Label2)})
            QCOMPARE(&field->container(), static_cast<ui::Container*>(&b.Frame1));
        QVERIFY(b.Label5.visible() && b.Label6.visible() && b.Label4.visible());
        QCOMPARE(b.Label4.caption(), QStringLiteral("Angin:"));
        QVERIFY(!b.Text3.visible() && !b.Text4.visible() && !b.lr.visible());
        QCOMPARE(b.Text4.text(), QStringLiteral("0"));
        QCOMPARE(b.Text5.text(), QStringLiteral("Text5"));

        // No "Power" frame: the damage lies on the battlefield.
        QVERIFY(!b.Frame2.visible());
        QCOMPARE(&b.damage.container(), static_cast<ui::Container*>(&b.Picture1));
        compareRect(b.damage, 0, 0, 180, 360);
        QCOMPARE(&b.Command1.container(), static_cast<ui::Container*>(&b.Picture1));
        compareRect(b.Command1, 3960, 600, 975, 375);

        compareRect(b.Image3, 600, 4200, 1095, 855);
        compareRect(b.mob4, 7800, 7000, 1095, 855);
        compareRect(b.ProgressBar3, 9000, 5040, 1935, 375);
        QCOMPARE(b.ProgressBar2.value(), 50.0f);

        // No scrolling and no turn scheduler.
        for (const ui::Button* button : b.scrollButton)
            QVERIFY(!button->visible());
        for (const ui::PictureBox* holder : b.gaugeHolder)
            QVERIFY(!holder->visible());
        compareTimer(b.scrol, 30, false);
        compareTimer(b.timersp, 1, false);
        compareTimer(b.Tangin, 500, true);
        compareTimer(b.tagselamat, 1, true);
    }

    void closingDiscardsAndTheNextTouchRebuilds()
    {
        TestGame g;
        {
            BattleWindow& b = g->Battle();
            b.show();
            b.Text1.setText(QStringLiteral("120"));
            b.ProgressBar3.setValue(3);
            b.Timer1.start();
            b.Picture1.move(-500, -700);
            QVERIFY(b.requestClose());
        }
        QVERIFY(!g->battleExists());
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();

        BattleWindow& b = g->Battle();
        QVERIFY(!b.visible());
        QCOMPARE(b.Text1.text(), QStringLiteral("-300"));
        QCOMPARE(b.ProgressBar3.value(), 50.0f);
        QVERIFY(!b.Timer1.enabled());
        QVERIFY(b.Tangin.enabled());
        QCOMPARE(b.Picture1.left(), 0.0);
        QCOMPARE(b.Picture1.top(), 0.0);
        QCOMPARE(b.caption(), QStringLiteral("Battle!"));
    }

    void eventsOfTheArenaFields()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();

        b.Text3.setText(QStringLiteral("-15"));
        b.Command1.pointerMove(10, 10);
        QCOMPARE(b.Label5.caption(), QStringLiteral("<== -15"));

        b.Command1.click();
        QVERIFY(g->Score().visible());

        b.damage.click();
        QCOMPARE(b.ProgressBar3.value(), 10.0f);
        QCOMPARE(b.ProgressBar2.value(), 50.0f);
        b.Frame2.click();
        QCOMPARE(b.ProgressBar2.value(), 10.0f);

        g->player(0).show();
        g->player(1).show();
        g->player(0).Label1.setCaption(QStringLiteral("kiri"));
        g->player(1).Label1.setCaption(QStringLiteral("kanan"));
        b.Frame3.pointerMove(0, 0);
        QVERIFY(!g->player(0).visible());
        QVERIFY(!g->player(1).visible());
        QCOMPARE(g->player(0).Label1.caption(), QStringLiteral("kanan"));
        QCOMPARE(g->player(1).Label1.caption(), QStringLiteral("kiri"));
    }

    void scrollButtonsAndPointerMovesReachTheirHandlers()
    {
        TestGame g;
        BattleWindow& b = g->Battle();
        b.show();
        const std::array<QString, 4> directions{QStringLiteral("kiri"), QStringLiteral("kanan"),
                                                QStringLiteral("atas"), QStringLiteral("bawah")};
        for (std::size_t i = 0; i < 4; ++i) {
            b.scrollButton[i]->click();
            QCOMPARE(b.scrol1.caption(), directions[i]);
        }
        b.pointerMove(100, 100);
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));

        b.frame1.click();
        b.Text7.setText(QStringLiteral("20"));
        b.Picture1.pointerMove(3000, 5000);
        QCOMPARE(b.scrol1.caption(), QStringLiteral("no"));
        QCOMPARE(b.Text7.text(), QStringLiteral("-15"));
    }
};

QTEST_MAIN(TestBattleWindow)
#include "test_battle_window.moc"

#include "test_support.h"

#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "ui/number_text.h"
#include "ui/picture.h"

#include <QPushButton>
#include <QTest>

class TestWindSetup : public QObject {
    Q_OBJECT

private slots:
    void onlyTheWindEditionsFieldsExist()
    {
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        QCOMPARE(form.caption(), QStringLiteral("kestrava1"));
        QCOMPARE(form.Frame2.left(), 0.0);
        QCOMPARE(form.Frame2.top(), 0.0);

        // The built-in roster pictures give the slots their sizes.
        const QList<ui::Rect> sizes{{0, 0, 750, 945}, {0, 0, 915, 750}, {0, 0, 900, 750}, {0, 0, 900, 750}};
        for (int slot = 0; slot < 4; ++slot) {
            QCOMPARE(form.picture[slot]->width(), sizes[slot].width);
            QCOMPARE(form.picture[slot]->height(), sizes[slot].height);
        }

        // The main menu holds the four game types and no "Exit".
        const auto menu = form.Frame1.childHost()->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(menu.size(), 4);
        for (const QPushButton* button : form.widget()->findChildren<QPushButton*>()) {
            QVERIFY(button->text() != QStringLiteral("Exit"));
            QVERIFY(button->text() != QStringLiteral("Items..."));
        }

        // The roster pictures open nothing.
        form.Command3.click();
        QCOMPARE(form.caption(), QStringLiteral("4"));
        for (ui::Sprite* picture : form.picture)
            picture->click();
        QVERIFY(form.Frame2.isEnabled());
        QCOMPARE(form.nomob1.text(), QStringLiteral("1"));
        QVERIFY(g.messages.isEmpty());
    }

    void browsingStopsAtBothEnds()
    {
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        form.Command2.click();  // three players

        for (const char* expected : {"3", "4", "5", "6"}) {
            form.Command8.click();
            QCOMPARE(form.nomob2.text(), QString::fromLatin1(expected));
        }
        QCOMPARE(form.Image2.picture().toImage(), assetImage(QStringLiteral("62.gif")));
        form.Command8.click();
        QCOMPARE(form.nomob2.text(), QStringLiteral("6"));

        const QImage builtin = form.Image1.picture().toImage();
        QVERIFY(!builtin.isNull());
        form.Command6.click();
        QCOMPARE(form.nomob1.text(), QStringLiteral("1"));
        QCOMPARE(form.Image1.picture().toImage(), builtin);
        QVERIFY(g.messages.isEmpty());
    }

    void eachPlayerBrowsesWithItsFacing()
    {
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        form.Command3.click();  // four players
        const QStringList expected{QStringLiteral("2.gif"), QStringLiteral("32.gif"), QStringLiteral("4.gif"),
                                   QStringLiteral("52.gif")};
        for (int slot = 0; slot < 4; ++slot) {
            form.nextButton[slot]->click();
            QCOMPARE(form.picture[slot]->picture().toImage(), assetImage(expected[slot]));
        }
        form.previousButton[1]->click();
        QCOMPARE(form.nomob2.text(), QStringLiteral("2"));
        QCOMPARE(form.Image2.picture().toImage(), assetImage(QStringLiteral("22.gif")));
    }

    void startSetsUpTheMatch()
    {
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        form.Command3.click();
        g->Score().show();
        form.Text2.type(QStringLiteral("Rina"));
        form.Text5.type(QStringLiteral("2"));
        const ui::Twips mob3Top = g->Battle().mob3.top();
        const ui::Twips mob4Top = g->Battle().mob4.top();

        form.Command5.click();
        BattleWindow& battle = g->Battle();
        QVERIFY(battle.visible());
        QVERIFY(!g->Score().visible());
        QVERIFY(g->Score().Check1.checked());
        QCOMPARE(g->turnMarker(), QStringLiteral("1"));
        QCOMPARE(form.Text5.text(), QStringLiteral("0"));
        QCOMPARE(g->player(1).caption(), QStringLiteral("Rina"));

        // The built-in pictures stand on the ground line.
        QCOMPARE(battle.Image3.top(), 4075.0);
        QCOMPARE(battle.Image2.top(), 4270.0);
        QCOMPARE(battle.Image3.picture().toImage(), form.Image1.picture().toImage());
        for (ui::ProgressBar* energy : battle.energyBar) {
            QCOMPARE(energy->maximum(), 150.0f);
            QCOMPARE(energy->value(), 150.0f);
        }
        QVERIFY(battle.mob3.visible());
        QVERIFY(battle.mob4.visible());
        QCOMPARE(battle.mob3.top(), mob3Top);
        QCOMPARE(battle.mob4.top(), mob4Top);
        QCOMPARE(battle.mob4.picture().toImage(), form.Image4.picture().toImage());

        // A browsed vehicle stands on the line with its own height.
        form.Command7.click();
        form.Command5.click();
        QCOMPARE(battle.Image3.top(), 5020.0 - form.Image1.height());
        QCOMPARE(battle.Image3.picture().toImage(), assetImage(QStringLiteral("2.gif")));
    }

    void duelAfterFourPlayersLeavesThreeAndFourOut()
    {
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        form.Command3.click();
        form.Command5.click();
        form.back.click();
        form.Command1.click();
        QCOMPARE(form.caption(), QStringLiteral("2"));
        form.Command5.click();
        QVERIFY(g->Battle().Image3.visible());
        QVERIFY(g->Battle().Image2.visible());
        QVERIFY(!g->Battle().mob3.visible());
        QVERIFY(!g->Battle().mob4.visible());
    }

    void firstPlayer_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slot");  // whose turn the match starts with
        QTest::newRow("player 1") << QStringLiteral("1") << 0;
        QTest::newRow("player 4") << QStringLiteral("4") << 3;
        QTest::newRow("blanks around") << QStringLiteral(" 3 ") << 2;
        QTest::newRow("no number") << QStringLiteral("abc") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("left at 0") << QStringLiteral("0") << 0;
        QTest::newRow("beyond 4") << QStringLiteral("5") << 0;
        QTest::newRow("negative") << QStringLiteral("-1") << 0;
        QTest::newRow("not whole") << QStringLiteral("2.5") << 0;
    }
    void firstPlayer()
    {
        QFETCH(QString, text);
        QFETCH(int, slot);
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        form.Command3.click();
        form.Text5.type(text);
        form.Command5.click();
        QCOMPARE(g->turnMarker(), numtext::text(slot));
        QCOMPARE(form.Text5.text(), QStringLiteral("0"));
    }

    void closingTheWindowEndsTheProgram()
    {
        TestGame g(Edition::Wind);
        WindSetupWindow& form = shownWindSetup(g);
        QVERIFY(form.requestClose());
        QCOMPARE(g.endStatus, 0);
    }
};

QTEST_MAIN(TestWindSetup)
#include "test_wind_setup.moc"

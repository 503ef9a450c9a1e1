#include "test_support.h"

#include "score/score_window.h"
#include "setup/character_catalogue.h"
#include "setup/setup_window.h"
#include "ui/picture.h"

#include <QSlider>
#include <QTest>

namespace {

// Where a slider is drawn, as opposed to the value it keeps.
int drawnValue(ui::Slider& slider)
{
    return static_cast<QSlider*>(slider.widget())->value();
}

// What the roster holds for a player: character number, name, Attack,
// Energy, Speed and Move.
QStringList rosterRow(const SetupWindow& s, int slot)
{
    const auto at = static_cast<std::size_t>(slot);
    return {s.characterNumber[at]->text(), s.nameField[at]->text(), s.attack[at]->text(),
            s.energy[at]->text(),          s.speed[at]->text(),     s.move[at]->text()};
}

} // namespace

class TestSetupWindow : public QObject {
    Q_OBJECT

private slots:
    void loadState();
    void showCharacter_data();
    void showCharacter();
    void browsingStopsAtTheEnds();
    void previewFacesLikeThePlayer();
    void okAtOnceRecommitsFromTheFile();
    void okCommitsTheBrowsedCharacterAndName();
    void rosterDisabledWhileSelectorOpen();
    void gameTypes();
    void exitAndCloseEndTheProgram();
};

void TestSetupWindow::loadState()
{
    TestGame g;
    SetupWindow& s = g->setup();
    // The roster covers the menu when shown; the selector is closed.
    QVERIFY(s.Frame1.visible());
    QVERIFY(!s.Frame2.visible());
    QCOMPARE(s.Frame2.left(), 0.0);
    QCOMPARE(s.Frame2.top(), 0.0);
    QVERIFY(!s.Frame5.visible());
    QCOMPARE(s.Dir1.path(), TestGame::assetsFolder());
    QCOMPARE(s.Dir1.path(), g->pictureFolder());
    // The selector counts the catalogue's characters, numbered 1 up in order.
    QCOMPARE(s.Label11.caption(), QStringLiteral("/6"));
    for (int k = 0; k < kCharacterCount; ++k)
        QCOMPARE(characterCatalogue().at(static_cast<std::size_t>(k)).number, kFirstCharacter + k);
    QCOMPARE(characterCatalogue().back().number, kLastCharacter);

    // Built-in roster pictures: 50 x 60 pixels for player 1, 60 x 50 for the others.
    for (int slot = 0; slot < 4; ++slot)
        QVERIFY(!s.picture[slot]->picture().isNull());
    QCOMPARE(s.Image1.width(), 750.0);
    QCOMPARE(s.Image1.height(), 900.0);
    QCOMPARE(s.Image4.width(), 900.0);
    QCOMPARE(s.Image4.height(), 750.0);

    // Every player's stat icons are the selector's icons, row by row.
    const ui::Sprite* rowIcon[4] = {&s.q1, &s.q2, &s.q3, &s.q4};
    for (auto* icons : {&s.Image6, &s.Image7, &s.Image8, &s.Image9}) {
        for (int stat = 0; stat < 4; ++stat) {
            QVERIFY(!(*icons)[stat].picture().isNull());
            QCOMPARE((*icons)[stat].picture().toImage(), rowIcon[stat]->picture().toImage());
        }
    }
    QCOMPARE(s.spriteFile(QStringLiteral("5"), false), ui::joinPath(TestGame::assetsFolder(), QStringLiteral("52.gif")));
}

void TestSetupWindow::showCharacter_data()
{
    QTest::addColumn<QString>("number");  // shown over character 1
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("statistics");  // Attack, Energy, Speed, Move
    QTest::addColumn<QList<int>>("drawn");       // where their bars are drawn

    // The bars keep the values beyond their ranges and are drawn at the ends.
    QTest::newRow("beyond the bars") << QStringLiteral("4") << QStringLiteral("MeriSpot") << QList<int>{9, 6, 3, 1}
                                     << QList<int>{8, 6, 3, 2};
    QTest::newRow("move beyond its bar") << QStringLiteral("3") << QStringLiteral("MortaCar") << QList<int>{6, 5, 5, 6}
                                         << QList<int>{6, 5, 5, 5};
    // The number is compared as a number.
    QTest::newRow("3.0") << QStringLiteral("3.0") << QStringLiteral("MortaCar") << QList<int>{6, 5, 5, 6}
                         << QList<int>{6, 5, 5, 5};
    // No such character: name and statistics stay as they were.
    for (const char* number : {"7", "0", "abc"})
        QTest::addRow("no character %s", number) << QString::fromLatin1(number) << QStringLiteral("Guekue")
                                                 << QList<int>{7, 4, 6, 3} << QList<int>{7, 4, 6, 3};
}

void TestSetupWindow::showCharacter()
{
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(QList<int>, statistics);
    QFETCH(QList<int>, drawn);
    TestGame g;
    SetupWindow& s = g->setup();
    s.Label10.setCaption(QStringLiteral("1"));
    s.ShowCharacter();

    s.Label10.setCaption(number);
    s.ShowCharacter();
    QCOMPARE(s.Label9.caption(), name);
    QStringList shown;
    QStringList expected;
    for (ui::TextField* field : {&s.at1, &s.df1, &s.sp1, &s.mo1})
        shown << field->text();
    for (const int value : statistics)
        expected << QString::number(value);
    QCOMPARE(shown, expected);
    QCOMPARE((QList<int>{s.Slider2.value(), s.Slider3.value(), s.Slider4.value(), s.Slider5.value()}), statistics);
    QCOMPARE((QList<int>{drawnValue(s.Slider2), drawnValue(s.Slider3), drawnValue(s.Slider4), drawnValue(s.Slider5)}),
             drawn);
    QVERIFY(g.messages.isEmpty());
}

void TestSetupWindow::browsingStopsAtTheEnds()
{
    TestGame g;
    SetupWindow& s = shownSelector(g, 2, 0);
    QCOMPARE(s.Label10.caption(), QStringLiteral("1"));

    // A press at an end neither loads a picture nor shows a character: the
    // preview and the statistics keep what was put there.
    const QImage marker = ui::builtinPicture(QStringLiteral("explosion")).toImage();
    const auto pressAtTheEnd = [&s, &marker](ui::Button& button, const QString& end) {
        s.Image5.setPicture(ui::builtinPicture(QStringLiteral("explosion")));
        s.at1.setText(QStringLiteral("untouched"));
        button.click();
        QCOMPARE(s.Label10.caption(), end);
        QCOMPARE(s.Image5.picture().toImage(), marker);
        QCOMPARE(s.at1.text(), QStringLiteral("untouched"));
    };
    pressAtTheEnd(s.Command6, QStringLiteral("1"));  // "<<" at character 1

    for (int n = 2; n <= 6; ++n) {
        s.Command7.click();
        QCOMPARE(s.Label10.caption(), QString::number(n));
    }
    QCOMPARE(s.Label9.caption(), QStringLiteral("KV-Machine"));
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("6.gif")));

    pressAtTheEnd(s.Command7, QStringLiteral("6"));  // ">>" at character 6: no wrap-around to 1

    s.Command6.click();
    QCOMPARE(s.Label10.caption(), QStringLiteral("5"));
    QCOMPARE(s.Label9.caption(), QStringLiteral("Sireum"));
    QVERIFY(g.messages.isEmpty());
}

void TestSetupWindow::previewFacesLikeThePlayer()
{
    QVERIFY(assetImage(QStringLiteral("2.gif")) != assetImage(QStringLiteral("22.gif")));

    TestGame g;
    // Player 2 faces left: the preview is 22.gif, and browsing keeps the facing.
    SetupWindow& s = shownSelector(g, 4, 1);
    QCOMPARE(s.Label8.caption(), QStringLiteral("(player2)"));
    QCOMPARE(s.Label10.caption(), QStringLiteral("2"));
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("22.gif")));
    QCOMPARE(s.Label9.caption(), QStringLiteral("VoTank"));
    s.Command7.click();
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("32.gif")));
    s.Command16.click();

    // Player 3 faces right.
    s.Image3.click();
    QCOMPARE(s.Label8.caption(), QStringLiteral("(player3)"));
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("3.gif")));
    s.Command6.click();
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("2.gif")));
    s.Command16.click();

    // Player 4 faces left, also while browsing both ways.
    s.Image4.click();
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("42.gif")));
    QVERIFY(assetImage(QStringLiteral("5.gif")) != assetImage(QStringLiteral("52.gif")));
    s.Command7.click();
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("52.gif")));
    s.Command6.click();
    QCOMPARE(s.Image5.picture().toImage(), assetImage(QStringLiteral("42.gif")));
}

void TestSetupWindow::okAtOnceRecommitsFromTheFile()
{
    TestGame g;
    SetupWindow& s = shownSelector(g, 2, 0);
    s.Command16.click();

    // The built-in picture (750 wide) gives way to the sprite file (73 x 57).
    QCOMPARE(s.Image1.width(), 1095.0);
    QCOMPARE(s.Image1.height(), 855.0);
    QCOMPARE(s.Image1.picture().toImage(), assetImage(QStringLiteral("1.gif")));
    QCOMPARE(s.nomob1.text(), QStringLiteral("1"));
    QCOMPARE(s.Text1.text(), QStringLiteral("Player1"));
    QCOMPARE(s.a1.text(), QStringLiteral("7"));
    QCOMPARE(s.Label9.caption(), QString());
    QVERIFY(!s.Frame5.visible());
    QVERIFY(s.Frame2.isEnabled());
}

void TestSetupWindow::okCommitsTheBrowsedCharacterAndName()
{
    TestGame g;
    SetupWindow& s = shownSelector(g, 3, 2);
    QCOMPARE(s.Text6.text(), QStringLiteral("Player3"));
    s.Text6.type(QStringLiteral("Budi"));
    s.Command7.click();
    s.Command7.click();  // character 5
    s.Command16.click();

    QCOMPARE(rosterRow(s, 2), (QStringList{QStringLiteral("5"), QStringLiteral("Budi"), QStringLiteral("5"),
                                           QStringLiteral("4"), QStringLiteral("8"), QStringLiteral("4")}));
    QCOMPARE(s.Image3.picture().toImage(), assetImage(QStringLiteral("5.gif")));
    // The other players keep their choices.
    QCOMPARE(rosterRow(s, 0), (QStringList{QStringLiteral("1"), QStringLiteral("Player1"), QStringLiteral("7"),
                                           QStringLiteral("4"), QStringLiteral("6"), QStringLiteral("3")}));
    QCOMPARE(rosterRow(s, 1), (QStringList{QStringLiteral("2"), QStringLiteral("Player2"), QStringLiteral("6"),
                                           QStringLiteral("8"), QStringLiteral("3"), QStringLiteral("3")}));
}

void TestSetupWindow::rosterDisabledWhileSelectorOpen()
{
    TestGame g;
    SetupWindow& s = shownSelector(g, 4, 0);
    QVERIFY(s.Frame5.isShown());

    // Nothing on the roster reacts: no match, no menu, no other player.
    s.Command5.click();
    QVERIFY(!g->battleExists());
    s.back.click();
    QVERIFY(s.Frame2.visible());
    s.Image4.click();
    QCOMPARE(s.Label8.caption(), QStringLiteral("(player1)"));
    s.Text1.type(QStringLiteral("typed"));
    QCOMPARE(s.Text1.text(), QStringLiteral("Player1"));

    // The selector's own buttons and name field do.
    s.Command7.click();
    QCOMPARE(s.Label10.caption(), QStringLiteral("2"));
    s.Text6.type(QStringLiteral("Sari"));
    s.Command16.click();
    QVERIFY(!s.Frame5.visible());
    QCOMPARE(s.Text1.text(), QStringLiteral("Sari"));
    QCOMPARE(s.nomob1.text(), QStringLiteral("2"));

    // And the roster reacts again.
    s.back.click();
    QVERIFY(!s.Frame2.visible());
}

void TestSetupWindow::gameTypes()
{
    TestGame g;
    SetupWindow& s = shownSetup(g);

    s.Command4.click();
    QCOMPARE(s.caption(), QStringLiteral("4"));
    QCOMPARE(s.playerCount(), 4);
    QVERIFY(!s.Frame2.visible());
    QVERIFY(s.Frame1.isShown());

    s.Command2.click();
    QCOMPARE(s.caption(), QStringLiteral("3"));
    QCOMPARE(s.playerCount(), 3);
    QVERIFY(s.playerTakesPart(2));
    QVERIFY(!s.playerTakesPart(3));

    // Four players, back, then a duel: only players 1 and 2 are on the roster.
    s.Command3.click();
    QCOMPARE(s.caption(), QStringLiteral("4"));
    QVERIFY(s.Image4.isShown());
    QVERIFY(s.playerTakesPart(3));
    s.back.click();
    QVERIFY(!s.Frame2.visible());
    s.Command1.click();
    QCOMPARE(s.caption(), QStringLiteral("2"));
    QCOMPARE(s.playerCount(), 2);
    QVERIFY(s.Image1.isShown());
    QVERIFY(s.Image2.isShown());
    QVERIFY(!s.Image3.isShown());
    QVERIFY(!s.Image4.isShown());
    QVERIFY(s.playerTakesPart(0));
    QVERIFY(s.playerTakesPart(1));
    QVERIFY(!s.playerTakesPart(2));
    QVERIFY(!s.playerTakesPart(3));

    // "Score..." opens the board without closing anything.
    s.Command10.click();
    QVERIFY(g->Score().visible());
    QVERIFY(s.visible());
}

void TestSetupWindow::exitAndCloseEndTheProgram()
{
    {
        TestGame g;
        SetupWindow& s = shownSetup(g);
        s.Command8.click();
        QCOMPARE(g.endStatus, 0);
    }
    {
        TestGame g;
        g->Form1().show();
        QVERIFY(g->Form1().requestClose());
        QCOMPARE(g.endStatus, 0);
    }
}

QTEST_MAIN(TestSetupWindow)
#include "test_setup_window.moc"

// What the game does with odd values in the fields a player can type into
// and with odd picture files: long, empty and non-ASCII names, scores and
// starting players that are no numbers, typed winds, missing and unreadable
// pictures, a picture folder with blanks and non-ASCII letters.
#include "test_support.h"

#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"
#include "ui/picture.h"
#include "ui/timer.h"

#include <QTest>

namespace {

const QString kNonAscii = QString::fromUtf8("Ñandú Страж 龍 😀");

// Player 1's shot destroys player 2 (energy 50 or more below the damage):
// one explosion tick with the turn marker on player 1.
void player1DestroysPlayer2(TestGame& g)
{
    BattleWindow& b = g->Battle();
    g->setTurnMarker(QStringLiteral("0"));
    b.dm2.setCaption(QStringLiteral("1000"));
    explode(g);
}

} // namespace

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    // Names: the setup window's Text1..text4 and the selector's Text6.
    void namesReachEveryPlaceUnchanged_data();
    void namesReachEveryPlaceUnchanged();
    void nameLongerThanAFieldHolds();
    void selectorNameIsCommittedAsTyped();
    void statisticsCannotBeTyped();

    // The wind edition's "Siapa Duluaan?" field Text5.
    void startingPlayerThatIsNoNumber_data();
    void startingPlayerThatIsNoNumber();
    void startingPlayerNotInTheMatch();

    // The score board.
    void scoresTypedOnTheBoard_data();
    void scoresTypedOnTheBoard();
    void namesTypedOnTheBoardAreNotUsed();

    // The battle window's current wind fields.
    void typedWind_data();
    void typedWind();

    // Picture files.
    void battlefieldPicture_data();
    void battlefieldPicture();
    void spriteMissingWhenTurning_data();
    void spriteMissingWhenTurning();
    void pictureFolderWithBlanksAndNonAscii();
};

// ---- Names ----

void TestBadInput::namesReachEveryPlaceUnchanged_data()
{
    QTest::addColumn<bool>("wind");
    QTest::addColumn<QString>("name");
    for (const bool wind : {false, true}) {
        const char* edition = wind ? "kestrava1" : "kestrava2";
        QTest::addRow("%s: 1,000 characters", edition) << wind << QString(999, QLatin1Char('n')) + QStringLiteral("Z");
        QTest::addRow("%s: empty", edition) << wind << QString();
        QTest::addRow("%s: non-ASCII", edition) << wind << kNonAscii;
        QTest::addRow("%s: blanks around", edition) << wind << QStringLiteral("  Ada  ");
    }
}

void TestBadInput::namesReachEveryPlaceUnchanged()
{
    QFETCH(bool, wind);
    QFETCH(QString, name);
    TestGame g(wind ? Edition::Wind : Edition::Full);
    g->Form1().Text1.type(name);
    startDuel(g);

    // Panel title, name plate, score board: the name as typed.
    QCOMPARE(g->player(0).caption(), name);
    g->Battle().namePlateTick();
    QCOMPARE(g->Battle().name1.caption(), name + QStringLiteral(" (Lv.0)"));
    g->Score().mirrorTick();
    QCOMPARE(g->Score().Text1.text(), name);

    // The kill and winner messages carry it too.
    player1DestroysPlayer2(g);
    QCOMPARE(g.messages, QStringList({QStringLiteral("Player2 dihancurkan sampai lenyap oleh ") + name
                                          + QStringLiteral(". Score 50 poin"),
                                      QStringLiteral("Pemenang: ") + name}));
    QCOMPARE(g.endStatus, -1);
}

void TestBadInput::nameLongerThanAFieldHolds()
{
    // A text field holds at most 32,767 characters; longer text is cut there.
    TestGame g;
    g->Form1().Text2.type(QString(40000, QLatin1Char('n')));
    QCOMPARE(g->Form1().Text2.text().size(), 32767);
    startDuel(g);
    QCOMPARE(g->player(1).caption().size(), 32767);
}

void TestBadInput::selectorNameIsCommittedAsTyped()
{
    TestGame g;
    SetupWindow& s = shownSetup(g);
    s.Command1.click();
    for (const QString& name : {kNonAscii, QString(), QString(1000, QLatin1Char('m'))}) {
        s.Image2.click();
        QCOMPARE(s.Text6.text(), s.Text2.text());
        s.Text6.type(name);
        s.Command16.click();
        QCOMPARE(s.Text2.text(), name);
    }
    QVERIFY(g.messages.isEmpty());
}

void TestBadInput::statisticsCannotBeTyped()
{
    TestGame g;
    SetupWindow& s = shownSetup(g);
    s.Command3.click();
    s.Image1.click();  // the selector's statistics are shown too
    std::vector<ui::TextField*> fields{&s.at1, &s.df1, &s.sp1, &s.mo1};
    for (const auto& column : {s.attack, s.energy, s.speed, s.move})
        fields.insert(fields.end(), column.begin(), column.end());
    for (ui::TextField* field : fields) {
        const QString before = field->text();
        field->type(QStringLiteral("99"));
        QCOMPARE(field->text(), before);
    }
}

// ---- Who moves first (wind edition) ----

void TestBadInput::startingPlayerThatIsNoNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("marker");
    // Only plain ASCII decimal numbers count; anything else lets player 1 begin.
    QTest::newRow("full-width digit") << QStringLiteral("２") << QStringLiteral("0");
    QTest::newRow("Arabic-Indic digit") << QStringLiteral("٢") << QStringLiteral("0");
    QTest::newRow("1,000 digits") << QString(1000, QLatin1Char('2')) << QStringLiteral("0");
    QTest::newRow("hexadecimal") << QStringLiteral("0x2") << QStringLiteral("0");
    QTest::newRow("decimal comma") << QStringLiteral("2,0") << QStringLiteral("0");
    QTest::newRow("plus sign") << QStringLiteral("+2") << QStringLiteral("1");
    QTest::newRow("exponent") << QStringLiteral("4e0") << QStringLiteral("3");
}

void TestBadInput::startingPlayerThatIsNoNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, marker);
    TestGame g(Edition::Wind);
    g->windSetup().Text5.type(text);
    startDuel(g);
    QCOMPARE(g->turnMarker(), marker);
    QCOMPARE(g->windSetup().Text5.text(), QStringLiteral("0"));
    QVERIFY(g.messages.isEmpty());
}

void TestBadInput::startingPlayerNotInTheMatch()
{
    // Player 3 named in a duel: the turn is player 3's until the pointer
    // first moves over the battlefield, which passes it to player 1.
    TestGame g(Edition::Wind);
    g->windSetup().Text5.type(QStringLiteral("3"));
    startDuel(g);
    QCOMPARE(g->turnMarker(), QStringLiteral("2"));
    QVERIFY(!g->player(2).visible());
    g->Battle().Picture1.pointerMove(7200, 6300);
    QCOMPARE(g->turnMarker(), QStringLiteral("0"));
    QVERIFY(g->player(0).visible());
    QVERIFY(g.messages.isEmpty());
}

// ---- Score board ----

void TestBadInput::scoresTypedOnTheBoard_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("afterCredit");  // after 40 damage credited to player 1
    QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("0") << QStringLiteral("40");
    QTest::newRow("empty") << QString() << QStringLiteral("0") << QStringLiteral("40");
    QTest::newRow("blanks around") << QStringLiteral(" 300 ") << QStringLiteral("3") << QStringLiteral("340");
    QTest::newRow("fraction, half down") << QStringLiteral("2.5") << QStringLiteral("0") << QStringLiteral("42");
    QTest::newRow("fraction, half up") << QStringLiteral("3.5") << QStringLiteral("0") << QStringLiteral("44");
    QTest::newRow("negative") << QStringLiteral("-150") << QStringLiteral("-1") << QStringLiteral("-110");
    QTest::newRow("exponent") << QStringLiteral("1e5") << QStringLiteral("1000") << QStringLiteral("100040");
    QTest::newRow("beyond 32 bits") << QStringLiteral("99999999999") << QStringLiteral("999999999")
                                    << QStringLiteral("100000000039");
    QTest::newRow("beyond a double") << QString(1000, QLatin1Char('9')) << QStringLiteral("0") << QStringLiteral("40");
    QTest::newRow("full-width digits") << QStringLiteral("１００") << QStringLiteral("0") << QStringLiteral("40");
}

void TestBadInput::scoresTypedOnTheBoard()
{
    QFETCH(QString, typed);
    QFETCH(QString, level);
    QFETCH(QString, afterCredit);
    TestGame g;
    ScoreWindow& board = g->Score();
    board.show();
    board.Check1.click();  // mirroring off: the board keeps what is typed
    board.Text1q.type(typed);
    startDuel(g);

    // The panel takes the text as it stands; the board mirrors again.
    QCOMPARE(g->player(0).score1.caption(), typed);
    QVERIFY(g->Score().Check1.checked());
    g->Battle().namePlateTick();
    QCOMPARE(g->Battle().name1.caption(), QStringLiteral("Player1 (Lv.") + level + QLatin1Char(')'));

    // The next credit turns it into a number.
    BattleWindow& b = g->Battle();
    g->setTurnMarker(QStringLiteral("0"));
    b.dm2.setCaption(QStringLiteral("40"));
    explode(g);
    QCOMPARE(g->player(0).score1.caption(), afterCredit);
    QVERIFY(g.messages.isEmpty());
}

void TestBadInput::namesTypedOnTheBoardAreNotUsed()
{
    TestGame g;
    ScoreWindow& board = g->Score();
    board.show();
    board.Check1.click();
    board.Text1.type(kNonAscii);
    startDuel(g);
    QCOMPARE(g->player(0).caption(), QStringLiteral("Player1"));
    QCOMPARE(board.Text1.text(), kNonAscii);
    board.mirrorTick();
    QCOMPARE(board.Text1.text(), QStringLiteral("Player1"));
}

// ---- Typed wind ----

void TestBadInput::typedWind_data()
{
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<double>("secondLeft");
    QTest::addColumn<double>("secondTop");
    QTest::addColumn<int>("ticksToEnd");
    // Far 20, high 30 from player 1's design place: (1665, 1195), then
    // (1745, 5480 - vertical wind) without horizontal wind.
    QTest::newRow("letters and empty") << QString() << QStringLiteral("abc") << 1745.0 << 5480.0 << 64;
    QTest::newRow("not finite") << QStringLiteral("nan") << QStringLiteral("inf") << 1745.0 << 5480.0 << 64;
    QTest::newRow("blanks around") << QStringLiteral(" 0 ") << QStringLiteral(" 5 ") << 1745.0 << 5475.0 << 65;
    // Far beyond any screen: the shell's place is kept in a wide type.
    QTest::newRow("huge horizontal") << QStringLiteral("1e300") << QStringLiteral("5") << 9.0e18 << 5475.0 << 65;
    QTest::newRow("huge downwards") << QStringLiteral("0") << QStringLiteral("-1e300") << 1745.0 << 9.0e18 << 2;
}

void TestBadInput::typedWind()
{
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    QFETCH(double, secondLeft);
    QFETCH(double, secondTop);
    QFETCH(int, ticksToEnd);
    TestGame g;
    BattleWindow& b = g->Battle();
    b.show();
    b.Text3.type(horizontal);
    b.Text4.type(vertical);
    fire(g->player(0), 20, 30);

    b.Timer1.tick();
    QCOMPARE(b.Image1.left(), 1665.0);
    QCOMPARE(b.Image1.top(), 1195.0);
    b.Timer1.tick();
    QCOMPARE(b.Image1.left(), secondLeft);
    QCOMPARE(b.Image1.top(), secondTop);

    // The shot ends as usual and hands the turn on.
    int ticks = 2;
    while (b.Timer1.enabled() && ticks < 1000) {
        b.Timer1.tick();
        if (b.beledug.enabled())
            b.beledug.tick();
        ++ticks;
    }
    QCOMPARE(ticks, ticksToEnd);
    QCOMPARE(g->turnMarker(), QStringLiteral("-1"));
    // The next wind replaces what was typed.
    QCOMPARE(b.Text3.text(), b.Text7.text());
    QCOMPARE(b.Text4.text(), b.Text8.text());
}

// ---- Picture files ----

void TestBadInput::battlefieldPicture_data()
{
    QTest::addColumn<bool>("wind");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");  // empty: read fine
    for (const bool wind : {false, true}) {
        const char* edition = wind ? "kestrava1" : "kestrava2";
        QTest::addRow("%s: missing", edition) << wind << QStringLiteral("missing") << QStringLiteral("the file does not exist");
        QTest::addRow("%s: a text file", edition) << wind << QStringLiteral("text") << QStringLiteral("Unsupported image format");
        QTest::addRow("%s: an empty file", edition) << wind << QStringLiteral("empty") << QStringLiteral("Unsupported image format");
        QTest::addRow("%s: a PNG named field.gif", edition) << wind << QStringLiteral("png") << QString();
    }
}

void TestBadInput::battlefieldPicture()
{
    QFETCH(bool, wind);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    PictureFolder folder;
    QVERIFY(folder.isValid());
    const QString path = folder.file(QStringLiteral("field.gif"));
    if (kind == QLatin1String("text"))
        QVERIFY(folder.write(QStringLiteral("field.gif"), "this is no picture\n"));
    else if (kind == QLatin1String("empty"))
        QVERIFY(folder.write(QStringLiteral("field.gif"), QByteArray()));
    else if (kind == QLatin1String("png"))
        QVERIFY(folder.copyAsset(QStringLiteral("builtin/shell.png"), QStringLiteral("field.gif")));

    TestGame g(wind ? Edition::Wind : Edition::Full, folder.path());
    startDuel(g);
    if (reason.isEmpty()) {
        // The content decides the format: the battlefield takes its size.
        QVERIFY(g.messages.isEmpty());
        QCOMPARE(g.endStatus, -1);
        QCOMPARE(g->Battle().Picture1.width(), 270.0);
        QCOMPARE(g->Battle().Picture1.height(), 285.0);
        return;
    }
    QCOMPARE(g.messages,
             QStringList(QStringLiteral("Cannot read the battlefield picture %1 (%2).").arg(path, reason)));
    QCOMPARE(g.endStatus, 1);
}

void TestBadInput::spriteMissingWhenTurning_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QStringLiteral("missing") << QStringLiteral("the file does not exist");
    QTest::newRow("a text file") << QStringLiteral("text") << QStringLiteral("Unsupported image format");
    QTest::newRow("a cut-off GIF") << QStringLiteral("cut") << QStringLiteral("Unable to read image data");
}

void TestBadInput::spriteMissingWhenTurning()
{
    // Only field.gif is there: a match starts on the built-in roster
    // pictures, and the first sprite file is needed when a vehicle turns.
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    PictureFolder folder;
    QVERIFY(folder.isValid());
    QVERIFY(folder.copyAsset(QStringLiteral("field.gif")));
    const QString path = folder.file(QStringLiteral("12.gif"));
    if (kind == QLatin1String("text"))
        QVERIFY(folder.write(QStringLiteral("12.gif"), "this is no picture\n"));
    else if (kind == QLatin1String("cut"))
        QVERIFY(folder.write(QStringLiteral("12.gif"), "GIF89a"));

    TestGame g(Edition::Full, folder.path());
    startDuel(g);
    QVERIFY(g.messages.isEmpty());

    BattleWindow& b = g->Battle();
    PanelWindow& panel = g->player(0);
    panel.show();
    const QImage before = b.Image3.picture().toImage();
    panel.kiri.click();
    QCOMPARE(g.messages, QStringList(QStringLiteral("Cannot read the picture file %1 (%2).").arg(path, reason)));
    // The vehicle faces left (and shoots left) but keeps its picture.
    QCOMPARE(panel.Label1.caption(), QStringLiteral("kiri"));
    QCOMPARE(b.Image3.picture().toImage(), before);
    QCOMPARE(panel.Label3.caption(), QStringLiteral("0"));
    QCOMPARE(g.endStatus, -1);
}

void TestBadInput::pictureFolderWithBlanksAndNonAscii()
{
    const PictureFolder pictures(QString::fromUtf8("Bilder ü 画像 $x"));
    QVERIFY(pictures.isValid());
    for (const QString& file : {QStringLiteral("field.gif"), QStringLiteral("22.gif")})
        QVERIFY(pictures.copyAsset(file));
    const QString& folder = pictures.path();

    TestGame g(Edition::Full, folder);
    SetupWindow& s = g->setup();
    QCOMPARE(s.Dir1.path(), folder);
    s.show();
    s.Command1.click();
    s.Image2.click();  // reads 22.gif
    s.Command16.click();
    s.Command5.click();  // reads field.gif
    QVERIFY(g.messages.isEmpty());
    QCOMPARE(s.Image2.picture().width(), 73);
    QCOMPARE(g->Battle().Picture1.width(), 15360.0);
}

QTEST_MAIN(TestBadInput)
#include "test_bad_input.moc"

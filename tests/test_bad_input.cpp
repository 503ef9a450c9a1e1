// What the game does with odd values in the fields a player can type into
// and with odd picture files: long, empty and non-ASCII names, scores and
// starting players that are no numbers, typed winds, missing and unreadable
// pictures, a picture folder with blanks and non-ASCII letters.
#include "test_support.h"

#include "battle/battle_window.h"
#include "edition1/wind_setup_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/character_catalogue.h"
#include "setup/setup_window.h"
#include "ui/picture.h"
#include "ui/timer.h"

#include <QDir>
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

// What a row leaves under the name of a picture it spoils.
enum class Spoil { Missing, Text, Empty, CutGif, JunkAfterGifHeader, Png };

// Puts a spoiled picture into a folder.
bool spoil(const PictureFolder& folder, const QString& name, Spoil how)
{
    switch (how) {
    case Spoil::Missing:
        return true;
    case Spoil::Text:
        return folder.write(name, "this is no picture\n");
    case Spoil::Empty:
        return folder.write(name, QByteArray());
    case Spoil::CutGif:
        return folder.write(name, "GIF89a");
    case Spoil::JunkAfterGifHeader:
        return folder.write(name, "GIF89a broken");
    case Spoil::Png:
        return folder.copyAsset(QStringLiteral("builtin/shell.png"), name);
    }
    return false;
}

// Why a spoiled picture cannot be read; empty when it can.
QString reasonFor(Spoil how)
{
    switch (how) {
    case Spoil::Missing:
        return QStringLiteral("the file does not exist");
    case Spoil::Text:
    case Spoil::Empty:
        return QStringLiteral("Unsupported image format");
    case Spoil::CutGif:
    case Spoil::JunkAfterGifHeader:
        return QStringLiteral("Unable to read image data");
    case Spoil::Png:
        break;
    }
    return QString();
}

// Where the game reads the spoiled pictures.
enum class Reader {
    BattleWindow,  // the battle window opens (field.gif), then a duel starts
    Turning,       // in a duel, player `slot` turns left: its left-facing sprite
    Selector,      // player `slot`'s selector opened, ">>" up to character 3, "OK"
    WindBrowse,    // the wind edition's ">>" of player `slot`
};

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
    void unreadablePicture_data();
    void unreadablePicture();
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
    SetupWindow& s = shownSelector(g, 4, 0);  // the selector's statistics are shown too
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
    QTest::addColumn<bool>("matchStarts");  // or the box is ticked again by hand
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("afterCredit");  // after 40 damage credited to player 1
    const auto match = [](const char* tag, const QString& typed, const QString& level, const QString& afterCredit) {
        QTest::newRow(tag) << typed << true << level << afterCredit;
    };
    match("a number", QStringLiteral("300"), QStringLiteral("3"), QStringLiteral("340"));
    match("letters", QStringLiteral("abc"), QStringLiteral("0"), QStringLiteral("40"));
    match("empty", QString(), QStringLiteral("0"), QStringLiteral("40"));
    match("blanks around", QStringLiteral(" 300 "), QStringLiteral("3"), QStringLiteral("340"));
    match("fraction, half down", QStringLiteral("2.5"), QStringLiteral("0"), QStringLiteral("42"));
    match("fraction, half up", QStringLiteral("3.5"), QStringLiteral("0"), QStringLiteral("44"));
    match("negative", QStringLiteral("-150"), QStringLiteral("-1"), QStringLiteral("-110"));
    match("exponent", QStringLiteral("1e5"), QStringLiteral("1000"), QStringLiteral("100040"));
    match("beyond 32 bits", QStringLiteral("99999999999"), QStringLiteral("999999999"), QStringLiteral("100000000039"));
    match("beyond a double", QString(1000, QLatin1Char('9')), QStringLiteral("0"), QStringLiteral("40"));
    match("full-width digits", QStringLiteral("１００"), QStringLiteral("0"), QStringLiteral("40"));
    QTest::newRow("box ticked again") << QStringLiteral("300") << false << QString() << QString();
}

void TestBadInput::scoresTypedOnTheBoard()
{
    QFETCH(QString, typed);
    QFETCH(bool, matchStarts);
    QFETCH(QString, level);
    QFETCH(QString, afterCredit);
    TestGame g;
    SetupWindow& s = shownSetup(g);
    s.Command1.click();
    s.nameField[0]->type(QStringLiteral("Ani"));
    s.Text2.type(QStringLiteral("Wati"));
    ScoreWindow& board = g->Score();
    board.show();
    board.Check1.click();  // mirroring off: the board keeps what is typed
    QVERIFY(!board.Check1.checked());
    QVERIFY(!board.Timer1.enabled());
    board.Text1q.type(typed);
    board.Text4q.type(QStringLiteral("75"));
    g->player(0).score1.setCaption(QStringLiteral("50"));
    tickTimes(board.Timer1, 3);
    QCOMPARE(board.Text1q.text(), typed);
    QCOMPARE(board.Text1.text(), QStringLiteral("Text1"));

    if (!matchStarts) {
        // Ticking the box again resumes the copying.
        board.Check1.click();
        QVERIFY(board.Timer1.enabled());
        board.Timer1.tick();
        QCOMPARE(board.Text1q.text(), QStringLiteral("50"));
        QCOMPARE(board.Text1.text(), QStringLiteral("Ani"));
        return;
    }

    // The panels take the texts as they stand; the board mirrors again.
    s.Command5.click();
    QCOMPARE(g->player(0).score1.caption(), typed);
    QCOMPARE(g->player(1).score1.caption(), QStringLiteral("0"));
    QCOMPARE(g->player(3).score1.caption(), QStringLiteral("75"));
    QCOMPARE(g->player(0).caption(), QStringLiteral("Ani"));
    QCOMPARE(g->player(1).caption(), QStringLiteral("Wati"));
    QVERIFY(board.Check1.checked());
    QVERIFY(board.Timer1.enabled());
    QVERIFY(!board.visible());
    g->Battle().namePlateTick();
    QCOMPARE(g->Battle().name1.caption(), QStringLiteral("Ani (Lv.") + level + QLatin1Char(')'));

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

void TestBadInput::unreadablePicture_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<Reader>("reader");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QStringList>("spoiled");  // in the order the reader reads them
    QTest::addColumn<Spoil>("how");
    // The shipped picture the sprite shows in the end; empty: the one it had.
    QTest::addColumn<QString>("kept");

    const QStringList field{QStringLiteral("field.gif")};
    for (const Edition edition : {Edition::Full, Edition::Wind}) {
        const char* name = edition == Edition::Wind ? "kestrava1" : "kestrava2";
        for (const auto& [how, what] : {std::pair{Spoil::Missing, "missing"}, std::pair{Spoil::Text, "a text file"},
                                        std::pair{Spoil::Empty, "an empty file"},
                                        std::pair{Spoil::JunkAfterGifHeader, "junk after a GIF header"},
                                        std::pair{Spoil::Png, "a PNG named field.gif"}})
            QTest::addRow("%s: battlefield %s", name, what) << edition << Reader::BattleWindow << 0 << field << how
                                                            << QString();
    }

    // Player 1 turning left needs its left-facing sprite "N2.gif".
    const auto turning = [](const char* tag, const QString& file, Spoil how) {
        QTest::newRow(tag) << Edition::Full << Reader::Turning << 0 << QStringList{file} << how << QString();
    };
    turning("turning: sprite missing", QStringLiteral("12.gif"), Spoil::Missing);
    turning("turning: sprite a text file", QStringLiteral("12.gif"), Spoil::Text);
    turning("turning: sprite a cut-off GIF", QStringLiteral("12.gif"), Spoil::CutGif);
    turning("turning: a character without pictures", QStringLiteral("92.gif"), Spoil::Missing);

    QTest::newRow("selector: no preview ever loads") << Edition::Full << Reader::Selector << 1
                                                     << QStringList{QStringLiteral("22.gif"), QStringLiteral("32.gif")}
                                                     << Spoil::Missing << QString();
    QTest::newRow("selector: the next preview is no picture")
        << Edition::Full << Reader::Selector << 1 << QStringList{QStringLiteral("32.gif")} << Spoil::Text
        << QStringLiteral("22.gif");
    QTest::newRow("selector: a right-facing file that is no picture")
        << Edition::Full << Reader::Selector << 0 << QStringList{QStringLiteral("3.gif")} << Spoil::Text
        << QStringLiteral("2.gif");

    QTest::newRow("wind browsing: sprite missing") << Edition::Wind << Reader::WindBrowse << 0
                                                   << QStringList{QStringLiteral("2.gif")} << Spoil::Missing << QString();
}

void TestBadInput::unreadablePicture()
{
    QFETCH(Edition, edition);
    QFETCH(Reader, reader);
    QFETCH(int, slot);
    QFETCH(QStringList, spoiled);
    QFETCH(Spoil, how);
    QFETCH(QString, kept);

    // The shipped pictures, all but the spoiled ones.
    PictureFolder folder;
    QVERIFY(folder.isValid());
    for (const QString& name : QDir(TestGame::assetsFolder()).entryList({QStringLiteral("*.gif")}, QDir::Files)) {
        if (!spoiled.contains(name))
            QVERIFY(folder.copyAsset(name));
    }
    for (const QString& name : spoiled)
        QVERIFY(spoil(folder, name, how));

    // One message for each spoiled file, as it is read: which file, and why.
    QStringList expected;
    if (const QString reason = reasonFor(how); !reason.isEmpty()) {
        for (const QString& name : spoiled) {
            const QString text = name == QLatin1String("field.gif") ? QStringLiteral("Cannot read the battlefield picture %1 (%2).")
                                                                     : QStringLiteral("Cannot read the picture file %1 (%2).");
            expected << text.arg(folder.file(name), reason);
        }
    }

    TestGame g(edition, folder.path());
    const ui::Sprite* sprite = nullptr;  // the one that tries to load a spoiled picture
    QImage before;
    switch (reader) {
    case Reader::BattleWindow: {
        BattleWindow& b = g->Battle();
        QCOMPARE(g.messages, expected);
        if (expected.isEmpty()) {
            // The content decides the format: the battlefield takes its size.
            QCOMPARE(g.endStatus, -1);
            startDuel(g);
            QVERIFY(g.messages.isEmpty());
            QCOMPARE(g.endStatus, -1);
            QCOMPARE(b.Picture1.width(), 270.0);
            QCOMPARE(b.Picture1.height(), 285.0);
            return;
        }
        // Without a battlefield the program ends. The window is whole and
        // still: nothing ticks any more.
        QCOMPARE(g.endStatus, 1);
        for (const ui::Timer* timer : b.timers())
            QVERIFY(!timer->enabled());
        QCOMPARE(b.ProgressBar2.value(), 50.0f);
        QCOMPARE(b.Frame3.width(), b.Picture1.width());
        if (edition == Edition::Full) {
            // The battlefield stored with the window stays.
            QVERIFY(!b.Picture1.picture().isNull());
            QCOMPARE(b.Picture1.width(), 15360.0);
        }
        // A duel started on it all the same says nothing more.
        startDuel(g);
        QCOMPARE(g.messages, expected);
        QCOMPARE(g.endStatus, 1);
        return;
    }
    case Reader::Turning: {
        // The match starts on the built-in roster pictures; the sprite file
        // is first needed when a vehicle turns.
        startDuel(g);
        QVERIFY(g.messages.isEmpty());
        // The player drives character N, whose left-facing sprite is "N2.gif".
        g->Form1().characterNumber[slot]->setText(spoiled.first().chopped(QStringLiteral("2.gif").size()));
        PanelWindow& panel = g->player(slot);
        panel.show();
        sprite = g->Battle().vehicle[slot];
        before = sprite->picture().toImage();
        panel.kiri.click();
        // The vehicle faces left (and shoots left) but keeps its picture.
        QCOMPARE(panel.Label1.caption(), QStringLiteral("kiri"));
        QCOMPARE(panel.Label3.caption(), QStringLiteral("0"));
        break;
    }
    case Reader::Selector:
    case Reader::WindBrowse: {
        // A duel on the roster, where player `slot` picks a character.
        RosterWindow& roster = g->Form1();
        roster.show();
        roster.Command1.click();
        sprite = roster.picture[slot];
        before = sprite->picture().toImage();
        if (reader == Reader::WindBrowse) {
            g->windSetup().nextButton[slot]->click();
            QCOMPARE(roster.characterNumber[slot]->text(), QStringLiteral("2"));
            break;
        }
        SetupWindow& s = g->setup();
        s.picture[slot]->click();
        QVERIFY(s.Frame5.isShown());
        QCOMPARE(s.Label9.caption(), characterCatalogue().at(static_cast<std::size_t>(slot)).name);
        // Browsing goes on to character 3.
        for (int shown = slot + 1; shown < 3; ++shown)
            s.Command7.click();
        QCOMPARE(s.Label10.caption(), QStringLiteral("3"));
        QCOMPARE(s.Label9.caption(), QStringLiteral("MortaCar"));
        // "OK" commits the choice; the roster picture becomes the last
        // preview that loaded, if any did.
        s.Command16.click();
        QCOMPARE(s.characterNumber[slot]->text(), QStringLiteral("3"));
        QCOMPARE(s.attack[slot]->text(), QStringLiteral("6"));
        break;
    }
    }
    QCOMPARE(g.messages, expected);
    QVERIFY(!before.isNull());
    QCOMPARE(sprite->picture().toImage(), kept.isEmpty() ? before : assetImage(kept));
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

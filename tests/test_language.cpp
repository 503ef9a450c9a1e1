// The language a player reads the game in: every window in English, players'
// texts as typed, switching while windows are open, and the remembered choice.

#include "test_support.h"

#include "app/game_words.h"
#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/roster_window.h"
#include "setup/setup_window.h"
#include "ui/language.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// The Indonesian pieces of every designed text whose English differs, read
// from the translation file: a template's pieces between its "%1", "%2".
QStringList indonesianPieces()
{
    QFile file(QStringLiteral(KESTRAVA_TRANSLATIONS));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QStringList pieces;
    QString source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && xml.readElementText() != source)
            for (const QString& piece : source.split(QRegularExpression(QStringLiteral("%\\d"))))
                if (piece.trimmed().size() >= 3)
                    pieces << piece;
    }
    return pieces;
}

// Every text the game's windows show a player now: titles, captions of
// labels, buttons and frames, choices, and the messages shown so far.
QStringList shownTexts(TestGame& g)
{
    QStringList texts = g.messages;
    for (const Game::LiveWindow& live : g->liveWindows()) {
        QWidget* window = live.window->widget();
        texts << window->windowTitle();
        for (const QLabel* label : window->findChildren<QLabel*>())
            texts << label->text();
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            texts << button->text();
        for (const QGroupBox* frame : window->findChildren<QGroupBox*>())
            texts << frame->title();
        for (const QComboBox* choice : window->findChildren<QComboBox*>())
            texts << choice->currentText();
    }
    return texts;
}

// The designed Indonesian left in what the windows show, "piece in text".
QStringList indonesianLeft(TestGame& g)
{
    QStringList left;
    const QStringList pieces = indonesianPieces();
    for (const QString& piece : pieces) {
        // The piece as words of their own: "poin" is not in "points".
        const QRegularExpression words(QStringLiteral("(?<!\\w)%1(?!\\w)")
                                           .arg(QRegularExpression::escape(piece.trimmed())));
        for (const QString& text : shownTexts(g))
            if (text.contains(words))
                left << piece + QStringLiteral(" in ") + text;
    }
    return left;
}

// A text a player reads: the widget of a field.
QString shown(const ui::Field& field)
{
    if (const auto* label = qobject_cast<const QLabel*>(field.widget()))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(field.widget()))
        return button->text();
    return static_cast<const QGroupBox*>(field.widget())->title();
}

// A player choosing a language in "Bahasa" with the keyboard.
void chooseLanguage(RosterWindow& form, ui::Language language)
{
    QComboBox* choice = static_cast<QComboBox*>(form.Bahasa.widget());
    while (choice->currentIndex() != static_cast<int>(language))
        QTest::keyClick(choice, choice->currentIndex() < static_cast<int>(language) ? Qt::Key_Down : Qt::Key_Up);
}

// Player 1 destroys player 2 in a duel: a kill and a winner message.
void player1DestroysPlayer2(TestGame& g)
{
    g->setTurnMarker(QStringLiteral("0"));
    g->Battle().dm2.setCaption(QStringLiteral("1000"));
    explode(g);
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home_;

private slots:
    void initTestCase()
    {
        QVERIFY(useScratchHome(home_));
        QVERIFY(indonesianPieces().contains(QStringLiteral("Nama")));
    }
    void cleanup()
    {
        ui::showLanguage(ui::Language::Indonesian);
        QSettings(QStringLiteral("kestrava"), QStringLiteral("kestrava")).clear();
    }

    // Every window the game shows, with every seat level and every message,
    // reads in English: no designed Indonesian is left. The Indonesian game
    // shows those same texts in Indonesian, so the walk sees them.
    void everyWindowReadsInTheLanguageShown_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<ui::Language>("language");
        QTest::addColumn<bool>("indonesianShown");
        for (const Edition edition : {Edition::Full, Edition::Wind}) {
            const char* name = edition == Edition::Wind ? "wind edition" : "full game";
            QTest::addRow("%s, English", name) << edition << ui::Language::English << false;
            QTest::addRow("%s, Indonesian", name) << edition << ui::Language::Indonesian << true;
        }
    }
    void everyWindowReadsInTheLanguageShown()
    {
        QFETCH(Edition, edition);
        QFETCH(ui::Language, language);
        QFETCH(bool, indonesianShown);
        ui::showLanguage(language);
        TestGame g(edition);
        RosterWindow& form = g->Form1();
        form.show();
        QStringList left = indonesianLeft(g);  // the main menu

        // The roster of four with every kind of seat, the selector open.
        form.chooseGameType(4);
        form.setSeatPlayer(1, computer::Level::Easy);
        form.setSeatPlayer(2, computer::Level::Medium);
        form.setSeatPlayer(3, computer::Level::Hard);
        if (edition == Edition::Full)
            g->setup().openSelector(1);
        left << indonesianLeft(g);
        for (int slot = 1; slot < 4; ++slot)
            form.setSeatPlayer(slot, std::nullopt);

        // A match of four: battle window, panels, score board, its cover,
        // a bad picture, a kill, a winner, a draw.
        form.Command5.click();
        for (int slot = 0; slot < 4; ++slot)
            g->player(slot).show();
        form.Image1.loadPictureFile(QStringLiteral("/nonexistent/1.gif"));
        left << indonesianLeft(g);
        g->Battle().mob3.hide();
        g->Battle().mob4.hide();
        player1DestroysPlayer2(g);
        g->Battle().vehicle[0]->hide();
        g->Battle().Picture1.pointerMove(4000, 5000);
        QCOMPARE(g.messages.size(), 4);
        left << indonesianLeft(g);

        if (indonesianShown)
            QVERIFY(left.size() > 10);
        else
            QCOMPARE(left.join(QLatin1Char('\n')), QString());
    }

    // A player's name (or typed score) that is also a designed word stays as
    // typed on the panel's title, the name plate, the score board and in the
    // messages.
    void playersTextsStayAsTyped_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<QString>("name");
        for (const Edition edition : {Edition::Full, Edition::Wind}) {
            const char* program = edition == Edition::Wind ? "kestrava1" : "kestrava2";
            for (const char* word : {"kiri", "Nama", "Pemenang: %1"})
                QTest::addRow("%s: %s", program, word) << edition << QString::fromUtf8(word);
        }
    }
    void playersTextsStayAsTyped()
    {
        QFETCH(Edition, edition);
        QFETCH(QString, name);
        ui::showLanguage(ui::Language::English);
        TestGame g(edition);
        g->Form1().show();
        g->Form1().chooseGameType(2);
        g->Form1().Text1.type(name);
        g->Score().Text1q.type(name);
        g->Form1().Command5.click();

        PanelWindow& panel = g->player(0);
        QCOMPARE(panel.widget()->windowTitle(), name);
        QCOMPARE(shown(panel.score1), name);
        g->Battle().namePlateTick();
        QCOMPARE(shown(g->Battle().name1), name + QStringLiteral(" (Lv.0)"));
        g->Score().mirrorTick();
        QCOMPARE(g->Score().Text1.text(), name);
        player1DestroysPlayer2(g);
        QCOMPARE(g.messages, QStringList({QStringLiteral("Player2 was wiped out by ") + name
                                              + QStringLiteral(". Score 50 points"),
                                          QStringLiteral("Winner: ") + name}));
    }

    // Choosing a language in "Bahasa" redraws the open windows at once; the
    // game still reads its own words, and coming back shows exactly what the
    // windows showed before.
    void choosingALanguageRedrawsOpenWindows_data() { addEditionRows(); }
    void choosingALanguageRedrawsOpenWindows()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = g->Form1();
        form.show();
        startDuel(g);
        PanelWindow& panel = g->player(0);
        panel.show();
        g->Score().show();
        const QStringList indonesian = shownTexts(g);
        QCOMPARE(shown(panel.kanan), QStringLiteral("kanan"));

        chooseLanguage(form, ui::Language::English);
        QCOMPARE(ui::shownLanguage(), ui::Language::English);
        QCOMPARE(shown(panel.kanan), QStringLiteral("right"));
        QCOMPARE(shown(panel.Command1), QStringLiteral("fire"));
        QCOMPARE(shown(panel.Label4), QStringLiteral("Height:"));
        QCOMPARE(shown(form.LabelBahasa), QStringLiteral("Language"));
        QCOMPARE(static_cast<QAbstractButton*>(form.Suara.widget())->text(), QStringLiteral("Sound"));
        QCOMPARE(panel.Command1.caption(), QStringLiteral("tembak"));
        QVERIFY(panel.facing().has_value());
        QCOMPARE(indonesianLeft(g), QStringList());

        chooseLanguage(form, ui::Language::Indonesian);
        QCOMPARE(shownTexts(g), indonesian);

        // A fire press in English: the stage moves on, and is shown.
        chooseLanguage(form, ui::Language::English);
        panel.Command1.click();
        QCOMPARE(panel.fireStage(), std::optional(words::FireStage::FarRising));
        QCOMPARE(shown(panel.Command1), QStringLiteral("far ok"));
    }

    // At start the language comes from the command line for that run alone,
    // or else from the remembered choice; a player's choice is remembered.
    void startsInTheRememberedLanguage_data()
    {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<ui::Language>("shown");
        QTest::newRow("nothing remembered") << QString() << QString() << ui::Language::Indonesian;
        QTest::newRow("English remembered") << QStringLiteral("en") << QString() << ui::Language::English;
        QTest::newRow("--language id, English remembered") << QStringLiteral("en") << QStringLiteral("id") << ui::Language::Indonesian;
        QTest::newRow("--language en, Indonesian remembered") << QStringLiteral("id") << QStringLiteral("en") << ui::Language::English;
        QTest::newRow("unknown code remembered") << QStringLiteral("xx") << QString() << ui::Language::Indonesian;
    }
    void startsInTheRememberedLanguage()
    {
        QFETCH(QString, remembered);
        QFETCH(QString, commandLine);
        QFETCH(ui::Language, shown);
        QSettings settings(QStringLiteral("kestrava"), QStringLiteral("kestrava"));
        if (!remembered.isEmpty())
            settings.setValue(QStringLiteral("language"), remembered);
        settings.sync();

        TestGame g;
        g->Form1().startInLanguage(ui::languageWithCode(commandLine));
        QCOMPARE(ui::shownLanguage(), shown);
        QCOMPARE(g->Form1().Bahasa.index(), static_cast<int>(shown));
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("language")).toString(), remembered);

        const ui::Language other = shown == ui::Language::English ? ui::Language::Indonesian : ui::Language::English;
        g->Form1().show();
        chooseLanguage(g->Form1(), other);
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("language")).toString(), ui::languageCode(other));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"

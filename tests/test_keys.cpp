// The keys as a player meets them: real key events on the battle window and
// the panels press the buttons of the panel whose player holds the turn, as
// clicks would; F1 and "Bantuan" open the help, which play goes on beside.

#include "test_support.h"
#include "ui/language.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "setup/roster_window.h"
#include "ui/help_browser.h"
#include "ui/message_box.h"

#include <QKeyEvent>
#include <QtTest>

class TestKeys : public QObject {
    Q_OBJECT

private slots:
    void keyActsAsItsButtonsClick_data();
    void keyActsAsItsButtonsClick();
    void keyDoesNothingWhereAClickCannot_data();
    void keyDoesNothingWhereAClickCannot();
    void onePressIsOneClick();
    void helpOpens_data();
    void helpOpens();
    void playGoesOnBesideTheHelp();
    void helpButtonFitsTheSetupWindow_data();
    void helpButtonFitsTheSetupWindow();
};

namespace {

// A duel with player 1's turn: its panel shown, facing right, 2 points.
PanelWindow& playerOnesTurn(TestGame& g)
{
    setUpMatch(g, {true, true, false, false}, 0);
    g->Battle().show();
    PanelWindow& p = g->player(0);
    p.Label3.setCaption(QStringLiteral("2"));
    p.show();
    return p;
}

// What a press left behind on player 1's panel and vehicle.
QString panelState(TestGame& g)
{
    PanelWindow& p = g->player(0);
    return QStringList{p.Label1.caption(), p.Label3.caption(), p.Command1.caption(),
                       p.visible() ? QStringLiteral("shown") : QStringLiteral("hidden"),
                       g->Battle().vehicle[0]->tag()}
        .join(QLatin1Char('|'));
}

QWidget* keyTarget(TestGame& g, const QString& window)
{
    return window == QLatin1String("battle") ? g->Battle().widget() : g->player(0).widget();
}

} // namespace

void TestKeys::keyActsAsItsButtonsClick_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    for (const Edition edition : kEditions) {
        const char* name = edition == Edition::Wind ? "wind" : "full";
        QTest::addRow("%s left on battle", name) << edition << int(Qt::Key_Left) << "kiri" << "battle";
        QTest::addRow("%s right on panel", name) << edition << int(Qt::Key_Right) << "kanan" << "panel";
        QTest::addRow("%s up on battle", name) << edition << int(Qt::Key_Up) << "atas" << "battle";
        QTest::addRow("%s down on panel", name) << edition << int(Qt::Key_Down) << "bawah" << "panel";
        QTest::addRow("%s space on battle", name) << edition << int(Qt::Key_Space) << "tembak" << "battle";
        QTest::addRow("%s return on panel", name) << edition << int(Qt::Key_Return) << "tembak" << "panel";
        QTest::addRow("%s keypad enter", name) << edition << int(Qt::Key_Enter) << "tembak" << "battle";
    }
}

void TestKeys::keyActsAsItsButtonsClick()
{
    QFETCH(Edition, edition);
    QFETCH(int, key);
    QFETCH(QString, button);
    QFETCH(QString, window);
    TestGame clicked(edition);
    PanelWindow& p = playerOnesTurn(clicked);
    ui::Button* buttons[] = {&p.kiri, &p.kanan, &p.atas, &p.bawah, &p.Command1};
    for (ui::Button* b : buttons)
        if (b->caption() == button)
            QTest::mouseClick(b->widget(), Qt::LeftButton);

    TestGame keyed(edition);
    playerOnesTurn(keyed);
    const QString before = panelState(keyed);
    QTest::keyClick(keyTarget(keyed, window), Qt::Key(key));
    QVERIFY(panelState(keyed) != before);
    QCOMPARE(panelState(keyed), panelState(clicked));
}

void TestKeys::keyDoesNothingWhereAClickCannot_data()
{
    QTest::addColumn<QString>("condition");
    QTest::newRow("panel hidden") << "panel hidden";
    QTest::newRow("button hidden") << "button hidden";
    QTest::newRow("button disabled") << "button disabled";
    QTest::newRow("computer's seat") << "computer";
    QTest::newRow("computer's own panel") << "computer panel";
    QTest::newRow("message box up") << "message";
    QTest::newRow("between turns") << "between turns";
}

void TestKeys::keyDoesNothingWhereAClickCannot()
{
    QFETCH(QString, condition);
    TestGame g;
    PanelWindow& p = playerOnesTurn(g);
    QWidget* target = g->Battle().widget();
    if (condition == QLatin1String("panel hidden"))
        p.hide();
    else if (condition == QLatin1String("button hidden")) {
        p.Command1.hide();
        p.atas.hide();
    }
    else if (condition == QLatin1String("button disabled"))
        p.gerakan.setEnabled(false);
    else if (condition == QLatin1String("between turns"))
        g->setTurnMarker(QStringLiteral("-1"));
    else if (condition.startsWith(QLatin1String("computer"))) {
        g->Form1().setSeatPlayer(0, computer::Level::Easy);
        if (condition == QLatin1String("computer panel"))
            target = p.widget();
    }
    const QString before = panelState(g);
    if (condition == QLatin1String("message")) {
        ui::setMessagePresenter([target](const QString&) { QTest::keyClick(target, Qt::Key_Space); });
        ui::showMessage(QStringLiteral("Draw!"));
    } else {
        QTest::keyClick(target, Qt::Key_Space);
        QTest::keyClick(target, Qt::Key_Up);
    }
    QCOMPARE(panelState(g), before);
    QVERIFY(!p.Timer2.enabled());
}

// One press is one click: a held key's repeats add nothing, and Space on a
// panel button that holds the keyboard focus is the fire key only (the
// focused button is not pressed as well).
void TestKeys::onePressIsOneClick()
{
    TestGame g;
    PanelWindow& p = playerOnesTurn(g);
    for (const bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
        QApplication::sendEvent(g->Battle().widget(), &press);
    }
    QCOMPARE(p.fireStage(), words::FireStage::FarRising);
    p.kiri.widget()->setFocus();
    QTest::keyClick(p.kiri.widget(), Qt::Key_Space);
    QCOMPARE(p.fireStage(), words::FireStage::HighRising);
    QCOMPARE(p.Label1.caption(), QStringLiteral("kanan"));
}

void TestKeys::helpOpens_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("how");
    for (const Edition edition : kEditions) {
        const char* name = edition == Edition::Wind ? "wind" : "full";
        QTest::addRow("%s F1 on setup", name) << edition << "F1 setup";
        QTest::addRow("%s F1 on battle", name) << edition << "F1 battle";
        QTest::addRow("%s F1 on panel", name) << edition << "F1 panel";
        QTest::addRow("%s Bantuan", name) << edition << "Bantuan";
    }
}

void TestKeys::helpOpens()
{
    QFETCH(Edition, edition);
    QFETCH(QString, how);
    TestGame g(edition);
    RosterWindow& form = g->Form1();
    form.show();
    playerOnesTurn(g);
    if (how == QLatin1String("Bantuan"))
        QTest::mouseClick(form.Bantuan.widget(), Qt::LeftButton);
    else
        QTest::keyClick(how.endsWith(QLatin1String("setup")) ? form.widget() : keyTarget(g, how.mid(3)), Qt::Key_F1);
    QVERIFY(g->help() && g->help()->visible());
    QCOMPARE(g->help()->title(), QStringLiteral("Bantuan - ") + programName(edition));
    QVERIFY(g->help()->shownText().contains(QStringLiteral("Tombol keyboard")));
    // With English shown, the help opens anew in English.
    ui::showLanguage(ui::Language::English);
    g->showHelp();
    ui::showLanguage(ui::Language::Indonesian);
    QCOMPARE(g->help()->title(), QStringLiteral("Help - ") + programName(edition));
    QVERIFY(g->help()->shownText().contains(QStringLiteral("Playing against the computer")));
}

void TestKeys::playGoesOnBesideTheHelp()
{
    TestGame g;
    PanelWindow& p = playerOnesTurn(g);
    QTest::keyClick(g->Battle().widget(), Qt::Key_F1);
    QTest::keyClick(g->Battle().widget(), Qt::Key_Space);
    tickTimes(p.Timer2, 10);
    QTest::mouseClick(p.Command1.widget(), Qt::LeftButton);
    tickTimes(p.Timer6, 5);
    QTest::keyClick(p.widget(), Qt::Key_Return);
    QVERIFY(g->Battle().Timer1.enabled());
    QCOMPARE(g->Battle().ProgressBar1.value(), 10.0f);
    QCOMPARE(g->Battle().Slider1.value(), 5.0f);
    QVERIFY(g->help()->visible());
}

void TestKeys::helpButtonFitsTheSetupWindow_data() { addEditionRows(); }

// "Bantuan" lies whole on the setup window's main menu page, over no other
// field, and under the roster when that is up.
void TestKeys::helpButtonFitsTheSetupWindow()
{
    QFETCH(Edition, edition);
    TestGame g(edition);
    RosterWindow& form = g->Form1();
    form.show();
    QWidget* top = form.widget();
    const QRect drawn(form.Bantuan.widget()->mapTo(top, QPoint(0, 0)), form.Bantuan.widget()->size());
    QVERIFY(top->rect().contains(drawn));
    for (ui::Field* field : form.fields()) {
        if (field == &form.Bantuan || !field->isShown() || field->widget()->parentWidget() != top)
            continue;
        QVERIFY(!QRect(field->widget()->mapTo(top, QPoint(0, 0)), field->widget()->size()).intersects(drawn));
    }
    QCOMPARE(top->childAt(drawn.center()), form.Bantuan.widget());
    form.Command1.click();
    QVERIFY(top->childAt(drawn.center()) != form.Bantuan.widget());
}

QTEST_MAIN(TestKeys)
#include "test_keys.moc"

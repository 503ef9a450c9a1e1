#include "test_support.h"

#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/timer.h"
#include "ui/watch.h"
#include "ui/window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <vector>

namespace {

// A window with a few fields in nested containers. Client area 400 x 300
// pixels; the comments give each field's place in window pixels.
class ProbeWindow : public ui::Window {
public:
    ProbeWindow()
        : ui::Window(QStringLiteral("Probe"), 6000, 4500)
        , Frame3(*this, QString(), {300, 300, 3000, 2250})                          // 20,20 200x150
        , Frame4(Frame3, QString(), {150, 450, 2400, 1500}, true, ui::Frame::Border::None) // 30,50 160x100
        , Text1(Frame4, QStringLiteral("one"), {300, 300, 1500, 375})                // 50,70 100x25
        , Button1(Frame4, QStringLiteral("go"), {300, 900, 1200, 375})               // 50,110 80x25
        , Text2(*this, QStringLiteral("two"), {3900, 300, 1500, 600})                // 260,20 100x40
        , Line1(*this, 3900, 450, 5400, 450, ui::kRed)                               // across Text2 at y 30
        , Shape1(*this, {3900, 300, 1500, 600})                                      // around Text2
        , LabelA(*this, QStringLiteral("A"), {300, 3000, 1500, 600})                 // 20,200 100x40
        , LabelB(*this, QStringLiteral("B"), {900, 3150, 1500, 600})                 // 60,210 100x40
        , Check1(*this, QStringLiteral("tick"), {3900, 1200, 1500, 300}, true)       // 260,80 100x20
        , Slider1(*this, {0, 10, 1, 1, 5}, 5, {3900, 1800, 1500, 300})              // 260,120
        , ProgressBar1(*this, 0, 100, 80, {3900, 2400, 1500, 300})                   // 260,160
        , Timer1(*this, QStringLiteral("Timer1"), 1000, true, [this] { timerHandler(); })
    {
    }

    ui::Frame Frame3;
    ui::Frame Frame4;
    ui::TextField Text1;
    ui::Button Button1;
    ui::TextField Text2;
    ui::Line Line1;
    ui::Shape Shape1;
    ui::Label LabelA;
    ui::Label LabelB;
    ui::CheckBox Check1;
    ui::Slider Slider1;
    ui::ProgressBar ProgressBar1;
    ui::Timer Timer1;

    std::function<void()> onTimer;

private:
    void timerHandler()
    {
        if (onTimer)
            onTimer();
    }
};

struct Move {
    QString who;
    ui::Twips x;
    ui::Twips y;
};

// Counts the events that a change of geometry or looks causes on a widget.
class CostCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Paint:
        case QEvent::LayoutRequest:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::EnabledChange:
            ++count;
            break;
        default:
            break;
        }
        return false;
    }
};

// Handlers whose captured state has been destroyed. Kept outside any handler,
// so that a handler can read it after it has cleared itself.
int droppedHandlers = 0;
// For each handler run, how many were dropped while it ran.
std::vector<int> droppedMidCall;
struct DropCounter {
    ~DropCounter() { ++droppedHandlers; }
};

} // namespace

class TestUiLayer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProbeWindow> w;
    std::vector<Move> moves;
    QStringList clicked;  // the fields clicked, by name, in order
    QStringList messages;

    void recordMoves()
    {
        moves.clear();
        auto record = [this](const QString& who) {
            return [this, who](ui::Twips x, ui::Twips y) { moves.push_back({who, x, y}); };
        };
        w->onPointerMove(record(QStringLiteral("window")));
        w->Frame3.onPointerMove(record(QStringLiteral("Frame3")));
        w->Frame4.onPointerMove(record(QStringLiteral("Frame4")));
        w->Text1.onPointerMove(record(QStringLiteral("Text1")));
        w->Text2.onPointerMove(record(QStringLiteral("Text2")));
        w->Line1.onPointerMove(record(QStringLiteral("Line1")));
        w->Shape1.onPointerMove(record(QStringLiteral("Shape1")));
        w->LabelA.onPointerMove(record(QStringLiteral("LabelA")));
        w->LabelB.onPointerMove(record(QStringLiteral("LabelB")));
    }

    // Records the clicks of the fields the click tests press, by name.
    void recordClicks()
    {
        clicked.clear();
        w->Button1.onClick([this] { clicked << QStringLiteral("Button1"); });
        w->Text1.onClick([this] { clicked << QStringLiteral("Text1"); });
        w->LabelA.onClick([this] { clicked << QStringLiteral("LabelA"); });
    }

    void showAndWait()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->widget()));
    }

    // A pointer move through the platform, as the window system delivers it.
    void platformMove(QPoint windowPixel)
    {
        QTest::mouseMove(w->widget()->windowHandle(), windowPixel);
    }

    // A drag through the platform: pressed at `from`, moved through `path`,
    // released where the path ends.
    void platformDrag(QPoint from, std::initializer_list<QPoint> path)
    {
        QWindow* handle = w->widget()->windowHandle();
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        for (const QPoint& windowPixel : path)
            QTest::mouseMove(handle, windowPixel);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, *(path.end() - 1));
    }

private slots:
    void initTestCase()
    {
        ui::Timer::setManualTicking(true);
        ui::setMessagePresenter([this](const QString& text) { messages << text; });
    }
    void init()
    {
        messages.clear();
        w = std::make_unique<ProbeWindow>();
    }
    void cleanup() { w.reset(); }

    // ---- Geometry ----

    void positionsAreKeptInExactTwips()
    {
        auto& t = w->Text1;
        t.setLeft(t.left() + 50);
        QCOMPARE(t.left(), 350.0);
        t.setTop(t.top() + 100);
        QCOMPARE(t.top(), 400.0);
        t.move(t.left() + 50, t.top() - 100);
        QCOMPARE(t.left(), 400.0);
        QCOMPARE(t.top(), 300.0);
        // Twelve moves of 50 twips land exactly 600 twips on, though 50 is not
        // a whole number of pixels.
        for (int i = 0; i < 12; ++i)
            t.setLeft(t.left() + 50);
        QCOMPARE(t.left(), 1000.0);
        t.setWidth(1007.5);
        QCOMPARE(t.width(), 1007.5);
    }

    void eachSizeSetterChangesItsOwnNumberOnly()
    {
        auto& t = w->Text2;
        t.setRect({1500, 750, 3000, 375});
        t.setLeft(3000);
        t.setTop(1500);
        t.setWidth(1500);
        t.setHeight(750);
        QCOMPARE(t.left(), 3000.0);
        QCOMPARE(t.top(), 1500.0);
        QCOMPARE(t.width(), 1500.0);
        QCOMPARE(t.height(), 750.0);
        QCOMPARE(t.widget()->geometry(), QRect(200, 100, 100, 50));
    }

    void fieldsAreDrawnAtFifteenTwipsAPixel()
    {
        auto& t = w->Text2;
        t.setRect({1500, 750, 3000, 375});
        QCOMPARE(t.widget()->geometry(), QRect(100, 50, 200, 25));
        t.setLeft(1550); // 103.3 pixels
        QCOMPARE(t.widget()->geometry().x(), 103);
        QCOMPARE(t.left(), 1550.0);
        QCOMPARE(w->clientWidth(), 6000.0);
        QCOMPARE(w->clientHeight(), 4500.0);
        QCOMPARE(w->widget()->size(), QSize(400, 300));
    }

    void containersMoveTheirContents()
    {
        const QPoint before = windowPixel(w->Text1, {0, 0});
        w->Frame3.move(w->Frame3.left() + 1500, w->Frame3.top());
        QCOMPARE(windowPixel(w->Text1, {0, 0}), before + QPoint(100, 0));
        QCOMPARE(w->Text1.left(), 300.0); // relative to its frame: unchanged
    }

    void windowSizeAndPlacement()
    {
        w->placeClientAt(60, 405);
        QCOMPARE(w->widget()->geometry().topLeft(), QPoint(4, 27));
        QCOMPARE(w->clientWidth(), 6000.0);
        showAndWait();
        QVERIFY(w->outerWidth() >= w->clientWidth());
        QVERIFY(w->outerHeight() >= w->clientHeight());
        QVERIFY(w->left() <= 60);
        QVERIFY(w->top() <= 405);
    }

    // ---- Shown and enabled through containers ----

    void hiddenContainersHideTheirContents()
    {
        showAndWait();
        QVERIFY(w->Text1.isShown());
        w->Frame3.hide();
        QVERIFY(!w->Frame4.isShown());
        QVERIFY(!w->Text1.isShown());
        QVERIFY(w->Text1.visible()); // its own flag is untouched
        QVERIFY(w->Frame4.visible());
        QVERIFY(!w->Text1.widget()->isVisible());
        w->Frame3.show();
        QVERIFY(w->Text1.isShown());
        QVERIFY(w->Text1.widget()->isVisible());

        // Frame4 hidden inside a shown Frame3.
        w->Frame4.hide();
        QVERIFY(w->Frame3.isShown());
        QVERIFY(!w->Text1.isShown());
        QVERIFY(!w->Button1.isShown());
    }

    void disabledContainersDisableTheirContents()
    {
        showAndWait();
        int clicks = 0;
        w->Button1.onClick([&] { ++clicks; });
        w->Button1.click();
        QCOMPARE(clicks, 1);

        w->Frame3.setEnabled(false);
        QVERIFY(!w->Frame4.isEnabled());
        QVERIFY(!w->Button1.isEnabled());
        QWidget* button = w->Button1.widget();
        QVERIFY(button->isEnabledTo(button->parentWidget())); // its own flag is untouched
        w->Button1.click();
        QCOMPARE(clicks, 1);
        w->Text1.type(QStringLiteral("typed"));
        QCOMPARE(w->Text1.text(), QStringLiteral("one"));

        w->Frame3.setEnabled(true);
        QVERIFY(w->Button1.isEnabled());
        w->Button1.click();
        QCOMPARE(clicks, 2);

        // A field disabled while its container is disabled stays disabled
        // when the container comes back.
        w->Frame3.setEnabled(false);
        w->Button1.setEnabled(false);
        w->Frame3.setEnabled(true);
        QVERIFY(!w->Button1.isEnabled());
        w->Button1.setEnabled(true);
        QVERIFY(w->Button1.isEnabled());
    }

    void clicksNeedAShownWindowAndField()
    {
        int clicks = 0;
        w->Button1.onClick([&] { ++clicks; });
        w->Button1.click(); // window not shown yet
        QCOMPARE(clicks, 0);
        showAndWait();
        w->Frame4.hide();
        w->Button1.click();
        QCOMPARE(clicks, 0);
        w->Frame4.show();
        w->Button1.setEnabled(false);
        w->Button1.click();
        QCOMPARE(clicks, 0);
        w->Button1.setEnabled(true);
        w->Button1.click();
        QCOMPARE(clicks, 1);
    }

    // ---- Pointer routing through Qt ----

    void pointerMoveGoesToTheFieldUnderItOnly_data()
    {
        QTest::addColumn<QPoint>("windowPixel");
        QTest::addColumn<QString>("who");
        QTest::addColumn<QPointF>("twips");  // where, in the receiver's own twips
        // Text1 lies at window pixels (50, 70).
        QTest::newRow("a text field") << QPoint(60, 80) << QStringLiteral("Text1") << QPointF(150, 150);
        QTest::newRow("inside Frame3 but outside Frame4")
            << QPoint(25, 160) << QStringLiteral("Frame3") << QPointF(75, 2100);
        QTest::newRow("the bare window, in client twips")
            << QPoint(350, 280) << QStringLiteral("window") << QPointF(5250, 4200);
    }
    void pointerMoveGoesToTheFieldUnderItOnly()
    {
        QFETCH(QPoint, windowPixel);
        QFETCH(QString, who);
        QFETCH(QPointF, twips);
        showAndWait();
        recordMoves();
        platformMove(windowPixel);
        QCOMPARE(int(moves.size()), 1);
        QCOMPARE(moves[0].who, who);
        QCOMPARE(moves[0].x, twips.x());
        QCOMPARE(moves[0].y, twips.y());
    }

    void dragMovesGoToTheFieldWhereThePressBegan()
    {
        showAndWait();
        recordMoves();
        // Begun on the bare window: every move is the window's, even over Text1.
        platformDrag(QPoint(350, 280), {QPoint(340, 270), QPoint(60, 80)});
        QCOMPARE(int(moves.size()), 2);
        QCOMPARE(moves[0].who, QStringLiteral("window"));
        QCOMPARE(moves[1].who, QStringLiteral("window"));
        QCOMPARE(moves[1].x, 60.0 * 15);
        QCOMPARE(moves[1].y, 80.0 * 15);

        // Begun on Text1 (window pixels 50,70): Text1 gets the moves in its own
        // twips, outside it too, and its frames get none.
        moves.clear();
        platformDrag(QPoint(60, 80), {QPoint(70, 85), QPoint(300, 280)});
        QCOMPARE(int(moves.size()), 2);
        QCOMPARE(moves[0].who, QStringLiteral("Text1"));
        QCOMPARE(moves[0].x, 20.0 * 15);
        QCOMPARE(moves[0].y, 15.0 * 15);
        QCOMPARE(moves[1].who, QStringLiteral("Text1"));
        QCOMPARE(moves[1].x, 250.0 * 15);
        QCOMPARE(moves[1].y, 210.0 * 15);
        // The text field itself took the drag too: it selected what the
        // pointer swept.
        const QString selected = static_cast<QLineEdit*>(w->Text1.widget())->selectedText();
        QVERIFY(!selected.isEmpty());
        QVERIFY(QStringLiteral("one").endsWith(selected));

        // After the release the field under the pointer has them again.
        moves.clear();
        platformMove(QPoint(25, 160));
        QCOMPARE(int(moves.size()), 1);
        QCOMPARE(moves[0].who, QStringLiteral("Frame3"));
    }

    void dragMovesFromAButtonStayWithTheButton()
    {
        showAndWait();
        recordMoves();
        w->Button1.onPointerMove([this](ui::Twips x, ui::Twips y) { moves.push_back({QStringLiteral("Button1"), x, y}); });
        int clicks = 0;
        w->Button1.onClick([&] { ++clicks; });
        QWindow* handle = w->widget()->windowHandle();
        // Button1 lies at window pixels (50,110), 80 x 25.
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(60, 115));
        moves.clear();
        QTest::mouseMove(handle, QPoint(65, 118));
        QTest::mouseMove(handle, QPoint(25, 160)); // over Frame3
        QTest::mouseMove(handle, QPoint(350, 280)); // over the bare window
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(350, 280));
        QCOMPARE(int(moves.size()), 3);
        for (const Move& m : moves)
            QCOMPARE(m.who, QStringLiteral("Button1"));
        QCOMPARE(moves[2].x, 300.0 * 15);
        // Released outside: no click, as with any desktop button.
        QCOMPARE(clicks, 0);
        QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(60, 115));
        QCOMPARE(clicks, 1);
    }

    void aPressReleasedOutsideAFieldIsNoClick()
    {
        showAndWait();
        int clicks = 0;
        w->LabelA.onClick([&] { ++clicks; });
        QWindow* handle = w->widget()->windowHandle();
        // LabelA lies at window pixels (20,200), 100 x 40.
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(25, 205));
        QTest::mouseMove(handle, QPoint(200, 280));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(200, 280));
        QCOMPARE(clicks, 0);
        // Pressed outside and released inside: no click either.
        QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(200, 280));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(25, 205));
        QCOMPARE(clicks, 0);
        QTest::mouseClick(handle, Qt::LeftButton, {}, QPoint(25, 205));
        QCOMPARE(clicks, 1);
    }

    void disabledFieldsTakeNoClicksNorMoves()
    {
        showAndWait();
        recordMoves();
        recordClicks();
        QWindow* handle = w->widget()->windowHandle();
        const QPoint onButton(60, 115);
        const QPoint onText(60, 80);
        auto* button = static_cast<QAbstractButton*>(w->Button1.widget());

        // A disabled button inside an enabled frame.
        w->Button1.setEnabled(false);
        QTest::mouseClick(handle, Qt::LeftButton, {}, onButton);
        emit button->clicked(); // however the click arrives
        QVERIFY(clicked.isEmpty());

        // An enabled button and field inside a disabled frame.
        w->Button1.setEnabled(true);
        w->Frame3.setEnabled(false);
        QTest::mouseClick(handle, Qt::LeftButton, {}, onButton);
        emit button->clicked();
        QTest::mouseClick(handle, Qt::LeftButton, {}, onText);
        platformMove(onText);
        QVERIFY(clicked.isEmpty());
        QVERIFY(moves.empty());

        w->Frame3.setEnabled(true);
        QTest::mouseClick(handle, Qt::LeftButton, {}, onButton);
        QTest::mouseClick(handle, Qt::LeftButton, {}, onText);
        QCOMPARE(clicked, (QStringList{QStringLiteral("Button1"), QStringLiteral("Text1")}));
    }

    // On a window that takes no person's input, a check box clicked without a
    // mouse or key event (a screen reader's toggle, a call on the box) stays
    // as it was and reports nothing; the program's own click still ticks it.
    void aWindowTakingNoInputKeepsItsCheckBox()
    {
        showAndWait();
        int clicks = 0;
        w->Check1.onClick([&] { ++clicks; });
        w->setTakesPlayerInput(false);
        auto* box = static_cast<QAbstractButton*>(w->Check1.widget());
        QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
        QVERIFY(w->Check1.checked());
        box->click();
        QVERIFY(w->Check1.checked());
        QCOMPARE(clicks, 0);

        w->Check1.automatedClick();
        QVERIFY(!w->Check1.checked());
        QCOMPARE(clicks, 1);
        w->setTakesPlayerInput(true);
        box->click();
        QVERIFY(w->Check1.checked());
        QCOMPARE(clicks, 2);
    }

    // A press made while a field is disabled, itself or through a container,
    // is no click even when the field is enabled before the release.
    void aPressOnADisabledFieldIsNoClick()
    {
        showAndWait();
        recordClicks();
        QWindow* handle = w->widget()->windowHandle();
        const QPoint onLabel(25, 205);
        const QPoint onText(60, 80);

        w->LabelA.setEnabled(false);
        QTest::mousePress(handle, Qt::LeftButton, {}, onLabel);
        w->LabelA.setEnabled(true);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onLabel);
        w->Frame3.setEnabled(false);
        QTest::mousePress(handle, Qt::LeftButton, {}, onText);
        w->Frame3.setEnabled(true);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, onText);
        QVERIFY(clicked.isEmpty());

        // Pressed and released while enabled: clicks as ever.
        QTest::mouseClick(handle, Qt::LeftButton, {}, onLabel);
        QTest::mouseClick(handle, Qt::LeftButton, {}, onText);
        QCOMPARE(clicked, (QStringList{QStringLiteral("LabelA"), QStringLiteral("Text1")}));
    }

    // A dragged slider handle follows the pointer, and the game reads the
    // value it was dragged to.
    void aSliderFollowsADraggedHandle()
    {
        showAndWait();
        auto* slider = static_cast<QSlider*>(w->Slider1.widget());
        QWindow* handle = w->widget()->windowHandle();
        const QPoint grab = sliderHandleCentre(slider);
        QCOMPARE(w->Slider1.value(), 5);
        QTest::mousePress(handle, Qt::LeftButton, {}, grab);
        QTest::mouseMove(handle, grab - QPoint(slider->width(), 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, grab - QPoint(slider->width(), 0));
        QCOMPARE(slider->value(), 0);
        QCOMPARE(w->Slider1.value(), 0);
    }

    void labelFontKeepsTheApplicationFace()
    {
        w->LabelA.setFont(QString(), 12, true);
        const QFont shown = w->LabelA.widget()->font();
        QCOMPARE(shown.family(), QApplication::font().family());
        QCOMPARE(shown.pointSize(), 12);
        QVERIFY(shown.bold());
        w->LabelB.setFont(QStringLiteral("DejaVu Serif"), 9);
        QCOMPARE(w->LabelB.widget()->font().family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(!w->LabelB.widget()->font().bold());
    }

    void linesAndShapesLetPointerMovesThrough()
    {
        showAndWait();
        recordMoves();
        // On the line across Text2 (window pixel row 30), inside the shape.
        const QPoint onLine(300, 30);
        QCOMPARE(w->Line1.widget()->geometry().contains(onLine), true);
        platformMove(onLine);
        QCOMPARE(int(moves.size()), 1);
        QCOMPARE(moves[0].who, QStringLiteral("Text2"));
        QCOMPARE(moves[0].x, 40.0 * 15);
        QCOMPARE(moves[0].y, 10.0 * 15);
        moves.clear();
        platformMove(QPoint(261, 21)); // on the shape's outline
        QCOMPARE(int(moves.size()), 1);
        QCOMPARE(moves[0].who, QStringLiteral("Text2"));
    }

    void bringToFrontChangesWhatIsUnderThePointer()
    {
        showAndWait();
        recordMoves();
        const QPoint overlap(80, 220); // LabelA and LabelB overlap here; B was made later
        platformMove(overlap);
        QCOMPARE(int(moves.size()), 1);
        QCOMPARE(moves[0].who, QStringLiteral("LabelB"));

        w->LabelA.bringToFront();
        QCOMPARE(w->widget()->childAt(overlap), w->LabelA.widget());
        moves.clear();
        platformMove(overlap + QPoint(1, 1));
        QCOMPARE(int(moves.size()), 1);
        QCOMPARE(moves[0].who, QStringLiteral("LabelA"));

        w->LabelB.bringToFront();
        QCOMPARE(w->widget()->childAt(overlap), w->LabelB.widget());
    }

    void realClicksReachTheGame()
    {
        showAndWait();
        int labelClicks = 0;
        w->LabelA.onClick([&] { ++labelClicks; });
        QTest::mouseClick(w->LabelA.widget(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(labelClicks, 1);

        int checkClicks = 0;
        bool seen = true;
        w->Check1.onClick([&] {
            ++checkClicks;
            seen = w->Check1.checked();
        });
        QTest::mouseClick(w->Check1.widget(), Qt::LeftButton, {}, QPoint(6, w->Check1.widget()->height() / 2));
        QCOMPARE(checkClicks, 1);
        QCOMPARE(seen, false);
        QCOMPARE(w->Check1.checked(), false);
    }

    // ---- Controls ----

    void checkBoxClickTogglesBeforeItsEvent()
    {
        showAndWait();
        QList<bool> seen;
        w->Check1.onClick([&] { seen << w->Check1.checked(); });
        w->Check1.click();
        w->Check1.click();
        QCOMPARE(seen, (QList<bool>{false, true}));
        // Setting the tick is not a click.
        w->Check1.setChecked(false);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(w->Check1.checked(), false);
        QCOMPARE(static_cast<QAbstractButton*>(w->Check1.widget())->isChecked(), false);
    }

    // ---- What reaches the screen ----

    void captionsAreWhatTheWidgetsShow()
    {
        auto* label = static_cast<QLabel*>(w->LabelA.widget());
        auto* button = static_cast<QPushButton*>(w->Button1.widget());
        auto* box = static_cast<QGroupBox*>(w->Frame3.widget());
        // An ampersand is kept as given: on a button and a frame it marks the
        // shortcut letter, on a label it is plain text.
        w->LabelA.setCaption(QStringLiteral("A & B"));
        w->Button1.setCaption(QStringLiteral("&stop"));
        w->Frame3.setCaption(QStringLiteral("&Power"));
        QCOMPARE(label->text(), QStringLiteral("A & B"));
        QCOMPARE(button->text(), QStringLiteral("&stop"));
        QCOMPARE(box->title(), QStringLiteral("&Power"));
        QCOMPARE(w->LabelA.caption(), QStringLiteral("A & B"));
        QCOMPARE(w->Button1.caption(), QStringLiteral("&stop"));
        QCOMPARE(w->Frame3.caption(), QStringLiteral("&Power"));
        // A borderless frame shows no caption but keeps it.
        w->Frame4.setCaption(QStringLiteral("inner"));
        QCOMPARE(w->Frame4.caption(), QStringLiteral("inner"));

        // A desktop that inserts accelerator marks rewrites what the widgets
        // show; the game still reads the captions it wrote.
        w->LabelA.setCaption(QStringLiteral("kanan"));
        w->Button1.setCaption(QStringLiteral("tembak"));
        w->Frame3.setCaption(QStringLiteral("Power"));
        label->setText(QStringLiteral("&kanan"));
        button->setText(QStringLiteral("&tembak"));
        box->setTitle(QStringLiteral("&Power"));
        QCOMPARE(w->LabelA.caption(), QStringLiteral("kanan"));
        QCOMPARE(w->Button1.caption(), QStringLiteral("tembak"));
        QCOMPARE(w->Frame3.caption(), QStringLiteral("Power"));
        QCOMPARE(withoutAcceleratorMarks(button->text()), w->Button1.caption());
    }

    void coloursAreWhatTheWidgetsDraw()
    {
        // &HBBGGRR: blue in the high byte.
        const ui::Colour colour = 0x336699;
        const QColor drawn(0x99, 0x66, 0x33);
        w->LabelA.setForeColour(colour);
        QCOMPARE(w->LabelA.widget()->palette().color(QPalette::WindowText), drawn);

        // Line1 runs along its widget's single pixel row.
        auto linePixel = [this] { return w->Line1.widget()->grab().toImage().pixelColor(40, 0); };
        QCOMPARE(linePixel(), QColor(Qt::red));
        w->Line1.setColour(colour);
        QCOMPARE(linePixel(), drawn);
    }

    void progressBarKeepsItsValueInRange()
    {
        auto& bar = w->ProgressBar1;
        QCOMPARE(bar.value(), 80.0f);
        bar.setMaximum(50);
        QCOMPARE(bar.value(), 50.0f);
        bar.setMaximum(100); // does not come back
        QCOMPARE(bar.value(), 50.0f);
        bar.setValue(200);
        QCOMPARE(bar.value(), 100.0f);
        bar.setValue(-5);
        QCOMPARE(bar.value(), 0.0f);
        bar.setMinimum(10);
        QCOMPARE(bar.value(), 10.0f);
        bar.setValue(55);
        const auto* widget = static_cast<QProgressBar*>(bar.widget());
        QCOMPARE(widget->value(), 500); // halfway along the drawn bar
    }

    void sliderKeepsValuesOutsideItsRange()
    {
        auto& slider = w->Slider1;
        const auto* widget = static_cast<QSlider*>(slider.widget());
        slider.setValue(25);
        QCOMPARE(slider.value(), 25);
        QCOMPARE(widget->value(), 10); // drawn at the end
        slider.setValue(-3);
        QCOMPARE(slider.value(), -3);
        QCOMPARE(widget->value(), 0);
        slider.setValue(7);
        QCOMPARE(widget->value(), 7);
        // A player moving the slider sets its value.
        static_cast<QSlider*>(slider.widget())->setValue(4);
        QCOMPARE(slider.value(), 4);
    }

    void textChangeFiresOnlyOnAChange()
    {
        int changes = 0;
        w->Text1.onChange([&] { ++changes; });
        w->Text1.setText(QStringLiteral("x"));
        QCOMPARE(changes, 1);
        w->Text1.setText(QStringLiteral("x"));
        QCOMPARE(changes, 1);
        w->Text1.type(QStringLiteral("y"));
        QCOMPARE(changes, 2);
        QCOMPARE(w->Text1.text(), QStringLiteral("y"));

        ProbeWindow other;
        ui::TextField readOnly(other, QStringLiteral("fixed"), {0, 0, 900, 300}, true,
                               ui::TextField::Mode::ReadOnly);
        readOnly.type(QStringLiteral("typed"));
        QCOMPARE(readOnly.text(), QStringLiteral("fixed"));
        readOnly.setText(QStringLiteral("by the game"));
        QCOMPARE(readOnly.text(), QStringLiteral("by the game"));
    }

    // ---- Timers ----

    void clockTicksAtMostEverySixteenthOfASecond()
    {
        // Timers are members of their window, which holds them for its life.
        struct Gauges : ui::Window {
            Gauges()
                : ui::Window(QStringLiteral("Gauges"), 3000, 3000)
                , fast(*this, QStringLiteral("fast"), 1, false, [] {})
                , gauge(*this, QStringLiteral("gauge"), 20, false, [] {})
            {
            }
            ui::Timer fast;
            ui::Timer gauge;
        } gauges;
        auto clockOf = [&gauges](const char* name) {
            return gauges.widget()->findChild<QTimer*>(QLatin1String(name));
        };
        QCOMPARE(gauges.fast.interval(), 1); // the design value stays
        QCOMPARE(clockOf("fast")->interval(), 16);
        QCOMPARE(clockOf("gauge")->interval(), 20);
        QCOMPARE(w->widget()->findChild<QTimer*>(QStringLiteral("Timer1"))->interval(), 1000);
        QCOMPARE(ui::clockIntervalFor(15), 16);
        QCOMPARE(ui::clockIntervalFor(16), 16);
        QCOMPARE(ui::clockIntervalFor(30), 30);
    }

    void stoppedTimerDoesNotTick()
    {
        int ticks = 0;
        w->onTimer = [&] { ++ticks; };
        w->Timer1.tick();
        QCOMPARE(ticks, 1);
        w->Timer1.stop();
        w->Timer1.tick();
        QCOMPARE(ticks, 1);
        w->Timer1.start();
        w->Timer1.tick();
        QCOMPARE(ticks, 2);
    }

    void timerDoesNotTickWhileAMessageIsOpen()
    {
        int ticks = 0;
        w->onTimer = [&] { ++ticks; };
        bool openDuringMessage = false;
        ui::setMessagePresenter([&](const QString& text) {
            messages << text;
            openDuringMessage = ui::messageOpen();
            w->Timer1.tick();
        });
        ui::showMessage(QStringLiteral("hello"));
        ui::setMessagePresenter([this](const QString& text) { messages << text; });
        QCOMPARE(messages, QStringList{QStringLiteral("hello")});
        QVERIFY(openDuringMessage);
        QCOMPARE(ticks, 0);
        QVERIFY(!ui::messageOpen());
        w->Timer1.tick();
        QCOMPARE(ticks, 1);
    }

    void timerHandlerIsNotReentered()
    {
        int ticks = 0;
        w->onTimer = [&] {
            ++ticks;
            w->Timer1.tick();
        };
        w->Timer1.tick();
        QCOMPARE(ticks, 1);
        w->Timer1.tick();
        QCOMPARE(ticks, 2);
        // A handler that stops its own timer ends that tick normally.
        w->onTimer = [&] {
            ++ticks;
            w->Timer1.stop();
        };
        w->Timer1.tick();
        w->Timer1.tick();
        QCOMPARE(ticks, 3);
        QVERIFY(!w->Timer1.enabled());
    }

    void manualTickingKeepsTheClockStill()
    {
        auto* clock = w->widget()->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(clock);
        QVERIFY(w->Timer1.enabled());
        QVERIFY(!clock->isActive());
        QCOMPARE(w->timers(), (std::vector<ui::Timer*>{&w->Timer1}));

        // Outside manual mode the clock follows the enabled flag.
        ui::Timer::setManualTicking(false);
        ProbeWindow live;
        auto* liveClock = live.widget()->findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(liveClock->isActive());
        QCOMPARE(liveClock->interval(), 1000);
        live.Timer1.stop();
        QVERIFY(!liveClock->isActive());
        live.stopAllTimers();
        ui::Timer::setManualTicking(true);
    }

    // ---- Window ----

    // A window placed at the screen's corner before its first show asks the
    // window system for that place (without the hint, a window manager puts
    // it where it likes); moving a shown window to where it is changes
    // nothing.
    void placingAtTheCornerBeforeTheFirstShowSetsThePositionHint_data()
    {
        QTest::addColumn<bool>("byClientArea");
        QTest::newRow("outer frame") << false;
        QTest::newRow("client area") << true;
    }
    void placingAtTheCornerBeforeTheFirstShowSetsThePositionHint()
    {
        QFETCH(bool, byClientArea);
        byClientArea ? w->placeClientAt(0, 0) : w->move(0, 0);
        QVERIFY(w->widget()->testAttribute(Qt::WA_Moved));
        showAndWait();
        QCoreApplication::processEvents();

        const std::uint64_t changes = ui::changeCount();
        w->move(w->left(), w->top());
        QCoreApplication::processEvents();
        QCOMPARE(ui::changeCount(), changes);
    }

    void closeRequestCanBeRefused()
    {
        showAndWait();
        int closed = 0;
        bool allow = false;
        w->onCloseRequest([&] { return allow; });
        w->onClosed([&] { ++closed; });
        QVERIFY(!w->requestClose());
        QVERIFY(w->visible());
        // The window system's close goes the same way.
        w->widget()->close();
        QVERIFY(w->visible());
        QCOMPARE(closed, 0);

        allow = true;
        QVERIFY(w->requestClose());
        QVERIFY(!w->visible());
        QCOMPARE(closed, 1);
    }

    void handlersMayClearThemselvesWhileRunning()
    {
        // Each handler clears itself, which destroys the stored function and
        // what it captured. The layer runs a copy, so the captured state
        // lives on until the handler returns.
        showAndWait();
        droppedHandlers = 0;
        droppedMidCall.clear();
        auto clearing = [](auto clear) {
            return [clear, keep = std::make_shared<DropCounter>()](auto...) {
                const int before = droppedHandlers;
                clear();
                droppedMidCall.push_back(droppedHandlers - before);
            };
        };
        w->Text1.onClick(clearing([this] { w->Text1.onClick(nullptr); }));
        w->Text1.onPointerMove(clearing([this] { w->Text1.onPointerMove(nullptr); }));
        w->Text1.onChange(clearing([this] { w->Text1.onChange(nullptr); }));
        w->onPointerMove(clearing([this] { w->onPointerMove(nullptr); }));
        w->onResize(clearing([this] { w->onResize(nullptr); }));
        w->onClosed(clearing([this] { w->onClosed(nullptr); }));

        for (int round = 0; round < 2; ++round) { // the second finds them gone
            w->Text1.click();
            w->Text1.pointerMove(15, 30);
            w->Text1.setText(round == 0 ? QStringLiteral("changed") : QStringLiteral("again"));
            w->pointerMove(15, 30);
            w->setClientSize(w->clientWidth() + 150 * (round + 1), w->clientHeight());
            QVERIFY(w->requestClose());
            w->show();
        }
        QCOMPARE(droppedMidCall, std::vector<int>(6, 0));
        QCOMPARE(droppedHandlers, 6);
    }

    // ---- Cost of setting a field to what it already holds ----

    void settingTheSameValueCostsNothing()
    {
        showAndWait();
        QCoreApplication::processEvents();
        const QList<ui::Field*> fields{&w->Frame3, &w->Text1,   &w->Button1, &w->Text2,  &w->Line1,
                                       &w->LabelA, &w->Check1, &w->Slider1, &w->ProgressBar1};
        CostCounter counter;
        for (ui::Field* field : fields)
            field->widget()->installEventFilter(&counter);

        for (ui::Field* field : fields) {
            field->setLeft(field->left());
            field->setTop(field->top());
            field->setWidth(field->width());
            field->setHeight(field->height());
            field->move(field->left(), field->top());
            field->setRect(field->rect());
            field->setVisible(true);
            field->setEnabled(true);
        }
        w->Text1.setText(w->Text1.text());
        w->Button1.setCaption(w->Button1.caption());
        w->Frame3.setCaption(w->Frame3.caption());
        w->LabelA.setCaption(w->LabelA.caption());
        w->LabelA.setForeColour(w->LabelA.foreColour());
        w->Line1.setEnds(w->Line1.x1(), w->Line1.y1(), w->Line1.x2(), w->Line1.y2());
        w->Line1.setColour(w->Line1.colour());
        w->Check1.setChecked(w->Check1.checked());
        w->Slider1.setValue(w->Slider1.value());
        w->ProgressBar1.setValue(w->ProgressBar1.value());
        w->ProgressBar1.setMaximum(w->ProgressBar1.maximum());
        w->setCaption(w->caption());
        w->setClientSize(w->clientWidth(), w->clientHeight());
        QCoreApplication::processEvents();
        QCOMPARE(counter.count, 0);

        // The counter does see real changes.
        w->LabelA.setLeft(w->LabelA.left() + 150);
        w->LabelA.setCaption(QStringLiteral("changed"));
        QCoreApplication::processEvents();
        QVERIFY(counter.count > 0);
    }
};

QTEST_MAIN(TestUiLayer)
#include "test_ui_layer.moc"

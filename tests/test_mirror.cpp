// Showing a window elsewhere: a game window read as plain values, a window
// built from those values alone, the changes an observer hears of, and the
// messages it is told about.

#include "test_support.h"

#include "battle/battle_window.h"
#include "panel/panel_window.h"
#include "score/score_window.h"
#include "setup/setup_window.h"
#include "ui/controls.h"
#include "ui/message_box.h"
#include "ui/mirror.h"
#include "ui/timer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

// Finds a picture as a joined program would: among its own.
ui::Picture lookUp(const net::PictureName& name)
{
    if (name.name.startsWith(QStringLiteral("builtin:")))
        return ui::builtinPicture(name.name.mid(8));
    if (name.name.startsWith(QStringLiteral("file:")))
        return ui::readPictureFile(ui::joinPath(TestGame::assetsFolder(), name.name.mid(5))).value_or(ui::Picture());
    return {};
}

// Every mirrored field reads back as the original reads; the first that does
// not is named.
QString firstDifference(const net::WindowMade& original, const net::WindowMade& mirrored)
{
    if (original.fields.size() != mirrored.fields.size())
        return QStringLiteral("%1 fields, mirrored %2").arg(original.fields.size()).arg(mirrored.fields.size());
    for (qsizetype i = 0; i < original.fields.size(); ++i)
        if (!(original.fields[i] == mirrored.fields[i]))
            return QStringLiteral("field %1 (kind %2)").arg(i).arg(static_cast<int>(original.fields[i].kind));
    if (original.caption != mirrored.caption || original.captionIsPlayerText != mirrored.captionIsPlayerText)
        return QStringLiteral("the caption");
    if (original.size != mirrored.size)
        return QStringLiteral("the client size");
    return {};
}

// Hears what changed and which messages came and went.
struct Listener : ui::ChangeObserver {
    Listener() { ui::setChangeObserver(this); }
    ~Listener() override { ui::setChangeObserver(nullptr); }
    void changed(ui::Watched& who) override { changes.push_back(&who); }
    void gone(ui::Watched& who) override { gones.push_back(&who); }
    void messageShown(qint64 id, const QString& text) override
    {
        events << QStringLiteral("shown %1 %2").arg(id).arg(text);
    }
    void messageClosed(qint64 id) override { events << QStringLiteral("closed %1").arg(id); }
    bool heard(const ui::Watched& who) const { return std::find(changes.begin(), changes.end(), &who) != changes.end(); }
    std::vector<ui::Watched*> changes;
    std::vector<ui::Watched*> gones;
    QStringList events;
};

// A match in progress and the window a row looks at.
using WindowOf = std::function<ui::Window&(TestGame&)>;
// A change to a window of that match.
using Change = std::function<ui::Field&(TestGame&)>;

// Props with only what `set` puts in them.
template <typename Set>
net::FieldProps propsWith(Set set)
{
    net::FieldProps p;
    set(p);
    return p;
}

ui::Window& battleOf(TestGame& g) { return g->Battle(); }

// A small window of every kind a person might try to edit.
struct EditableWindow : ui::Window {
    EditableWindow()
        : ui::Window(QStringLiteral("edit"), 6000, 4000)
    {
    }
    ui::Button press{*this, QStringLiteral("tembak"), {0, 0, 1200, 400}};
    ui::Button other{*this, QStringLiteral("kiri"), {1200, 0, 1200, 400}};
    ui::CheckBox box{*this, QStringLiteral("Baca Score"), {0, 600, 2000, 400}, false};
    ui::TextField text{*this, QStringLiteral("Ana"), {0, 1200, 2000, 400}};
    ui::Slider slider{*this, ui::Slider::Scale{}, 2, {0, 1800, 3000, 600}};
};

} // namespace

Q_DECLARE_METATYPE(WindowOf)
Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(net::WindowMade)

class TestMirror : public QObject {
    Q_OBJECT

private slots:
    // Built from what a game window reads, a mirror reads the same, field for
    // field: kinds, containers, places, captions, texts, pictures by name,
    // ranges and values, shown and enabled flags. The window's place is left
    // out: the desktop picks where a window goes.
    void aMirrorReadsAsTheWindowItWasBuiltFrom_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<WindowOf>("window");
        for (const Edition edition : {Edition::Full, Edition::Wind}) {
            const char* e = edition == Edition::Full ? "full game" : "wind edition";
            QTest::newRow(qPrintable(QStringLiteral("%1: battle").arg(QLatin1String(e)))) << edition << WindowOf(battleOf);
            QTest::newRow(qPrintable(QStringLiteral("%1: player2's panel").arg(QLatin1String(e))))
                << edition << WindowOf([](TestGame& g) -> ui::Window& { return g->player(1); });
            QTest::newRow(qPrintable(QStringLiteral("%1: setup").arg(QLatin1String(e))))
                << edition << WindowOf([](TestGame& g) -> ui::Window& { return g->Form1(); });
        }
        QTest::newRow("full game: score board")
            << Edition::Full << WindowOf([](TestGame& g) -> ui::Window& { return g->Score(); });
    }
    void aMirrorReadsAsTheWindowItWasBuiltFrom()
    {
        QFETCH(Edition, edition);
        QFETCH(WindowOf, window);
        TestGame g(edition);
        setUpMatch(g, {true, true, true, false}, 1);
        ui::Window& original = window(g);
        const net::WindowMade made = ui::captureWindow(original, 7, QStringLiteral("w"));
        QString error;
        const auto mirror = ui::MirrorWindow::build(made, lookUp, &error);
        QVERIFY2(mirror, qPrintable(error));
        QCOMPARE(mirror->hostSerial(), qint64(7));
        QCOMPARE(mirror->fieldCount(), int(original.fields().size()));
        const QString difference = firstDifference(made, ui::captureWindow(*mirror, 7, QStringLiteral("w")));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        // Pictures travel by name: the battlefield is the picture folder's.
        if (&original == &g->Battle()) {
            const std::vector<ui::Field*>& fields = original.fields();
            const auto at = std::find(fields.begin(), fields.end(), &g->Battle().Picture1) - fields.begin();
            QCOMPARE(made.fields[at].props.picture.value_or(net::PictureName{}).name, QStringLiteral("file:field.gif"));
        }
    }

    // A change on the window is heard by the observer; its changed members,
    // applied to the mirror, make the two read the same again.
    void aChangeHeardAndAppliedBringsTheMirrorInStep_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("shell moved and shown") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().Image1.move(4321.5, 1234);
            g->Battle().Image1.show();
            return g->Battle().Image1;
        });
        QTest::newRow("energy bar lowered") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().energyBar[1]->setValue(37.5F);
            return *g->Battle().energyBar[1];
        });
        QTest::newRow("range of a bar") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().ProgressBar1.setMaximum(80);
            g->Battle().ProgressBar1.setValue(70);
            return g->Battle().ProgressBar1;
        });
        QTest::newRow("guide line") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().Line1.setEnds(100, 200, 3000, 60);
            return g->Battle().Line1;
        });
        QTest::newRow("name plate and colour") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().damageLabel[2]->setCaption(QStringLiteral("-25"));
            g->Battle().damageLabel[2]->setForeColour(ui::kWhite);
            return *g->Battle().damageLabel[2];
        });
        QTest::newRow("vehicle's picture") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().vehicle[0]->setPicture(*ui::readPictureFile(ui::joinPath(TestGame::assetsFolder(), QStringLiteral("62.gif"))));
            return *g->Battle().vehicle[0];
        });
        QTest::newRow("text disabled") << Change([](TestGame& g) -> ui::Field& {
            g->Battle().Text3.setText(QStringLiteral("-7"));
            g->Battle().Text3.setEnabled(false);
            return g->Battle().Text3;
        });
    }
    void aChangeHeardAndAppliedBringsTheMirrorInStep()
    {
        QFETCH(Change, change);
        TestGame g(Edition::Full);
        setUpMatch(g, {true, true, true, true}, 0);
        ui::Window& battle = g->Battle();
        const net::WindowMade before = ui::captureWindow(battle, 1, QStringLiteral("Battle"));
        const auto mirror = ui::MirrorWindow::build(before, lookUp);
        QVERIFY(mirror);

        Listener listener;
        ui::Field& changed = change(g);
        QVERIFY(listener.heard(changed));
        const std::vector<ui::Field*>& fields = battle.fields();
        const int index = int(std::find(fields.begin(), fields.end(), &changed) - fields.begin());
        const net::FieldProps delta = ui::changedProps(before.fields[index].props, ui::captureField(changed).props);
        QVERIFY(!(delta == net::FieldProps{}));
        mirror->apply(index, delta);

        const QString difference = firstDifference(ui::captureWindow(battle, 1, QStringLiteral("Battle")),
                                                   ui::captureWindow(*mirror, 1, QStringLiteral("Battle")));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    // Made and removed fields and windows are heard too.
    void madeAndRemovedAreHeard()
    {
        TestGame g;
        Listener listener;
        ui::Window* window = nullptr;
        ui::Label* label = nullptr;
        {
            ui::Window made(QStringLiteral("w"), 3000, 3000);
            ui::Label inside(made, QStringLiteral("a"), {0, 0, 300, 300});
            window = &made;
            label = &inside;
            QVERIFY(listener.heard(made));
            QVERIFY(listener.heard(inside));
        }
        QCOMPARE(listener.gones.size(), std::size_t(2));
        QCOMPARE(listener.gones[0], static_cast<ui::Watched*>(label));
        QCOMPARE(listener.gones[1], static_cast<ui::Watched*>(window));
    }

    // A designed caption shows in the player's language; a player's text, on
    // a field or the title, shows as written.
    void playerTextStaysAsWrittenWhileDesignedTextIsTranslated()
    {
        QTemporaryDir home;
        QVERIFY(useScratchHome(home));
        TestGame g;
        net::WindowMade made{3, QStringLiteral("player1"), QStringLiteral("Nama"), {{3000, 2000}}, {{0, 0}}, false, true, {}};
        net::FieldProps designed;
        designed.caption = QStringLiteral("Nama");
        designed.rect = {{0, 0, 900, 300}};
        net::FieldProps player = designed;
        player.playerText = true;
        made.fields = {{net::FieldKind::Label, -1, designed}, {net::FieldKind::Label, -1, player},
                       {net::FieldKind::Button, -1, player}};
        ui::showLanguage(ui::Language::English);
        const auto mirror = ui::MirrorWindow::build(made, lookUp);
        QVERIFY(mirror);
        QCOMPARE(static_cast<QLabel*>(mirror->field(0)->widget())->text(), QStringLiteral("Name"));
        QCOMPARE(static_cast<QLabel*>(mirror->field(1)->widget())->text(), QStringLiteral("Nama"));
        QCOMPARE(static_cast<QPushButton*>(mirror->field(2)->widget())->text(), QStringLiteral("Nama"));
        QCOMPARE(mirror->widget()->windowTitle(), QStringLiteral("Nama"));
        // A caption changed later keeps its kind.
        mirror->apply(1, propsWith([](net::FieldProps& p) { p.caption = QStringLiteral("Pemenang"); }));
        QCOMPARE(static_cast<QLabel*>(mirror->field(1)->widget())->text(), QStringLiteral("Pemenang"));
        ui::showLanguage(ui::Language::Indonesian);
    }

    // A description from a peer that would not make a sound window builds
    // none, and nothing breaks.
    void anUnsoundDescriptionBuildsNoWindow_data()
    {
        QTest::addColumn<net::WindowMade>("made");
        const net::WindowMade base{9, QStringLiteral("Battle"), QString(), {{3000, 3000}}, {{0, 0}}, false, false, {}};
        auto with = [&](QList<net::FieldState> fields) {
            net::WindowMade m = base;
            m.fields = std::move(fields);
            return m;
        };
        using K = net::FieldKind;
        const double nan = std::nan("");
        QTest::newRow("kind out of range") << with({{static_cast<K>(net::kFieldKindCount), -1, {}}});
        QTest::newRow("kind below range") << with({{static_cast<K>(-1), -1, {}}});
        QTest::newRow("container after itself") << with({{K::Frame, 1, {}}, {K::Frame, -1, {}}});
        QTest::newRow("container is itself") << with({{K::Frame, 0, {}}});
        QTest::newRow("container below -1") << with({{K::Label, -2, {}}});
        QTest::newRow("container holds no fields") << with({{K::Button, -1, {}}, {K::Label, 0, {}}});
        QTest::newRow("NaN place of a field")
            << with({{K::Label, -1, propsWith([=](net::FieldProps& p) { p.rect = std::array<double, 4>{nan, 0, 10, 10}; })}});
        QTest::newRow("infinite value")
            << with({{K::ProgressBar, -1, propsWith([](net::FieldProps& p) { p.value = std::numeric_limits<double>::infinity(); })}});
        QTest::newRow("NaN line end") << with({{K::Line, -1, propsWith([=](net::FieldProps& p) { p.ends = std::array<double, 4>{0, 0, nan, 0}; })}});
        net::WindowMade badSize = base;
        badSize.size = {{nan, 100}};
        QTest::newRow("NaN window size") << badSize;
    }
    void anUnsoundDescriptionBuildsNoWindow()
    {
        QFETCH(net::WindowMade, made);
        TestGame g;
        QString error;
        QVERIFY(!ui::MirrorWindow::build(made, lookUp, &error));
        QVERIFY(!error.isEmpty());
        // The constructor, given it anyway, makes an empty window.
        ui::MirrorWindow anyway(made, lookUp);
        QCOMPARE(anyway.fieldCount(), 0);
        QVERIFY(!anyway.field(0));
        anyway.apply(0, propsWith([](net::FieldProps& p) { p.caption = QStringLiteral("x"); }));
    }

    // Reading a window inside a periodic task's tick is no read of that tick:
    // the task still sleeps, and a change to what only the reading looked at
    // does not wake it. The reading itself changes nothing.
    void readingInsideATickIsNoReadOfThatTick()
    {
        TestGame g;
        struct Reader : ui::Window {
            Reader()
                : ui::Window(QStringLiteral("r"), 3000, 3000)
            {
            }
            ui::Label seen{*this, QStringLiteral("a"), {0, 0, 600, 300}};
            ui::Label unseen{*this, QStringLiteral("b"), {0, 300, 600, 300}};
            net::WindowMade last;
            ui::Timer task{*this, QStringLiteral("task"), 30, true, [this] {
                               (void)seen.caption();
                               last = ui::captureWindow(*this, 1, QStringLiteral("r"));
                           }};
        } reader;
        for (int i = 0; i < 5 && !reader.task.asleep(); ++i)
            reader.task.tick();
        QVERIFY(reader.task.asleep());
        QCOMPARE(reader.last.fields.size(), 2);
        reader.unseen.setCaption(QStringLiteral("changed"));
        QVERIFY(reader.task.asleep());
        reader.seen.setCaption(QStringLiteral("changed"));
        QVERIFY(!reader.task.asleep());
    }

    // The program's own message box, closed from code as its OK would, ends
    // the wait; the observer hears it shown, then closed, with one number.
    void aMessageClosedFromCodeEndsItsWait()
    {
        const ui::MessagePresenter kept = ui::setMessagePresenter(nullptr);
        Listener listener;
        qint64 seen = 0;
        bool wrongClosed = true;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            seen = ui::openMessageId();
            wrongClosed = ui::closeOpenMessage(seen + 1);
            closed = ui::closeOpenMessage(seen);
        });
        QTimer::singleShot(5000, [] {
            if (ui::messageOpen())
                ui::closeOpenMessage(ui::openMessageId());
        });
        ui::showMessage(QStringLiteral("Seri!"));
        ui::setMessagePresenter(kept);
        QVERIFY(seen > 0);
        QVERIFY(!wrongClosed);
        QVERIFY(closed);
        QCOMPARE(ui::openMessageId(), qint64(0));
        QCOMPARE(listener.events,
                 QStringList({QStringLiteral("shown %1 Seri!").arg(seen), QStringLiteral("closed %1").arg(seen)}));
        QVERIFY(!ui::closeOpenMessage(seen));
    }

    // A person's clicks, ticks, typing and drags do nothing on a mirror,
    // except a click on a field wired to a handler, which runs it.
    void aMirrorTakesOnlyTheClicksItIsWiredFor()
    {
        TestGame g;
        EditableWindow original;
        const auto mirror = ui::MirrorWindow::build(ui::captureWindow(original, 2, QStringLiteral("e")), lookUp);
        QVERIFY(mirror);
        int pressed = 0;
        mirror->onFieldClick(0, [&] { ++pressed; });
        mirror->widget()->show();
        QVERIFY(QTest::qWaitForWindowExposed(mirror->widget()));

        QTest::mouseClick(mirror->field(0)->widget(), Qt::LeftButton);
        QCOMPARE(pressed, 1);
        QTest::mouseClick(mirror->field(1)->widget(), Qt::LeftButton);
        QCOMPARE(pressed, 1);

        auto* box = static_cast<QCheckBox*>(mirror->field(2)->widget());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        auto* edit = static_cast<QLineEdit*>(mirror->field(3)->widget());
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("xyz"));
        QCOMPARE(edit->text(), QStringLiteral("Ana"));
        QWidget* slider = mirror->field(4)->widget();
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 2, slider->height() / 2));
        QCOMPARE(static_cast<ui::Slider*>(mirror->field(4))->value(), 2);
        // A disabled wired button takes no click, as on the host.
        mirror->apply(0, propsWith([](net::FieldProps& p) { p.enabled = false; }));
        QTest::mouseClick(mirror->field(0)->widget(), Qt::LeftButton);
        QCOMPARE(pressed, 1);
    }
};

QTEST_MAIN(TestMirror)
#include "test_mirror.moc"

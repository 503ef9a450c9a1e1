// A joined program's mirror holds what the host's window holds, read back
// the same way: the pictures of its own folder by the names the host's
// carry, and every field's twips as the host gave them.

#include "test_support.h"

#include "net/local_pictures.h"
#include "ui/controls.h"
#include "ui/mirror.h"

#include <QTest>

#include <array>
#include <limits>

using Twips4 = std::array<double, 4>;
Q_DECLARE_METATYPE(Twips4)

class TestMirrorFidelity : public QObject {
    Q_OBJECT

private slots:
    // A picture file of the joined program's own folder is named as the
    // host names the same file, so both read back the same picture name.
    void aPictureFileKeepsItsName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("battlefield") << QStringLiteral("field.gif");
        QTest::newRow("character facing right") << QStringLiteral("3.gif");
        QTest::newRow("character facing left") << QStringLiteral("52.gif");
    }
    void aPictureFileKeepsItsName()
    {
        QFETCH(QString, file);
        const QString name = QStringLiteral("file:") + file;
        net::LocalPictures pictures(TestGame::assetsFolder());
        const ui::Picture found = pictures.find(net::PictureName{name, {}});
        QVERIFY(!found.isNull());
        QCOMPARE(ui::pictureName(found).name, name);
        const std::optional<ui::Picture> hosts = ui::readPictureFile(ui::joinPath(TestGame::assetsFolder(), file));
        QVERIFY(hosts);
        QCOMPARE(ui::pictureName(found), ui::pictureName(*hosts));
    }

    // A picture still held keeps its name however many pictures are read
    // after it; one nothing holds any more is let go.
    void aHeldPictureKeepsItsNameThroughManyReads()
    {
        const QString path = ui::joinPath(TestGame::assetsFolder(), QStringLiteral("3.gif"));
        const std::optional<ui::Picture> held = ui::readPictureFile(path);
        QVERIFY(held);
        for (int i = 0; i < 2000; ++i)
            QVERIFY(ui::readPictureFile(path));
        QCOMPARE(ui::pictureName(*held).name, QStringLiteral("file:3.gif"));
        QCOMPARE(ui::pictureName(ui::builtinPicture(QStringLiteral("shell"))).name, QStringLiteral("builtin:shell"));
    }

    // A field keeps the twips the host gave it, when made and when changed:
    // a shell flown far off the battlefield, a field squeezed to a negative
    // width.
    void aFieldKeepsTheHostsTwips_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<Twips4>("place");
        const auto sprite = static_cast<int>(net::FieldKind::Sprite);
        const auto bar = static_cast<int>(net::FieldKind::ProgressBar);
        const auto line = static_cast<int>(net::FieldKind::Line);
        QTest::newRow("a shell far to the left") << sprite << Twips4{-1541881, 6720, 270, 285};
        QTest::newRow("a shell far below") << sprite << Twips4{-5092, 1509187, 270, 285};
        QTest::newRow("a squeezed gauge") << bar << Twips4{3000, 480, -3495, 375};
        QTest::newRow("a line's far end") << line << Twips4{0, 0, 2e6, -3e6};
    }
    void aFieldKeepsTheHostsTwips()
    {
        QFETCH(int, kind);
        QFETCH(Twips4, place);
        const bool isLine = kind == static_cast<int>(net::FieldKind::Line);
        net::FieldProps props;
        (isLine ? props.ends : props.rect) = place;
        net::WindowMade made{1, QStringLiteral("Battle"), QStringLiteral("0"), {{9000, 6000}}, {{0, 0}}, false, false, {}};
        made.fields.append(net::FieldState{static_cast<net::FieldKind>(kind), -1, props});
        made.fields.append(net::FieldState{static_cast<net::FieldKind>(kind), -1, net::FieldProps{}});
        const std::unique_ptr<ui::MirrorWindow> mirror = ui::MirrorWindow::build(made, {});
        QVERIFY(mirror);
        mirror->apply(1, props);
        for (int index : {0, 1}) {
            const net::FieldProps read = ui::captureField(*mirror->field(index)).props;
            const std::optional<Twips4> kept = isLine ? read.ends : read.rect;
            QVERIFY(kept == place);
        }
    }

    // A field the game left at an infinite or undefined place (a typed wind
    // points the wind arrow there) reads as finite numbers, so a joined
    // program takes the window and draws the field where the host does.
    void aFieldAtNoFinitePlaceIsSentAsDrawn_data()
    {
        QTest::addColumn<double>("end");
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("undefined") << std::numeric_limits<double>::quiet_NaN();
    }
    void aFieldAtNoFinitePlaceIsSentAsDrawn()
    {
        QFETCH(double, end);
        net::FieldProps props;
        props.ends = Twips4{765, 1630, 465, 0};
        net::WindowMade made{1, QStringLiteral("Battle"), QStringLiteral("0"), {{9000, 6000}}, {{0, 0}}, true, false, {}};
        made.fields.append(net::FieldState{net::FieldKind::Line, -1, props});
        const std::unique_ptr<ui::MirrorWindow> host = ui::MirrorWindow::build(made, {});
        QVERIFY(host);
        auto* arrow = dynamic_cast<ui::Line*>(host->field(0));
        QVERIFY(arrow);
        arrow->setEnds(765, 1630, 465, end);

        QString flaw;
        const std::unique_ptr<ui::MirrorWindow> joined = ui::MirrorWindow::build(ui::captureWindow(*host, 1, {}), {}, &flaw);
        QVERIFY2(joined, qPrintable(flaw));
        QCOMPARE(joined->field(0)->widget()->geometry(), arrow->widget()->geometry());
        QCOMPARE(ui::captureField(*joined->field(0)), ui::captureField(*arrow));
    }
};

QTEST_MAIN(TestMirrorFidelity)
#include "test_mirror_fidelity.moc"

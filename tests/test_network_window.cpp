// The network window as a player meets it: typing and clicks, the messages
// for bad input, and the list of games a search over the loopback finds.
#include "app/network_search.h"
#include "net/host.h"
#include "net/program_identity.h"
#include "setup/network_window.h"
#include "setup/roster_window.h"
#include "ui/language.h"
#include "test_support.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <optional>

namespace {

void typeInto(ui::TextField& field, const QString& text)
{
    auto* edit = static_cast<QLineEdit*>(field.widget());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void press(ui::Button& button) { QTest::mouseClick(button.widget(), Qt::LeftButton); }

} // namespace

class TestNetworkWindow : public QObject {
    Q_OBJECT

private slots:
    // Bad input gets its message and starts nothing.
    void badInputStartsNothing_data()
    {
        QTest::addColumn<QString>("control");  // "Buat" or "Gabung"
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString badPort = QStringLiteral("Port harus angka dari 1 sampai 65535.");
        const QString host = QStringLiteral("Buat");
        const QString join = QStringLiteral("Gabung");
        const QString a = QStringLiteral("127.0.0.1");
        const QString c = QStringLiteral("123456");
        const QString n = QStringLiteral("Ana");
        QTest::newRow("host on port 0") << host << QStringLiteral("0") << a << c << n << badPort;
        QTest::newRow("host on port 65536") << host << QStringLiteral("65536") << a << c << n << badPort;
        QTest::newRow("host on no port") << host << QString() << a << c << n << badPort;
        QTest::newRow("host on a word") << host << QStringLiteral("port") << a << c << n << badPort;
        QTest::newRow("join no address") << join << QStringLiteral("47240") << QStringLiteral("  ") << c << n
                                         << QStringLiteral("Isi alamat tuan rumah.");
        QTest::newRow("join port -1") << join << QStringLiteral("-1") << a << c << n << badPort;
        QTest::newRow("join code of five") << join << QStringLiteral("47240") << a << QStringLiteral("12345") << n
                                           << QStringLiteral("Kode harus enam angka.");
        QTest::newRow("join code with a letter") << join << QStringLiteral("47240") << a << QStringLiteral("12345x")
                                                 << n << QStringLiteral("Kode harus enam angka.");
        QTest::newRow("join no name") << join << QStringLiteral("47240") << a << c << QString()
                                      << QStringLiteral("Isi nama pemain.");
        QTest::newRow("join a name too long") << join << QStringLiteral("47240") << a << c
                                              << QString(33, QLatin1Char('x'))
                                              << QStringLiteral("Nama paling panjang 32 huruf.");
    }
    void badInputStartsNothing()
    {
        QFETCH(QString, control);
        QFETCH(QString, port);
        QFETCH(QString, address);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TestGame g;
        NetworkWindow w;
        w.show();
        int started = 0;
        w.onHost = [&](quint16) { ++started; };
        w.onJoin = [&](const JoinRequest&) { ++started; };
        if (control == QLatin1String("Buat")) {
            typeInto(w.Port, port);
            press(w.Buat);
        } else {
            typeInto(w.Alamat, address);
            typeInto(w.PortGabung, port);
            typeInto(w.KodeGabung, code);
            typeInto(w.Nama, name);
            press(w.Gabung);
        }
        QCOMPARE(g.messages, QStringList{message});
        QCOMPARE(started, 0);
    }

    // Sound input reaches the owner as typed; hosting then shows the code
    // and the port and offers the stop.
    void soundInputIsPassedOn()
    {
        TestGame g;
        NetworkWindow w;
        w.show();
        std::optional<quint16> hostPort;
        std::optional<JoinRequest> joined;
        w.onHost = [&](quint16 port) { hostPort = port; };
        w.onJoin = [&](const JoinRequest& request) { joined = request; };
        typeInto(w.Port, QStringLiteral("5000"));
        press(w.Buat);
        QCOMPARE(hostPort, std::optional<quint16>(5000));
        w.showHosting(QStringLiteral("012345"), 5000);
        QCOMPARE(w.Kode.text(), QStringLiteral("012345"));
        QVERIFY(w.Berhenti.isEnabled());
        QVERIFY(!w.Buat.isEnabled());
        QVERIFY(!w.Gabung.isEnabled());
        w.showNotHosting();

        typeInto(w.Alamat, QStringLiteral(" host.lan "));
        typeInto(w.PortGabung, QStringLiteral("6000"));
        typeInto(w.KodeGabung, QStringLiteral("654321"));
        typeInto(w.Nama, QStringLiteral("Budi"));
        w.Karakter.setIndex(4);
        press(w.Gabung);
        QVERIFY(g.messages.isEmpty());
        QVERIFY(joined);
        QCOMPARE(joined->address, QStringLiteral("host.lan"));
        QCOMPARE(joined->port, quint16(6000));
        QCOMPARE(joined->code, QStringLiteral("654321"));
        QCOMPARE(joined->name, QStringLiteral("Budi"));
        QCOMPARE(joined->character, 5);
    }

    // "Cari" lists a host that answers over the loopback; a click on it fills
    // in its address and port.
    void searchListsTheHostsThatAnswer()
    {
        TestGame g;
        net::HostSettings settings;
        settings.identity = net::programIdentity(Edition::Full);
        settings.hostName = QStringLiteral("meja");
        settings.code = QStringLiteral("123456");
        settings.address = QHostAddress(QHostAddress::LocalHost);
        settings.port = 0;
        settings.openSeats = {false, true, true, false};
        net::Host host(settings);
        QVERIFY(host.start());
        NetworkWindow w;
        w.show();
        NetworkSearch search(Edition::Full, w, QHostAddress(QHostAddress::LocalHost), host.port());
        QVERIFY(!w.Ditemukan[0].visible());
        press(w.Cari);
        QVERIFY(QTest::qWaitFor([&] { return w.Ditemukan[0].visible(); }, 5000));
        const QString caption = w.Ditemukan[0].caption();
        QVERIFY2(caption.startsWith(QStringLiteral("meja (127.0.0.1:")), qPrintable(caption));
        QVERIFY2(caption.endsWith(QStringLiteral(" - full - 2")), qPrintable(caption));
        QVERIFY(!w.Ditemukan[1].visible());
        press(w.Ditemukan[0]);
        QCOMPARE(w.Alamat.text(), QStringLiteral("127.0.0.1"));
        QCOMPARE(w.PortGabung.text(), QString::number(host.port()));
    }

    // In English every designed text of the window reads in English.
    void readsInTheLanguageShown()
    {
        ui::showLanguage(ui::Language::English);
        TestGame g;
        NetworkWindow w;
        w.show();
        QStringList shown{w.widget()->windowTitle()};
        for (const QLabel* label : w.widget()->findChildren<QLabel*>())
            shown << label->text();
        for (const QAbstractButton* button : w.widget()->findChildren<QAbstractButton*>())
            shown << button->text();
        for (const QGroupBox* frame : w.widget()->findChildren<QGroupBox*>())
            shown << frame->title();
        ui::showLanguage(ui::Language::Indonesian);
        shown.removeAll(QString());
        shown.sort();
        QCOMPARE(shown.join(QLatin1Char('|')),
                 QStringLiteral("Address|Character|Code|Code|Games on the local network:|Host|Host a game|Join|Join|"
                                "Name|Network|Port|Port|Search|Stop"));
    }

    void networkButtonFitsTheSetupWindow_data() { addEditionRows(); }
    // "Jaringan" lies whole on the setup window's main menu page, over no
    // other field, and under the roster when that is up.
    void networkButtonFitsTheSetupWindow()
    {
        QFETCH(Edition, edition);
        TestGame g(edition);
        RosterWindow& form = g->Form1();
        form.show();
        QWidget* top = form.widget();
        const QRect drawn(form.Jaringan.widget()->mapTo(top, QPoint(0, 0)), form.Jaringan.widget()->size());
        QVERIFY(top->rect().contains(drawn));
        for (ui::Field* field : form.fields()) {
            if (field == &form.Jaringan || !field->isShown() || field->widget()->parentWidget() != top)
                continue;
            QVERIFY(!QRect(field->widget()->mapTo(top, QPoint(0, 0)), field->widget()->size()).intersects(drawn));
        }
        QCOMPARE(top->childAt(drawn.center()), form.Jaringan.widget());
        form.Command1.click();
        QVERIFY(top->childAt(drawn.center()) != form.Jaringan.widget());
    }
};

QTEST_MAIN(TestNetworkWindow)
#include "test_network_window.moc"

#include "net/codec.h"
#include "net/frame.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QTest>

Q_DECLARE_METATYPE(net::Message)
Q_DECLARE_METATYPE(net::Side)

namespace {

net::FieldProps everyProp()
{
    net::FieldProps p;
    p.rect = {{120, -45.5, 3000, 1e12}};
    p.visible = true;
    p.enabled = false;
    p.readOnly = true;
    p.checked = false;
    p.caption = QStringLiteral("tembak");
    p.text = QStringLiteral("Pemenang: Ayu \u00e9\U0001F600");
    p.value = 25;
    p.minimum = 0;
    p.maximum = 50;
    p.scale = {{0, 10, 1, 1, 5}};
    p.ends = {{0, 15, 300, 450}};
    p.colour = 0xff00ff;
    p.font = net::Font{QStringLiteral("Sans"), 8.25, true};
    p.border = true;
    p.autoSize = false;
    p.picture = net::PictureName{QStringLiteral("file:32.gif"), QByteArray(32, '\x7f')};
    p.role = QStringLiteral("view");
    p.playerText = true;
    p.choices = QStringList{QStringLiteral("Bahasa Indonesia"), QStringLiteral("English")};
    return p;
}

QByteArray cbor(const QCborArray& array) { return QCborValue(array).toCbor(); }

}  // namespace

class TestNetCodec : public QObject {
    Q_OBJECT

private slots:
    void everyMessageComesBackAsSent_data()
    {
        QTest::addColumn<net::Message>("message");
        QTest::addColumn<net::Side>("reader");
        const net::Identity id{QStringLiteral("kestrava1"), QStringLiteral("wind"), 7, QStringLiteral("1.2.3")};
        using S = net::Side;
        QTest::newRow("ping to host") << net::Message(net::Ping{}) << S::Host;
        QTest::newRow("pong to joined") << net::Message(net::Pong{}) << S::Joined;
        QTest::newRow("bye to joined") << net::Message(net::Bye{}) << S::Joined;
        QTest::newRow("bye to host") << net::Message(net::Bye{}) << S::Host;
        QTest::newRow("hello") << net::Message(net::Hello{id, QStringLiteral("meja di rumah")}) << S::Joined;
        QTest::newRow("accept") << net::Message(net::Accept{3}) << S::Joined;
        QTest::newRow("refuse") << net::Message(net::Refuse{QStringLiteral("Kode salah")}) << S::Joined;
        net::WindowMade made{42, QStringLiteral("Battle"), QStringLiteral("0"), {{9000, 6000}}, {{15, 30}}, true, {}};
        made.fields.append(net::FieldState{net::FieldKind::PictureBox, -1, everyProp()});
        made.fields.append(net::FieldState{net::FieldKind::Sprite, 0, net::FieldProps{}});
        made.fields.append(net::FieldState{net::FieldKind::FolderList, 0, net::FieldProps{}});
        made.fields.append(net::FieldState{net::FieldKind::ComboBox, -1, everyProp()});
        QTest::newRow("window made") << net::Message(made) << S::Joined;
        made.captionIsPlayerText = true;
        QTest::newRow("window made, its title a player's text") << net::Message(made) << S::Joined;
        QTest::newRow("window gone") << net::Message(net::WindowGone{42}) << S::Joined;
        QTest::newRow("window changed, all") << net::Message(net::WindowChanged{
            42, QStringLiteral("Ayu"), std::array<double, 2>{1, 2}, std::array<double, 2>{3, 4}, false, true})
                                             << S::Joined;
        QTest::newRow("window changed, none") << net::Message(net::WindowChanged{42, {}, {}, {}, {}, false})
                                              << S::Joined;
        QTest::newRow("field changed") << net::Message(net::FieldChanged{42, 4095, everyProp()}) << S::Joined;
        QTest::newRow("message shown") << net::Message(net::MessageShown{7, QStringLiteral("Draw!")}) << S::Joined;
        QTest::newRow("message closed") << net::Message(net::MessageClosed{7}) << S::Joined;
        QTest::newRow("join") << net::Message(net::Join{id, QStringLiteral("012345"), QStringLiteral("Budi"), 6})
                              << S::Host;
        QTest::newRow("click") << net::Message(net::Click{42, 17}) << S::Host;
        QTest::newRow("key") << net::Message(net::Key{42, 3, 0x01000004}) << S::Host;
        QTest::newRow("pointer move over a field") << net::Message(net::PointerMove{42, 0, 1234.5, -60}) << S::Host;
        QTest::newRow("pointer move over the window") << net::Message(net::PointerMove{42, -1, 0, 0}) << S::Host;
        QTest::newRow("message OK") << net::Message(net::MessageOk{7}) << S::Host;
    }
    void everyMessageComesBackAsSent()
    {
        QFETCH(net::Message, message);
        QFETCH(net::Side, reader);
        net::FrameReader frames;
        frames.feed(net::framed(net::encode(message)));
        const std::optional<QByteArray> payload = frames.next();
        QVERIFY(payload);
        const std::optional<net::Message> back = net::decode(*payload, reader);
        QVERIFY(back);
        QVERIFY(*back == message);
        // The other side takes no message meant for this one.
        const net::Side other = reader == net::Side::Host ? net::Side::Joined : net::Side::Host;
        const bool bothWays = std::holds_alternative<net::Ping>(message) || std::holds_alternative<net::Pong>(message)
                              || std::holds_alternative<net::Bye>(message);
        QCOMPARE(net::decode(*payload, other).has_value(), bothWays);
    }

    void searchDatagramsComeBackAsSent()
    {
        const net::SearchRequest request{QStringLiteral("kestrava2"), 1};
        QVERIFY(net::decodeSearchRequest(net::encodeSearch(request)) == request);
        const net::SearchAnswer answer{QStringLiteral("kestrava2"), QStringLiteral("full"), QStringLiteral("meja"), 3,
                                       47240};
        QVERIFY(net::decodeSearchAnswer(net::encodeSearch(answer)) == answer);
        QVERIFY(!net::decodeSearchAnswer(net::encodeSearch(request)));
        QVERIFY(!net::decode(net::encodeSearch(request), net::Side::Host));
    }

    // An honest sender never trips the reader's bound: the writer clips.
    void longTextsAreClippedToTheirBound()
    {
        const QString longName(100, QLatin1Char('x'));
        net::Join join{{QStringLiteral("kestrava2"), QStringLiteral("full"), 1, QStringLiteral("1.0")},
                       QStringLiteral("123456"), longName, 1};
        const auto back = net::decode(net::encode(join), net::Side::Host);
        QVERIFY(back);
        QCOMPARE(std::get<net::Join>(*back).name, longName.left(net::bounds::playerName));

        // A pair of surrogates is never cut in half.
        QString text(net::bounds::messageText - 1, QLatin1Char('a'));
        text += QStringLiteral("\U0001F600");
        const auto shown = net::decode(net::encode(net::MessageShown{1, text}), net::Side::Joined);
        QVERIFY(shown);
        QCOMPARE(std::get<net::MessageShown>(*shown).text, text.left(net::bounds::messageText - 1));
    }

    // Nor does a picture file whose name has marks of its own (it goes as an
    // unknown picture), nor a list of too many choices (cut to the bound).
    void aFieldTheReaderWouldRefuseIsSentWithin()
    {
        net::FieldProps props;
        props.picture = net::PictureName{QStringLiteral("file:my car.gif"), QByteArray(8, 'h')};
        props.choices = QStringList(20, QStringLiteral("pilihan"));
        const auto back = net::decode(net::encode(net::FieldChanged{1, 2, props}), net::Side::Joined);
        QVERIFY(back);
        const net::FieldProps& read = std::get<net::FieldChanged>(*back).props;
        QVERIFY(read.picture && read.picture->name.isEmpty());
        QCOMPARE(read.choices->size(), net::bounds::mostChoices);
    }

    void whatNoHonestProgramSendsReadsAsNothing_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<net::Side>("reader");
        using S = net::Side;
        const QCborArray identity{QStringLiteral("kestrava2"), QStringLiteral("full"), 1, QStringLiteral("1.0")};
        auto join = [&identity](const QCborValue& code, const QCborValue& name, const QCborValue& character) {
            QCborArray a{40};
            for (const QCborValue& v : identity)
                a.append(v);
            a.append(code);
            a.append(name);
            a.append(character);
            return cbor(a);
        };
        auto field = [](const QCborMap& props) { return cbor(QCborArray{23, 1, 2, props}); };
        QTest::newRow("empty") << QByteArray() << S::Host;
        QTest::newRow("not CBOR") << QByteArray("\xff\xff\xff", 3) << S::Host;
        QTest::newRow("a map, not an array") << QCborValue(QCborMap{{1, 2}}).toCbor() << S::Host;
        QTest::newRow("empty array") << cbor(QCborArray{}) << S::Host;
        QTest::newRow("unknown kind") << cbor(QCborArray{99}) << S::Host;
        QTest::newRow("kind as text") << cbor(QCborArray{QStringLiteral("1")}) << S::Host;
        QTest::newRow("ping with a field") << cbor(QCborArray{1, 0}) << S::Host;
        QTest::newRow("trailing byte") << cbor(QCborArray{1}) + QByteArray(1, '\0') << S::Host;
        QTest::newRow("truncated") << cbor(QCborArray{41, 5, 6}).chopped(1) << S::Host;
        QTest::newRow("click field as text") << cbor(QCborArray{41, 5, QStringLiteral("6")}) << S::Host;
        QTest::newRow("click field as double") << cbor(QCborArray{41, 5, 6.0}) << S::Host;
        QTest::newRow("click field too large") << cbor(QCborArray{41, 5, 4096}) << S::Host;
        QTest::newRow("click window negative") << cbor(QCborArray{41, -1, 0}) << S::Host;
        QTest::newRow("pointer at infinity")
            << cbor(QCborArray{43, 1, 0, std::numeric_limits<double>::infinity(), 0.0}) << S::Host;
        QTest::newRow("pointer NaN") << cbor(QCborArray{43, 1, 0, 0.0, std::nan("")}) << S::Host;
        QTest::newRow("join code with letters") << join(QStringLiteral("12a456"), QStringLiteral("A"), 1) << S::Host;
        QTest::newRow("join code too long") << join(QStringLiteral("1234567"), QStringLiteral("A"), 1) << S::Host;
        QTest::newRow("join name too long") << join(QStringLiteral("123456"), QString(33, QLatin1Char('n')), 1)
                                            << S::Host;
        QTest::newRow("join character 0") << join(QStringLiteral("123456"), QStringLiteral("A"), 0) << S::Host;
        QTest::newRow("join character 7") << join(QStringLiteral("123456"), QStringLiteral("A"), 7) << S::Host;
        QTest::newRow("program naming a folder")
            << cbor(QCborArray{10, QStringLiteral("../kestrava2"), QStringLiteral("full"), 1, QStringLiteral("1.0"),
                               QStringLiteral("h")})
            << S::Joined;
        QTest::newRow("accept seat 4") << cbor(QCborArray{11, 4}) << S::Joined;
        QTest::newRow("refuse reason too long") << cbor(QCborArray{12, QString(201, QLatin1Char('r'))}) << S::Joined;
        QTest::newRow("unknown field key") << field(QCborMap{{QStringLiteral("size"), 1}}) << S::Joined;
        QTest::newRow("field key as number") << field(QCborMap{{1, true}}) << S::Joined;
        QTest::newRow("visible as number") << field(QCborMap{{QStringLiteral("vis"), 1}}) << S::Joined;
        QTest::newRow("rect of three") << field(QCborMap{{QStringLiteral("rect"), QCborArray{1.0, 2.0, 3.0}}})
                                       << S::Joined;
        QTest::newRow("colour beyond 24 bits") << field(QCborMap{{QStringLiteral("col"), 0x1000000}}) << S::Joined;
        QTest::newRow("caption too long") << field(QCborMap{{QStringLiteral("cap"), QString(257, QLatin1Char('c'))}})
                                          << S::Joined;
        QTest::newRow("picture as a path")
            << field(QCborMap{{QStringLiteral("pic"), QCborArray{QStringLiteral("file:../../etc/x"), QByteArray()}}})
            << S::Joined;
        QTest::newRow("picture as an absolute path")
            << field(QCborMap{{QStringLiteral("pic"), QCborArray{QStringLiteral("/tmp/3.gif"), QByteArray()}}})
            << S::Joined;
        QTest::newRow("picture hash too long")
            << field(QCborMap{{QStringLiteral("pic"), QCborArray{QStringLiteral("file:3.gif"), QByteArray(33, 'h')}}})
            << S::Joined;
        QTest::newRow("font of zero points")
            << field(QCborMap{{QStringLiteral("font"), QCborArray{QStringLiteral("Sans"), 0.0, false}}}) << S::Joined;
        QTest::newRow("window made, field of unknown kind")
            << cbor(QCborArray{20, 1, QStringLiteral("Battle"), QString(), QCborArray{1.0, 1.0}, QCborArray{0.0, 0.0},
                               true, false, QCborArray{QCborArray{13, -1, QCborMap{}}}})
            << S::Joined;
        QTest::newRow("window made, no player-text flag")
            << cbor(QCborArray{20, 1, QStringLiteral("Battle"), QString(), QCborArray{1.0, 1.0}, QCborArray{0.0, 0.0},
                               true, QCborArray{}})
            << S::Joined;
        QTest::newRow("player-text flag as number") << field(QCborMap{{QStringLiteral("ptxt"), 1}}) << S::Joined;
        QTest::newRow("seventeen choices")
            << field(QCborMap{{QStringLiteral("choices"), QCborArray::fromStringList(QStringList(17, QStringLiteral("a")))}})
            << S::Joined;
        QTest::newRow("choice too long")
            << field(QCborMap{{QStringLiteral("choices"), QCborArray{QString(65, QLatin1Char('c'))}}}) << S::Joined;
        QTest::newRow("choice as number") << field(QCborMap{{QStringLiteral("choices"), QCborArray{1}}}) << S::Joined;
        QTest::newRow("window changed, raise false")
            << cbor(QCborArray{22, 1, QCborMap{{QStringLiteral("raise"), false}}}) << S::Joined;
        QTest::newRow("click sent to the joined side") << cbor(QCborArray{41, 1, 1}) << S::Joined;
        QTest::newRow("window gone sent to the host") << cbor(QCborArray{21, 1}) << S::Host;
    }
    void whatNoHonestProgramSendsReadsAsNothing()
    {
        QFETCH(QByteArray, payload);
        QFETCH(net::Side, reader);
        QVERIFY(!net::decode(payload, reader));
    }

    void framesOverTheLimitBreakTheStreamAtTheirLength()
    {
        net::FrameReader frames;
        frames.feed(net::framed(QByteArray(net::kMaxFrameBytes, 'a')));
        QCOMPARE(frames.next()->size(), net::kMaxFrameBytes);
        QVERIFY(!frames.broken());
        // Only the four bytes of a length over the limit are needed.
        frames.feed(net::framed(QByteArray(net::kMaxFrameBytes + 1, 'a')).left(4));
        QVERIFY(!frames.next());
        QVERIFY(frames.broken());
    }

    void framesArriveWholeHoweverTheBytesAreCut()
    {
        const QByteArray one = net::framed(net::encode(net::Click{1, 2}));
        const QByteArray two = net::framed(net::encode(net::Ping{}));
        const QByteArray stream = one + two;
        net::FrameReader frames;
        QList<QByteArray> payloads;
        for (const char byte : stream) {
            frames.feed(QByteArray(1, byte));
            while (const auto payload = frames.next())
                payloads.append(*payload);
        }
        QCOMPARE(payloads.size(), 2);
        QVERIFY(net::decode(payloads.at(0), net::Side::Host) == net::Message(net::Click{1, 2}));
        QVERIFY(!frames.midFrame());
    }
};

QTEST_GUILESS_MAIN(TestNetCodec)
#include "test_net_codec.moc"

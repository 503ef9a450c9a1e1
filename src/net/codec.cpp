#include "net/codec.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborStreamReader>
#include <QCborValue>
#include <QRegularExpression>

#include <cmath>
#include <type_traits>

namespace net {

namespace {

// The kind numbers on the wire. They never change meaning; a new message gets
// a new number.
enum class Kind : qint64 {
    Ping = 1,
    Pong = 2,
    Bye = 3,
    Hello = 10,
    Accept = 11,
    Refuse = 12,
    WindowMade = 20,
    WindowGone = 21,
    WindowChanged = 22,
    FieldChanged = 23,
    MessageShown = 24,
    MessageClosed = 25,
    Join = 40,
    Click = 41,
    Key = 42,
    PointerMove = 43,
    MessageOk = 44,
    SearchRequest = 60,
    SearchAnswer = 61,
};

// Program and edition words, and picture names: letters, digits and a few
// marks, so that none of them can name a folder.
bool isPlainWord(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9._-]*$"));
    return word.match(text).hasMatch();
}

bool isPictureName(const QString& text)
{
    static const QRegularExpression name(QStringLiteral("^((builtin|file):[A-Za-z0-9_-]+(\\.[A-Za-z0-9]+)?)?$"));
    return name.match(text).hasMatch();
}

bool isCode(const QString& text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// ---- Writing ----

QCborValue textOf(const QString& text, int bound) { return QCborValue(clipped(text, bound)); }

QCborArray numbersOf(const auto& values)
{
    QCborArray array;
    for (const double v : values)
        array.append(QCborValue(v));
    return array;
}

QCborMap propsOf(const FieldProps& p)
{
    QCborMap map;
    auto put = [&map](const char* key, const QCborValue& value) { map.insert(QLatin1String(key), value); };
    if (p.rect) put("rect", numbersOf(*p.rect));
    if (p.visible) put("vis", *p.visible);
    if (p.enabled) put("en", *p.enabled);
    if (p.readOnly) put("ro", *p.readOnly);
    if (p.checked) put("chk", *p.checked);
    if (p.caption) put("cap", textOf(*p.caption, bounds::caption));
    if (p.text) put("text", textOf(*p.text, bounds::fieldText));
    if (p.value) put("val", QCborValue(*p.value));
    if (p.minimum) put("min", QCborValue(*p.minimum));
    if (p.maximum) put("max", QCborValue(*p.maximum));
    if (p.scale) put("scale", numbersOf(*p.scale));
    if (p.ends) put("ends", numbersOf(*p.ends));
    if (p.colour) put("col", QCborValue(*p.colour));
    if (p.font)
        put("font", QCborArray{textOf(p.font->family, bounds::fontFamily), QCborValue(p.font->points),
                               QCborValue(p.font->bold)});
    if (p.border) put("border", *p.border);
    if (p.autoSize) put("auto", *p.autoSize);
    // A picture whose name the reader would refuse (a file name with marks
    // of its own) goes as an unknown one.
    if (p.picture)
        put("pic", QCborArray{isPictureName(clipped(p.picture->name, bounds::pictureName))
                                  ? textOf(p.picture->name, bounds::pictureName)
                                  : QCborValue(QString()),
                              QCborValue(p.picture->hash.left(bounds::pictureHashBytes))});
    if (p.role) put("role", textOf(*p.role, bounds::role));
    if (p.playerText) put("ptxt", *p.playerText);
    if (p.choices) {
        QCborArray choices;
        for (const QString& choice : p.choices->mid(0, bounds::mostChoices))
            choices.append(textOf(choice, bounds::choice));
        put("choices", choices);
    }
    return map;
}

QCborArray identityArray(Kind kind, const Identity& identity)
{
    return QCborArray{static_cast<qint64>(kind), textOf(identity.program, bounds::program),
                      textOf(identity.edition, bounds::edition), identity.protocol,
                      textOf(identity.gameVersion, bounds::gameVersion)};
}

QCborArray arrayOf(const Message& message)
{
    return std::visit(
        [](const auto& m) -> QCborArray {
            using T = std::decay_t<decltype(m)>;
            auto kind = [](Kind k) { return static_cast<qint64>(k); };
            if constexpr (std::is_same_v<T, Ping>) {
                return {kind(Kind::Ping)};
            } else if constexpr (std::is_same_v<T, Pong>) {
                return {kind(Kind::Pong)};
            } else if constexpr (std::is_same_v<T, Bye>) {
                return {kind(Kind::Bye)};
            } else if constexpr (std::is_same_v<T, Hello>) {
                QCborArray a = identityArray(Kind::Hello, m.identity);
                a.append(textOf(m.hostName, bounds::hostName));
                return a;
            } else if constexpr (std::is_same_v<T, Accept>) {
                return {kind(Kind::Accept), m.seat};
            } else if constexpr (std::is_same_v<T, Refuse>) {
                return {kind(Kind::Refuse), textOf(m.reason, bounds::reason)};
            } else if constexpr (std::is_same_v<T, WindowMade>) {
                QCborArray fields;
                for (const FieldState& f : m.fields)
                    fields.append(QCborArray{static_cast<int>(f.kind), f.parent, propsOf(f.props)});
                return {kind(Kind::WindowMade), m.window, textOf(m.name, bounds::windowName),
                        textOf(m.caption, bounds::caption), numbersOf(m.size), numbersOf(m.place), m.shown,
                        m.captionIsPlayerText, fields};
            } else if constexpr (std::is_same_v<T, WindowGone>) {
                return {kind(Kind::WindowGone), m.window};
            } else if constexpr (std::is_same_v<T, WindowChanged>) {
                QCborMap changes;
                if (m.caption) changes.insert(QLatin1String("cap"), textOf(*m.caption, bounds::caption));
                if (m.size) changes.insert(QLatin1String("size"), numbersOf(*m.size));
                if (m.place) changes.insert(QLatin1String("at"), numbersOf(*m.place));
                if (m.shown) changes.insert(QLatin1String("shown"), *m.shown);
                if (m.captionIsPlayerText) changes.insert(QLatin1String("ptxt"), *m.captionIsPlayerText);
                if (m.raise) changes.insert(QLatin1String("raise"), true);
                return {kind(Kind::WindowChanged), m.window, changes};
            } else if constexpr (std::is_same_v<T, FieldChanged>) {
                return {kind(Kind::FieldChanged), m.window, m.field, propsOf(m.props)};
            } else if constexpr (std::is_same_v<T, MessageShown>) {
                return {kind(Kind::MessageShown), m.id, textOf(m.text, bounds::messageText)};
            } else if constexpr (std::is_same_v<T, MessageClosed>) {
                return {kind(Kind::MessageClosed), m.id};
            } else if constexpr (std::is_same_v<T, Join>) {
                QCborArray a = identityArray(Kind::Join, m.identity);
                a.append(textOf(m.code, kCodeChars));
                a.append(textOf(m.name, bounds::playerName));
                a.append(m.character);
                return a;
            } else if constexpr (std::is_same_v<T, Click>) {
                return {kind(Kind::Click), m.window, m.field};
            } else if constexpr (std::is_same_v<T, Key>) {
                return {kind(Kind::Key), m.window, m.field, m.key};
            } else if constexpr (std::is_same_v<T, PointerMove>) {
                return {kind(Kind::PointerMove), m.window, m.field, QCborValue(m.x), QCborValue(m.y)};
            } else {
                static_assert(std::is_same_v<T, MessageOk>);
                return {kind(Kind::MessageOk), m.id};
            }
        },
        message);
}

// ---- Reading ----

// Walks the elements of one array, each read with its type and range; the
// first wrong one spoils the whole read.
class Elements {
public:
    explicit Elements(const QCborArray& array) : array_(array) {}

    QCborValue next()
    {
        if (index_ >= array_.size()) {
            ok_ = false;
            return {};
        }
        return array_.at(index_++);
    }
    qint64 integer(qint64 least, qint64 most) { return integerOf(next(), least, most); }
    double number() { return numberOf(next()); }
    double finite(double farthest)
    {
        const double v = number();
        check(std::isfinite(v) && std::abs(v) <= farthest);
        return v;
    }
    bool boolean() { return booleanOf(next()); }
    QString text(int bound) { return textOf(next(), bound); }
    QString word(int bound)
    {
        QString t = text(bound);
        check(isPlainWord(t));
        return t;
    }
    template <std::size_t N>
    std::array<double, N> numbers() { return numbersOf<N>(next()); }

    qint64 integerOf(const QCborValue& v, qint64 least, qint64 most)
    {
        check(v.isInteger() && v.toInteger() >= least && v.toInteger() <= most);
        return v.toInteger();
    }
    double numberOf(const QCborValue& v)
    {
        check(v.isDouble());
        return v.toDouble();
    }
    bool booleanOf(const QCborValue& v)
    {
        check(v.isBool());
        return v.toBool();
    }
    QString textOf(const QCborValue& v, int bound)
    {
        check(v.isString() && v.toString().size() <= bound);
        return v.toString();
    }
    template <std::size_t N>
    std::array<double, N> numbersOf(const QCborValue& v)
    {
        std::array<double, N> out{};
        check(v.isArray() && v.toArray().size() == static_cast<qsizetype>(N));
        if (!ok_)
            return out;
        const QCborArray a = v.toArray();
        for (std::size_t i = 0; i < N; ++i)
            out[i] = numberOf(a.at(static_cast<qsizetype>(i)));
        return out;
    }

    void check(bool condition) { ok_ = ok_ && condition; }
    // True when every element was read and each was right.
    bool whole() const { return ok_ && index_ == array_.size(); }

private:
    const QCborArray& array_;
    qsizetype index_ = 0;
    bool ok_ = true;
};

std::optional<FieldProps> readProps(const QCborValue& value)
{
    if (!value.isMap())
        return std::nullopt;
    FieldProps p;
    QCborArray none;
    Elements e(none);
    const QCborMap map = value.toMap();
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        if (!it.key().isString())
            return std::nullopt;
        const QString key = it.key().toString();
        const QCborValue v = it.value();
        // Sets one member, refusing a key given twice.
        auto set = [&e](auto& member, auto read) {
            e.check(!member.has_value());
            member = read;
        };
        if (key == QLatin1String("rect")) set(p.rect, e.numbersOf<4>(v));
        else if (key == QLatin1String("vis")) set(p.visible, e.booleanOf(v));
        else if (key == QLatin1String("en")) set(p.enabled, e.booleanOf(v));
        else if (key == QLatin1String("ro")) set(p.readOnly, e.booleanOf(v));
        else if (key == QLatin1String("chk")) set(p.checked, e.booleanOf(v));
        else if (key == QLatin1String("cap")) set(p.caption, e.textOf(v, bounds::caption));
        else if (key == QLatin1String("text")) set(p.text, e.textOf(v, bounds::fieldText));
        else if (key == QLatin1String("val")) set(p.value, e.numberOf(v));
        else if (key == QLatin1String("min")) set(p.minimum, e.numberOf(v));
        else if (key == QLatin1String("max")) set(p.maximum, e.numberOf(v));
        else if (key == QLatin1String("scale")) set(p.scale, e.numbersOf<5>(v));
        else if (key == QLatin1String("ends")) set(p.ends, e.numbersOf<4>(v));
        else if (key == QLatin1String("col")) set(p.colour, e.integerOf(v, 0, bounds::largestColour));
        else if (key == QLatin1String("border")) set(p.border, e.booleanOf(v));
        else if (key == QLatin1String("auto")) set(p.autoSize, e.booleanOf(v));
        else if (key == QLatin1String("role")) set(p.role, e.textOf(v, bounds::role));
        else if (key == QLatin1String("ptxt")) set(p.playerText, e.booleanOf(v));
        else if (key == QLatin1String("choices")) {
            const QCborArray a = v.toArray();
            e.check(v.isArray() && a.size() <= bounds::mostChoices);
            QStringList choices;
            for (const QCborValue& choice : a)
                choices.append(e.textOf(choice, bounds::choice));
            set(p.choices, choices);
        } else if (key == QLatin1String("font")) {
            const QCborArray a = v.toArray();
            e.check(v.isArray() && a.size() == 3);
            if (a.size() == 3) {
                Font font;
                font.family = e.textOf(a.at(0), bounds::fontFamily);
                font.points = e.numberOf(a.at(1));
                e.check(font.points > 0 && font.points <= bounds::largestFontPoints);
                font.bold = e.booleanOf(a.at(2));
                set(p.font, font);
            }
        } else if (key == QLatin1String("pic")) {
            const QCborArray a = v.toArray();
            e.check(v.isArray() && a.size() == 2);
            if (a.size() == 2) {
                PictureName picture;
                picture.name = e.textOf(a.at(0), bounds::pictureName);
                e.check(isPictureName(picture.name));
                e.check(a.at(1).isByteArray() && a.at(1).toByteArray().size() <= bounds::pictureHashBytes);
                picture.hash = a.at(1).toByteArray();
                set(p.picture, picture);
            }
        } else {
            return std::nullopt;
        }
    }
    if (!e.whole())
        return std::nullopt;
    return p;
}

std::optional<WindowChanged> readWindowChanged(qint64 window, const QCborValue& value)
{
    if (!value.isMap())
        return std::nullopt;
    WindowChanged c;
    c.window = window;
    QCborArray none;
    Elements e(none);
    const QCborMap map = value.toMap();
    bool raiseSeen = false;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        const QString key = it.key().isString() ? it.key().toString() : QString();
        const QCborValue v = it.value();
        auto set = [&e](auto& member, auto read) {
            e.check(!member.has_value());
            member = read;
        };
        if (key == QLatin1String("cap")) set(c.caption, e.textOf(v, bounds::caption));
        else if (key == QLatin1String("size")) set(c.size, e.numbersOf<2>(v));
        else if (key == QLatin1String("at")) set(c.place, e.numbersOf<2>(v));
        else if (key == QLatin1String("shown")) set(c.shown, e.booleanOf(v));
        else if (key == QLatin1String("ptxt")) set(c.captionIsPlayerText, e.booleanOf(v));
        else if (key == QLatin1String("raise") && !raiseSeen) {
            raiseSeen = true;
            c.raise = e.booleanOf(v);
            e.check(c.raise);
        } else
            return std::nullopt;
    }
    if (!e.whole())
        return std::nullopt;
    return c;
}

Identity readIdentity(Elements& e)
{
    Identity identity;
    identity.program = e.word(bounds::program);
    identity.edition = e.word(bounds::edition);
    identity.protocol = e.integer(0, bounds::largestSerial);
    identity.gameVersion = e.word(bounds::gameVersion);
    return identity;
}

bool readsOn(Kind kind, Side side)
{
    switch (kind) {
    case Kind::Ping:
    case Kind::Pong:
    case Kind::Bye:
        return true;
    case Kind::Hello:
    case Kind::Accept:
    case Kind::Refuse:
    case Kind::WindowMade:
    case Kind::WindowGone:
    case Kind::WindowChanged:
    case Kind::FieldChanged:
    case Kind::MessageShown:
    case Kind::MessageClosed:
        return side == Side::Joined;
    case Kind::Join:
    case Kind::Click:
    case Kind::Key:
    case Kind::PointerMove:
    case Kind::MessageOk:
        return side == Side::Host;
    case Kind::SearchRequest:
    case Kind::SearchAnswer:
        return false;
    }
    return false;
}

std::optional<Message> readMessage(Kind kind, Elements& e)
{
    const qint64 serial = bounds::largestSerial;
    const int field = bounds::largestFieldIndex;
    switch (kind) {
    case Kind::Ping:
        return Ping{};
    case Kind::Pong:
        return Pong{};
    case Kind::Bye:
        return Bye{};
    case Kind::Hello: {
        Hello m;
        m.identity = readIdentity(e);
        m.hostName = e.text(bounds::hostName);
        return m;
    }
    case Kind::Accept:
        return Accept{static_cast<int>(e.integer(0, kSeats - 1))};
    case Kind::Refuse:
        return Refuse{e.text(bounds::reason)};
    case Kind::WindowMade: {
        WindowMade m;
        m.window = e.integer(0, serial);
        m.name = e.word(bounds::windowName);
        m.caption = e.text(bounds::caption);
        m.size = e.numbers<2>();
        m.place = e.numbers<2>();
        m.shown = e.boolean();
        m.captionIsPlayerText = e.boolean();
        const QCborValue fields = e.next();
        e.check(fields.isArray() && fields.toArray().size() <= bounds::mostFields);
        if (!e.whole())
            return std::nullopt;
        for (const QCborValue& f : fields.toArray()) {
            const QCborArray a = f.toArray();
            if (!f.isArray() || a.size() != 3)
                return std::nullopt;
            Elements fe(a);
            FieldState state;
            state.kind = static_cast<FieldKind>(fe.integer(0, kFieldKindCount - 1));
            state.parent = static_cast<int>(fe.integer(-1, field));
            const std::optional<FieldProps> props = readProps(fe.next());
            if (!props || !fe.whole())
                return std::nullopt;
            state.props = *props;
            m.fields.append(state);
        }
        return m;
    }
    case Kind::WindowGone:
        return WindowGone{e.integer(0, serial)};
    case Kind::WindowChanged: {
        const qint64 window = e.integer(0, serial);
        const QCborValue changes = e.next();
        if (!e.whole())
            return std::nullopt;
        if (auto c = readWindowChanged(window, changes))
            return *c;
        return std::nullopt;
    }
    case Kind::FieldChanged: {
        FieldChanged m;
        m.window = e.integer(0, serial);
        m.field = static_cast<int>(e.integer(0, field));
        const std::optional<FieldProps> props = readProps(e.next());
        if (!props)
            return std::nullopt;
        m.props = *props;
        return m;
    }
    case Kind::MessageShown: {
        MessageShown m;
        m.id = e.integer(0, serial);
        m.text = e.text(bounds::messageText);
        return m;
    }
    case Kind::MessageClosed:
        return MessageClosed{e.integer(0, serial)};
    case Kind::Join: {
        Join m;
        m.identity = readIdentity(e);
        m.code = e.text(kCodeChars);
        e.check(isCode(m.code));
        m.name = e.text(bounds::playerName);
        m.character = static_cast<int>(e.integer(1, kCharacters));
        return m;
    }
    case Kind::Click: {
        Click m;
        m.window = e.integer(0, serial);
        m.field = static_cast<int>(e.integer(0, field));
        return m;
    }
    case Kind::Key: {
        Key m;
        m.window = e.integer(0, serial);
        m.field = static_cast<int>(e.integer(-1, field));
        m.key = static_cast<int>(e.integer(0, bounds::largestKey));
        return m;
    }
    case Kind::PointerMove: {
        PointerMove m;
        m.window = e.integer(0, serial);
        m.field = static_cast<int>(e.integer(-1, field));
        m.x = e.finite(bounds::farthestPointer);
        m.y = e.finite(bounds::farthestPointer);
        return m;
    }
    case Kind::MessageOk:
        return MessageOk{e.integer(0, serial)};
    case Kind::SearchRequest:
    case Kind::SearchAnswer:
        break;
    }
    return std::nullopt;
}

// The one CBOR array these bytes hold, with nothing after it.
std::optional<QCborArray> arrayIn(const QByteArray& bytes)
{
    QCborStreamReader reader(bytes);
    const QCborValue value = QCborValue::fromCbor(reader);
    if (reader.lastError() != QCborError::NoError || !value.isArray())
        return std::nullopt;
    if (reader.currentOffset() != bytes.size())
        return std::nullopt;
    return value.toArray();
}

std::optional<Kind> kindOf(const QCborArray& array)
{
    if (array.isEmpty() || !array.at(0).isInteger())
        return std::nullopt;
    const qint64 k = array.at(0).toInteger();
    if (k != 1 && k != 2 && k != 3 && !(k >= 10 && k <= 12) && !(k >= 20 && k <= 25) && !(k >= 40 && k <= 44)
        && k != 60 && k != 61)
        return std::nullopt;
    return static_cast<Kind>(k);
}

}  // namespace

QString clipped(const QString& text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    qsizetype cut = maxChars;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut);
}

QByteArray encode(const Message& message) { return QCborValue(arrayOf(message)).toCbor(); }

std::optional<Message> decode(const QByteArray& payload, Side reader)
{
    const std::optional<QCborArray> array = arrayIn(payload);
    if (!array)
        return std::nullopt;
    const std::optional<Kind> kind = kindOf(*array);
    if (!kind || !readsOn(*kind, reader))
        return std::nullopt;
    Elements e(*array);
    e.next();  // the kind
    std::optional<Message> message = readMessage(*kind, e);
    if (!message || !e.whole())
        return std::nullopt;
    return message;
}

QByteArray encodeSearch(const SearchRequest& request)
{
    return QCborValue(QCborArray{static_cast<qint64>(Kind::SearchRequest), textOf(request.program, bounds::program),
                                 request.protocol})
        .toCbor();
}

QByteArray encodeSearch(const SearchAnswer& answer)
{
    return QCborValue(QCborArray{static_cast<qint64>(Kind::SearchAnswer), textOf(answer.program, bounds::program),
                                 textOf(answer.edition, bounds::edition), textOf(answer.hostName, bounds::hostName),
                                 answer.seatsFree, answer.port})
        .toCbor();
}

std::optional<SearchRequest> decodeSearchRequest(const QByteArray& datagram)
{
    const std::optional<QCborArray> array = arrayIn(datagram);
    if (!array || kindOf(*array) != Kind::SearchRequest)
        return std::nullopt;
    Elements e(*array);
    e.next();
    SearchRequest request;
    request.program = e.word(bounds::program);
    request.protocol = e.integer(0, bounds::largestSerial);
    if (!e.whole())
        return std::nullopt;
    return request;
}

std::optional<SearchAnswer> decodeSearchAnswer(const QByteArray& datagram)
{
    const std::optional<QCborArray> array = arrayIn(datagram);
    if (!array || kindOf(*array) != Kind::SearchAnswer)
        return std::nullopt;
    Elements e(*array);
    e.next();
    SearchAnswer answer;
    answer.program = e.word(bounds::program);
    answer.edition = e.word(bounds::edition);
    answer.hostName = e.text(bounds::hostName);
    answer.seatsFree = static_cast<int>(e.integer(0, kSeats));
    answer.port = static_cast<int>(e.integer(1, 65535));
    if (!e.whole())
        return std::nullopt;
    return answer;
}

}  // namespace net

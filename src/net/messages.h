#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <variant>

// Every message that passes between a host and the programs joined to it,
// and the two datagrams of the local-network search. The codec
// (net/codec.h) writes and reads them; each text has its bound there.
//
// A window is named by its serial on the host (fixed for its life), a field
// by its index in its window (its place in the window's creation order);
// -1 as a field index means the window itself.
namespace net {

// What each program says of itself when a connection opens. The edition is
// its word ("full", "wind"); the game version is the program's own.
struct Identity {
    QString program;
    QString edition;
    qint64 protocol = 0;
    QString gameVersion;
    bool operator==(const Identity&) const = default;
};

// ---- Both ways ----
struct Ping {
    bool operator==(const Ping&) const = default;
};
struct Pong {
    bool operator==(const Pong&) const = default;
};
// The sender is leaving. From the host it closes the game for every joined
// program.
struct Bye {
    bool operator==(const Bye&) const = default;
};

// ---- Host to joined ----
// The first thing a host sends on every connection.
struct Hello {
    Identity identity;
    QString hostName;
    bool operator==(const Hello&) const = default;
};
struct Accept {
    int seat = 0;
    bool operator==(const Accept&) const = default;
};
struct Refuse {
    QString reason;
    bool operator==(const Refuse&) const = default;
};

struct Font {
    QString family;
    double points = 0;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

// A picture by name: "builtin:<name>" for one built into the programs, or
// "file:<name>.gif" for one of the picture folder's files, with a hash of the
// host's content so a different file can be told apart. An empty name is no
// picture. A name is only ever looked up among the pictures the program
// knows, never opened as a path.
struct PictureName {
    QString name;
    QByteArray hash;
    bool operator==(const PictureName&) const = default;
};

// The state of one field: every member that is set changed (or, in a made
// window, is the field's design).
struct FieldProps {
    std::optional<std::array<double, 4>> rect;  // left, top, width, height in twips
    std::optional<bool> visible;
    std::optional<bool> enabled;
    std::optional<bool> readOnly;
    std::optional<bool> checked;
    std::optional<QString> caption;
    std::optional<QString> text;
    std::optional<double> value;
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::optional<std::array<double, 5>> scale;  // minimum, maximum, tick, small step, large step
    std::optional<std::array<double, 4>> ends;   // x1, y1, x2, y2 in twips
    std::optional<qint64> colour;                // &HBBGGRR
    std::optional<Font> font;
    std::optional<bool> border;
    std::optional<bool> autoSize;
    std::optional<PictureName> picture;
    std::optional<QString> role;
    // The caption is a player's text (a name, a score): shown as it is, never
    // translated.
    std::optional<bool> playerText;
    // A drop-down list's choices, shown as they are; its value is the index
    // of the one chosen (-1: none).
    std::optional<QStringList> choices;
    bool operator==(const FieldProps&) const = default;
};

// The kinds of field a window holds, as the mirror builds them.
enum class FieldKind : int {
    Button,
    Label,
    TextField,
    Sprite,
    PictureBox,
    Frame,
    ProgressBar,
    Slider,
    CheckBox,
    Line,
    Shape,
    FolderList,
    ComboBox,
};
inline constexpr int kFieldKindCount = 13;

struct FieldState {
    FieldKind kind = FieldKind::Button;
    int parent = -1;  // index of the containing field, -1 for the window
    FieldProps props;
    bool operator==(const FieldState&) const = default;
};

struct WindowMade {
    qint64 window = 0;
    QString name;
    QString caption;
    std::array<double, 2> size{};   // client width, height in twips
    std::array<double, 2> place{};  // left, top in twips
    bool shown = false;
    bool captionIsPlayerText = false;
    QList<FieldState> fields;
    bool operator==(const WindowMade&) const = default;
};
struct WindowGone {
    qint64 window = 0;
    bool operator==(const WindowGone&) const = default;
};
struct WindowChanged {
    qint64 window = 0;
    std::optional<QString> caption;
    std::optional<std::array<double, 2>> size;
    std::optional<std::array<double, 2>> place;
    std::optional<bool> shown;
    std::optional<bool> captionIsPlayerText;
    bool raise = false;
    bool operator==(const WindowChanged&) const = default;
};
struct FieldChanged {
    qint64 window = 0;
    int field = 0;
    FieldProps props;
    bool operator==(const FieldChanged&) const = default;
};
struct MessageShown {
    qint64 id = 0;
    QString text;
    bool operator==(const MessageShown&) const = default;
};
struct MessageClosed {
    qint64 id = 0;
    bool operator==(const MessageClosed&) const = default;
};

// ---- Joined to host ----
// The first thing a joining program sends.
struct Join {
    Identity identity;
    QString code;
    QString name;
    int character = 1;  // 1..6
    bool operator==(const Join&) const = default;
};
struct Click {
    qint64 window = 0;
    int field = 0;
    bool operator==(const Click&) const = default;
};
struct Key {
    qint64 window = 0;
    int field = 0;
    int key = 0;  // the key's code
    bool operator==(const Key&) const = default;
};
struct PointerMove {
    qint64 window = 0;
    int field = -1;
    double x = 0;  // twips of the field (or of the window's client area)
    double y = 0;
    bool operator==(const PointerMove&) const = default;
};
struct MessageOk {
    qint64 id = 0;
    bool operator==(const MessageOk&) const = default;
};

using Message = std::variant<Ping, Pong, Bye, Hello, Accept, Refuse, WindowMade, WindowGone, WindowChanged,
                             FieldChanged, MessageShown, MessageClosed, Join, Click, Key, PointerMove, MessageOk>;

// ---- The local-network search (UDP datagrams) ----
struct SearchRequest {
    QString program;
    qint64 protocol = 0;
    bool operator==(const SearchRequest&) const = default;
};
struct SearchAnswer {
    QString program;
    QString edition;
    QString hostName;
    int seatsFree = 0;
    int port = 0;
    bool operator==(const SearchAnswer&) const = default;
};

}  // namespace net

#pragma once

#include "net/messages.h"
#include "net/protocol.h"

#include <QByteArray>

#include <optional>

// Messages to CBOR and back. A message is one CBOR array: its kind number,
// then its fields in a fixed order (docs/network.md lists them). The reader
// takes only what an honest program of the other side sends: the exact
// types, every text within its bound, every number within its range, no
// unknown kind, key or trailing byte. Anything else reads as nothing, and
// the connection drops the peer that sent it.
namespace net {

// Which side reads: a host takes only what joined programs send, a joined
// program only what hosts send.
enum class Side {
    Host,
    Joined,
};

// The longest text each field may hold, in UTF-16 units. The writer clips a
// longer text, so an honest sender never trips the reader's bound.
namespace bounds {
inline constexpr int program = 32;
inline constexpr int edition = 16;
inline constexpr int gameVersion = 32;
inline constexpr int hostName = 64;
inline constexpr int playerName = 32;
inline constexpr int reason = 200;
inline constexpr int windowName = 32;
inline constexpr int caption = 256;
inline constexpr int fieldText = 2048;
inline constexpr int messageText = 1024;
inline constexpr int pictureName = 64;
inline constexpr int pictureHashBytes = 32;
inline constexpr int fontFamily = 64;
inline constexpr int role = 16;
inline constexpr int choice = 64;
inline constexpr int mostChoices = 16;
// Numbers.
inline constexpr qint64 largestSerial = 0x7fffffff;  // window serials and message ids
inline constexpr int largestFieldIndex = 4095;
inline constexpr int mostFields = largestFieldIndex + 1;
inline constexpr int largestKey = 0x01ffffff;
inline constexpr double farthestPointer = 1e9;  // twips either way
inline constexpr double largestFontPoints = 500;
inline constexpr qint64 largestColour = 0xffffff;
}  // namespace bounds

// A text cut to at most maxChars UTF-16 units, never inside a surrogate pair.
QString clipped(const QString& text, int maxChars);

// The CBOR bytes of a message, its texts clipped to their bounds.
QByteArray encode(const Message& message);

// The message these bytes hold, if they hold one that side may read.
std::optional<Message> decode(const QByteArray& payload, Side reader);

QByteArray encodeSearch(const SearchRequest& request);
QByteArray encodeSearch(const SearchAnswer& answer);
std::optional<SearchRequest> decodeSearchRequest(const QByteArray& datagram);
std::optional<SearchAnswer> decodeSearchAnswer(const QByteArray& datagram);

}  // namespace net

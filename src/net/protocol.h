#pragma once

#include <QString>

#include <chrono>
#include <functional>

// The fixed numbers of play across machines, named once.
namespace net {

// The port a host names unless it is given another, for its TCP listener and
// its UDP search answers alike.
inline constexpr quint16 kDefaultPort = 47240;

// Raised whenever the layout of any message changes. The hello and the join
// keep their layout in every version, so that a mismatch can always be named.
inline constexpr qint64 kProtocolVersion = 1;

// The most bytes one frame may carry after its length prefix.
inline constexpr qint64 kMaxFrameBytes = 64 * 1024;

// The most bytes a search datagram may carry; anything longer is ignored.
inline constexpr qint64 kMaxSearchBytes = 512;

// How often each side pings, how long a silent peer is kept, and how often
// the silence is checked. Tests give shorter ones; the game keeps these.
struct Timing {
    int pingMs = 2000;
    int silenceMs = 10000;
    int silenceCheckMs = 500;
};

// Milliseconds on a clock that never goes back. Tests give their own.
using Clock = std::function<qint64()>;

inline Clock steadyClock()
{
    return [] {
        using namespace std::chrono;
        return static_cast<qint64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    };
}

// Wrong join codes: this many from one address within the window gets that
// address refused for the refusal time.
inline constexpr int kWrongCodesAllowed = 5;
inline constexpr qint64 kWrongCodeWindowMs = 60'000;
inline constexpr qint64 kRefusalMs = 60'000;

// A join code is this many digits.
inline constexpr int kCodeChars = 6;

// Characters a joining player may choose: 1..6.
inline constexpr int kCharacters = 6;

// Joined programs a host keeps before they have joined; further connections
// are closed at once.
inline constexpr int kMostWaitingPeers = 8;

// The seats of a table: player slots 0..3.
inline constexpr int kSeats = 4;

}  // namespace net

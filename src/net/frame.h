#pragma once

#include <QByteArray>

#include <optional>

// Frames on a stream: a 4-byte big-endian length, then that many bytes of
// one message. No frame carries more than kMaxFrameBytes.
namespace net {

// The frame that carries these bytes (at most kMaxFrameBytes of them).
QByteArray framed(const QByteArray& payload);

// Collects the bytes of a stream and hands out whole frames. A length over
// the limit spoils the stream for good, as soon as its four bytes arrive, so
// a peer can never make the reader wait for (or keep) an oversized frame.
class FrameReader {
public:
    void feed(const QByteArray& bytes);

    // The next whole frame's bytes, if one has arrived.
    std::optional<QByteArray> next();

    // True once a length over the limit arrived.
    bool broken() const { return broken_; }
    // True while part of a frame waits for the rest.
    bool midFrame() const { return !buffer_.isEmpty(); }

private:
    QByteArray buffer_;
    bool broken_ = false;
};

}  // namespace net

#include "net/frame.h"

#include "net/protocol.h"

#include <QtEndian>

namespace net {

namespace {
constexpr qsizetype kPrefixBytes = 4;
}

QByteArray framed(const QByteArray& payload)
{
    QByteArray frame(kPrefixBytes, Qt::Uninitialized);
    qToBigEndian(static_cast<quint32>(payload.size()), frame.data());
    frame.append(payload);
    return frame;
}

void FrameReader::feed(const QByteArray& bytes)
{
    if (!broken_)
        buffer_.append(bytes);
}

std::optional<QByteArray> FrameReader::next()
{
    if (broken_ || buffer_.size() < kPrefixBytes)
        return std::nullopt;
    const quint32 length = qFromBigEndian<quint32>(buffer_.constData());
    if (length > kMaxFrameBytes) {
        broken_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    const qsizetype whole = kPrefixBytes + static_cast<qsizetype>(length);
    if (buffer_.size() < whole)
        return std::nullopt;
    QByteArray payload = buffer_.mid(kPrefixBytes, length);
    buffer_.remove(0, whole);
    return payload;
}

}  // namespace net

#include "net/code_guard.h"

#include <QRandomGenerator>

namespace net {

namespace {

// One address, however it reached the listener (an IPv4 peer of a listener
// on every address arrives as an IPv6-mapped one).
QHostAddress plain(const QHostAddress& address)
{
    bool isIPv4 = false;
    const quint32 v4 = address.toIPv4Address(&isIPv4);
    return isIPv4 ? QHostAddress(v4) : address;
}

bool sameCode(const QString& a, const QString& b)
{
    // Every character is looked at, whatever matches, so the time taken says
    // nothing of how much of a guess was right.
    bool same = a.size() == b.size();
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        same = (a.at(i) == b.at(i)) && same;
    return same;
}

}  // namespace

CodeGuard::CodeGuard(QString code, Clock clock) : code_(std::move(code)), clock_(std::move(clock))
{
    if (code_.isEmpty())
        code_ = drawCode();
}

QString CodeGuard::drawCode()
{
    QString code;
    for (int i = 0; i < kCodeChars; ++i)
        code.append(QChar(u'0' + QRandomGenerator::system()->bounded(10)));
    return code;
}

bool CodeGuard::refuses(const QHostAddress& address)
{
    const qint64 now = clock_();
    forgetOld(now);
    const auto it = records_.constFind(plain(address));
    return it != records_.constEnd() && now < it->refusedUntil;
}

bool CodeGuard::admits(const QHostAddress& address, const QString& code)
{
    if (sameCode(code, code_))
        return true;
    const qint64 now = clock_();
    Record& record = records_[plain(address)];
    record.wrongAt.append(now);
    while (!record.wrongAt.isEmpty() && now - record.wrongAt.first() >= kWrongCodeWindowMs)
        record.wrongAt.removeFirst();
    if (record.wrongAt.size() >= kWrongCodesAllowed) {
        record.refusedUntil = now + kRefusalMs;
        record.wrongAt.clear();
    }
    return false;
}

void CodeGuard::forgetOld(qint64 now)
{
    for (auto it = records_.begin(); it != records_.end();) {
        const bool stale = now >= it->refusedUntil
                           && (it->wrongAt.isEmpty() || now - it->wrongAt.last() >= kWrongCodeWindowMs);
        it = stale ? records_.erase(it) : std::next(it);
    }
}

}  // namespace net

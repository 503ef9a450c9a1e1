#pragma once

#include "net/protocol.h"

#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QString>

namespace net {

// The join code and who may still try it. An address that gives
// kWrongCodesAllowed wrong codes within kWrongCodeWindowMs is refused for
// kRefusalMs, right code or not.
class CodeGuard {
public:
    CodeGuard(QString code, Clock clock);

    // A code of kCodeChars digits from the system's random source.
    static QString drawCode();

    const QString& code() const { return code_; }

    // True while the address is refused.
    bool refuses(const QHostAddress& address);

    // Checks a code from an address, counting it when wrong. Only for an
    // address that refuses() let through.
    bool admits(const QHostAddress& address, const QString& code);

private:
    struct Record {
        QList<qint64> wrongAt;
        qint64 refusedUntil = 0;
    };
    void forgetOld(qint64 now);

    QString code_;
    Clock clock_;
    QHash<QHostAddress, Record> records_;
};

}  // namespace net

#pragma once

#include <QString>

// What the players read about play across machines, in the game's interface
// language, written once.
namespace net::words {

// What a joined player sees when the host leaves.
inline QString hostClosed() { return QStringLiteral("Tuan rumah menutup permainan"); }
inline QString wrongCode() { return QStringLiteral("Kode salah"); }
inline QString tooManyWrongCodes() { return QStringLiteral("Terlalu banyak kode salah: coba lagi satu menit lagi"); }
inline QString noSeatFree() { return QStringLiteral("Tidak ada kursi kosong"); }
inline QString hostGone() { return QStringLiteral("Tuan rumah tidak menjawab"); }
inline QString peerSilent() { return QStringLiteral("Tidak ada kabar selama 10 detik"); }
inline QString connectionClosed() { return QStringLiteral("Sambungan terputus"); }
inline QString peerBroke() { return QStringLiteral("Pesan yang tidak sah"); }
inline QString notJoinedInTime() { return QStringLiteral("Tidak bergabung tepat waktu"); }

// The names of what a handshake compares, and the sentence that says what
// differs: "<what> berbeda: tuan rumah <host's>, yang bergabung <joined's>".
inline QString program() { return QStringLiteral("program"); }
inline QString edition() { return QStringLiteral("edisi"); }
inline QString protocolVersion() { return QStringLiteral("versi protokol"); }
inline QString gameVersion() { return QStringLiteral("versi permainan"); }
inline QString differs(const QString& what, const QString& host, const QString& joined)
{
    return QStringLiteral("%1 berbeda: tuan rumah %2, yang bergabung %3").arg(what, host, joined);
}

}  // namespace net::words

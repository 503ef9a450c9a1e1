#pragma once

#include <QString>

// What the players read about play across machines, in the game's interface
// language, written once. The sentences a player reads as they are are
// marked for translation; the ui layer shows them in the language chosen.
namespace net::words {

// What a joined player sees when the host leaves.
inline QString hostClosed() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Tuan rumah menutup permainan")); }
inline QString wrongCode() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Kode salah")); }
inline QString tooManyWrongCodes() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Terlalu banyak kode salah: coba lagi satu menit lagi")); }
inline QString noSeatFree() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Tidak ada kursi kosong")); }
inline QString hostGone() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Tuan rumah tidak menjawab")); }
inline QString peerSilent() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Tidak ada kabar selama 10 detik")); }
inline QString connectionClosed() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Sambungan terputus")); }
inline QString peerBroke() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Pesan yang tidak sah")); }
inline QString notJoinedInTime() { return QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Tidak bergabung tepat waktu")); }

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

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="id">
<context>
    <name>kestrava</name>
    <message>
        <source>kanan</source>
        <translation>right</translation>
    </message>
    <message>
        <source>kiri</source>
        <translation>left</translation>
    </message>
    <message>
        <source>atas</source>
        <translation>up</translation>
    </message>
    <message>
        <source>bawah</source>
        <translation>down</translation>
    </message>
    <message>
        <source>tembak</source>
        <translation>fire</translation>
    </message>
    <message>
        <source>far ok</source>
        <translation>far ok</translation>
    </message>
    <message>
        <source>high ok</source>
        <translation>high ok</translation>
    </message>
    <message>
        <source>Angin:</source>
        <translation>Wind:</translation>
    </message>
    <message>
        <source>Close to contiue</source>
        <translation>Close to continue</translation>
    </message>
    <message>
        <source>%1 dihancurkan sampai lenyap oleh %2. Score 50 poin</source>
        <translation>%1 was wiped out by %2. Score 50 points</translation>
    </message>
    <message>
        <source>Pemenang: %1</source>
        <translation>Winner: %1</translation>
    </message>
    <message>
        <source>Draw!</source>
        <translation>Draw!</translation>
    </message>
    <message>
        <source>Siapa Duluaan? </source>
        <translation>Who goes first? </translation>
    </message>
    <message>
        <source>Ketinggian:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Baca Score</source>
        <translation>Read scores</translation>
    </message>
    <message>
        <source>Manusia</source>
        <translation>Human</translation>
    </message>
    <message>
        <source>Komputer mudah</source>
        <translation>Computer easy</translation>
    </message>
    <message>
        <source>Komputer sedang</source>
        <translation>Computer medium</translation>
    </message>
    <message>
        <source>Komputer sulit</source>
        <translation>Computer hard</translation>
    </message>
    <message>
        <source>Pilih tipe game:</source>
        <translation>Choose the game type:</translation>
    </message>
    <message>
        <source>Team  2 vs 2</source>
        <translation>Team 2 vs 2</translation>
    </message>
    <message>
        <source>Suara</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Bahasa</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Nama</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Garis Pembantu: (0=off)</source>
        <translation>Guide line: (0=off)</translation>
    </message>
    <message>
        <source>Bantuan</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Kiri: hadap ke kiri, atau melangkah ke kiri</source>
        <translation>Left: face left, or step left</translation>
    </message>
    <message>
        <source>Kanan: hadap ke kanan, atau melangkah ke kanan</source>
        <translation>Right: face right, or step right</translation>
    </message>
    <message>
        <source>Atas: melangkah ke atas</source>
        <translation>Up: step up</translation>
    </message>
    <message>
        <source>Bawah: melangkah ke bawah</source>
        <translation>Down: step down</translation>
    </message>
    <message>
        <source>Tembak: tekan tiga kali, untuk jarak, untuk ketinggian, lalu meluncur</source>
        <translation>Fire: press three times, for the distance, for the height, then launch</translation>
    </message>
    <message>
        <source>Kamera ikut</source>
        <translation>Follow camera</translation>
    </message>
    <message>
        <source>Permainan tidak bisa dibuat di port %1: %2</source>
        <translation>The game cannot be hosted on port %1: %2</translation>
    </message>
    <message>
        <source>Alamat %1 tidak ditemukan.</source>
        <translation>The address %1 was not found.</translation>
    </message>
    <message>
        <source>Port harus angka dari 1 sampai 65535.</source>
        <translation>The port must be a number from 1 to 65535.</translation>
    </message>
    <message>
        <source>Jaringan</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>menunggu</source>
        <translation>waiting</translation>
    </message>
    <message>
        <source>(komputer)</source>
        <translation>(computer)</translation>
    </message>
    <message>
        <source>Buat permainan</source>
        <translation>Host a game</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Buat</source>
        <translation>Host</translation>
    </message>
    <message>
        <source>Berhenti</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Kode</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Gabung</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>Cari</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Permainan di jaringan lokal:</source>
        <translation>Games on the local network:</translation>
    </message>
    <message>
        <source>Alamat</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Karakter</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>Isi alamat tuan rumah.</source>
        <translation>Fill in the host&apos;s address.</translation>
    </message>
    <message>
        <source>Kode harus enam angka.</source>
        <translation>The code must be six digits.</translation>
    </message>
    <message>
        <source>Isi nama pemain.</source>
        <translation>Fill in the player&apos;s name.</translation>
    </message>
    <message>
        <source>Nama paling panjang %1 huruf.</source>
        <translation>A name has at most %1 characters.</translation>
    </message>
    <message>
        <source>Tuan rumah menutup permainan</source>
        <translation>The host closed the game</translation>
    </message>
    <message>
        <source>Kode salah</source>
        <translation>Wrong code</translation>
    </message>
    <message>
        <source>Terlalu banyak kode salah: coba lagi satu menit lagi</source>
        <translation>Too many wrong codes: try again in a minute</translation>
    </message>
    <message>
        <source>Tidak ada kursi kosong</source>
        <translation>No seat is free</translation>
    </message>
    <message>
        <source>Tuan rumah tidak menjawab</source>
        <translation>The host does not answer</translation>
    </message>
    <message>
        <source>Tidak ada kabar selama 10 detik</source>
        <translation>No word for 10 seconds</translation>
    </message>
    <message>
        <source>Sambungan terputus</source>
        <translation>The connection was lost</translation>
    </message>
    <message>
        <source>Pesan yang tidak sah</source>
        <translation>A message that is not allowed</translation>
    </message>
    <message>
        <source>Tidak bergabung tepat waktu</source>
        <translation>Did not join in time</translation>
    </message>
</context>
</TS>

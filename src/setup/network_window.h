#pragma once

#include "ui/controls.h"
#include "ui/window.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <functional>
#include <vector>

// What a player asks for with "Gabung": the host's address (a name or an
// address as typed), its port, the join code, the player's name and
// character 1..6.
struct JoinRequest {
    QString address;
    quint16 port = 0;
    QString code;
    QString name;
    int character = 1;
};

// A game a search found on the local network.
struct FoundGame {
    QString address;
    quint16 port = 0;
    QString hostName;
    QString edition;
    int seatsFree = 0;
};

// The window for playing over the network, opened by the setup window's
// "Jaringan". "Buat permainan" hosts: a port, then the join code and the port
// once hosting, and a stop. "Gabung" joins: the games found on the local
// network, an address and port for a game beyond it, the code, the player's
// name and character. The window checks what the player typed and raises
// its callbacks only for sound input; it opens no socket itself.
class NetworkWindow : public ui::Window {
public:
    NetworkWindow();
    ~NetworkWindow() override;

    // "Buat permainan"
    ui::Frame Frame1;
    ui::Label LabelPort;
    ui::TextField Port;       // the port to host on
    ui::Button Buat;          // host
    ui::Button Berhenti;      // stop hosting
    ui::Label LabelKode;
    ui::TextField Kode;       // the join code, once hosting (read-only)

    // "Gabung"
    ui::Frame Frame2;
    ui::Button Cari;          // search the local network once more
    ui::Label LabelDitemukan; // "Permainan di jaringan lokal:"
    std::array<ui::Button, 4> Ditemukan;  // the games found, one a row
    ui::Label LabelAlamat;
    ui::TextField Alamat;     // the host's address
    ui::Label LabelPortGabung;
    ui::TextField PortGabung; // the host's port
    ui::Label LabelKodeGabung;
    ui::TextField KodeGabung; // the code the host gave
    ui::Label LabelNama;
    ui::TextField Nama;       // the joining player's name
    ui::Label LabelKarakter;
    ui::ComboBox Karakter;    // the joining player's character, 1..6
    ui::Button Gabung;        // join

    // Shows that the game is hosted with CODE on PORT, or no longer hosted.
    void showHosting(const QString& code, quint16 port);
    void showNotHosting();
    // Lists the games found so far (the first four); a click on one fills in
    // its address and port.
    void showFound(const std::vector<FoundGame>& games);
    // Whether the window is busy joining (its controls then rest).
    void showJoining(bool joining);

    // Handlers
    void host();             // "Buat"
    void stopHosting();      // "Berhenti"
    void search();           // "Cari"
    void chooseFound(int row);
    void join();             // "Gabung"

    std::function<void(quint16 port)> onHost;
    std::function<void()> onStopHosting;
    std::function<void()> onSearch;
    std::function<void(const JoinRequest&)> onJoin;

private:
    std::vector<FoundGame> found_;
};

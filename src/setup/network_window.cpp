#include "setup/network_window.h"

#include "net/codec.h"
#include "net/protocol.h"
#include "ui/message_box.h"
#include "ui/number_text.h"

#include <optional>

namespace {

constexpr ui::Twips kRowHeight = 420;

// The row-th line of the games found.
ui::Rect foundRow(int row) { return ui::Rect{240, 780 + row * kRowHeight, 5880, 375}; }

QStringList characterChoices()
{
    QStringList choices;
    for (int character = 1; character <= net::kCharacters; ++character)
        choices << numtext::text(character);
    return choices;
}

// A port as typed: plain digits, 1 to 65535.
std::optional<quint16> portTyped(const QString& text)
{
    const std::optional<std::int64_t> port = numtext::readDigits(text.trimmed(), 5);
    if (!port || *port < 1 || *port > 65535)
        return std::nullopt;
    return static_cast<quint16>(*port);
}

bool codeTyped(const QString& text)
{
    return text.size() == net::kCodeChars && numtext::readDigits(text, net::kCodeChars).has_value();
}

const QString& badPortMessage()
{
    static const QString text =
        QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Port harus angka dari 1 sampai 65535."));
    return text;
}

} // namespace

NetworkWindow::NetworkWindow()
    : ui::Window(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Jaringan")), 6600, 6840)
    , Frame1(*this, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Buat permainan")), ui::Rect{120, 120, 6360, 1455})
    , LabelPort(Frame1, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Port")), ui::Rect{240, 405, 900, 255})
    , Port(Frame1, numtext::text(static_cast<int>(net::kDefaultPort)), ui::Rect{1200, 360, 1095, 345})
    , Buat(Frame1, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Buat")), ui::Rect{2520, 345, 1455, 375})
    , Berhenti(Frame1, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Berhenti")), ui::Rect{4080, 345, 1455, 375})
    , LabelKode(Frame1, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Kode")), ui::Rect{240, 945, 900, 255})
    , Kode(Frame1, QString(), ui::Rect{1200, 900, 1095, 345}, true, ui::TextField::Mode::ReadOnly)
    , Frame2(*this, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Gabung")), ui::Rect{120, 1695, 6360, 5025})
    , Cari(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Cari")), ui::Rect{240, 300, 1455, 375})
    , LabelDitemukan(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Permainan di jaringan lokal:")),
                     ui::Rect{1800, 360, 4320, 255})
    , Ditemukan{{
          ui::Button(Frame2, QString(), foundRow(0), false),
          ui::Button(Frame2, QString(), foundRow(1), false),
          ui::Button(Frame2, QString(), foundRow(2), false),
          ui::Button(Frame2, QString(), foundRow(3), false),
      }}
    , LabelAlamat(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Alamat")), ui::Rect{240, 2565, 900, 255})
    , Alamat(Frame2, QString(), ui::Rect{1200, 2520, 2655, 345})
    , LabelPortGabung(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Port")), ui::Rect{3960, 2565, 600, 255})
    , PortGabung(Frame2, numtext::text(static_cast<int>(net::kDefaultPort)), ui::Rect{4680, 2520, 1095, 345})
    , LabelKodeGabung(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Kode")), ui::Rect{240, 3045, 900, 255})
    , KodeGabung(Frame2, QString(), ui::Rect{1200, 3000, 1095, 345})
    , LabelNama(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Nama")), ui::Rect{240, 3525, 900, 255})
    , Nama(Frame2, QString(), ui::Rect{1200, 3480, 2655, 345})
    , LabelKarakter(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Karakter")), ui::Rect{3960, 3525, 900, 255})
    , Karakter(Frame2, characterChoices(), 0, ui::Rect{4920, 3480, 855, 345})
    , Gabung(Frame2, QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Gabung")), ui::Rect{240, 4080, 1455, 495})
{
    Kode.setEnabled(false);
    Berhenti.setEnabled(false);
    // The games found show their hosts' own names.
    for (ui::Button& row : Ditemukan)
        row.showPlayerText();

    Buat.onClick([this] { host(); });
    Berhenti.onClick([this] { stopHosting(); });
    Cari.onClick([this] { search(); });
    for (int row = 0; row < static_cast<int>(Ditemukan.size()); ++row)
        Ditemukan[static_cast<std::size_t>(row)].onClick([this, row] { chooseFound(row); });
    Gabung.onClick([this] { join(); });
}

NetworkWindow::~NetworkWindow() = default;

void NetworkWindow::showHosting(const QString& code, quint16 port)
{
    Kode.setText(code);
    Kode.setEnabled(true);
    Port.setText(numtext::text(static_cast<int>(port)));
    Port.setEnabled(false);
    Buat.setEnabled(false);
    Berhenti.setEnabled(true);
    Frame2.setEnabled(false);
}

void NetworkWindow::showNotHosting()
{
    Kode.setText(QString());
    Kode.setEnabled(false);
    Port.setEnabled(true);
    Buat.setEnabled(true);
    Berhenti.setEnabled(false);
    Frame2.setEnabled(true);
}

void NetworkWindow::showFound(const std::vector<FoundGame>& games)
{
    found_ = games;
    for (std::size_t row = 0; row < Ditemukan.size(); ++row) {
        ui::Button& button = Ditemukan[row];
        if (row >= games.size()) {
            button.hide();
            continue;
        }
        const FoundGame& game = games[row];
        // "host - edition - seats free", as the host names itself.
        button.setCaption(QStringLiteral("%1 (%2:%3) - %4 - %5")
                              .arg(game.hostName, game.address, numtext::text(static_cast<int>(game.port)),
                                   game.edition, numtext::text(game.seatsFree)));
        button.show();
    }
}

void NetworkWindow::showJoining(bool joining)
{
    Frame1.setEnabled(!joining);
    Frame2.setEnabled(!joining);
}

void NetworkWindow::host()
{
    const std::optional<quint16> port = portTyped(Port.text());
    if (!port) {
        ui::showDesignedMessage(badPortMessage());
        return;
    }
    if (onHost)
        onHost(*port);
}

void NetworkWindow::stopHosting()
{
    if (onStopHosting)
        onStopHosting();
}

void NetworkWindow::search()
{
    found_.clear();
    showFound({});
    if (onSearch)
        onSearch();
}

void NetworkWindow::chooseFound(int row)
{
    if (row < 0 || row >= static_cast<int>(found_.size()))
        return;
    const FoundGame& game = found_[static_cast<std::size_t>(row)];
    Alamat.setText(game.address);
    PortGabung.setText(numtext::text(static_cast<int>(game.port)));
}

void NetworkWindow::join()
{
    JoinRequest request;
    request.address = Alamat.text().trimmed();
    if (request.address.isEmpty()) {
        ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Isi alamat tuan rumah.")));
        return;
    }
    const std::optional<quint16> port = portTyped(PortGabung.text());
    if (!port) {
        ui::showDesignedMessage(badPortMessage());
        return;
    }
    request.port = *port;
    request.code = KodeGabung.text().trimmed();
    if (!codeTyped(request.code)) {
        ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Kode harus enam angka.")));
        return;
    }
    request.name = Nama.text().trimmed();
    if (request.name.isEmpty()) {
        ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Isi nama pemain.")));
        return;
    }
    if (request.name.size() > net::bounds::playerName) {
        ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Nama paling panjang %1 huruf.")),
                                {numtext::text(net::bounds::playerName)});
        return;
    }
    request.character = Karakter.index() + 1;
    if (onJoin)
        onJoin(request);
}

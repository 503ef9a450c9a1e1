#include "app/network_play.h"

#include "app/game.h"
#include "app/network_search.h"
#include "net/host_session.h"
#include "net/join_session.h"
#include "net/program_identity.h"
#include "net/protocol.h"
#include "net/search.h"
#include "setup/network_window.h"
#include "setup/roster_window.h"
#include "ui/message_box.h"
#include "ui/number_text.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QTimer>

namespace {

// How long a program that ends while connected waits for its bye to go out.
constexpr int kByeMs = 250;

} // namespace

NetworkPlay::Options NetworkPlay::gameOptions()
{
    // The broadcast address is looked up at the first search, not at start.
    return Options{QHostAddress(), net::kDefaultPort, QHostAddress(QHostAddress::Any)};
}

NetworkPlay::NetworkPlay(Game& game, Options options)
    : game_(game)
    , options_(std::move(options))
    , window_(std::make_unique<NetworkWindow>())
{
    window_->onHost = [this](quint16 port) { host(port, QString()); };
    window_->onStopHosting = [this] { stopHosting(); };
    window_->onJoin = [this](const JoinRequest& request) { join(request); };
    game_.Form1().Jaringan.onClick([this] { openWindow(); });
}

NetworkPlay::~NetworkPlay()
{
    const bool connected = host_ || join_;
    leave();
    stopHosting();
    // The program is ending: its event loop has stopped, and the byes only
    // go out from one. Give them a moment.
    if (connected) {
        QEventLoop loop;
        QTimer::singleShot(kByeMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

void NetworkPlay::openWindow()
{
    if (!search_) {
        const QHostAddress address =
            options_.searchAddress.isNull() ? net::localBroadcastAddress() : options_.searchAddress;
        search_ = std::make_unique<NetworkSearch>(game_.edition(), *window_, address, options_.searchPort);
        if (!host_)
            search_->ask();
    }
    window_->show();
}

bool NetworkPlay::host(quint16 port, const QString& code, const std::array<bool, 4>& remote)
{
    if (host_ || join_)
        return false;
    for (int slot = 0; slot < 4; ++slot)
        if (remote[static_cast<std::size_t>(slot)])
            game_.Form1().setNetworkSeat(slot);
    net::HostSessionSettings settings;
    settings.address = options_.hostAddress;
    settings.port = port;
    settings.code = code;
    auto session = std::make_unique<net::HostSession>(game_, settings);
    if (!session->start()) {
        ui::showDesignedMessage(
            QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Permainan tidak bisa dibuat di port %1: %2")),
            {numtext::text(static_cast<int>(port)), session->errorText()});
        return false;
    }
    host_ = std::move(session);
    window_->showHosting(host_->code(), host_->port());
    return true;
}

void NetworkPlay::stopHosting()
{
    if (!host_)
        return;
    host_->stop();
    host_.reset();
    window_->showNotHosting();
}

void NetworkPlay::join(const JoinRequest& request)
{
    if (host_ || join_)
        return;
    QHostAddress address(request.address);
    if (address.isNull()) {
        // A host name: looked up once, here, as the player pressed "Gabung".
        const QHostInfo info = QHostInfo::fromName(request.address);
        if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
            ui::showDesignedMessage(QStringLiteral(QT_TRANSLATE_NOOP("kestrava", "Alamat %1 tidak ditemukan.")),
                                    {request.address});
            return;
        }
        address = info.addresses().constFirst();
    }
    net::JoinSettings settings;
    settings.identity = net::programIdentity(game_.edition());
    settings.address = address;
    settings.port = request.port;
    settings.code = request.code;
    settings.name = request.name;
    settings.character = request.character;
    join_ = std::make_unique<net::JoinSession>(game_.edition(), game_.pictureFolder(), settings);
    join_->onEnded = [this](const QString& reason) { joinEnded(reason); };
    window_->showJoining(true);
    window_->hide();
    game_.Form1().hide();
    join_->start();
}

void NetworkPlay::leave()
{
    if (!join_)
        return;
    join_->leave();
    join_.reset();
}

void NetworkPlay::joinEnded(const QString& reason)
{
    // The session is still in its own callback: it goes once control is
    // back in the event loop.
    QTimer::singleShot(0, &lifetime_, [this, reason] {
        join_.reset();
        window_->showJoining(false);
        game_.Form1().show();
        ui::showMessage(reason);
    });
}

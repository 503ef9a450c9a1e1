#pragma once

#include "app/edition.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

class Game;
class NetworkSearch;
class NetworkWindow;
struct JoinRequest;
namespace net {
class HostSession;
class JoinSession;
}

// The program's play over the network: the network window that the setup
// window's "Jaringan" opens, and the one host session or join session the
// program has. Nothing listens, connects or searches until a player hosts,
// joins or opens the window.
class NetworkPlay {
public:
    struct Options {
        // Where "Cari" sends its search: null for the local network's
        // broadcast address (the game's), the loopback in tests.
        QHostAddress searchAddress;
        quint16 searchPort;
        // Where a hosted game listens: every address in the game, the
        // loopback in tests.
        QHostAddress hostAddress;
    };
    static Options gameOptions();

    NetworkPlay(Game& game, Options options);
    // Stops a hosted game (every joined player is told) or leaves a joined one.
    ~NetworkPlay();
    NetworkPlay(const NetworkPlay&) = delete;
    NetworkPlay& operator=(const NetworkPlay&) = delete;

    // Opens the network window (and searches the local network once).
    void openWindow();
    NetworkWindow& window() { return *window_; }

    // Hosts on PORT with CODE (empty: one is drawn), leaving the REMOTE
    // seats to the network. False, after a message saying why, when the port
    // cannot be had.
    bool host(quint16 port, const QString& code, const std::array<bool, 4>& remote = {});
    void stopHosting();
    // Joins as the request says; the setup window hides while joined and
    // shows again, after a message with the reason, when the game ends.
    void join(const JoinRequest& request);
    void leave();

    net::HostSession* hostSession() const { return host_.get(); }
    net::JoinSession* joinSession() const { return join_.get(); }

private:
    void joinEnded(const QString& reason);

    Game& game_;
    Options options_;
    std::unique_ptr<NetworkWindow> window_;
    std::unique_ptr<NetworkSearch> search_;
    std::unique_ptr<net::HostSession> host_;
    std::unique_ptr<net::JoinSession> join_;
    // The context of what is done once control is back in the event loop.
    QObject lifetime_;
};

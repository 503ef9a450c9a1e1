#pragma once

#include "app/edition.h"
#include "net/search.h"

#include <QHostAddress>

#include <vector>

class NetworkWindow;
struct FoundGame;

// The network window's list of games on the local network: each "Cari" (and
// the window's opening) sends one search to the search address (the local
// network's broadcast address unless told another, such as the loopback) and
// every answer joins the window's list. The socket opens at the first search.
class NetworkSearch {
public:
    NetworkSearch(Edition edition, NetworkWindow& window, QHostAddress searchAddress, quint16 searchPort);
    NetworkSearch(const NetworkSearch&) = delete;
    NetworkSearch& operator=(const NetworkSearch&) = delete;

    // Sends one search; the list starts afresh.
    void ask();

private:
    void found(const net::HostFound& host);

    NetworkWindow& window_;
    QHostAddress address_;
    quint16 port_;
    net::Search search_;
    std::vector<FoundGame> games_;
};

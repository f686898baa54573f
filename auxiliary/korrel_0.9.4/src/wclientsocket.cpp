// The client end: resolve the host and connect.
#include "korrel/wclientsocket.h"

#include "korrel/korrelcheck.h"
#include "korrel/wcommondialogs.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr const char* kCaption = "Korrel";

// The first IPv4 address of the host, 0 when it has none.
in_addr_t ResolveHost(const char* host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) {
        return 0;
    }
    const in_addr_t address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return address;
}

}  // namespace

WClientSocket::WClientSocket(bool udp)
{
    udp_ = udp;
    connected_ = false;
}

WClientSocket::~WClientSocket()
{
    CloseDataSocket();
}

bool WClientSocket::ConnectToServer(const char* host, unsigned short port)
{
    if (connected_) {
        return false;
    }
    CloseDataSocket();  // what a failed attempt may have left
    dataSocket_ = socket(AF_INET, udp_ ? SOCK_DGRAM : SOCK_STREAM, 0);
    KorrelCheck(dataSocket_ >= 0, "WClientSocket::WClientSocket(): Could not create socket");
    KorrelReuseAddress(dataSocket_);
    peer_ = sockaddr_in{};
    peer_.sin_family = AF_INET;
    peer_.sin_port = htons(port);
    peer_.sin_addr.s_addr = inet_addr(host);
    if (peer_.sin_addr.s_addr == INADDR_NONE) {
        peer_.sin_addr.s_addr = ResolveHost(host);
        if (peer_.sin_addr.s_addr == 0) {
            CloseDataSocket();
            ShowErrorBox("Could not find hostname - please check", kCaption);
            return false;
        }
    }
    if (connect(dataSocket_, reinterpret_cast<const sockaddr*>(&peer_), sizeof(peer_)) != 0) {
        CloseDataSocket();
        ShowErrorBox("Could not connect to host - server down or wrong port?", kCaption);
        return false;
    }
    connected_ = true;
    return true;
}

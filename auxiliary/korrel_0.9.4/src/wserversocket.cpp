// The server end: bind, listen and accept one client.
#include "korrel/wserversocket.h"

#include "korrel/korrelcheck.h"

#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kListenBacklog = 5;
}  // namespace

WServerSocket::WServerSocket(unsigned short port, bool udp)
{
    udp_ = udp;
    connected_ = false;
    listenSocket_ = socket(AF_INET, udp ? SOCK_DGRAM : SOCK_STREAM, 0);
    KorrelCheck(listenSocket_ >= 0, "WSocket::WSocket(): Could not create socket");
    KorrelReuseAddress(listenSocket_);
    local_.sin_family = AF_INET;
    local_.sin_port = htons(port);
    local_.sin_addr.s_addr = htonl(INADDR_ANY);
    KorrelCheck(bind(listenSocket_, reinterpret_cast<const sockaddr*>(&local_), sizeof(local_)) == 0,
                "WServerSocket::WServerSocket(): bind() failed");
    if (!udp) {
        KorrelCheck(listen(listenSocket_, kListenBacklog) == 0, "WServerSocket::WServerSocket(): listen() failed");
    }
}

WServerSocket::~WServerSocket()
{
    if (connected_) {
        Disconnect();
    }
    if (listenSocket_ >= 0) {
        close(listenSocket_);
    }
}

bool WServerSocket::WaitForClient()
{
    if (udp_) {
        dataSocket_ = listenSocket_;
        dataSocketIsBound_ = true;
        connected_ = true;
        return true;
    }
    CloseDataSocket();  // a client still held is let go, not overwritten
    socklen_t size = sizeof(peer_);
    const int client = accept(listenSocket_, reinterpret_cast<sockaddr*>(&peer_), &size);
    if (client < 0) {
        KorrelTrace("WServerSocket::WaitForClient(): accept failed\n");
        return false;
    }
    KorrelTrace("WServerSocket::WaitForClient(): accept succeeded\n");
    dataSocket_ = client;
    connected_ = true;
    return true;
}

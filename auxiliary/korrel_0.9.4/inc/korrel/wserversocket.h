// The server end of a link: binds a port on all local addresses and waits
// for one client. A UDP server is connected at once and answers the sender
// of the last datagram it read.
#pragma once

#include "wsocket.h"

class WServerSocket : public WSocket {
public:
    WServerSocket(unsigned short port, bool udp);
    ~WServerSocket() override;

    // TCP: blocks until a client connects; false when accept fails.
    // UDP: true at once.
    bool WaitForClient();

private:
    int listenSocket_ = -1;
    sockaddr_in local_{};
};

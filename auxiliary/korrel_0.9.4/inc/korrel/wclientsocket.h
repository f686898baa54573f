// The client end of a link: resolves a host (dotted address or name) and
// connects to it. Failures to resolve or connect show an error box.
#pragma once

#include "wsocket.h"

class WClientSocket : public WSocket {
public:
    explicit WClientSocket(bool udp);
    ~WClientSocket() override;

    // False when already connected, or when the host is unknown or refuses.
    bool ConnectToServer(const char* host, unsigned short port);
};

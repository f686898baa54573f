// Sending, reading and the connection state of a socket.
#include "korrel/wsocket.h"

#include "korrel/korrelcheck.h"

#include <arpa/inet.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kHostNameLength = 256;
}  // namespace

WSocket::WSocket()
{}

WSocket::~WSocket()
{}

bool KorrelReuseAddress(int descriptor)
{
    const int on = 1;
    return setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on)) == 0;
}

int WSocket::Send(const void* bytes, int length)
{
    if (!connected_) {
        return 0;
    }
    // MSG_NOSIGNAL: a peer that went away is an error result, not SIGPIPE.
    const ssize_t sent = udp_ ? sendto(dataSocket_, bytes, length, MSG_NOSIGNAL,
                                       reinterpret_cast<const sockaddr*>(&peer_), sizeof(peer_))
                              : send(dataSocket_, bytes, length, MSG_NOSIGNAL);
    if (sent <= 0) {
        KorrelTrace("WSocket::Send(): Send error - disconnected\n");
        DropLink();
        return 0;
    }
    return static_cast<int>(sent);
}

int WSocket::Read(char* buffer, int length, bool onlyIfAvailable)
{
    if (!connected_ || (onlyIfAvailable && IsDataAvailable() == 0)) {
        return 0;
    }
    ssize_t n;
    if (udp_) {
        socklen_t size = sizeof(peer_);
        n = recvfrom(dataSocket_, buffer, length, 0, reinterpret_cast<sockaddr*>(&peer_), &size);
    } else {
        n = recv(dataSocket_, buffer, length, 0);
    }
    if (n <= 0) {
        DropLink();
        if (length > 1) {
            buffer[0] = '\0';
        }
        return 0;
    }
    if (n < length - 1) {
        buffer[n] = '\0';
    }
    return static_cast<int>(n);
}

int WSocket::IsDataAvailable() const
{
    int waiting = 0;
    if (!connected_ || ioctl(dataSocket_, FIONREAD, &waiting) != 0) {
        return 0;
    }
    return waiting;
}

void WSocket::Disconnect()
{
    if (dataSocket_ >= 0 && !dataSocketIsBound_) {
        shutdown(dataSocket_, SHUT_RDWR);
    }
    DropLink();
}

void WSocket::DropLink()
{
    connected_ = false;
    if (!dataSocketIsBound_) {
        CloseDataSocket();
    }
}

void WSocket::CloseDataSocket()
{
    if (dataSocket_ >= 0) {
        close(dataSocket_);
    }
    dataSocket_ = -1;
}

std::string WSocket::GetLocalHostInfo()
{
    char name[kHostNameLength] = {};
    if (gethostname(name, sizeof(name) - 1) != 0) {
        return "";
    }
    return name;
}

std::string WSocket::GetRemoteHostInfo(std::uint32_t* address, unsigned* port) const
{
    if (!connected_) {
        *address = 0;
        *port = 0;
        return "";
    }
    *address = ntohl(peer_.sin_addr.s_addr);
    *port = ntohs(peer_.sin_port);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer_.sin_addr, text, sizeof(text));
    return text;
}

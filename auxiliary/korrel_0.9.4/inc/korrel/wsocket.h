// Blocking IPv4 sockets for simple point-to-point links, TCP or UDP chosen
// per object. WSocket sends, reads and keeps the connection state; the
// server (wserversocket.h) and client (wclientsocket.h) sockets connect it.
// One object is used by one thread at a time.
#pragma once

#include "wobject.h"

#include <netinet/in.h>

#include <cstdint>
#include <string>

class WSocket : public WObject {
public:
    WSocket();
    ~WSocket() override = 0;

    // Bytes sent, 0 when not connected or on an error (the socket is then disconnected).
    int Send(const void* bytes, int length);
    // Bytes read, 0 when not connected, when nothing waits and onlyIfAvailable
    // is set, or on an error or end of stream (the socket is then disconnected).
    // A zero byte follows the data when it leaves room (n < length - 1).
    int Read(char* buffer, int length, bool onlyIfAvailable = false);
    // Bytes waiting to be read; 0 when not connected.
    int IsDataAvailable() const;
    void Disconnect();
    bool IsConnected() const { return connected_; }

    // This machine's name, "" on failure.
    static std::string GetLocalHostInfo();
    // The peer's dotted address, with its address and port in host order;
    // "", 0 and 0 when not connected.
    std::string GetRemoteHostInfo(std::uint32_t* address, unsigned* port) const;

protected:
    // Marks the socket disconnected and closes the data socket, unless it is
    // a UDP server's bound socket, which stays open for the next client.
    void DropLink();
    void CloseDataSocket();

    int dataSocket_ = -1;
    sockaddr_in peer_{};
    bool udp_ = false;
    bool connected_ = false;
    bool dataSocketIsBound_ = false;  // a UDP server's data socket is its bound socket
};

// Sets SO_REUSEADDR on the descriptor; false on failure.
bool KorrelReuseAddress(int descriptor);

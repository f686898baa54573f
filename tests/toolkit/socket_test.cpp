// Sockets over the loopback address: round trips, the UDP server's answer to
// the last sender, disconnection without SIGPIPE, and every descriptor
// closed exactly once.
#include <gtest/gtest.h>

#include "korrel/wclientsocket.h"
#include "korrel/wserversocket.h"
#include "testsupport.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>

namespace {

constexpr const char* kLoopback = "127.0.0.1";

// A port nobody listens on right now.
unsigned short FreePort(bool udp)
{
    const int probe = socket(AF_INET, udp ? SOCK_DGRAM : SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    socklen_t size = sizeof(address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
    close(probe);
    return ntohs(address.sin_port);
}

std::set<int> OpenDescriptors()
{
    std::set<int> open;
    DIR* folder = opendir("/proc/self/fd");
    const int own = dirfd(folder);
    while (dirent* entry = readdir(folder)) {
        if (entry->d_name[0] != '.' && std::stoi(entry->d_name) != own) {
            open.insert(std::stoi(entry->d_name));
        }
    }
    closedir(folder);
    return open;
}

bool IsOpen(int descriptor)
{
    return fcntl(descriptor, F_GETFD) != -1;
}

struct Link {
    std::unique_ptr<WServerSocket> server;
    std::unique_ptr<WClientSocket> client;
    unsigned short port;
};

// A server and a client connected over the loopback address.
Link Connect(bool udp, const char* host = kLoopback)
{
    const unsigned short port = FreePort(udp);
    Link link{std::make_unique<WServerSocket>(port, udp), std::make_unique<WClientSocket>(udp), port};
    EXPECT_FALSE(link.server->IsConnected());
    std::thread accepting([&link] { EXPECT_TRUE(link.server->WaitForClient()); });
    EXPECT_TRUE(link.client->ConnectToServer(host, port));
    accepting.join();
    return link;
}

int SendText(WSocket& socket, const std::string& text)
{
    return socket.Send(text.data(), static_cast<int>(text.size()));
}

std::string ReadText(WSocket& socket)
{
    char buffer[64];
    const int n = socket.Read(buffer, sizeof(buffer));
    return std::string(buffer, n);
}

class RoundTrip : public ::testing::TestWithParam<bool> {};

TEST_P(RoundTrip, CarriesBothWays)
{
    Link link = Connect(GetParam());
    EXPECT_EQ(SendText(*link.client, "ping"), 4);
    for (int i = 0; i < 1000 && link.server->IsDataAvailable() == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(link.server->IsDataAvailable(), 4);
    char buffer[64] = "XXXXXXXX";
    EXPECT_EQ(link.server->Read(buffer, sizeof(buffer)), 4);
    EXPECT_STREQ(buffer, "ping");  // terminated: the data left room
    EXPECT_EQ(SendText(*link.server, "pong"), 4);
    EXPECT_EQ(ReadText(*link.client), "pong");

    std::uint32_t address = 0;
    unsigned port = 0;
    EXPECT_EQ(link.server->GetRemoteHostInfo(&address, &port), kLoopback);
    EXPECT_EQ(address, INADDR_LOOPBACK);
    EXPECT_NE(port, 0u);
    EXPECT_FALSE(link.client->ConnectToServer(kLoopback, 1));  // already connected: untouched
    EXPECT_TRUE(link.client->IsConnected());
    EXPECT_EQ(link.client->Send("", 0), 0);  // nothing sent counts as a lost link
    EXPECT_FALSE(link.client->IsConnected());
}

INSTANTIATE_TEST_SUITE_P(Sockets, RoundTrip, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Udp" : "Tcp"; });

TEST(Sockets, ConnectsToAHostByName)
{
    Link link = Connect(false, "localhost");
    ASSERT_TRUE(link.client->IsConnected());
    EXPECT_EQ(SendText(*link.client, "ping"), 4);
    EXPECT_EQ(ReadText(*link.server), "ping");
}

TEST(Sockets, UdpServerAnswersTheLastSender)
{
    Link link = Connect(true);
    WClientSocket second(true);
    ASSERT_TRUE(second.ConnectToServer(kLoopback, link.port));
    SendText(*link.client, "first");
    SendText(second, "second");
    EXPECT_EQ(ReadText(*link.server), "first");
    EXPECT_EQ(ReadText(*link.server), "second");
    SendText(*link.server, "answer");
    EXPECT_EQ(ReadText(second), "answer");
    EXPECT_EQ(link.client->IsDataAvailable(), 0);
}

TEST(Sockets, ReadOfLengthOneWritesNoTerminator)
{
    Link link = Connect(false);
    SendText(*link.client, "ab");
    char buffer[2] = {'X', 'Y'};
    EXPECT_EQ(link.server->Read(buffer, 1), 1);
    EXPECT_EQ(buffer[0], 'a');
    EXPECT_EQ(buffer[1], 'Y');
}

TEST(Sockets, PeerCloseDisconnectsWithoutSigpipe)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            Link link = Connect(false);
            signal(SIGPIPE, SIG_DFL);  // the toolkit's GUI thread may have ignored it
            link.client.reset();
            // The first send may still be taken; a later one meets the reset link.
            for (int i = 0; i < 100 && link.server->IsConnected(); ++i) {
                SendText(*link.server, "data");
            }
            const bool quiet =
                !link.server->IsConnected() && SendText(*link.server, "data") == 0 && ReadText(*link.server).empty();
            std::exit(quiet ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(Sockets, UdpServerServesAgainAfterDisconnect)
{
    Link link = Connect(true);
    link.server->Disconnect();
    EXPECT_FALSE(link.server->IsConnected());
    ASSERT_TRUE(link.server->WaitForClient());
    SendText(*link.client, "again");
    EXPECT_EQ(ReadText(*link.server), "again");
}

struct FailureCase {
    std::string name;
    std::string host;
    const char* shown;
};

class ConnectFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ConnectFailure, ShowsWhyAndStaysDisconnected)
{
    WClientSocket client(false);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(client.ConnectToServer(GetParam().host.c_str(), FreePort(false)));
    EXPECT_NE(testing::internal::GetCapturedStderr().find(GetParam().shown), std::string::npos);
    EXPECT_FALSE(client.IsConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Sockets, ConnectFailure,
    ::testing::Values(FailureCase{"Refused", kLoopback, "Could not connect to host - server down or wrong port?"},
                      FailureCase{"UnknownHost", "no-such-host.invalid", "Could not find hostname - please check"}),
    CaseName());

// Each path closes what it opened, once: descriptors open before it stay
// open, and none is left behind.
struct DescriptorCase {
    std::string name;
    std::function<void()> run;
};

class Descriptors : public ::testing::TestWithParam<DescriptorCase> {};

TEST_P(Descriptors, ClosedOnceAndNotLeaked)
{
    WClientSocket toolkitStarted(false);
    const std::set<int> before = OpenDescriptors();
    GetParam().run();
    EXPECT_EQ(OpenDescriptors(), before);
}

// Destroys the socket while a descriptor it once used may be taken by someone else.
template <typename S> void DestroyBesideBystander(std::unique_ptr<S>& socket)
{
    const int bystander = open("/dev/null", O_RDONLY);
    socket.reset();
    EXPECT_TRUE(IsOpen(bystander));
    close(bystander);
}

void FailConnects()
{
    const std::set<int> before = OpenDescriptors();
    WClientSocket client(false);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) {
        client.ConnectToServer(kLoopback, FreePort(false));
    }
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(OpenDescriptors(), before);
}

INSTANTIATE_TEST_SUITE_P(Sockets, Descriptors,
                         ::testing::Values(DescriptorCase{"NeverConnectedClient", [] { WClientSocket client(false); }},
                                           DescriptorCase{"DisconnectThenDestroy",
                                                          [] {
                                                              Link link = Connect(false);
                                                              link.client->Disconnect();
                                                              DestroyBesideBystander(link.client);
                                                          }},
                                           DescriptorCase{"UdpServerDisconnectThenDestroy",
                                                          [] {
                                                              Link link = Connect(true);
                                                              link.server->Disconnect();
                                                              DestroyBesideBystander(link.server);
                                                          }},
                                           DescriptorCase{"FailedConnects", FailConnects},
                                           DescriptorCase{"ReadErrorClosesTheDataSocket",
                                                          [] {
                                                              Link link = Connect(false);
                                                              const std::set<int> linked = OpenDescriptors();
                                                              link.client.reset();
                                                              EXPECT_EQ(ReadText(*link.server), "");
                                                              // the client's socket and the server's data socket
                                                              EXPECT_EQ(OpenDescriptors().size(), linked.size() - 2);
                                                          }}),
                         CaseName());

}  // namespace

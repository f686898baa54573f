// Messages: delivery into the inbox, at once and after a delay; client ids.
#include "application.h"
#include "message.h"
#include "messageclient.h"
#include "messagemanager.h"
#include "testsupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class RecordingClient : public MessageClient {
public:
    bool HandleMessage(MessageHandle message) override
    {
        types.push_back(message->GetType());
        if (onMessage) {
            onMessage(message);
        }
        return true;
    }

    std::vector<int32_t> types;
    std::function<void(MessageHandle)> onMessage;
};

// A message that tells when it is deleted.
class WatchedMessage : public Message {
public:
    WatchedMessage(int32_t type, bool* deleted)
        : Message(type),
          deleted_(deleted)
    {}
    ~WatchedMessage() override { *deleted_ = true; }

private:
    bool* deleted_;
};

MessageManager* Manager()
{
    return MessageManager::GetInstance();
}

constexpr int32_t kTestId = 5;
constexpr int32_t kOtherTestId = 6;
constexpr int32_t kUnknownId = 77;

}  // namespace

TEST(MessageDelivery, SendPutsMessageInInboxUntilProcessed)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    EXPECT_TRUE(Manager()->Send(kTestId, MessageHandle(new Message(15))));
    EXPECT_TRUE(Manager()->Send(kTestId, MessageHandle(new Message(16))));
    EXPECT_TRUE(client.types.empty());
    EXPECT_EQ(client.GetInboxSize(), 2u);

    client.ProcessMessages();
    EXPECT_EQ(client.types, (std::vector<int32_t>{15, 16}));
    EXPECT_EQ(client.GetInboxSize(), 0u);
}

TEST(MessageDelivery, SendStampsApplicationTime)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    MessageHandle message(new Message(14));
    message->SetTime(-5.0f);
    ASSERT_TRUE(Manager()->Send(kTestId, message));
    EXPECT_EQ(message->GetTime(), Application::GetInstance()->TotalTime());
}

TEST(MessageDelivery, UnknownIdDropsMessageSilently)
{
    LogCapture log;
    bool deleted = false;
    EXPECT_FALSE(Manager()->Send(kUnknownId, MessageHandle(new WatchedMessage(15, &deleted))));
    EXPECT_TRUE(deleted);
    EXPECT_TRUE(log.Lines().empty());
}

TEST(MessageDelivery, ProcessingEmptyInboxCallsNothing)
{
    RecordingClient client;
    client.ProcessMessages();
    EXPECT_TRUE(client.types.empty());
}

TEST(MessageDelivery, MessageSentDuringWalkIsHandledInSameWalk)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    client.onMessage = [](MessageHandle message) {
        if (message->GetType() == 14) {
            Manager()->Send(kTestId, MessageHandle(new Message(19)));
        }
    };
    Manager()->Send(kTestId, MessageHandle(new Message(14)));
    Manager()->Send(kTestId, MessageHandle(new Message(15)));
    client.ProcessMessages();
    EXPECT_EQ(client.types, (std::vector<int32_t>{14, 15, 19}));
    EXPECT_EQ(client.GetInboxSize(), 0u);
}

TEST(MessageDelivery, ProcessedMessagesAreReleased)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    bool deleted = false;
    Manager()->Send(kTestId, MessageHandle(new WatchedMessage(15, &deleted)));
    EXPECT_FALSE(deleted);
    client.ProcessMessages();
    EXPECT_TRUE(deleted);
}

TEST(MessageDelivery, SendImmediateHandlesAtOnce)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    EXPECT_TRUE(Manager()->SendImmediate(kTestId, MessageHandle(new Message(18))));
    EXPECT_EQ(client.types, (std::vector<int32_t>{18}));
    EXPECT_EQ(client.GetInboxSize(), 0u);
    EXPECT_FALSE(Manager()->SendImmediate(kUnknownId, MessageHandle(new Message(18))));
}

TEST(DelayedMessages, DeliveredOnlyWhenClockHasPassedDueTime)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    EXPECT_TRUE(Manager()->SendDelayed(0.5f, kTestId, MessageHandle(new Message(17))));
    Manager()->Update(0.25f);
    EXPECT_EQ(client.GetInboxSize(), 0u);
    Manager()->Update(0.0f);
    EXPECT_EQ(client.GetInboxSize(), 0u);
    Manager()->Update(0.3f);
    ASSERT_EQ(client.GetInboxSize(), 1u);
    client.ProcessMessages();
    EXPECT_EQ(client.types, (std::vector<int32_t>{17}));
}

TEST(DelayedMessages, ClockEqualToDueTimeWaits)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    Manager()->SendDelayed(0.125f, kTestId, MessageHandle(new Message(17)));
    Manager()->Update(0.125f);
    EXPECT_EQ(client.GetInboxSize(), 0u);
    Manager()->Update(0.001f);
    EXPECT_EQ(client.GetInboxSize(), 1u);
}

TEST(DelayedMessages, ZeroDelayNeedsClockToMove)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    Manager()->SendDelayed(0.0f, kTestId, MessageHandle(new Message(17)));
    Manager()->Update(0.0f);
    EXPECT_EQ(client.GetInboxSize(), 0u);
    Manager()->Update(0.001f);
    EXPECT_EQ(client.GetInboxSize(), 1u);
}

TEST(DelayedMessages, EarlierDueTimeComesFirst)
{
    RecordingClient client;
    Manager()->RegisterWithId(kTestId, &client);
    Manager()->SendDelayed(0.3f, kTestId, MessageHandle(new Message(16)));
    Manager()->SendDelayed(0.1f, kTestId, MessageHandle(new Message(15)));
    Manager()->Update(0.5f);
    client.ProcessMessages();
    EXPECT_EQ(client.types, (std::vector<int32_t>{15, 16}));
}

TEST(DelayedMessages, UnregisteredReceiverAtDueTimeDropsMessage)
{
    bool deleted = false;
    Manager()->SendDelayed(0.1f, kUnknownId, MessageHandle(new WatchedMessage(15, &deleted)));
    EXPECT_FALSE(deleted);
    Manager()->Update(0.2f);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(Manager()->GetDelayedCount(), 0u);
}

TEST(ClientIds, AutomaticIdsCountUpFromEight)
{
    IdGenerator generator;
    EXPECT_EQ(generator.Next(), 8);
    EXPECT_EQ(generator.Next(), 9);
    EXPECT_EQ(generator.Next(), 10);
}

TEST(ClientIds, RegisterGivesClientItsAutomaticId)
{
    RecordingClient first;
    RecordingClient second;
    const int32_t a = Manager()->Register(&first);
    const int32_t b = Manager()->Register(&second);
    EXPECT_GE(a, kFirstAutomaticClientId);
    EXPECT_EQ(b, a + 1);
    EXPECT_EQ(first.GetClientId(), a);
    EXPECT_EQ(Manager()->FindClient(b), &second);
}

TEST(ClientIds, FixedIdRegistrationLogsEveryClient)
{
    LogCapture log;
    RecordingClient client;
    EXPECT_EQ(Manager()->RegisterWithId(kTestId, &client), kTestId);
    EXPECT_EQ(client.GetClientId(), kTestId);
    EXPECT_TRUE(log.Contains("MessageClient registered: 5\t"));
}

TEST(ClientIds, SecondFixedRegistrationReplacesFirstAndEarlierDestructionRemovesEntry)
{
    RecordingClient later;
    {
        RecordingClient earlier;
        Manager()->RegisterWithId(kOtherTestId, &earlier);
        Manager()->RegisterWithId(kOtherTestId, &later);
        EXPECT_EQ(earlier.GetClientId(), kOtherTestId);
        EXPECT_EQ(Manager()->FindClient(kOtherTestId), &later);
    }
    EXPECT_EQ(Manager()->FindClient(kOtherTestId), nullptr);
}

TEST(ClientIds, DestroyedClientIsUnregistered)
{
    {
        RecordingClient client;
        Manager()->RegisterWithId(kTestId, &client);
    }
    EXPECT_EQ(Manager()->FindClient(kTestId), nullptr);
    EXPECT_FALSE(Manager()->Send(kTestId, MessageHandle(new Message(15))));
}

TEST(MessagePayload, ParametersKeepOrder)
{
    Message message(14);
    message.AddParameter(7);
    message.AddParameter(3);
    EXPECT_EQ(message.GetParameter(0), 7);
    EXPECT_EQ(message.GetParameter(1), 3);
    EXPECT_EQ(message.GetParameter(2, -1), -1);
}

// Sending, delaying and registering messages.
#include "messagemanager.h"

#include "application.h"
#include "debuglog.h"
#include "messageclient.h"

#include <cinttypes>

IdGenerator* IdGenerator::GetInstance()
{
    if (Singleton<IdGenerator>::FindInstance() == nullptr) {
        new IdGenerator();
    }
    return Singleton<IdGenerator>::FindInstance();
}

int32_t IdGenerator::Next()
{
    return counter_++;
}

MessageManager* MessageManager::GetInstance()
{
    if (Singleton<MessageManager>::FindInstance() == nullptr) {
        new MessageManager();
    }
    return Singleton<MessageManager>::FindInstance();
}

MessageClient* MessageManager::FindClient(int32_t id) const
{
    const auto it = clients_.find(id);
    return it != clients_.end() ? it->second : nullptr;
}

bool MessageManager::Send(int32_t id, MessageHandle message)
{
    MessageClient* client = FindClient(id);
    if (client == nullptr || message.Get() == nullptr) {
        return false;
    }
    message->SetTime(static_cast<float>(Application::GetInstance()->TotalTime()));
    return client->Receive(message);
}

bool MessageManager::SendImmediate(int32_t id, MessageHandle message)
{
    MessageClient* client = FindClient(id);
    if (client == nullptr || message.Get() == nullptr) {
        return false;
    }
    message->SetTime(static_cast<float>(Application::GetInstance()->TotalTime()));
    client->HandleMessage(message);
    return true;
}

bool MessageManager::SendDelayed(float delay, int32_t id, MessageHandle message)
{
    DelayedMessage record;
    record.dueTime = clock_ + delay;
    record.receiver = id;
    record.message = message;
    delayed_.push(record);
    return true;
}

void MessageManager::Update(float dt)
{
    clock_ += dt;
    while (!delayed_.empty() && delayed_.top().dueTime < clock_) {
        // Off the heap before sending: the receiver may queue more.
        const DelayedMessage record = delayed_.top();
        delayed_.pop();
        Send(record.receiver, record.message);
    }
}

int32_t MessageManager::Register(MessageClient* client)
{
    const int32_t id = IdGenerator::GetInstance()->Next();
    client->SetClientId(id);
    clients_[id] = client;
    return id;
}

int32_t MessageManager::RegisterWithId(int32_t id, MessageClient* client)
{
    client->SetClientId(id);
    clients_[id] = client;
    for (const auto& entry : clients_) {
        DebugLog("MessageClient registered: %d\t%" PRIdPTR "\n", entry.first, reinterpret_cast<intptr_t>(entry.second));
    }
    return id;
}

void MessageManager::Unregister(int32_t id)
{
    clients_.erase(id);
}

// Inbox handling of a message client.
#include "messageclient.h"

#include "messagemanager.h"

MessageClient::~MessageClient()
{
    MessageManager::GetInstance()->Unregister(id_);
}

bool MessageClient::Receive(MessageHandle message)
{
    inbox_.push_back(message);
    return true;
}

void MessageClient::ProcessMessages()
{
    // A std::list keeps its elements in place while handlers append, and the
    // end is read again at every step.
    for (auto it = inbox_.begin(); it != inbox_.end(); ++it) {
        HandleMessage(*it);
    }
    inbox_.clear();
}

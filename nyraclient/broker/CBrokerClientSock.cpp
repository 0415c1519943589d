#include "nyraclient/broker/CBrokerClientSock.h"

#include <vector>

void CBrokerClientSock::OnConnect(int nErrorCode)
{
    m_nStatus = nErrorCode != 0 ? STATUS_FAILED : STATUS_CONNECTED;
}

bool CBrokerClientSock::ReadBlock()
{
    std::vector<BYTE> block(kReceiveBlock);
    const int n = Receive(block.data(), kReceiveBlock);
    if (n <= 0)
        return false;
    return m_Queue.PushCopy(block.data(), std::size_t(n));
}

void CBrokerClientSock::OnReceive(int)
{
    ReadBlock();
}

void CBrokerClientSock::OnClose(int)
{
    // What the station sent before it closed is still worth showing.
    while (ReadBlock()) {
    }
    m_nStatus = STATUS_CLOSED;
}

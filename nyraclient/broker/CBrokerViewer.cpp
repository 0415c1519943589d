#include "nyraclient/broker/CBrokerViewer.h"

#include "nyraclient/client/NyraClientSock.h"

#include "nrdata/buffer/CSmartBuffer.h"

#include <chrono>

namespace {

constexpr int kWouldBlock = 10035;
// How often a pause looks at the stop flag.
constexpr DWORD kPauseSliceMs = 2;

} // namespace

void CBrokerViewer::PushData(const BYTE* data, UINT len)
{
    m_Queue.PushCopy(data, len);
}

int CBrokerViewer::Run()
{
    while (IsRunning()) {
        while (IsRunning()) {
            CSmartBuffer* buffer = m_Queue.Pop();
            if (buffer == nullptr)
                break;
            SendData(static_cast<const BYTE*>(buffer->GetBuffer()), UINT(buffer->GetSize()));
            buffer->RemoveRef(1);
        }
        Sleep(1);
    }
    return kExitCode;
}

bool CBrokerViewer::Pause(DWORD ms) const
{
    // Real time: a back-off for the network, not a clinical interval.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (IsRunning()) {
        if (std::chrono::steady_clock::now() >= end)
            return true;
        Sleep(kPauseSliceMs);
    }
    return false;
}

int CBrokerViewer::SendData(const BYTE* data, UINT len)
{
    NyraClientSock* sock = GetOwner();
    UINT sent = 0;
    int pauses = 0;
    while (sock != nullptr && sent < len) {
        const int n = sock->Send(data + sent, int(len - sent));
        if (n > 0) {
            sent += UINT(n);
            continue;
        }
        if (n == 0 || CAsyncSocket::GetLastError() != kWouldBlock)
            return 0;
        // Nothing of the packet out yet: after three pauses it is dropped whole. Once begun, it
        // is finished, or the stream would be out of step for the viewer.
        if (sent == 0 && ++pauses >= kPausesBeforeDrop)
            return 0;
        if (!Pause(kWouldBlockPauseMs))
            return 0;
    }
    return sent == len ? 1 : 0;
}

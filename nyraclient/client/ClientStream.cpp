// Packet stream assembly: the bytes of a monitor's TCP socket or serial link are cut into
// whole packets, each handed to the handler of its kind with exactly the kind's length.
//
// A TCP stream carries bare packets; a byte that starts no known kind is skipped, so the
// assembler finds the next packet after garbage one byte at a time. A serial stream carries
// 110-byte frames (0xFE, packet, zeros, 0xFC). Bytes of an incomplete packet or frame are kept
// as the tail for the next pass (on a serial link they go back to the link's queue). Waves and
// parameters count only once the monitor's number has been accepted.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/client/DeferredDelete.h"
#include "nyraclient/client/NyraClientOwner.h"
#include "nyraclient/client/NyraClientSock.h"
#include "nyraclient/link/CUSerialEx.h"
#include "nyraclient/link/SerialFrame.h"

#include <algorithm>
#include <cstring>

namespace {

// The fixed length of each packet kind; 0 for a byte that starts no packet.
int PacketLength(BYTE type)
{
    switch (type) {
    case PK_TYPE_CONTROL: return PKControl::kSize;
    case PK_TYPE_PROTOCOL_VER: return PKProtocolVer::kSize;
    case PK_TYPE_PATIENT: return PKPatient_v110::kSize;
    case PK_TYPE_ALARM: return PKAlarm_v110::kSize;
    case PK_TYPE_MONITOR: return PKMonitor_v110::kSize;
    case PK_TYPE_WAVE: return 56;
    case PK_TYPE_PARAM: return PKParam_v110::kSize;
    default: return 0;
    }
}

} // namespace

// ==== tail =======================================================================================

void NyraClientInfo::DropTail()
{
    m_Tail.clear();
    m_Tail.shrink_to_fit();
    m_nTailCount = 0;
}

void NyraClientInfo::KeepTail(const BYTE* bytes, int count)
{
    m_Tail.assign(bytes, bytes + count);
    m_nTailCount = count;
}

int NyraClientInfo::TakeTail(BYTE* buffer)
{
    const int fill = m_nTailCount;
    if (fill > 0)
        std::memcpy(buffer, m_Tail.data(), size_t(fill));
    DropTail();
    return fill;
}

// ==== dispatch ===================================================================================

void NyraClientInfo::DispatchPacket(BYTE* packet, int len)
{
    switch (packet[0]) {
    case PK_TYPE_CONTROL: Receive_Control(packet, len); break;
    case PK_TYPE_PROTOCOL_VER: Receive_ProtocolVer(packet, len); break;
    case PK_TYPE_PATIENT: Receive_Patient(packet, len); break;
    case PK_TYPE_ALARM: Receive_Alarm(packet, len); break;
    case PK_TYPE_MONITOR: Receive_Monitor(packet, len); break;
    case PK_TYPE_WAVE:
        if (m_bMonitorAccepted)
            Receive_Wave(packet, len);
        break;
    case PK_TYPE_PARAM:
        if (m_bMonitorAccepted)
            Receive_Parameter(packet, len);
        break;
    default: break;
    }
}

// After a pass: a monitor that announced its disconnection is removed, and keeps no tail.
void NyraClientInfo::FinishPass()
{
    if (!m_bDisconnectRequest)
        return;
    DropTail();
    if (m_pManager != nullptr)
        m_pManager->Disconnected(this);
}

// ==== TCP ========================================================================================

int NyraClientInfo::FillWorkBuffer(BYTE* buffer, const BYTE*& bytes, int& count)
{
    int fill = TakeTail(buffer);
    const int take = std::min(count, kWorkBufferSize - fill);
    if (take > 0) {
        std::memcpy(buffer + fill, bytes, size_t(take));
        bytes += take;
        count -= take;
        fill += take;
    }
    return fill;
}

void NyraClientInfo::AssembleStream(const BYTE* bytes, int count)
{
    // The input is worked through in buffer-sized steps, each after the tail the step before
    // left, so no byte is dropped however much a caller hands over at once. A tail is shorter
    // than the longest packet, so every step takes new bytes.
    BYTE buffer[kWorkBufferSize];
    do {
        const int fill = FillWorkBuffer(buffer, bytes, count);
        int position = 0;
        int unconsumed = fill;
        while (unconsumed >= 1) {
            int length = PacketLength(buffer[position]);
            if (length > 0) {
                if (unconsumed < length)
                    break;
                DispatchPacket(buffer + position, length);
            } else {
                length = 1;
            }
            position += length;
            unconsumed -= length;
        }
        if (unconsumed > 0)
            KeepTail(buffer + fill - unconsumed, unconsumed);
    } while (count > 0);
    if (m_bDisconnectRequest)
        DropTail();
}

// One read into the work buffer after the held tail, then assembly and, after a disconnect
// notice, the client's removal. `read` gives the bytes read or a value below 1.
template <class Read, class Assemble>
void NyraClientInfo::RunPass(Read read, Assemble assemble)
{
    nyraclient::NotifyScope scope;
    BYTE buffer[kWorkBufferSize];
    const int got = read(buffer, kWorkBufferSize - m_nTailCount);
    if (got < 1)
        return;
    ++m_nPassDepth;
    (this->*assemble)(buffer, got);
    --m_nPassDepth;
    FinishPass();
}

LRESULT NyraClientInfo::OnReceiveSocketData(WPARAM, LPARAM)
{
    if (m_pSocket == nullptr)
        return 0;
    RunPass(
        [this](BYTE* buffer, int room) {
            const int got = m_pSocket->Receive(buffer, room, 0);
            // Nothing to read yet (would block) keeps the tail; a closed or failed link
            // drops it, and the watchdog notices the silence.
            if (got < 1 && !(got == SOCKET_ERROR && CAsyncSocket::GetLastError() == WSAEWOULDBLOCK))
                DropTail();
            return got;
        },
        &NyraClientInfo::AssembleStream);
    return 0;
}

// ==== serial =====================================================================================

void NyraClientInfo::AssembleSerialStream(const BYTE* bytes, int count)
{
    // Buffer-sized steps as on TCP; a tail is shorter than a frame.
    BYTE buffer[kWorkBufferSize];
    do {
        const int fill = FillWorkBuffer(buffer, bytes, count);
        int position = 0;
        int unconsumed = fill;
        while (position < fill && unconsumed >= SERIAL_FRAME_SIZE) {
            int step = 1;
            if (IsSerialFrame(buffer + position)) {
                BYTE* packet = buffer + position + 1;
                const int length = PacketLength(packet[0]);
                if (length > 0) {
                    DispatchPacket(packet, length);
                    step = SERIAL_FRAME_SIZE;
                }
            }
            position += step;
            unconsumed -= step;
        }
        if (unconsumed > 0)
            KeepTail(buffer + fill - unconsumed, unconsumed);
    } while (count > 0);
    if (m_bDisconnectRequest) {
        DropTail();
        return;
    }
    // On a link the start of a frame goes back to the link's queue: the link tells this client
    // only when a frame's worth is queued there, so bytes held here would leave a frame whose
    // rest arrives in fewer than 110 bytes unannounced (the monitor's last frame, waiting for
    // its answer, would never be read).
    if (m_pSerial != nullptr && m_nTailCount > 0) {
        m_pSerial->Unget(m_Tail.data(), m_nTailCount);
        DropTail();
    }
}

LRESULT NyraClientInfo::OnReceiveSerialData(WPARAM, LPARAM)
{
    if (m_pSerial == nullptr)
        return 0;
    // Nothing waiting gives 0. The start of a frame is given back to the link, not held here.
    RunPass([this](BYTE* buffer, int room) { return m_pSerial->Get(buffer, room); },
            &NyraClientInfo::AssembleSerialStream);
    return 0;
}

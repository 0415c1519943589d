// The apply-to-monitor procedure of the bed settings pages.
#include "tarvic/dialogs/ApplyToMonitor.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogControls.h"
#include "tarvic/dialogs/CWaitMessageDlg.h"
#include "tarvic/res/BedDialogIds.h"

#include "nyraclient/client/NyraClientInfo.h"

#include "ktutil/KTGF.h"

#include "platform/core/Clock.h"
#include "platform/core/Sync.h"

#include <vector>

namespace tarvic::bed {
namespace {

bool s_bWaiting = false;

// What differs between the two kinds of settings packet.
struct PacketKind
{
    BYTE kind;
    int waitKind;
    UINT questionId;
};

constexpr PacketKind kAlarmKind{PK_TYPE_ALARM, NyraClientInfo::WAIT_ACK_ALARM, IDS_ASK_APPLY_ALARM};
constexpr PacketKind kMonitorKind{PK_TYPE_MONITOR, NyraClientInfo::WAIT_ACK_MONITOR, IDS_ASK_APPLY_MONITOR};

// Runs messages until the monitor acknowledged (true) or the wait failed.
bool WaitForAck(NyraClientInfo& client, const ClientGone& gone, int waitKind)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (gone && gone())
            return false;
        if (!client.IsConnected())
            return false;
        MSG msg;
        KTGF::PeekMsg(&msg);
        if (gone && gone())
            return false;
        if (GetTickCount() - start > kApplyWaitMs)
            return false;
        if (client.IsWaitingAck(waitKind) == 0)
            return true;
        ::Sleep(1);
    }
}

template <class Packet, class Send, class Store>
ApplyResult Apply(CWnd& page, NyraClientInfo& client, const ClientGone& gone, const Packet& packet,
                  const PacketKind& kind, Send send, Store store)
{
    if (s_bWaiting)
        return ApplyResult::Busy;
    if (StationMessageBox(kind.questionId, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return ApplyResult::Declined;
    if (gone && gone())
        return ApplyResult::Failed;

    s_bWaiting = true;
    // The packet as it goes out: the send takes a writable buffer.
    std::vector<BYTE> bytes(packet.GetPacket(), packet.GetPacket() + packet.GetPacketSize());
    (client.*send)(bytes.data(), UINT(bytes.size()));

    CWaitMessageDlg wait;
    wait.Open(&page, LoadText(IDS_APPLYING));
    bool acknowledged = false;
    if (client.IsDemo()) {
        AcknowledgeLocally(client, kind.kind);
        acknowledged = true;
    } else {
        acknowledged = WaitForAck(client, gone, kind.waitKind);
    }
    wait.Close();
    s_bWaiting = false;

    if (!acknowledged || (gone && gone())) {
        StationMessageBox(IDS_APPLY_FAILED, MB_OK | MB_ICONSTOP);
        return ApplyResult::Failed;
    }
    // The client relayed the acknowledged packet to the viewing stations when the ACK came.
    (client.*store)(packet);
    return ApplyResult::Applied;
}

} // namespace

bool IsApplyWaiting() { return s_bWaiting; }

void AcknowledgeLocally(NyraClientInfo& client, BYTE kind)
{
    PKControl ack;
    ack.SetType(PK_CONTROL_ACK);
    ack.SetData(kind);
    ack.SetKey(LOBYTE(static_cast<unsigned>(client.GetKey())));
    client.Receive_Control(ack.GetPacket(), ack.GetPacketSize());
}

ApplyResult ApplyToMonitor(CWnd& page, NyraClientInfo& client, const ClientGone& gone, const PKAlarm_v110& packet)
{
    return Apply(page, client, gone, packet, kAlarmKind, &NyraClientInfo::Send_Alarm, &NyraClientInfo::SetAlarmPacket);
}

ApplyResult ApplyToMonitor(CWnd& page, NyraClientInfo& client, const ClientGone& gone, const PKMonitor_v110& packet)
{
    return Apply(page, client, gone, packet, kMonitorKind, &NyraClientInfo::Send_Monitor,
                 &NyraClientInfo::SetMonitorPacket);
}

} // namespace tarvic::bed

// NyraClientInfo: the demo bed's side of its generator thread. The thread only makes packets;
// the packet handlers (trend store, bed windows, alarms, recording, the broker's queue, and any
// notification to the station) run on the user-interface thread, as for a monitor.
#include "nyraclient/client/NyraClientInfo.h"

#include "nrdata/buffer/CSmartBuffer.h"
#include "nrdata/packet/PKBase.h"
#include "platform/core/Check.h"

void NyraClientInfo::StartDemo()
{
    WARD_CHECK_UI_THREAD();
    if (m_DemoThread.IsStarted())
        return;
    UpdateConfig();
    if (!m_DemoThread.Start(static_cast<CDemoThreadOwner*>(this)))
        return;
    ForEachBedWindow([](NyraBedWindow* wnd) { wnd->ResetIconStatus(); });
}

void NyraClientInfo::StopDemo()
{
    WARD_CHECK_UI_THREAD();
    if (CDemoThread* thread = m_DemoThread.Get())
        thread->SetOwner(nullptr);
    m_DemoThread.Stop();
    m_DemoQueue.Clear();
}

void NyraClientInfo::PushDemoPacket(const BYTE* data, int len)
{
    // The packet that finds the queue empty asks for a drain; while one is due or running, the
    // queue is drained to its end anyway.
    if (GetSafeHwnd() == nullptr)
        return;
    bool wasEmpty = false;
    if (m_DemoQueue.PushCopy(data, std::size_t(len), &wasEmpty) && wasEmpty)
        PostMessage(WM_DEMO_DATA, 0, 0);
}

LRESULT NyraClientInfo::OnDemoData(WPARAM, LPARAM)
{
    WARD_CHECK_UI_THREAD();
    // One packet at a time, so that a handler that pumps messages (a box), and so drains the
    // queue from a nested call, keeps the packets in order.
    while (CSmartBuffer* buffer = m_DemoQueue.Pop()) {
        auto* bytes = static_cast<BYTE*>(buffer->GetBuffer());
        const int len = static_cast<int>(buffer->GetSize());
        if (len > 0 && bytes[0] == PK_TYPE_WAVE)
            Receive_Wave(bytes, len);
        else if (len > 0 && bytes[0] == PK_TYPE_PARAM)
            Receive_Parameter(bytes, len);
        buffer->RemoveRef(1);
    }
    return 0;
}

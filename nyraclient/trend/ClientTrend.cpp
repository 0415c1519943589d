// NyraClientInfo and its trend store: each accepted parameter packet goes into the store, and
// the store's questions about the bed are answered here.
#include "nyraclient/client/NyraClientInfo.h"

#include "nyraclient/manager/NyraClientManager.h"

int NyraClientInfo::AddTrendData(const BYTE* data)
{
    ++m_nTrendFed;
    return m_TrendStore.AddTrendData(data);
}

int NyraClientInfo::IsValidRange(int kind, UINT first, UINT count) const
{
    if (!m_Config.IsVisible(kind))
        return 0;
    const UINT entries = m_TrendStore.GetCountsOfTrendData();
    PKParam_v110 entry;
    for (UINT index = first; index < entries && index - first < count; ++index) {
        if (!m_TrendStore.CopyTrendDataAtIndex(index, entry))
            break;
        for (int i = 0; i < PKParam_v110::kSamples; ++i)
            if (entry.IsValidData(kind, i))
                return 1;
    }
    return 0;
}

// ==== the store's questions ======================================================================

void NyraClientInfo::MarkRecordInterrupted()
{
    m_RecordLock.Lock();
    m_bRecordInterrupted = 1;
    m_RecordLock.Unlock();
}

void NyraClientInfo::OnTrendStarted()
{
    // A recording that a backward jump or the 72-hour limit ended goes on in a new one.
    if (!m_bRecording && m_bRecordInterrupted)
        SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START);
}

void NyraClientInfo::OnTrendJumpedBack()
{
    m_AlarmManager.RemoveAlarmAll();
}

int NyraClientInfo::IsTrendReviewMode() const
{
    // The bed windows that stand in today have no trend review; the bed window answers here
    // once it has one.
    return 0;
}

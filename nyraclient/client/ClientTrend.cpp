// NyraClientInfo and its trend store: each accepted parameter packet goes into the store, and
// the store's questions about the bed are answered here.
#include "nyraclient/client/NyraClientInfo.h"

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

void NyraClientInfo::OnTrendStarted()
{
    // A new store follows a monitor (re)start: a blood pressure from before it is not current.
    {
        std::lock_guard lock(m_NIBPLock);
        m_LastNIBP = NIBPReading();
    }
    // A recording that a backward jump or the 72-hour limit ended goes on in a new one.
    if (!m_Recorder.IsRecording() && m_Recorder.IsInterrupted())
        SendMsgToParent(CLIENT_NOTIFY_COMMAND, NYRACMD_RECORD_START);
}

void NyraClientInfo::OnTrendJumpedBack()
{
    m_AlarmManager.RemoveAlarmAll();
}

int NyraClientInfo::IsTrendReviewMode() const
{
    for (const NyraBedWindow* wnd : { m_pControl, m_pEnlargedControl })
        if (wnd != nullptr && ::IsWindow(wnd->GetSafeHwnd()) && wnd->IsTrendReviewMode())
            return 1;
    return 0;
}

UINT NyraClientInfo::GetTrendFirstIndexShown() const
{
    for (const NyraBedWindow* wnd : { m_pEnlargedControl, m_pControl })
        if (wnd != nullptr && ::IsWindow(wnd->GetSafeHwnd()))
            return wnd->GetDrawFirstIndexOfTrend();
    return 0;
}

// ==== the last NIBP reading ======================================================================

void NyraClientInfo::KeepNIBPReading(const PKParam_v110& packet)
{
    if (packet.GetNIBPStatus() != PK_NIBP_STATUS_DONE)
        return;
    NIBPReading reading;
    reading.systolic = static_cast<WORD>(packet.GetNIBPSys());
    reading.diastolic = static_cast<WORD>(packet.GetNIBPDia());
    reading.mean = static_cast<WORD>(packet.GetNIBPMean());
    reading.time = COleDateTime::GetCurrentTime();
    std::lock_guard lock(m_NIBPLock);
    m_LastNIBP = reading;
}

NIBPReading NyraClientInfo::GetLastNIBP() const
{
    std::lock_guard lock(m_NIBPLock);
    return m_LastNIBP;
}

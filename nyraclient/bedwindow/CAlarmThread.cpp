#include "nyraclient/bedwindow/CAlarmThread.h"

#include "nyraclient/bedwindow/AlarmColors.h"
#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"

#include "platform/core/Clock.h"
#include "platform/gdi/WindowDCs.h"

#include <algorithm>
#include <vector>

CAlarmThread::CAlarmThread() : m_dwLastStep(GetTickCount()), m_dwLastTime(m_dwLastStep) {}

int CAlarmThread::Run()
{
    NyraControl* owner = GetOwner();
    if (owner == nullptr)
        return kExitCode;
    // Held for the thread's life: the window passes through it after stopping the thread.
    CCriticalSection& lifeLock = owner->GetAlarmLock();
    lifeLock.Lock();
    while (IsRunning()) {
        m_nLooks.fetch_add(1);
        // A quiet bed's painter sleeps until an alarm value changes or a recording begins; a
        // refresh already due (the time, once a step hid the text over it) is drawn at once.
        const DWORD next = Pass(*owner);
        if (next != 0)
            WaitForWork(next);
    }
    lifeLock.Unlock();
    return kExitCode;
}

DWORD CAlarmThread::Pass(NyraControl& owner)
{
    NyraClientInfo* client = owner.GetClient();
    if (client == nullptr || !owner.IsPrepared())
        return INFINITE;
    const bool alarms = client->GetAlarmManager().GetAlarmCount() > 0;
    const bool recording = client->IsRecording() != 0;
    // A quiet bed whose caption shows nothing of ours: nothing to do.
    if (!alarms && !recording && !m_bTextDrawn && !m_bTimeDrawn)
        return INFINITE;
    if (owner.GetSafeHwnd() == nullptr || owner.GetBackBitmap()->GetSafeHandle() == nullptr)
        return INFINITE;
    Step(owner, alarms, recording);
    if (!alarms && !recording)
        return INFINITE;
    // A step or a time refresh falls due once more than a step has passed since the last one
    // (0: it is due now).
    const DWORD now = GetTickCount();
    const auto dueIn = [now](DWORD last) {
        const DWORD since = now - last;
        return since <= kStepMs ? kStepMs + 1 - since : DWORD(0);
    };
    DWORD next = alarms ? dueIn(m_dwLastStep) : INFINITE;
    // Under a shown text the time waits for the step that hides it.
    if (recording && (!alarms || m_nPhase == 0))
        next = std::min(next, dueIn(m_dwLastTime));
    return next;
}

void CAlarmThread::Step(NyraControl& owner, bool alarms, bool recording)
{
    const DWORD now = GetTickCount();
    if (alarms && recording) {
        // The time only while no alarm text covers the caption.
        if (m_nPhase == 0 && now - m_dwLastTime > kStepMs) {
            DrawRecordingTime(owner);
            m_dwLastTime = GetTickCount();
        }
        if (now - m_dwLastStep > kStepMs)
            TextStep(owner);
        m_bTextDrawn = m_bTimeDrawn = true;
    } else if (alarms) {
        if (m_bTimeDrawn) {
            m_bTimeDrawn = false;
            owner.UpdateCaption(1, 1);
        }
        if (now - m_dwLastStep > kStepMs)
            TextStep(owner);
        m_bTextDrawn = true;
    } else if (recording) {
        if (m_bTextDrawn) {
            m_bTextDrawn = false;
            owner.UpdateCaption(1, 1);
        }
        if (now - m_dwLastTime > kStepMs) {
            DrawRecordingTime(owner);
            m_dwLastTime = GetTickCount();
        }
        m_bTimeDrawn = true;
    } else if (m_bTextDrawn || m_bTimeDrawn) {
        m_bTextDrawn = m_bTimeDrawn = false;
        owner.UpdateCaption(1, 1);
    }
}

void CAlarmThread::TextStep(NyraControl& owner)
{
    NyraAlarmManager& alarms = owner.GetClient()->GetAlarmManager();
    std::vector<CString> texts;
    std::vector<BYTE> levels;
    for (int t = 0; t < ALARMTYPE_COUNT; ++t) {
        const auto type = static_cast<ALARMTYPE>(t);
        int level = alarms.GetAlarmLevel(type);
        if (level == 0)
            continue;
        CString text;
        AlarmText(type, alarms.GetAlarm(type), text, level);
        if (!text.IsEmpty()) {
            texts.push_back(text);
            levels.push_back(static_cast<BYTE>(level));
        }
    }
    if (texts.empty()) {
        m_nPhase = 0;
        owner.UpdateCaption(1, 0);
    } else {
        if (m_nIndex >= static_cast<int>(texts.size()))
            m_nIndex = 0;
        m_nPhase ^= 1;
        DrawAlarmText(owner, texts[size_t(m_nIndex)], levels[size_t(m_nIndex)], m_nPhase == 1);
        if (m_nPhase == 1)
            ++m_nIndex;
    }
    m_dwLastStep = GetTickCount();
    m_nTextSteps.fetch_add(1);
}

void CAlarmThread::DrawAlarmText(NyraControl& owner, const CString& text, int level, bool shown)
{
    if (level != ALARM_LEVEL_ORANGE && level != ALARM_LEVEL_RED)
        return;
    // A step draws only the caption text's place: the buttons around it stand as they are.
    if (!shown) {
        owner.UpdateCaption(1, 0);
        return;
    }
    CClientDC dc(&owner);
    if (dc.GetSafeHdc() == nullptr)
        return;
    // The alarm text in its level's colour over the place of the bed's own text.
    const int saved = dc.SaveDC();
    CRect area = owner.GetCaptionRect();
    dc.FillSolidRect(&area, AlarmLevelColor(level, kAlarmColorRed));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.SelectObject(owner.GetCaptionFont());
    dc.DrawText(text, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    dc.RestoreDC(saved);
}

void CAlarmThread::DrawRecordingTime(NyraControl& owner)
{
    CClientDC dc(&owner);
    if (dc.GetSafeHdc() == nullptr)
        return;
    const int saved = dc.SaveDC();
    owner.DrawElapsedTime(&dc);
    dc.RestoreDC(saved);
    m_nTimeRefreshes.fetch_add(1);
}

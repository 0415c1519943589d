#include "nyraclient/manager/AlarmSoundNotice.h"

#include "nyraclient/res/NyraClientStrings.h"

#include "platform/msg/MessageBoxService.h"
#include "platform/msg/WindowApi.h"

AlarmSoundNotice::~AlarmSoundNotice()
{
    m_hNotice.store(nullptr);
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL AlarmSoundNotice::CreateNotice()
{
    if (GetSafeHwnd() != nullptr)
        return TRUE;
    if (!CreateEx(0, nullptr, "", WS_POPUP, CRect(0, 0, 0, 0), nullptr, 0))
        return FALSE;
    m_hNotice.store(GetSafeHwnd());
    return TRUE;
}

void AlarmSoundNotice::Report(bool played)
{
    if (played) {
        m_bReported.store(false);
        return;
    }
    if (m_bReported.exchange(true))
        return;
    m_nRequests.fetch_add(1);
    if (HWND notice = m_hNotice.load())
        ::PostMessage(notice, WM_ALARM_SOUND_FAILED, 0, 0);
}

LRESULT AlarmSoundNotice::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ALARM_SOUND_FAILED)
        return CWnd::WindowProc(message, wParam, lParam);
    CString text;
    text.LoadString(nyraclient::IDS_CANT_PLAY_ALARM_SOUND);
    AfxMessageBox(text, MB_OK | MB_ICONWARNING);
    return 0;
}

// NyraClientManager: the display mode, the grid rectangle and the pages as the station's view
// sets them, the alarm-sound start and demo beds. Every bed shows on one page for now; the paged
// grid, the alarm-sound thread and the demo source replace these bodies.
#include "nyraclient/manager/NyraClientManager.h"

#include "nyraclient/client/NyraClientInfo.h"

#include <algorithm>

namespace {

// DISPMODE: 0 one bed enlarged, 1 two, 2 four, 3 eight, 4 sixteen beds.
constexpr int kGridModes = 5;

} // namespace

void NyraClientManager::SetDisplayMode(int mode, BOOL bApply)
{
    if (mode < 0 || mode >= kGridModes)
        return;
    const bool changed = mode != m_nDisplayMode;
    m_nDisplayMode = mode;
    if (bApply && changed) {
        m_ClientLock.Lock();
        for (NyraClientInfo* client : m_Clients)
            if (client != nullptr && client->GetControl() != nullptr)
                client->GetControl()->SetDisplayMode(static_cast<DISPMODE>(mode));
        m_ClientLock.Unlock();
    }
    ResetLayout();
}

void NyraClientManager::ResetLayout(int x, int y, int width, int height)
{
    m_rcClient = CRect(x, y, x + width, y + height);
    ResetLayout();
}

void NyraClientManager::ShowPage(int page)
{
    if (page >= 0 && page < std::max(m_nPageCount, 1)) {
        m_nCurrentPage = page;
        ResetLayout();
    }
}

void NyraClientManager::ShowNextPage()
{
    if (CanNext())
        ShowPage(m_nCurrentPage + 1);
}

void NyraClientManager::ShowPrevPage()
{
    if (CanPrev())
        ShowPage(m_nCurrentPage - 1);
}

BOOL NyraClientManager::CanNext() const
{
    return m_nCurrentPage < m_nPageCount - 1 ? TRUE : FALSE;
}

BOOL NyraClientManager::CanPrev() const
{
    return m_nCurrentPage > 0 ? TRUE : FALSE;
}

void NyraClientManager::StartAlarm()
{
    if (m_SoundThread.IsStarted())
        return;
    // Without the notice window the sound still plays; only the failure box is lost.
    m_SoundNotice.CreateNotice();
    m_SoundThread.Start(this);
}

void NyraClientManager::StopAlarm()
{
    m_SoundThread.StopWithoutWaiting();
}

int NyraClientManager::AddDemoClient()
{
    // No demo source yet: refused, as at the client maximum.
    return -1;
}

int NyraClientManager::ExpandClient(NyraClientInfo* pClient, BOOL bRelayout)
{
    const int expanded = ExpandClient(pClient);
    if (expanded && bRelayout)
        ResetLayout();
    return expanded;
}

// NyraClientManager: the bed grid. Which beds are on the current page, their tile windows (made
// as beds come onto the page, destroyed as they leave it), where the tiles go, the bed shown
// enlarged, the pages, the order of the beds and the background between the tiles. Also the
// alarm-sound start. All on the user-interface thread; the client lock is held while tiles are
// positioned and while the beds' region is built, never while tile windows are made or destroyed.
#include "nyraclient/manager/NyraClientManager.h"

#include "nyraclient/bedwindow/NyraControl.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "platform/core/Check.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CRgn.h"
#include "platform/msg/MessageBoxService.h"

#include <algorithm>

namespace {

// DISPMODE of the grid: 0 one bed enlarged, 1 two, 2 four, 3 eight, 4 sixteen beds.
constexpr int kGridModes = 5;

bool IsGridMode(int mode)
{
    return mode >= 0 && mode < kGridModes;
}

int MonitorNumber(const NyraClientInfo* client)
{
    return client->GetMonitorPacket().GetMonitorNumber();
}

} // namespace

// ==== display mode and pages =====================================================================

void NyraClientManager::SetDisplayMode(int mode, BOOL bApply)
{
    WARD_CHECK_UI_THREAD();
    // A mode the grid does not know (an unchecked ini value) shows the grid of mode 0.
    if (!IsGridMode(mode))
        mode = 0;
    const int changed = m_Layout.SetMode(static_cast<DISPMODE>(mode), TRUE);
    if (bApply && changed) {
        m_ClientLock.Lock();
        for (NyraClientInfo* client : m_Clients)
            if (client != nullptr && client->GetControl() != nullptr)
                client->GetControl()->SetDisplayMode(static_cast<DISPMODE>(mode));
        m_ClientLock.Unlock();
    }
    ResetLayout();
}

int NyraClientManager::GetPageSize() const
{
    WARD_CHECK_UI_THREAD();
    return m_Layout.GetPageSize();
}

int NyraClientManager::GetTotalPageCount() const
{
    WARD_CHECK_UI_THREAD();
    const int size = GetPageSize();
    if (size <= 0)
        return 0;
    const int entries = GetClientCount();
    return entries / size + (entries % size != 0 ? 1 : 0);
}

void NyraClientManager::ShowPage(int page)
{
    WARD_CHECK_UI_THREAD();
    if (page >= 0 && page < m_nPageCount) {
        m_nCurrentPage = page;
        ResetLayout();
    }
}

void NyraClientManager::ShowNextPage()
{
    WARD_CHECK_UI_THREAD();
    if (CanNext())
        ShowPage(m_nCurrentPage + 1);
}

void NyraClientManager::ShowPrevPage()
{
    WARD_CHECK_UI_THREAD();
    if (CanPrev())
        ShowPage(m_nCurrentPage - 1);
}

BOOL NyraClientManager::CanNext() const
{
    WARD_CHECK_UI_THREAD();
    return m_nCurrentPage < m_nPageCount - 1 ? TRUE : FALSE;
}

BOOL NyraClientManager::CanPrev() const
{
    WARD_CHECK_UI_THREAD();
    return m_nCurrentPage > 0 ? TRUE : FALSE;
}

int NyraClientManager::GetUsableCustomId() const
{
    WARD_CHECK_UI_THREAD();
    const auto free = std::find(m_TileUsed.begin(), m_TileUsed.end(), 0);
    return free != m_TileUsed.end() ? static_cast<int>(free - m_TileUsed.begin()) : -1;
}

// ==== laying the grid out ========================================================================

bool NyraClientManager::PageRange(int& first, int& last) const
{
    WARD_CHECK_UI_THREAD();
    const int entries = GetClientCount();
    first = m_nCurrentPage * GetPageSize();
    last = first + GetPageSize() - 1;
    if (entries == 0)
        return false;
    last = std::min(last, entries - 1);
    return true;
}

void NyraClientManager::ResetLayout(int x, int y, int width, int height)
{
    WARD_CHECK_UI_THREAD();
    m_rcClient = CRect(x, y, x + width, y + height);
    ResetLayout();
}

void NyraClientManager::ResetLayout()
{
    WARD_CHECK_UI_THREAD();
    m_nPageCount = GetTotalPageCount();
    if (m_nCurrentPage >= m_nPageCount)
        m_nCurrentPage = m_nPageCount - 1;
    if (m_nCurrentPage < 1)
        m_nCurrentPage = 0;
    int first = 0;
    int last = 0;
    if (!PageRange(first, last))
        return;

    const int mode = GetDisplayMode();
    if (m_pExpandedClient != nullptr && mode >= 1 && mode <= 4) {
        CollapseClient(TRUE); // lays out again
        return;
    }
    if (m_pExpandedClient == nullptr && mode == 0) {
        NyraClientInfo* client = GetFirstValidClient();
        if (client != nullptr && ExpandClient(client, TRUE))
            return; // laid out again
    }
    UpdateTileWindows(first, last);
    if (m_rcClient.Width() <= 0 || m_rcClient.Height() <= 0)
        return;
    m_Layout.Recalc(m_rcClient.Width(), m_rcClient.Height());
    PlaceTiles(first, last);
}

void NyraClientManager::UpdateTileWindows(int first, int last)
{
    WARD_CHECK_UI_THREAD();
    for (int i = 0; i < GetClientCount(); ++i) {
        NyraClientInfo* client = m_Clients[size_t(i)];
        if (client == nullptr)
            continue;
        const bool onPage = i >= first && i <= last;
        if (!onPage && client->IsComponentExist()) {
            FreeTile(client);
            client->DestroyComponent();
        } else if (onPage && !client->IsComponentExist()) {
            CreateTile(client);
        }
    }
}

void NyraClientManager::CreateTile(NyraClientInfo* client)
{
    WARD_CHECK_UI_THREAD();
    if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr)
        return;
    const int tile = GetUsableCustomId();
    if (tile < 0)
        return; // never a window under an id outside the tiles'
    if (!client->CreateComponent(m_pParent, IDC_BED_TILE_FIRST + UINT(tile))) {
        CString text;
        text.LoadString(nyraclient::IDS_FAIL_CREATE_COMPONENT);
        AfxMessageBox(text, MB_OK);
        return;
    }
    m_TileUsed[size_t(tile)] = 1;
    client->m_nTileID = tile;
    client->GetControl()->SetDisplayMode(static_cast<DISPMODE>(GetDisplayMode()));
}

NyraBedWindow* NyraClientManager::MakeBedWindow(NyraClientInfo* pClient, int tag)
{
    return new NyraControl(pClient, tag);
}

void NyraClientManager::PlaceTiles(int first, int last)
{
    WARD_CHECK_UI_THREAD();
    const CPoint origin = m_rcClient.TopLeft();
    const DISPMODE tileMode = m_pExpandedClient != nullptr ? DISPMODE_1CH : static_cast<DISPMODE>(GetDisplayMode());
    m_ClientLock.Lock();
    for (int i = first; i <= last; ++i) {
        NyraClientInfo* client = m_Clients[size_t(i)];
        if (client == nullptr || client->GetControl() == nullptr)
            continue;
        CRect rect = m_Layout.GetTileRect(i - first);
        rect.OffsetRect(origin);
        NyraBedWindow* tile = client->GetControl();
        tile->SetDisplayMode(tileMode);
        tile->MoveWindow(&rect, TRUE);
        tile->UpdateCaption(TRUE, TRUE);
    }
    if (m_pExpandedClient != nullptr && m_pExpandedClient->GetEnlargedControl() != nullptr) {
        CRect rect = m_Layout.GetExpandedRect();
        rect.OffsetRect(origin);
        NyraBedWindow* enlarged = m_pExpandedClient->GetEnlargedControl();
        enlarged->MoveWindow(&rect, TRUE);
        enlarged->UpdateParameter();
        enlarged->UpdateCaption(TRUE, TRUE);
    }
    m_ClientLock.Unlock();
}

// ==== the enlarged bed ===========================================================================

int NyraClientManager::ExpandClient(NyraClientInfo* pClient)
{
    WARD_CHECK_UI_THREAD();
    return ExpandClient(pClient, TRUE);
}

int NyraClientManager::ExpandClient(NyraClientInfo* pClient, BOOL bRelayout)
{
    WARD_CHECK_UI_THREAD();
    if (pClient == nullptr || m_pParent == nullptr)
        return 0;
    // Mode 0 is the grid with a bed enlarged; switching to it enlarges the first bed.
    if (GetDisplayMode() != 0)
        SetDisplayMode(0, FALSE);
    if (FindClient(pClient, 0) < 0)
        return 0;
    if (pClient == m_pExpandedClient)
        return 1;
    if (m_pExpandedClient != nullptr)
        m_pExpandedClient->Collapse();
    m_pExpandedClient = nullptr;
    if (!pClient->Expand(m_pParent)) {
        m_Layout.SetExpanded(FALSE, FALSE);
        return 0;
    }
    m_pExpandedClient = pClient;
    m_Layout.SetExpanded(TRUE, FALSE);
    if (bRelayout)
        ResetLayout();
    return 1;
}

void NyraClientManager::CollapseClient(BOOL bRelayout)
{
    WARD_CHECK_UI_THREAD();
    if (m_pExpandedClient == nullptr)
        return;
    NyraClientInfo* client = m_pExpandedClient;
    m_pExpandedClient = nullptr;
    client->Collapse();
    m_Layout.SetExpanded(FALSE, FALSE);
    if (bRelayout)
        ResetLayout();
}

// ==== order of the beds ==========================================================================

void NyraClientManager::Sort(BOOL bRelayout)
{
    WARD_CHECK_UI_THREAD();
    if (m_Clients.empty()) {
        if (bRelayout)
            ResetLayout();
        return;
    }
    std::vector<NyraClientInfo*> sorted;
    if (m_Config.DevicePositionFix) {
        // Each bed at the place of its monitor number; a bed without a place (number 0, above
        // 16, or a number another bed holds already) after the 16 places, so none is lost.
        sorted.assign(kMaxMonitorNumber, nullptr);
        std::vector<NyraClientInfo*> extra;
        for (NyraClientInfo* client : m_Clients) {
            if (client == nullptr)
                continue;
            const int number = MonitorNumber(client);
            if (number >= 1 && number <= kMaxMonitorNumber && sorted[size_t(number - 1)] == nullptr)
                sorted[size_t(number - 1)] = client;
            else
                extra.push_back(client);
        }
        sorted.insert(sorted.end(), extra.begin(), extra.end());
    } else {
        for (NyraClientInfo* client : m_Clients) {
            if (client == nullptr)
                continue;
            const int number = MonitorNumber(client);
            const auto after = std::find_if(sorted.begin(), sorted.end(),
                                            [&](NyraClientInfo* other) { return MonitorNumber(other) > number; });
            sorted.insert(after, client);
        }
    }
    m_ClientLock.Lock();
    m_Clients.swap(sorted);
    m_ClientLock.Unlock();
    if (bRelayout)
        ResetLayout();
}

// ==== background =================================================================================

BOOL NyraClientManager::CreateClientsRegion(CRgn& region, int width, int height)
{
    WARD_CHECK_UI_THREAD();
    region.DeleteObject();
    m_ClientLock.Lock();
    int first = 0;
    int last = 0;
    if (!PageRange(first, last) || last - first + 1 <= 0) {
        m_ClientLock.Unlock();
        return FALSE;
    }
    m_Layout.Recalc(width, height);
    const CPoint origin = m_rcClient.TopLeft();
    CRect rect = m_Layout.GetTileRect(0);
    rect.OffsetRect(origin);
    region.CreateRectRgnIndirect(&rect);
    auto add = [&](CRect more) {
        more.OffsetRect(origin);
        CRgn part;
        part.CreateRectRgnIndirect(&more);
        region.CombineRgn(&region, &part, RGN_OR);
    };
    for (int i = 1; i <= last - first; ++i)
        add(m_Layout.GetTileRect(i));
    if (!m_Layout.GetExpandedRect().IsRectEmpty())
        add(m_Layout.GetExpandedRect());
    m_ClientLock.Unlock();
    return TRUE;
}

void NyraClientManager::EraseBkgnd(CDC* pDC, COLORREF colour)
{
    WARD_CHECK_UI_THREAD();
    if (pDC == nullptr)
        return;
    CBrush brush;
    brush.CreateSolidBrush(colour);
    CRgn whole;
    whole.CreateRectRgnIndirect(&m_rcClient);
    CRgn beds;
    if (CreateClientsRegion(beds, m_rcClient.Width(), m_rcClient.Height())) {
        CRgn outside;
        outside.CreateRectRgn(0, 0, 0, 0);
        outside.CombineRgn(&whole, &beds, RGN_XOR);
        pDC->FillRgn(&outside, &brush);
    } else {
        pDC->FillRgn(&whole, &brush);
    }
}

// ==== alarm sound ================================================================================

void NyraClientManager::StartAlarm()
{
    WARD_CHECK_UI_THREAD();
    if (m_SoundThread.IsStarted())
        return;
    // Without the notice window the sound still plays; only the failure box is lost.
    m_SoundNotice.CreateNotice();
    std::lock_guard lock(m_SoundWakeLock);
    m_SoundThread.Start(this);
}

void NyraClientManager::StopAlarm()
{
    WARD_CHECK_UI_THREAD();
    std::lock_guard lock(m_SoundWakeLock);
    m_SoundThread.StopWithoutWaiting();
}

void NyraClientManager::WakeAlarmSound()
{
    std::lock_guard lock(m_SoundWakeLock);
    m_SoundThread.Wake();
}


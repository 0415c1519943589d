// CStatusBar: panes, texts and their command UI.
#include "platform/ui/framework/StatusBar.h"

#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/controls/ControlMetrics.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/framework/FrameWnd.h"

#include <algorithm>

namespace {

constexpr int kPaneGap = 2;
constexpr int kTextMargin = 4;

class CStatusCmdUI : public CCmdUI
{
public:
    explicit CStatusCmdUI(CStatusBar& bar) : m_bar(bar) {}
    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        UINT style = m_bar.GetPaneStyle(static_cast<int>(m_nIndex));
        m_bar.SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        CCmdUI::SetCheck(nCheck);
        UINT style = m_bar.GetPaneStyle(static_cast<int>(m_nIndex));
        m_bar.SetPaneStyle(static_cast<int>(m_nIndex), nCheck ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT));
    }
    void SetText(LPCTSTR lpszText) override { m_bar.SetPaneText(static_cast<int>(m_nIndex), lpszText); }

private:
    CStatusBar& m_bar;
};

} // namespace

const platform::MessageMap* CStatusBar::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CStatusBar::OnPaint>(),
        Message<WM_SETTEXT, &CStatusBar::OnSetText>(),
    };
    static constexpr platform::MessageMap kMap { &CControlBar::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    SetBorders(0, 2, 0, 0);
    if (!CWnd::Create(nullptr, "", (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(platform::ui::DefaultControlFont()));
    m_cyDefaultHeight = platform::ui::FontCellHeight(m_hWnd, nullptr) + 8;
    if (m_cyDefaultHeight <= 0)
        m_cyDefaultHeight = 20;
    return TRUE;
}

int CStatusBar::TextWidth(const CString& text) const { return platform::ui::FontTextWidth(m_hWnd, nullptr, text); }

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || (nIDCount > 0 && !lpIDArray))
        return FALSE;
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i) {
        Pane pane;
        pane.id = lpIDArray[i];
        if (pane.id != ID_SEPARATOR) {
            pane.text.LoadString(pane.id);
            pane.width = TextWidth(pane.text) + 2 * kTextMargin;
        }
        if (i == 0)
            pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
        m_panes.push_back(pane);
    }
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == nIDFind)
            return static_cast<int>(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return ValidPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].id : 0; }

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (!ValidPane(nIndex))
        return FALSE;
    CString text = lpszNewText ? lpszNewText : "";
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    if (pane.text == text)
        return TRUE;
    pane.text = text;
    if (bUpdate && m_hWnd) {
        CRect r;
        GetItemRect(nIndex, &r);
        InvalidateRect(&r);
    }
    return TRUE;
}

CString CStatusBar::GetPaneText(int nIndex) const { return ValidPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].text : CString(); }

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (!ValidPane(nIndex))
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.id = nID;
    pane.style = nStyle;
    pane.width = cxWidth;
    if (m_hWnd)
        Invalidate();
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = GetItemID(nIndex);
    nStyle = GetPaneStyle(nIndex);
    cxWidth = ValidPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].width : 0;
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return ValidPane(nIndex) ? m_panes[static_cast<size_t>(nIndex)].style : 0; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (!ValidPane(nIndex) || m_panes[static_cast<size_t>(nIndex)].style == nStyle)
        return;
    m_panes[static_cast<size_t>(nIndex)].style = nStyle;
    if (m_hWnd)
        Invalidate();
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!lpRect || !ValidPane(nIndex))
        return;
    CRect client;
    GetClientRect(&client);
    CRect inside = client;
    const_cast<CStatusBar*>(this)->CalcInsideRect(inside, TRUE);
    // Fixed panes from the right; the stretching pane takes what is left.
    int fixed = 0;
    for (const Pane& p : m_panes)
        if (!(p.style & SBPS_STRETCH))
            fixed += p.width + kPaneGap;
    int x = inside.left;
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& p = m_panes[static_cast<size_t>(i)];
        int width = (p.style & SBPS_STRETCH) ? std::max(0, inside.Width() - fixed) : p.width;
        if (i == nIndex) {
            *lpRect = CRect(x, inside.top, x + width, inside.bottom);
            return;
        }
        x += width + kPaneGap;
    }
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL) { return CSize(0, m_cyDefaultHeight); }

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CStatusCmdUI state(*this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        UINT id = GetItemID(i);
        if (id == ID_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = id;
        state.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    int index = CommandToIndex(ID_SEPARATOR);
    if (index < 0)
        index = 0;
    return SetPaneText(index, reinterpret_cast<LPCSTR>(lParam));
}

void CStatusBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    CRect frame = client;
    DrawBorders(&dc, frame);
    dc.SelectObject(reinterpret_cast<HGDIOBJ>(platform::ui::DefaultControlFont()));
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& pane = m_panes[static_cast<size_t>(i)];
        CRect r;
        GetItemRect(i, &r);
        if (!(pane.style & SBPS_NOBORDERS))
            dc.DrawEdge(&r, (pane.style & SBPS_POPOUT) ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
        if (pane.style & SBPS_DISABLED)
            continue; // a disabled indicator shows no text
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        r.DeflateRect(kTextMargin, 0);
        dc.DrawText(pane.text, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

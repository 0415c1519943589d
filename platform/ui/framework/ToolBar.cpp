// CToolBar: buttons, pictures, hot tracking, clicks, tips and command UI.
#include "platform/ui/framework/ToolBar.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/ReBar.h"
#include "platform/ui/controls/ToolTipCtrl.h"

#include <algorithm>

namespace {

constexpr int kSeparatorWidth = 8;
// Space around a picture inside its button, as the classic toolbar leaves it.
constexpr int kButtonExtraWidth = 7;
constexpr int kButtonExtraHeight = 6;

// A toolbar button's command UI: enables, checks or presses the button.
class CToolCmdUI : public CCmdUI
{
public:
    explicit CToolCmdUI(CToolBar& bar) : m_bar(bar) {}

    void Enable(BOOL bOn) override
    {
        CCmdUI::Enable(bOn);
        Change(TBBS_DISABLED, !bOn);
    }
    void SetCheck(int nCheck) override
    {
        CCmdUI::SetCheck(nCheck);
        Change(TBBS_CHECKED, nCheck != 0);
    }
    void SetText(LPCTSTR) override {}

private:
    void Change(UINT bit, bool on)
    {
        UINT style = m_bar.GetButtonStyle(static_cast<int>(m_nIndex));
        UINT wanted = on ? (style | bit) : (style & ~bit);
        if (wanted != style)
            m_bar.SetButtonStyle(static_cast<int>(m_nIndex), wanted);
    }
    CToolBar& m_bar;
};

WORD ReadWord(std::span<const BYTE> bytes, size_t index)
{
    size_t at = index * 2;
    return at + 1 < bytes.size() ? static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8)) : 0;
}

} // namespace

CToolBar::CToolBar() : m_ctrl(*this)
{
    m_cxLeftBorder = m_cxRightBorder = 2;
    m_cyTopBorder = m_cyBottomBorder = 2;
}

CToolBar::~CToolBar() = default;

const platform::MessageMap* CToolBar::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CToolBar::OnPaint>(),
        Message<WM_NCPAINT, &CToolBar::OnNcPaint>(),
        Message<WM_MOUSEMOVE, &CToolBar::OnMouseMove>(),
        Message<WM_MOUSELEAVE, &CToolBar::OnMouseLeave>(),
        Message<WM_LBUTTONDOWN, &CToolBar::OnLButtonDown>(),
        Message<WM_LBUTTONDBLCLK, &CToolBar::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &CToolBar::OnLButtonUp>(),
        Message<WM_CAPTURECHANGED, &CToolBar::OnCaptureChanged>(),
    };
    static constexpr platform::MessageMap kMap { &CControlBar::GetThisMessageMap, kEntries };
    return &kMap;
}

// ---- creation ----

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_ctrlStyle = dwCtrlStyle;
    SetBorders(&rcBorders);
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD windowStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD;
    if (!CWnd::Create(nullptr, "", windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetOwner(pParentWnd);
    if (m_dwStyle & CBRS_TOOLTIPS) {
        m_tips = std::make_unique<CToolTipCtrl>();
        if (!m_tips->Create(this))
            m_tips.reset();
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    std::span<const BYTE> bytes = platform::FindResourceData(nullptr, "TOOLBAR", nIDResource);
    if (bytes.size() < 8 || ReadWord(bytes, 0) != 1)
        return FALSE;
    int width = ReadWord(bytes, 1);
    int height = ReadWord(bytes, 2);
    size_t count = ReadWord(bytes, 3);
    if (bytes.size() < (4 + count) * 2)
        return FALSE; // a truncated resource
    std::vector<UINT> ids;
    for (size_t i = 0; i < count; ++i)
        ids.push_back(ReadWord(bytes, 4 + i));
    if (!SetButtons(ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    SetSizes(CSize(width + kButtonExtraWidth, height + kButtonExtraHeight), CSize(width, height));
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    m_buttons.clear();
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        Button b;
        b.id = lpIDArray ? lpIDArray[i] : 0;
        if (b.id == ID_SEPARATOR) {
            b.style = TBBS_SEPARATOR;
            b.image = kSeparatorWidth;
        } else {
            b.image = image++;
        }
        m_buttons.push_back(b);
    }
    ButtonsChanged();
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE)
{
    m_sizeButton = sizeButton;
    ButtonsChanged();
}

void CToolBar::SetHeight(int cyHeight)
{
    m_cyDefaultHeight = cyHeight;
    if (CFrameWnd* frame = AfxGetParentFrame(this))
        frame->RecalcLayout();
}

void CToolBar::ButtonsChanged()
{
    UpdateTools();
    if (m_hWnd)
        Invalidate();
}

// ---- buttons ----

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].id == nIDFind && !(m_buttons[i].style & TBBS_SEPARATOR))
            return static_cast<int>(i);
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].id : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (lpRect)
        *lpRect = ButtonRect(nIndex);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].style : 0;
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_buttons[static_cast<size_t>(nIndex)].style == nStyle)
        return;
    m_buttons[static_cast<size_t>(nIndex)].style = nStyle;
    if (m_hWnd) {
        CRect r = ButtonRect(nIndex);
        InvalidateRect(&r);
    }
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    nID = GetItemID(nIndex);
    nStyle = GetButtonStyle(nIndex);
    iImage = nIndex >= 0 && nIndex < GetCount() ? m_buttons[static_cast<size_t>(nIndex)].image : 0;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_buttons[static_cast<size_t>(nIndex)] = Button { nID, nStyle, iImage };
    ButtonsChanged();
}

CString CToolBar::GetButtonTip(int nIndex) const
{
    UINT id = GetItemID(nIndex);
    if (!id || (GetButtonStyle(nIndex) & TBBS_SEPARATOR))
        return CString();
    CString full;
    full.LoadString(id);
    int newline = full.Find('\n');
    return newline < 0 ? CString() : full.Mid(newline + 1);
}

// ---- geometry ----

CRect CToolBar::ButtonRect(int index) const
{
    if (index < 0 || index >= GetCount())
        return CRect();
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, TRUE);
    int x = inside.left;
    for (int i = 0; i < index; ++i) {
        const Button& b = m_buttons[static_cast<size_t>(i)];
        if (b.style & TBBS_HIDDEN)
            continue;
        x += (b.style & TBBS_SEPARATOR) ? b.image : m_sizeButton.cx;
    }
    const Button& b = m_buttons[static_cast<size_t>(index)];
    int width = (b.style & TBBS_SEPARATOR) ? b.image : m_sizeButton.cx;
    return CRect(x, inside.top, x + width, inside.top + m_sizeButton.cy);
}

int CToolBar::ButtonAt(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        UINT style = m_buttons[static_cast<size_t>(i)].style;
        if (!(style & (TBBS_SEPARATOR | TBBS_HIDDEN)) && ButtonRect(i).PtInRect(point))
            return i;
    }
    return -1;
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL)
{
    if (m_cyDefaultHeight > 0)
        return CSize(0, m_cyDefaultHeight);
    CRect edges(0, 0, 0, 0);
    CalcInsideRect(edges, TRUE);
    int width = GetCount() ? ButtonRect(GetCount() - 1).right - edges.left : 0;
    return CSize(width + edges.left - edges.right, m_sizeButton.cy + edges.top - edges.bottom);
}

void CToolBar::UpdateTools()
{
    if (!m_tips || !m_tips->GetSafeHwnd())
        return;
    for (int i = 0; i < GetCount(); ++i)
        m_tips->DelTool(this, GetItemID(i));
    for (int i = 0; i < GetCount(); ++i) {
        CString tip = GetButtonTip(i);
        if (tip.IsEmpty())
            continue;
        CRect r = ButtonRect(i);
        m_tips->AddTool(this, tip, &r, GetItemID(i));
    }
}

// ---- command UI ----

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CToolCmdUI state(*this);
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        const Button& b = m_buttons[static_cast<size_t>(i)];
        if (b.style & TBBS_SEPARATOR)
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = b.id;
        // Checkbox buttons keep what the user set unless a handler says otherwise.
        state.DoUpdate(pTarget, bDisableIfNoHandler && !(b.style & TBBS_CHECKBOX));
    }
}

// ---- mouse ----

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_tips && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg { m_hWnd, message, wParam, lParam, 0, {} };
        m_tips->RelayEvent(&msg);
    }
    return CControlBar::WindowProc(message, wParam, lParam);
}

void CToolBar::SetHot(int index)
{
    if (m_hot == index)
        return;
    CRect old = ButtonRect(m_hot);
    m_hot = index;
    InvalidateRect(&old);
    CRect now = ButtonRect(m_hot);
    InvalidateRect(&now);
}

void CToolBar::OnMouseMove(UINT, CPoint point)
{
    int at = ButtonAt(point);
    if (m_pressed >= 0) {
        // While pressed the button shows down only with the pointer on it.
        SetHot(at == m_pressed ? m_pressed : -1);
        return;
    }
    SetHot(at);
    if (!m_tracking) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        m_tracking = TrackMouseEvent(&track) != FALSE;
    }
}

void CToolBar::OnMouseLeave()
{
    m_tracking = false;
    if (m_pressed < 0)
        SetHot(-1);
}

void CToolBar::OnLButtonDown(UINT, CPoint point)
{
    int at = ButtonAt(point);
    if (at < 0 || (GetButtonStyle(at) & TBBS_DISABLED))
        return;
    m_pressed = at;
    SetHot(at);
    SetCapture();
}

void CToolBar::OnLButtonUp(UINT, CPoint point)
{
    int pressed = m_pressed;
    if (pressed < 0)
        return;
    m_pressed = -1;
    ReleaseCapture();
    SetHot(ButtonAt(point));
    if (ButtonAt(point) != pressed || (GetButtonStyle(pressed) & TBBS_DISABLED))
        return;
    UINT style = GetButtonStyle(pressed);
    if (style & TBBS_CHECKBOX)
        SetButtonStyle(pressed, style ^ TBBS_CHECKED);
    UINT id = GetItemID(pressed);
    CWnd* target = TargetFrame();
    if (!target)
        target = GetOwner();
    if (target)
        target->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

void CToolBar::OnCaptureChanged(CWnd*)
{
    if (m_pressed >= 0) {
        m_pressed = -1;
        Invalidate();
    }
}

// ---- painting ----

void CToolBar::OnNcPaint()
{
    // The bar's borders are drawn in the client area by OnPaint; nothing outside it.
}

void CToolBar::PaintBackground(CDC& dc, const CRect& client)
{
    CWnd* parent = GetParent();
    if (auto* reBar = dynamic_cast<CReBar*>(parent); reBar && (m_ctrlStyle & TBSTYLE_TRANSPARENT)) {
        reBar->PaintBackgroundBehind(dc, *this);
        return;
    }
    if ((m_ctrlStyle & TBSTYLE_TRANSPARENT) && parent) {
        // The parent (a rebar band) paints what shows through, in its own coordinates.
        CPoint origin(0, 0);
        MapWindowPoints(parent, &origin, 1);
        int saved = dc.SaveDC();
        dc.OffsetViewportOrg(-origin.x, -origin.y);
        parent->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
        dc.RestoreDC(saved);
        return;
    }
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
}

void CToolBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    PaintBackground(dc, client);
    CRect frame = client;
    DrawBorders(&dc, frame);
    DrawGripper(&dc, frame);
    for (int i = 0; i < GetCount(); ++i)
        PaintButton(dc, i);
}

void CToolBar::PaintButton(CDC& dc, int index)
{
    const Button& b = m_buttons[static_cast<size_t>(index)];
    if (b.style & TBBS_HIDDEN)
        return;
    CRect r = ButtonRect(index);
    if (b.style & TBBS_SEPARATOR) {
        if (m_ctrlStyle & TBSTYLE_FLAT) {
            CRect line(r.CenterPoint().x - 1, r.top + 2, r.CenterPoint().x + 1, r.bottom - 2);
            dc.DrawEdge(&line, EDGE_ETCHED, BF_LEFT);
        }
        return;
    }
    bool disabled = (b.style & TBBS_DISABLED) != 0;
    bool checked = (b.style & TBBS_CHECKED) != 0;
    bool down = (index == m_pressed && index == m_hot) || checked;
    bool hot = index == m_hot && !disabled;
    if (!(m_ctrlStyle & TBSTYLE_FLAT)) {
        dc.DrawEdge(&r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    } else if (down) {
        dc.DrawEdge(&r, BDR_SUNKENOUTER, BF_RECT);
    } else if (hot) {
        dc.DrawEdge(&r, BDR_RAISEDINNER, BF_RECT);
    }
    // The picture: the disabled or hot list when there is one, else the normal one.
    CImageList* images = m_pImages[0];
    if (disabled && m_pImages[2])
        images = m_pImages[2];
    else if (hot && m_pImages[1])
        images = m_pImages[1];
    if (!images || b.image < 0 || b.image >= images->GetImageCount())
        return;
    int cx = 0;
    int cy = 0;
    images->GetIconSize(&cx, &cy);
    CPoint at(r.left + (r.Width() - cx) / 2, r.top + (r.Height() - cy) / 2);
    if (down)
        at.Offset(1, 1);
    images->Draw(&dc, b.image, at, ILD_TRANSPARENT);
}

// The shade button, shade static and shade dialog.
#include "ktctrl/shaded/KTShadeButton.h"

#include "platform/msg/WindowApi.h"

namespace {

// The look of a static and a dialog: no highlight copy, streaks.
void SetPanelShade(KTShade& shade)
{
    shade.UseHighlight(0);
    shade.SetShade(KTShade::SHADE_STREAKS, 20, 10, 20, 0);
}

} // namespace

BOOL EraseWithShade(CWnd& wnd, KTShade& shade, CDC* pDC)
{
    CRect client;
    wnd.GetClientRect(&client);
    shade.DrawShade(pDC, &client);
    return TRUE;
}

// ---- button -------------------------------------------------------------------------------------

DWORD KTShadeButton::OnDrawBackground(CDC* pDC, const RECT* pRect)
{
    CRect r = *pRect;
    if (IsHover()) {
        if (m_bPressed)
            r.OffsetRect(1, 1);
        DrawHightlightShade(pDC, r.left, r.top, pRect->right - pRect->left, pRect->bottom - pRect->top);
    } else {
        DrawShade(pDC, pRect);
    }
    return BTNST_OK;
}

// ---- static --------------------------------------------------------------------------------------

KTShadeStatic::KTShadeStatic()
{
    SetPanelShade(*this);
}

BOOL KTShadeStatic::OnEraseBkgnd(CDC* pDC)
{
    return EraseWithShade(*this, *this, pDC);
}

const platform::MessageMap* KTShadeStatic::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_ERASEBKGND, &KTShadeStatic::OnEraseBkgnd>(),
    };
    static constexpr platform::MessageMap kMap { &CStatic::GetThisMessageMap, kEntries };
    return &kMap;
}

// ---- dialog --------------------------------------------------------------------------------------

KTShadeDialog::KTShadeDialog()
{
    SetPanelShade(*this);
}

KTShadeDialog::KTShadeDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd)
{
    SetPanelShade(*this);
}

BOOL KTShadeDialog::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    if (!m_bInitialized) {
        m_bInitialized = 1;
        CRect client;
        GetClientRect(&client);
        CreateShade(client.Width(), client.Height());
    }
    return result;
}

BOOL KTShadeDialog::OnEraseBkgnd(CDC* pDC)
{
    return EraseWithShade(*this, *this, pDC);
}

HBRUSH KTShadeDialog::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkMode(TRANSPARENT);
        return reinterpret_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<HBRUSH>(Default());
}

void KTShadeDialog::OnLButtonDown(UINT, CPoint point)
{
    if (m_rcCaption.PtInRect(point)) {
        // Dragged like its caption bar.
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
        return;
    }
    Default();
}

const platform::MessageMap* KTShadeDialog::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_ERASEBKGND, &KTShadeDialog::OnEraseBkgnd>(),
        CtlColor<&KTShadeDialog::OnCtlColor>(),
        Message<WM_LBUTTONDOWN, &KTShadeDialog::OnLButtonDown>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

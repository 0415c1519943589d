// The colour picker button.
#include "ktctrl/basic/KTColorPicker.h"

#include "ktctrl/basic/KTColorPopup.h"
#include "ktctrl/basic/OffscreenDC.h"
#include "ktctrl/res/KTCtrlStrings.h"
#include "ktutil/KTGF.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace {

constexpr COLORREF kFrameShadow = RGB(128, 128, 128);
constexpr COLORREF kFrameLight = RGB(255, 255, 255);

} // namespace

KTColorPicker::KTColorPicker()
{
    SetBkColour(GetSysColor(COLOR_3DFACE));
    SetTextColour(GetSysColor(COLOR_BTNTEXT));
    m_strDefaultText = KTGF::GetString(ktctrl::IDS_KTCOLOR_DEFAULT);
    m_strCustomText = KTGF::GetString(ktctrl::IDS_KTCOLOR_MORE);
}

// Destroyed here, while the object is still a picker, so that its own WM_DESTROY runs.
KTColorPicker::~KTColorPicker()
{
    if (m_hWnd)
        DestroyWindow();
}

// ---- colours and texts -----------------------------------------------------------------------

COLORREF KTColorPicker::GetColour() const
{
    return m_nSelectionMode == SELECTION_MODE_TEXT ? m_crColourText : m_crColourBk;
}

void KTColorPicker::SetColour(COLORREF crColour)
{
    if (m_nSelectionMode == SELECTION_MODE_TEXT)
        SetTextColour(crColour);
    else
        SetBkColour(crColour);
}

void KTColorPicker::SetBkColour(COLORREF crColourBk)
{
    m_crColourBk = crColourBk;
    Repaint();
}

void KTColorPicker::SetTextColour(COLORREF crColourText)
{
    m_crColourText = crColourText;
    Repaint();
}

void KTColorPicker::Repaint()
{
    if (::IsWindow(m_hWnd))
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void KTColorPicker::SetDefaultText(LPCTSTR szDefaultText) { m_strDefaultText = szDefaultText; }
void KTColorPicker::SetCustomText(LPCTSTR szCustomText) { m_strCustomText = szCustomText; }

// ---- size ---------------------------------------------------------------------------------------------

void KTColorPicker::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
    SetWindowSize();
}

void KTColorPicker::SetWindowSize()
{
    const int edgeX = GetSystemMetrics(SM_CXEDGE);
    const int edgeY = GetSystemMetrics(SM_CYEDGE);
    const int arrow = std::max(std::max(5 * edgeX, GetSystemMetrics(SM_CXHTHUMB)),
                               std::max(5 * edgeY, GetSystemMetrics(SM_CYVTHUMB)));
    // The window keeps its place and width (at least two arrows) and gets the arrow's height.
    CRect rect;
    GetWindowRect(&rect);
    if (CWnd* parent = GetParent())
        parent->ScreenToClient(&rect);
    const int width = std::max<int>(rect.Width(), 2 * (edgeX + arrow));
    const int height = arrow + 2 * edgeY;
    MoveWindow(rect.left, rect.top, width, height, TRUE);
    m_ArrowRect = CRect(width - arrow - edgeX, edgeY, width - edgeX, height - edgeY);
}

// ---- drawing ----------------------------------------------------------------------------------------

BOOL KTColorPicker::OnEraseBkgnd(CDC*) { return TRUE; } // the drawing covers every pixel

void KTColorPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!target)
        return;
    const CRect item = lpDrawItemStruct->rcItem;
    const UINT state = lpDrawItemStruct->itemState | (m_bActive ? ODS_SELECTED : 0);
    const bool disabled = (state & ODS_DISABLED) != 0;
    ktctrl::OffscreenDC dc(target, item);
    dc.FillSolidRect(&item, GetSysColor(COLOR_3DFACE));

    // The drop-down arrow.
    CRect arrow = m_ArrowRect;
    dc.DrawFrameControl(&arrow, DFC_SCROLL,
                        DFCS_SCROLLDOWN | DFCS_FLAT | ((state & ODS_SELECTED) ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));

    // The frame about the button, and the swatch beside the arrow with its own frame.
    dc.Draw3dRect(&item, kFrameShadow, kFrameLight);
    CRect swatch = item;
    swatch.DeflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    swatch.right -= m_ArrowRect.Width() + 2;
    const bool plainFace = disabled || m_crColourBk == CLR_DEFAULT;
    dc.FillSolidRect(&swatch, plainFace ? GetSysColor(COLOR_3DFACE) : m_crColourBk);
    CRect swatchFrame = swatch;
    swatchFrame.InflateRect(1, 1);
    dc.Draw3dRect(&swatchFrame, kFrameLight, kFrameShadow);

    // The caption on the swatch.
    CString caption;
    GetWindowText(caption);
    if (!caption.IsEmpty()) {
        dc.UseFontOf(m_hWnd);
        dc.SetBkMode(TRANSPARENT);
        const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (disabled) {
            CRect raised = swatch;
            raised.OffsetRect(1, 1);
            dc.SetTextColor(GetSysColor(COLOR_3DHILIGHT));
            dc.DrawText(caption, &raised, format);
            dc.SetTextColor(GetSysColor(COLOR_3DSHADOW));
        } else {
            dc.SetTextColor(m_crColourText == CLR_DEFAULT ? RGB(0, 0, 0) : m_crColourText);
        }
        dc.DrawText(caption, &swatch, format);
    }

    if (state & ODS_FOCUS) {
        CRect focus = swatch;
        focus.DeflateRect(1, 1);
        dc.DrawFocusRect(&focus);
    }
}

// ---- the popup -------------------------------------------------------------------------------------

const platform::MessageMap* KTColorPicker::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectCommand<&KTColorPicker::OnClicked>(BN_CLICKED),
        Message<WM_ERASEBKGND, &KTColorPicker::OnEraseBkgnd>(),
        Message<WM_DESTROY, &KTColorPicker::OnDestroy>(),
        Message<CPM_SELCHANGE, &KTColorPicker::OnSelChange>(),
        Message<CPM_SELENDOK, &KTColorPicker::OnSelEndOK>(),
        Message<CPM_SELENDCANCEL, &KTColorPicker::OnSelEndCancel>(),
    };
    static constexpr platform::MessageMap kMap { &CButton::GetThisMessageMap, kEntries };
    return &kMap;
}

void KTColorPicker::NotifyParent(std::initializer_list<UINT> messages, COLORREF colour)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return;
    const LPARAM id = GetDlgCtrlID();
    for (UINT message : messages)
        ::SendMessage(parent, message, colour, id);
}

void KTColorPicker::OnClicked()
{
    if (::IsWindow(m_hPopup))
        return; // already open
    m_bActive = TRUE;
    CRect rect;
    GetWindowRect(&rect);
    auto* popup = new KTColorPopup(CPoint(rect.left, rect.bottom), GetColour(), this, m_strDefaultText,
                                   m_strCustomText, GetDlgCtrlID());
    if (popup->GetSafeHwnd()) {
        m_hPopup = popup->m_hWnd;
    } else {
        // No window, so no end message will ever come: the picker must not stay pressed.
        delete popup;
        m_bActive = FALSE;
        Invalidate(FALSE);
    }
    NotifyParent({ CPM_DROPDOWN }, GetColour());
}

void KTColorPicker::OnDestroy()
{
    if (::IsWindow(m_hPopup))
        ::DestroyWindow(m_hPopup);
    m_hPopup = nullptr;
    Default();
}

LRESULT KTColorPicker::OnSelChange(WPARAM wParam, LPARAM)
{
    const auto colour = static_cast<COLORREF>(wParam);
    if (m_bTrackSelection)
        SetColour(colour);
    NotifyParent({ CPM_SELCHANGE }, colour);
    return TRUE;
}

LRESULT KTColorPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    const auto colour = static_cast<COLORREF>(wParam);
    m_bActive = FALSE;
    m_hPopup = nullptr;
    const COLORREF previous = GetColour();
    SetColour(colour);
    if (colour != previous)
        NotifyParent({ CPM_CLOSEUP, CPM_SELENDOK, CPM_SELCHANGE }, colour);
    else
        NotifyParent({ CPM_CLOSEUP, CPM_SELENDOK }, colour);
    return TRUE;
}

LRESULT KTColorPicker::OnSelEndCancel(WPARAM wParam, LPARAM)
{
    const auto colour = static_cast<COLORREF>(wParam);
    m_bActive = FALSE;
    m_hPopup = nullptr;
    SetColour(colour);
    NotifyParent({ CPM_CLOSEUP, CPM_SELENDCANCEL }, colour);
    return TRUE;
}

// ---- data exchange -------------------------------------------------------------------------------------

void DDX_ColourPicker(CDataExchange* pDX, int nIDC, COLORREF& crColour)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    auto* picker = dynamic_cast<KTColorPicker*>(CWnd::FromHandlePermanent(control));
    if (!picker)
        return; // no picker under that id: nothing to exchange
    if (pDX->m_bSaveAndValidate)
        crColour = picker->GetColour();
    else
        picker->SetColour(crColour);
}

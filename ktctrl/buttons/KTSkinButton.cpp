// The skin button: skins, region, drawing and the check states.
#include "ktctrl/buttons/KTSkinButton.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowRegion.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/dialogs/DialogFunctions.h"

#include <algorithm>
#include <cstdarg>
#include <utility>
#include <vector>

namespace {

CSize SizeOf(const CBitmap& bitmap)
{
    BITMAP info {};
    if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&info))
        return CSize(0, 0);
    return CSize(info.bmWidth, info.bmHeight);
}

// Copies `part` of `source` into a new bitmap `target`.
BOOL CopyPart(CBitmap& source, const CRect& part, CBitmap& target)
{
    CDC from, to;
    if (!from.CreateCompatibleDC(nullptr) || !to.CreateCompatibleDC(nullptr))
        return FALSE;
    target.DeleteObject();
    if (!target.CreateCompatibleBitmap(&to, part.Width(), part.Height()))
        return FALSE;
    CBitmap* oldFrom = from.SelectObject(&source);
    CBitmap* oldTo = to.SelectObject(&target);
    to.BitBlt(0, 0, part.Width(), part.Height(), &from, part.left, part.top, SRCCOPY);
    from.SelectObject(oldFrom);
    to.SelectObject(oldTo);
    return TRUE;
}

} // namespace

KTSkinButton::KTSkinButton() : m_crText(::GetSysColor(COLOR_BTNTEXT)) {}

KTSkinButton::~KTSkinButton()
{
    FreeSkins();
}

// ---- skins ----------------------------------------------------------------------------------------

void KTSkinButton::FreeSkins()
{
    for (CBitmap& skin : m_skins)
        skin.DeleteObject();
    if (::IsWindow(m_hWnd) && m_hRgn)
        ::SetWindowRgn(m_hWnd, nullptr, TRUE); // the window frees the region it was given
    else if (m_hRgn)
        ::DeleteObject(m_hRgn);
    m_hRgn = nullptr;
}

HRGN KTSkinButton::RegionFromBitmap(CBitmap& bitmap, COLORREF maskColour)
{
    CSize size = SizeOf(bitmap);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    if (size.cx <= 0 || size.cy <= 0)
        return region;
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
    bitmap.GetBitmapBits(static_cast<DWORD>(pixels.size() * 4), pixels.data());
    // Pixels are 0x00RRGGBB; the mask colour is 0x00BBGGRR.
    DWORD mask = (GetRValue(maskColour) << 16) | (GetGValue(maskColour) << 8) | GetBValue(maskColour);
    for (int y = 0; y < size.cy; ++y) {
        const DWORD* row = &pixels[static_cast<size_t>(y) * size.cx];
        for (int x = 0; x < size.cx;) {
            if ((row[x] & 0xFFFFFF) == mask) {
                ++x;
                continue;
            }
            int start = x;
            while (x < size.cx && (row[x] & 0xFFFFFF) != mask)
                ++x;
            HRGN run = ::CreateRectRgn(start, y, x, y + 1);
            ::CombineRgn(region, region, run, RGN_OR);
            ::DeleteObject(run);
        }
    }
    return region;
}

void KTSkinButton::ApplyMask()
{
    if (!m_skins[SKIN_MASK].GetSafeHandle())
        return;
    HRGN region = RegionFromBitmap(m_skins[SKIN_MASK], m_crMask);
    if (::IsWindow(m_hWnd)) {
        ::SetWindowRgn(m_hWnd, region, TRUE); // the window owns it from now on
        if (m_nDrawMode == 0) {
            CSize size = SizeOf(m_skins[SKIN_MASK]);
            SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        }
    } else {
        ::DeleteObject(region);
        region = nullptr;
    }
    m_hRgn = region;
}

void KTSkinButton::SetSkin(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask)
{
    FreeSkins();
    auto load = [](CBitmap& slot, UINT id) {
        if (id)
            slot.LoadBitmap(id);
    };
    load(m_skins[SKIN_NORMAL], normal);
    load(m_skins[SKIN_PRESSED], pressed);
    load(m_skins[SKIN_HOVER], hover);
    load(m_skins[SKIN_DISABLED], disabled ? disabled : normal);
    load(m_skins[SKIN_FOCUS], focus);
    load(m_skins[SKIN_MASK], mask);
    ApplyMask();
}

BOOL KTSkinButton::SetSkinEx(UINT resourceId, int slot, CRect part)
{
    if (slot < 0 || slot >= SKIN_SLOTS)
        return FALSE;
    CBitmap whole;
    if (!whole.LoadBitmap(resourceId))
        return FALSE;
    CSize size = SizeOf(whole);
    if (part.left < 0 || part.top < 0 || part.right > size.cx || part.bottom > size.cy || part.IsRectEmpty())
        return FALSE;
    if (!CopyPart(whole, part, m_skins[slot]))
        return FALSE;
    if (slot == SKIN_MASK)
        ApplyMask();
    return TRUE;
}

void KTSkinButton::SetSkinAll(UINT resourceId, ...)
{
    FreeSkins();
    std::vector<int> slots;
    va_list args;
    va_start(args, resourceId);
    for (int slot = va_arg(args, int); slot >= 0; slot = va_arg(args, int))
        slots.push_back(slot);
    va_end(args);
    CBitmap whole;
    if (slots.empty() || !whole.LoadBitmap(resourceId))
        return;
    CSize size = SizeOf(whole);
    int width = size.cx / static_cast<int>(slots.size());
    for (size_t i = 0; i < slots.size(); ++i) {
        // Slots out of range are passed over.
        if (slots[i] >= SKIN_SLOTS || width <= 0)
            continue;
        CopyPart(whole, CRect(static_cast<int>(i) * width, 0, static_cast<int>(i + 1) * width, size.cy), m_skins[slots[i]]);
    }
    ApplyMask();
}

void KTSkinButton::SetSkinMask(UINT resourceId)
{
    m_skins[SKIN_MASK].DeleteObject();
    if (::IsWindow(m_hWnd) && m_hRgn)
        ::SetWindowRgn(m_hWnd, nullptr, TRUE);
    m_hRgn = nullptr;
    if (m_skins[SKIN_MASK].LoadBitmap(resourceId))
        ApplyMask();
}

void KTSkinButton::SetDrawInfo(int mode, int showText, int margin)
{
    m_nDrawMode = std::clamp(mode, 0, 2);
    m_bShowText = showText > 0;
    m_nMargin = std::max(margin, 0);
}

COLORREF KTSkinButton::SetTextColor(COLORREF colour)
{
    return std::exchange(m_crText, colour);
}

COLORREF KTSkinButton::SetMaskColor(COLORREF colour)
{
    return std::exchange(m_crMask, colour);
}

void KTSkinButton::SetToolTipText(const CString& text)
{
    if (!::IsWindow(m_hWnd))
        return;
    if (!::IsWindow(m_ToolTip.m_hWnd)) {
        m_ToolTip.Create(this);
        m_ToolTip.AddTool(this, text);
        m_ToolTip.Activate(TRUE);
        return;
    }
    m_ToolTip.UpdateTipText(text, this);
}

// ---- window ---------------------------------------------------------------------------------------

void KTSkinButton::PreSubclassWindow()
{
    if ((GetStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
        m_dwKind = GetStyle() & BS_TYPEMASK;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

int KTSkinButton::OnCreate(LPCREATESTRUCT cs)
{
    if ((cs->style & BS_TYPEMASK) != BS_OWNERDRAW)
        m_dwKind = cs->style & BS_TYPEMASK;
    int result = static_cast<int>(Default());
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    return result;
}

BOOL KTSkinButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---- drawing ----------------------------------------------------------------------------------------

void KTSkinButton::DrawSkin(CDC* pDC, CBitmap& skin, const CRect& rect)
{
    // Mode 2 draws no skin (the plain fill shows).
    if (m_nDrawMode == 2 || !skin.GetSafeHandle())
        return;
    CSize size = SizeOf(skin);
    CDC source;
    source.CreateCompatibleDC(pDC);
    CBitmap* oldSource = source.SelectObject(&skin);
    auto put = [&](CDC& to, int x, int y, CDC& from, DWORD rop) {
        if (m_nDrawMode == 1)
            to.StretchBlt(x, y, rect.Width(), rect.Height(), &from, 0, 0, size.cx, size.cy, rop);
        else
            to.BitBlt(x, y, size.cx, size.cy, &from, 0, 0, rop);
    };
    if (!m_skins[SKIN_MASK].GetSafeHandle()) {
        put(*pDC, rect.left, rect.top, source, SRCCOPY);
        source.SelectObject(oldSource);
        return;
    }
    // Where the mask is white the background stays; where it is black the skin shows.
    CDC work, mask;
    work.CreateCompatibleDC(pDC);
    mask.CreateCompatibleDC(pDC);
    CBitmap picture;
    picture.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
    CBitmap* oldWork = work.SelectObject(&picture);
    CBitmap* oldMask = mask.SelectObject(&m_skins[SKIN_MASK]);
    work.BitBlt(0, 0, rect.Width(), rect.Height(), pDC, rect.left, rect.top, SRCCOPY);
    put(work, 0, 0, source, SRCINVERT);
    put(work, 0, 0, mask, SRCAND);
    put(work, 0, 0, source, SRCINVERT);
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &work, 0, 0, SRCCOPY);
    work.SelectObject(oldWork);
    mask.SelectObject(oldMask);
    source.SelectObject(oldSource);
}

void KTSkinButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect item = lpDIS->rcItem;
    UINT state = lpDIS->itemState;

    if (m_bPressed && ::GetCapture() == m_hWnd) {
        POINT cursor {};
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        BOOL over = PointOver(cursor);
        BOOL pushed = (GetState() & BST_PUSHED) != 0;
        if (over != pushed) {
            SetState(over); // the state change redraws
            return;
        }
    }

    CRect caption = item;
    caption.DeflateRect(m_nMargin + 2, 0);
    CString text;
    GetWindowText(text);
    pDC->SetBkMode(TRANSPARENT);
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;

    if (state & ODS_DISABLED) {
        if (m_skins[SKIN_DISABLED].GetSafeHandle())
            DrawSkin(pDC, m_skins[SKIN_DISABLED], item);
        else
            pDC->FillSolidRect(&item, ::GetSysColor(COLOR_BTNFACE));
        pDC->DrawEdge(&item, EDGE_RAISED, BF_RECT);
        if (m_bShowText) {
            CRect embossed = caption;
            embossed.OffsetRect(1, 1);
            pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
            pDC->DrawText(text, &embossed, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
            pDC->DrawText(text, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    } else {
        bool pushed = (state & ODS_SELECTED) || m_bChecked;
        if (pushed) {
            if (m_skins[SKIN_PRESSED].GetSafeHandle())
                DrawSkin(pDC, m_skins[SKIN_PRESSED], item);
            else
                pDC->FillSolidRect(&item, ::GetSysColor(COLOR_BTNFACE));
            pDC->DrawEdge(&item, EDGE_SUNKEN, BF_RECT);
            caption.OffsetRect(1, 1);
        } else {
            CBitmap* skin = &m_skins[SKIN_NORMAL];
            if (m_bHover && m_skins[SKIN_HOVER].GetSafeHandle())
                skin = &m_skins[SKIN_HOVER];
            else if ((state & ODS_FOCUS) && m_skins[SKIN_FOCUS].GetSafeHandle())
                skin = &m_skins[SKIN_FOCUS];
            if (skin->GetSafeHandle())
                DrawSkin(pDC, *skin, item);
            else
                pDC->FillSolidRect(&item, ::GetSysColor(COLOR_BTNFACE));
            pDC->DrawEdge(&item, EDGE_RAISED, BF_RECT);
        }
        if ((state & ODS_FOCUS) && m_nMargin > 0) {
            CRect focus = item;
            focus.DeflateRect(m_nMargin, m_nMargin);
            pDC->DrawFocusRect(&focus);
        }
        if (m_bShowText) {
            pDC->SetTextColor(m_crText);
            pDC->DrawText(text, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    if (oldFont)
        pDC->SelectObject(oldFont);
}

// ---- mouse and check state ----------------------------------------------------------------------------

bool KTSkinButton::PointOver(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    return client.PtInRect(point) != FALSE;
}

void KTSkinButton::OnLButtonDown(UINT, CPoint)
{
    if (m_bHover) {
        TRACKMOUSEEVENT cancel { sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_CANCEL, m_hWnd, 0 };
        ::TrackMouseEvent(&cancel);
        m_bHover = 0;
    }
    m_bPressed = 1;
    Default();
}

void KTSkinButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (::IsWindow(m_ToolTip.m_hWnd)) {
        MSG msg { m_hWnd, WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y) };
        m_ToolTip.RelayEvent(&msg);
    }
    if (m_bPressed && ::GetCapture() == m_hWnd) {
        BOOL over = PointOver(point);
        if (over != ((GetState() & BST_PUSHED) != 0))
            SetState(over);
    } else if (!m_bHover) {
        TRACKMOUSEEVENT track { sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0 };
        ::TrackMouseEvent(&track);
        m_bHover = 1;
        Invalidate();
    }
    Default();
}

void KTSkinButton::OnMouseLeave()
{
    m_bHover = 0;
    Invalidate();
}

void KTSkinButton::OnLButtonUp(UINT, CPoint point)
{
    HWND self = m_hWnd;
    DWORD style = m_dwKind;
    if (PointOver(point)) {
        if (style & BS_RADIOBUTTON)
            SendMessage(BM_SETCHECK, 1, 0);
        else if (style & BS_CHECKBOX)
            SendMessage(BM_SETCHECK, !m_bChecked, 0);
    }
    if (!::IsWindow(self))
        return;
    m_bPressed = 0;
    Default();
}

void KTSkinButton::OnKillFocus(CWnd*)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bPressed = 0;
    Default();
}

LRESULT KTSkinButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    m_bChecked = wParam ? 1 : 0;
    if (m_bChecked && (m_dwKind & BS_RADIOBUTTON)) {
        HWND dialog = ::GetParent(m_hWnd);
        for (HWND other = ::GetNextDlgGroupItem(dialog, m_hWnd, FALSE); other && other != m_hWnd;
             other = ::GetNextDlgGroupItem(dialog, other, FALSE))
            ::PostMessage(other, WM_KTSKIN_UNCHECK, 0, 0);
    }
    Invalidate();
    return 0;
}

LRESULT KTSkinButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_bChecked;
}

LRESULT KTSkinButton::OnUncheck(WPARAM, LPARAM)
{
    if (m_bChecked) {
        m_bChecked = 0;
        Invalidate();
    }
    return 0;
}

const platform::MessageMap* KTSkinButton::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTSkinButton::OnCreate>(),
        Message<WM_ERASEBKGND, &KTSkinButton::OnEraseBkgnd>(),
        Message<WM_LBUTTONDOWN, &KTSkinButton::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &KTSkinButton::OnLButtonUp>(),
        Message<WM_MOUSEMOVE, &KTSkinButton::OnMouseMove>(),
        Message<WM_KILLFOCUS, &KTSkinButton::OnKillFocus>(),
        Message<WM_MOUSELEAVE, &KTSkinButton::OnMouseLeave>(),
        Message<BM_SETCHECK, &KTSkinButton::OnSetCheck>(),
        Message<BM_GETCHECK, &KTSkinButton::OnGetCheck>(),
        Message<WM_KTSKIN_UNCHECK, &KTSkinButton::OnUncheck>(),
    };
    static constexpr platform::MessageMap kMap { &CButton::GetThisMessageMap, kEntries };
    return &kMap;
}

// The owner-drawn button: drawing, hover tracking, clicks and auto-repeat.
#include "ktctrl/buttons/KTButton.h"

#include "platform/core/Sync.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"
#include "platform/sys/Shell.h"

#include <algorithm>

namespace {

constexpr int kImageGap = 3;

} // namespace

KTButton::KTButton()
{
    SetDefaultColors(0);
}

KTButton::~KTButton()
{
    FreeImages();
    if (m_hCursor)
        ::DestroyIcon(m_hCursor);
    if (m_dcBk.GetSafeHdc() && m_pbmpOldBk)
        m_dcBk.SelectObject(m_pbmpOldBk);
}

// ---- settings ------------------------------------------------------------------------------

void KTButton::Repaint(int repaint)
{
    if (repaint && ::IsWindow(m_hWnd))
        Invalidate();
}

void KTButton::FreeImages()
{
    for (IconImage& icon : m_icons) {
        if (icon.icon)
            ::DestroyIcon(icon.icon);
        icon = IconImage {};
    }
    for (BitmapImage& image : m_bitmaps) {
        image.bitmap.DeleteObject();
        image.mask.DeleteObject();
        image.width = image.height = 0;
    }
}

DWORD KTButton::SetIcon(HICON iconIn, HICON iconOut)
{
    FreeImages();
    if (!iconIn) {
        Repaint(1);
        return BTNST_OK;
    }
    HICON given[2] = { iconIn, iconOut };
    for (int i = 0; i < 2; ++i) {
        if (!given[i])
            continue;
        SIZE size {};
        if (!platform::GetIconSize(given[i], &size)) {
            FreeImages();
            return BTNST_INVALIDRESOURCE;
        }
        m_icons[i] = { given[i], size.cx, size.cy };
    }
    Repaint(1);
    return BTNST_OK;
}

BOOL KTButton::MakeMask(BitmapImage& image)
{
    CDC source, mask;
    if (!source.CreateCompatibleDC(nullptr) || !mask.CreateCompatibleDC(nullptr))
        return FALSE;
    if (!image.mask.CreateBitmap(image.width, image.height, 1, 1, nullptr))
        return FALSE;
    CBitmap* oldSource = source.SelectObject(&image.bitmap);
    CBitmap* oldMask = mask.SelectObject(&image.mask);
    // The transparent colour becomes white in the mask ...
    source.SetBkColor(image.transparent);
    mask.BitBlt(0, 0, image.width, image.height, &source, 0, 0, SRCCOPY);
    // ... and black in the bitmap, so that SRCPAINT leaves the background there.
    source.SetBkColor(RGB(0, 0, 0));
    source.SetTextColor(RGB(255, 255, 255));
    source.BitBlt(0, 0, image.width, image.height, &mask, 0, 0, SRCAND);
    source.SelectObject(oldSource);
    mask.SelectObject(oldMask);
    return TRUE;
}

DWORD KTButton::SetBitmaps(HBITMAP bitmapIn, COLORREF transparentIn, HBITMAP bitmapOut, COLORREF transparentOut)
{
    FreeImages();
    if (!bitmapIn) {
        Repaint(1);
        return BTNST_OK;
    }
    HBITMAP given[2] = { bitmapIn, bitmapOut };
    COLORREF transparent[2] = { transparentIn, transparentOut };
    for (int i = 0; i < 2; ++i) {
        if (!given[i])
            continue;
        CBitmap* source = CBitmap::FromHandle(given[i]);
        BITMAP info {};
        if (!source || !source->GetBitmap(&info)) {
            FreeImages();
            return BTNST_INVALIDRESOURCE;
        }
        // The button keeps its own copy, so the mask can black out the transparent pixels.
        BitmapImage& image = m_bitmaps[i];
        image.width = info.bmWidth;
        image.height = info.bmHeight;
        image.transparent = transparent[i];
        CDC from, to;
        from.CreateCompatibleDC(nullptr);
        to.CreateCompatibleDC(nullptr);
        image.bitmap.CreateCompatibleBitmap(&to, image.width, image.height);
        CBitmap* oldFrom = from.SelectObject(source);
        CBitmap* oldTo = to.SelectObject(&image.bitmap);
        to.BitBlt(0, 0, image.width, image.height, &from, 0, 0, SRCCOPY);
        from.SelectObject(oldFrom);
        to.SelectObject(oldTo);
        if (!MakeMask(image)) {
            FreeImages();
            return BTNST_FAILEDMASK;
        }
    }
    Repaint(1);
    return BTNST_OK;
}

DWORD KTButton::GetColor(int index, COLORREF* colour) const
{
    if (index < 0 || index >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    if (colour)
        *colour = m_crColors[index];
    return BTNST_OK;
}

DWORD KTButton::SetColor(int index, COLORREF colour, int repaint)
{
    if (index < 0 || index >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    m_crColors[index] = colour;
    Repaint(repaint);
    return BTNST_OK;
}

DWORD KTButton::SetDefaultColors(int repaint)
{
    m_crColors[BTNST_COLOR_BK_IN] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_IN] = ::GetSysColor(COLOR_BTNTEXT);
    m_crColors[BTNST_COLOR_BK_OUT] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_OUT] = ::GetSysColor(COLOR_BTNTEXT);
    Repaint(repaint);
    return BTNST_OK;
}

void KTButton::SetAlign(int align)
{
    if (align < ST_ALIGN_HORIZ || align > ST_ALIGN_HORIZ_RIGHT)
        return;
    m_nAlign = align;
    Repaint(1);
}

void KTButton::SetFlat(int flat, int repaint) { m_bFlat = flat; Repaint(repaint); }
void KTButton::SetBorder(int border, int repaint) { m_bBorder = border; Repaint(repaint); }
void KTButton::SetFlatFocus(int flatFocus, int repaint) { m_bFlatFocus = flatFocus; Repaint(repaint); }

void KTButton::SetTransparent(int transparent, int repaint)
{
    m_bTransparent = transparent;
    // The parent's pixels are taken again at the next drawing.
    if (m_dcBk.GetSafeHdc()) {
        m_dcBk.SelectObject(m_pbmpOldBk);
        m_dcBk.DeleteDC();
        m_bmpBk.DeleteObject();
        m_pbmpOldBk = nullptr;
    }
    Repaint(repaint);
}

void KTButton::SetCheck(int check, int repaint)
{
    if (!m_bCheckBox)
        return;
    m_bChecked = check ? 1 : 0;
    Repaint(repaint);
}

void KTButton::SetAutoRepeat(int on, DWORD delay)
{
    m_bAutoRepeat = on;
    m_dwRepeatDelay = delay;
}

void KTButton::SetHyperLink(const char* target)
{
    m_strTarget = target ? target : "";
}

void KTButton::SetBtnCursor(HICON cursor)
{
    if (m_hCursor)
        ::DestroyIcon(m_hCursor);
    m_hCursor = cursor;
}

void KTButton::SetTooltipText(const char* text, int activate)
{
    if (!text || !::IsWindow(m_ToolTip.m_hWnd))
        return;
    if (m_ToolTip.GetToolCount() == 0) {
        CRect client;
        GetClientRect(&client);
        m_ToolTip.AddTool(this, text, &client, 1);
    }
    m_ToolTip.UpdateTipText(text, this, 1);
    m_ToolTip.Activate(activate);
}

void KTButton::ActivateTooltip(int activate)
{
    if (::IsWindow(m_ToolTip.m_hWnd) && m_ToolTip.GetToolCount() > 0)
        m_ToolTip.Activate(activate);
}

// ---- window --------------------------------------------------------------------------------------

void KTButton::PreSubclassWindow()
{
    UINT style = GetButtonStyle();
    m_bDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    m_bCheckBox = (style & BS_CHECKBOX) != 0 && (style & BS_TYPEMASK) != BS_OWNERDRAW;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    m_ToolTip.Create(this);
    m_ToolTip.Activate(FALSE);
    m_ToolTip.SetMaxTipWidth(400);
    CButton::PreSubclassWindow();
}

BOOL KTButton::PreTranslateMessage(MSG* pMsg)
{
    if (::IsWindow(m_ToolTip.m_hWnd))
        m_ToolTip.RelayEvent(pMsg);
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT KTButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Fast clicks all count: a double-click is a second button-down.
    if (message == WM_LBUTTONDBLCLK)
        message = WM_LBUTTONDOWN;
    return CButton::DefWindowProc(message, wParam, lParam);
}

// ---- drawing -------------------------------------------------------------------------------------

DWORD KTButton::OnDrawBackground(CDC* pDC, const RECT* pRect)
{
    COLORREF colour = (m_bHover || m_bPressed) ? m_crColors[BTNST_COLOR_BK_IN] : m_crColors[BTNST_COLOR_BK_OUT];
    pDC->FillSolidRect(pRect, colour);
    return BTNST_OK;
}

DWORD KTButton::OnDrawBorder(CDC* pDC, const RECT* pRect)
{
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_bPressed)
        pDC->Draw3dRect(pRect, shadow, light);
    else
        pDC->Draw3dRect(pRect, light, shadow);
    return BTNST_OK;
}

void KTButton::DrawTransparentBackground(CDC* pDC, const CRect& rect)
{
    CWnd* parent = GetParent();
    if (!m_dcBk.GetSafeHdc() && parent) {
        // Take the parent's pixels under the button once.
        CRect inParent = rect;
        ClientToScreen(&inParent);
        parent->ScreenToClient(&inParent);
        CClientDC parentDC(parent);
        m_dcBk.CreateCompatibleDC(&parentDC);
        m_bmpBk.CreateCompatibleBitmap(&parentDC, rect.Width(), rect.Height());
        m_pbmpOldBk = m_dcBk.SelectObject(&m_bmpBk);
        m_dcBk.BitBlt(0, 0, rect.Width(), rect.Height(), &parentDC, inParent.left, inParent.top, SRCCOPY);
    }
    if (m_dcBk.GetSafeHdc())
        pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &m_dcBk, 0, 0, SRCCOPY);
}

void KTButton::DrawClassicEdge(CDC* pDC, const CRect& rect)
{
    CRect r = rect;
    pDC->Draw3dRect(&r, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    r.DeflateRect(1, 1);
    pDC->Draw3dRect(&r, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

bool KTButton::UseOutImage() const
{
    bool hasOut = m_icons[1].icon || m_bitmaps[1].bitmap.GetSafeHandle();
    return hasOut && !m_bPressed && (m_bCheckBox || !m_bHover);
}

void KTButton::PlaceImage(const CRect& item, bool hasCaption, CSize image, CRect& imageRect, CRect& captionRect) const
{
    captionRect = item;
    int x = item.left, y = item.top;
    switch (m_nAlign) {
    case ST_ALIGN_VERT:
        x = item.left + (item.Width() - image.cx) / 2;
        y = hasCaption ? item.top + kImageGap : item.top + (item.Height() - image.cy) / 2;
        if (hasCaption)
            captionRect.top += image.cy;
        break;
    case ST_ALIGN_HORIZ_RIGHT:
        x = hasCaption ? item.right - image.cx - kImageGap : item.left + (item.Width() - image.cx) / 2;
        y = item.top + (item.Height() - image.cy) / 2;
        if (hasCaption) {
            captionRect.left = kImageGap;
            captionRect.right -= image.cx + kImageGap;
        }
        break;
    default:
        x = hasCaption ? item.left + kImageGap : item.left + (item.Width() - image.cx) / 2;
        y = item.top + (item.Height() - image.cy) / 2;
        if (hasCaption)
            captionRect.left += image.cx + kImageGap;
        break;
    }
    if (m_bPressed && !m_bCheckBox) {
        ++x;
        ++y;
    }
    imageRect.SetRect(x, y, x + image.cx, y + image.cy);
}

void KTButton::DrawImage(CDC* pDC, const CRect& imageRect)
{
    int which = UseOutImage() ? 1 : 0;
    if (m_icons[which].icon) {
        pDC->DrawState(imageRect.TopLeft(), imageRect.Size(), m_icons[which].icon,
                       DST_ICON | (m_bDisabled ? DSS_DISABLED : DSS_NORMAL));
        return;
    }
    BitmapImage& image = m_bitmaps[which];
    if (!image.bitmap.GetSafeHandle())
        return;
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap* old = mem.SelectObject(&image.mask);
    COLORREF oldText = pDC->SetTextColor(RGB(0, 0, 0));
    COLORREF oldBk = pDC->SetBkColor(RGB(255, 255, 255));
    pDC->BitBlt(imageRect.left, imageRect.top, image.width, image.height, &mem, 0, 0, SRCAND);
    mem.SelectObject(&image.bitmap);
    pDC->BitBlt(imageRect.left, imageRect.top, image.width, image.height, &mem, 0, 0, SRCPAINT);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
    mem.SelectObject(old);
}

void KTButton::DrawCaption(CDC* pDC, CRect area)
{
    CString caption;
    GetWindowText(caption);
    if (caption.IsEmpty())
        return;
    if (m_bPressed && !m_bCheckBox)
        area.OffsetRect(1, 1);
    CRect measured = area;
    pDC->DrawText(caption, &measured, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    measured.OffsetRect((area.Width() - measured.Width()) / 2, (area.Height() - measured.Height()) / 2);
    measured.left = area.left + (area.Width() - measured.Width()) / 2;
    measured.right = measured.left + std::min<int>(measured.Width(), area.Width());
    pDC->SetBkMode(TRANSPARENT);
    if (m_bDisabled) {
        measured.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        pDC->DrawText(caption, &measured, DT_WORDBREAK | DT_CENTER);
        measured.OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        pDC->DrawText(caption, &measured, DT_WORDBREAK | DT_CENTER);
        return;
    }
    bool in = m_bHover || m_bPressed;
    pDC->SetTextColor(m_crColors[in ? BTNST_COLOR_FG_IN : BTNST_COLOR_FG_OUT]);
    pDC->SetBkColor(m_crColors[in ? BTNST_COLOR_BK_IN : BTNST_COLOR_BK_OUT]);
    pDC->DrawText(caption, &measured, DT_WORDBREAK | DT_CENTER);
}

void KTButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    m_bPressed = m_bCheckBox ? ((lpDIS->itemState & ODS_SELECTED) || m_bChecked) : ((lpDIS->itemState & ODS_SELECTED) != 0);
    m_bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    CRect item = lpDIS->rcItem;
    pDC->SetBkMode(TRANSPARENT);
    if (!m_bFlat && (m_bFocused || m_bDefault)) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(&item, &black);
        item.DeflateRect(1, 1);
    }

    if (m_bTransparent)
        DrawTransparentBackground(pDC, item);
    else
        OnDrawBackground(pDC, &item);

    if (m_bPressed) {
        if (!m_bFlat) {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            pDC->FrameRect(&item, &shadow);
        } else if (m_bBorder) {
            OnDrawBorder(pDC, &item);
        }
    } else if (!m_bFlat) {
        DrawClassicEdge(pDC, item);
    } else if (m_bHover && m_bBorder) {
        OnDrawBorder(pDC, &item);
    }

    CString caption;
    GetWindowText(caption);
    CRect captionRect = item;
    int which = UseOutImage() ? 1 : 0;
    CSize image(m_icons[which].icon ? m_icons[which].width : m_bitmaps[which].width,
                m_icons[which].icon ? m_icons[which].height : m_bitmaps[which].height);
    if (image.cx > 0 && image.cy > 0) {
        CRect imageRect;
        PlaceImage(item, !caption.IsEmpty(), image, imageRect, captionRect);
        DrawImage(pDC, imageRect);
    }
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
    CFont* oldFont = font ? pDC->SelectObject(font) : nullptr;
    DrawCaption(pDC, captionRect);
    if (oldFont)
        pDC->SelectObject(oldFont);

    if (m_bFocused && (!m_bFlat || m_bFlatFocus)) {
        CRect focus = lpDIS->rcItem;
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(&focus);
    }
}

// ---- hover ----------------------------------------------------------------------------------------

void KTButton::ClearHover()
{
    if (m_bFlat && m_bHover) {
        m_bHover = 0;
        Invalidate();
    }
}

int KTButton::OnCreate(LPCREATESTRUCT)
{
    int result = static_cast<int>(Default());
    // The control may take its style from the creation data: owner-drawn again.
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    return result;
}

void KTButton::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if (!m_bFlat)
        return;
    if (::GetCapture() != m_hWnd) {
        if (::GetActiveWindow() && (GetOwner() || GetParent())) {
            m_bHover = 1;
            SetCapture();
            Invalidate();
        }
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        if (!m_bHover) {
            m_bHover = 1;
            Invalidate();
        }
        return;
    }
    m_bHover = 0;
    Invalidate();
    if (!(nFlags & MK_LBUTTON))
        ::ReleaseCapture();
}

void KTButton::OnCaptureChanged(CWnd*)
{
    if (m_bHover) {
        m_bHover = 0;
        Invalidate();
    }
    Default();
}

void KTButton::OnKillFocus(CWnd*)
{
    Default();
    ClearHover();
}

void KTButton::OnActivate(UINT, CWnd*, BOOL)
{
    Default();
    ClearHover();
}

void KTButton::OnEnable(BOOL bEnable)
{
    Default();
    if (!bEnable)
        ClearHover();
}

void KTButton::OnCancelMode()
{
    Default();
    ClearHover();
}

BOOL KTButton::OnSetCursor(CWnd*, UINT, UINT)
{
    if (m_hCursor) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}

void KTButton::OnSysColorChange()
{
    Default();
    SetTransparent(m_bTransparent, 1);
}

BOOL KTButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

// ---- clicks -----------------------------------------------------------------------------------------

BOOL KTButton::OnClicked()
{
    if (m_bCheckBox) {
        m_bChecked = !m_bChecked;
        Invalidate();
    } else if (!m_strTarget.IsEmpty()) {
        ::ShellExecute(nullptr, "open", m_strTarget, nullptr, nullptr, SW_SHOWMAXIMIZED);
    }
    return FALSE; // the parent still receives the click
}

void KTButton::OnLButtonDown(UINT, CPoint)
{
    HWND self = m_hWnd;
    Default();
    if (!::IsWindow(self) || !m_bAutoRepeat)
        return;
    RunAutoRepeat();
}

void KTButton::RunAutoRepeat()
{
    HWND self = m_hWnd;
    HWND parent = ::GetParent(self);
    WPARAM command = MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED);
    SetCapture();
    MSG msg {};
    int sends = 0;
    if (!::PeekMessage(&msg, self, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE)) {
        for (;;) {
            ::SendMessage(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(self));
            ++sends;
            // The parent may have destroyed the button in its handler.
            if (!::IsWindow(self))
                return;
            ::Sleep(m_dwRepeatDelay);
            if (::PeekMessage(&msg, self, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE))
                break;
        }
        if (sends % 2 == 1) {
            ::SendMessage(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(self));
            if (!::IsWindow(self))
                return;
        }
    }
    ::ReleaseCapture();
    if (!::IsWindow(self))
        return;
    ::SendMessage(self, WM_LBUTTONUP, 0, 0);
    if (!::IsWindow(self))
        return;
    POINT cursor {};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(self, &cursor);
    ::SendMessage(self, WM_MOUSEMOVE, 0, MAKELPARAM(cursor.x, cursor.y));
}

const platform::MessageMap* KTButton::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTButton::OnCreate>(),
        Message<WM_MOUSEMOVE, &KTButton::OnMouseMove>(),
        Message<WM_LBUTTONDOWN, &KTButton::OnLButtonDown>(),
        Message<WM_CAPTURECHANGED, &KTButton::OnCaptureChanged>(),
        Message<WM_KILLFOCUS, &KTButton::OnKillFocus>(),
        Message<WM_ACTIVATE, &KTButton::OnActivate>(),
        Message<WM_ENABLE, &KTButton::OnEnable>(),
        Message<WM_CANCELMODE, &KTButton::OnCancelMode>(),
        Message<WM_SETCURSOR, &KTButton::OnSetCursor>(),
        Message<WM_SYSCOLORCHANGE, &KTButton::OnSysColorChange>(),
        Message<WM_ERASEBKGND, &KTButton::OnEraseBkgnd>(),
        ReflectCommand<&KTButton::OnClicked>(BN_CLICKED),
    };
    static constexpr platform::MessageMap kMap { &CButton::GetThisMessageMap, kEntries };
    return &kMap;
}

// The image bar.
#include "ktctrl/composite/KTImageBar.h"

#include "ktctrl/basic/OffscreenDC.h"
#include "ktctrl/composite/ControlClass.h"
#include "ktutil/KTGF.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"

#include <cstdio>

namespace {
constexpr UINT kClassStyles = 11; // CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS
constexpr int kImageSize = 32;
} // namespace

KTImageBar::KTImageBar()
    : m_crTopLeft(GetSysColor(COLOR_BTNHIGHLIGHT)), m_crBottomRight(GetSysColor(COLOR_BTNSHADOW))
{
    ktctrl::RegisterControlClass(kClassName, kClassStyles);
    for (int look = LOOK_NORMAL; look <= LOOK_PRESS; ++look)
        m_looks[look] = { nullptr, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT) };
    m_looks[LOOK_DISABLE] = { nullptr, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_GRAYTEXT) };
    DefaultFont(FALSE);
}

KTImageBar::~KTImageBar()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL KTImageBar::RegisterWindowClass(HINSTANCE instance)
{
    ktctrl::RegisterControlClass(kClassName, kClassStyles, instance);
    return TRUE;
}

BOOL KTImageBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CWnd::Create(kClassName, "", style, rect, parent, id))
        return FALSE;
    if (m_tooltip.Create(this))
        m_tooltip.Activate(TRUE);
    return TRUE;
}

// ---- items ---------------------------------------------------------------------------------------

int KTImageBar::Add(const KTImageBarItem& item) { return Insert(GetCount(), item); }

int KTImageBar::Add(UINT id, int image, LPCTSTR caption, int type, BOOL separator, BOOL checked, LPCTSTR text2,
                    DWORD data)
{
    return Insert(GetCount(), id, image, caption, type, separator, checked, text2, data);
}

int KTImageBar::Insert(int index, const KTImageBarItem& item)
{
    // An index past the end (or below 0) appends: the list never holds empty slots.
    if (index < 0 || index > GetCount())
        index = GetCount();
    m_items.insert(m_items.begin() + index, std::make_unique<KTImageBarItem>(item));
    if (GetSafeHwnd())
        Invalidate();
    return index;
}

int KTImageBar::Insert(int index, UINT id, int image, LPCTSTR caption, int type, BOOL separator, BOOL checked,
                       LPCTSTR text2, DWORD data)
{
    KTImageBarItem item;
    item.m_nID = id;
    item.m_nImage = image;
    item.m_strText = caption ? caption : "";
    item.m_nType = type;
    item.m_bSeparator = separator;
    item.m_bChecked = checked;
    item.m_strText2 = text2 ? text2 : "";
    item.m_dwData = data;
    return Insert(index, item);
}

void KTImageBar::Remove(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DelTool(this, m_items[static_cast<size_t>(index)]->m_nID);
    m_items.erase(m_items.begin() + index);
    if (m_nHover >= GetCount())
        m_nHover = -1;
    if (m_nPressed >= GetCount())
        m_nPressed = -1;
    if (GetSafeHwnd())
        Invalidate();
}

void KTImageBar::RemoveAll()
{
    while (GetCount() > 0)
        Remove(GetCount() - 1);
    m_nHover = m_nPressed = -1;
}

KTImageBarItem* KTImageBar::Get(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

int KTImageBar::Find(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_items[static_cast<size_t>(i)]->m_nID == id)
            return i;
    return -1;
}

void KTImageBar::SetItemData(int index, DWORD data)
{
    if (auto* item = Get(index))
        item->m_dwData = data;
}

DWORD KTImageBar::GetItemData(int index) const
{
    auto* item = Get(index);
    return item ? item->m_dwData : 0;
}

void KTImageBar::EnableItem(int index, BOOL enable, BOOL)
{
    if (auto* item = Get(index))
        item->m_bEnabled = enable;
}

void KTImageBar::CheckItem(int index, BOOL check, BOOL exclusive)
{
    if (exclusive) {
        for (int i = 0; i < GetCount(); ++i) {
            auto& item = *m_items[static_cast<size_t>(i)];
            item.m_bChecked = (i == index && item.m_nType == KTImageBarItem::TYPE_CHECK) ? check : FALSE;
        }
    } else if (auto* item = Get(index); item && item->m_nType == KTImageBarItem::TYPE_CHECK) {
        item->m_bChecked = check;
    }
    if (GetSafeHwnd())
        Invalidate();
}

int KTImageBar::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        CRect r = m_items[static_cast<size_t>(i)]->m_rcItem;
        r.DeflateRect(1, 1);
        if (r.PtInRect(point))
            return i;
    }
    return -1;
}

// ---- looks and font ------------------------------------------------------------------------------

void KTImageBar::SetLook(int look, CImageList* images, COLORREF back, COLORREF text)
{
    m_looks[look].pImages = images;
    if (back != 0xFFFFFFFF) {
        m_looks[look].crBack = back;
        m_looks[look].crText = text;
    }
}

void KTImageBar::SetNormalImage(CImageList* images, COLORREF back, COLORREF text) { SetLook(LOOK_NORMAL, images, back, text); }
void KTImageBar::SetHoverImage(CImageList* images, COLORREF back, COLORREF text) { SetLook(LOOK_HOVER, images, back, text); }
void KTImageBar::SetPressImage(CImageList* images, COLORREF back, COLORREF text) { SetLook(LOOK_PRESS, images, back, text); }
void KTImageBar::SetDisableImage(CImageList* images, COLORREF back, COLORREF text) { SetLook(LOOK_DISABLE, images, back, text); }

void KTImageBar::SetDown3DColors(COLORREF topLeft, COLORREF bottomRight)
{
    m_crTopLeft = topLeft;
    m_crBottomRight = bottomRight;
}

void KTImageBar::DefaultFont(BOOL redraw)
{
    LOGFONT lf {};
    lf.lfHeight = 12;
    lf.lfWeight = 400;
    lf.lfCharSet = 1;
    lf.lfOutPrecision = 2;
    lf.lfClipPrecision = 1;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "Microsoft Sans Serif");
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    if (redraw && GetSafeHwnd())
        Invalidate();
}

void KTImageBar::SetFont(CFont* font, BOOL redraw)
{
    if (!font || !font->GetSafeHandle())
        return;
    LOGFONT lf {};
    font->GetLogFont(&lf);
    SetFont(lf, redraw);
}

void KTImageBar::SetFont(const LOGFONT& font, BOOL redraw)
{
    m_font.DeleteObject();
    if (!m_font.CreateFontIndirect(&font))
        DefaultFont(FALSE);
    if (redraw && GetSafeHwnd())
        Invalidate();
}

// ---- drawing ---------------------------------------------------------------------------------------

void KTImageBar::RecalcLayout()
{
    CRect client;
    GetClientRect(&client);
    const int h = client.Height();
    const int w = h * 3 / 2;
    int x = 0;
    for (auto& item : m_items) {
        item->m_rcItem.SetRect(x, 0, x + w, h - 2);
        x += w + (item->m_bSeparator ? 3 : 0);
    }
}

void KTImageBar::DrawItem(CDC* dc, int index)
{
    KTImageBarItem& item = *m_items[static_cast<size_t>(index)];
    CRect r = item.m_rcItem;
    r.DeflateRect(1, 1);

    CFont* oldFont = dc->SelectObject(&m_font);
    int captionHeight = 0;
    if (m_bShowText)
        captionHeight = dc->GetTextExtent("ABCEDFG").cy;

    int look = LOOK_NORMAL;
    if (!item.m_bEnabled)
        look = LOOK_DISABLE;
    else if (item.m_bPressed)
        look = LOOK_PRESS;
    else if (item.m_bHover)
        look = LOOK_HOVER;
    else if (item.m_bChecked)
        look = LOOK_PRESS;
    if (!m_looks[look].pImages)
        look = LOOK_NORMAL;
    const Look& l = m_looks[look];

    dc->FillSolidRect(&r, l.crBack);
    if (l.pImages && item.m_nImage >= 0)
        l.pImages->Draw(dc, item.m_nImage,
                        CPoint(r.left + (r.Width() - kImageSize) / 2, r.top + (r.Height() - captionHeight - kImageSize) / 2),
                        ILD_TRANSPARENT);

    if (m_bShowText) {
        CString shown = KTGF::AbbreviateText(item.m_strText, kCaptionLimit);
        const BOOL shortened = shown != item.m_strText;
        item.m_bShortened = shortened;
        if (m_tooltip.GetSafeHwnd()) {
            m_tooltip.DelTool(this, item.m_nID);
            if (shortened)
                m_tooltip.AddTool(this, item.m_strText, &item.m_rcItem, item.m_nID);
        }
        CRect band(r.left, r.bottom - captionHeight, r.right, r.bottom);
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(l.crText);
        dc->DrawText(shown, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (item.m_bPressed || item.m_bChecked)
        dc->Draw3dRect(&r, m_crBottomRight, m_crTopLeft);
    if (item.m_bSeparator) {
        CRect separator(r.right + 1, r.top, r.right + 3, r.bottom);
        dc->Draw3dRect(&separator, m_crBottomRight, m_crTopLeft);
    }
    dc->SelectObject(oldFont);
}

void KTImageBar::OnPaint()
{
    PAINTSTRUCT ps;
    CDC* paintDC = BeginPaint(&ps);
    CRect client;
    GetClientRect(&client);
    RecalcLayout();
    {
        ktctrl::OffscreenDC dc(paintDC, client);
        dc.FillSolidRect(&client, m_looks[LOOK_NORMAL].crBack);
        for (int i = 0; i < GetCount(); ++i)
            DrawItem(&dc, i);
        CRect line(client.left, client.bottom - 2, client.right, client.bottom);
        dc.Draw3dRect(&line, m_crBottomRight, m_crTopLeft);
    }
    EndPaint(&ps);
}

void KTImageBar::DrawItemEx(int index)
{
    if (!Get(index) || !GetSafeHwnd())
        return;
    RecalcLayout();
    CClientDC windowDC(this);
    ktctrl::OffscreenDC dc(&windowDC, m_items[static_cast<size_t>(index)]->m_rcItem);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_looks[LOOK_NORMAL].crBack);
    DrawItem(&dc, index);
}

// ---- mouse -------------------------------------------------------------------------------------------

void KTImageBar::Notify(int code, int index)
{
    ImageBarNotifyInfo info;
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    info.hdr.code = static_cast<UINT>(code);
    info.nIndex = index;
    if (auto* item = Get(index)) {
        info.nID = item->m_nID;
        info.nType = item->m_nType;
        info.bChecked = item->m_bChecked;
    }
    if (CWnd* parent = GetParent())
        ::SendMessage(parent->GetSafeHwnd(), WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&info));
}

void KTImageBar::OnLButtonDown(UINT, CPoint point)
{
    const int hit = HitTest(point);
    HWND self = m_hWnd;
    Notify(NOTIFY_LBUTTONDOWN, hit);
    if (!::IsWindow(self)) // the parent may have destroyed the bar
        return;
    auto* item = Get(hit);
    if (!item || !item->m_bEnabled)
        return;
    m_nPressed = hit;
    item->m_bPressed = TRUE;
    DrawItemEx(hit);
}

void KTImageBar::OnMouseMove(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point)) {
        if (GetCapture() != this)
            SetCapture();
    } else if (m_nPressed < 0) {
        if (GetCapture() == this)
            ReleaseCapture();
    } else if (auto* pressed = Get(m_nPressed); pressed && pressed->m_bPressed) {
        pressed->m_bPressed = FALSE;
        DrawItemEx(m_nPressed);
    }

    const int hit = client.PtInRect(point) ? HitTest(point) : -1;
    if (m_nPressed < 0) {
        if (hit != m_nHover) {
            if (auto* old = Get(m_nHover)) {
                old->m_bHover = FALSE;
                DrawItemEx(m_nHover);
            }
            m_nHover = -1;
            if (auto* item = Get(hit); item && !item->m_bChecked) {
                item->m_bHover = TRUE;
                m_nHover = hit;
                DrawItemEx(hit);
            }
        }
        return;
    }
    if (auto* old = Get(m_nHover)) {
        old->m_bHover = FALSE;
        DrawItemEx(m_nHover);
        m_nHover = -1;
    }
    if (auto* pressed = Get(m_nPressed)) {
        const BOOL inside = pressed->m_rcItem.PtInRect(point);
        if (pressed->m_bPressed != inside) {
            pressed->m_bPressed = inside;
            DrawItemEx(m_nPressed);
        }
    }
}

void KTImageBar::OnLButtonUp(UINT, CPoint point)
{
    const int pressed = m_nPressed;
    m_nPressed = -1;
    auto* item = Get(pressed);
    if (item) {
        const int hit = HitTest(point);
        if (hit == pressed) {
            if (item->m_nType == KTImageBarItem::TYPE_CHECK)
                item->m_bChecked = !item->m_bChecked;
            item->m_bPressed = FALSE;
            item->m_bHover = FALSE;
            if (m_nHover == pressed)
                m_nHover = -1;
            HWND self = m_hWnd;
            Notify(NOTIFY_CLICK, pressed);
            if (!::IsWindow(self))
                return;
            Invalidate();
        } else {
            item->m_bPressed = FALSE;
            DrawItemEx(pressed);
            if (auto* under = Get(hit); under && under->m_bEnabled && !under->m_bChecked) {
                under->m_bHover = TRUE;
                m_nHover = hit;
                DrawItemEx(hit);
            }
        }
    }
    if (GetCapture() == this)
        ReleaseCapture();
}

void KTImageBar::OnRButtonDown(UINT, CPoint point) { Notify(NOTIFY_RBUTTONDOWN, HitTest(point)); }

BOOL KTImageBar::PreTranslateMessage(MSG* msg)
{
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

const platform::MessageMap* KTImageBar::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &KTImageBar::OnPaint>(),
        Message<WM_ERASEBKGND, &KTImageBar::OnEraseBkgnd>(),
        Message<WM_LBUTTONDOWN, &KTImageBar::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &KTImageBar::OnLButtonUp>(),
        Message<WM_MOUSEMOVE, &KTImageBar::OnMouseMove>(),
        Message<WM_RBUTTONDOWN, &KTImageBar::OnRButtonDown>(),
    };
    static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
    return &kMap;
}

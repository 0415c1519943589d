// The study information's tab control.
#include "tarlux/tab/CThemeTabCtrl.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/VisualStyle.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/MessageMap.h"
#include "platform/ui/controls/ControlWindow.h"

#include <cstdint>
#include <utility>
#include <vector>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr char kTabClass[] = "TAB";
constexpr int kTabPart = 1;
constexpr int kPanePart = 9;
constexpr int kTabNormal = 1;
constexpr int kTabHot = 2;
constexpr int kTabSelected = 3;
// A tab's texts are read up to this length.
constexpr int kTextLimit = 127;

// A rectangle's pixels, 0x00RRGGBB rows top-down, to mirror and turn.
struct Picture
{
    int width { 0 };
    int height { 0 };
    std::vector<std::uint32_t> pixels;

    std::uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }

    // Top to bottom.
    void Mirror()
    {
        for (int y = 0; y < height / 2; ++y)
            for (int x = 0; x < width; ++x)
                std::swap(At(x, y), At(x, height - 1 - y));
    }
    // A quarter turn: counterclockwise brings an upright tab's open bottom side to the right.
    void Turn(bool counterclockwise)
    {
        Picture turned { height, width, std::vector<std::uint32_t>(pixels.size()) };
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                if (counterclockwise)
                    turned.At(y, width - 1 - x) = At(x, y);
                else
                    turned.At(height - 1 - y, x) = At(x, y);
            }
        *this = std::move(turned);
    }
};

// A memory context holding a bitmap of the picture's size.
class PictureDC
{
public:
    PictureDC(CDC& like, int width, int height)
    {
        m_ok = m_dc.CreateCompatibleDC(&like) && m_bitmap.CreateCompatibleBitmap(&like, width, height);
        if (m_ok)
            m_old = m_dc.SelectObject(&m_bitmap);
        m_width = width;
        m_height = height;
    }
    ~PictureDC()
    {
        if (m_ok)
            m_dc.SelectObject(m_old);
    }
    bool Ok() const { return m_ok; }
    CDC& Dc() { return m_dc; }
    Picture Read()
    {
        Picture picture { m_width, m_height, std::vector<std::uint32_t>(static_cast<size_t>(m_width) * m_height) };
        m_dc.SelectObject(m_old);
        m_bitmap.GetBitmapBits(static_cast<DWORD>(picture.pixels.size() * 4), picture.pixels.data());
        m_dc.SelectObject(&m_bitmap);
        return picture;
    }
    void Write(const Picture& picture)
    {
        m_dc.SelectObject(m_old);
        m_bitmap.SetBitmapBits(static_cast<DWORD>(picture.pixels.size() * 4), picture.pixels.data());
        m_dc.SelectObject(&m_bitmap);
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old { nullptr };
    int m_width { 0 };
    int m_height { 0 };
    bool m_ok { false };
};

} // namespace

int ThemeIsActive() { return platform::IsVisualStyleActive(kTabClass) ? 1 : 0; }

int ThemeDrawBackground(CDC* pDC, int part, int state, const char* className, const CRect& rect)
{
    if (!pDC || !className || !*className)
        return 0;
    return platform::DrawVisualStylePart(pDC->GetSafeHdc(), className, part, state, rect) ? 1 : 0;
}

const platform::MessageMap* CThemeTabCtrl::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_PAINT, &CThemeTabCtrl::OnPaint>(),
        Message<WM_ERASEBKGND, &CThemeTabCtrl::OnEraseBkgnd>(),
        Message<WM_MOUSEMOVE, &CThemeTabCtrl::OnMouseMove>(),
        Message<WM_MOUSELEAVE, &CThemeTabCtrl::OnMouseLeave>(),
    };
    static constexpr platform::MessageMap kMap { &CTabCtrl::GetThisMessageMap, kEntries };
    return &kMap;
}

void CThemeTabCtrl::UpdateOrientation()
{
    const DWORD style = static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE));
    if (style & TCS_VERTICAL)
        m_nOrientation = (style & TCS_BOTTOM) ? kRight : kLeft;
    else
        m_nOrientation = (style & TCS_BOTTOM) ? kBottom : kTop;
}

int CThemeTabCtrl::IsThemed()
{
    if (!::IsWindow(m_hWnd))
        return 0;
    UpdateOrientation();
    return m_bTheme && ThemeIsActive() ? 1 : 0;
}

LRESULT CThemeTabCtrl::OnSelChanging()
{
    m_nPrevSel = GetCurSel();
    return 0;
}

LRESULT CThemeTabCtrl::OnSelChange()
{
    const int selection = GetCurSel();
    if (m_nPrevSel >= 0 && m_nPrevSel != selection && IsThemed()) {
        CRect tab;
        if (GetItemRect(m_nPrevSel, &tab)) {
            tab.InflateRect(2, 2);
            MapWindowPoints(GetParent(), &tab);
            GetParent()->InvalidateRect(&tab, TRUE);
        }
    }
    return 1;
}

// ---- hot tracking -----------------------------------------------------------------------------

int CThemeTabCtrl::HotItem() const
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    TCHITTESTINFO hit;
    hit.pt = cursor;
    return HitTest(&hit);
}

void CThemeTabCtrl::OnMouseMove(UINT, CPoint)
{
    Default();
    if (!IsThemed())
        return;
    const int hot = HotItem();
    if (hot == m_nHot)
        return;
    m_nHot = hot;
    TRACKMOUSEEVENT track {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&track);
    Invalidate(FALSE);
}

void CThemeTabCtrl::OnMouseLeave()
{
    if (m_nHot >= 0) {
        m_nHot = -1;
        Invalidate(FALSE);
    }
}

// ---- painting ---------------------------------------------------------------------------------

BOOL CThemeTabCtrl::OnEraseBkgnd(CDC*)
{
    // The themed paint covers the whole control off screen.
    if (IsThemed())
        return TRUE;
    return static_cast<BOOL>(Default());
}

void CThemeTabCtrl::OnPaint()
{
    if (!IsThemed()) {
        Default();
        return;
    }
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    PictureDC off(paint, client.Width(), client.Height());
    if (!off.Ok())
        return;
    CDC& dc = off.Dc();
    // The parent's background around the tabs, as the plain control shows it.
    HBRUSH background = nullptr;
    if (CWnd* parent = GetParent())
        background = reinterpret_cast<HBRUSH>(
            parent->SendMessage(WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), reinterpret_cast<LPARAM>(m_hWnd)));
    if (background)
        dc.FillRect(&client, CBrush::FromHandle(background));
    else
        dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));

    // The pane reaches to the display area on the side of the tabs.
    CRect display = client;
    AdjustRect(FALSE, &display);
    CRect pane = client;
    switch (m_nOrientation) {
    case kTop: pane.top = display.top - 2; break;
    case kBottom: pane.bottom = display.bottom + 3; break;
    case kLeft: pane.left = display.left - 1; break;
    default: pane.right = display.right + 3; break;
    }
    const int base = (m_nOrientation % 2 ? kMirrored : 0) | (m_nOrientation >= kLeft ? kVertical : 0);
    DrawThemesPart(dc, -1, pane, base | kPane);

    const int count = GetItemCount();
    if (count > 0) {
        const int hot = HotItem();
        const int selected = GetCurSel();
        for (int i = 0; i < count; ++i) {
            if (i == selected)
                continue;
            CRect tab;
            GetItemRect(i, &tab);
            if (m_nOrientation == kLeft)
                tab.right += 1;
            DrawThemesPart(dc, i, tab, base | (i == hot ? kHot : 0));
        }
        // The selected tab last, grown over its neighbours and the pane's edge.
        CRect tab;
        if (selected >= 0 && GetItemRect(selected, &tab)) {
            tab.InflateRect(2, 2);
            if (m_nOrientation == kTop)
                tab.bottom -= 1;
            DrawThemesPart(dc, selected, tab, base | kSelected);
        }
    }
    paint.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
}

// The part is drawn upright (header on top, tabs lying down when vertical) over what lies beneath
// it, turned the same way, then mirrored and turned back into place. Content is drawn where it
// reads: before the turn of a vertical tab (so its text runs along the tab), after the mirror of a
// bottom tab (so its text stays upright).
void CThemeTabCtrl::DrawThemesPart(CDC& dc, int item, const CRect& rect, int flags)
{
    if (rect.IsRectEmpty())
        return;
    const bool pane = flags & kPane;
    const bool selected = flags & kSelected;
    const bool mirrored = flags & kMirrored;
    const bool vertical = flags & kVertical;
    int width = rect.Width();
    int height = rect.Height();
    if (vertical)
        std::swap(width, height);

    // What lies beneath, in the upright picture's frame.
    PictureDC beneath(dc, rect.Width(), rect.Height());
    if (!beneath.Ok())
        return;
    beneath.Dc().BitBlt(0, 0, rect.Width(), rect.Height(), &dc, rect.left, rect.top, SRCCOPY);
    Picture picture = beneath.Read();
    if (vertical)
        picture.Turn(false);
    if (mirrored)
        picture.Mirror();

    // A selected tab reaches one pixel below its picture, into the pane.
    const int extra = selected ? 1 : 0;
    PictureDC upright(dc, width, height + extra);
    if (!upright.Ok())
        return;
    Picture tall { width, height + extra, std::vector<std::uint32_t>(static_cast<size_t>(width) * (height + extra)) };
    std::copy(picture.pixels.begin(), picture.pixels.end(), tall.pixels.begin());
    upright.Write(tall);
    const CRect local(0, 0, width, height + extra);
    const int state = pane ? 0 : selected ? kTabSelected : (flags & kHot) ? kTabHot : kTabNormal;
    if (!ThemeDrawBackground(&upright.Dc(), pane ? kPanePart : kTabPart, state, kTabClass, local))
        return;
    const CRect content(0, 0, width, height);
    if (!pane && !mirrored)
        DrawTabContent(upright.Dc(), content, item, flags);
    tall = upright.Read();
    tall.pixels.resize(static_cast<size_t>(width) * height);
    tall.height = height;
    picture = std::move(tall);
    if (mirrored) {
        picture.Mirror();
        if (!pane) {
            PictureDC flipped(dc, width, height);
            if (!flipped.Ok())
                return;
            flipped.Write(picture);
            DrawTabContent(flipped.Dc(), content, item, flags);
            picture = flipped.Read();
        }
    }
    if (vertical)
        picture.Turn(true);
    beneath.Write(picture);
    dc.BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &beneath.Dc(), 0, 0, SRCCOPY);
}

void CThemeTabCtrl::DrawTabContent(CDC& dc, const CRect& rect, int item, int flags)
{
    char text[kTextLimit + 1] = {};
    TCITEM info;
    info.mask = TCIF_TEXT | TCIF_IMAGE;
    info.pszText = text;
    info.cchTextMax = kTextLimit + 1;
    if (!GetItem(item, &info))
        return;
    const bool selected = flags & kSelected;
    const bool mirrored = flags & kMirrored;
    CRect r = rect;
    r.bottom += selected ? -1 : 2;
    r.left += mirrored ? 3 : 6;
    r.top += (mirrored ? 3 : 2) + (selected ? 1 : (mirrored ? 0 : 3));

    const int oldMode = dc.SetBkMode(TRANSPARENT);
    CImageList* images = GetImageList();
    if (images && info.iImage >= 0) {
        images->Draw(&dc, info.iImage, selected ? CPoint(r.left + 2, r.top) : CPoint(r.left, r.top - 2), ILD_TRANSPARENT);
        r.left += 19;
    } else {
        r.left -= 2;
    }
    CString label(text);
    if (!label.IsEmpty()) {
        // The font the control measured its tabs with: its own, else the controls' default.
        auto font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT));
        if (!font)
            font = reinterpret_cast<HGDIOBJ>(platform::ui::DefaultControlFont());
        HGDIOBJ oldFont = dc.SelectObject(font);
        r.right -= 3;
        r.OffsetRect(mirrored ? -1 : 0, selected ? 1 : -1);
        dc.SetTextColor(::GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        dc.DrawText(label, &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        dc.SelectObject(oldFont);
    }
    dc.SetBkMode(oldMode);
}

} // namespace tarlux

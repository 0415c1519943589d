// The "SysHeader32" window class and CHeaderCtrl. Items are drawn as raised buttons side by
// side from the left; the part right of the last item is an empty raised face.
#include "platform/ui/controls/HeaderCtrl.h"

#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ControlMetrics.h"
#include "platform/ui/controls/ControlWindow.h"

#include <algorithm>
#include <vector>

namespace platform::ui {

namespace {

constexpr int kTextMargin = 6;

struct HeaderItem
{
    CString text;
    int width { 0 };
    int format { HDF_LEFT | HDF_STRING };
    LPARAM data { 0 };
    int image { -1 };
};

class HeaderWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case HDM_GETITEMCOUNT: return static_cast<LRESULT>(m_items.size());
        case HDM_INSERTITEM: return Insert(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
        case HDM_DELETEITEM: return Delete(static_cast<int>(wParam));
        case HDM_GETITEM: return Get(static_cast<int>(wParam), reinterpret_cast<HDITEM*>(lParam));
        case HDM_SETITEM: return Set(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
        case HDM_GETITEMRECT: {
            if (!Valid(static_cast<int>(wParam)) || !lParam)
                return FALSE;
            *reinterpret_cast<RECT*>(lParam) = ItemRect(static_cast<int>(wParam));
            return TRUE;
        }
        case HDM_LAYOUT: return Layout(reinterpret_cast<HDLAYOUT*>(lParam));
        case HDM_HITTEST: {
            auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
            if (!info)
                return -1;
            info->iItem = ItemAt(CPoint(info->pt));
            info->flags = info->iItem >= 0 ? HHT_ONHEADER : HHT_NOWHERE;
            return info->iItem;
        }
        case HDM_SETIMAGELIST: {
            HIMAGELIST old = m_images;
            m_images = reinterpret_cast<HIMAGELIST>(lParam);
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case HDM_GETIMAGELIST: return reinterpret_cast<LRESULT>(m_images);
        case WM_LBUTTONDOWN: {
            int item = ItemAt(CPoint(lParam));
            if (item >= 0 && (Style() & HDS_BUTTONS)) {
                m_pressed = item;
                SetCapture(m_hwnd);
                Redraw();
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            int pressed = m_pressed;
            if (pressed < 0)
                return 0;
            m_pressed = -1;
            ReleaseCapture();
            Redraw();
            if (ItemAt(CPoint(lParam)) == pressed) {
                NMHEADER n;
                n.iItem = pressed;
                SendNotify(Parent(), m_hwnd, HDN_ITEMCLICK, n);
            }
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (m_pressed >= 0) {
                m_pressed = -1;
                Redraw();
            }
            return 0;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    bool Valid(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }

    CRect ItemRect(int index) const
    {
        int left = 0;
        for (int i = 0; i < index; ++i)
            left += m_items[static_cast<size_t>(i)].width;
        return CRect(left, 0, left + m_items[static_cast<size_t>(index)].width, Client().bottom);
    }

    int ItemAt(CPoint p) const
    {
        if (p.y < 0 || p.y >= Client().bottom || p.x < 0)
            return -1;
        int left = 0;
        for (size_t i = 0; i < m_items.size(); ++i) {
            left += m_items[i].width;
            if (p.x < left)
                return static_cast<int>(i);
        }
        return -1;
    }

    static void Apply(HeaderItem& item, const HDITEM& from)
    {
        if (from.mask & HDI_WIDTH)
            item.width = std::max(0, from.cxy);
        if ((from.mask & HDI_TEXT) && from.pszText)
            item.text = from.pszText;
        if (from.mask & HDI_FORMAT)
            item.format = from.fmt;
        if (from.mask & HDI_LPARAM)
            item.data = from.lParam;
        if (from.mask & HDI_IMAGE)
            item.image = from.iImage;
    }

    LRESULT Insert(int index, const HDITEM* from)
    {
        if (!from)
            return -1;
        index = std::clamp(index, 0, static_cast<int>(m_items.size()));
        HeaderItem item;
        Apply(item, *from);
        m_items.insert(m_items.begin() + index, std::move(item));
        Redraw();
        return index;
    }

    LRESULT Delete(int index)
    {
        if (!Valid(index))
            return FALSE;
        m_items.erase(m_items.begin() + index);
        Redraw();
        return TRUE;
    }

    LRESULT Get(int index, HDITEM* to) const
    {
        if (!Valid(index) || !to)
            return FALSE;
        const HeaderItem& item = m_items[static_cast<size_t>(index)];
        if (to->mask & HDI_WIDTH)
            to->cxy = item.width;
        if ((to->mask & HDI_TEXT) && to->pszText && to->cchTextMax > 0) {
            int n = std::min(item.text.GetLength(), to->cchTextMax - 1);
            std::copy_n(static_cast<LPCSTR>(item.text), n, to->pszText);
            to->pszText[n] = '\0';
        }
        if (to->mask & HDI_FORMAT)
            to->fmt = item.format;
        if (to->mask & HDI_LPARAM)
            to->lParam = item.data;
        if (to->mask & HDI_IMAGE)
            to->iImage = item.image;
        if (to->mask & HDI_ORDER)
            to->iOrder = index;
        return TRUE;
    }

    LRESULT Set(int index, const HDITEM* from)
    {
        if (!Valid(index) || !from)
            return FALSE;
        Apply(m_items[static_cast<size_t>(index)], *from);
        Redraw();
        NMHEADER n;
        n.iItem = index;
        n.pitem = const_cast<HDITEM*>(from);
        SendNotify(Parent(), m_hwnd, HDN_ITEMCHANGED, n);
        return TRUE;
    }

    LRESULT Layout(HDLAYOUT* layout) const
    {
        if (!layout || !layout->prc || !layout->pwpos)
            return FALSE;
        RECT& area = *layout->prc;
        int height = (Style() & WS_VISIBLE) ? HeaderHeight() : 0;
        *layout->pwpos = WINDOWPOS { m_hwnd, nullptr, area.left, area.top, area.right - area.left, height, 0 };
        area.top += height;
        return TRUE;
    }

    // ---- painting ----
    void Paint(CDC& dc) override
    {
        CRect client = Client();
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        int right = 0;
        for (size_t i = 0; i < m_items.size(); ++i) {
            CRect r = ItemRect(static_cast<int>(i));
            PaintItem(dc, m_items[i], r, static_cast<int>(i) == m_pressed);
            right = r.right;
        }
        CRect rest(right, 0, client.right, client.bottom);
        if (!rest.IsRectEmpty())
            dc.DrawEdge(&rest, EDGE_RAISED, BF_RECT);
    }

    void PaintItem(CDC& dc, const HeaderItem& item, CRect r, bool pressed)
    {
        CRect face = r;
        dc.DrawEdge(&face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
        if (pressed)
            face.OffsetRect(1, 1);
        face.DeflateRect(kTextMargin, 0);
        CImageList* images = ImageList();
        if ((item.format & HDF_IMAGE) && images && item.image >= 0 && item.image < images->GetImageCount())
            face = PaintImage(dc, *images, item, face);
        if (item.format & (HDF_STRING | HDF_LEFT)) {
            UINT align = (item.format & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                         : (item.format & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                           : DT_LEFT;
            dc.DrawText(item.text, &face, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }

    // Draws the item's image at the left or (HDF_BITMAP_ON_RIGHT) the right of `face` and
    // returns what is left for the text.
    static CRect PaintImage(CDC& dc, CImageList& images, const HeaderItem& item, CRect face)
    {
        int cx = 0;
        int cy = 0;
        images.GetIconSize(&cx, &cy);
        int y = face.top + (face.Height() - cy) / 2;
        if (item.format & HDF_BITMAP_ON_RIGHT) {
            CRect rest = face;
            rest.right -= cx + kTextMargin;
            images.Draw(&dc, item.image, CPoint(std::max(face.left, face.right - cx), y), ILD_TRANSPARENT);
            return rest;
        }
        images.Draw(&dc, item.image, CPoint(face.left, y), ILD_TRANSPARENT);
        face.left += cx + kTextMargin;
        return face;
    }

    CImageList* ImageList() const;

    std::vector<HeaderItem> m_items;
    HIMAGELIST m_images { nullptr };
    int m_pressed { -1 };
};

CImageList* HeaderWindow::ImageList() const
{
    return LinkedImageList(m_hwnd, kHeaderImageSlot, m_images);
}

} // namespace

void RegisterHeaderClass() { RegisterControlClass<HeaderWindow>(kHeaderClass); }

int HeaderHeight() { return FontCellHeight(nullptr, nullptr) + 7; }

} // namespace platform::ui

// ---- CHeaderCtrl ----

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterHeaderClass();
    return CWnd::Create(platform::ui::kHeaderClass, "", dwStyle, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi)
{
    return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
}
BOOL CHeaderCtrl::DeleteItem(int nPos) { return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos))); }
BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
}
BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
{
    return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)));
}
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}
BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout)
{
    return static_cast<BOOL>(SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout)));
}
int CHeaderCtrl::HitTest(HDHITTESTINFO* pHeaderHitTestInfo)
{
    return static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(pHeaderHitTestInfo)));
}
CImageList* CHeaderCtrl::SetImageList(CImageList* pImageList)
{
    CImageList* old = GetImageList();
    platform::ui::LinkImageList(m_hWnd, platform::ui::kHeaderImageSlot, pImageList);
    SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return old;
}
CImageList* CHeaderCtrl::GetImageList() const
{
    return platform::ui::LinkedImageList(m_hWnd, platform::ui::kHeaderImageSlot,
                                         reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)));
}

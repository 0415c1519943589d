// The "SysListView32" window class (report mode) and CListCtrl.
#include "platform/ui/controls/ListCtrl.h"

#include "platform/core/StableSort.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlMetrics.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"

#include <algorithm>
#include <memory>
#include <numeric>

namespace platform::ui {

namespace {

constexpr int kCellMargin = 6;
constexpr int kCheckSize = 13;
constexpr const char* kSmallImageSlot = "platform.listview.small";
constexpr const char* kStateImageSlot = "platform.listview.state";
constexpr UINT kHeaderId = 0;

struct ListItem
{
    std::vector<CString> texts; // by sub-item
    int image { -1 };
    LPARAM data { 0 };
    UINT state { 0 };
    int indent { 0 };

    const CString& Text(int subItem) const
    {
        static const CString empty;
        return subItem >= 0 && static_cast<size_t>(subItem) < texts.size() ? texts[static_cast<size_t>(subItem)] : empty;
    }
    void SetText(int subItem, LPCSTR text)
    {
        if (subItem < 0)
            return;
        if (static_cast<size_t>(subItem) >= texts.size())
            texts.resize(static_cast<size_t>(subItem) + 1);
        texts[static_cast<size_t>(subItem)] = text ? text : "";
    }
};

struct ListColumn
{
    CString text;
    int width { 0 };
    int format { LVCFMT_LEFT };
    int subItem { 0 };
    int image { -1 };
};

void CopyText(const CString& text, LPSTR to, int size)
{
    if (!to || size <= 0)
        return;
    int n = std::min(text.GetLength(), size - 1);
    std::copy_n(static_cast<LPCSTR>(text), n, to);
    to[n] = '\0';
}

class ListViewWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE: CreateHeader(); return 0;
        case WM_SIZE: LayoutHeader(); UpdateScrollBars(); return 0;
        case WM_SETREDRAW: {
            // Drawing off (a list being filled): rows come and go without measuring or
            // invalidating anything; the bars are settled once drawing is on again.
            const LRESULT result = ControlWindow::Handle(message, wParam, lParam);
            m_drawing = wParam != 0;
            if (m_drawing && m_barsStale) {
                UpdateScrollBars();
                Redraw();
            }
            return result;
        }
        case WM_SETFONT:
            ControlWindow::Handle(message, wParam, lParam);
            m_fontHeightValid = false;
            if (m_header)
                ::SendMessage(m_header, WM_SETFONT, wParam, lParam);
            LayoutHeader();
            return 0;
        case WM_NOTIFY: return HeaderNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS: Redraw(); NotifyCode(NM_SETFOCUS); return 0;
        case WM_KILLFOCUS: Redraw(); NotifyCode(NM_KILLFOCUS); return 0;
        case WM_LBUTTONDOWN: MouseDown(CPoint(lParam), static_cast<UINT>(wParam), false); return 0;
        case WM_RBUTTONDOWN: MouseDown(CPoint(lParam), static_cast<UINT>(wParam), true); return 0;
        case WM_LBUTTONUP: MouseUp(CPoint(lParam), static_cast<UINT>(wParam), NM_CLICK); return 0;
        case WM_RBUTTONUP: MouseUp(CPoint(lParam), static_cast<UINT>(wParam), NM_RCLICK); return 0;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: {
            CPoint p(lParam);
            MouseDown(p, static_cast<UINT>(wParam), message == WM_RBUTTONDBLCLK);
            m_pressed = false;
            ReleaseCapture();
            SendActivate(message == WM_LBUTTONDBLCLK ? NM_DBLCLK : NM_RDBLCLK, p, static_cast<UINT>(wParam));
            return 0;
        }
        case WM_CAPTURECHANGED: m_pressed = false; return 0;
        case WM_KEYDOWN: KeyDown(static_cast<int>(wParam)); return 0;
        case WM_VSCROLL: VScroll(LOWORD(wParam)); return 0;
        case WM_HSCROLL: HScroll(LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: ScrollRows(-GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3); return 0;
        case WM_DESTROY: DeleteAll(); return ControlWindow::Handle(message, wParam, lParam);

        case LVM_GETITEMCOUNT: return static_cast<LRESULT>(m_items.size());
        case LVM_SETITEMCOUNT: m_items.reserve(static_cast<size_t>(std::max<WPARAM>(0, wParam))); return TRUE;
        case LVM_INSERTITEM: return Insert(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_DELETEITEM: return Delete(static_cast<int>(wParam));
        case LVM_DELETEALLITEMS: return DeleteAll();
        case LVM_GETITEM: return GetItem(reinterpret_cast<LVITEM*>(lParam));
        case LVM_SETITEM: return SetItem(reinterpret_cast<const LVITEM*>(lParam));
        case LVM_SETITEMTEXT: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            if (!item || !Valid(static_cast<int>(wParam)))
                return FALSE;
            At(static_cast<int>(wParam)).SetText(item->iSubItem, item->pszText);
            RedrawItem(static_cast<int>(wParam));
            return TRUE;
        }
        case LVM_GETITEMTEXT: {
            auto* item = reinterpret_cast<LVITEM*>(lParam);
            if (!item || !Valid(static_cast<int>(wParam)))
                return 0;
            const CString& text = At(static_cast<int>(wParam)).Text(item->iSubItem);
            CopyText(text, item->pszText, item->cchTextMax);
            return item->cchTextMax > 0 ? std::min(text.GetLength(), item->cchTextMax - 1) : 0;
        }
        case LVM_SETITEMSTATE: {
            auto* item = reinterpret_cast<const LVITEM*>(lParam);
            if (!item)
                return FALSE;
            int index = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (index == -1) {
                bool all = true;
                for (int i = 0; i < Count(); ++i)
                    all = ChangeState(i, item->state, item->stateMask) && all;
                return all;
            }
            return Valid(index) && ChangeState(index, item->state, item->stateMask);
        }
        case LVM_GETITEMSTATE:
            return Valid(static_cast<int>(wParam)) ? At(static_cast<int>(wParam)).state & static_cast<UINT>(lParam) : 0;
        case LVM_GETNEXTITEM: return NextItem(static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<UINT>(lParam));
        case LVM_GETSELECTEDCOUNT:
            return std::count_if(m_items.begin(), m_items.end(), [](auto& i) { return (i->state & LVIS_SELECTED) != 0; });
        case LVM_GETSELECTIONMARK: return m_mark;
        case LVM_SETSELECTIONMARK: return std::exchange(m_mark, static_cast<int>(lParam));
        case LVM_FINDITEM: return Find(static_cast<int>(static_cast<INT_PTR>(wParam)), reinterpret_cast<const LVFINDINFO*>(lParam));
        case LVM_SORTITEMS: return Sort(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));

        case LVM_INSERTCOLUMN: return InsertColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_DELETECOLUMN: return DeleteColumn(static_cast<int>(wParam));
        case LVM_GETCOLUMN: return GetColumn(static_cast<int>(wParam), reinterpret_cast<LVCOLUMN*>(lParam));
        case LVM_SETCOLUMN: return SetColumn(static_cast<int>(wParam), reinterpret_cast<const LVCOLUMN*>(lParam));
        case LVM_GETCOLUMNWIDTH: return ValidColumn(static_cast<int>(wParam)) ? m_columns[wParam].width : 0;
        case LVM_SETCOLUMNWIDTH: return SetColumnWidth(static_cast<int>(wParam), static_cast<int>(static_cast<short>(LOWORD(lParam))));
        case LVM_GETHEADER: return reinterpret_cast<LRESULT>(m_header);

        case LVM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect || !Valid(static_cast<int>(wParam)))
                return FALSE;
            *rect = ItemPart(static_cast<int>(wParam), rect->left);
            return TRUE;
        }
        case LVM_GETSUBITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect || !Valid(static_cast<int>(wParam)))
                return FALSE;
            int column = ColumnOfSubItem(rect->top);
            if (rect->top != 0 && column < 0)
                return FALSE;
            *rect = rect->top == 0 ? ItemPart(static_cast<int>(wParam), rect->left) : CellRect(static_cast<int>(wParam), column);
            return TRUE;
        }
        case LVM_HITTEST:
        case LVM_SUBITEMHITTEST: {
            auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
            return info ? HitTest(*info) : -1;
        }
        case LVM_ENSUREVISIBLE: return EnsureVisible(static_cast<int>(wParam));
        case LVM_SCROLL:
            ScrollRows(RowsFor(static_cast<int>(lParam)));
            ScrollPixels(static_cast<int>(wParam));
            return TRUE;
        case LVM_GETTOPINDEX: return m_top;
        case LVM_GETCOUNTPERPAGE: return PerPage();
        case LVM_REDRAWITEMS:
        case LVM_UPDATE: Redraw(); return TRUE;
        case LVM_GETSTRINGWIDTH: return lParam ? TextWidth(reinterpret_cast<LPCSTR>(lParam)) : 0;

        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            DWORD old = m_exStyle;
            DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
            m_exStyle = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
            if ((m_exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
                for (auto& item : m_items)
                    if (!(item->state & LVIS_STATEIMAGEMASK))
                        item->state |= INDEXTOSTATEIMAGEMASK(1);
            Redraw();
            return old;
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE: return m_exStyle;
        case LVM_SETIMAGELIST: {
            HIMAGELIST* slot = wParam == static_cast<WPARAM>(LVSIL_STATE) ? &m_stateImages : &m_smallImages;
            HIMAGELIST old = std::exchange(*slot, reinterpret_cast<HIMAGELIST>(lParam));
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case LVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == static_cast<WPARAM>(LVSIL_STATE) ? m_stateImages : m_smallImages);
        case LVM_SETBKCOLOR: m_background = static_cast<COLORREF>(lParam); Redraw(); return TRUE;
        case LVM_GETBKCOLOR: return m_background;
        case LVM_SETTEXTCOLOR: m_textColor = static_cast<COLORREF>(lParam); Redraw(); return TRUE;
        case LVM_GETTEXTCOLOR: return m_textColor;
        case LVM_SETTEXTBKCOLOR: m_textBackground = static_cast<COLORREF>(lParam); Redraw(); return TRUE;
        case LVM_GETTEXTBKCOLOR: return m_textBackground;
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    // ---- items ----
    int Count() const { return static_cast<int>(m_items.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    ListItem& At(int index) { return *m_items[static_cast<size_t>(index)]; }
    const ListItem& At(int index) const { return *m_items[static_cast<size_t>(index)]; }
    bool Checkboxes() const { return (m_exStyle & LVS_EX_CHECKBOXES) != 0; }

    LRESULT Insert(const LVITEM* from)
    {
        if (!from || m_sorting)
            return -1;
        auto item = std::make_unique<ListItem>();
        // Room for every column's text at once: rows are filled column after column.
        item->texts.reserve(std::max<size_t>(1, m_columns.size()));
        if (from->mask & LVIF_TEXT)
            item->SetText(0, from->pszText);
        if (from->mask & LVIF_IMAGE)
            item->image = from->iImage;
        if (from->mask & LVIF_PARAM)
            item->data = from->lParam;
        if (from->mask & LVIF_INDENT)
            item->indent = from->iIndent;
        if (from->mask & LVIF_STATE)
            item->state = from->state & from->stateMask;
        if (Checkboxes() && !(item->state & LVIS_STATEIMAGEMASK))
            item->state |= INDEXTOSTATEIMAGEMASK(1);
        if ((Style() & LVS_SINGLESEL) && (item->state & LVIS_SELECTED))
            for (auto& other : m_items)
                other->state &= ~LVIS_SELECTED;
        int index = std::clamp(from->iItem, 0, Count());
        m_items.insert(m_items.begin() + index, std::move(item));
        if (m_mark >= index)
            ++m_mark;
        if (m_anchor >= index)
            ++m_anchor;
        UpdateScrollBars();
        Redraw();
        NMLISTVIEW n;
        n.iItem = index;
        n.lParam = At(index).data;
        Send(LVN_INSERTITEM, n);
        return index;
    }

    LRESULT Delete(int index)
    {
        if (!Valid(index) || m_sorting)
            return FALSE;
        NMLISTVIEW n;
        n.iItem = index;
        n.lParam = At(index).data;
        Send(LVN_DELETEITEM, n);
        // The parent may have changed the list while it was told; look again.
        if (!Valid(index) || m_sorting)
            return FALSE;
        m_items.erase(m_items.begin() + index);
        AfterRemoval(index);
        return TRUE;
    }

    void AfterRemoval(int index)
    {
        auto shift = [&](int& at) {
            if (at == index)
                at = -1;
            else if (at > index)
                --at;
        };
        shift(m_mark);
        shift(m_anchor);
        m_top = std::clamp(m_top, 0, std::max(0, Count() - PerPage()));
        UpdateScrollBars();
        Redraw();
    }

    LRESULT DeleteAll()
    {
        if (m_sorting)
            return FALSE;
        if (m_items.empty())
            return TRUE;
        NMLISTVIEW all;
        all.iItem = -1;
        bool quiet = Send(LVN_DELETEALLITEMS, all) != 0;
        // Taken out first, so that a parent that touches the list while hearing of a deletion
        // finds it already empty.
        auto items = std::move(m_items);
        m_items.clear();
        if (!quiet)
            for (size_t i = 0; i < items.size(); ++i) {
                NMLISTVIEW n;
                n.iItem = static_cast<int>(i);
                n.lParam = items[i]->data;
                Send(LVN_DELETEITEM, n);
            }
        m_mark = m_anchor = -1;
        m_top = 0;
        UpdateScrollBars();
        Redraw();
        return TRUE;
    }

    LRESULT GetItem(LVITEM* to) const
    {
        if (!to || !Valid(to->iItem))
            return FALSE;
        const ListItem& item = At(to->iItem);
        if (to->mask & LVIF_TEXT)
            CopyText(item.Text(to->iSubItem), to->pszText, to->cchTextMax);
        if (to->mask & LVIF_IMAGE)
            to->iImage = item.image;
        if (to->mask & LVIF_PARAM)
            to->lParam = item.data;
        if (to->mask & LVIF_STATE)
            to->state = item.state & to->stateMask;
        if (to->mask & LVIF_INDENT)
            to->iIndent = item.indent;
        return TRUE;
    }

    LRESULT SetItem(const LVITEM* from)
    {
        if (!from || !Valid(from->iItem))
            return FALSE;
        ListItem& item = At(from->iItem);
        if (from->mask & LVIF_TEXT)
            item.SetText(from->iSubItem, from->pszText);
        if (from->iSubItem == 0) {
            if (from->mask & LVIF_IMAGE)
                item.image = from->iImage;
            if (from->mask & LVIF_PARAM)
                item.data = from->lParam;
            if (from->mask & LVIF_INDENT)
                item.indent = from->iIndent;
        }
        // The item's data is not drawn: a list whose data changes (a sort's records) repaints
        // nothing.
        if (from->mask & (LVIF_TEXT | LVIF_IMAGE | LVIF_INDENT))
            RedrawItem(from->iItem);
        if ((from->mask & LVIF_STATE) && from->iSubItem == 0)
            return ChangeState(from->iItem, from->state, from->stateMask);
        return TRUE;
    }

    // Sets the state bits of `mask` to `state`, with LVN_ITEMCHANGING (which may refuse) before
    // and LVN_ITEMCHANGED after. A single-selection list unselects the others first.
    bool ChangeState(int index, UINT state, UINT mask)
    {
        if (!Valid(index))
            return false;
        UINT old = At(index).state;
        UINT wanted = (old & ~mask) | (state & mask);
        if (wanted == old)
            return true;
        if ((wanted & LVIS_SELECTED) && !(old & LVIS_SELECTED) && (Style() & LVS_SINGLESEL))
            for (int i = 0; i < Count(); ++i)
                if (i != index && (At(i).state & LVIS_SELECTED))
                    ChangeState(i, 0, LVIS_SELECTED);
        if ((wanted & LVIS_FOCUSED) && !(old & LVIS_FOCUSED))
            for (int i = 0; i < Count(); ++i)
                if (i != index && (At(i).state & LVIS_FOCUSED))
                    ChangeState(i, 0, LVIS_FOCUSED);
        if (!Valid(index))
            return false;
        old = At(index).state;
        wanted = (old & ~mask) | (state & mask);
        NMLISTVIEW n;
        n.iItem = index;
        n.uChanged = LVIF_STATE;
        n.uOldState = old;
        n.uNewState = wanted;
        n.lParam = At(index).data;
        if (Send(LVN_ITEMCHANGING, n) != 0 || !Valid(index))
            return false;
        At(index).state = wanted;
        RedrawItem(index);
        n.lParam = At(index).data;
        Send(LVN_ITEMCHANGED, n);
        return true;
    }

    int NextItem(int start, UINT flags) const
    {
        UINT need = flags & (LVNI_SELECTED | LVNI_FOCUSED);
        auto matches = [&](int i) { return (At(i).state & need) == need; };
        if (flags & LVNI_ABOVE) {
            for (int i = std::min(start, Count()) - 1; i >= 0; --i)
                if (matches(i))
                    return i;
            return -1;
        }
        int first = start < 0 ? 0 : start + 1;
        for (int i = first; i < Count(); ++i)
            if (matches(i))
                return i;
        return -1;
    }

    int Find(int start, const LVFINDINFO* info) const
    {
        if (!info)
            return -1;
        for (int i = std::max(0, start + 1); i < Count(); ++i) {
            const ListItem& item = At(i);
            if ((info->flags & LVFI_PARAM) && item.data == info->lParam)
                return i;
            if ((info->flags & (LVFI_STRING | LVFI_PARTIAL)) && info->psz) {
                CString text = item.Text(0);
                CString wanted = info->psz;
                if (info->flags & LVFI_PARTIAL)
                    text = text.Left(wanted.GetLength());
                if (text.CompareNoCase(wanted) == 0)
                    return i;
            }
        }
        return -1;
    }

    LRESULT Sort(PFNLVCOMPARE compare, LPARAM user)
    {
        if (!compare || m_sorting)
            return FALSE;
        std::vector<size_t> order(m_items.size());
        std::iota(order.begin(), order.end(), size_t { 0 });
        // Nothing can be inserted or deleted while the callback runs (see Insert and Delete),
        // so the indexes stay valid.
        m_sorting = true;
        platform::StableMergeSort(order, [&](size_t a, size_t b) { return compare(m_items[a]->data, m_items[b]->data, user) < 0; });
        m_sorting = false;
        std::vector<std::unique_ptr<ListItem>> sorted;
        sorted.reserve(order.size());
        for (size_t index : order)
            sorted.push_back(std::move(m_items[index]));
        m_items = std::move(sorted);
        Redraw();
        return TRUE;
    }

    // ---- columns ----
    bool ValidColumn(int index) const { return index >= 0 && index < static_cast<int>(m_columns.size()); }

    int ColumnOfSubItem(int subItem) const
    {
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].subItem == subItem)
                return static_cast<int>(c);
        return -1;
    }

    void SyncHeaderItem(int index, bool insert)
    {
        if (!m_header)
            return;
        const ListColumn& column = m_columns[static_cast<size_t>(index)];
        HDITEM hd;
        hd.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
        hd.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(column.text));
        hd.cxy = column.width;
        hd.fmt = (column.format & LVCFMT_JUSTIFYMASK) | HDF_STRING | (column.format & (LVCFMT_IMAGE | LVCFMT_BITMAP_ON_RIGHT));
        hd.iImage = column.image;
        m_syncingHeader = true;
        ::SendMessage(m_header, insert ? HDM_INSERTITEM : HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&hd));
        m_syncingHeader = false;
    }

    LRESULT InsertColumn(int index, const LVCOLUMN* from)
    {
        if (!from)
            return -1;
        index = std::clamp(index, 0, static_cast<int>(m_columns.size()));
        ListColumn column;
        column.subItem = (from->mask & LVCF_SUBITEM) ? from->iSubItem : index;
        ApplyColumn(column, *from);
        m_columns.insert(m_columns.begin() + index, column);
        SyncHeaderItem(index, true);
        Redraw();
        return index;
    }

    static void ApplyColumn(ListColumn& column, const LVCOLUMN& from)
    {
        if ((from.mask & LVCF_TEXT) && from.pszText)
            column.text = from.pszText;
        if (from.mask & LVCF_WIDTH)
            column.width = std::max(0, from.cx);
        if (from.mask & LVCF_FMT)
            column.format = from.fmt;
        if (from.mask & LVCF_IMAGE)
            column.image = from.iImage;
        if (from.mask & LVCF_SUBITEM)
            column.subItem = from.iSubItem;
    }

    LRESULT DeleteColumn(int index)
    {
        if (!ValidColumn(index))
            return FALSE;
        m_columns.erase(m_columns.begin() + index);
        if (m_header)
            ::SendMessage(m_header, HDM_DELETEITEM, static_cast<WPARAM>(index), 0);
        Redraw();
        return TRUE;
    }

    LRESULT GetColumn(int index, LVCOLUMN* to) const
    {
        if (!to || !ValidColumn(index))
            return FALSE;
        const ListColumn& column = m_columns[static_cast<size_t>(index)];
        if (to->mask & LVCF_TEXT)
            CopyText(column.text, to->pszText, to->cchTextMax);
        if (to->mask & LVCF_WIDTH)
            to->cx = column.width;
        if (to->mask & LVCF_FMT)
            to->fmt = column.format;
        if (to->mask & LVCF_IMAGE)
            to->iImage = column.image;
        if (to->mask & LVCF_SUBITEM)
            to->iSubItem = column.subItem;
        if (to->mask & LVCF_ORDER)
            to->iOrder = index;
        return TRUE;
    }

    LRESULT SetColumn(int index, const LVCOLUMN* from)
    {
        if (!from || !ValidColumn(index))
            return FALSE;
        ApplyColumn(m_columns[static_cast<size_t>(index)], *from);
        SyncHeaderItem(index, false);
        Redraw();
        return TRUE;
    }

    LRESULT SetColumnWidth(int index, int width)
    {
        if (!ValidColumn(index))
            return FALSE;
        ListColumn& column = m_columns[static_cast<size_t>(index)];
        if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER) {
            int widest = width == LVSCW_AUTOSIZE_USEHEADER ? TextWidth(column.text) + 2 * kCellMargin : 0;
            for (auto& item : m_items)
                widest = std::max(widest, TextWidth(item->Text(column.subItem)) + 2 * kCellMargin);
            if (index == 0)
                widest += LeadingWidth();
            width = widest;
        }
        column.width = std::max(0, width);
        SyncHeaderItem(index, false);
        UpdateScrollBars();
        Redraw();
        return TRUE;
    }

    // ---- header ----
    void CreateHeader()
    {
        RegisterHeaderClass();
        DWORD style = WS_CHILD | HDS_BUTTONS;
        if ((Style() & LVS_TYPEMASK) == LVS_REPORT && !(Style() & LVS_NOCOLUMNHEADER))
            style |= WS_VISIBLE;
        if (Style() & LVS_NOSORTHEADER)
            style &= ~HDS_BUTTONS;
        m_header = CreateWindowEx(0, kHeaderClass, "", style, 0, 0, 0, 0, m_hwnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kHeaderId)), nullptr, nullptr);
        LayoutHeader();
    }

    void LayoutHeader()
    {
        if (!m_header)
            return;
        CRect client = Client();
        client.left -= m_scrollX;
        WINDOWPOS pos;
        HDLAYOUT layout { &client, &pos };
        ::SendMessage(m_header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout));
        MoveWindow(m_header, pos.x, pos.y, pos.cx, pos.cy, TRUE);
        m_headerHeight = pos.cy;
    }

    LRESULT HeaderNotify(NMHDR* header)
    {
        if (!header || header->hwndFrom != m_header)
            return 0;
        auto* n = reinterpret_cast<NMHEADER*>(header);
        if (header->code == HDN_ITEMCLICK) {
            NMLISTVIEW click;
            click.iItem = -1;
            click.iSubItem = n->iItem;
            Send(LVN_COLUMNCLICK, click);
        } else if (header->code == HDN_ITEMCHANGED && !m_syncingHeader && n->pitem && (n->pitem->mask & HDI_WIDTH)
                   && ValidColumn(n->iItem)) {
            m_columns[static_cast<size_t>(n->iItem)].width = n->pitem->cxy;
            UpdateScrollBars();
            Redraw();
        }
        return 0;
    }

    // ---- geometry ----
    int RowHeight() const
    {
        int height = FontHeight() + 4;
        if (CImageList* images = SmallImages()) {
            int cx = 0;
            int cy = 0;
            images->GetIconSize(&cx, &cy);
            height = std::max(height, cy + 1);
        }
        return std::max(height, Checkboxes() ? kCheckSize + 3 : 0);
    }

    // Measured once per font: rows, pages and scroll ranges ask for it on every item change.
    int FontHeight() const
    {
        const HFONT font = Font();
        if (!m_fontHeightValid || font != m_heightFont) {
            m_fontHeight = FontCellHeight(m_hwnd, font);
            m_heightFont = font;
            m_fontHeightValid = true;
        }
        return m_fontHeight;
    }
    int TextWidth(const CString& text) const { return FontTextWidth(m_hwnd, Font(), text); }

    int TotalWidth() const
    {
        int width = 0;
        for (auto& column : m_columns)
            width += column.width;
        return width;
    }

    int ColumnLeft(int column) const
    {
        int left = -m_scrollX;
        for (int c = 0; c < column; ++c)
            left += m_columns[static_cast<size_t>(c)].width;
        return left;
    }

    int RowTop(int index) const { return m_headerHeight + (index - m_top) * RowHeight(); }
    int PerPage() const { return std::max(1, (Client().Height() - m_headerHeight) / std::max(1, RowHeight())); }
    int RowsFor(int pixels) const { return pixels == 0 ? 0 : (pixels + (pixels > 0 ? RowHeight() - 1 : -(RowHeight() - 1))) / RowHeight(); }

    CRect RowRect(int index) const
    {
        int top = RowTop(index);
        return CRect(-m_scrollX, top, -m_scrollX + TotalWidth(), top + RowHeight());
    }

    CRect CellRect(int index, int column) const
    {
        int top = RowTop(index);
        int left = ColumnLeft(column);
        return CRect(left, top, left + m_columns[static_cast<size_t>(column)].width, top + RowHeight());
    }

    // Check box and small image before the first column's text.
    int LeadingWidth() const
    {
        int width = 0;
        if (Checkboxes())
            width += kCheckSize + 4;
        if (CImageList* images = SmallImages()) {
            int cx = 0;
            int cy = 0;
            images->GetIconSize(&cx, &cy);
            width += cx + 2;
        }
        return width;
    }

    CRect CheckRect(int index) const
    {
        CRect row = RowRect(index);
        int y = row.top + (row.Height() - kCheckSize) / 2;
        return CRect(row.left + 2, y, row.left + 2 + kCheckSize, y + kCheckSize);
    }

    CRect IconRect(int index) const
    {
        CRect row = RowRect(index);
        int left = row.left + (Checkboxes() ? kCheckSize + 4 : 0);
        int cx = 0;
        int cy = 0;
        if (CImageList* images = SmallImages())
            images->GetIconSize(&cx, &cy);
        return CRect(left, row.top, left + cx, row.bottom);
    }

    CRect LabelRect(int index) const
    {
        CRect first = m_columns.empty() ? RowRect(index) : CellRect(index, 0);
        first.left += LeadingWidth();
        if (m_columns.empty())
            first.right = first.left + TextWidth(At(index).Text(0)) + 2 * kCellMargin;
        return first;
    }

    CRect ItemPart(int index, int code) const
    {
        switch (code) {
        case LVIR_ICON: return IconRect(index);
        case LVIR_LABEL: return LabelRect(index);
        case LVIR_SELECTBOUNDS:
            if (!(m_exStyle & LVS_EX_FULLROWSELECT)) {
                CRect r = LabelRect(index);
                r.left = IconRect(index).left;
                return r;
            }
            return RowRect(index);
        default: return RowRect(index);
        }
    }

    int HitTest(LVHITTESTINFO& info) const
    {
        info.iItem = -1;
        info.iSubItem = 0;
        info.flags = LVHT_NOWHERE;
        CPoint p(info.pt);
        if (p.y < m_headerHeight) {
            info.flags = LVHT_ABOVE;
            return -1;
        }
        int index = m_top + (p.y - m_headerHeight) / RowHeight();
        if (!Valid(index))
            return -1;
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (CellRect(index, static_cast<int>(c)).PtInRect(p))
                info.iSubItem = m_columns[c].subItem;
        if (Checkboxes() && CheckRect(index).PtInRect(p))
            info.flags = LVHT_ONITEMSTATEICON;
        else if (SmallImages() && IconRect(index).PtInRect(p))
            info.flags = LVHT_ONITEMICON;
        else if (LabelRect(index).PtInRect(p) || ((m_exStyle & LVS_EX_FULLROWSELECT) && RowRect(index).PtInRect(p)))
            info.flags = LVHT_ONITEMLABEL;
        else
            return -1;
        info.iItem = index;
        return index;
    }

    // ---- scrolling ----
    // The list keeps its own bars: each shows exactly while the rows (or the columns) do not fit,
    // whatever styles the template gave; LVS_NOSCROLL keeps both off.
    void UpdateScrollBars()
    {
        if (!m_drawing) {
            m_barsStale = true;
            return;
        }
        m_barsStale = false;
        SettleScrollBars(m_hwnd, m_settlingBars, [this] { SetScrollBars(); });
    }

    void SetScrollBars()
    {
        if (Style() & LVS_NOSCROLL) {
            ShowScrollBar(m_hwnd, SB_BOTH, FALSE);
            return;
        }
        // A larger client area (or fewer rows) may leave nothing to scroll back to.
        int top = std::clamp(m_top, 0, std::max(0, Count() - PerPage()));
        int x = std::clamp(m_scrollX, 0, std::max(0, TotalWidth() - Client().Width()));
        if (top != m_top || x != m_scrollX) {
            m_top = top;
            m_scrollX = x;
            LayoutHeader();
            Redraw();
        }
        SetOwnScrollBar(m_hwnd, SB_VERT, std::max(0, Count() - 1), PerPage(), m_top);
        SetOwnScrollBar(m_hwnd, SB_HORZ, std::max(0, TotalWidth() - 1), std::max(0, Client().Width()), m_scrollX);
    }

    void ScrollRows(int rows)
    {
        int top = std::clamp(m_top + rows, 0, std::max(0, Count() - PerPage()));
        if (top == m_top)
            return;
        m_top = top;
        UpdateScrollBars();
        Redraw();
    }

    void ScrollPixels(int dx)
    {
        int x = std::clamp(m_scrollX + dx, 0, std::max(0, TotalWidth() - Client().Width()));
        if (x == m_scrollX)
            return;
        m_scrollX = x;
        LayoutHeader();
        UpdateScrollBars();
        Redraw();
    }

    int TrackPos(int bar) const
    {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(m_hwnd, bar, &si);
        return si.nTrackPos;
    }

    void VScroll(UINT code) { ScrollRows(RowScrollDelta(m_hwnd, SB_VERT, code, m_top, PerPage(), Count())); }

    void HScroll(UINT code)
    {
        switch (code) {
        case SB_LINELEFT: ScrollPixels(-kCellMargin * 2); break;
        case SB_LINERIGHT: ScrollPixels(kCellMargin * 2); break;
        case SB_PAGELEFT: ScrollPixels(-Client().Width()); break;
        case SB_PAGERIGHT: ScrollPixels(Client().Width()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollPixels(TrackPos(SB_HORZ) - m_scrollX); break;
        default: break;
        }
    }

    LRESULT EnsureVisible(int index)
    {
        if (!Valid(index))
            return FALSE;
        if (index < m_top)
            ScrollRows(index - m_top);
        else if (index >= m_top + PerPage())
            ScrollRows(index - (m_top + PerPage() - 1));
        return TRUE;
    }

    // ---- selection by the user ----
    static bool KeyHeld(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

    int Focused() const { return NextItem(-1, LVNI_FOCUSED); }

    // Selects exactly the items in [from, to] (either order), or adds them with `keepOthers`.
    void SelectRange(int from, int to, bool keepOthers)
    {
        if (from > to)
            std::swap(from, to);
        for (int i = 0; i < Count(); ++i) {
            bool inside = i >= from && i <= to;
            if (inside)
                ChangeState(i, LVIS_SELECTED, LVIS_SELECTED);
            else if (!keepOthers)
                ChangeState(i, 0, LVIS_SELECTED);
        }
    }

    void SelectOnly(int index)
    {
        for (int i = 0; i < Count(); ++i)
            if (i != index)
                ChangeState(i, 0, LVIS_SELECTED);
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    // The selection rules of a click or a caret move to `index`.
    void SelectByUser(int index, bool shift, bool control)
    {
        bool single = (Style() & LVS_SINGLESEL) != 0;
        if (single || (!shift && !control)) {
            SelectOnly(index);
            m_mark = m_anchor = index;
            return;
        }
        if (shift) {
            int anchor = Valid(m_anchor) ? m_anchor : (Valid(Focused()) ? Focused() : index);
            SelectRange(anchor, index, control);
            ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
            m_anchor = anchor;
            m_mark = index;
            return;
        }
        UINT selected = (Valid(index) && (At(index).state & LVIS_SELECTED)) ? 0 : LVIS_SELECTED;
        ChangeState(index, selected | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_mark = m_anchor = index;
    }

    void ToggleCheck(int index)
    {
        UINT image = (At(index).state & LVIS_STATEIMAGEMASK) >> 12;
        ChangeState(index, INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2), LVIS_STATEIMAGEMASK);
    }

    void MouseDown(CPoint p, UINT keys, bool right)
    {
        SetFocus(m_hwnd);
        LVHITTESTINFO info;
        info.pt = p;
        int index = HitTest(info);
        m_pressed = true;
        m_pressItem = index;
        SetCapture(m_hwnd);
        if (index < 0) {
            if (!(keys & (MK_SHIFT | MK_CONTROL)) && !right)
                for (int i = 0; i < Count(); ++i)
                    ChangeState(i, 0, LVIS_SELECTED);
            return;
        }
        if (!right && info.flags == LVHT_ONITEMSTATEICON) {
            ToggleCheck(index);
            return;
        }
        if (right && Valid(index) && (At(index).state & LVIS_SELECTED)) {
            ChangeState(index, LVIS_FOCUSED, LVIS_FOCUSED);
            return;
        }
        SelectByUser(index, (keys & MK_SHIFT) != 0, (keys & MK_CONTROL) != 0);
    }

    void MouseUp(CPoint p, UINT keys, UINT code)
    {
        if (!m_pressed)
            return;
        m_pressed = false;
        ReleaseCapture();
        SendActivate(code, p, keys);
    }

    void SendActivate(UINT code, CPoint p, UINT keys)
    {
        LVHITTESTINFO info;
        info.pt = p;
        NMITEMACTIVATE n;
        n.iItem = HitTest(info);
        n.iSubItem = info.iSubItem;
        n.ptAction = p;
        if (Valid(n.iItem))
            n.lParam = At(n.iItem).data;
        n.uKeyFlags = ((keys & MK_SHIFT) ? LVKF_SHIFT : 0) | ((keys & MK_CONTROL) ? LVKF_CONTROL : 0);
        Send(code, n);
    }

    void KeyDown(int vk)
    {
        NMLVKEYDOWN key;
        key.wVKey = static_cast<WORD>(vk);
        Send(LVN_KEYDOWN, key);
        if (m_items.empty())
            return;
        bool shift = KeyHeld(VK_SHIFT);
        bool control = KeyHeld(VK_CONTROL);
        int focus = Focused();
        int target = focus;
        switch (vk) {
        case VK_UP: target = std::max(0, focus - 1); break;
        case VK_DOWN: target = std::min(Count() - 1, focus + 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = Count() - 1; break;
        case VK_PRIOR: target = std::max(0, focus - (PerPage() - 1)); break;
        case VK_NEXT: target = std::min(Count() - 1, std::max(focus, 0) + PerPage() - 1); break;
        case VK_SPACE:
            if (!Valid(focus))
                return;
            if (Checkboxes() && !control)
                ToggleCheck(focus);
            else if (control)
                SelectByUser(focus, false, true);
            else
                SelectByUser(focus, shift, false);
            return;
        case VK_RETURN: NotifyCode(NM_RETURN); return;
        default: return;
        }
        if (focus < 0 && (vk == VK_UP || vk == VK_DOWN))
            target = 0;
        if (!Valid(target))
            return;
        if (control && !shift) {
            ChangeState(target, LVIS_FOCUSED, LVIS_FOCUSED);
        } else {
            SelectByUser(target, shift, false);
        }
        EnsureVisible(target);
    }

    // ---- notifications ----
    template <class T>
    LRESULT Send(UINT code, T& notification) const
    {
        return SendNotify(Parent(), m_hwnd, code, notification);
    }

    void NotifyCode(UINT code) const
    {
        NMHDR n;
        Send(code, n);
    }

    // The whole list again, unless drawing is off.
    void Redraw() const
    {
        if (m_drawing)
            ControlWindow::Redraw();
    }

    void RedrawItem(int index)
    {
        // Nothing to invalidate while hidden or with redraw off (a list being filled): the
        // row's rectangle is not worth measuring for each item.
        if (!m_drawing || !Valid(index) || !::IsWindowVisible(m_hwnd))
            return;
        CRect r = RowRect(index);
        r.right = std::max(r.right, Client().right);
        r.left = 0;
        InvalidateRect(m_hwnd, &r, FALSE);
    }

    // ---- painting ----
    CImageList* SmallImages() const { return LinkedImageList(m_hwnd, kSmallImageSlot, m_smallImages); }

    COLORREF Background() const { return m_background == CLR_NONE ? GetSysColor(COLOR_WINDOW) : m_background; }

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        dc.FillSolidRect(&client, Background());
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        int last = std::min(Count(), m_top + PerPage() + 1);
        for (int i = m_top; i < last; ++i)
            PaintRow(dc, i);
        if (m_exStyle & LVS_EX_GRIDLINES)
            PaintGrid(dc, client);
    }

    bool ShowsSelection() const { return HasFocus() || (Style() & LVS_SHOWSELALWAYS); }

    void PaintRow(CDC& dc, int index)
    {
        const ListItem& item = At(index);
        bool selected = (item.state & LVIS_SELECTED) && ShowsSelection();
        COLORREF highlight = GetSysColor(HasFocus() ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        COLORREF highlightText = GetSysColor(HasFocus() ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        CRect selection = ItemPart(index, LVIR_SELECTBOUNDS);
        if (Checkboxes() || SmallImages())
            selection.left = std::max(selection.left, LabelRect(index).left);
        if (selected)
            dc.FillSolidRect(&selection, highlight);
        if (Checkboxes()) {
            CRect check = CheckRect(index);
            UINT checked = ((item.state & LVIS_STATEIMAGEMASK) >> 12) == 2 ? DFCS_CHECKED : 0;
            dc.DrawFrameControl(&check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | checked);
        }
        if (CImageList* images = SmallImages(); images && item.image >= 0 && item.image < images->GetImageCount()) {
            CRect icon = IconRect(index);
            int cx = 0;
            int cy = 0;
            images->GetIconSize(&cx, &cy);
            images->Draw(&dc, item.image, CPoint(icon.left, icon.top + (icon.Height() - cy) / 2), ILD_TRANSPARENT);
        }
        for (size_t c = 0; c < m_columns.size(); ++c) {
            CRect cell = c == 0 ? LabelRect(index) : CellRect(index, static_cast<int>(c));
            bool inSelection = selected && (c == 0 || (m_exStyle & LVS_EX_FULLROWSELECT));
            dc.SetTextColor(inSelection ? highlightText : (m_textColor == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_textColor));
            cell.DeflateRect(kCellMargin, 0);
            int justify = m_columns[c].format & LVCFMT_JUSTIFYMASK;
            UINT align = justify == LVCFMT_RIGHT ? DT_RIGHT : justify == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
            dc.DrawText(item.Text(m_columns[c].subItem), &cell, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
        if ((item.state & LVIS_FOCUSED) && HasFocus())
            dc.DrawFocusRect(&selection);
    }

    void PaintGrid(CDC& dc, const CRect& client)
    {
        COLORREF line = GetSysColor(COLOR_BTNFACE);
        int height = RowHeight();
        for (int y = m_headerHeight + height - 1; y < client.bottom; y += height)
            dc.FillSolidRect(0, y, client.Width(), 1, line);
        for (size_t c = 0; c < m_columns.size(); ++c) {
            int x = ColumnLeft(static_cast<int>(c) + 1) - 1;
            dc.FillSolidRect(x, m_headerHeight, 1, client.bottom - m_headerHeight, line);
        }
    }

    std::vector<std::unique_ptr<ListItem>> m_items;
    std::vector<ListColumn> m_columns;
    HWND m_header { nullptr };
    int m_headerHeight { 0 };
    DWORD m_exStyle { 0 };
    HIMAGELIST m_smallImages { nullptr };
    HIMAGELIST m_stateImages { nullptr };
    COLORREF m_background { CLR_NONE };
    COLORREF m_textColor { CLR_DEFAULT };
    COLORREF m_textBackground { CLR_NONE };
    int m_top { 0 };
    int m_scrollX { 0 };
    bool m_settlingBars { false }; // inside UpdateScrollBars: WM_SIZE of a bar shown or hidden
    bool m_drawing { true };       // WM_SETREDRAW
    bool m_barsStale { false };    // rows changed while drawing was off
    int m_mark { -1 };   // the selection mark (LVM_GETSELECTIONMARK)
    int m_anchor { -1 }; // where a Shift range starts
    bool m_pressed { false };
    int m_pressItem { -1 };
    bool m_sorting { false };
    // The font whose cell height m_fontHeight holds, once measured.
    mutable HFONT m_heightFont { nullptr };
    mutable int m_fontHeight { 0 };
    mutable bool m_fontHeightValid { false };
    bool m_syncingHeader { false };
};

} // namespace

void RegisterListViewClass() { RegisterControlClass<ListViewWindow>(kListViewClass); }

} // namespace platform::ui

// ---- CListCtrl ----

namespace {
using platform::ui::kSmallImageSlot;
using platform::ui::kStateImageSlot;
template <class T>
LPARAM Ptr(T* p) { return reinterpret_cast<LPARAM>(p); }
} // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterListViewClass();
    return CWnd::CreateEx(dwExStyle, platform::ui::kListViewClass, "", dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol), Ptr(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol))); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(nCol), Ptr(pColumn)));
}
BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(nCol), Ptr(pColumn)));
}
int CListCtrl::GetColumnWidth(int nCol) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol))); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(static_cast<WORD>(cx), 0)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    auto header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
    if (!header)
        return nullptr;
    if (m_header.m_hWnd != header) {
        if (m_header.m_hWnd)
            m_header.Detach();
        m_header.Attach(header);
    }
    return &m_header;
}

int CListCtrl::InsertItem(const LVITEM* pItem) { return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, Ptr(pItem))); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}
int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
    LVITEM item;
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}
BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem))); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
void CListCtrl::SetItemCount(int nItems) { SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(nItems)); }
BOOL CListCtrl::GetItem(LVITEM* pItem) const { return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, Ptr(pItem))); }
BOOL CListCtrl::SetItem(const LVITEM* pItem) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, Ptr(pItem))); }
BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam)
{
    LVITEM item;
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}
BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), Ptr(&item)));
}
int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    LVITEM item;
    item.iSubItem = nSubItem;
    item.pszText = lpszText;
    item.cchTextMax = nLen;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), Ptr(&item)));
}
CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // Grows the buffer until the text fits with room to spare.
    for (int size = 256;; size *= 4) {
        CString text;
        int length = GetItemText(nItem, nSubItem, text.GetBuffer(size), size + 1);
        text.ReleaseBuffer(length);
        if (length < size)
            return text;
    }
}
BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}
DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item;
    item.state = nState;
    item.stateMask = nMask;
    return SetItemState(nItem, &item);
}
BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(static_cast<INT_PTR>(nItem)), Ptr(pItem)));
}
UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nMask)));
}
BOOL CListCtrl::GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }
BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}
int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    return static_cast<int>(SendMessage(LVM_FINDITEM, static_cast<WPARAM>(static_cast<INT_PTR>(nStart)), Ptr(pFindInfo)));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(static_cast<INT_PTR>(nItem)), nFlags));
}
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    // A position is the index plus one, so that null ends the walk.
    int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(first + 1));
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int index = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    int next = GetNextItem(index, LVNI_SELECTED);
    pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1));
    return index;
}
int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
int CListCtrl::SetSelectionMark(int iIndex) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, iIndex)); }

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), Ptr(lpRect)));
}
BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    ref.left = nArea;
    ref.top = iSubItem;
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem), Ptr(static_cast<RECT*>(&ref))));
}
int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const { return static_cast<int>(SendMessage(LVM_HITTEST, 0, Ptr(pHitTestInfo))); }
int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info;
    info.pt = pt;
    int index = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return index;
}
int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) { return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, Ptr(pInfo))); }
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
}
BOOL CListCtrl::Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy)); }
int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), nLast)); }
BOOL CListCtrl::Update(int nItem) { return static_cast<BOOL>(SendMessage(LVM_UPDATE, static_cast<WPARAM>(nItem))); }
int CListCtrl::GetStringWidth(LPCTSTR lpsz) const { return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTH, 0, Ptr(lpsz))); }

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}
DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    CImageList* old = GetImageList(nImageListType);
    platform::ui::LinkImageList(m_hWnd, nImageListType == LVSIL_STATE ? kStateImageSlot : kSmallImageSlot, pImageList);
    SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), Ptr(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return old;
}
CImageList* CListCtrl::GetImageList(int nImageList) const
{
    auto handle = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(nImageList)));
    return platform::ui::LinkedImageList(m_hWnd, nImageList == LVSIL_STATE ? kStateImageSlot : kSmallImageSlot, handle);
}
BOOL CListCtrl::SetBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr))); }
COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
BOOL CListCtrl::SetTextColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr))); }
COLORREF CListCtrl::GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }
BOOL CListCtrl::SetTextBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr))); }
COLORREF CListCtrl::GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare)));
}

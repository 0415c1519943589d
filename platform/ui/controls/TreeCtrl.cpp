// The "SysTreeView32" window class and CTreeCtrl.
#include "platform/ui/controls/TreeCtrl.h"

#include "platform/core/StableSort.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlMetrics.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/ScrollBar.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <unordered_set>
#include <utility>
#include <vector>

namespace platform::ui {

namespace {

constexpr int kDefaultIndent = 19;
constexpr int kCheckSize = 13;
constexpr int kButtonSize = 9;
constexpr int kLabelMargin = 2;
// One step of the horizontal bar's arrows, in pixels: about a character.
constexpr int kHorizontalLine = 8;

struct TreeNode
{
    CString text;
    int image { 0 };
    int selectedImage { 0 };
    LPARAM data { 0 };
    UINT state { 0 };
    int childrenFlag { 0 }; // TVIF_CHILDREN: 1 shows a button before any child exists
    // The label's text width, measured in `widthFont` (measured again when either changes).
    int textWidth { -1 };
    HFONT widthFont { nullptr };
    TreeNode* parent { nullptr };
    std::vector<std::unique_ptr<TreeNode>> children;

    HTREEITEM Handle() { return reinterpret_cast<HTREEITEM>(this); }
    bool Expanded() const { return (state & TVIS_EXPANDED) != 0; }
};

class TreeWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case TVM_INSERTITEM: return reinterpret_cast<LRESULT>(Insert(reinterpret_cast<const TVINSERTSTRUCT*>(lParam)));
        case TVM_DELETEITEM: return Delete(reinterpret_cast<HTREEITEM>(lParam));
        case TVM_EXPAND: return Expand(Node(reinterpret_cast<HTREEITEM>(lParam)), static_cast<UINT>(wParam), TVC_UNKNOWN);
        case TVM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            if (!rect)
                return FALSE;
            TreeNode* node = Node(*reinterpret_cast<HTREEITEM*>(rect));
            int row = RowOf(node);
            if (row < 0)
                return FALSE;
            *rect = wParam ? LabelRect(node, row) : RowRect(row);
            return TRUE;
        }
        case TVM_GETCOUNT: return static_cast<LRESULT>(m_live.size());
        case TVM_GETINDENT: return m_indent;
        case TVM_SETINDENT: m_indent = std::max(static_cast<int>(wParam), 4); Redraw(); return 0;
        case TVM_SETIMAGELIST: {
            HIMAGELIST& slot = wParam == static_cast<WPARAM>(TVSIL_STATE) ? m_stateImages : m_images;
            HIMAGELIST old = std::exchange(slot, reinterpret_cast<HIMAGELIST>(lParam));
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case TVM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(wParam == static_cast<WPARAM>(TVSIL_STATE) ? m_stateImages : m_images);
        case TVM_GETNEXTITEM: return reinterpret_cast<LRESULT>(Next(reinterpret_cast<HTREEITEM>(lParam), static_cast<UINT>(wParam)));
        case TVM_SELECTITEM: return SelectBy(static_cast<UINT>(wParam), reinterpret_cast<HTREEITEM>(lParam));
        case TVM_GETITEM: return GetItem(reinterpret_cast<TVITEM*>(lParam));
        case TVM_SETITEM: return SetItem(reinterpret_cast<const TVITEM*>(lParam));
        case TVM_GETITEMSTATE: {
            TreeNode* node = Node(reinterpret_cast<HTREEITEM>(wParam));
            return node ? node->state & static_cast<UINT>(lParam) : 0;
        }
        case TVM_EDITLABEL:
        case TVM_GETEDITCONTROL: return 0;
        case TVM_GETVISIBLECOUNT: return PerPage();
        case TVM_HITTEST: {
            auto* info = reinterpret_cast<TVHITTESTINFO*>(lParam);
            return info ? reinterpret_cast<LRESULT>(HitTest(*info)) : 0;
        }
        case TVM_ENSUREVISIBLE: return EnsureVisible(Node(reinterpret_cast<HTREEITEM>(lParam)));
        case TVM_SORTCHILDREN: return SortChildren(reinterpret_cast<HTREEITEM>(lParam), nullptr, 0);
        case TVM_SORTCHILDRENCB: {
            auto* sort = reinterpret_cast<const TVSORTCB*>(lParam);
            return sort && sort->lpfnCompare ? SortChildren(sort->hParent, sort->lpfnCompare, sort->lParam) : FALSE;
        }
        case TVM_SETITEMHEIGHT: {
            int old = ItemHeight();
            m_itemHeight = static_cast<int>(static_cast<short>(LOWORD(wParam)));
            Redraw();
            return old;
        }
        case TVM_GETITEMHEIGHT: return ItemHeight();
        case TVM_SETBKCOLOR: return static_cast<LRESULT>(std::exchange(m_background, static_cast<COLORREF>(lParam)));
        case TVM_SETTEXTCOLOR: return static_cast<LRESULT>(std::exchange(m_textColor, static_cast<COLORREF>(lParam)));

        case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS: Redraw(); NotifyCode(NM_SETFOCUS); return 0;
        case WM_KILLFOCUS: Redraw(); NotifyCode(NM_KILLFOCUS); return 0;
        case WM_LBUTTONDOWN: MouseDown(CPoint(lParam), false); return 0;
        case WM_RBUTTONDOWN: MouseDown(CPoint(lParam), true); return 0;
        case WM_MOUSEMOVE: MouseMove(CPoint(lParam)); return 0;
        case WM_LBUTTONUP: MouseUp(NM_CLICK); return 0;
        case WM_RBUTTONUP: MouseUp(NM_RCLICK); return 0;
        case WM_LBUTTONDBLCLK: DoubleClick(CPoint(lParam)); return 0;
        case WM_CAPTURECHANGED: m_press = {}; return 0;
        case WM_KEYDOWN: KeyDown(static_cast<int>(wParam)); return 0;
        case WM_VSCROLL: VScroll(LOWORD(wParam)); return 0;
        case WM_HSCROLL: HScroll(LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: ScrollRows(-GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3); return 0;
        case WM_SIZE: UpdateScrollBar(); return 0;
        case WM_DESTROY:
            DeleteChildren(&m_root);
            return ControlWindow::Handle(message, wParam, lParam);
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    // ---- handles ----
    TreeNode* Node(HTREEITEM handle) const
    {
        auto* node = reinterpret_cast<TreeNode*>(handle);
        return node && m_live.count(node) ? node : nullptr;
    }

    TreeNode* ParentFor(HTREEITEM handle)
    {
        if (!handle || handle == TVI_ROOT)
            return &m_root;
        return Node(handle);
    }

    static HTREEITEM HandleOf(TreeNode* node) { return node ? node->Handle() : nullptr; }

    // ---- items ----
    HTREEITEM Insert(const TVINSERTSTRUCT* insert)
    {
        if (!insert)
            return nullptr;
        TreeNode* parent = ParentFor(insert->hParent);
        if (!parent)
            return nullptr;
        auto node = std::make_unique<TreeNode>();
        Apply(*node, insert->item);
        node->parent = parent;
        auto& siblings = parent->children;
        size_t at = siblings.size();
        HTREEITEM after = insert->hInsertAfter;
        if (after == TVI_FIRST) {
            at = 0;
        } else if (after == TVI_SORT) {
            at = 0;
            while (at < siblings.size() && siblings[at]->text.CompareNoCase(node->text) <= 0)
                ++at;
        } else if (after && after != TVI_LAST) {
            TreeNode* previous = Node(after);
            auto it = std::find_if(siblings.begin(), siblings.end(), [&](auto& s) { return s.get() == previous; });
            if (it != siblings.end())
                at = static_cast<size_t>(it - siblings.begin()) + 1;
        }
        TreeNode* made = node.get();
        if ((GetWindowLongPtr(m_hwnd, GWL_STYLE) & TVS_CHECKBOXES) && !(made->state & TVIS_STATEIMAGEMASK))
            made->state |= INDEXTOSTATEIMAGEMASK(1);
        siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(at), std::move(node));
        m_live.insert(made);
        Changed();
        return made->Handle();
    }

    static void Apply(TreeNode& node, const TVITEM& from)
    {
        if ((from.mask & TVIF_TEXT) && from.pszText) {
            node.text = from.pszText;
            node.textWidth = -1;
        }
        if (from.mask & TVIF_IMAGE)
            node.image = from.iImage;
        if (from.mask & TVIF_SELECTEDIMAGE)
            node.selectedImage = from.iSelectedImage;
        if (from.mask & TVIF_PARAM)
            node.data = from.lParam;
        if (from.mask & TVIF_STATE)
            node.state = (node.state & ~from.stateMask) | (from.state & from.stateMask);
        if (from.mask & TVIF_CHILDREN)
            node.childrenFlag = from.cChildren;
    }

    LRESULT GetItem(TVITEM* to) const
    {
        TreeNode* node = to ? Node(to->hItem) : nullptr;
        if (!node)
            return FALSE;
        if ((to->mask & TVIF_TEXT) && to->pszText && to->cchTextMax > 0) {
            int n = std::min(node->text.GetLength(), to->cchTextMax - 1);
            std::copy_n(static_cast<LPCSTR>(node->text), n, to->pszText);
            to->pszText[n] = '\0';
        }
        if (to->mask & TVIF_IMAGE)
            to->iImage = node->image;
        if (to->mask & TVIF_SELECTEDIMAGE)
            to->iSelectedImage = node->selectedImage;
        if (to->mask & TVIF_PARAM)
            to->lParam = node->data;
        if (to->mask & TVIF_STATE)
            to->state = node->state & (to->stateMask ? to->stateMask : 0xFFFFFFFF);
        if (to->mask & TVIF_CHILDREN)
            to->cChildren = node->children.empty() ? (node->childrenFlag ? 1 : 0) : 1;
        return TRUE;
    }

    LRESULT SetItem(const TVITEM* from)
    {
        TreeNode* node = from ? Node(from->hItem) : nullptr;
        if (!node)
            return FALSE;
        Apply(*node, *from);
        Changed();
        return TRUE;
    }

    LRESULT Delete(HTREEITEM handle)
    {
        if (!handle || handle == TVI_ROOT) {
            DeleteChildren(&m_root);
            Changed();
            return TRUE;
        }
        TreeNode* node = Node(handle);
        if (!node)
            return FALSE;
        DeleteChildren(node);
        Forget(node);
        auto& siblings = node->parent->children;
        siblings.erase(std::find_if(siblings.begin(), siblings.end(), [&](auto& s) { return s.get() == node; }));
        Changed();
        return TRUE;
    }

    void DeleteChildren(TreeNode* node)
    {
        // Taken out first: the parent may look at the tree while it hears of each deletion.
        auto children = std::move(node->children);
        node->children.clear();
        for (auto& child : children) {
            DeleteChildren(child.get());
            Forget(child.get());
        }
    }

    // Tells the parent an item goes and drops every reference to it.
    void Forget(TreeNode* node)
    {
        NMTREEVIEW n;
        n.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
        n.itemOld.hItem = node->Handle();
        n.itemOld.lParam = node->data;
        Send(TVN_DELETEITEM, n);
        m_live.erase(node);
        if (m_caret == node)
            m_caret = nullptr;
        if (m_dropTarget == node)
            m_dropTarget = nullptr;
        if (m_press.node == node)
            m_press = {};
    }

    // ---- walks ----
    std::vector<TreeNode*> Visible() const
    {
        std::vector<TreeNode*> out;
        std::vector<TreeNode*> stack;
        for (auto it = m_root.children.rbegin(); it != m_root.children.rend(); ++it)
            stack.push_back(it->get());
        while (!stack.empty()) {
            TreeNode* n = stack.back();
            stack.pop_back();
            out.push_back(n);
            if (n->Expanded())
                for (auto it = n->children.rbegin(); it != n->children.rend(); ++it)
                    stack.push_back(it->get());
        }
        return out;
    }

    // The row of `node` among the visible items (ignoring scrolling), or -1.
    int RowOf(TreeNode* node) const
    {
        if (!node)
            return -1;
        auto rows = Visible();
        auto it = std::find(rows.begin(), rows.end(), node);
        return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
    }

    static int SiblingIndex(TreeNode* node)
    {
        auto& siblings = node->parent->children;
        for (size_t i = 0; i < siblings.size(); ++i)
            if (siblings[i].get() == node)
                return static_cast<int>(i);
        return -1;
    }

    HTREEITEM Next(HTREEITEM handle, UINT code) const
    {
        TreeNode* node = Node(handle);
        switch (code) {
        case TVGN_ROOT: return m_root.children.empty() ? nullptr : m_root.children.front()->Handle();
        case TVGN_CARET: return HandleOf(m_caret);
        case TVGN_DROPHILITE: return HandleOf(m_dropTarget);
        case TVGN_FIRSTVISIBLE: {
            auto rows = Visible();
            return m_top < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(m_top)]->Handle() : nullptr;
        }
        case TVGN_LASTVISIBLE: {
            auto rows = Visible();
            return rows.empty() ? nullptr : rows.back()->Handle();
        }
        default: break;
        }
        if (!node)
            return code == TVGN_CHILD && (!handle || handle == TVI_ROOT) ? Next(nullptr, TVGN_ROOT) : nullptr;
        switch (code) {
        case TVGN_CHILD: return node->children.empty() ? nullptr : node->children.front()->Handle();
        case TVGN_PARENT: return node->parent == &m_root ? nullptr : node->parent->Handle();
        case TVGN_NEXT: {
            auto& siblings = node->parent->children;
            size_t i = static_cast<size_t>(SiblingIndex(node)) + 1;
            return i < siblings.size() ? siblings[i]->Handle() : nullptr;
        }
        case TVGN_PREVIOUS: {
            int i = SiblingIndex(node);
            return i > 0 ? node->parent->children[static_cast<size_t>(i - 1)]->Handle() : nullptr;
        }
        case TVGN_NEXTVISIBLE:
        case TVGN_PREVIOUSVISIBLE: {
            auto rows = Visible();
            auto it = std::find(rows.begin(), rows.end(), node);
            if (it == rows.end())
                return nullptr;
            if (code == TVGN_NEXTVISIBLE)
                return ++it == rows.end() ? nullptr : (*it)->Handle();
            return it == rows.begin() ? nullptr : (*--it)->Handle();
        }
        default: return nullptr;
        }
    }

    // ---- selection and expansion ----
    LRESULT SelectBy(UINT code, HTREEITEM handle)
    {
        TreeNode* node = Node(handle);
        switch (code) {
        case TVGN_CARET: return SelectCaret(node, TVC_UNKNOWN);
        case TVGN_DROPHILITE:
            if (m_dropTarget)
                m_dropTarget->state &= ~TVIS_DROPHILITED;
            m_dropTarget = node;
            if (node)
                node->state |= TVIS_DROPHILITED;
            Redraw();
            return TRUE;
        case TVGN_FIRSTVISIBLE: {
            int row = RowOf(node);
            if (row < 0)
                return FALSE;
            ScrollRows(row - m_top);
            return TRUE;
        }
        default: return FALSE;
        }
    }

    // Makes `node` the caret, asking the parent first; null clears the caret.
    bool SelectCaret(TreeNode* node, UINT action)
    {
        if (node == m_caret)
            return true;
        NMTREEVIEW n;
        n.action = action;
        Describe(n.itemOld, m_caret);
        Describe(n.itemNew, node);
        if (Send(TVN_SELCHANGING, n) != 0)
            return false;
        // The parent may have deleted either item while it was asked.
        if (node && !m_live.count(node))
            return false;
        if (m_caret)
            m_caret->state &= ~TVIS_SELECTED;
        m_caret = node;
        if (node) {
            node->state |= TVIS_SELECTED;
            EnsureVisible(node);
        }
        Redraw();
        Describe(n.itemOld, n.itemOld.hItem ? Node(n.itemOld.hItem) : nullptr);
        Describe(n.itemNew, node);
        Send(TVN_SELCHANGED, n);
        return true;
    }

    static void Describe(TVITEM& item, TreeNode* node)
    {
        item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
        item.hItem = HandleOf(node);
        item.lParam = node ? node->data : 0;
        item.state = node ? node->state : 0;
    }

    LRESULT Expand(TreeNode* node, UINT code, UINT)
    {
        if (!node)
            return FALSE;
        bool expand = (code & 0xFF) == TVE_EXPAND || ((code & 0xFF) == TVE_TOGGLE && !node->Expanded());
        if (expand == node->Expanded() && !(code & TVE_COLLAPSERESET))
            return TRUE;
        if (node->children.empty() && expand && !node->childrenFlag)
            return FALSE; // nothing to show
        NMTREEVIEW n;
        n.action = expand ? TVE_EXPAND : (code & (TVE_COLLAPSE | TVE_COLLAPSERESET));
        Describe(n.itemNew, node);
        if (Send(TVN_ITEMEXPANDING, n) != 0 || !m_live.count(node))
            return FALSE;
        if (expand)
            node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
        else
            node->state &= ~TVIS_EXPANDED;
        if (code & TVE_COLLAPSERESET) {
            node->state &= ~TVIS_EXPANDEDONCE;
            DeleteChildren(node);
        }
        // A caret hidden by the collapse moves to the collapsed item.
        if (!expand && m_caret && m_caret != node && IsDescendant(m_caret, node))
            SelectCaret(node, TVC_UNKNOWN);
        Changed();
        Describe(n.itemNew, m_live.count(node) ? node : nullptr);
        Send(TVN_ITEMEXPANDED, n);
        return TRUE;
    }

    static bool IsDescendant(TreeNode* node, TreeNode* ancestor)
    {
        for (TreeNode* p = node->parent; p; p = p->parent)
            if (p == ancestor)
                return true;
        return false;
    }

    LRESULT EnsureVisible(TreeNode* node)
    {
        if (!node)
            return FALSE;
        for (TreeNode* p = node->parent; p && p != &m_root; p = p->parent)
            if (!p->Expanded())
                Expand(p, TVE_EXPAND, TVC_UNKNOWN);
        int row = RowOf(node);
        if (row < m_top)
            ScrollRows(row - m_top);
        else if (row >= m_top + PerPage())
            ScrollRows(row - (m_top + PerPage() - 1));
        return TRUE;
    }

    LRESULT SortChildren(HTREEITEM handle, PFNTVCOMPARE compare, LPARAM user)
    {
        TreeNode* parent = ParentFor(handle);
        if (!parent)
            return FALSE;
        auto& children = parent->children;
        std::vector<size_t> order(children.size());
        std::iota(order.begin(), order.end(), size_t { 0 });
        // The callback only compares; the children stay put until the order is known.
        platform::StableMergeSort(order, [&](size_t a, size_t b) {
            return compare ? compare(children[a]->data, children[b]->data, user) < 0
                           : children[a]->text.CompareNoCase(children[b]->text) < 0;
        });
        if (!m_live.count(parent) && parent != &m_root)
            return FALSE;
        std::vector<std::unique_ptr<TreeNode>> sorted;
        for (size_t i : order)
            sorted.push_back(std::move(children[i]));
        children = std::move(sorted);
        Changed();
        return TRUE;
    }

    // ---- geometry ----
    CImageList* Images() const { return LinkedImageList(m_hwnd, kTreeImageSlot, m_images); }
    bool Checkboxes() const { return (Style() & TVS_CHECKBOXES) != 0; }

    int ItemHeight() const
    {
        if (m_itemHeight > 0)
            return m_itemHeight;
        int height = FontCellHeight(m_hwnd, Font()) + 3;
        if (CImageList* images = Images()) {
            int cx = 0;
            int cy = 0;
            images->GetIconSize(&cx, &cy);
            height = std::max(height, cy + 1);
        }
        return std::max(height, Checkboxes() ? kCheckSize + 3 : 0);
    }

    int PerPage() const { return std::max(1, Client().Height() / std::max(1, ItemHeight())); }

    static int Depth(TreeNode* node)
    {
        int depth = 0;
        for (TreeNode* p = node->parent; p && p->parent; p = p->parent)
            ++depth;
        return depth;
    }

    CRect RowRect(int row) const
    {
        int top = (row - m_top) * ItemHeight();
        return CRect(0, top, Client().right, top + ItemHeight());
    }

    // Where the item's own parts start: after the indent (and the root's lines), less what the
    // tree is scrolled sideways.
    int ItemLeft(TreeNode* node) const { return UnscrolledLeft(node) - m_left; }

    int UnscrolledLeft(TreeNode* node) const
    {
        bool rootLines = (Style() & (TVS_LINESATROOT)) != 0;
        return (Depth(node) + (rootLines ? 1 : 0)) * m_indent;
    }

    CRect ButtonRect(TreeNode* node, int row) const
    {
        CRect r = RowRect(row);
        int center = ItemLeft(node) - m_indent / 2;
        int middle = r.top + r.Height() / 2;
        return CRect(center - kButtonSize / 2, middle - kButtonSize / 2, center + kButtonSize / 2 + 1, middle + kButtonSize / 2 + 1);
    }

    CRect CheckRect(TreeNode* node, int row) const
    {
        CRect r = RowRect(row);
        int left = ItemLeft(node);
        int y = r.top + (r.Height() - kCheckSize) / 2;
        return CRect(left, y, left + kCheckSize, y + kCheckSize);
    }

    int IconWidth() const
    {
        int cx = 0;
        int cy = 0;
        if (CImageList* images = Images())
            images->GetIconSize(&cx, &cy);
        return cx;
    }

    CRect IconRect(TreeNode* node, int row) const
    {
        CRect r = RowRect(row);
        int left = ItemLeft(node) + (Checkboxes() ? kCheckSize + 3 : 0);
        return CRect(left, r.top, left + IconWidth(), r.bottom);
    }

    // From the item's left to its label: the check box and the icon with their gaps.
    int LabelOffset() const
    {
        int icon = IconWidth();
        return (Checkboxes() ? kCheckSize + 3 : 0) + icon + (icon ? 2 : 0);
    }

    int LabelWidth(TreeNode* node) const
    {
        HFONT font = Font();
        if (node->textWidth < 0 || node->widthFont != font) {
            node->textWidth = FontTextWidth(m_hwnd, font, node->text);
            node->widthFont = font;
        }
        return node->textWidth + 2 * kLabelMargin;
    }

    CRect LabelRect(TreeNode* node, int row) const
    {
        CRect icon = IconRect(node, row);
        int left = ItemLeft(node) + LabelOffset();
        return CRect(left, icon.top, left + LabelWidth(node), icon.bottom);
    }

    bool HasButton(TreeNode* node) const
    {
        if (!(Style() & TVS_HASBUTTONS))
            return false;
        if (node->parent == &m_root && !(Style() & TVS_LINESATROOT))
            return false;
        return !node->children.empty() || node->childrenFlag;
    }

    HTREEITEM HitTest(TVHITTESTINFO& info) const
    {
        info.hItem = nullptr;
        CPoint p(info.pt);
        if (p.y < 0) {
            info.flags = TVHT_ABOVE;
            return nullptr;
        }
        if (p.y >= Client().bottom) {
            info.flags = TVHT_BELOW;
            return nullptr;
        }
        auto rows = Visible();
        int row = m_top + p.y / ItemHeight();
        if (row >= static_cast<int>(rows.size())) {
            info.flags = TVHT_NOWHERE;
            return nullptr;
        }
        TreeNode* node = rows[static_cast<size_t>(row)];
        info.hItem = node->Handle();
        if (HasButton(node) && ButtonRect(node, row).PtInRect(p))
            info.flags = TVHT_ONITEMBUTTON;
        else if (Checkboxes() && CheckRect(node, row).PtInRect(p))
            info.flags = TVHT_ONITEMSTATEICON;
        else if (Images() && IconRect(node, row).PtInRect(p))
            info.flags = TVHT_ONITEMICON;
        else if (LabelRect(node, row).PtInRect(p))
            info.flags = TVHT_ONITEMLABEL;
        else if (p.x < ItemLeft(node))
            info.flags = TVHT_ONITEMINDENT;
        else
            info.flags = TVHT_ONITEMRIGHT;
        return info.hItem;
    }

    // ---- scrolling ----
    void Changed()
    {
        int rows = static_cast<int>(Visible().size());
        m_top = std::clamp(m_top, 0, std::max(0, rows - PerPage()));
        UpdateScrollBar();
        Redraw();
    }

    // The tree keeps its own bars: the vertical one shows exactly while the expanded rows do not
    // fit, the horizontal one while the widest expanded row does not, whatever styles the
    // template gave; TVS_NOSCROLL keeps both off.
    void UpdateScrollBar()
    {
        SettleScrollBars(m_hwnd, m_settlingBar, [this] { SetScrollBar(); });
    }

    void SetScrollBar()
    {
        if (Style() & TVS_NOSCROLL) {
            ShowScrollBar(m_hwnd, SB_BOTH, FALSE);
            return;
        }
        int rows = static_cast<int>(Visible().size());
        // A larger client area may leave nothing to scroll back to.
        int top = std::clamp(m_top, 0, std::max(0, rows - PerPage()));
        int width = ContentWidth();
        int left = std::clamp(m_left, 0, std::max(0, width - Client().Width()));
        if (top != m_top || left != m_left) {
            m_top = top;
            m_left = left;
            Redraw();
        }
        SetOwnScrollBar(m_hwnd, SB_VERT, std::max(0, rows - 1), PerPage(), m_top);
        SetOwnScrollBar(m_hwnd, SB_HORZ, std::max(0, width - 1), std::max(0, Client().Width()), m_left);
    }

    // The width of the expanded rows, unscrolled: where the widest label ends.
    int ContentWidth() const
    {
        int width = 0;
        for (TreeNode* node : Visible())
            width = std::max(width, UnscrolledLeft(node) + LabelOffset() + LabelWidth(node));
        return width;
    }

    void ScrollPixels(int dx)
    {
        int left = std::clamp(m_left + dx, 0, std::max(0, ContentWidth() - Client().Width()));
        if (left == m_left)
            return;
        m_left = left;
        UpdateScrollBar();
        Redraw();
    }

    void HScroll(UINT code)
    {
        switch (code) {
        case SB_LINELEFT: ScrollPixels(-kHorizontalLine); break;
        case SB_LINERIGHT: ScrollPixels(kHorizontalLine); break;
        case SB_PAGELEFT: ScrollPixels(-Client().Width()); break;
        case SB_PAGERIGHT: ScrollPixels(Client().Width()); break;
        case SB_LEFT: ScrollPixels(-m_left); break;
        case SB_RIGHT: ScrollPixels(ContentWidth()); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si;
            si.fMask = SIF_TRACKPOS;
            GetScrollInfo(m_hwnd, SB_HORZ, &si);
            ScrollPixels(si.nTrackPos - m_left);
            break;
        }
        default: break;
        }
    }

    void ScrollRows(int rows)
    {
        int count = static_cast<int>(Visible().size());
        int top = std::clamp(m_top + rows, 0, std::max(0, count - PerPage()));
        if (top == m_top)
            return;
        m_top = top;
        UpdateScrollBar();
        Redraw();
    }

    void VScroll(UINT code) { ScrollRows(RowScrollDelta(m_hwnd, SB_VERT, code, m_top, PerPage(), static_cast<int>(Visible().size()))); }

    // ---- mouse and keys ----
    struct Press
    {
        TreeNode* node { nullptr };
        CPoint at {};
        bool right { false };
        bool active { false };
    };

    void ToggleCheck(TreeNode* node)
    {
        UINT image = (node->state & TVIS_STATEIMAGEMASK) >> 12;
        node->state = (node->state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(image == 2 ? 1 : 2);
        Redraw();
    }

    void MouseDown(CPoint p, bool right)
    {
        SetFocus(m_hwnd);
        TVHITTESTINFO info;
        info.pt = p;
        TreeNode* node = Node(HitTest(info));
        if (node && !right && info.flags == TVHT_ONITEMBUTTON) {
            Expand(node, TVE_TOGGLE, TVC_BYMOUSE);
            return;
        }
        if (node && !right && info.flags == TVHT_ONITEMSTATEICON) {
            ToggleCheck(node);
            return;
        }
        m_press = Press { (node && (info.flags & TVHT_ONITEM)) ? node : nullptr, p, right, true };
        SetCapture(m_hwnd);
        if (m_press.node && !right)
            SelectCaret(node, TVC_BYMOUSE);
    }

    void MouseMove(CPoint p)
    {
        if (!m_press.active || !m_press.node)
            return;
        if (std::abs(p.x - m_press.at.x) <= GetSystemMetrics(SM_CXDRAG) && std::abs(p.y - m_press.at.y) <= GetSystemMetrics(SM_CYDRAG))
            return;
        Press press = m_press;
        m_press = {};
        ReleaseCapture();
        if (Style() & TVS_DISABLEDRAGDROP)
            return;
        NMTREEVIEW n;
        n.action = 0;
        Describe(n.itemNew, press.node);
        n.ptDrag = press.at;
        Send(press.right ? TVN_BEGINRDRAG : TVN_BEGINDRAG, n);
    }

    void MouseUp(UINT code)
    {
        if (!m_press.active)
            return;
        m_press = {};
        ReleaseCapture();
        NotifyCode(code);
    }

    void DoubleClick(CPoint p)
    {
        TVHITTESTINFO info;
        info.pt = p;
        TreeNode* node = Node(HitTest(info));
        if (NotifyCode(NM_DBLCLK) != 0 || !node || !(info.flags & TVHT_ONITEM))
            return;
        Expand(node, TVE_TOGGLE, TVC_BYMOUSE);
    }

    void KeyDown(int vk)
    {
        NMTVKEYDOWN key;
        key.wVKey = static_cast<WORD>(vk);
        Send(TVN_KEYDOWN, key);
        auto rows = Visible();
        if (rows.empty())
            return;
        int row = std::max(0, RowOf(m_caret));
        TreeNode* target = nullptr;
        switch (vk) {
        case VK_UP: target = m_caret ? rows[static_cast<size_t>(std::max(0, row - 1))] : rows.front(); break;
        case VK_DOWN: target = m_caret ? rows[static_cast<size_t>(std::min<int>(static_cast<int>(rows.size()) - 1, row + 1))] : rows.front(); break;
        case VK_HOME: target = rows.front(); break;
        case VK_END: target = rows.back(); break;
        case VK_PRIOR: target = rows[static_cast<size_t>(std::max(0, row - PerPage() + 1))]; break;
        case VK_NEXT: target = rows[static_cast<size_t>(std::min<int>(static_cast<int>(rows.size()) - 1, row + PerPage() - 1))]; break;
        case VK_LEFT:
            if (!m_caret)
                return;
            if (m_caret->Expanded())
                Expand(m_caret, TVE_COLLAPSE, TVC_BYKEYBOARD);
            else if (m_caret->parent != &m_root)
                target = m_caret->parent;
            break;
        case VK_RIGHT:
            if (!m_caret)
                return;
            if (!m_caret->Expanded())
                Expand(m_caret, TVE_EXPAND, TVC_BYKEYBOARD);
            else if (!m_caret->children.empty())
                target = m_caret->children.front().get();
            break;
        case VK_SPACE:
            if (m_caret && Checkboxes())
                ToggleCheck(m_caret);
            return;
        case VK_RETURN: NotifyCode(NM_RETURN); return;
        default: return;
        }
        if (target)
            SelectCaret(target, TVC_BYKEYBOARD);
    }

    // ---- notifications ----
    template <class T>
    LRESULT Send(UINT code, T& notification) const
    {
        return SendNotify(Parent(), m_hwnd, code, notification);
    }

    LRESULT NotifyCode(UINT code) const
    {
        NMHDR n;
        return Send(code, n);
    }

    // ---- painting ----
    void Paint(CDC& dc) override
    {
        CRect client = Client();
        COLORREF background = m_background == CLR_NONE ? GetSysColor(COLOR_WINDOW) : m_background;
        dc.FillSolidRect(&client, background);
        SelectFont(dc);
        dc.SetBkMode(TRANSPARENT);
        auto rows = Visible();
        int last = std::min(static_cast<int>(rows.size()), m_top + PerPage() + 1);
        for (int row = m_top; row < last; ++row)
            PaintItem(dc, rows[static_cast<size_t>(row)], row);
    }

    void PaintItem(CDC& dc, TreeNode* node, int row)
    {
        CRect r = RowRect(row);
        COLORREF line = GetSysColor(COLOR_GRAYTEXT);
        if ((Style() & TVS_HASLINES) && (node->parent != &m_root || (Style() & TVS_LINESATROOT))) {
            int x = ItemLeft(node) - m_indent / 2;
            int middle = r.top + r.Height() / 2;
            dc.FillSolidRect(x, middle, m_indent / 2, 1, line);
            bool lastSibling = node->parent->children.back().get() == node;
            dc.FillSolidRect(x, r.top, 1, lastSibling ? middle - r.top : r.Height(), line);
        }
        if (HasButton(node)) {
            CRect box = ButtonRect(node, row);
            dc.FillSolidRect(&box, GetSysColor(COLOR_WINDOW));
            dc.FrameRect(&box, CBrush::FromHandle(GetSysColorBrush(COLOR_GRAYTEXT)));
            CPoint c = box.CenterPoint();
            dc.FillSolidRect(box.left + 2, c.y, box.Width() - 4, 1, GetSysColor(COLOR_WINDOWTEXT));
            if (!node->Expanded())
                dc.FillSolidRect(c.x, box.top + 2, 1, box.Height() - 4, GetSysColor(COLOR_WINDOWTEXT));
        }
        if (Checkboxes()) {
            CRect check = CheckRect(node, row);
            UINT checked = ((node->state & TVIS_STATEIMAGEMASK) >> 12) == 2 ? DFCS_CHECKED : 0;
            dc.DrawFrameControl(&check, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | checked);
        }
        if (CImageList* images = Images()) {
            int image = (node->state & TVIS_SELECTED) ? node->selectedImage : node->image;
            if (image >= 0 && image < images->GetImageCount()) {
                CRect icon = IconRect(node, row);
                int cx = 0;
                int cy = 0;
                images->GetIconSize(&cx, &cy);
                images->Draw(&dc, image, CPoint(icon.left, icon.top + (icon.Height() - cy) / 2), ILD_TRANSPARENT);
            }
        }
        CRect label = LabelRect(node, row);
        bool showSelection = HasFocus() || (Style() & TVS_SHOWSELALWAYS);
        bool selected = ((node->state & TVIS_SELECTED) && showSelection) || (node->state & TVIS_DROPHILITED);
        COLORREF text = m_textColor == CLR_NONE ? GetSysColor(COLOR_WINDOWTEXT) : m_textColor;
        if (selected) {
            bool active = HasFocus() || (node->state & TVIS_DROPHILITED);
            dc.FillSolidRect(&label, GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            text = GetSysColor(active ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
        }
        dc.SetTextColor(text);
        CRect inside = label;
        inside.DeflateRect(kLabelMargin, 0);
        dc.DrawText(node->text, &inside, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (node == m_caret && HasFocus())
            dc.DrawFocusRect(&label);
    }

    TreeNode m_root;
    std::unordered_set<TreeNode*> m_live; // every item handle that may be followed
    TreeNode* m_caret { nullptr };
    TreeNode* m_dropTarget { nullptr };
    HIMAGELIST m_images { nullptr };
    HIMAGELIST m_stateImages { nullptr };
    int m_indent { kDefaultIndent };
    int m_itemHeight { -1 };
    int m_top { 0 };
    int m_left { 0 }; // pixels the rows are scrolled sideways
    bool m_settlingBar { false }; // inside UpdateScrollBar: WM_SIZE of the bar shown or hidden
    COLORREF m_background { CLR_NONE };
    COLORREF m_textColor { CLR_NONE };
    Press m_press;
};

} // namespace

void RegisterTreeViewClass() { RegisterControlClass<TreeWindow>(kTreeViewClass); }

} // namespace platform::ui

// ---- CTreeCtrl ----

namespace {
template <class T>
LPARAM Ptr(T* p) { return reinterpret_cast<LPARAM>(p); }
} // namespace

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterTreeViewClass();
    return CWnd::Create(platform::ui::kTreeViewClass, "", dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCT lpInsertStruct)
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEM, 0, Ptr(lpInsertStruct)));
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCTSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCT insert;
    insert.hParent = hParent;
    insert.hInsertAfter = hInsertAfter;
    insert.item.mask = nMask;
    insert.item.pszText = const_cast<LPSTR>(lpszItem);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    insert.item.state = nState;
    insert.item.stateMask = nStateMask;
    insert.item.lParam = lParam;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage, 0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_DELETEITEM, 0, Ptr(hItem))); }
BOOL CTreeCtrl::DeleteAllItems() { return DeleteItem(TVI_ROOT); }
UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(SendMessage(TVM_GETCOUNT)); }
BOOL CTreeCtrl::GetItem(TVITEM* pItem) const { return static_cast<BOOL>(SendMessage(TVM_GETITEM, 0, Ptr(pItem))); }
BOOL CTreeCtrl::SetItem(TVITEM* pItem) { return static_cast<BOOL>(SendMessage(TVM_SETITEM, 0, Ptr(pItem))); }

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    for (int size = 256;; size *= 4) {
        CString text;
        TVITEM item;
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = text.GetBuffer(size);
        item.cchTextMax = size + 1;
        BOOL ok = GetItem(&item);
        text.ReleaseBuffer(ok ? -1 : 0);
        if (!ok || text.GetLength() < size)
            return text;
    }
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCTSTR lpszItem)
{
    TVITEM item;
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEM item;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEM item;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEM item;
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEM item;
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hItem), static_cast<LPARAM>(nStateMask)));
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEM item;
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEM item;
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::GetCheck(HTREEITEM hItem) const { return (GetItemState(hItem, TVIS_STATEIMAGEMASK) >> 12) == 2; }
BOOL CTreeCtrl::SetCheck(HTREEITEM hItem, BOOL fCheck)
{
    return SetItemState(hItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), TVIS_STATEIMAGEMASK);
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, nCode, Ptr(hItem)));
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode) { return static_cast<BOOL>(SendMessage(TVM_SELECTITEM, nCode, Ptr(hItem))); }
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode) { return static_cast<BOOL>(SendMessage(TVM_EXPAND, nCode, Ptr(hItem))); }
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_ENSUREVISIBLE, 0, Ptr(hItem))); }

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    if (!lpRect)
        return FALSE;
    // The item's handle travels in the rectangle, as the classic message takes it.
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return static_cast<BOOL>(SendMessage(TVM_GETITEMRECT, static_cast<WPARAM>(bTextOnly), Ptr(lpRect)));
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO info;
    info.pt = pt;
    HTREEITEM item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, Ptr(pHitTestInfo)));
}

UINT CTreeCtrl::GetVisibleCount() const { return static_cast<UINT>(SendMessage(TVM_GETVISIBLECOUNT)); }
UINT CTreeCtrl::GetIndent() const { return static_cast<UINT>(SendMessage(TVM_GETINDENT)); }
void CTreeCtrl::SetIndent(UINT nIndent) { SendMessage(TVM_SETINDENT, nIndent); }
SHORT CTreeCtrl::GetItemHeight() const { return static_cast<SHORT>(SendMessage(TVM_GETITEMHEIGHT)); }
SHORT CTreeCtrl::SetItemHeight(SHORT cyHeight) { return static_cast<SHORT>(SendMessage(TVM_SETITEMHEIGHT, static_cast<WPARAM>(static_cast<WORD>(cyHeight)))); }

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    CImageList* old = GetImageList(nImageListType);
    const char* slot = nImageListType == TVSIL_STATE ? platform::ui::kTreeStateImageSlot : platform::ui::kTreeImageSlot;
    platform::ui::LinkImageList(m_hWnd, slot, pImageList);
    SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), Ptr(pImageList ? pImageList->GetSafeHandle() : nullptr));
    return old;
}

CImageList* CTreeCtrl::GetImageList(int nImageListType) const
{
    const char* slot = nImageListType == TVSIL_STATE ? platform::ui::kTreeStateImageSlot : platform::ui::kTreeImageSlot;
    return platform::ui::LinkedImageList(m_hWnd, slot,
                                         reinterpret_cast<HIMAGELIST>(SendMessage(TVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType))));
}

COLORREF CTreeCtrl::SetBkColor(COLORREF clr) { return static_cast<COLORREF>(SendMessage(TVM_SETBKCOLOR, 0, static_cast<LPARAM>(clr))); }
COLORREF CTreeCtrl::SetTextColor(COLORREF clr) { return static_cast<COLORREF>(SendMessage(TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(clr))); }
BOOL CTreeCtrl::SortChildren(HTREEITEM hItem) { return static_cast<BOOL>(SendMessage(TVM_SORTCHILDREN, 0, Ptr(hItem))); }
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort) { return static_cast<BOOL>(SendMessage(TVM_SORTCHILDRENCB, 0, Ptr(pSort))); }

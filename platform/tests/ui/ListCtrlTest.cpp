// Report list views: sorting by callbacks that answer anything, selection by mouse and keys
// with Shift and Ctrl, the order of notifications, check boxes, columns and header clicks, and
// the list's own scroll bars.
#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/ListCtrl.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kListId = 500;

size_t ListNotificationSize(UINT code)
{
    switch (code) {
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK: return sizeof(NMITEMACTIVATE);
    case LVN_KEYDOWN: return sizeof(NMLVKEYDOWN);
    case NM_SETFOCUS:
    case NM_KILLFOCUS:
    case NM_RETURN: return sizeof(NMHDR);
    default: return sizeof(NMLISTVIEW);
    }
}

class UiListCtrl : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = ListNotificationSize;
        ASSERT_TRUE(parent.CreateTop(500, 400));
    }

    void Make(DWORD style = 0, int rows = 10)
    {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_SHOWSELALWAYS | style,
                                CRect(10, 10, 410, 310), &parent, kListId));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
        list.InsertColumn(1, "Bed", LVCFMT_RIGHT, 80);
        for (int i = 0; i < rows; ++i) {
            CString name;
            name.Format("Patient %02d", i);
            int at = list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, name, 0, 0, 0, 1000 + i);
            CString bed;
            bed.Format("%d", i + 1);
            list.SetItemText(at, 1, bed);
        }
        list.SetFocus();
        Pump();
        parent.Clear();
    }

    POINT ItemPoint(int index)
    {
        CRect r;
        EXPECT_TRUE(list.GetItemRect(index, &r, LVIR_LABEL));
        return testkit::ScreenPoint(list, r.left + 8, r.CenterPoint().y);
    }

    void ClickItem(int index, std::initializer_list<int> keys = {}) { testkit::ClickWithKeys(ItemPoint(index), keys); }

    std::vector<int> Selected()
    {
        std::vector<int> out;
        POSITION pos = list.GetFirstSelectedItemPosition();
        while (pos)
            out.push_back(list.GetNextSelectedItem(pos));
        return out;
    }

    std::vector<LPARAM> DataInOrder()
    {
        std::vector<LPARAM> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back(static_cast<LPARAM>(list.GetItemData(i)));
        return out;
    }

    testkit::NotifyParent parent;
    CListCtrl list;
};

// ---- sorting ----

std::mt19937* g_random = nullptr;
int RandomAnswer(LPARAM, LPARAM, LPARAM) { return static_cast<int>((*g_random)() % 3) - 1; }
int AlwaysLess(LPARAM, LPARAM, LPARAM) { return -1; }
int ByTens(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a / 10 - b / 10); }
int Descending(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(b - a); }

TEST_F(UiListCtrl, SortWithInconsistentCallbacksKeepsEveryRow)
{
    Make(0, 0);
    constexpr int kRows = 10000;
    list.SetItemCount(kRows);
    for (int i = 0; i < kRows; ++i)
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, "row", 0, 0, 0, i);
    std::mt19937 random(7);
    g_random = &random;
    for (PFNLVCOMPARE compare : { &RandomAnswer, &AlwaysLess }) {
        ASSERT_TRUE(list.SortItems(compare, 0));
        std::vector<LPARAM> data = DataInOrder();
        ASSERT_EQ(data.size(), static_cast<size_t>(kRows));
        std::set<LPARAM> distinct(data.begin(), data.end());
        EXPECT_EQ(distinct.size(), static_cast<size_t>(kRows));
        EXPECT_EQ(*distinct.begin(), 0);
        EXPECT_EQ(*distinct.rbegin(), kRows - 1);
    }
    // A consistent callback afterwards still sorts properly.
    ASSERT_TRUE(list.SortItems(&Descending, 0));
    std::vector<LPARAM> data = DataInOrder();
    EXPECT_TRUE(std::is_sorted(data.rbegin(), data.rend()));
}

TEST_F(UiListCtrl, SortIsStableAndCarriesTextsAndStates)
{
    Make(0, 0);
    const LPARAM values[] = { 31, 12, 35, 10, 33, 17 };
    for (int i = 0; i < 6; ++i) {
        CString text;
        text.Format("v%d", static_cast<int>(values[i]));
        list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, text, 0, 0, 0, values[i]);
    }
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(list.SortItems(&ByTens, 0));
    EXPECT_EQ(DataInOrder(), (std::vector<LPARAM> { 12, 10, 17, 31, 35, 33 }));
    EXPECT_EQ(list.GetItemText(4, 0), "v35");
    EXPECT_EQ(Selected(), (std::vector<int> { 4 }));
}

CListCtrl* g_sorting = nullptr;
int DeletingCallback(LPARAM a, LPARAM b, LPARAM)
{
    // A callback that tries to change the list under the sort: refused.
    EXPECT_FALSE(g_sorting->DeleteItem(0));
    EXPECT_EQ(g_sorting->InsertItem(0, "late"), -1);
    return static_cast<int>(a - b);
}

TEST_F(UiListCtrl, ListRefusesChangesFromInsideItsSortCallback)
{
    Make(0, 5);
    g_sorting = &list;
    ASSERT_TRUE(list.SortItems(&DeletingCallback, 0));
    EXPECT_EQ(DataInOrder(), (std::vector<LPARAM> { 1000, 1001, 1002, 1003, 1004 }));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 4);
}

// ---- selection ----

TEST_F(UiListCtrl, ClickShiftClickAndCtrlClickSelect)
{
    Make();
    ClickItem(2);
    EXPECT_EQ(Selected(), (std::vector<int> { 2 }));
    ClickItem(5, { VK_SHIFT });
    EXPECT_EQ(Selected(), (std::vector<int> { 2, 3, 4, 5 }));
    ClickItem(3, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<int> { 2, 4, 5 }));
    ClickItem(7, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<int> { 2, 4, 5, 7 }));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 7);
    // Shift after a Ctrl click ranges from the Ctrl-clicked item.
    ClickItem(9, { VK_SHIFT });
    EXPECT_EQ(Selected(), (std::vector<int> { 7, 8, 9 }));
    ClickItem(1);
    EXPECT_EQ(Selected(), (std::vector<int> { 1 }));
    EXPECT_EQ(list.GetSelectedCount(), 1u);
}

TEST_F(UiListCtrl, KeysMoveTheCaretAndShiftExtends)
{
    Make();
    ClickItem(4);
    NullHost::PressKey(VK_DOWN);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int> { 5 }));
    NullHost::PressKeyWith(VK_DOWN, { VK_SHIFT });
    NullHost::PressKeyWith(VK_DOWN, { VK_SHIFT });
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int> { 5, 6, 7 }));
    // Ctrl moves the focus only; Ctrl+Space then adds the focused item.
    NullHost::PressKeyWith(VK_DOWN, { VK_CONTROL });
    NullHost::PressKeyWith(VK_DOWN, { VK_CONTROL });
    NullHost::PressKeyWith(VK_SPACE, { VK_CONTROL });
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int> { 5, 6, 7, 9 }));
    NullHost::PressKey(VK_HOME);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int> { 0 }));
}

TEST_F(UiListCtrl, SingleSelectionKeepsOneItem)
{
    Make(LVS_SINGLESEL);
    ClickItem(2);
    ClickItem(6, { VK_SHIFT });
    ClickItem(4, { VK_CONTROL });
    EXPECT_EQ(Selected(), (std::vector<int> { 4 }));
}

// ---- notifications ----

TEST_F(UiListCtrl, ClickNotifiesChangesThenTheClick)
{
    Make();
    ClickItem(1);
    parent.Clear();
    ClickItem(3);
    std::vector<UINT> expected { LVN_ITEMCHANGING, LVN_ITEMCHANGED,   // 1 unselected
                                 LVN_ITEMCHANGING, LVN_ITEMCHANGED,   // 1 loses the focus
                                 LVN_ITEMCHANGING, LVN_ITEMCHANGED,   // 3 selected and focused
                                 NM_CLICK };
    ASSERT_EQ(parent.Codes(), expected);
    auto changed = parent.notifications[5].As<NMLISTVIEW>();
    EXPECT_EQ(changed.iItem, 3);
    EXPECT_EQ(changed.uNewState & (LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(changed.uOldState & LVIS_SELECTED, 0u);
    EXPECT_EQ(changed.lParam, 1003);
    auto click = parent.notifications[6].As<NMITEMACTIVATE>();
    EXPECT_EQ(click.iItem, 3);
    EXPECT_EQ(click.hdr.idFrom, kListId);
}

TEST_F(UiListCtrl, ItemChangingAnswerRefusesTheChange)
{
    Make();
    parent.answer = [](const NMHDR& n) -> LRESULT {
        if (n.code != LVN_ITEMCHANGING)
            return 0;
        auto& change = reinterpret_cast<const NMLISTVIEW&>(n);
        return change.iItem == 4 ? TRUE : FALSE;
    };
    ClickItem(4);
    EXPECT_TRUE(Selected().empty());
    ClickItem(5);
    EXPECT_EQ(Selected(), (std::vector<int> { 5 }));
}

TEST_F(UiListCtrl, InsertDeleteKeyDoubleClickAndFocusNotify)
{
    Make();
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 2, "new", 0, 0, 0, 77);
    list.DeleteItem(0);
    NullHost::PressKey(VK_DOWN);
    Pump();
    auto codes = parent.Codes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(codes[0], LVN_INSERTITEM);
    EXPECT_EQ(parent.notifications[0].As<NMLISTVIEW>().iItem, 2);
    EXPECT_EQ(parent.notifications[0].As<NMLISTVIEW>().lParam, 77);
    EXPECT_EQ(codes[1], LVN_DELETEITEM);
    EXPECT_EQ(parent.notifications[1].As<NMLISTVIEW>().lParam, 1000);
    EXPECT_EQ(codes[2], LVN_KEYDOWN);
    EXPECT_EQ(parent.notifications[2].As<NMLVKEYDOWN>().wVKey, VK_DOWN);

    parent.Clear();
    NullHost::DoubleClick(ItemPoint(3).x, ItemPoint(3).y);
    Pump();
    codes = parent.Codes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), NM_DBLCLK), codes.end());

    parent.Clear();
    parent.SetFocus();
    Pump();
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { NM_KILLFOCUS }));

    parent.Clear();
    list.DeleteAllItems();
    codes = parent.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes[0], LVN_DELETEALLITEMS);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), LVN_DELETEITEM), 10);
}

TEST_F(UiListCtrl, HeaderClickTellsTheColumn)
{
    Make();
    CRect r;
    ASSERT_TRUE(list.GetHeaderCtrl()->GetItemRect(1, &r));
    testkit::ClickPumped(testkit::ScreenPoint(*list.GetHeaderCtrl(), r.CenterPoint().x, r.CenterPoint().y));
    ASSERT_EQ(parent.Codes(), (std::vector<UINT> { LVN_COLUMNCLICK }));
    EXPECT_EQ(parent.notifications[0].As<NMLISTVIEW>().iSubItem, 1);
    EXPECT_EQ(parent.notifications[0].As<NMLISTVIEW>().iItem, -1);
}

TEST_F(UiListCtrl, HeaderItemsKeepFormatsAndASortArrowImage)
{
    Make();
    CHeaderCtrl* header = list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->GetItemCount(), 2);
    // Sort arrows of any size: 9 x 5 pictures, two of them.
    CImageList arrows;
    ASSERT_TRUE(arrows.Create(9, 5, ILC_COLOR24 | ILC_MASK, 2, 1));
    CBitmap strip;
    CDC* screen = CDC::FromHandle(::GetDC(nullptr));
    strip.CreateCompatibleBitmap(screen, 18, 5);
    ::ReleaseDC(nullptr, screen->m_hDC);
    ASSERT_EQ(arrows.Add(&strip, RGB(255, 255, 255)), 0);
    EXPECT_EQ(header->SetImageList(&arrows), nullptr);
    EXPECT_EQ(header->GetImageList(), &arrows);

    HDITEM item;
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt = HDF_RIGHT | HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
    item.iImage = 1;
    ASSERT_TRUE(header->SetItem(1, &item));
    HDITEM read;
    char text[32] {};
    read.mask = HDI_FORMAT | HDI_IMAGE | HDI_TEXT | HDI_WIDTH;
    read.pszText = text;
    read.cchTextMax = sizeof text;
    ASSERT_TRUE(header->GetItem(1, &read));
    EXPECT_EQ(read.fmt, HDF_RIGHT | HDF_STRING | HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
    EXPECT_EQ(read.iImage, 1);
    EXPECT_STREQ(text, "Bed");
    EXPECT_EQ(read.cxy, 80);
    // Painting with the image drawn at the right does not disturb the list.
    list.Invalidate();
    list.UpdateWindow();
    header->Invalidate();
    header->UpdateWindow();
    EXPECT_FALSE(header->GetItem(5, &read));
}

// ---- check boxes, searches, scrolling, columns ----

TEST_F(UiListCtrl, CheckBoxClickTogglesTheCheck)
{
    Make();
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_FALSE(list.GetCheck(3));
    CRect row;
    list.GetItemRect(3, &row, LVIR_BOUNDS);
    testkit::ClickPumped(testkit::ScreenPoint(list, row.left + 6, row.CenterPoint().y));
    EXPECT_TRUE(list.GetCheck(3));
    EXPECT_TRUE(Selected().empty()); // the check box does not select
    list.SetCheck(3, FALSE);
    EXPECT_FALSE(list.GetCheck(3));
    // Full-row selection: a click right of the text still selects.
    testkit::ClickPumped(testkit::ScreenPoint(list, row.left + 200, row.CenterPoint().y));
    EXPECT_EQ(Selected(), (std::vector<int> { 3 }));
}

TEST_F(UiListCtrl, SearchesScrollingAndColumns)
{
    Make(0, 60);
    list.SetItemState(10, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(20, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 10);
    EXPECT_EQ(list.GetNextItem(10, LVNI_SELECTED), 20);
    EXPECT_EQ(list.GetNextItem(20, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetNextItem(20, LVNI_ABOVE | LVNI_SELECTED), 10);
    LVFINDINFO find;
    find.flags = LVFI_PARAM;
    find.lParam = 1042;
    EXPECT_EQ(list.FindItem(&find), 42);
    find.flags = LVFI_STRING;
    find.psz = "patient 07";
    EXPECT_EQ(list.FindItem(&find), 7);

    EXPECT_EQ(list.GetTopIndex(), 0);
    ASSERT_TRUE(list.EnsureVisible(50, FALSE));
    int top = list.GetTopIndex();
    EXPECT_GT(top, 0);
    EXPECT_LE(top, 50);
    EXPECT_GT(top + list.GetCountPerPage(), 50);
    EXPECT_EQ(list.HitTest(CPoint(20, -5)), -1);

    EXPECT_EQ(list.GetItemText(5, 1), "6");
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
    EXPECT_GT(list.GetColumnWidth(1), 0);
    EXPECT_LT(list.GetColumnWidth(1), 80);
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(50, 1, LVIR_BOUNDS, cell));
    EXPECT_EQ(cell.left, 150);
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 1);
}

// ---- the list's own scroll bars ----

// The list shows its bars exactly when rows or columns do not fit, though its template gave no
// WS_VSCROLL / WS_HSCROLL, and hides them when everything fits again.
TEST_F(UiListCtrl, ShowsItsScrollBarsExactlyWhenRowsOrColumnsDoNotFit)
{
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    struct Case
    {
        const char* what;
        int rows;
        int columnWidth; // each of two columns, in a list 400 pixels wide
        DWORD style;
        bool vertical;
        bool horizontal;
    };
    const Case cases[] = {
        { "everything fits", 5, 150, 0, false, false },
        { "rows do not fit", 60, 150, 0, true, false },
        { "columns do not fit", 5, 250, 0, false, true },
        { "neither fits", 60, 250, 0, true, true },
        // 392 pixels fit beside no bar but not beside the vertical one.
        { "the vertical bar makes the horizontal one needed", 60, 196, 0, true, true },
        { "LVS_NOSCROLL keeps both off", 60, 250, LVS_NOSCROLL, false, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CListCtrl bare;
        ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | c.style, CRect(10, 10, 410, 310), &parent, kListId + 1));
        bare.InsertColumn(0, "Name", LVCFMT_LEFT, c.columnWidth);
        bare.InsertColumn(1, "Bed", LVCFMT_LEFT, c.columnWidth);
        for (int i = 0; i < c.rows; ++i)
            bare.InsertItem(i, "Patient");
        Pump();
        EXPECT_EQ((bare.GetStyle() & WS_VSCROLL) != 0, c.vertical);
        EXPECT_EQ((bare.GetStyle() & WS_HSCROLL) != 0, c.horizontal);
        CRect client;
        bare.GetClientRect(&client);
        EXPECT_EQ(client.Size(), CSize(400 - (c.vertical ? bar : 0), 300 - (c.horizontal ? bar : 0)));

        // Fewer rows and narrower columns: both bars go, and the client area is whole again.
        while (bare.GetItemCount() > 3)
            bare.DeleteItem(bare.GetItemCount() - 1);
        bare.SetColumnWidth(0, 100);
        bare.SetColumnWidth(1, 100);
        Pump();
        EXPECT_EQ(bare.GetStyle() & (WS_VSCROLL | WS_HSCROLL), 0u);
        EXPECT_EQ(bare.GetTopIndex(), 0);
        bare.GetClientRect(&client);
        EXPECT_EQ(client.Size(), CSize(400, 300));
        bare.DestroyWindow();
    }
}

TEST_F(UiListCtrl, TheWheelAndTheBarBothScrollTheRows)
{
    CListCtrl bare;
    ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 310), &parent, kListId + 1));
    bare.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
    for (int i = 0; i < 60; ++i)
        bare.InsertItem(i, "Patient");
    Pump();
    ASSERT_TRUE(bare.GetStyle() & WS_VSCROLL);
    bare.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(bare.GetTopIndex(), 3);
    EXPECT_EQ(GetScrollPos(bare.m_hWnd, SB_VERT), 3);
    // A click on the bar's down arrow (bottom right of the window) scrolls one row.
    CRect window;
    bare.GetWindowRect(&window);
    NullHost::Click(window.right - 5, window.bottom - 5);
    Pump();
    EXPECT_EQ(bare.GetTopIndex(), 4);
    EXPECT_EQ(GetScrollPos(bare.m_hWnd, SB_VERT), 4);
}

TEST_F(UiListCtrl, AListFilledWithDrawingOffGetsItsBarsWhenDrawingComesBack)
{
    CListCtrl bare;
    ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 410, 310), &parent, kListId + 1));
    bare.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
    Pump();
    bare.SetRedraw(FALSE);
    for (int i = 0; i < 60; ++i)
        bare.InsertItem(i, "Patient");
    bare.SetItemData(59, 7);
    // Nothing is measured while drawing is off.
    EXPECT_EQ(bare.GetStyle() & WS_VSCROLL, 0u);
    bare.SetRedraw(TRUE);
    Pump();
    EXPECT_TRUE(bare.GetStyle() & WS_VSCROLL);
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(bare.m_hWnd, SB_VERT, &info));
    EXPECT_EQ(info.nMax + 1, 60);
    EXPECT_EQ(static_cast<int>(info.nPage), bare.GetCountPerPage());
    EXPECT_EQ(bare.GetItemData(59), 7u);

    // Emptied with drawing off: the bar goes once drawing is back.
    bare.SetRedraw(FALSE);
    bare.DeleteAllItems();
    EXPECT_TRUE(bare.GetStyle() & WS_VSCROLL);
    bare.SetRedraw(TRUE);
    Pump();
    EXPECT_EQ(bare.GetStyle() & WS_VSCROLL, 0u);
}

} // namespace

// The grid control: its model (insert, delete, counts, sizes, sorting, the next-item search),
// selection by mouse and keys, resizing a column by its divider, in-place editing with what the
// owner hears, the clipboard between two grids (read-only cells untouched), comma-separated
// files with awkward cells, printing to a PDF, and a reviewed golden picture.
#include "ktctrl/grid/KTGrid.h"
#include "ktctrl/grid/KTTitleTip.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/controls/Clipboard.h"
#include "platform/ui/framework/FrameworkIds.h"
#include "testkit/Golden.h"
#include "testkit/NotifyParent.h"
#include "testkit/RunProgram.h"
#include "testkit/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kGridId = 700;
constexpr UINT BEGIN = GVN_BEGINLABELEDIT, END = GVN_ENDLABELEDIT, CHANGING = GVN_ITEMCHANGING,
               CHANGED = GVN_ITEMCHANGED;

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// ---- the model, without a window -------------------------------------------------------------

TEST(KTGridModel, CountsInsertAndDelete)
{
    KTGrid grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColumnCount(), 0);
    EXPECT_EQ(grid.InsertColumn("A"), 0);
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetColumnCount(), 1);
    EXPECT_EQ(grid.GetItemText(0, 0), "A");

    KTGrid three(3, 2);
    EXPECT_TRUE(three.SetFixedRowCount(5));
    EXPECT_EQ(three.GetRowCount(), 5);
    EXPECT_EQ(three.GetFixedRowCount(), 5);
    EXPECT_TRUE(three.SetRowCount(2));
    EXPECT_EQ(three.GetFixedRowCount(), 2) << "fixed rows fall with the row count";

    KTGrid g(4, 3, 1, 1);
    for (int r = 0; r < 4; ++r)
        g.SetItemText(r, 1, CString(std::to_string(r).c_str()));
    EXPECT_EQ(g.InsertRow("new", 2), 2);
    EXPECT_EQ(g.GetItemText(2, 0), "new");
    EXPECT_EQ(g.GetItemText(3, 1), "2");
    EXPECT_EQ(g.InsertRow("x", 9), -1);
    EXPECT_TRUE(g.DeleteRow(0));
    EXPECT_EQ(g.GetFixedRowCount(), 0) << "deleting a fixed row lowers the fixed count";
    EXPECT_FALSE(g.DeleteRow(99));
    EXPECT_TRUE(g.DeleteColumn(1));
    EXPECT_EQ(g.GetColumnCount(), 2);
    EXPECT_EQ(g.GetFixedColumnCount(), 1);

    // Out of range: every accessor answers its default.
    EXPECT_EQ(g.GetItemText(-1, 0), "");
    EXPECT_EQ(g.GetItemImage(99, 0), -1);
    EXPECT_EQ(g.GetItemData(0, 99), 0);
    EXPECT_FALSE(g.SetItemText(0, 99, "x"));
    EXPECT_EQ(g.GetRowHeight(99), -1);
    EXPECT_FALSE(g.SetRowHeight(0, -5)) << "sizes never go negative";
    EXPECT_FALSE(g.SetColumnWidth(0, -1));
    EXPECT_TRUE(g.SetColumnWidth(0, 0));

    EXPECT_TRUE(g.DeleteAllItems());
    EXPECT_EQ(g.GetRowCount() + g.GetColumnCount() + g.GetFixedRowCount() + g.GetFixedColumnCount(), 0);
}

TEST(KTGridModel, ItemsMoveByMaskAndModifiedFlagsFollowTheGrid)
{
    KTGrid g(3, 3, 1, 1);
    GV_ITEM in;
    in.row = 1;
    in.col = 2;
    in.mask = GVIF_TEXT | GVIF_PARAM | GVIF_FORMAT;
    in.szText = "hello";
    in.lParam = 42;
    in.nFormat = DT_RIGHT;
    in.iImage = 7; // not in the mask
    EXPECT_TRUE(g.SetItem(&in));
    GV_ITEM out;
    out.row = 1;
    out.col = 2;
    out.mask = GVIF_TEXT | GVIF_PARAM | GVIF_IMAGE | GVIF_FORMAT;
    EXPECT_TRUE(g.GetItem(&out));
    EXPECT_EQ(out.szText, "hello");
    EXPECT_EQ(out.lParam, 42);
    EXPECT_EQ(out.iImage, -1);
    EXPECT_EQ(out.nFormat, static_cast<UINT>(DT_RIGHT));
    EXPECT_FALSE(g.SetItem(nullptr));

    g.SetModified(TRUE, 1, 1);
    EXPECT_TRUE(g.GetModified());
    EXPECT_TRUE(g.GetModified(1, 1));
    g.SetModified(FALSE);
    EXPECT_FALSE(g.GetModified(1, 1)) << "clearing the grid's flag clears every cell's";

    g.SetItemState(1, 1, GVIS_READONLY);
    EXPECT_FALSE(g.IsCellEditable(1, 1));
    EXPECT_TRUE(g.IsCellEditable(1, 2));
    g.SetEditable(FALSE);
    EXPECT_FALSE(g.IsCellEditable(1, 2));
}

TEST(KTGridModel, SortingKeepsFixedRowsAndMovesHeightsWithRows)
{
    KTGrid g(5, 2, 1, 0);
    const char* texts[] = { "head", "pear", "apple", "fig", "apple" };
    for (int r = 0; r < 5; ++r) {
        g.SetItemText(r, 1, texts[r]);
        g.SetItemData(r, 1, 10 - r);
        g.SetRowHeight(r, 20 + r);
    }
    EXPECT_TRUE(g.SortTextItems(1, TRUE));
    EXPECT_EQ(g.GetItemText(0, 1), "head");
    EXPECT_EQ(g.GetItemText(1, 1), "apple");
    EXPECT_EQ(g.GetRowHeight(1), 22) << "the first apple keeps its height and its place before the second";
    EXPECT_EQ(g.GetItemText(2, 1), "apple");
    EXPECT_EQ(g.GetRowHeight(2), 24);
    EXPECT_EQ(g.GetItemText(3, 1), "fig");
    EXPECT_EQ(g.GetItemText(4, 1), "pear");
    EXPECT_EQ(g.GetRowHeight(4), 21);

    EXPECT_TRUE(g.SortTextItems(1, FALSE));
    EXPECT_EQ(g.GetItemText(1, 1), "pear");

    auto byData = [](LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(a - b); };
    EXPECT_TRUE(g.SortItems(byData, 1, TRUE));
    for (int r = 2; r < 5; ++r)
        EXPECT_LT(g.GetItemData(r - 1, 1), g.GetItemData(r, 1));
    EXPECT_FALSE(g.SortTextItems(5, TRUE));
    KTGrid one(2, 1, 1, 0);
    EXPECT_FALSE(one.SortTextItems(0, TRUE)) << "one non-fixed row is nothing to sort";
}

TEST(KTGridModel, NextItemSearchesByDirection)
{
    KTGrid g(5, 5, 1, 1);
    g.SetItemState(2, 3, GVIS_MODIFIED);
    g.SetItemState(4, 1, GVIS_MODIFIED);
    const int M = GVIS_MODIFIED;
    struct Case
    {
        KTCellID from;
        int flags;
        KTCellID found;
    } cases[] = {
        { { -1, -1 }, M | GVNI_ALL, { 2, 3 } },     { { 2, 3 }, M | GVNI_ALL, { 4, 1 } },
        { { 1, 3 }, M | GVNI_BELOW, { 2, 3 } },     { { 4, 3 }, M | GVNI_ABOVE, { 2, 3 } },
        { { 2, 4 }, M | GVNI_TOLEFT, { 2, 3 } },    { { 2, 1 }, M | GVNI_TORIGHT, { 2, 3 } },
        { { 2, 3 }, M | GVNI_AREA, { -1, -1 } },    { { 1, 1 }, M, { -1, -1 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(g.GetNextItem(c.from, c.flags), c.found) << c.from.row << "," << c.from.col << " " << c.flags;
}

// ---- on the null host ------------------------------------------------------------------------

class GridOnScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = [](UINT) { return sizeof(GridNotifyInfo); };
        ASSERT_TRUE(parent.CreateTop(420, 240));
        MakeGrid(grid, CRect(0, 0, 420, 240), kGridId);
        Pump();
        parent.notifications.clear();
    }

    void MakeGrid(KTGrid& g, CRect rect, UINT id)
    {
        g.SetRowCount(8);
        g.SetColumnCount(5);
        g.SetFixedRowCount(1);
        g.SetFixedColumnCount(1);
        ASSERT_TRUE(g.Create(rect, &parent, id, WS_CHILD | WS_VISIBLE));
        for (int c = 1; c < 5; ++c)
            g.SetItemText(0, c, CString(std::string(1, static_cast<char>('A' + c - 1)).c_str()));
        for (int r = 1; r < 8; ++r) {
            g.SetItemText(r, 0, CString(std::to_string(r).c_str()));
            for (int c = 1; c < 5; ++c)
                g.SetItemText(r, c, CString((std::string(1, static_cast<char>('a' + c - 1)) + std::to_string(r)).c_str()));
        }
        for (int c = 0; c < 5; ++c)
            g.SetColumnWidth(c, 60);
    }

    POINT Centre(KTGrid& g, int row, int col)
    {
        CRect rect;
        EXPECT_TRUE(g.GetCellRect(row, col, &rect));
        return testkit::ScreenPoint(g.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    }

    void Click(int row, int col, std::initializer_list<int> with = {})
    {
        POINT p = Centre(grid, row, col);
        for (int key : with)
            NullHost::KeyDown(key);
        testkit::ClickPumped(p);
        for (int key : with)
            NullHost::KeyUp(key);
        Pump();
    }

    std::vector<std::pair<UINT, KTCellID>> Heard() const
    {
        std::vector<std::pair<UINT, KTCellID>> out;
        for (const auto& n : parent.notifications) {
            auto info = n.As<GridNotifyInfo>();
            out.push_back({ n.code, KTCellID(info.iRow, info.iColumn) });
        }
        return out;
    }

    KTCellRange Selected() const { return grid.GetSelectedCellRange(); }

    testkit::NotifyParent parent;
    KTGrid grid;
};

TEST_F(GridOnScreen, ClickShiftClickAndCtrlClickSelect)
{
    Click(2, 2);
    EXPECT_EQ(grid.GetFocusCell(), KTCellID(2, 2));
    EXPECT_EQ(Selected(), KTCellRange(2, 2, 2, 2));
    EXPECT_EQ(Heard(), (std::vector<std::pair<UINT, KTCellID>> { { CHANGED, { 2, 2 } } }));

    Click(4, 3, { VK_SHIFT });
    EXPECT_EQ(Selected(), KTCellRange(2, 2, 4, 3)) << "Shift extends from the focus cell";
    EXPECT_EQ(grid.GetSelectedCount(), 6);

    Click(6, 1, { VK_CONTROL });
    EXPECT_EQ(grid.GetSelectedCount(), 7) << "Ctrl adds to the selection";
    EXPECT_TRUE(grid.GetItemState(6, 1) & GVIS_SELECTED);

    Click(1, 4);
    EXPECT_EQ(grid.GetSelectedCount(), 1) << "a plain click replaces it";

    // A heading selects its column, the corner everything.
    Click(0, 2);
    EXPECT_EQ(Selected(), KTCellRange(1, 2, 7, 2));
    Click(0, 0);
    EXPECT_EQ(Selected(), KTCellRange(1, 1, 7, 4));
}

TEST_F(GridOnScreen, KeysMoveTheFocusAndExtendWithShift)
{
    Click(1, 1);
    struct Step
    {
        int key;
        std::initializer_list<int> with;
        KTCellID focus;
    } steps[] = {
        { VK_RIGHT, {}, { 1, 2 } }, { VK_DOWN, {}, { 2, 2 } },   { VK_LEFT, {}, { 2, 1 } },
        { VK_LEFT, {}, { 2, 1 } },  { VK_UP, {}, { 1, 1 } },     { VK_UP, {}, { 1, 1 } },
        { VK_END, {}, { 7, 1 } },   { VK_HOME, {}, { 1, 1 } },   { VK_TAB, {}, { 1, 2 } },
        { VK_TAB, { VK_SHIFT }, { 1, 1 } }, { VK_TAB, { VK_SHIFT }, { 1, 1 } },
    };
    for (const auto& s : steps) {
        NullHost::PressKeyWith(s.key, s.with);
        Pump();
        EXPECT_EQ(grid.GetFocusCell(), s.focus) << s.key;
    }
    // Tab at the end of a row wraps to the next.
    grid.SetFocusCell(1, 4);
    NullHost::PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(grid.GetFocusCell(), KTCellID(2, 1));

    NullHost::PressKeyWith(VK_DOWN, { VK_SHIFT });
    NullHost::PressKeyWith(VK_RIGHT, { VK_SHIFT });
    Pump();
    EXPECT_EQ(Selected(), KTCellRange(2, 1, 3, 2));

    NullHost::PressKeyWith('A', { VK_CONTROL });
    Pump();
    EXPECT_EQ(Selected(), KTCellRange(1, 1, 7, 4));
}

TEST_F(GridOnScreen, DraggingAColumnDividerResizesAndNeverBelowZero)
{
    CRect heading;
    ASSERT_TRUE(grid.GetCellRect(0, 2, &heading));
    auto drag = [&](int fromX, int toX) {
        POINT from = testkit::ScreenPoint(grid.GetSafeHwnd(), fromX, heading.CenterPoint().y);
        POINT to = testkit::ScreenPoint(grid.GetSafeHwnd(), toX, heading.CenterPoint().y);
        NullHost::MoveMouse(from.x, from.y);
        Pump();
        NullHost::MouseDown(from.x, from.y);
        Pump();
        NullHost::MoveMouse(to.x, to.y);
        Pump();
        NullHost::MouseUp(to.x, to.y);
        Pump();
    };
    // Pressed just right of the divider (on the next column's left edge), it still sizes
    // the column before it.
    drag(heading.right + 1, heading.right + 26);
    EXPECT_EQ(grid.GetColumnWidth(2), 85);
    EXPECT_EQ(grid.GetColumnWidth(3), 60);
    Click(5, 1); // two presses at one place in a row would be a double click

    ASSERT_TRUE(grid.GetCellRect(0, 2, &heading));
    drag(heading.right, heading.right);
    EXPECT_EQ(grid.GetColumnWidth(2), 85) << "released where pressed: unchanged";
    Click(6, 1);

    drag(heading.right, heading.left - 30);
    EXPECT_EQ(grid.GetColumnWidth(2), 0) << "dragged past its left edge";

    // A double click on a divider fits the column to its texts.
    CRect third;
    ASSERT_TRUE(grid.GetCellRect(0, 3, &third));
    POINT divider = testkit::ScreenPoint(grid.GetSafeHwnd(), third.right, third.CenterPoint().y);
    NullHost::MoveMouse(divider.x, divider.y);
    Pump();
    NullHost::DoubleClick(divider.x, divider.y);
    Pump();
    EXPECT_LT(grid.GetColumnWidth(3), 60);
    EXPECT_GT(grid.GetColumnWidth(3), 0);
}

TEST_F(GridOnScreen, TypingEditsInPlaceAndTheOwnerHearsBeginAndEnd)
{
    Click(2, 2);
    parent.notifications.clear();
    NullHost::TypeText("Q");
    Pump();
    NullHost::TypeText("z");
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(grid.GetItemText(2, 2), "Qz");
    EXPECT_TRUE(grid.GetModified(2, 2));
    EXPECT_EQ(Heard(), (std::vector<std::pair<UINT, KTCellID>> { { BEGIN, { 2, 2 } }, { END, { 2, 2 } } }));

    // Esc puts the text back; the cell is not marked.
    grid.SetModified(FALSE);
    NullHost::TypeText("x");
    Pump();
    NullHost::PressKey(VK_ESCAPE);
    Pump();
    EXPECT_EQ(grid.GetItemText(2, 2), "Qz");
    EXPECT_FALSE(grid.GetModified(2, 2));

    // Tab stores and goes on editing the next cell with its text selected.
    parent.notifications.clear();
    NullHost::TypeText("1");
    Pump();
    NullHost::PressKey(VK_TAB);
    Pump();
    NullHost::TypeText("2");
    Pump();
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(grid.GetItemText(2, 2), "1");
    EXPECT_EQ(grid.GetItemText(2, 3), "2");
    EXPECT_EQ(Heard(), (std::vector<std::pair<UINT, KTCellID>> { { BEGIN, { 2, 2 } }, { END, { 2, 2 } },
                           { CHANGING, { 2, 2 } }, { CHANGED, { 2, 3 } }, { BEGIN, { 2, 3 } }, { END, { 2, 3 } } }));

    // A read-only cell opens nothing and sends nothing.
    grid.SetItemState(3, 3, grid.GetItemState(3, 3) | GVIS_READONLY);
    Click(3, 3);
    parent.notifications.clear();
    NullHost::TypeText("k");
    Pump();
    EXPECT_EQ(grid.GetItemText(3, 3), "c3");
    EXPECT_TRUE(parent.notifications.empty());
}

TEST_F(GridOnScreen, ClickOnTheFocusCellOpensTheEditWithTheCaretAtTheEnd)
{
    Click(4, 1);
    Click(4, 1);
    NullHost::TypeText("!");
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(grid.GetItemText(4, 1), "a4!");
}

TEST_F(GridOnScreen, CopyAndPasteBetweenTwoGridsSkipReadOnlyCells)
{
    KTGrid other;
    MakeGrid(other, CRect(0, 0, 200, 120), kGridId + 1);
    grid.SetItemText(1, 2, "");
    grid.SetSelectedRange(1, 1, 2, 2);
    CString text;
    ASSERT_TRUE(grid.CopyTextFromGrid(text));
    EXPECT_EQ(text, "a1\t \na2\tb2");
    grid.OnEditCopy();
    EXPECT_EQ(platform::ui::GetClipboardText(), "a1\t \na2\tb2");

    other.SetItemState(3, 4, GVIS_READONLY);
    other.SetFocusCell(2, 3);
    parent.notifications.clear();
    other.OnEditPaste();
    EXPECT_EQ(other.GetItemText(2, 3), "a1");
    EXPECT_EQ(other.GetItemText(2, 4), "");
    EXPECT_EQ(other.GetItemText(3, 3), "a2");
    EXPECT_EQ(other.GetItemText(3, 4), "d3") << "the read-only cell keeps its text";
    std::vector<std::pair<UINT, KTCellID>> heard;
    for (const auto& n : parent.notifications)
        if (n.id == kGridId + 1)
            heard.push_back({ n.code, { n.As<GridNotifyInfo>().iRow, n.As<GridNotifyInfo>().iColumn } });
    EXPECT_EQ(heard, (std::vector<std::pair<UINT, KTCellID>> { { BEGIN, { 2, 3 } }, { END, { 2, 3 } },
                         { BEGIN, { 2, 4 } }, { END, { 2, 4 } }, { BEGIN, { 3, 3 } }, { END, { 3, 3 } } }));

    // Separators collapse; tokens past the last column are dropped.
    EXPECT_TRUE(other.PasteTextToGrid({ 4, 3 }, "x,,y,z"));
    EXPECT_EQ(other.GetItemText(4, 3), "x");
    EXPECT_EQ(other.GetItemText(4, 4), "y");

    // Cut empties the selected texts and keeps the selection and the focus.
    grid.SetFocusCell(2, 2);
    grid.OnEditCut();
    EXPECT_EQ(grid.GetItemText(2, 1), "");
    EXPECT_EQ(grid.GetItemText(2, 2), "");
    EXPECT_EQ(grid.GetSelectedCount(), 4);
    EXPECT_EQ(grid.GetFocusCell(), KTCellID(2, 2));
    EXPECT_TRUE(grid.GetItemState(2, 2) & GVIS_FOCUSED);
}

// Which of the grid's edit commands a frame would offer.
struct EditCommandsEnabled
{
    bool copy, cut, paste, selectAll;
    bool operator==(const EditCommandsEnabled&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const EditCommandsEnabled& e)
    {
        return out << "copy " << e.copy << ", cut " << e.cut << ", paste " << e.paste << ", select all "
                   << e.selectAll;
    }
};

// What a frame's menu or toolbar asks the grid for the four edit commands, as the user selects,
// the clipboard fills, and the grid is made read-only or unselectable.
TEST_F(GridOnScreen, EditCommandsAreEnabledOnlyWhenTheyCanAct)
{
    CString clipboard;
    bool clipboardHasText = false;
    platform::ui::ClipboardBackend backend;
    backend.put = [&](const CString& text) {
        clipboard = text;
        clipboardHasText = true;
    };
    backend.get = [&](CString& text) {
        text = clipboard;
        return clipboardHasText;
    };
    platform::ui::SetClipboardBackend(backend);
    auto asked = [&] {
        auto enabled = [&](UINT id) {
            CCmdUI state;
            state.m_nID = id;
            state.DoUpdate(&grid, TRUE);
            return state.m_bEnabled != FALSE;
        };
        return EditCommandsEnabled { enabled(ID_EDIT_COPY), enabled(ID_EDIT_CUT), enabled(ID_EDIT_PASTE),
                         enabled(ID_EDIT_SELECT_ALL) };
    };
    EXPECT_EQ(asked(), (EditCommandsEnabled { false, false, false, true })) << "nothing selected, nothing to paste";
    Click(2, 2);
    EXPECT_EQ(asked(), (EditCommandsEnabled { true, true, false, true })) << "a cell selected";
    NullHost::PressKeyWith('C', { VK_CONTROL });
    Pump();
    EXPECT_EQ(asked(), (EditCommandsEnabled { true, true, true, true })) << "text on the clipboard";
    grid.SetItemState(2, 2, grid.GetItemState(2, 2) | GVIS_READONLY);
    EXPECT_EQ(asked(), (EditCommandsEnabled { true, true, false, true })) << "the focus cell is read-only";
    grid.SetEditable(FALSE);
    EXPECT_EQ(asked(), (EditCommandsEnabled { true, false, false, true })) << "a read-only grid";
    grid.EnableSelection(FALSE);
    EXPECT_EQ(asked().selectAll, false) << "selection switched off";
    platform::ui::SetClipboardBackend({});
}

TEST_F(GridOnScreen, CommaSeparatedFilesRoundTripAwkwardCells)
{
    testkit::TempFolder folder;
    const std::string path = folder.Path("grid.csv").GetString();

    // A plain grid writes the plain format, one line per row.
    KTGrid plain(3, 2);
    const char* cells[3][2] = { { "Name", "Age" }, { "Ann", "31" }, { "Bob", "" } };
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            plain.SetItemText(r, c, cells[r][c]);
    ASSERT_TRUE(plain.Save(path.c_str()));
    EXPECT_EQ(ReadFile(path), "Name,Age\nAnn,31\nBob,\n");

    // Awkward texts come back as they went.
    const std::string longText(5000, 'w');
    const std::vector<std::vector<std::string>> awkward = {
        { "H1", "H2", "H3" },
        { "a,b", "say \"hi\"", "two\nlines" },
        { longText, "", "" },
        { "", " padded ", "\"" },
    };
    KTGrid g(4, 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetItemText(r, c, awkward[r][c].c_str());
    ASSERT_TRUE(g.Save(path.c_str()));
    KTGrid back;
    ASSERT_TRUE(back.Load(path.c_str()));
    ASSERT_EQ(back.GetRowCount(), 4);
    ASSERT_EQ(back.GetColumnCount(), 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(std::string(back.GetItemText(r, c).GetString()), awkward[r][c]) << r << "," << c;

    // A file written by hand: long lines are whole, trailing empty cells kept, extra cells widen.
    WriteFile(path, "A,B\n" + longText + ",\nx,y,z\n");
    ASSERT_TRUE(back.Load(path.c_str()));
    EXPECT_EQ(back.GetRowCount(), 3);
    EXPECT_EQ(back.GetColumnCount(), 3);
    EXPECT_EQ(std::string(back.GetItemText(1, 0).GetString()), longText);
    EXPECT_EQ(back.GetItemText(1, 1), "");
    EXPECT_EQ(back.GetItemText(2, 2), "z");
    EXPECT_EQ(back.GetItemFormat(0, 0), static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

TEST_F(GridOnScreen, PrintingAGridWithoutNormalRowsPrintsOnePageOfHeadings)
{
    testkit::TempFolder folder;
    const std::string out = folder.Path("grid.pdf").GetString();
    KTGrid headings(1, 3, 1, 0);
    headings.SetItemText(0, 0, "Bed");
    headings.SetItemText(0, 1, "Patient");
    CDC printer;
    ASSERT_TRUE(printer.CreatePrinterDC("", nullptr));
    DOCINFO info {};
    info.cbSize = sizeof(info);
    info.lpszDocName = "grid";
    info.lpszOutput = out.c_str();
    ASSERT_GT(printer.StartDoc(&info), 0);
    headings.OnBeginPrinting(&printer);
    EXPECT_EQ(headings.GetPrintPageCount(), 1);
    printer.StartPage();
    headings.OnPrint(&printer, 1);
    EXPECT_GT(printer.EndPage(), 0);
    headings.OnEndPrinting(&printer);
    EXPECT_GT(printer.EndDoc(), 0);
    const std::string text = testkit::ShellOutput("pdftotext -raw '" + out + "' -");
    EXPECT_NE(text.find("Page 1 of 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Patient"), std::string::npos) << text;
    testkit::ShellOutput("pdftoppm -r 30 -png '" + out + "' '" + folder.Path("page").GetString() + "'");
    EXPECT_FALSE(ReadFile(folder.Path("page-1.png").GetString()).empty()) << "the page rasterises";

    // Many rows: more pages, each with its own footer.
    KTGrid tall(301, 2, 1, 0);
    CDC second;
    ASSERT_TRUE(second.CreatePrinterDC("", nullptr));
    tall.OnBeginPrinting(&second);
    EXPECT_GT(tall.GetPrintPageCount(), 1);
    tall.OnEndPrinting(&second);
}

TEST_F(GridOnScreen, TitleTipShowsTheWholeTextOfACellTooNarrowForIt)
{
    Click(1, 1); // the grid has the keyboard focus
    grid.SetItemText(3, 2, "a text far too long for its cell");
    auto tipShown = [&] {
        // A shown tip holds the mouse capture.
        HWND tip = GetCapture();
        char name[32] {};
        return tip && IsWindowVisible(tip) && GetClassName(tip, name, sizeof name) && std::string(name) == "KTTitleTip";
    };
    auto hover = [&](int row, int col) {
        POINT p = Centre(grid, row, col);
        NullHost::MoveMouse(p.x, p.y);
        Pump();
    };
    hover(3, 3);
    EXPECT_FALSE(tipShown()) << "a text that fits shows no tip";
    hover(3, 2);
    EXPECT_TRUE(tipShown());
    NullHost::PressKey(VK_DOWN);
    Pump();
    EXPECT_FALSE(tipShown()) << "a key hides the tip";
    EXPECT_EQ(grid.GetFocusCell(), KTCellID(2, 1)) << "and the grid has the key";
}

// Shown without a hover rectangle, the tip stays while the pointer moves over the cell and goes
// when it leaves the cell.
TEST_F(GridOnScreen, ATitleTipWithoutAHoverRectangleStaysOverItsCell)
{
    Click(1, 1); // the grid has the keyboard focus
    KTTitleTip tip;
    ASSERT_TRUE(tip.Create(&grid));
    CRect cell;
    ASSERT_TRUE(grid.GetCellRect(3, 2, &cell));
    tip.Show(cell, "a text far too long for its cell", 0, nullptr, nullptr);
    Pump();
    ASSERT_TRUE(tip.IsWindowVisible());
    auto move = [&](int x, int y) {
        const POINT p = testkit::ScreenPoint(grid.GetSafeHwnd(), x, y);
        NullHost::MoveMouse(p.x, p.y);
        Pump();
    };
    move(cell.left + 3, cell.top + 2);
    move(cell.right - 2, cell.bottom - 2);
    EXPECT_TRUE(tip.IsWindowVisible()) << "the pointer is still on the cell";
    const platform::Image picture = testkit::Capture(tip.GetSafeHwnd());
    testkit::SaveForReview(picture, "ktctrl_GridTitleTip");
    move(cell.right + 5, cell.CenterPoint().y);
    EXPECT_FALSE(tip.IsWindowVisible()) << "the pointer left the cell";
}

TEST_F(GridOnScreen, LooksRightWithASelectionAFocusCellAndAnOpenEditor)
{
    grid.SetItemBkColour(5, 4, RGB(255, 240, 200));
    grid.SetItemFgColour(5, 4, RGB(160, 0, 0));
    Click(2, 2);
    Click(3, 3, { VK_SHIFT });
    Click(5, 1, { VK_CONTROL });
    NullHost::TypeText("edit");
    Pump();
    platform::Image picture = testkit::Capture(parent.GetSafeHwnd());
    testkit::SaveForReview(picture, "ktctrl_Grid");
    testkit::ExpectMatchesGolden(picture, "ktctrl/tests/golden/Grid.png", { 40, 0.02 });
    NullHost::PressKey(VK_ESCAPE);
    Pump();
}

} // namespace

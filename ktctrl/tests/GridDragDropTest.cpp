// Dragging cells between grids with the mouse: a copy (Ctrl) and a move of a block, drops on
// read-only cells, Escape, a release where no grid is, a press that never leaves the drag
// distance, the target scrolling while the drag rests at its bottom edge, a reviewed picture of
// a drag over the target and the focus cell's drag image.
#include "ktctrl/grid/KTGrid.h"
#include "platform/gdi/CImageList.h"
#include "platform/gdi/Cursor.h"
#include "testkit/Golden.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kSourceId = 700, kTargetId = 701;

class GridDragDrop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = [](UINT) { return sizeof(GridNotifyInfo); };
        ASSERT_TRUE(parent.CreateTop(900, 300));
        MakeGrid(source, CRect(0, 0, 420, 240), kSourceId, 's');
        MakeGrid(target, CRect(440, 0, 860, 240), kTargetId, 't');
        Pump();
        // A block of four selected cells with the focus in its bottom-right corner: a press on
        // any other of them starts a drag.
        testkit::ClickPumped(Centre(source, { 1, 1 }));
        testkit::ClickWithKeys(Centre(source, { 2, 2 }), { VK_SHIFT });
        ASSERT_EQ(source.GetSelectedCellRange(), KTCellRange(1, 1, 2, 2));
        parent.Clear();
    }

    void MakeGrid(KTGrid& g, CRect rect, UINT id, char prefix)
    {
        g.SetRowCount(12);
        g.SetColumnCount(5);
        g.SetFixedRowCount(1);
        g.SetFixedColumnCount(1);
        g.EnableDragAndDrop();
        ASSERT_TRUE(g.Create(rect, &parent, id, WS_CHILD | WS_VISIBLE));
        for (int c = 1; c < 5; ++c)
            g.SetItemText(0, c, CString(std::string(1, static_cast<char>('A' + c - 1)).c_str()));
        for (int r = 1; r < 12; ++r)
            g.SetItemText(r, 0, CString(std::to_string(r).c_str()));
        for (int r = 1; r < 12; ++r)
            for (int c = 1; c < 5; ++c)
                g.SetItemText(r, c, CString((std::string(1, prefix) + std::to_string(r) + std::to_string(c)).c_str()));
        for (int c = 0; c < 5; ++c)
            g.SetColumnWidth(c, 60);
    }

    static POINT Centre(KTGrid& g, KTCellID cell)
    {
        CRect rect;
        EXPECT_TRUE(g.GetCellRect(cell.row, cell.col, &rect));
        return testkit::ScreenPoint(g.GetSafeHwnd(), rect.CenterPoint().x, rect.CenterPoint().y);
    }

    // Presses on `from`, moves past the drag distance and on to `to`, and there does `finish`
    // (by default releases the button), with `keys` held from the first move on.
    void Drag(KTCellID from, POINT to, std::initializer_list<int> keys = {}, bool escape = false)
    {
        const POINT start = Centre(source, from);
        NullHost::MoveMouse(start.x, start.y);
        NullHost::MouseDown(start.x, start.y);
        Pump();
        NullHost::MoveMouse(start.x + 8, start.y);
        for (int key : keys)
            NullHost::KeyDown(key);
        NullHost::MoveMouse(to.x, to.y);
        if (escape)
            NullHost::PressKey(VK_ESCAPE);
        NullHost::MouseUp(to.x, to.y);
        for (int key : keys)
            NullHost::KeyUp(key);
        Pump();
    }

    std::vector<std::string> Texts(KTGrid& g, KTCellRange range)
    {
        std::vector<std::string> out;
        for (int r = range.GetMinRow(); r <= range.GetMaxRow(); ++r)
            for (int c = range.GetMinCol(); c <= range.GetMaxCol(); ++c)
                out.push_back(g.GetItemText(r, c).GetString());
        return out;
    }

    // What the owner heard from one grid: (code, row, column), without the focus changes.
    std::vector<std::vector<int>> Heard(UINT id) const
    {
        std::vector<std::vector<int>> out;
        for (const auto& n : parent.notifications)
            if (n.id == id && n.code != GVN_ITEMCHANGING && n.code != GVN_ITEMCHANGED) {
                const auto info = n.As<GridNotifyInfo>();
                out.push_back({ static_cast<int>(n.code), info.iRow, info.iColumn });
            }
        return out;
    }

    static bool AnyHighlight(KTGrid& g)
    {
        for (int r = 0; r < g.GetRowCount(); ++r)
            for (int c = 0; c < g.GetColumnCount(); ++c)
                if (g.GetItemState(r, c) & GVIS_DROPHILITED)
                    return true;
        return false;
    }

    testkit::NotifyParent parent;
    KTGrid source, target;
};

constexpr int BEGIN = static_cast<int>(GVN_BEGINLABELEDIT), END = static_cast<int>(GVN_ENDLABELEDIT),
              BEGINDRAG = static_cast<int>(GVN_BEGINDRAG);

TEST_F(GridDragDrop, CopiesWithCtrlAndMovesWithoutBetweenTwoGrids)
{
    Drag({ 1, 2 }, Centre(target, { 3, 2 }), { VK_CONTROL });
    EXPECT_EQ(Texts(target, { 3, 2, 4, 3 }), (std::vector<std::string> { "s11", "s12", "s21", "s22" }));
    EXPECT_EQ(Texts(source, { 1, 1, 2, 2 }), (std::vector<std::string> { "s11", "s12", "s21", "s22" }))
        << "a copy leaves the source";
    EXPECT_EQ(Heard(kSourceId), (std::vector<std::vector<int>> { { BEGINDRAG, 1, 1 } }))
        << "the drag starts from the selection's top-left corner";
    EXPECT_EQ(Heard(kTargetId), (std::vector<std::vector<int>> { { BEGIN, 3, 2 }, { END, 3, 2 }, { BEGIN, 3, 3 },
                                                                 { END, 3, 3 }, { BEGIN, 4, 2 }, { END, 4, 2 },
                                                                 { BEGIN, 4, 3 }, { END, 4, 3 } }));
    EXPECT_TRUE(target.GetModified(3, 2));
    EXPECT_FALSE(AnyHighlight(target) || AnyHighlight(source));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(source.GetMouseMode(), MOUSE_NOTHING);

    // Pressed where the first drag left the focus; the block moves and leaves empty cells.
    parent.Clear();
    Drag({ 2, 1 }, Centre(target, { 6, 1 }));
    EXPECT_EQ(Texts(target, { 6, 1, 7, 2 }), (std::vector<std::string> { "s11", "s12", "s21", "s22" }));
    EXPECT_EQ(Texts(source, { 1, 1, 2, 2 }), (std::vector<std::string> { "", "", "", "" }));
    EXPECT_EQ(source.GetSelectedCellRange(), KTCellRange(1, 1, 2, 2)) << "the emptied cells stay selected";
    EXPECT_EQ(Heard(kSourceId).size(), 9u) << "the drag, then each emptied cell's begin and end";
}

TEST_F(GridDragDrop, ReadOnlyCellsKeepTheirTextsAndRefuseADropOnThem)
{
    target.SetItemState(4, 3, target.GetItemState(4, 3) | GVIS_READONLY);
    Drag({ 1, 1 }, Centre(target, { 3, 2 }));
    EXPECT_EQ(Texts(target, { 3, 2, 4, 3 }), (std::vector<std::string> { "s11", "s12", "s21", "t43" }));
    for (const auto& heard : Heard(kTargetId))
        EXPECT_NE(heard, (std::vector<int> { heard[0], 4, 3 })) << "the read-only cell hears nothing";
    EXPECT_EQ(Heard(kTargetId).size(), 6u);

    // Dropped on the read-only cell itself: nothing is pasted, so the move takes nothing away.
    source.SetItemText(1, 1, "back");
    source.SetSelectedRange(1, 1, 2, 2);
    parent.Clear();
    Drag({ 1, 1 }, Centre(target, { 4, 3 }));
    EXPECT_EQ(target.GetItemText(4, 3), "t43");
    EXPECT_EQ(source.GetItemText(1, 1), "back");
    EXPECT_EQ(Heard(kTargetId).size(), 0u);
    EXPECT_FALSE(AnyHighlight(target));
}

TEST_F(GridDragDrop, EscapeOrAReleaseWhereNoGridIsChangesNothing)
{
    const std::vector<std::string> before = Texts(target, { 1, 1, 11, 4 });
    struct Case
    {
        const char* name;
        POINT to;
        bool escape;
    } cases[] = {
        { "escape over the target", Centre(target, { 5, 2 }), true },
        { "released between the grids", { 430, 100 }, false },
        { "released outside every window", { 1200, 700 }, false },
    };
    for (const auto& c : cases) {
        Drag({ 1, 1 }, c.to, {}, c.escape);
        EXPECT_EQ(Texts(target, { 1, 1, 11, 4 }), before) << c.name;
        EXPECT_EQ(Texts(source, { 1, 1, 2, 2 }), (std::vector<std::string> { "s11", "s12", "s21", "s22" })) << c.name;
        EXPECT_FALSE(AnyHighlight(target) || AnyHighlight(source)) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        source.SetSelectedRange(1, 1, 2, 2);
    }
}

TEST_F(GridDragDrop, APressThatStaysWithinTheDragDistanceIsAClick)
{
    const POINT at = Centre(source, { 1, 1 });
    NullHost::MoveMouse(at.x, at.y);
    NullHost::MouseDown(at.x, at.y);
    Pump();
    EXPECT_EQ(source.GetMouseMode(), MOUSE_PREPARE_DRAG);
    NullHost::MoveMouse(at.x + 3, at.y + 3);
    NullHost::MouseUp(at.x + 3, at.y + 3);
    Pump();
    EXPECT_EQ(Heard(kSourceId).size(), 0u) << "no drag";
    EXPECT_EQ(source.GetSelectedCount(), 0) << "a click on the selection clears it";
    EXPECT_EQ(GetCapture(), nullptr);
}

// Released from a timer inside the drag, once the drag has rested at the bottom edge.
POINT s_release;
void ReleaseLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    NullHost::MouseUp(s_release.x, s_release.y);
}

TEST_F(GridDragDrop, TheTargetScrollsWhileTheDragRestsAtItsBottomEdge)
{
    target.SetWindowPos(nullptr, 0, 0, 420, 100, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    CRect client;
    target.GetClientRect(&client);
    s_release = testkit::ScreenPoint(target.GetSafeHwnd(), 90, client.bottom - 3);
    const KTCellID below = target.GetCellFromPt(CPoint(90, client.bottom - 3), FALSE);
    ASSERT_TRUE(target.IsValid(below));

    const POINT start = Centre(source, { 1, 1 });
    NullHost::MoveMouse(start.x, start.y);
    NullHost::MouseDown(start.x, start.y);
    Pump();
    NullHost::MoveMouse(start.x + 8, start.y);
    NullHost::MoveMouse(s_release.x, s_release.y);
    SetTimer(nullptr, 0, 400, ReleaseLater);
    Pump();

    const int top = target.GetTopleftNonFixedCell().row;
    EXPECT_GT(top, 1) << "scrolled down while resting at the edge";
    const KTCellID landed = target.GetCellFromPt(CPoint(90, client.bottom - 3), FALSE);
    EXPECT_GT(landed.row, below.row);
    EXPECT_EQ(target.GetItemText(landed.row, landed.col), "s11") << "dropped on the cell under the pointer then";
}

// Looks at the screen from a timer inside the drag, then releases.
struct MidDrag
{
    HWND window { nullptr };
    platform::Image picture;
    HCURSOR cursor { nullptr };
    POINT release {};
} s_midDrag;

void LookThenRelease(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    s_midDrag.picture = testkit::Capture(s_midDrag.window);
    s_midDrag.cursor = platform::msg::CurrentCursor();
    NullHost::MouseUp(s_midDrag.release.x, s_midDrag.release.y);
}

TEST_F(GridDragDrop, LooksRightWhileDraggingOverTheTarget)
{
    s_midDrag = MidDrag { parent.GetSafeHwnd(), {}, nullptr, Centre(target, { 3, 2 }) };
    const POINT start = Centre(source, { 1, 1 });
    NullHost::MoveMouse(start.x, start.y);
    NullHost::MouseDown(start.x, start.y);
    Pump();
    NullHost::MoveMouse(start.x + 8, start.y);
    NullHost::MoveMouse(s_midDrag.release.x, s_midDrag.release.y);
    SetTimer(nullptr, 0, 100, LookThenRelease);
    Pump();
    EXPECT_EQ(s_midDrag.cursor, platform::DragCursor(platform::DragFeedback::Move));
    testkit::SaveForReview(s_midDrag.picture, "ktctrl_GridDragOver");
    testkit::ExpectMatchesGolden(s_midDrag.picture, "ktctrl/tests/golden/GridDragOver.png", { 40, 0.02 });
    EXPECT_EQ(target.GetItemText(3, 2), "s11");
}

TEST_F(GridDragDrop, TheDragImageIsTheFocusCell)
{
    CPoint size;
    std::unique_ptr<CImageList> image(source.CreateDragImage(&size));
    ASSERT_TRUE(image);
    CRect cell;
    source.GetCellRect(2, 2, &cell);
    EXPECT_EQ(size, CPoint(cell.Width(), cell.Height()));
    EXPECT_EQ(image->GetImageCount(), 1);

    KTGrid unshown(3, 3, 1, 1);
    EXPECT_EQ(unshown.CreateDragImage(&size), nullptr) << "no window, no picture";
}

} // namespace

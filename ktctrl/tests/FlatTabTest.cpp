// The flat tab strip on the null host: what the parent hears for each kind of click, scrolling
// with the buttons (and their auto-repeat), the names of copies, the error results, the limits
// of tab texts (kept and notified), which item becomes current after a delete, dragging a tab
// to move it, label editing, and a parent that changes or destroys the strip while it handles
// a notification.
#include "ktctrl/composite/KTFlatTab.h"
#include "ktutil/KTGF.h"
#include "platform/core/Clock.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Image.h"
#include "testkit/NotifyParent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kStripId = 700;

class KTFlatTabTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.sizeOf = [](UINT) { return sizeof(TabNotifyInfo); };
        ASSERT_TRUE(parent.CreateTop(400, 200));
        Pump();
    }
    void TearDown() override
    {
        strip.reset();
        Pump();
    }

    void Make(DWORD style, int count, int width = 300)
    {
        strip = std::make_unique<KTFlatTab>();
        ASSERT_TRUE(strip->Create(WS_VISIBLE | style, CRect(10, 10, 10 + width, 30), &parent, kStripId));
        for (int i = 0; i < count; ++i)
            ASSERT_EQ(strip->InsertItem(i, ("Sheet " + std::to_string(i + 1)).c_str()), i);
        Pump();
        parent.Clear();
    }
    POINT OnItem(int index) const
    {
        CPoint c = strip->GetItemTextRect(index).CenterPoint();
        return testkit::ScreenPoint(*strip, c.x, c.y);
    }
    POINT OnButton(int hit) const
    {
        CPoint c = strip->GetButtonRect(hit).CenterPoint();
        return testkit::ScreenPoint(*strip, c.x, c.y);
    }
    void Click(POINT p, std::initializer_list<int> keys = {})
    {
        clock.Advance(1000); // never the second half of a double click
        testkit::ClickWithKeys(p, keys);
    }
    std::vector<int> Indices() const
    {
        std::vector<int> out;
        for (auto& n : parent.notifications)
            out.push_back(n.As<TabNotifyInfo>().nItem);
        return out;
    }

    platform::ScopedTestClock clock { 10000 };
    testkit::NotifyParent parent;
    std::unique_ptr<KTFlatTab> strip;
};

// ---- notifications -------------------------------------------------------------------------------

struct ClickCase
{
    const char* what;
    DWORD style;
    int highlightFirst; // an item highlighted before the click, or -1
    int target;         // an item, or KTTAB_HIT_NOWHERE for the empty end of the strip
    bool ctrl;
    std::vector<UINT> codes;
    std::vector<int> indices;
};

TEST_F(KTFlatTabTest, EachClickTellsTheParentInOrder)
{
    const ClickCase cases[] = {
        { "another tab", 0, -1, 1, false, { 1, 3 }, { 1, 1 } },
        { "the current tab", 0, -1, 0, false, { 1 }, { 0 } },
        { "past the last tab", 0, -1, KTTAB_HIT_NOWHERE, false, { 1 }, { KTTAB_HIT_NOWHERE } },
        { "ctrl with highlighting", KTTAB_MULTIHIGHLIGHT, -1, 2, true, { 1, 4 }, { 2, 2 } },
        { "ctrl on the current tab", KTTAB_MULTIHIGHLIGHT, -1, 0, true, { 1 }, { 0 } },
        { "a plain click clears other highlights", KTTAB_MULTIHIGHLIGHT, 1, 2, false, { 1, 3, 4, 4, 4 }, { 2, 2, 0, 1, 2 } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Make(KTTAB_AUTOHIDEBUTTONS | c.style, 3);
        strip->SetCurSel(0);
        if (c.highlightFirst >= 0)
            strip->HighlightItem(c.highlightFirst, TRUE);
        parent.Clear();
        POINT p = c.target >= 0 ? OnItem(c.target) : testkit::ScreenPoint(*strip, 295, 10);
        Click(p, c.ctrl ? std::initializer_list<int> { VK_CONTROL } : std::initializer_list<int> {});
        EXPECT_EQ(parent.Codes(), c.codes);
        EXPECT_EQ(Indices(), c.indices);
        for (auto& n : parent.notifications)
            EXPECT_EQ(n.id, kStripId);
    }
}

TEST_F(KTFlatTabTest, TheRecordCarriesTheItemAndThePoint)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 3);
    strip->SetItemData(1, 4711);
    strip->SetCurSel(0);
    Click(OnItem(1));
    ASSERT_EQ(parent.Codes(), (std::vector<UINT> { 1, 3 }));
    auto down = parent.notifications[0].As<TabNotifyInfo>();
    auto change = parent.notifications[1].As<TabNotifyInfo>();
    EXPECT_STREQ(change.szText, "Sheet 2");
    EXPECT_EQ(change.dwData, 4711u);
    EXPECT_EQ(CRect(change.rcText), strip->GetItemTextRect(1));
    EXPECT_EQ(change.bCurrent, 1);
    EXPECT_EQ(down.x, strip->GetItemTextRect(1).CenterPoint().x);
    EXPECT_EQ(down.hdr.hwndFrom, strip->GetSafeHwnd());

    parent.Clear();
    NullHost::Click(OnItem(2).x, OnItem(2).y, platform::msg::MouseButton::Right);
    Pump();
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { 2 }));
    EXPECT_EQ(Indices(), (std::vector<int> { 2 }));
}

TEST_F(KTFlatTabTest, ADisabledTabCannotBeHit)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 3);
    strip->EnableItem(1, FALSE);
    Click(OnItem(1));
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { 1 }));
    EXPECT_EQ(Indices(), (std::vector<int> { KTTAB_HIT_NOWHERE }));
    EXPECT_EQ(strip->GetCurSel(), -1);
}

// ---- scrolling -----------------------------------------------------------------------------------

TEST_F(KTFlatTabTest, ScrollButtonsMoveThroughTabsThatDoNotFit)
{
    Make(KTTAB_FOURBUTTONS, 12);
    ASSERT_TRUE(strip->ButtonsShown());
    struct Step
    {
        int button;
        int firstAfter; // -1: as far as the last tab allows
    };
    const Step steps[] = { { KTTAB_HIT_NEXT, 1 }, { KTTAB_HIT_NEXT, 2 }, { KTTAB_HIT_PREV, 1 },
                           { KTTAB_HIT_LAST, -1 }, { KTTAB_HIT_FIRST, 0 }, { KTTAB_HIT_PREV, 0 } };
    for (const auto& s : steps) {
        parent.Clear();
        Click(OnButton(s.button));
        EXPECT_EQ(Indices(), (std::vector<int> { s.button }));
        if (s.firstAfter >= 0) {
            EXPECT_EQ(strip->GetFirstVisible(), s.firstAfter);
        } else {
            CRect last;
            strip->GetItemRect(11, &last);
            EXPECT_LE(last.right, 300);
            EXPECT_GT(strip->GetFirstVisible(), 2);
        }
    }
    // Tabs before the first visible one have no place on the strip.
    Click(OnButton(KTTAB_HIT_NEXT));
    EXPECT_FALSE(strip->IsItemVisible(0));
    CRect hidden;
    strip->GetItemRect(0, &hidden);
    EXPECT_TRUE(hidden.IsRectEmpty());
    // Forward stops once the last tab is whole.
    Click(OnButton(KTTAB_HIT_LAST));
    const int end = strip->GetFirstVisible();
    Click(OnButton(KTTAB_HIT_NEXT));
    EXPECT_EQ(strip->GetFirstVisible(), end);
}

TEST_F(KTFlatTabTest, AHeldButtonRepeatsAfterAQuarterSecond)
{
    Make(0, 12);
    POINT p = OnButton(KTTAB_HIT_NEXT);
    NullHost::MoveMouse(p.x, p.y);
    NullHost::MouseDown(p.x, p.y);
    Pump();
    EXPECT_EQ(strip->GetFirstVisible(), 1);
    EXPECT_EQ(strip->GetButtonState(KTTAB_HIT_NEXT), KTTabStrip::BTN_PRESSED);
    testkit::AdvancePumped(clock, 150);
    EXPECT_EQ(strip->GetFirstVisible(), 1);
    testkit::AdvancePumped(clock, 150);
    EXPECT_EQ(strip->GetFirstVisible(), 2);
    NullHost::MouseUp(p.x, p.y);
    Pump();
    EXPECT_EQ(strip->GetButtonState(KTTAB_HIT_NEXT), KTTabStrip::BTN_NORMAL);
    testkit::AdvancePumped(clock, 600);
    EXPECT_EQ(strip->GetFirstVisible(), 2);
}

TEST_F(KTFlatTabTest, TabsThatFitNeedNoButtonsWithAutoHide)
{
    Make(KTTAB_AUTOHIDEBUTTONS | KTTAB_FOURBUTTONS, 2);
    EXPECT_FALSE(strip->ButtonsShown());
    for (int x = 0; x < 300; x += 3)
        EXPECT_FALSE(strip->HitTest(CPoint(x, 10)) <= KTTAB_HIT_FIRST && strip->HitTest(CPoint(x, 10)) >= KTTAB_HIT_LAST) << x;
    // Two buttons without the four-button style, even when everything fits.
    Make(0, 2);
    EXPECT_TRUE(strip->ButtonsShown());
    EXPECT_EQ(strip->HitTest(strip->GetButtonRect(KTTAB_HIT_PREV).CenterPoint()), KTTAB_HIT_PREV);
    EXPECT_TRUE(strip->GetButtonRect(KTTAB_HIT_FIRST).IsRectEmpty());
}

TEST_F(KTFlatTabTest, NeighboursOverlapByHalfTheHeight)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 3);
    CRect first, second;
    strip->GetItemRect(0, &first);
    strip->GetItemRect(1, &second);
    EXPECT_EQ(first.left, 0);
    EXPECT_EQ(first.top, 1);
    EXPECT_EQ(first.bottom, 19);
    EXPECT_EQ(second.left, first.right - 10);
    // Widths follow the text; with the same-width style all are as wide as the widest.
    strip->SetItemText(2, "A much longer sheet name");
    CRect longer;
    strip->GetItemRect(2, &longer);
    EXPECT_GT(longer.Width(), first.Width());
    strip->ModifyStyle(0, KTTAB_SAMEWIDTH);
    strip->GetItemRect(0, &first);
    strip->GetItemRect(2, &longer);
    EXPECT_EQ(first.Width(), longer.Width());
}

// ---- items ---------------------------------------------------------------------------------------

TEST_F(KTFlatTabTest, CopiesAreNamedWithTheNextFreeNumber)
{
    struct CopyCase
    {
        std::vector<const char*> tabs;
        const char* expected; // the name of a copy of the first tab
    };
    const CopyCase cases[] = {
        { { "Sheet" }, "Sheet (2)" },
        { { "Sheet", "Sheet (2)" }, "Sheet (3)" },
        { { "Sheet (3)" }, "Sheet (2)" },
        { { "Sheet (1)" }, "Sheet (1) (2)" },
        { { "Sheet(12)" }, "Sheet(2)" },
        { { "Sheet (3)", "Sheet (2)" }, "Sheet (4)" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tabs[0]);
        Make(KTTAB_AUTOHIDEBUTTONS, 0);
        for (size_t i = 0; i < c.tabs.size(); ++i)
            strip->InsertItem(static_cast<int>(i), c.tabs[i]);
        const int copy = strip->CopyItem(0, strip->GetItemCount());
        EXPECT_EQ(copy, static_cast<int>(c.tabs.size()));
        EXPECT_STREQ(strip->GetItemText(copy), c.expected);
        EXPECT_EQ(strip->GetCurSel(), copy);
        EXPECT_TRUE(parent.notifications.empty()); // the public form tells nobody
    }
}

TEST_F(KTFlatTabTest, OperationsAnswerWithTheirErrorResults)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 3);
    const std::string fifty(50, 'x');
    EXPECT_EQ(strip->InsertItem(-1, "a"), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->InsertItem(4, "a"), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->InsertItem(0, fifty.c_str()), KTTAB_ERR_TEXTLONG);
    EXPECT_EQ(strip->InsertItem(3, fifty.substr(1).c_str()), 3);
    EXPECT_EQ(strip->GetItemCount(), 4);
    EXPECT_EQ(strip->DeleteItem(4), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->DeleteItem(-1), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->SetCurSel(7), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->MoveItem(0, 9), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->MoveItem(-3, 1), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->CopyItem(9, 0), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->HighlightItem(1, TRUE), KTTAB_ERR_NOHIGHLIGHT);
    EXPECT_EQ(strip->SetItemTooltipText(1, "tip"), KTTAB_ERR_NOTOOLTIP);
    EXPECT_EQ(strip->EditLabel(1), KTTAB_ERR_NOEDIT);
    EXPECT_EQ(strip->GetItemData(9), 0u);
    EXPECT_FALSE(strip->SetItemText(9, "x"));
    EXPECT_EQ(strip->GetItemCount(), 4);

    Make(KTTAB_AUTOHIDEBUTTONS | KTTAB_EDITLABELS | KTTAB_TOOLTIPS, 3);
    strip->SetCurSel(0);
    EXPECT_EQ(strip->EditLabel(1), KTTAB_ERR_NOTCURRENT);
    EXPECT_EQ(strip->EditLabel(5), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->EditLabel(0), 0);
    EXPECT_EQ(strip->EditLabel(0), KTTAB_ERR_EDITOPEN);
    EXPECT_EQ(strip->SetItemTooltipText(3, "tip"), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->SetItemTooltipText(-5, "tip"), KTTAB_ERR_INDEX);
    EXPECT_EQ(strip->SetItemTooltipText(1, "tip"), 0);
    EXPECT_EQ(strip->SetItemTooltipText(KTTAB_HIT_NEXT, "Next sheet"), 0);
}

TEST_F(KTFlatTabTest, TextsKeepToTheirLimitAtCharacterBoundaries)
{
    Make(KTTAB_AUTOHIDEBUTTONS, 1);
    std::string accented;
    for (int i = 0; i < 60; ++i)
        accented += "\xC3\xA9"; // é
    EXPECT_EQ(strip->InsertItem(0, accented.c_str()), KTTAB_ERR_TEXTLONG);
    ASSERT_TRUE(strip->SetItemText(0, accented.c_str()));
    const CString kept = strip->GetItemText(0);
    EXPECT_EQ(KTGF::TextCount(kept), KTTAB_MAXTEXT);
    EXPECT_EQ(std::string(kept), accented.substr(0, 2 * KTTAB_MAXTEXT));

    // The record's text field holds 51 bytes and a terminator: 25 whole characters here.
    strip->SetCurSel(0);
    Click(OnItem(0));
    ASSERT_FALSE(parent.notifications.empty());
    auto info = parent.notifications[0].As<TabNotifyInfo>();
    EXPECT_EQ(std::strlen(info.szText), 50u);
    EXPECT_EQ(std::string(info.szText), accented.substr(0, 50));
}

TEST_F(KTFlatTabTest, DeletingMovesTheCurrentItemAsExpected)
{
    struct DeleteCase
    {
        int count, current, deleted, currentAfter;
    };
    const DeleteCase cases[] = {
        { 4, 1, 1, 1 },  // the next one takes its place
        { 4, 3, 3, 2 },  // the last one: the one before it
        { 1, 0, 0, -1 }, // the only one: none
        { 4, 2, 0, 1 },  // an earlier one: the index follows
        { 4, 1, 3, 1 },  // a later one: unchanged
    };
    for (const auto& c : cases) {
        Make(KTTAB_AUTOHIDEBUTTONS, c.count);
        strip->SetCurSel(c.current);
        EXPECT_EQ(strip->DeleteItem(c.deleted), 0);
        EXPECT_EQ(strip->GetCurSel(), c.currentAfter) << c.count << " " << c.current << " " << c.deleted;
    }
    strip->DeleteAllItems();
    EXPECT_EQ(strip->GetItemCount(), 0);
    EXPECT_EQ(strip->GetCurSel(), -1);
}

TEST_F(KTFlatTabTest, DraggingATabMovesItAndTellsTheParent)
{
    Make(KTTAB_AUTOHIDEBUTTONS | KTTAB_DRAGMOVE, 3, 380);
    platform::Image picture(16, 16);
    strip->SetDragCursors(platform::CreateIconFromImage(picture), nullptr);
    strip->SetCurSel(0);
    parent.Clear();
    POINT from = OnItem(0);
    CRect last;
    strip->GetItemRect(2, &last);
    POINT to = testkit::ScreenPoint(*strip, last.right - 2, 10);
    clock.Advance(1000);
    NullHost::MoveMouse(from.x, from.y);
    NullHost::MouseDown(from.x, from.y);
    Pump();
    testkit::AdvancePumped(clock, 350); // the drag starts after 300 ms
    NullHost::MoveMouse(to.x, to.y);
    Pump();
    NullHost::MouseUp(to.x, to.y);
    Pump();
    EXPECT_STREQ(strip->GetItemText(2), "Sheet 1");
    EXPECT_STREQ(strip->GetItemText(0), "Sheet 2");
    EXPECT_EQ(strip->GetCurSel(), 2);
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { 1, KTTAB_ITEMMOVED }));
    EXPECT_EQ(Indices().back(), 2);
}

TEST_F(KTFlatTabTest, LabelEditAsksTheParentBeforeItTakesTheText)
{
    Make(KTTAB_AUTOHIDEBUTTONS | KTTAB_EDITLABELS, 2);
    strip->SetCurSel(0);
    LRESULT keepOpen = 1;
    parent.answer = [&](const NMHDR& h) { return h.code == KTTAB_LABELEDIT ? keepOpen : 0; };
    ASSERT_EQ(strip->EditLabel(0), 0);
    ASSERT_TRUE(strip->IsEditing());
    strip->GetLabelEdit()->SetWindowText("Renamed");
    Pump();
    EXPECT_STREQ(strip->GetItemText(0), "Renamed"); // typing shows at once
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_TRUE(strip->IsEditing()); // the parent said no
    keepOpen = 0;
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_FALSE(strip->IsEditing());
    EXPECT_STREQ(strip->GetItemText(0), "Renamed");
    EXPECT_EQ(parent.Codes(), (std::vector<UINT> { KTTAB_LABELEDIT, KTTAB_LABELEDIT }));

    ASSERT_EQ(strip->EditLabel(0), 0);
    strip->GetLabelEdit()->SetWindowText("Thrown away");
    Pump();
    NullHost::PressKey(VK_ESCAPE);
    Pump();
    EXPECT_FALSE(strip->IsEditing());
    EXPECT_STREQ(strip->GetItemText(0), "Renamed");
}

// ---- a parent that changes the strip while it is told something -------------------------------------

TEST_F(KTFlatTabTest, AParentMayDeleteItemsWhileItIsTold)
{
    struct Case
    {
        const char* what;
        DWORD style;
        UINT onCode;
        bool ctrl;
    };
    const Case cases[] = {
        { "on the press", 0, KTTAB_LBUTTONDOWN, false },
        { "on the change", 0, KTTAB_SELCHANGE, false },
        { "on a highlight", KTTAB_MULTIHIGHLIGHT, KTTAB_HIGHLIGHTCHANGE, false },
        { "on a ctrl highlight", KTTAB_MULTIHIGHLIGHT, KTTAB_HIGHLIGHTCHANGE, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Make(KTTAB_AUTOHIDEBUTTONS | c.style, 4);
        strip->SetCurSel(0);
        parent.answer = [&](const NMHDR& h) {
            if (h.code == c.onCode)
                strip->DeleteAllItems();
            return LRESULT { 0 };
        };
        Click(OnItem(2), c.ctrl ? std::initializer_list<int> { VK_CONTROL } : std::initializer_list<int> {});
        parent.answer = nullptr;
        EXPECT_EQ(strip->GetItemCount(), 0);
        EXPECT_EQ(strip->GetCurSel(), -1);
        // The strip goes on working.
        EXPECT_EQ(strip->InsertItem(0, "Again"), 0);
        Pump();
    }
}

TEST_F(KTFlatTabTest, AParentMayDestroyTheStripWhileItIsTold)
{
    for (UINT code : { KTTAB_LBUTTONDOWN, KTTAB_SELCHANGE }) {
        Make(KTTAB_AUTOHIDEBUTTONS, 3);
        strip->SetCurSel(0);
        parent.answer = [&](const NMHDR& h) {
            if (h.code == code)
                strip.reset();
            return LRESULT { 0 };
        };
        Click(OnItem(1));
        parent.answer = nullptr;
        EXPECT_EQ(strip, nullptr) << code;
    }
}

} // namespace

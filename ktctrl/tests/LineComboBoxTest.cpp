// The line-style combo box and list box: each pen style drawn as it should be (read back pixel
// by pixel), the band of lines and the width number, the style and width lists, selection by
// index and by (width, style), items added through the base class, the drop-down list taken
// over by the embedded list box, and a list box used alone.
#include "ktctrl/basic/KTLineComboBox.h"
#include "support/WindowPixels.h"
#include "platform/gdi/SysColors.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

#include <vector>

using ktctrl::test::ClientPixel;
using testkit::Pump;

namespace {

constexpr UINT kComboId = 500;
constexpr COLORREF kInk = RGB(0, 0, 0);

// An item drawn into a memory bitmap of `width` x 12 pixels.
class DrawnItem
{
public:
    DrawnItem(const LineStyleItem* item, int showWidth, UINT state = 0, int width = 120)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, 12);
        old = dc.SelectObject(&bitmap);
        DRAWITEMSTRUCT dis {};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = 0;
        dis.itemState = state;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, width, 12);
        KTLineListBox::DrawLineItem(&dis, item, showWidth);
    }
    ~DrawnItem() { dc.SelectObject(old); }

    bool Ink(int x, int y) const { return (dc.GetPixel(x, y) & 0xFFFFFF) == kInk; }
    // Smoothed text is dark rather than black.
    bool Dark(int x, int y) const
    {
        COLORREF c = dc.GetPixel(x, y);
        return GetRValue(c) < 0x80 && GetGValue(c) < 0x80 && GetBValue(c) < 0x80;
    }
    // The rows that carry ink between x = from and x = to.
    std::vector<int> InkedRows(int from, int to) const
    {
        std::vector<int> rows;
        for (int y = 0; y < 12; ++y)
            for (int x = from; x < to; ++x)
                if (Ink(x, y)) {
                    rows.push_back(y);
                    break;
                }
        return rows;
    }
    // The runs of ink and no ink along row `y` from x = from to x = to, starting with ink.
    std::vector<int> Runs(int y, int from, int to) const
    {
        std::vector<int> runs;
        bool state = true;
        int length = 0;
        for (int x = from; x < to; ++x) {
            if (Ink(x, y) != state) {
                runs.push_back(length);
                state = !state;
                length = 0;
            }
            ++length;
        }
        runs.push_back(length);
        return runs;
    }

    CDC dc;
    CBitmap bitmap;
    CBitmap* old { nullptr };
};

TEST(KTLineItemDrawing, EachPenStyleDrawsItsPattern)
{
    struct Case
    {
        int style;
        std::vector<int> runs; // along the line from x = 2 to 98: ink, gap, ink ...
    };
    const Case cases[] = {
        { PS_SOLID, { 96 } },
        { PS_DASH, { 18, 6, 18, 6, 18, 6, 18, 6 } },
        { PS_DOT, { 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3 } },
        { PS_DASHDOT, { 9, 6, 3, 6, 9, 6, 3, 6, 9, 6, 3, 6, 9, 6, 3, 6 } },
        { PS_DASHDOTDOT, { 9, 3, 3, 3, 3, 3, 9, 3, 3, 3, 3, 3, 9, 3, 3, 3, 3, 3, 9, 3, 3, 3, 3, 3 } },
    };
    for (const auto& c : cases) {
        LineStyleItem item(1, c.style);
        DrawnItem drawn(&item, 0, 0, 100);
        EXPECT_EQ(drawn.InkedRows(0, 100), std::vector<int> { 5 }) << c.style;
        EXPECT_EQ(drawn.Runs(5, 2, 98), c.runs) << c.style;
        EXPECT_FALSE(drawn.Ink(1, 5)) << "two pixels clear on the left";
        EXPECT_FALSE(drawn.Ink(98, 5)) << "two pixels clear on the right";
    }
    LineStyleItem none(1, PS_NULL);
    EXPECT_TRUE(DrawnItem(&none, 0).InkedRows(0, 120).empty());
}

TEST(KTLineItemDrawing, WidthIsABandOfLinesAboutTheMiddleWithItsNumberInFront)
{
    LineStyleItem three(3, PS_SOLID);
    DrawnItem plain(&three, 0);
    EXPECT_EQ(plain.InkedRows(2, 118), (std::vector<int> { 4, 5, 6 }));

    DrawnItem numbered(&three, 1);
    EXPECT_EQ(numbered.InkedRows(18, 118), (std::vector<int> { 4, 5, 6 }));
    EXPECT_FALSE(numbered.Ink(17, 5)) << "the lines start after the 16-pixel number box";
    EXPECT_TRUE(numbered.Ink(18, 5));
    int numberInk = 0;
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 12; ++y)
            numberInk += numbered.Dark(x, y);
    EXPECT_GT(numberInk, 5) << "the number is written";

    // Nothing for an item without a line, or of no width; the focus rectangle still shows.
    LineStyleItem zero(0, PS_SOLID);
    EXPECT_TRUE(DrawnItem(&zero, 1).InkedRows(0, 120).empty());
    EXPECT_TRUE(DrawnItem(nullptr, 1).InkedRows(0, 120).empty());
    DrawnItem focused(nullptr, 0, ODS_SELECTED);
    EXPECT_EQ(focused.Runs(11, 1, 9), (std::vector<int> { 1, 1, 1, 1, 1, 1, 1, 1 })) << "a dotted frame";
    EXPECT_EQ(focused.Runs(0, 0, 8), (std::vector<int> { 1, 1, 1, 1, 1, 1, 1, 1 }));

    // A band wider than the item stays inside it.
    LineStyleItem wide(40, PS_SOLID);
    EXPECT_EQ(DrawnItem(&wide, 0).InkedRows(2, 118).size(), 12u);
}

// ---- the combo box ---------------------------------------------------------------------------------

class KTLineComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop());
        Pump();
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CRect(10, 10, 130, 200), &parent, kComboId));
        Pump();
    }

    std::vector<std::pair<int, int>> Lines() const
    {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < combo.GetCount(); ++i) {
            const LineStyleItem* item = combo.GetLineItem(i);
            out.emplace_back(item ? item->m_nWidth : -1, item ? item->m_nStyle : -1);
        }
        return out;
    }

    testkit::ParentWnd parent;
    KTLineComboBox combo;
};

TEST_F(KTLineComboBoxTest, StyleModeListsTheSixPenStylesAndSelectsByStyle)
{
    int width = 7, style = 7;
    EXPECT_EQ(combo.GetCurLine(width, style), 0) << "empty";
    EXPECT_EQ(width, 7);
    EXPECT_EQ(style, 7);

    combo.SetStyleMode(0);
    EXPECT_EQ(Lines(), (std::vector<std::pair<int, int>> { { 1, 0 }, { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 1, 5 } }));
    EXPECT_EQ(combo.GetCurLine(width, style), 0) << "nothing selected";
    EXPECT_EQ(combo.SetCurLine(1, PS_DOT), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.SetCurLine(2, PS_DOT), -1);
    EXPECT_EQ(combo.GetCurSel(), 2) << "a line not in the list keeps the selection";
    combo.SetCurSel(4);
    EXPECT_EQ(combo.GetCurLine(width, style), 1);
    EXPECT_EQ(width, 1);
    EXPECT_EQ(style, PS_DASHDOTDOT);

    // The field shows the selected line, at the height of a 12-pixel item.
    EXPECT_EQ(combo.GetItemHeight(0), 12);
    combo.SetCurLine(1, PS_SOLID);
    Pump();
    COMBOBOXINFO info;
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    CRect field = info.rcItem;
    EXPECT_EQ(ClientPixel(combo, field.CenterPoint().x, field.top + (field.Height() - 1) / 2), kInk);
}

TEST_F(KTLineComboBoxTest, WidthModeListsSolidWidthsUpToTheEndAndDataExchangeUsesThem)
{
    combo.SetWidthMode(1, 5, 1);
    EXPECT_EQ(Lines(), (std::vector<std::pair<int, int>> { { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0 } }));
    int width = 3, style = PS_SOLID;
    CDataExchange load(&parent, FALSE);
    DDX_LineComboBox(&load, combo, width, style);
    EXPECT_EQ(combo.GetCurSel(), 2);
    combo.SetCurSel(3);
    CDataExchange save(&parent, TRUE);
    DDX_LineComboBox(&save, combo, width, style);
    EXPECT_EQ(width, 4);

    // A new mode replaces every item.
    combo.SetStyleMode(0);
    EXPECT_EQ(combo.GetCount(), 6);
}

TEST_F(KTLineComboBoxTest, ItemsWithoutALineCountAsWidthZeroAndNeverMatch)
{
    combo.SetStyleMode(0);
    // Added through the base class: the data is no line of this box.
    int foreign = combo.CComboBox::AddString("");
    combo.SetItemData(foreign, 0x1234);
    EXPECT_EQ(combo.GetLineItem(foreign), nullptr);
    combo.SetCurSel(foreign);
    int width = 9, style = 9;
    EXPECT_EQ(combo.GetCurLine(width, style), 1);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(combo.SetCurLine(0, PS_SOLID), -1);
    Pump(); // drawing it is no harm

    // Deleting an item (of this box or not) and resetting free each line once; under the
    // sanitizers a second free or a leak fails the run.
    EXPECT_EQ(combo.DeleteString(foreign), 6);
    EXPECT_EQ(combo.DeleteString(0), 5);
    EXPECT_EQ(combo.DeleteString(17), CB_ERR);
    EXPECT_EQ(Lines(), (std::vector<std::pair<int, int>> { { 1, 1 }, { 1, 2 }, { 1, 3 }, { 1, 4 }, { 1, 5 } }));
    combo.CComboBox::ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    combo.SetWidthMode(1, 3, 0);
    combo.DestroyWindow(); // the last two go with the window
}

TEST_F(KTLineComboBoxTest, DropDownListIsDrawnByTheEmbeddedListBox)
{
    combo.SetStyleMode(0);
    combo.ShowDropDown(TRUE);
    Pump();
    COMBOBOXINFO info;
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    ASSERT_TRUE(IsWindowVisible(info.hwndList));
    EXPECT_NE(dynamic_cast<KTLineListBox*>(CWnd::FromHandlePermanent(info.hwndList)), nullptr);
    // The first item's solid line and the dashes of the second, on the window colour.
    CRect first;
    SendMessage(info.hwndList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    ASSERT_EQ(first.Height(), 12);
    EXPECT_EQ(ClientPixel(info.hwndList, 30, first.top + 5), kInk);
    EXPECT_EQ(ClientPixel(info.hwndList, 30, first.top + 2), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ClientPixel(info.hwndList, 2 + 18 + 2, first.top + 12 + 5), GetSysColor(COLOR_WINDOW)) << "the dash's gap";
    combo.ShowDropDown(FALSE);
    Pump();
}

TEST(KTLineListBoxAlone, DrawsTheLinesItsFillerSupplies)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    Pump();
    KTLineListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED, CRect(10, 10, 110, 110), &parent, 600));
    list.SetItemHeight(0, 12);
    LineStyleItem thick(2, PS_SOLID), dotted(1, PS_DOT);
    list.AddString(reinterpret_cast<LPCTSTR>(&thick)); // without strings the item's data
    list.AddString(reinterpret_cast<LPCTSTR>(&dotted));
    Pump();
    EXPECT_EQ(ClientPixel(list, 40, 5), kInk);
    EXPECT_EQ(ClientPixel(list, 40, 6), kInk);
    EXPECT_EQ(ClientPixel(list, 40, 4), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ClientPixel(list, 2, 12 + 5), kInk);
    EXPECT_EQ(ClientPixel(list, 5, 12 + 5), GetSysColor(COLOR_WINDOW));
}

} // namespace

// The colour combo box: the default colours of a new control, adding, finding, removing and
// selecting colours, and how an item is drawn (swatch and name, selected, disabled).
#include "ktctrl/basic/KTColorComboBox.h"
#include "support/WindowPixels.h"
#include "platform/gdi/SysColors.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using ktctrl::test::ClientPixel;
using testkit::Pump;

namespace {

constexpr UINT kComboId = 400;
constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;

class KTColorComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTop());
        Pump();
        ASSERT_TRUE(combo.Create(kStyle, CRect(10, 10, 170, 200), &parent, kComboId));
        Pump();
    }

    testkit::ParentWnd parent;
    KTColorComboBox combo;
};

TEST_F(KTColorComboBoxTest, NewControlListsTheSixteenDefaultsWithBlackSelected)
{
    ASSERT_EQ(combo.GetCount(), 16);
    EXPECT_EQ(combo.GetCurSel(), 0);
    CString name;
    combo.GetLBText(13, name);
    EXPECT_EQ(name, "Fushcia");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(combo.GetColor(i), KTColorComboBox::s_DefaultColors[i]) << i;

    // A combo box of a dialog, subclassed: the same.
    HWND hwnd = ::CreateWindowEx(0, "ComboBox", "", kStyle, 200, 10, 100, 100, parent, reinterpret_cast<HMENU>(kComboId + 1),
                                 nullptr, nullptr);
    KTColorComboBox subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hwnd));
    EXPECT_EQ(subclassed.GetCount(), 16);
    EXPECT_EQ(subclassed.GetCurSel(), 0);
}

TEST_F(KTColorComboBoxTest, AddsOnlyNewColoursAndFindsRemovesAndSelectsByColour)
{
    EXPECT_EQ(combo.AddColor(RGB(255, 0, 0), "Again red"), -1);
    EXPECT_EQ(combo.GetCount(), 16);
    __KTCOLOR_ENTRY entry { RGB(1, 2, 3), "Monitor grey" };
    EXPECT_EQ(combo.AddColor(entry), 16);
    CString name;
    combo.GetLBText(16, name);
    EXPECT_EQ(name, "Monitor grey");
    // A name that fills its whole field without a terminating zero stops at the field's end.
    __KTCOLOR_ENTRY full { RGB(4, 5, 6), {} };
    std::fill(std::begin(full.szName), std::end(full.szName), 'x');
    ASSERT_EQ(combo.AddColor(full), 17);
    combo.GetLBText(17, name);
    EXPECT_EQ(name.GetLength(), 20);

    EXPECT_EQ(combo.FindColor(RGB(1, 2, 3)), 16);
    EXPECT_EQ(combo.FindColor(RGB(7, 7, 7)), -1);
    combo.SetSelectedColor(RGB(255, 255, 0));
    EXPECT_EQ(combo.GetSelectedColor(), RGB(255, 255, 0));
    combo.SetSelectedColor(RGB(7, 7, 7));
    EXPECT_EQ(combo.GetSelectedColor(), RGB(255, 255, 0)) << "an unlisted colour keeps the selection";

    EXPECT_EQ(combo.RemoveColor(RGB(1, 2, 3)), 1);
    EXPECT_EQ(combo.RemoveColor(RGB(1, 2, 3)), 0);
    EXPECT_EQ(combo.RemoveColor(0), RGB(0, 0, 0));
    EXPECT_EQ(combo.FindColor(RGB(0, 0, 0)), -1);
    combo.RemoveAllColor();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetSelectedColor(), 0u) << "no selection reads as black";
}

TEST_F(KTColorComboBoxTest, ItemShowsItsSwatchAndNameInTheSelectionColours)
{
    combo.SetSelectedColor(RGB(0, 0, 255));
    combo.SetFocus();
    Pump();
    COMBOBOXINFO info;
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    CRect field = info.rcItem;
    // The swatch in the left quarter, framed in black, on the highlight of the focused field.
    const int quarter = field.Width() / 4;
    EXPECT_EQ(ClientPixel(combo, (field.left + quarter) / 2 + 1, field.CenterPoint().y), RGB(0, 0, 255));
    EXPECT_EQ(ClientPixel(combo, field.left + 2, field.CenterPoint().y), RGB(0, 0, 0));
    EXPECT_EQ(ClientPixel(combo, field.right - 3, field.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    // The name in the inverse of the window text: white (smoothed) on the dark highlight.
    int light = 0;
    for (int x = field.left + quarter + 2; x < field.right - 4; ++x)
        for (int y = field.top; y < field.bottom; ++y) {
            COLORREF c = ClientPixel(combo, x, y);
            light += GetRValue(c) > 0xC0 && GetGValue(c) > 0xC0 && GetBValue(c) > 0xC0;
        }
    EXPECT_GT(light, 10);

    // Disabled: the swatch takes the inactive caption text colour.
    combo.EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(ClientPixel(combo, (field.left + quarter) / 2 + 1, field.CenterPoint().y), GetSysColor(COLOR_INACTIVECAPTIONTEXT));
}

} // namespace

// Combo boxes driven by injected input: the drop-down list opened, scrolled and chosen with the
// mouse and with keys, with the notifications in order; item data, the classic error value,
// finding and selecting strings; a drop-down combo box's edit; an owner-drawn fixed combo box.
#include "platform/ui/controls/ComboBox.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "testkit/Golden.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT kComboId = 200;

class UiComboBox : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(parent.CreateTop()); }

    void Make(DWORD type, int items = 20)
    {
        ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | type, CRect(10, 10, 160, 110), &parent, kComboId));
        for (int i = 0; i < items; ++i) {
            CString text;
            text.Format("Item %02d", i);
            combo.AddString(text);
        }
        COMBOBOXINFO info;
        ASSERT_TRUE(combo.GetComboBoxInfo(&info));
        list = info.hwndList;
        edit = info.hwndItem;
        Pump();
    }

    // Clicks at a client point of `hwnd`.
    static void ClickAt(HWND hwnd, int x, int y)
    {
        POINT p = testkit::ScreenPoint(hwnd, x, y);
        NullHost::Click(p.x, p.y);
        Pump();
    }

    std::vector<WORD> Codes() const { return parent.Codes(kComboId); }

    testkit::ParentWnd parent;
    CComboBox combo;
    HWND list { nullptr };
    HWND edit { nullptr };
};

TEST_F(UiComboBox, KeepsTheFieldHeightAndDropsTheRestAsTheList)
{
    Make(CBS_DROPDOWNLIST);
    CRect window;
    combo.GetWindowRect(&window);
    EXPECT_LT(window.Height(), 30);
    CRect dropped;
    combo.GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped.Height(), 100);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST_F(UiComboBox, MouseOpensScrollsAndChoosesWithNotificationsInOrder)
{
    Make(CBS_DROPDOWNLIST);
    parent.received.clear();
    CRect client;
    combo.GetClientRect(&client);
    ClickAt(combo, client.Width() - 8, client.Height() / 2);
    ASSERT_TRUE(combo.GetDroppedState());
    ASSERT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_SETFOCUS, CBN_DROPDOWN }));

    // The list opens right below the combo box, as wide as it.
    CRect comboRect, listRect;
    combo.GetWindowRect(&comboRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    EXPECT_EQ(listRect.left, comboRect.left);
    EXPECT_EQ(listRect.Width(), comboRect.Width());

    // Scroll: the list's down arrow, then the wheel.
    CRect listClient;
    GetClientRect(list, &listClient);
    POINT arrow { listRect.right - 4, listRect.bottom - 4 };
    testkit::ClickPumped(arrow);
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 1);
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_EQ(GetCapture(), list); // the list takes the mouse back after its scroll bar
    POINT middle = testkit::ScreenPoint(list, 10, listClient.Height() / 2);
    NullHost::Wheel(-1, middle.x, middle.y);
    Pump();
    EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 4);

    // Hover, then choose the second visible item.
    int itemHeight = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    POINT item = testkit::ScreenPoint(list, 10, itemHeight + itemHeight / 2);
    NullHost::MoveMouse(item.x, item.y);
    Pump();
    EXPECT_EQ(Codes().size(), 2u); // hovering notifies nothing
    NullHost::Click(item.x, item.y);
    Pump();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_EQ(combo.GetCurSel(), 5);
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, "Item 05");
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP }));
}

TEST_F(UiComboBox, ClickOutsideCancelsAndKeepsTheSelection)
{
    Make(CBS_DROPDOWNLIST);
    combo.SetCurSel(3);
    combo.SetFocus();
    Pump();
    parent.received.clear();
    combo.ShowDropDown(TRUE);
    POINT outside = testkit::ScreenPoint(parent, 350, 250);
    int itemHeight = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
    POINT item = testkit::ScreenPoint(list, 10, itemHeight / 2);
    NullHost::MoveMouse(item.x, item.y); // hover changes the highlight only
    NullHost::Click(outside.x, outside.y);
    Pump();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 3);
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }));
}

TEST_F(UiComboBox, KeysOpenMoveAndChoose)
{
    Make(CBS_DROPDOWNLIST);
    combo.SetFocus();
    Pump();
    parent.received.clear();
    for (int key : { VK_F4, VK_DOWN, VK_DOWN, VK_RETURN }) {
        NullHost::PressKey(key);
        Pump();
    }
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP }));
    // Closed, the arrows still step through the items; Escape with the list open cancels.
    parent.received.clear();
    NullHost::PressKey(VK_DOWN), Pump();
    NullHost::PressKeyWith(VK_DOWN, { VK_MENU }), Pump();
    EXPECT_TRUE(combo.GetDroppedState());
    NullHost::PressKey(VK_ESCAPE), Pump();
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_SELCHANGE, CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP }));
}

TEST_F(UiComboBox, ItemsDataFindAndSelect)
{
    Make(CBS_DROPDOWNLIST, 0);
    EXPECT_EQ(combo.AddString("Red"), 0);
    EXPECT_EQ(combo.AddString("green"), 1);
    EXPECT_EQ(combo.InsertString(0, "Blue"), 0);
    int value = 7;
    combo.SetItemDataPtr(2, &value);
    combo.SetItemData(0, static_cast<DWORD_PTR>(-2)); // pointer-sized data keeps every bit
    EXPECT_EQ(combo.GetItemDataPtr(2), &value);
    EXPECT_EQ(combo.GetItemData(0), static_cast<DWORD_PTR>(-2));
    EXPECT_EQ(combo.FindStringExact(-1, "GREEN"), 2);
    EXPECT_EQ(combo.FindString(-1, "re"), 1);
    EXPECT_EQ(combo.FindString(-1, "x"), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, "gr"), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.DeleteString(5), CB_ERR);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text, "green");
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST_F(UiComboBox, DropDownHasAnEditThatTypesAndNotifies)
{
    Make(CBS_DROPDOWN, 3);
    ASSERT_TRUE(edit);
    EXPECT_EQ(GetDlgCtrlID(edit), kComboEditId);
    combo.SetFocus();
    Pump();
    EXPECT_EQ(GetFocus(), edit);
    parent.received.clear();
    NullHost::TypeText("Ab");
    Pump();
    CString text;
    combo.GetWindowText(text);
    EXPECT_EQ(text, "Ab");
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE }));
    parent.received.clear();
    NullHost::PressKey(VK_DOWN), Pump();
    combo.GetWindowText(text);
    EXPECT_EQ(text, "Item 00");
    EXPECT_EQ(Codes(), (std::vector<WORD> { CBN_SELCHANGE }));
}

class OwnerDrawnCombo : public CComboBox
{
public:
    std::vector<DRAWITEMSTRUCT> drawn;
    void DrawItem(LPDRAWITEMSTRUCT p) override { drawn.push_back(*p); }
    void MeasureItem(LPMEASUREITEMSTRUCT p) override { p->itemHeight = 20; }
};

TEST(UiComboBoxOwnerDraw, FixedItemsAreMeasuredAndDrawnThroughTheParent)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    OwnerDrawnCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, CRect(0, 0, 120, 200),
                             &parent, kComboId));
    combo.AddString("Solid");
    combo.AddString("Dash");
    combo.SetCurSel(1);
    EXPECT_EQ(combo.GetItemHeight(0), 20);
    combo.UpdateWindow();
    ASSERT_FALSE(combo.drawn.empty());
    EXPECT_EQ(combo.drawn.back().CtlType, ODT_COMBOBOX);
    EXPECT_EQ(combo.drawn.back().itemID, 1u);
    EXPECT_TRUE(combo.drawn.back().itemState & ODS_COMBOBOXEDIT);
    combo.drawn.clear();
    combo.ShowDropDown(TRUE);
    COMBOBOXINFO info;
    combo.GetComboBoxInfo(&info);
    UpdateWindow(info.hwndList);
    ASSERT_EQ(combo.drawn.size(), 2u);
    EXPECT_EQ(combo.drawn[1].itemState & ODS_SELECTED, ODS_SELECTED);
    EXPECT_EQ(combo.drawn[0].rcItem.bottom - combo.drawn[0].rcItem.top, 20);
}

// A derived combo box colours its drop-down list through the reflected colour message, and can
// subclass the list window itself.
class ColouredCombo : public CComboBox
{
public:
    static constexpr COLORREF kListColour = RGB(255, 240, 200);
    CBrush brush { kListColour };
    std::vector<UINT> asked;

    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        asked.push_back(nCtlColor);
        if (nCtlColor != CTLCOLOR_LISTBOX)
            return nullptr;
        pDC->SetBkColor(kListColour);
        return static_cast<HBRUSH>(brush);
    }

    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = { ReflectCtlColor<&ColouredCombo::CtlColor>() };
        static constexpr platform::MessageMap kMap { &CComboBox::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

TEST(UiComboBoxList, DerivedClassColoursAndSubclassesThePopUpList)
{
    testkit::ParentWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    ColouredCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 10, 160, 110), &parent, kComboId));
    combo.AddString("Red");
    combo.AddString("Green");
    COMBOBOXINFO info;
    ASSERT_TRUE(combo.GetComboBoxInfo(&info));
    CWnd list;
    ASSERT_TRUE(list.SubclassWindow(info.hwndList));
    EXPECT_EQ(CWnd::FromHandlePermanent(info.hwndList), &list);
    combo.ShowDropDown(TRUE);
    Pump();
    EXPECT_NE(std::find(combo.asked.begin(), combo.asked.end(), CTLCOLOR_LISTBOX), combo.asked.end());
    // The list's empty part below the items shows the derived class's colour.
    platform::Image picture = testkit::Capture(info.hwndList);
    CRect client;
    GetClientRect(info.hwndList, &client);
    EXPECT_EQ(picture.Pixel(client.Width() / 2 + 1, picture.Height() - 3) & 0xFFFFFF,
              static_cast<std::uint32_t>(GetRValue(ColouredCombo::kListColour) << 16 | GetGValue(ColouredCombo::kListColour) << 8 |
                                         GetBValue(ColouredCombo::kListColour)));
    combo.ShowDropDown(FALSE);
    list.UnsubclassWindow();
}

} // namespace

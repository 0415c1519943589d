// The colour picker and its palette popup on the null host: the cell tables (the cell marked
// for a colour, where the arrow keys go), the palette's cells and colours, choosing with the
// mouse and the keys, the order of what the parent hears, "More Colours..." answered by a
// scripted colour dialog, the popup's place on the screen, the picker's look, data exchange,
// and the lifetimes that must leave nothing dangling. The open popup has a reviewed golden
// picture.
#include "ktctrl/basic/KTColorPicker.h"
#include "ktctrl/basic/KTColorPopup.h"
#include "support/WindowPixels.h"
#include "platform/core/Clock.h"
#include "platform/gdi/SysColors.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/ui/dialogs/ColorDialog.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"
#include "testkit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using platform::host::NullHost;
using testkit::Pump;
using testkit::RecordingWnd;
using ktctrl::test::ClientPixel;

namespace {

constexpr UINT kPickerId = 300;
constexpr int D = KTColorPopup::DEFAULT_CELL;
constexpr int M = KTColorPopup::CUSTOM_CELL;
constexpr int NONE = KTColorPopup::NO_CELL;
const std::initializer_list<UINT> kPickerMessages = { CPM_SELCHANGE, CPM_DROPDOWN, CPM_CLOSEUP, CPM_SELENDOK, CPM_SELENDCANCEL };

// ---- the tables ------------------------------------------------------------------------------

struct ArrowCase
{
    int from;
    UINT key;
    bool hasDefault, hasCustom;
    int to;
};

TEST(KTColorPopupTables, ArrowKeysWalkTheCellsAndTheTextCells)
{
    const ArrowCase cases[] = {
        // Down: into the grid, a row down, past the last row to the text cells.
        { D, VK_DOWN, true, true, 0 },      { M, VK_DOWN, true, true, D },    { M, VK_DOWN, false, true, 0 },
        { 3, VK_DOWN, true, true, 11 },     { 35, VK_DOWN, true, true, M },   { 35, VK_DOWN, true, false, D },
        { 35, VK_DOWN, false, false, 0 },   { NONE, VK_DOWN, false, true, M }, { NONE, VK_DOWN, false, false, 0 },
        // Up: a row up, from the first row (or nowhere) to the text cells, from them to the last cell.
        { D, VK_UP, true, true, M },        { D, VK_UP, true, false, 39 },    { M, VK_UP, true, true, 39 },
        { 11, VK_UP, true, true, 3 },       { 3, VK_UP, true, true, D },      { 3, VK_UP, false, true, M },
        { 3, VK_UP, false, false, 39 },     { NONE, VK_UP, true, false, D },
        // Right: along the row and on to the next one; past the last cell to the text cells.
        { D, VK_RIGHT, true, true, 0 },     { M, VK_RIGHT, true, true, D },   { M, VK_RIGHT, false, true, 0 },
        { 7, VK_RIGHT, true, true, 8 },     { 39, VK_RIGHT, true, true, M },  { 39, VK_RIGHT, true, false, D },
        { 39, VK_RIGHT, false, false, 0 },  { NONE, VK_RIGHT, true, false, D },
        // Left: back along the row and to the row above; from cell 0 to the text cells.
        { D, VK_LEFT, true, true, M },      { D, VK_LEFT, true, false, 39 },  { M, VK_LEFT, false, true, 39 },
        { 8, VK_LEFT, true, true, 7 },      { 0, VK_LEFT, true, true, D },    { 0, VK_LEFT, false, true, M },
        { 0, VK_LEFT, false, false, 39 },   { NONE, VK_LEFT, false, false, 39 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(KTColorPopup::ArrowTarget(c.from, c.key, c.hasDefault, c.hasCustom), c.to)
            << "from " << c.from << " key " << c.key << " D " << c.hasDefault << " M " << c.hasCustom;
}

TEST(KTColorPopupTables, ChosenCellForAColour)
{
    struct Case
    {
        COLORREF colour;
        bool hasDefault, hasCustom;
        int cell;
    };
    const Case cases[] = {
        { CLR_DEFAULT, true, true, D },     { CLR_DEFAULT, false, true, M },   { CLR_DEFAULT, false, false, NONE },
        { 0x000000, true, true, 0 },        { 0x2068FF, false, false, 9 },     { 0xFFFFFF, true, true, 39 },
        { RGB(1, 2, 3), true, true, M },    { RGB(1, 2, 3), true, false, NONE },
    };
    for (const auto& c : cases)
        EXPECT_EQ(KTColorPopup::ChosenCellFor(c.colour, c.hasDefault, c.hasCustom), c.cell) << std::hex << c.colour;
}

TEST(KTColorPopupTables, PaletteNamesComeFromTheStringTable)
{
    EXPECT_STREQ(KTColorPopup::GetColourName(0), "Black");
    EXPECT_STREQ(KTColorPopup::GetColourName(9), "Orange");
    EXPECT_STREQ(KTColorPopup::GetColourName(35), "Pale green ");
    EXPECT_STREQ(KTColorPopup::GetColourName(39), "White");
    EXPECT_STREQ(KTColorPopup::GetColourName(40), "");
    EXPECT_EQ(KTColorPopup::m_crColors[13], 0xFF0000u); // "Blue"
    EXPECT_EQ(KTColorPopup::m_crColors[37], 0x8B8368u); // "Pale blue"
}

// ---- a picker on a window ------------------------------------------------------------------------

class KTColorPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::msg::ResetCommonDialogScript();
        ASSERT_TRUE(parent.CreateTop(CRect(100, 100, 500, 400), WS_POPUP | WS_VISIBLE));
        Pump(); // the parent painted before its controls, as a shown dialog is
        picker = std::make_unique<KTColorPicker>();
        ASSERT_TRUE(picker->Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 30, 120, 40), &parent, kPickerId));
        picker->SetColour(RGB(0, 0, 255));
        Pump();
        parent.log.clear();
    }
    void TearDown() override
    {
        picker.reset();
        platform::msg::ResetCommonDialogScript();
        Pump();
    }

    // Opens the popup with a click on the picker; the popup that then holds the capture.
    KTColorPopup* Open()
    {
        clock.Advance(1000); // a click of its own, never the second of a double click
        testkit::ClickPumped(testkit::ScreenPoint(*picker, 10, 5));
        return dynamic_cast<KTColorPopup*>(CWnd::FromHandlePermanent(GetCapture()));
    }
    static POINT CellCentre(KTColorPopup* popup, int cell)
    {
        CPoint centre = popup->GetCellRect(cell).CenterPoint();
        return testkit::ScreenPoint(*popup, centre.x, centre.y);
    }
    std::vector<UINT> Heard() const { return parent.Sequence(kPickerMessages); }
    // What the parent heard of `message`: its colours.
    std::vector<COLORREF> Colours(UINT message) const
    {
        std::vector<COLORREF> out;
        for (auto& e : parent.log)
            if (e.message == message) {
                EXPECT_EQ(e.lParam, static_cast<LPARAM>(kPickerId));
                out.push_back(static_cast<COLORREF>(e.wParam));
            }
        return out;
    }

    platform::ScopedTestClock clock { 10000 };
    RecordingWnd parent;
    std::unique_ptr<KTColorPicker> picker;
};

TEST_F(KTColorPickerTest, SizesItselfToTheArrowAndKeepsItsWidth)
{
    CRect rect;
    picker->GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(20, 30, 120, 51)); // arrow 17 + 2 x 2 edges high
    EXPECT_EQ(picker->GetArrowRect(), CRect(81, 2, 98, 19));
    EXPECT_TRUE(picker->GetStyle() & BS_OWNERDRAW);

    // A control of a dialog subclassed later: the owner-draw style and the size the same way,
    // and a narrow one grows to two arrows.
    HWND hwnd = ::CreateWindowEx(0, "Button", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 200, 30, 10, 70, parent,
                                 reinterpret_cast<HMENU>(301), nullptr, nullptr);
    KTColorPicker subclassed;
    ASSERT_TRUE(subclassed.SubclassWindow(hwnd));
    subclassed.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(200, 30, 238, 51));
    EXPECT_EQ(subclassed.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(KTColorPickerTest, FaceShowsTheColourAndTheCaptionItsTextColour)
{
    Pump();
    EXPECT_EQ(ClientPixel(*picker, 10, 10), RGB(0, 0, 255));
    EXPECT_EQ(ClientPixel(*picker, 0, 0), RGB(128, 128, 128)); // the frame's shadow side
    // The default colour paints the plain button face.
    picker->SetColour(CLR_DEFAULT);
    EXPECT_EQ(ClientPixel(*picker, 10, 10), GetSysColor(COLOR_3DFACE));
    // In text mode the picked colour is the caption's.
    picker->SetBkColour(RGB(255, 255, 255));
    picker->SetSelectionMode(KTColorPicker::SELECTION_MODE_TEXT);
    picker->SetWindowText("FHR");
    picker->SetColour(RGB(200, 0, 0));
    EXPECT_EQ(picker->GetTextColour(), RGB(200, 0, 0));
    EXPECT_EQ(picker->GetBkColour(), RGB(255, 255, 255));
    Pump();
    bool redCaption = false;
    for (int x = 20; x < 60 && !redCaption; ++x)
        for (int y = 4; y < 17 && !redCaption; ++y)
            redCaption = ClientPixel(*picker, x, y) == RGB(200, 0, 0);
    EXPECT_TRUE(redCaption);
    // Disabled: the plain face whatever the colour.
    picker->EnableWindow(FALSE);
    Pump();
    EXPECT_EQ(ClientPixel(*picker, 5, 5), GetSysColor(COLOR_3DFACE));
}

TEST_F(KTColorPickerTest, PaletteHasItsFortyCellsInTheirColours)
{
    KTColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(picker->IsActive());
    EXPECT_EQ(GetActiveWindow(), popup->m_hWnd);
    Pump();
    for (int cell = 0; cell < KTColorPopup::COLOUR_COUNT; ++cell) {
        CRect rect = popup->GetCellRect(cell);
        ASSERT_EQ(rect.Size(), CSize(18, 18));
        EXPECT_EQ(ClientPixel(*popup, rect.CenterPoint().x, rect.CenterPoint().y), KTColorPopup::m_crColors[cell]) << cell;
        // Row by row, eight to a row.
        EXPECT_EQ(rect.left, 2 + (cell % 8) * 18);
    }
    // A tooltip names each colour cell.
    HWND tips = nullptr;
    EnumThreadWindows(GetCurrentThreadMessageId(), [](HWND hwnd, LPARAM found) -> BOOL {
        char name[32] {};
        GetClassName(hwnd, name, sizeof(name));
        if (std::string(name) == "tooltips_class32" && IsWindow(GetWindow(hwnd, GW_OWNER)) &&
            dynamic_cast<KTColorPopup*>(CWnd::FromHandlePermanent(GetWindow(hwnd, GW_OWNER))))
            *reinterpret_cast<HWND*>(found) = hwnd;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&tips));
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessage(tips, TTM_GETTOOLCOUNT, 0, 0), KTColorPopup::COLOUR_COUNT);
    // Blue, the colour it was opened with, is the chosen cell; the popup sits under the picker.
    EXPECT_EQ(popup->GetChosenCell(), 13);
    EXPECT_EQ(popup->GetCurrentCell(), NONE);
    CRect pickerRect, popupRect;
    picker->GetWindowRect(&pickerRect);
    popup->GetWindowRect(&popupRect);
    EXPECT_EQ(popupRect.TopLeft(), CPoint(pickerRect.left, pickerRect.bottom));
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN }));
    EXPECT_EQ(Colours(CPM_DROPDOWN), (std::vector<COLORREF> { RGB(0, 0, 255) }));
}

TEST_F(KTColorPickerTest, OpenPopupLooksAsReviewed)
{
    picker->SetColour(KTColorPopup::m_crColors[21]); // "Light blue": its cell marked as chosen
    KTColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    NullHost::MoveMouse(CellCentre(popup, 10).x, CellCentre(popup, 10).y);
    Pump();
    testkit::SaveForReview(testkit::Capture(*popup), "ktctrl_ColorPopup");
    testkit::ExpectMatchesGolden(testkit::Capture(*popup), "ktctrl/tests/golden/ColorPopup.png", { 40, 0.02 });
    NullHost::PressKey(VK_ESCAPE);
    Pump();
}

TEST_F(KTColorPickerTest, ChoosingAnotherColourSendsCloseUpEndOkThenChange)
{
    KTColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    POINT red = CellCentre(popup, 16);
    NullHost::MoveMouse(red.x, red.y);
    Pump();
    EXPECT_EQ(popup->GetCurrentCell(), 16);
    EXPECT_EQ(picker->GetColour(), RGB(0, 0, 255)) << "without track selection a highlight is not applied";
    parent.log.clear();
    NullHost::MouseDown(red.x, red.y);
    NullHost::MouseUp(red.x, red.y);
    Pump();
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_CLOSEUP, CPM_SELENDOK, CPM_SELCHANGE }));
    EXPECT_EQ(Colours(CPM_SELENDOK), (std::vector<COLORREF> { RGB(255, 0, 0) }));
    EXPECT_EQ(picker->GetColour(), RGB(255, 0, 0));
    EXPECT_FALSE(picker->IsActive());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), parent.m_hWnd);
    EXPECT_EQ(ClientPixel(*picker, 10, 10), RGB(255, 0, 0));
}

TEST_F(KTColorPickerTest, ChoosingTheSameColourOrTrackingSendsNoFinalChange)
{
    KTColorPopup* popup = Open();
    POINT blue = CellCentre(popup, 13);
    NullHost::Click(blue.x, blue.y);
    Pump();
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_SELCHANGE, CPM_CLOSEUP, CPM_SELENDOK }));

    // With track selection the highlighted colour is applied at once, so the end changes nothing.
    parent.log.clear();
    picker->SetTrackSelection(TRUE);
    popup = Open();
    POINT gold = CellCentre(popup, 25);
    NullHost::MoveMouse(gold.x, gold.y);
    Pump();
    EXPECT_EQ(picker->GetColour(), KTColorPopup::m_crColors[25]);
    NullHost::Click(gold.x, gold.y);
    Pump();
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_SELCHANGE, CPM_CLOSEUP, CPM_SELENDOK }));
}

TEST_F(KTColorPickerTest, EscapeAndAClickOutsideCancelWithTheColourItHad)
{
    picker->SetTrackSelection(TRUE);
    for (bool outside : { false, true }) {
        parent.log.clear();
        KTColorPopup* popup = Open();
        ASSERT_NE(popup, nullptr);
        POINT lime = CellCentre(popup, 18);
        NullHost::MoveMouse(lime.x, lime.y);
        Pump();
        EXPECT_EQ(picker->GetColour(), KTColorPopup::m_crColors[18]);
        if (outside) {
            testkit::ClickPumped(testkit::ScreenPoint(parent, 350, 250)); // on the parent, beside the popup
        } else {
            NullHost::PressKey(VK_ESCAPE);
            Pump();
        }
        EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_SELCHANGE, CPM_CLOSEUP, CPM_SELENDCANCEL })) << outside;
        EXPECT_EQ(Colours(CPM_SELENDCANCEL), (std::vector<COLORREF> { RGB(0, 0, 255) }));
        EXPECT_EQ(picker->GetColour(), RGB(0, 0, 255));
        EXPECT_FALSE(picker->IsActive());
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(KTColorPickerTest, KeysWalkTheCellsAndEnterChooses)
{
    KTColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    // From no cell: Down goes to "More Colours...", Down again to "Default", then into the grid.
    NullHost::PressKey(VK_DOWN);
    NullHost::PressKey(VK_DOWN);
    NullHost::PressKey(VK_DOWN);
    NullHost::PressKey(VK_RIGHT);
    NullHost::PressKey(VK_DOWN);
    Pump();
    EXPECT_EQ(popup->GetCurrentCell(), 9);
    EXPECT_EQ(Colours(CPM_SELCHANGE), (std::vector<COLORREF> { RGB(0, 0, 255), CLR_DEFAULT, 0x000000, 0x002AA5, 0x2068FF }))
        << "the custom cell reports the colour the popup opened with";
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(Colours(CPM_SELENDOK), (std::vector<COLORREF> { 0x2068FF }));
    EXPECT_EQ(picker->GetColour(), 0x2068FFu);
}

TEST_F(KTColorPickerTest, EnterWithNoCellKeepsTheColourAndDefaultReportsTheDefaultColour)
{
    Open();
    NullHost::PressKey(VK_RETURN);
    Pump();
    EXPECT_EQ(Colours(CPM_SELENDOK), (std::vector<COLORREF> { RGB(0, 0, 255) }));

    parent.log.clear();
    KTColorPopup* popup = Open();
    POINT automatic = CellCentre(popup, D);
    NullHost::Click(automatic.x, automatic.y);
    Pump();
    EXPECT_EQ(Colours(CPM_SELENDOK), (std::vector<COLORREF> { CLR_DEFAULT }));
    EXPECT_EQ(picker->GetColour(), CLR_DEFAULT);
    EXPECT_EQ(ClientPixel(*picker, 10, 10), GetSysColor(COLOR_3DFACE));
    // Opened again with the default colour, the "Default" cell is the chosen one.
    popup = Open();
    EXPECT_EQ(popup->GetChosenCell(), D);
    NullHost::PressKey(VK_ESCAPE);
    Pump();
}

TEST_F(KTColorPickerTest, MoreColoursAsksTheColourDialogFromTheColourItHad)
{
    using platform::msg::CommonDialogAnswer;
    CommonDialogAnswer chosen;
    chosen.accepted = true;
    chosen.colour = RGB(10, 20, 30);
    platform::msg::ScriptCommonDialogAnswer(chosen);
    KTColorPopup* popup = Open();
    HWND popupWindow = popup->m_hWnd;
    POINT more = CellCentre(popup, M);
    NullHost::Click(more.x, more.y);
    Pump();
    auto shown = platform::msg::TakeShownCommonDialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, platform::msg::CommonDialogKind::Colour);
    EXPECT_EQ(shown[0].colour, RGB(0, 0, 255));
    EXPECT_EQ(shown[0].flags & (CC_FULLOPEN | CC_ANYCOLOR), CC_FULLOPEN | CC_ANYCOLOR);
    EXPECT_EQ(shown[0].owner, popupWindow);
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_SELCHANGE, CPM_CLOSEUP, CPM_SELENDOK, CPM_SELCHANGE }));
    EXPECT_EQ(picker->GetColour(), RGB(10, 20, 30));
    EXPECT_FALSE(IsWindow(popupWindow));

    // Cancelling the colour dialog cancels the popup.
    parent.log.clear();
    popup = Open();
    more = CellCentre(popup, M);
    NullHost::Click(more.x, more.y);
    Pump();
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_SELCHANGE, CPM_CLOSEUP, CPM_SELENDCANCEL }));
    EXPECT_EQ(picker->GetColour(), RGB(10, 20, 30));
}

TEST_F(KTColorPickerTest, TurningToAnotherProgramCancels)
{
    ASSERT_NE(Open(), nullptr);
    platform::msg::SetApplicationActive(false);
    Pump();
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_CLOSEUP, CPM_SELENDCANCEL }));
    platform::msg::SetApplicationActive(true);
}

TEST_F(KTColorPickerTest, WithoutTextsThePopupIsTheBareGridAndFitsOnTheScreen)
{
    picker->SetDefaultText(nullptr);
    picker->SetCustomText("");
    KTColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    CRect rect;
    popup->GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), CSize(8 * 18 + 4, 5 * 18 + 4));
    EXPECT_EQ(popup->GetCellRect(D), CRect());
    EXPECT_EQ(popup->GetCellRect(0).TopLeft(), CPoint(2, 2));
    NullHost::PressKey(VK_ESCAPE);
    Pump();

    // Near the bottom right corner of the screen: moved left to fit, and above the picker.
    picker->SetDefaultText("Default");
    SIZE screen = NullHost::ScreenSize();
    parent.MoveWindow(screen.cx - 130, screen.cy - 80, 120, 70);
    popup = Open();
    ASSERT_NE(popup, nullptr);
    CRect pickerRect;
    picker->GetWindowRect(&pickerRect);
    popup->GetWindowRect(&rect);
    EXPECT_EQ(rect.right, screen.cx);
    EXPECT_EQ(rect.bottom, pickerRect.top);
    NullHost::PressKey(VK_ESCAPE);
    Pump();
}

// ---- lifetimes -------------------------------------------------------------------------------------

TEST_F(KTColorPickerTest, PickerGoneWhileThePopupIsOpenLeavesNothingBehind)
{
    KTColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    HWND popupWindow = popup->m_hWnd;
    picker.reset();
    EXPECT_FALSE(IsWindow(popupWindow));
    EXPECT_EQ(GetCapture(), nullptr);
    Pump();
}

TEST_F(KTColorPickerTest, DialogEndingWhileTheColourDialogIsOpenLeavesNothingDangling)
{
    // The colour dialog is open when the dialog with the picker goes (a bed disconnected).
    platform::msg::ScriptCommonDialogAnswer([this](const platform::msg::CommonDialogRequest&) {
        picker.reset();
        parent.DestroyWindow();
        platform::msg::CommonDialogAnswer answer;
        answer.accepted = true;
        answer.colour = RGB(1, 2, 3);
        return answer;
    });
    KTColorPopup* popup = Open();
    HWND popupWindow = popup->m_hWnd;
    POINT more = CellCentre(popup, M);
    NullHost::Click(more.x, more.y);
    Pump();
    EXPECT_FALSE(IsWindow(popupWindow));
    EXPECT_EQ(Heard(), (std::vector<UINT> { CPM_DROPDOWN, CPM_SELCHANGE }));
}

TEST_F(KTColorPickerTest, ParentDestroyedWhileThePopupIsOpenTakesThePopupAlong)
{
    KTColorPopup* popup = Open();
    HWND popupWindow = popup->m_hWnd;
    parent.DestroyWindow();
    EXPECT_FALSE(IsWindow(popupWindow));
    EXPECT_FALSE(IsWindow(picker->m_hWnd));
}

TEST(KTColorPopupCreate, FailsWithoutAPickerAndTakesNoCapture)
{
    auto* popup = new KTColorPopup(CPoint(10, 10), RGB(0, 0, 0), nullptr, "Default", "More");
    EXPECT_EQ(popup->GetSafeHwnd(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    delete popup;
}

// ---- data exchange -----------------------------------------------------------------------------------

TEST_F(KTColorPickerTest, DataExchangeMovesTheColourBothWays)
{
    COLORREF colour = RGB(9, 8, 7);
    CDataExchange load(&parent, FALSE);
    DDX_ColourPicker(&load, kPickerId, colour);
    EXPECT_EQ(picker->GetColour(), RGB(9, 8, 7));
    picker->SetColour(RGB(1, 1, 1));
    CDataExchange save(&parent, TRUE);
    DDX_ColourPicker(&save, kPickerId, colour);
    EXPECT_EQ(colour, RGB(1, 1, 1));

    // Another kind of control under the id is left alone.
    CButton other;
    ASSERT_TRUE(other.Create("", WS_CHILD, CRect(0, 0, 10, 10), &parent, 302));
    DDX_ColourPicker(&save, 302, colour);
    EXPECT_EQ(colour, RGB(1, 1, 1));
}

} // namespace

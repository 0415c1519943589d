// The control library's gallery: one shaded dialog holding every control of the library's
// second group (buttons, skin button, hyperlink, styled edits, combo and list boxes, the
// extent list box, the sortable list, the multi-selection tree, the shaded tab control and
// static) and a panel drawn with the off-screen, rotated and tiled drawing helpers, kept as a
// reviewed picture.
#include "ktctrl/buttons/KTButton.h"
#include "ktctrl/buttons/KTSkinButton.h"
#include "ktctrl/draw/KTMemDC.h"
#include "ktctrl/draw/KTRotateDC.h"
#include "ktctrl/draw/KTTileBmp.h"
#include "ktctrl/link/KTHyperLink.h"
#include "ktctrl/lists/KTListBox.h"
#include "ktctrl/lists/KTListCtrl.h"
#include "ktctrl/lists/KTTreeCtrl.h"
#include "ktctrl/shaded/KTShadeTab.h"
#include "ktctrl/styled/KTStyledControls.h"
#include "support/SkinPictures.h"
#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "testkit/Canvas.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

using testkit::Pump;

namespace {

constexpr UINT kStripId = 9101;
const platform::ResourceData kPictures[] = { { "PNG", kStripId, nullptr, ktctrl::test::kSkinStrip } };
const platform::ResourceModuleRegistration s_pictures("GalleryTest", { .data = kPictures });

// A panel painted with the drawing helpers: a nine-section frame from a tiled bitmap, text
// turned upright with the rotated context, all composed off screen.
class DrawingPanel : public CWnd
{
public:
    DrawingPanel()
    {
        // A 9 x 9 frame picture: dark corners, blue edges, a pale centre.
        testkit::Canvas picture(9, 9, RGB(220, 230, 250));
        picture.dc.FillSolidRect(0, 0, 9, 3, RGB(60, 90, 160));
        picture.dc.FillSolidRect(0, 6, 9, 3, RGB(60, 90, 160));
        picture.dc.FillSolidRect(0, 0, 3, 9, RGB(60, 90, 160));
        picture.dc.FillSolidRect(6, 0, 3, 9, RGB(60, 90, 160));
        for (int corner : { 0, 6 })
            for (int other : { 0, 6 })
                picture.dc.FillSolidRect(corner, other, 3, 3, RGB(20, 30, 60));
        picture.dc.SelectObject(static_cast<CBitmap*>(nullptr));
        m_frame.Attach(reinterpret_cast<HBITMAP>(picture.bitmap.Detach()));
        m_frame.SetTileType(1);
    }

    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = {
            Message<WM_PAINT, &DrawingPanel::OnPaint>(),
            Message<WM_ERASEBKGND, &DrawingPanel::OnEraseBkgnd>(),
        };
        static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnPaint()
    {
        CPaintDC paint(this);
        CRect client;
        GetClientRect(&client);
        KTMemDC dc(&paint, &client, 0);
        m_frame.Draw(&dc, &client);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(20, 30, 60));
        dc.TextOut(40, 8, "Tiled frame, off-screen drawing");
        CRect side(8, 4, 30, client.bottom - 4);
        KTRotateDC rotated(dc, side, 90, 1);
        CRect turned = rotated.GetRotateRect();
        rotated.SetBkMode(TRANSPARENT);
        rotated.SetTextColor(RGB(160, 20, 20));
        rotated.TextOut(turned.left + 6, turned.top + 3, "Turned");
        rotated.Finish();
        KTRotateDC down(dc, CRect(client.right - 30, 4, client.right - 8, client.bottom - 4), 270, 1);
        CRect turnedDown = down.GetRotateRect();
        down.SetBkMode(TRANSPARENT);
        down.SetTextColor(RGB(20, 120, 20));
        down.TextOut(turnedDown.left + 6, turnedDown.top + 3, "Down");
    }

    KTTileBmp m_frame;
};

TEST(KTCtrlGallery, EveryControlOnOneShadedDialog)
{
    KTShadeDialog dialog;
    ASSERT_TRUE(dialog.CreateEx(0, nullptr, "Control gallery", WS_POPUP | WS_VISIBLE, CRect(40, 40, 560, 460), nullptr,
                                0));
    dialog.SetCaptionRect(0, 0, 520, 6);

    KTButton flat, classic;
    ASSERT_TRUE(flat.Create("Flat button", WS_CHILD | WS_VISIBLE, CRect(8, 8, 108, 32), &dialog, 101));
    ASSERT_TRUE(classic.Create("Classic", WS_CHILD | WS_VISIBLE, CRect(116, 8, 216, 32), &dialog, 102));
    classic.SetFlat(0);
    classic.SetColor(KTButton::BTNST_COLOR_FG_OUT, RGB(0, 0, 160));
    KTShadeButton shaded;
    shaded.SetShade(KTShade::SHADE_VBUMP, 8, 40, 20, RGB(0, 60, 160));
    ASSERT_TRUE(shaded.Create("Shade", WS_CHILD | WS_VISIBLE, CRect(224, 8, 324, 32), &dialog, 103));
    shaded.SetFlat(0);
    KTSkinButton skin;
    ASSERT_TRUE(skin.Create("", WS_CHILD | WS_VISIBLE, CRect(332, 8, 372, 28), &dialog, 104));
    skin.SetSkinAll(kStripId, KTSkinButton::SKIN_NORMAL, KTSkinButton::SKIN_PRESSED, KTSkinButton::SKIN_HOVER, -1);
    skin.SetDrawInfo(0, 0, 0);
    KTHyperLink link;
    link.SetURL("https://example.org/ward-manual");
    ASSERT_TRUE(link.Create("Ward manual", WS_CHILD | WS_VISIBLE, CRect(384, 12, 510, 30), &dialog, 105));

    KTEdit number(1, 1), readOnly(3, 0);
    ASSERT_TRUE(number.Create(WS_CHILD | WS_VISIBLE, CRect(8, 44, 108, 64), &dialog, 201));
    number.SetWindowText("12.5");
    ASSERT_TRUE(readOnly.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(116, 44, 216, 64), &dialog, 202));
    readOnly.SetWindowText("read only");
    KTComboBox combo(1);
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(224, 44, 364, 200), &dialog, 203));
    for (const char* colour : { "Black", "Blue", "Green" })
        combo.AddString(colour);
    combo.SetCurSel(1);
    KTShadeStatic banner;
    banner.SetShade(KTShade::SHADE_DIAGONAL, 10, 10, 30, RGB(200, 120, 0));
    ASSERT_TRUE(banner.Create("Shaded static", WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(380, 44, 510, 90), &dialog, 204));

    KTListBox beds;
    ASSERT_TRUE(beds.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(8, 100, 158, 190), &dialog, 301));
    for (const char* text : { "Bed 1: monitor connected", "Bed 2: recording since 08:40 this morning", "Bed 3" })
        beds.AddString(text);
    KTListCtrl studies;
    ASSERT_TRUE(studies.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(166, 100, 366, 190), &dialog, 302));
    studies.InsertColumn(0, "Study", LVCFMT_LEFT, 90);
    studies.InsertColumn(1, "Length", LVCFMT_LEFT, 80);
    const char* rows[][2] = { { "20261210", "42 min" }, { "20261208", "1 h 5 min" }, { "20261209", "18 min" } };
    for (int i = 0; i < 3; ++i) {
        studies.InsertItem(i, rows[i][0]);
        studies.SetItemText(i, 1, rows[i][1]);
    }
    studies.SortColumn(1);
    KTTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                            CRect(374, 100, 510, 240), &dialog, 303));
    HTREEITEM ward = tree.InsertItem("Ward A");
    HTREEITEM bed1 = tree.InsertItem("Bed 1", ward);
    tree.InsertItem("Bed 2", ward);
    HTREEITEM bed3 = tree.InsertItem("Bed 3", ward);
    tree.InsertItem("Ward B");
    tree.Expand(ward, TVE_EXPAND);
    tree.SetMultiSelect(1);
    tree.SetItemState(bed1, TVIS_SELECTED, TVIS_SELECTED);
    tree.SetItemState(bed3, KTTreeCtrl::TVIS_FOCUSED | TVIS_SELECTED, KTTreeCtrl::TVIS_FOCUSED | TVIS_SELECTED);

    KTShadeTab tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(8, 200, 366, 300), &dialog, 401));
    for (const char* text : { "Alarm", "Display", "Monitor" })
        tabs.InsertItem(tabs.GetItemCount(), text);
    tabs.EnableTab(1, 0);
    tabs.SetSelectedColor(1, RGB(0, 0, 160));
    KTPrgListBox plain(3);
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(374, 250, 510, 300), &dialog, 402));

    DrawingPanel panel;
    ASSERT_TRUE(panel.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(8, 310, 510, 410), &dialog, 501));

    dialog.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    platform::Image picture = testkit::Capture(dialog);
    testkit::SaveForReview(picture, "ktctrl_Gallery");
    testkit::ExpectMatchesGolden(picture, "ktctrl/tests/golden/Gallery.png", { 40, 0.02 });
}

} // namespace

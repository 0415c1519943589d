// Every composite control of the library together on one sizing dialog, captured as a reviewed
// golden picture: the gradient title, flat tab strips (scroll buttons, highlights, tabs at the
// bottom), side tab strips on both sides, the base tab control, progress bars (gradient, rubber,
// vertical), the disk-space bar, the image bar, a dialog bar, split panes and a tip text.
#include "ktctrl/composite/KTBaseTabCtrl.h"
#include "ktctrl/composite/KTDialogBar.h"
#include "ktctrl/composite/KTDiskSpaceCtrl.h"
#include "ktctrl/composite/KTFlatTab.h"
#include "ktctrl/composite/KTImageBar.h"
#include "ktctrl/composite/KTSideTab.h"
#include "ktctrl/composite/KTSizingDialog.h"
#include "ktctrl/composite/KTSplitDialog.h"
#include "ktctrl/composite/KTTipText.h"
#include "ktctrl/composite/KTTitle.h"
#include "platform/core/Clock.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/Image.h"
#include "platform/ui/controls/Button.h"
#include "testkit/ControlParent.h"
#include "testkit/Golden.h"

#include <gtest/gtest.h>

#include <string>

using testkit::Pump;

namespace {

const platform::DialogTemplate kGalleryTemplate { 9101, nullptr, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 100, 80, nullptr,
                                                  nullptr, 0, {} };
const platform::DialogTemplate kPanesTemplate { 9102, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 100, 50, nullptr,
                                                nullptr, 0, {} };
const platform::DialogItem kBarItems[] = {
    { "Static", "Dialog bar:", -1, 0, 4, 4, 40, 8 },
    { "Button", "Record on admission", 5001, BS_AUTOCHECKBOX, 48, 3, 90, 10 },
};
const platform::DialogTemplate kBarTemplate { 9103, nullptr, WS_CHILD, 0, 0, 0, 300, 16, nullptr, nullptr, 0, kBarItems };

class BorderedBar : public KTDialogBar
{
public:
    void OnPaintBar()
    {
        PAINTSTRUCT ps;
        CDC* dc = BeginPaint(&ps);
        DrawBorder(dc);
        EndPaint(&ps);
    }
    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = { Message<WM_PAINT, &BorderedBar::OnPaintBar>() };
        static constexpr platform::MessageMap kMap { &KTDialogBar::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
};

// 32 x 32 pictures for the image bar: a coloured square with a white frame on magenta.
void AddSquare(CImageList& images, COLORREF colour)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 32, 32);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 32, 32, RGB(255, 0, 255));
    dc.FillSolidRect(6, 4, 20, 20, RGB(255, 255, 255));
    dc.FillSolidRect(8, 6, 16, 16, colour);
    dc.SelectObject(old);
    images.Add(&bitmap, RGB(255, 0, 255));
}

TEST(KTCompositeGallery, EveryControlLooksAsReviewed)
{
    platform::ScopedTestClock clock { 10000 };
    KTSizingDialog gallery;
    ASSERT_TRUE(gallery.CreateIndirect(kGalleryTemplate));
    gallery.MoveWindow(0, 0, 640, 440);
    gallery.ShowGripper(TRUE);

    KTTitle title;
    ASSERT_TRUE(title.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 640, 26), &gallery, 10));
    title.SetWindowText("Composite controls");

    KTFlatTab flat;
    ASSERT_TRUE(flat.Create(WS_VISIBLE | KTTAB_FOURBUTTONS | KTTAB_MULTIHIGHLIGHT, CRect(50, 34, 330, 54), &gallery, 11));
    for (int i = 0; i < 8; ++i)
        flat.InsertItem(i, ("Bed " + std::to_string(i + 1)).c_str());
    flat.SetCurSel(1);
    flat.HighlightItem(3, TRUE);
    flat.EnableItem(2, FALSE);

    KTFlatTab bottom;
    ASSERT_TRUE(bottom.Create(WS_VISIBLE | KTTAB_AUTOHIDEBUTTONS | KTTAB_BOTTOM, CRect(50, 60, 330, 80), &gallery, 12));
    for (const char* text : { "Trend", "Wave", "Study" })
        bottom.InsertItem(bottom.GetItemCount(), text);
    bottom.SetCurSel(0);

    KTSideTab left, right;
    ASSERT_TRUE(left.Create(WS_VISIBLE, CRect(10, 34, 40, 420), &gallery, 13));
    ASSERT_TRUE(right.Create(WS_VISIBLE | KTTAB_AUTOHIDEBUTTONS | KTTAB_BOTTOM, CRect(596, 34, 626, 420), &gallery, 14));
    for (int i = 0; i < 7; ++i)
        left.InsertItem(i, ("Page " + std::to_string(i + 1)).c_str());
    left.SetCurSel(2);
    for (const char* text : { "Alarms", "Display", "Patient" })
        right.InsertItem(right.GetItemCount(), text);
    right.SetCurSel(1);

    KTBaseTabCtrl base;
    ASSERT_TRUE(base.Create(WS_CHILD | WS_VISIBLE, CRect(340, 34, 586, 110), &gallery, 15));
    base.InsertItem(0, "General");
    base.InsertItem(1, "Colours");
    base.SetCurSel(0);
    base.SetBkgndColor(RGB(220, 230, 240));

    KTProgressCtrl gradient, rubber, vertical;
    ASSERT_TRUE(gradient.Create(WS_CHILD | WS_VISIBLE, CRect(50, 90, 330, 110), &gallery, 16));
    gradient.SetGradientColor(3, RGB(0, 160, 0), RGB(255, 220, 0), RGB(220, 0, 0));
    gradient.SetRange32(0, 100);
    gradient.SetPos(70);
    gradient.SetTextColor(RGB(255, 255, 255));
    gradient.SetTextColorOnBk(RGB(0, 0, 0));
    ASSERT_TRUE(rubber.Create(WS_CHILD | WS_VISIBLE, CRect(50, 116, 330, 136), &gallery, 17));
    rubber.EnableRubber(TRUE);
    rubber.SetBorders(2, 2, 2, 2);
    rubber.SetRange32(0, 200);
    rubber.SetPos(90);
    rubber.SetTextType(KTProgressCtrl::TEXT_POSITION);
    rubber.SetTextFormat("%d of 200");
    ASSERT_TRUE(vertical.Create(WS_CHILD | WS_VISIBLE | PBS_VERTICAL, CRect(560, 116, 586, 250), &gallery, 18));
    vertical.SetBarColor(RGB(40, 90, 200));
    vertical.SetRange32(0, 10);
    vertical.SetPos(6);
    vertical.SetTextFormat("");

    KTDiskSpaceCtrl disk;
    ASSERT_TRUE(disk.Create(WS_CHILD | WS_VISIBLE, CRect(50, 142, 550, 162), &gallery, 19));
    disk.SetDriveProbe([](LPCTSTR, ULONGLONG& total, ULONGLONG& freeBytes) {
        total = 500ull << 30;
        freeBytes = 120ull << 30;
        return TRUE;
    });
    disk.SetDrive("D:\\");
    disk.SetBarColor(RGB(70, 130, 180));
    disk.SetTextColor(RGB(255, 255, 255));
    disk.SetTextColorOnBk(RGB(0, 0, 0));

    CImageList images;
    images.Create(32, 32, ILC_COLOR32 | ILC_MASK, 4, 4);
    for (COLORREF c : { RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 80, 200), RGB(200, 160, 0) })
        AddSquare(images, c);
    KTImageBar imageBar;
    ASSERT_TRUE(imageBar.Create(WS_CHILD | WS_VISIBLE, CRect(50, 168, 550, 220), &gallery, 20));
    imageBar.SetNormalImage(&images);
    imageBar.SetHoverImage(&images, RGB(225, 235, 250), RGB(0, 0, 0));
    imageBar.SetPressImage(&images, RGB(200, 210, 230), RGB(0, 0, 0));
    imageBar.Add(1, 0, "Admit");
    imageBar.Add(2, 1, "Record", KTImageBarItem::TYPE_CHECK, TRUE, TRUE);
    imageBar.Add(3, 2, "Print trend pages");
    imageBar.Add(4, 3, "Capture");
    imageBar.EnableItem(3, FALSE);

    BorderedBar dialogBar;
    ASSERT_TRUE(dialogBar.CreateIndirect(&gallery, kBarTemplate, WS_VISIBLE, 21));
    dialogBar.MoveWindow(50, 228, 500, 26);
    dialogBar.SetBkColor(RGB(235, 240, 225));
    dialogBar.SetBorderFlags(KTDB_BORDER_LEFT | KTDB_BORDER_TOP | KTDB_BORDER_RIGHT | KTDB_BORDER_BOTTOM);

    KTSplitDialog panes;
    ASSERT_TRUE(panes.CreateIndirect(kPanesTemplate, &gallery));
    panes.MoveWindow(50, 262, 500, 158);
    panes.ShowWindow(SW_SHOW);
    KTTitle paneLeft, paneTop, paneBottom;
    ASSERT_TRUE(paneLeft.Create(nullptr, "Left", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &panes, 30));
    ASSERT_TRUE(paneTop.Create(nullptr, "Top", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &panes, 31));
    ASSERT_TRUE(paneBottom.Create(nullptr, "Bottom", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &panes, 32));
    paneLeft.SetBkColor(RGB(0, 60, 0), RGB(120, 200, 120));
    paneTop.SetBkColor(RGB(0, 0, 90), RGB(120, 150, 230));
    paneBottom.SetBkColor(RGB(90, 0, 0), RGB(230, 140, 120));
    KTSplitPane* root = panes.CreatePane(KTSplitPane::SIDE_BY_SIDE);
    KTSplitPane* stacked = panes.CreatePane(KTSplitPane::STACKED, root, KTSplitPane::SIDE_RIGHT);
    panes.SetPaneWnd(root, &paneLeft, KTSplitPane::SIDE_LEFT, 40, 20, 180, 100);
    panes.SetPaneWnd(stacked, &paneTop, KTSplitPane::SIDE_LEFT, 40, 20, 100, 60);
    panes.SetPaneWnd(stacked, &paneBottom, KTSplitPane::SIDE_RIGHT, 40, 20);
    panes.Initialize();

    KTTipText tip;
    ASSERT_TRUE(tip.Create(CPoint(360, 60), &gallery));
    tip.SetWindowText("Tip text: 10 pt Arial");
    tip.ShowDelayed(0);
    Pump();

    // The pop-up tip is a window of its own: it is laid over the dialog's picture where it stands.
    platform::Image picture = testkit::Capture(gallery);
    const platform::Image tipPicture = testkit::Capture(tip);
    CRect galleryRect, tipRect;
    gallery.GetWindowRect(&galleryRect);
    tip.GetWindowRect(&tipRect);
    for (int y = 0; y < tipPicture.Height(); ++y)
        for (int x = 0; x < tipPicture.Width(); ++x) {
            const int gx = tipRect.left - galleryRect.left + x, gy = tipRect.top - galleryRect.top + y;
            if (gx >= 0 && gy >= 0 && gx < picture.Width() && gy < picture.Height())
                picture.Row(gy)[gx] = tipPicture.Row(y)[x];
        }
    testkit::SaveForReview(picture, "ktctrl_CompositeGallery");
    testkit::ExpectMatchesGolden(picture, "ktctrl/tests/golden/CompositeGallery.png", { 40, 0.02 });

    delete root;
    tip.DestroyWindow();
    gallery.DestroyWindow();
    Pump();
}

} // namespace

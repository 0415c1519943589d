// The bed windows' shared artwork, loaded once from the library's PNG resources.
#include "nyraclient/bedwindow/BedArtwork.h"

#include "nyraclient/res/NyraClientBitmaps.h"

#include "platform/gdi/CDC.h"

namespace {

using namespace nyraclient;

constexpr COLORREF kTransparent = RGB(255, 0, 255);
// Length of the caps at both ends of a strip.
constexpr int kCap = 10;

void LoadFrame(BedArtwork::FrameSet& set, UINT caption, UINT left, UINT right, UINT bottom)
{
    set.caption.LoadBitmap(caption);
    set.left.LoadBitmap(left);
    set.right.LoadBitmap(right);
    set.bottom.LoadBitmap(bottom);
}

void LoadIcons(CImageList& list, UINT bitmapId, int cx, int cy)
{
    CBitmap strip;
    if (!strip.LoadBitmap(bitmapId))
        return;
    if (list.Create(cx, cy, ILC_COLOR24 | ILC_MASK, 11, 1))
        list.Add(&strip, kTransparent);
}

} // namespace

BedArtwork::BedArtwork()
{
    LoadFrame(m_Frame, IDB_FRAME_CAPTION, IDB_FRAME_LEFT, IDB_FRAME_RIGHT, IDB_FRAME_BOTTOM);
    LoadFrame(m_FrameHot, IDB_FRAME_CAPTION_HOT, IDB_FRAME_LEFT_HOT, IDB_FRAME_RIGHT_HOT, IDB_FRAME_BOTTOM_HOT);
    LoadIcons(m_Buttons, IDB_BUTTON_ICONS, kButtonIconWidth, kButtonIconHeight);
    LoadIcons(m_ButtonsHot, IDB_BUTTON_ICONS_HOT, kButtonIconWidth, kButtonIconHeight);
    LoadIcons(m_Numbers, IDB_NUMBER_ICONS, kNumberIconWidth, kNumberIconHeight);
    LoadIcons(m_NumbersHot, IDB_NUMBER_ICONS_HOT, kNumberIconWidth, kNumberIconHeight);
}

BedArtwork& BedArtwork::Shared()
{
    // Kept to the end of the process: bed windows come and go, their artwork does not.
    static BedArtwork* const artwork = new BedArtwork;
    return *artwork;
}

void BedArtwork::DrawStrip(CDC* dc, const CBitmap& strip, int x, int y, int length, bool vertical)
{
    if (strip.GetSafeHandle() == nullptr)
        return;
    BITMAP info {};
    strip.GetBitmap(&info);
    const int along = vertical ? info.bmHeight : info.bmWidth;
    const int across = vertical ? info.bmWidth : info.bmHeight;
    const int middle = along - 2 * kCap;
    if (middle <= 0 || length <= 0)
        return;

    CDC source;
    source.CreateCompatibleDC(dc);
    CBitmap* old = source.SelectObject(const_cast<CBitmap*>(&strip));
    // Copies `count` pixels of the strip from `from` to `to` along it.
    auto copy = [&](int to, int from, int count) {
        if (vertical)
            dc->BitBlt(x, y + to, across, count, &source, 0, from, SRCCOPY);
        else
            dc->BitBlt(x + to, y, count, across, &source, from, 0, SRCCOPY);
    };
    copy(0, 0, kCap);
    for (int i = 0; i < length / middle + 1; ++i)
        copy(kCap + i * middle, kCap, middle);
    copy(length - kCap, along - kCap, kCap);
    source.SelectObject(old);
}

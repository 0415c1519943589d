// KTBmpUtil over the drawing module's bitmaps and memory device contexts.
#include "ktutil/KTBmpUtil.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"

namespace {

bool HasPicture(CBitmap* bitmap, CDC* dc) { return bitmap && bitmap->GetSafeHandle() && dc; }

CSize SizeOf(CBitmap* bitmap)
{
    BITMAP info {};
    bitmap->GetBitmap(&info);
    return CSize(info.bmWidth, info.bmHeight);
}

// Copies the whole bitmap into the rectangle (stretched when the sizes differ).
void Blit(CBitmap* bitmap, CDC* dc, int x, int y, int width, int height)
{
    CDC memory;
    if (!memory.CreateCompatibleDC(dc))
        return;
    CBitmap* old = memory.SelectObject(bitmap);
    CSize size = SizeOf(bitmap);
    if (size.cx == width && size.cy == height)
        dc->BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);
    else
        dc->StretchBlt(x, y, width, height, &memory, 0, 0, size.cx, size.cy, SRCCOPY);
    memory.SelectObject(old);
}

} // namespace

int KTBmpUtil::LoadBitmapA(LPCTSTR file, CBitmap& bitmap)
{
    CBitmap loaded;
    if (!file || !loaded.LoadImageFile(file))
        return 0;
    bitmap.DeleteObject();
    bitmap.Attach(loaded.Detach());
    return 1;
}

void KTBmpUtil::DrawBitmap(CBitmap* bitmap, CDC* dc, int x, int y)
{
    if (!HasPicture(bitmap, dc))
        return;
    CSize size = SizeOf(bitmap);
    Blit(bitmap, dc, x, y, size.cx, size.cy);
}

void KTBmpUtil::DrawBitmapStrected(CBitmap* bitmap, CDC* dc, int x, int y, int width, int height)
{
    if (HasPicture(bitmap, dc))
        Blit(bitmap, dc, x, y, width, height);
}

void KTBmpUtil::DrawBitmapCenter(CBitmap* bitmap, CDC* dc, const CRect& rect)
{
    if (!HasPicture(bitmap, dc))
        return;
    CSize size = SizeOf(bitmap);
    DrawBitmap(bitmap, dc, (rect.left + rect.right) / 2 - size.cx / 2, (rect.top + rect.bottom) / 2 - size.cy / 2);
}

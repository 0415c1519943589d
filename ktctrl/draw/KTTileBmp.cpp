// The tiled bitmap.
#include "ktctrl/draw/KTTileBmp.h"

#include <algorithm>

BOOL KTTileBmp::LoadImage(UINT resourceId)
{
    DelectObject();
    if (!m_bitmap.LoadBitmap(resourceId))
        return FALSE;
    ComputeSections();
    return TRUE;
}

void KTTileBmp::Attach(HBITMAP bitmap)
{
    DelectObject();
    m_bitmap.Attach(bitmap);
    ComputeSections();
}

BOOL KTTileBmp::CopyImage(HBITMAP bitmap)
{
    DelectObject();
    CBitmap* source = CBitmap::FromHandle(bitmap);
    BITMAP info {};
    if (!source || !source->GetBitmap(&info))
        return FALSE;
    CDC screen, from, to;
    if (!screen.CreateCompatibleDC(nullptr) || !from.CreateCompatibleDC(&screen) || !to.CreateCompatibleDC(&screen))
        return FALSE;
    if (!m_bitmap.CreateCompatibleBitmap(&screen, info.bmWidth, info.bmHeight))
        return FALSE;
    CBitmap* oldFrom = from.SelectObject(source);
    CBitmap* oldTo = to.SelectObject(&m_bitmap);
    to.BitBlt(0, 0, info.bmWidth, info.bmHeight, &from, 0, 0, SRCCOPY);
    from.SelectObject(oldFrom);
    to.SelectObject(oldTo);
    ComputeSections();
    return TRUE;
}

void KTTileBmp::DelectObject()
{
    m_bitmap.DeleteObject();
    m_whole.SetRectEmpty();
    for (CRect& section : m_sections)
        section.SetRectEmpty();
}

void KTTileBmp::ComputeSections()
{
    BITMAP info {};
    if (!m_bitmap.GetSafeHandle() || !m_bitmap.GetBitmap(&info))
        return;
    m_whole.SetRect(0, 0, info.bmWidth, info.bmHeight);
    // The middle column and row take the remainders, so the sections cover the bitmap exactly.
    int cw = info.bmWidth / 3, rh = info.bmHeight / 3;
    int xs[4] = { 0, cw, info.bmWidth - cw, info.bmWidth };
    int ys[4] = { 0, rh, info.bmHeight - rh, info.bmHeight };
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            m_sections[row * 3 + column].SetRect(xs[column], ys[row], xs[column + 1], ys[row + 1]);
}

void KTTileBmp::Draw(CDC* dc, RECT* rect)
{
    if (rect)
        Draw(dc, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
}

void KTTileBmp::Draw(CDC* dc, int x, int y, int width, int height)
{
    if (!dc || !m_bitmap.GetSafeHandle() || m_whole.IsRectEmpty())
        return;
    // A zero-sized area draws nothing.
    if (width <= 0 || height <= 0)
        return;
    CDC mem, source;
    if (!mem.CreateCompatibleDC(dc) || !source.CreateCompatibleDC(dc))
        return;
    CBitmap picture;
    if (!picture.CreateCompatibleBitmap(dc, width, height))
        return;
    CBitmap* oldMem = mem.SelectObject(&picture);
    CBitmap* oldSource = source.SelectObject(&m_bitmap);
    if (m_tileType == 1)
        DrawSections(mem, source, width, height);
    else
        DrawRepeat(mem, source, width, height);
    dc->BitBlt(x, y, width, height, &mem, 0, 0, SRCCOPY);
    source.SelectObject(oldSource);
    mem.SelectObject(oldMem);
}

void KTTileBmp::Repeat(CDC& mem, CDC& source, const CRect& piece, const CRect& area)
{
    if (piece.IsRectEmpty() || area.IsRectEmpty())
        return;
    for (int y = area.top; y < area.bottom; y += piece.Height())
        for (int x = area.left; x < area.right; x += piece.Width()) {
            int w = std::min<int>(piece.Width(), area.right - x);
            int h = std::min<int>(piece.Height(), area.bottom - y);
            mem.BitBlt(x, y, w, h, &source, piece.left, piece.top, SRCCOPY);
        }
}

void KTTileBmp::DrawRepeat(CDC& mem, CDC& source, int width, int height)
{
    Repeat(mem, source, m_whole, CRect(0, 0, width, height));
}

void KTTileBmp::DrawSections(CDC& mem, CDC& source, int width, int height)
{
    const CRect& tl = Section(0, 0);
    const CRect& br = Section(2, 2);
    // Inner edges of the target: where the corners end.
    int left = tl.Width(), top = tl.Height();
    int right = width - br.Width(), bottom = height - br.Height();
    Repeat(mem, source, Section(1, 1), CRect(left, top, right, bottom));
    Repeat(mem, source, Section(0, 1), CRect(left, 0, right, top));
    Repeat(mem, source, Section(2, 1), CRect(left, bottom, right, height));
    Repeat(mem, source, Section(1, 0), CRect(0, top, left, bottom));
    Repeat(mem, source, Section(1, 2), CRect(right, top, width, bottom));
    auto corner = [&](const CRect& piece, int x, int y) {
        mem.BitBlt(x, y, piece.Width(), piece.Height(), &source, piece.left, piece.top, SRCCOPY);
    };
    corner(Section(0, 0), 0, 0);
    corner(Section(0, 2), right, 0);
    corner(Section(2, 0), 0, bottom);
    corner(Section(2, 2), right, bottom);
}

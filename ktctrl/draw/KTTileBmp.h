// KTTileBmp: fills a rectangle from one bitmap, either by repeating the whole bitmap (type 0)
// or as a nine-section frame (type 1): corners once, edges repeated along the edges, the
// centre repeated in the middle. The picture is composed off screen and copied in one go.
#pragma once

#include "platform/gdi/CDC.h"

class KTTileBmp
{
public:
    KTTileBmp() = default;
    virtual ~KTTileBmp() = default;
    KTTileBmp(const KTTileBmp&) = delete;
    KTTileBmp& operator=(const KTTileBmp&) = delete;

    BOOL LoadImage(UINT resourceId);
    void Attach(HBITMAP bitmap);
    // Keeps a copy; the given handle stays with the caller.
    BOOL CopyImage(HBITMAP bitmap);
    void DelectObject();

    void SetTileType(int type) { m_tileType = type; }
    int GetTileType() const { return m_tileType; }

    void Draw(CDC* dc, int x, int y, int width, int height);
    void Draw(CDC* dc, RECT* rect);

    // Section `row` (0 to 2), `column` (0 to 2) in bitmap coordinates.
    const CRect& Section(int row, int column) const { return m_sections[row * 3 + column]; }

private:
    void ComputeSections();
    void DrawRepeat(CDC& mem, CDC& source, int width, int height);
    void DrawSections(CDC& mem, CDC& source, int width, int height);
    // Repeats `piece` of the source over `area` of `mem`, unscaled, cut off where it ends.
    static void Repeat(CDC& mem, CDC& source, const CRect& piece, const CRect& area);

    CBitmap m_bitmap;
    CRect m_whole;
    CRect m_sections[9];
    int m_tileType { 0 };
};

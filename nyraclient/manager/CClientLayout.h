// CClientLayout: the tile rectangles of the bed grid for one display mode (0 one bed enlarged
// beside small tiles, 1 two beds, 2 four, 3 eight, 4 sixteen), relative to the grid's top-left
// corner. Cells of a grid of `cols` x `rows` are separated by 4 pixels and centred in the area.
// With a bed enlarged the area is 6 x 8 cells: the enlarged bed on the left, one or two columns
// of small tiles at the right (how many depends on how many beds the owner holds).
#pragma once

#include "nyraclient/display/DisplayTypes.h"

#include "platform/core/Geometry.h"

#include <vector>

class NyraClientManager;

class CClientLayout
{
public:
    static constexpr int kGap = 4;

    CClientLayout() = default;
    virtual ~CClientLayout() = default;

    // 0 when the mode is unchanged; otherwise stores it (recomputing for the stored area when
    // `recalc`) and returns 1.
    int SetMode(DISPMODE mode, BOOL recalc);
    DISPMODE GetMode() const { return m_Mode; }
    void SetExpanded(BOOL on, BOOL recalc);
    BOOL IsExpanded() const { return m_bExpanded; }
    void Recalc(int width, int height);
    // Tiles per page: 16 for modes 0 and 4, 2, 4 and 8 for modes 1 to 3, 0 for any other.
    int GetPageSize() const;
    // A copy of tile i's rectangle; an empty rectangle for an index outside the computed tiles.
    CRect GetTileRect(int i) const;
    int GetTileCount() const { return static_cast<int>(m_Tiles.size()); }
    CRect GetExpandedRect() const { return m_rcExpanded; }
    CSize GetArea() const { return m_Area; }
    // The manager whose number of array entries decides the enlarged layout; none counts 0.
    void SetOwner(NyraClientManager* pOwner) { m_pOwner = pOwner; }

private:
    int OwnerEntries() const;

    DISPMODE m_Mode { static_cast<DISPMODE>(-1) };
    CSize m_Area { 0, 0 };
    std::vector<CRect> m_Tiles;
    BOOL m_bExpanded { FALSE };
    CRect m_rcExpanded;
    NyraClientManager* m_pOwner { nullptr };
};

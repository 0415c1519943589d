// KTLayout: child windows placed in a client area whose size changes.
//
// Each item gives its left and top edge as a fixed value, a fraction of the area or the far
// edge of another item (by id), and its width and height as fixed values or fractions. Every
// rectangle is shrunk by the border on each side. A relation to an id that no item has, or a
// chain of relations that comes back to itself, counts as 0.
//
// Layout file (an ini file): [ORG] BORDER, ITEMS; [ITEM1] ... [ITEMn] with ID, X_TYPE, X_VALUE,
// X_SCALE, X_RELATIVE, Y_..., CX_TYPE, CX_VALUE, CX_SCALE, CY_... (integers).
#pragma once

#include "ktutil/KTLayoutItem.h"
#include "platform/core/Types.h"

#include <memory>
#include <vector>

class KTLayout
{
public:
    KTLayout() = default;
    KTLayout(const KTLayout& other) { *this = other; }
    KTLayout& operator=(const KTLayout& other);
    virtual ~KTLayout() = default;

    // Stores a copy of the item; its index.
    int Add(const KTLayoutItem& item);
    int Find(int id) const;
    KTLayoutItem* Get(int index) const;
    KTLayoutItem* GetEx(int id) const { return Get(Find(id)); }
    CRect GetRect(int index) const;
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void DeleteAt(int index);
    void DeleteAll() { m_items.clear(); }
    void SetBorder(int border) { m_nBorder = border; }
    int GetBorder() const { return m_nBorder; }

    // Computes every item's rectangle in an area cx by cy; with `move` each item's window is
    // moved there (and repainted).
    void Calculation(int cx, int cy, BOOL move);
    // ShowWindow with the command on every item's window.
    void ShowDialog(int showCommand);

    // 0 when the file does not exist; else the layout is replaced by the file's and 1.
    int Open(LPCTSTR path);
    // 0 for an invalid path or a file that cannot be made; else the file is written afresh: 1.
    int Save(LPCTSTR path) const;

private:
    // The left (horizontal) or top edge of the item in an area of that width or height,
    // without the border.
    int Edge(const KTLayoutItem& item, bool horizontal, int area) const;

    int m_nBorder { 0 };
    std::vector<std::unique_ptr<KTLayoutItem>> m_items;
};

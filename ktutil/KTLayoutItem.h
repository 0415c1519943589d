// KTLayoutItem: one child window's place in a KTLayout, and the window itself.
//
// An item may own its window (the delete flag): the window is then destroyed and its object
// deleted when the last item holding it goes. Copies of an item share the window, so a window
// handed to a layout (which keeps a copy of the item) is deleted exactly once, whichever copy
// goes last.
#pragma once

#include "ktutil/KTLayoutScale.h"
#include "platform/core/Geometry.h"

#include <memory>

class CWnd;

class KTLayoutItem
{
public:
    explicit KTLayoutItem(int id = 0) : m_nID(id) {}
    KTLayoutItem(const KTLayoutItem&) = default;
    KTLayoutItem& operator=(const KTLayoutItem&) = default;
    virtual ~KTLayoutItem() = default;

    void SetID(int id) { m_nID = id; }
    int GetID() const { return m_nID; }
    const CRect& GetRect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    // With `deleteWindow` the item owns the window object (it may be null).
    void SetWindow(CWnd* window, BOOL deleteWindow = TRUE);
    CWnd* GetWindow() const { return m_pWnd; }
    BOOL GetDeleteWindow() const { return m_bDeleteWindow; }

    KTPosition m_left;
    KTPosition m_top;
    KTScale m_width;
    KTScale m_height;

private:
    BOOL m_bDeleteWindow { TRUE };
    CRect m_rect;
    int m_nID { 0 };
    CWnd* m_pWnd { nullptr };
    std::shared_ptr<CWnd> m_owner; // set only while the item owns m_pWnd
};

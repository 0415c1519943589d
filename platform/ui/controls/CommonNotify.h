// The notification codes that every common control (list view, header, tree view, tab control,
// toolbar) shares, the state-image bits of list and tree items, and the helper that sends a
// WM_NOTIFY to a control's parent.
#pragma once

#include "platform/gdi/CImageList.h"
#include "platform/msg/WindowApi.h"

constexpr UINT NM_FIRST = 0;
constexpr UINT NM_OUTOFMEMORY = static_cast<UINT>(-1);
constexpr UINT NM_CLICK = static_cast<UINT>(-2);
constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
constexpr UINT NM_RETURN = static_cast<UINT>(-4);
constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
constexpr UINT NM_RDBLCLK = static_cast<UINT>(-6);
constexpr UINT NM_SETFOCUS = static_cast<UINT>(-7);
constexpr UINT NM_KILLFOCUS = static_cast<UINT>(-8);

// An item's state image (list and tree views): its 1-based index in bits 12 to 15 of the state.
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }

namespace platform::ui {

// Fills the header of `notification` (whose first member is an NMHDR) and sends it as WM_NOTIFY
// to `parent`; returns the parent's answer (0 without a parent).
template <class T>
LRESULT SendNotify(HWND parent, HWND from, UINT code, T& notification)
{
    NMHDR& header = reinterpret_cast<NMHDR&>(notification);
    header.hwndFrom = from;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(from));
    header.code = code;
    if (!parent)
        return 0;
    return SendMessage(parent, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&notification));
}

// Image lists travel to the controls as handles, but only the CImageList object can draw. The
// wrappers link the object to the control window under a slot name; the control draws with the
// linked object while its handle is the one the control holds. As always, the caller keeps the
// image list alive while a control uses it.
inline void LinkImageList(HWND control, const char* slot, CImageList* list)
{
    SetProp(control, slot, reinterpret_cast<HANDLE>(list));
}

inline CImageList* LinkedImageList(HWND control, const char* slot, HIMAGELIST current)
{
    auto* list = reinterpret_cast<CImageList*>(GetProp(control, slot));
    return list && current && list->m_hImageList == current ? list : nullptr;
}

} // namespace platform::ui

// CGdiObject: the wrapper of a drawing object handle. The wrapper owns one reference to the
// object; DeleteObject (or the destructor) gives it up. An object still selected into a device
// context lives on until that context lets it go.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <type_traits>

// The typed handles of drawing objects; each converts to HGDIOBJ where a call takes any object.
template <typename H>
concept GdiHandle = std::is_same_v<H, HPEN> || std::is_same_v<H, HBRUSH> || std::is_same_v<H, HFONT> ||
                    std::is_same_v<H, HBITMAP> || std::is_same_v<H, HRGN> || std::is_same_v<H, HPALETTE>;

template <GdiHandle H>
HGDIOBJ ToGdiObject(H handle)
{
    return reinterpret_cast<HGDIOBJ>(handle);
}

class CGdiObject
{
public:
    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject { nullptr };

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const; // null for a null object pointer, as callers expect
    // Gives up this wrapper's reference. FALSE when there was nothing to delete.
    BOOL DeleteObject();
    // Takes ownership of one reference that the caller hands over (a handle it created).
    BOOL Attach(HGDIOBJ object);
    template <GdiHandle H>
    BOOL Attach(H object) { return Attach(ToGdiObject(object)); }
    // Hands the wrapper's reference to the caller.
    HGDIOBJ Detach();
    BOOL CreateStockObject(int index);
    int GetObject(int size, void* buffer) const;
    DWORD GetObjectType() const;

    // A wrapper for a handle, kept per thread, that does not own it. Null for a stale handle.
    static CGdiObject* FromHandleTemporary(HGDIOBJ object);
    static CGdiObject* FromHandle(HGDIOBJ object) { return FromHandleTemporary(object); }

protected:
    void Replace(HGDIOBJ object);
};

HGDIOBJ GetStockObject(int index);
BOOL DeleteObject(HGDIOBJ object);
template <GdiHandle H>
BOOL DeleteObject(H object) { return DeleteObject(ToGdiObject(object)); }
int GetObject(HGDIOBJ object, int size, void* buffer);
template <GdiHandle H>
int GetObject(H object, int size, void* buffer) { return GetObject(ToGdiObject(object), size, buffer); }
DWORD GetObjectType(HGDIOBJ object);

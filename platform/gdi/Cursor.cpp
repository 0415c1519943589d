// The standard cursors and cursors from icons.
#include "platform/gdi/Cursor.h"

#include "platform/gdi/Image.h"

#include <array>
#include <mutex>

namespace {

struct StandardCursor
{
    UINT id;
    const char* name;
};

// Id 0 marks the drag-and-drop feedback shapes, which have no classic id to load them by.
constexpr std::array<StandardCursor, 14> kStandard { {
    { 32512, "default" },
    { 32513, "text" },
    { 32514, "wait" },
    { 32515, "crosshair" },
    { 32642, "nwse-resize" },
    { 32643, "nesw-resize" },
    { 32644, "ew-resize" },
    { 32645, "ns-resize" },
    { 32646, "move" },
    { 32648, "not-allowed" },
    { 32649, "pointer" },
    { 0, "no-drop" },
    { 0, "move" },
    { 0, "copy" },
} };
constexpr int kFirstDragCursor = 11;
static_assert(kStandard.size() == kFirstDragCursor + 3 && kStandard[kFirstDragCursor].id == 0);

// One shared handle per standard shape, made at first use. Its picture is a single clear
// pixel: the shape itself is the host's.
struct StandardHandles
{
    std::mutex lock;
    std::array<HCURSOR, kStandard.size()> handles {};
};

StandardHandles& Handles()
{
    static StandardHandles handles;
    return handles;
}

int IndexOfId(UINT id)
{
    if (id == 0)
        return -1;
    for (size_t i = 0; i < kStandard.size(); ++i)
        if (kStandard[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int IndexOfHandle(HCURSOR cursor)
{
    if (!cursor)
        return -1;
    StandardHandles& h = Handles();
    std::lock_guard guard(h.lock);
    for (size_t i = 0; i < h.handles.size(); ++i)
        if (h.handles[i] == cursor)
            return static_cast<int>(i);
    return -1;
}

HCURSOR StandardHandle(int index)
{
    if (index < 0)
        return nullptr;
    StandardHandles& h = Handles();
    std::lock_guard guard(h.lock);
    if (!h.handles[index])
        h.handles[index] = platform::CreateIconFromImage(platform::Image(1, 1));
    return h.handles[index];
}

bool IsIntResource(LPCSTR name)
{
    return (reinterpret_cast<UINT_PTR>(name) >> 16) == 0;
}

} // namespace

HCURSOR LoadCursor(HINSTANCE module, LPCSTR name)
{
    if (module)
        return IsIntResource(name) ? LoadIcon(module, static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)))
                                   : LoadIcon(module, name);
    if (!IsIntResource(name))
        return nullptr;
    return StandardHandle(IndexOfId(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name))));
}

HCURSOR LoadCursor(HINSTANCE module, UINT id)
{
    return LoadCursor(module, MAKEINTRESOURCE(id));
}

BOOL DestroyCursor(HCURSOR cursor)
{
    return DestroyIcon(cursor);
}

HCURSOR CopyCursor(HCURSOR cursor)
{
    if (platform::IsStandardCursor(cursor))
        return cursor;
    SIZE size {};
    if (!platform::GetIconSize(cursor, &size))
        return nullptr;
    return cursor; // icons are immutable; sharing one is safe until it is destroyed
}

namespace platform {

const char* StandardCursorName(HCURSOR cursor)
{
    int index = IndexOfHandle(cursor);
    return index < 0 ? nullptr : kStandard[index].name;
}

bool IsStandardCursor(HCURSOR cursor)
{
    return IndexOfHandle(cursor) >= 0;
}

HCURSOR DragCursor(DragFeedback feedback)
{
    return StandardHandle(kFirstDragCursor + static_cast<int>(feedback));
}

} // namespace platform

// Icons: a colour picture with a transparency mask, loaded from the resource modules' PNG data
// (the PNG's alpha is the mask) and drawn with DrawIcon, DrawIconEx or CDC::DrawState.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace platform {
class Image;
// An icon from an image whose alpha marks transparency (alpha below 128 is transparent).
HICON CreateIconFromImage(const Image& image);
// Width and height of an icon; false for a stale handle.
bool GetIconSize(HICON icon, SIZE* size);
} // namespace platform

// The "ICON" (or "PNG") resource of that id or name in `module`, or along the resource chain
// when `module` is null. Null when there is none.
HICON LoadIcon(HINSTANCE module, UINT id);
HICON LoadIcon(HINSTANCE module, LPCSTR name);
BOOL DestroyIcon(HICON icon);
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;
// Width and height 0 draw the icon at its own size.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int width, int height, UINT step, HBRUSH flickerFree, UINT flags);

constexpr UINT DST_ICON = 0x0003;
constexpr UINT DST_BITMAP = 0x0004;
constexpr UINT DSS_NORMAL = 0x0000;
constexpr UINT DSS_DISABLED = 0x0020;
constexpr UINT DSS_MONO = 0x0080;

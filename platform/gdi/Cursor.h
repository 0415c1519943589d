// Cursors: the standard shapes (arrow, hand, wait, the resize arrows ...) by their classic ids,
// and cursors made from icons. A cursor is an icon handle; the standard ones are shared by the
// process and never destroyed (DestroyCursor and DestroyIcon refuse them). The window host
// shows the cursor that SetCursor chose: the GTK host by the standard shape's name, the null
// host only keeps it for tests.
#pragma once

#include "platform/gdi/Icon.h"

// Classic ids of the standard cursors, passed as the name argument of LoadCursor.
inline LPCSTR MAKEINTRESOURCE(UINT id) { return reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id)); }
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCE(32512);
inline const LPCSTR IDC_IBEAM = MAKEINTRESOURCE(32513);
inline const LPCSTR IDC_WAIT = MAKEINTRESOURCE(32514);
inline const LPCSTR IDC_CROSS = MAKEINTRESOURCE(32515);
inline const LPCSTR IDC_SIZENWSE = MAKEINTRESOURCE(32642);
inline const LPCSTR IDC_SIZENESW = MAKEINTRESOURCE(32643);
inline const LPCSTR IDC_SIZEWE = MAKEINTRESOURCE(32644);
inline const LPCSTR IDC_SIZENS = MAKEINTRESOURCE(32645);
inline const LPCSTR IDC_SIZEALL = MAKEINTRESOURCE(32646);
inline const LPCSTR IDC_NO = MAKEINTRESOURCE(32648);
inline const LPCSTR IDC_HAND = MAKEINTRESOURCE(32649);

// With a null module, a standard cursor by its id (null for an unknown id); otherwise the
// module's icon resource of that id or name, used as a cursor.
HCURSOR LoadCursor(HINSTANCE module, LPCSTR name);
HCURSOR LoadCursor(HINSTANCE module, UINT id);
BOOL DestroyCursor(HCURSOR cursor);
HCURSOR CopyCursor(HCURSOR cursor);

namespace platform {
// The standard shape's name as the freedesktop cursor themes spell it ("default", "pointer",
// "wait", "ew-resize" ...); null for a cursor that is not a standard one.
const char* StandardCursorName(HCURSOR cursor);
bool IsStandardCursor(HCURSOR cursor);

// The cursors a drag shows over where it would land: no drop there, the data would move, the
// data would be copied. Standard shapes of their own (not loadable by a classic id).
enum class DragFeedback { NoDrop, Move, Copy };
HCURSOR DragCursor(DragFeedback feedback);
} // namespace platform

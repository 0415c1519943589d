// Finding dialog templates and converting dialog units.
#include "platform/ui/dialogs/DialogTemplate.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/ControlWindow.h"

#include <cstring>
#include <strings.h>

namespace platform {

namespace {

template <class Match>
const DialogTemplate* FindTemplate(HINSTANCE module, Match match)
{
    const DialogTemplate* found = nullptr;
    SearchResourceModules(
        [&](const ResourceTables& tables) {
            if (tables.dialogs)
                for (const auto& t : tables.dialogs->templates)
                    if (match(t))
                        return found = &t, true;
            return false;
        },
        module);
    return found;
}

} // namespace

const DialogTemplate* FindDialogTemplate(UINT id, HINSTANCE module)
{
    return FindTemplate(module, [id](const DialogTemplate& t) { return t.id == id; });
}

const DialogTemplate* FindDialogTemplate(const char* name, HINSTANCE module)
{
    if (!name)
        return nullptr;
    return FindTemplate(module, [name](const DialogTemplate& t) { return t.name && strcasecmp(t.name, name) == 0; });
}

} // namespace platform

namespace platform::ui {

SIZE DialogBaseUnits(HFONT font)
{
    SIZE units { 6, 13 };
    HDC hdc = GetDC(nullptr);
    if (CDC* dc = CDC::FromHandle(hdc)) {
        int saved = dc->SaveDC();
        dc->SelectObject(reinterpret_cast<HGDIOBJ>(font ? font : DefaultControlFont()));
        // The classic average: the width of the 52 letters, rounded.
        static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        CSize extent = dc->GetTextExtent(kLetters, 52);
        TEXTMETRIC tm {};
        dc->GetTextMetrics(&tm);
        units.cx = (extent.cx / 26 + 1) / 2;
        units.cy = tm.tmHeight;
        dc->RestoreDC(saved);
    }
    ReleaseDC(nullptr, hdc);
    return units;
}

} // namespace platform::ui

BOOL MapDialogRect(HWND dialog, RECT* rect)
{
    if (!rect || !IsWindow(dialog))
        return FALSE;
    auto font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
    SIZE units = platform::ui::DialogBaseUnits(font);
    rect->left = rect->left * units.cx / 4;
    rect->right = rect->right * units.cx / 4;
    rect->top = rect->top * units.cy / 8;
    rect->bottom = rect->bottom * units.cy / 8;
    return TRUE;
}

LONG GetDialogBaseUnits()
{
    SIZE units = platform::ui::DialogBaseUnits(nullptr);
    return MAKELONG(static_cast<WORD>(units.cx), static_cast<WORD>(units.cy));
}

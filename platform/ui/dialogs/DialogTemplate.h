// Dialog templates: a declarative table per resource module. Each template names its style,
// caption, font and controls with rectangles in dialog units; the units come from the template
// font (a horizontal unit is a quarter of the font's average character width, a vertical unit
// an eighth of its height). A control's class is any registered window class name: the
// standard ones ("Button", "Edit", "Static", "ListBox", "ComboBox", "ScrollBar" and the common
// controls) or a custom class registered by its library.
//
//     const platform::DialogItem kAlarmLimitItems[] = {
//         { "Static", "High limit :", IDC_STATIC, SS_RIGHT, 7, 9, 50, 8 },
//         { "Edit", "", IDC_HIGH, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 7, 40, 12 },
//         { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 60, 40, 50, 14 },
//     };
//     const platform::DialogTemplate kDialogs[] = {
//         { IDD_ALARM_LIMIT, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
//           0, 0, 120, 60, "Alarm limit", "MS Sans Serif", 8, kAlarmLimitItems },
//     };
//     const platform::DialogTemplateTable kDialogTable { kDialogs };
//     platform::ResourceModuleRegistration s_dialogs("KTCtrl", { .dialogs = &kDialogTable });
#pragma once

#include "platform/core/ResourceModule.h"
#include "platform/msg/Messages.h"

#include <span>

constexpr DWORD DS_ABSALIGN = 0x01;
constexpr DWORD DS_SYSMODAL = 0x02;
constexpr DWORD DS_3DLOOK = 0x04;
constexpr DWORD DS_FIXEDSYS = 0x08;
constexpr DWORD DS_NOFAILCREATE = 0x10;
constexpr DWORD DS_LOCALEDIT = 0x20;
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;
constexpr DWORD DS_SETFOREGROUND = 0x200;
constexpr DWORD DS_CONTROL = 0x400;
constexpr DWORD DS_CENTER = 0x800;
constexpr DWORD DS_CENTERMOUSE = 0x1000;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// The id of labels that code never addresses.
constexpr int IDC_STATIC = -1;

namespace platform {

struct DialogItem
{
    const char* className;
    const char* text;
    int id;
    DWORD style; // WS_CHILD is implied; WS_VISIBLE is added unless the item says WS_DISABLED only
    int x, y, cx, cy; // dialog units
    DWORD exStyle { 0 };
};

struct DialogTemplate
{
    UINT id;
    const char* name; // may be null: found by id only
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy; // dialog units; cx, cy are the client size
    const char* caption;
    const char* fontFace; // null: "MS Sans Serif"
    int pointSize;        // 0: 8 points
    std::span<const DialogItem> items;
};

struct DialogTemplateTable
{
    std::span<const DialogTemplate> templates;
};

// The template `id` (or `name`) along the resource search order, or in `module` alone.
const DialogTemplate* FindDialogTemplate(UINT id, HINSTANCE module = nullptr);
const DialogTemplate* FindDialogTemplate(const char* name, HINSTANCE module = nullptr);

} // namespace platform

// Converts a rectangle in dialog units of dialog `dialog` (its font) to pixels.
BOOL MapDialogRect(HWND dialog, RECT* rect);
// The base units of the default dialog font: average character width (low word), height (high).
LONG GetDialogBaseUnits();

namespace platform::ui {
// The base units (average character width and height in pixels) of `font`.
SIZE DialogBaseUnits(HFONT font);
} // namespace platform::ui

// The item functions: a child by its id, through its text, its check state or any message.
#include "platform/msg/DialogItems.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SetWindowText(item, text) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        if (buffer && size > 0)
            buffer[0] = '\0';
        return 0;
    }
    return static_cast<UINT>(GetWindowText(item, buffer, size));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    char text[16];
    if (isSigned)
        std::snprintf(text, sizeof(text), "%d", static_cast<int>(value));
    else
        std::snprintf(text, sizeof(text), "%u", value);
    return SetDlgItemText(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    char text[64] {};
    GetDlgItemText(dialog, id, text, sizeof(text));
    char* end = nullptr;
    const char* start = text;
    while (*start == ' ')
        ++start;
    long long value = std::strtoll(start, &end, 10);
    while (end && *end == ' ')
        ++end;
    bool ok = end != start && end && *end == '\0' && (isSigned ? (value >= INT32_MIN && value <= INT32_MAX) : (value >= 0 && value <= UINT32_MAX));
    if (translated)
        *translated = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(value) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? (SendMessage(item, BM_SETCHECK, check, 0), TRUE) : FALSE;
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? static_cast<UINT>(SendMessage(item, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check)
{
    for (int id = first; id <= last; ++id)
        CheckDlgButton(dialog, id, id == check ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessage(item, message, wParam, lParam) : 0;
}

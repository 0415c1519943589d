// The window table and the window-class registry.
#include "platform/msg/WindowTable.h"

#include "platform/core/CString.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/WindowInternal.h"

#include <cctype>
#include <cstring>

namespace platform::msg {

namespace {
constexpr unsigned kIndexBits = 24;
constexpr std::uintptr_t kIndexMask = (std::uintptr_t(1) << kIndexBits) - 1;

HWND MakeHandle(std::uint32_t index, std::uint32_t generation)
{
    return reinterpret_cast<HWND>((std::uintptr_t(generation) << kIndexBits) | (index + 1));
}
} // namespace

std::string ClassKey(const char* name)
{
    std::string key = name ? name : "";
    for (auto& c : key)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

WindowTable& WindowTable::Instance()
{
    // Never destroyed: threads that end during process exit still free their windows here.
    static WindowTable* table = new WindowTable();
    return *table;
}

WindowTable::WindowTable()
{
    auto desktop = std::make_unique<WindowRecord>();
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    desktop->proc = ::DefWindowProc;
    m_desktop = Add(std::move(desktop)).hwnd;
}

WindowRecord* WindowTableLock::FindOrFail(HWND hwnd) const
{
    WindowRecord* record = Find(hwnd);
    if (!record)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return record;
}

WindowRecord* WindowTable::Find(HWND hwnd)
{
    auto value = reinterpret_cast<std::uintptr_t>(hwnd);
    auto low = value & kIndexMask;
    if (low == 0)
        return nullptr;
    auto index = static_cast<std::uint32_t>(low - 1);
    auto generation = static_cast<std::uint32_t>(value >> kIndexBits);
    if (index >= m_slots.size() || (value >> kIndexBits) > UINT32_MAX)
        return nullptr;
    auto& slot = m_slots[index];
    if (slot.generation != generation || !slot.record)
        return nullptr;
    return slot.record.get();
}

WindowRecord& WindowTable::Add(std::unique_ptr<WindowRecord> record)
{
    std::uint32_t index;
    if (!m_free.empty()) {
        index = m_free.back();
        m_free.pop_back();
    } else {
        index = static_cast<std::uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    auto& slot = m_slots[index];
    record->hwnd = MakeHandle(index, slot.generation);
    slot.record = std::move(record);
    return *slot.record;
}

void WindowTable::Remove(HWND hwnd)
{
    auto value = reinterpret_cast<std::uintptr_t>(hwnd);
    auto index = static_cast<std::uint32_t>((value & kIndexMask) - 1);
    if (!Find(hwnd))
        return;
    auto& slot = m_slots[index];
    slot.record.reset();
    // The generation moves on, so the old handle never names a window again.
    ++slot.generation;
    m_free.push_back(index);
}

} // namespace platform::msg

using platform::msg::ClassKey;
using platform::msg::LockedWindow;
using platform::msg::WindowClassData;
using platform::msg::WindowTableLock;

// ---- the class registry ---------------------------------------------------------------------------

namespace {
ATOM RegisterClassData(std::shared_ptr<WindowClassData> data)
{
    if (data->name.empty() || !data->proc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowTableLock table;
    auto key = ClassKey(data->name.c_str());
    if (table.Classes().count(key)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    data->atom = table.NextAtom();
    table.Classes()[key] = data;
    return data->atom;
}
} // namespace

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!wc || !wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto data = std::make_shared<WindowClassData>();
    data->name = wc->lpszClassName;
    data->style = wc->style;
    data->proc = wc->lpfnWndProc;
    data->cbClsExtra = wc->cbClsExtra;
    data->cbWndExtra = wc->cbWndExtra;
    data->icon = wc->hIcon;
    data->cursor = wc->hCursor;
    data->background = wc->hbrBackground;
    data->menuName = wc->lpszMenuName ? wc->lpszMenuName : "";
    return RegisterClassData(std::move(data));
}

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    if (!wc || !wc->lpszClassName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WNDCLASS plain;
    plain.style = wc->style;
    plain.lpfnWndProc = wc->lpfnWndProc;
    plain.cbClsExtra = wc->cbClsExtra;
    plain.cbWndExtra = wc->cbWndExtra;
    plain.hInstance = wc->hInstance;
    plain.hIcon = wc->hIcon;
    plain.hCursor = wc->hCursor;
    plain.hbrBackground = wc->hbrBackground;
    plain.lpszMenuName = wc->lpszMenuName;
    plain.lpszClassName = wc->lpszClassName;
    ATOM atom = RegisterClass(&plain);
    if (atom) {
        WindowTableLock table;
        table.Classes()[ClassKey(wc->lpszClassName)]->smallIcon = wc->hIconSm;
    }
    return atom;
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE)
{
    WindowTableLock table;
    auto it = table.Classes().find(ClassKey(className));
    if (it == table.Classes().end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    bool inUse = false;
    table.ForEach([&](auto& r) { inUse |= r.windowClass == it->second; });
    if (inUse) {
        SetLastError(ERROR_CLASS_HAS_WINDOWS);
        return FALSE;
    }
    table.Classes().erase(it);
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* wc)
{
    WindowTableLock table;
    auto it = table.Classes().find(ClassKey(className));
    if (it == table.Classes().end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    if (wc) {
        auto& d = *it->second;
        wc->style = d.style;
        wc->lpfnWndProc = d.proc;
        wc->cbClsExtra = d.cbClsExtra;
        wc->cbWndExtra = d.cbWndExtra;
        wc->hInstance = instance;
        wc->hIcon = d.icon;
        wc->hCursor = d.cursor;
        wc->hbrBackground = d.background;
        wc->lpszMenuName = d.menuName.empty() ? nullptr : d.menuName.c_str();
        wc->lpszClassName = d.name.c_str();
    }
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int bufferSize)
{
    LockedWindow window(hwnd);
    if (!window)
        return 0;
    if (!window->windowClass || !buffer || bufferSize <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto& name = window->windowClass->name;
    int n = std::min<int>(static_cast<int>(name.size()), bufferSize - 1);
    std::memcpy(buffer, name.data(), n);
    buffer[n] = '\0';
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    LockedWindow window(hwnd);
    if (!window)
        return 0;
    if (!window->windowClass) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE); // the desktop has no class to read
        return 0;
    }
    auto& c = *window->windowClass;
    switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE: return c.style;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    LockedWindow window(hwnd);
    if (!window)
        return 0;
    if (!window->windowClass) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE); // the desktop has no class to read
        return 0;
    }
    auto& c = *window->windowClass;
    ULONG_PTR old = 0;
    switch (index) {
    case GCLP_HBRBACKGROUND:
        old = reinterpret_cast<ULONG_PTR>(c.background);
        c.background = reinterpret_cast<HBRUSH>(value);
        break;
    case GCLP_HCURSOR:
        old = reinterpret_cast<ULONG_PTR>(c.cursor);
        c.cursor = reinterpret_cast<HCURSOR>(value);
        break;
    case GCLP_HICON:
        old = reinterpret_cast<ULONG_PTR>(c.icon);
        c.icon = reinterpret_cast<HICON>(value);
        break;
    case GCL_STYLE:
        old = c.style;
        c.style = static_cast<UINT>(value);
        break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return 0;
    }
    return old;
}

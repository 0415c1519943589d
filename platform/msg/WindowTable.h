// The window table: every window's record, found by handle. Internal to the window layer.
//
// A handle packs a slot index and the slot's generation; a slot's generation moves on each time
// its window is freed, so an old handle never names a new window. Records are read and changed
// only under the table lock, which a WindowTableLock (or a LockedWindow) holds; no window
// procedure, listener or hook ever runs with it held.
// Lock order: a queue's lock may be held while the table lock is taken, never the reverse.
#pragma once

#include "platform/msg/Messages.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CWnd;

namespace platform::msg {

class MessageQueue;

struct WindowClassData
{
    std::string name;
    UINT style { 0 };
    WNDPROC proc { nullptr };
    int cbClsExtra { 0 };
    int cbWndExtra { 0 };
    HICON icon { nullptr };
    HICON smallIcon { nullptr };
    HCURSOR cursor { nullptr };
    HBRUSH background { nullptr };
    std::string menuName;
    ATOM atom { 0 };
};

struct WindowRecord
{
    HWND hwnd { nullptr };
    std::shared_ptr<WindowClassData> windowClass;
    WNDPROC proc { nullptr };
    CWnd* object { nullptr };          // the framework object attached to the window
    std::shared_ptr<CWnd> temporary;   // FromHandle's wrapper for a window without an object
    std::shared_ptr<MessageQueue> queue;
    DWORD threadId { 0 };

    HWND parent { nullptr };           // children only
    HWND owner { nullptr };            // top-level windows only
    HWND lastActivePopup { nullptr };  // root owners: the window of its owned tree active last
    std::vector<HWND> children;        // z-order, top first
    bool messageOnly { false };

    DWORD style { 0 };
    DWORD exStyle { 0 };
    UINT_PTR id { 0 };
    HMENU menu { nullptr };
    std::string text;
    LONG_PTR userData { 0 };
    std::vector<LONG_PTR> extra;       // cbWndExtra, pointer-sized cells
    std::map<std::string, HANDLE, std::less<>> props; // looked up without a temporary string

    CRect rect;                        // window rectangle: parent client coordinates (screen for top-levels)
    CRect client;                      // client rectangle in window coordinates
    CRect normalRect;                  // the rectangle to restore after maximize/minimize

    CRect update;                      // pending update area in client coordinates
    bool erasePending { false };
    bool internalPaint { false };
    std::uint32_t paintSerial { 0 };   // moves on with each invalidation

    bool modalRunning { false };
    bool modalEnd { false };
    INT_PTR modalResult { 0 };

    bool destroying { false };
    std::shared_ptr<void> surface;     // top-level windows: the drawing module's backing surface
};

class WindowTableLock;

// The table itself: reached only through a WindowTableLock, which holds its lock.
class WindowTable
{
    friend class WindowTableLock;

    WindowTable();
    static WindowTable& Instance();

    WindowRecord* Find(HWND hwnd);
    WindowRecord& Add(std::unique_ptr<WindowRecord> record); // assigns record->hwnd
    void Remove(HWND hwnd);

    struct Slot
    {
        std::uint32_t generation { 1 };
        std::unique_ptr<WindowRecord> record;
    };
    std::mutex m_lock; // guards everything below and every record; see the lock order above
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_free;
    std::vector<HWND> m_topLevels;
    HWND m_desktop { nullptr };
    std::map<std::string, std::shared_ptr<WindowClassData>> m_classes; // by lower-case name
    ATOM m_nextAtom { 0xC000 };
};

// The window table's lock, held for this object's life, and the one way to the table: a function
// that must run with the lock held takes a WindowTableLock, so the compiler checks the rule. Never
// held while a window procedure, listener or hook runs.
class WindowTableLock
{
public:
    WindowTableLock() = default;
    WindowTableLock(const WindowTableLock&) = delete;
    WindowTableLock& operator=(const WindowTableLock&) = delete;

    // The record of `hwnd`; null when the handle names no window.
    WindowRecord* Find(HWND hwnd) const { return m_table.Find(hwnd); }
    // Find, setting ERROR_INVALID_WINDOW_HANDLE when the handle names no window.
    WindowRecord* FindOrFail(HWND hwnd) const;
    WindowRecord& Add(std::unique_ptr<WindowRecord> record) { return m_table.Add(std::move(record)); }
    void Remove(HWND hwnd) { m_table.Remove(hwnd); }
    std::vector<HWND>& TopLevels() { return m_table.m_topLevels; } // z-order, top first
    HWND Desktop() const { return m_table.m_desktop; }
    std::map<std::string, std::shared_ptr<WindowClassData>>& Classes() { return m_table.m_classes; }
    ATOM NextAtom() { return m_table.m_nextAtom++; }
    template <class F>
    void ForEach(F&& f)
    {
        for (auto& slot : m_table.m_slots)
            if (slot.record)
                f(*slot.record);
    }

private:
    WindowTable& m_table { WindowTable::Instance() };
    std::lock_guard<std::mutex> m_guard { m_table.m_lock };
};

// The lookup most window functions start with: takes the table lock and finds `hwnd`; a handle
// that names no window sets ERROR_INVALID_WINDOW_HANDLE and leaves the object false. The table
// stays locked, and reachable through this object, while it lives.
class LockedWindow : public WindowTableLock
{
public:
    explicit LockedWindow(HWND hwnd) : m_record(FindOrFail(hwnd)) {}

    explicit operator bool() const { return m_record != nullptr; }
    WindowRecord* operator->() const { return m_record; }
    WindowRecord& operator*() const { return *m_record; }
    WindowRecord* Record() const { return m_record; }

private:
    WindowRecord* m_record;
};

// Client origin and window rectangle of a record in screen coordinates.
POINT ClientOriginOnScreen(const WindowTableLock& table, const WindowRecord* r);
CRect WindowRectOnScreen(const WindowTableLock& table, const WindowRecord* r);

// Lower-cases ASCII letters: class names compare without case.
std::string ClassKey(const char* name);

// The framework's window procedure: hands messages to the CWnd attached to the window.
LRESULT FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// What FrameworkWndProc does once it found the window's object.
LRESULT CallFrameworkObject(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform::msg

// The window table: every window's record, found by handle. Internal to the window layer.
//
// A handle packs a slot index and the slot's generation; a slot's generation moves on each time
// its window is freed, so an old handle never names a new window. Records are read and changed
// only under the table lock; no window procedure, listener or hook ever runs with it held.
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
    std::vector<HWND> children;        // z-order, top first
    bool messageOnly { false };

    DWORD style { 0 };
    DWORD exStyle { 0 };
    UINT_PTR id { 0 };
    HMENU menu { nullptr };
    std::string text;
    LONG_PTR userData { 0 };
    std::vector<LONG_PTR> extra;       // cbWndExtra, pointer-sized cells
    std::map<std::string, HANDLE> props;

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

class WindowTable
{
public:
    static WindowTable& Instance();

    std::mutex& Lock() { return m_lock; }

    // All under Lock():
    WindowRecord* Find(HWND hwnd);
    // Find, setting ERROR_INVALID_WINDOW_HANDLE when the handle names no window.
    WindowRecord* FindOrFail(HWND hwnd);
    WindowRecord& Add(std::unique_ptr<WindowRecord> record); // assigns record->hwnd
    void Remove(HWND hwnd);
    std::vector<HWND>& TopLevels() { return m_topLevels; } // z-order, top first
    HWND Desktop() const { return m_desktop; }
    std::map<std::string, std::shared_ptr<WindowClassData>>& Classes() { return m_classes; }
    ATOM NextAtom() { return m_nextAtom++; }
    template <class F>
    void ForEach(F&& f)
    {
        for (auto& slot : m_slots)
            if (slot.record)
                f(*slot.record);
    }

private:
    WindowTable();

    struct Slot
    {
        std::uint32_t generation { 1 };
        std::unique_ptr<WindowRecord> record;
    };
    std::mutex m_lock;
    std::vector<Slot> m_slots;
    std::vector<std::uint32_t> m_free;
    std::vector<HWND> m_topLevels;
    HWND m_desktop { nullptr };
    std::map<std::string, std::shared_ptr<WindowClassData>> m_classes; // by lower-case name
    ATOM m_nextAtom { 0xC000 };
};

// Client origin and window rectangle of a record in screen coordinates (table lock held).
POINT ClientOriginOnScreen(WindowTable& table, const WindowRecord* r);
CRect WindowRectOnScreen(WindowTable& table, const WindowRecord* r);

// Lower-cases ASCII letters: class names compare without case.
std::string ClassKey(const char* name);

// The framework's window procedure: hands messages to the CWnd attached to the window.
LRESULT FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform::msg

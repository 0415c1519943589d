// Message maps: a static table per class, chained to the base class's table.
//
// A class that handles messages declares
//
//     static const platform::MessageMap* GetThisMessageMap();
//     const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
//
// and defines the table in its .cpp file with the helpers of platform::msgmap:
//
//     const platform::MessageMap* CBedWnd::GetThisMessageMap()
//     {
//         using namespace platform::msgmap;
//         static constexpr platform::MessageMapEntry kEntries[] = {
//             Message<WM_PAINT, &CBedWnd::OnPaint>(),
//             Message<WM_SIZE, &CBedWnd::OnSize>(),
//             Command<&CBedWnd::OnDischarge>(ID_BED_DISCHARGE),
//             UpdateUI<&CBedWnd::OnUpdateDischarge>(ID_BED_DISCHARGE),
//             Notify<&CBedWnd::OnItemChanged>(LVN_ITEMCHANGED, IDC_BED_LIST),
//         };
//         static constexpr platform::MessageMap kMap { &CWnd::GetThisMessageMap, kEntries };
//         return &kMap;
//     }
//
// Each helper checks the handler's signature at compile time. Typed window messages
// (Message<WM_xxx, ...>, reflected messages) are in Wnd.h; commands, command-UI and
// notifications, which any command target handles, are here.
#pragma once

#include "platform/msg/Messages.h"

#include <span>
#include <type_traits>

class CCmdTarget;
class CCmdUI;

// Codes of CCmdTarget::OnCmdMsg besides a control's own notification code.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// The extra data of a WM_NOTIFY routed through OnCmdMsg.
struct AFX_NOTIFY
{
    LRESULT* pResult { nullptr };
    NMHDR* pNMHDR { nullptr };
};

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget { nullptr };
};

namespace platform {

enum class EntryKind : std::uint8_t
{
    Message,        // a window message (message; idFirst..idLast hold a message range when set)
    Command,        // WM_COMMAND from a menu, accelerator or control: code, id range
    UpdateCommandUI,
    Notify,         // WM_NOTIFY: code, id range
    ReflectedCommand,
    ReflectedNotify,
};

// What a handler thunk gets: the message or the routed command.
struct MessageCall
{
    UINT message { 0 };
    WPARAM wParam { 0 };
    LPARAM lParam { 0 };
    UINT id { 0 };
    void* extra { nullptr };
    LRESULT result { 0 };
};

// Calls the handler; returns whether the message counts as handled.
using EntryThunk = bool (*)(CCmdTarget* target, MessageCall& call);

struct MessageMapEntry
{
    EntryKind kind { EntryKind::Message };
    UINT message { 0 };
    UINT code { 0 };
    UINT idFirst { 0 };
    UINT idLast { 0 };
    EntryThunk thunk { nullptr };
};

struct MessageMap
{
    const MessageMap* (*base)() { nullptr };
    std::span<const MessageMapEntry> entries;
};

namespace detail {

template <class T>
struct Member;
template <class C, class R, class... A>
struct Member<R (C::*)(A...)>
{
    using Class = C;
    using Result = R;
    static constexpr std::size_t arity = sizeof...(A);
};

template <auto F>
using ClassOf = typename Member<decltype(F)>::Class;
template <auto F>
using ResultOf = typename Member<decltype(F)>::Result;

template <auto F>
ClassOf<F>* Self(CCmdTarget* target)
{
    return static_cast<ClassOf<F>*>(target);
}

} // namespace detail

// ---- commands, command UI and notifications ---------------------------------------------------

namespace msgmap {

// A menu command or a control's BN_CLICKED: void OnSave().
template <auto F>
constexpr MessageMapEntry Command(UINT id)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*>, "void Handler()");
    return { EntryKind::Command, WM_COMMAND, CN_COMMAND, id, id,
             [](CCmdTarget* t, MessageCall&) { return (detail::Self<F>(t)->*F)(), true; } };
}

// A command that may decline: BOOL OnCommandEx(UINT id); FALSE routes it further.
template <auto F>
constexpr MessageMapEntry CommandEx(UINT id)
{
    static_assert(std::is_invocable_r_v<BOOL, decltype(F), detail::ClassOf<F>*, UINT>, "BOOL Handler(UINT id)");
    return { EntryKind::Command, WM_COMMAND, CN_COMMAND, id, id,
             [](CCmdTarget* t, MessageCall& c) { return (detail::Self<F>(t)->*F)(c.id) != FALSE; } };
}

// A range of commands: void OnSelect(UINT id).
template <auto F>
constexpr MessageMapEntry CommandRange(UINT first, UINT last)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*, UINT>, "void Handler(UINT id)");
    return { EntryKind::Command, WM_COMMAND, CN_COMMAND, first, last,
             [](CCmdTarget* t, MessageCall& c) { return (detail::Self<F>(t)->*F)(c.id), true; } };
}

// A control notification sent as WM_COMMAND (EN_CHANGE, CBN_SELCHANGE ...): void OnChange().
template <auto F>
constexpr MessageMapEntry Control(UINT code, UINT id)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*>, "void Handler()");
    return { EntryKind::Command, WM_COMMAND, code, id, id,
             [](CCmdTarget* t, MessageCall&) { return (detail::Self<F>(t)->*F)(), true; } };
}

// The same notification from a range of controls: void OnChange(UINT id).
template <auto F>
constexpr MessageMapEntry ControlRange(UINT code, UINT first, UINT last)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*, UINT>, "void Handler(UINT id)");
    return { EntryKind::Command, WM_COMMAND, code, first, last,
             [](CCmdTarget* t, MessageCall& c) { return (detail::Self<F>(t)->*F)(c.id), true; } };
}

// Command-UI update: void OnUpdateSave(CCmdUI* pCmdUI).
template <auto F>
constexpr MessageMapEntry UpdateUI(UINT id)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*, CCmdUI*>, "void Handler(CCmdUI*)");
    return { EntryKind::UpdateCommandUI, WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), id, id,
             [](CCmdTarget* t, MessageCall& c) { return (detail::Self<F>(t)->*F)(static_cast<CCmdUI*>(c.extra)), true; } };
}

template <auto F>
constexpr MessageMapEntry UpdateUIRange(UINT first, UINT last)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*, CCmdUI*>, "void Handler(CCmdUI*)");
    return { EntryKind::UpdateCommandUI, WM_COMMAND, static_cast<UINT>(CN_UPDATE_COMMAND_UI), first, last,
             [](CCmdTarget* t, MessageCall& c) { return (detail::Self<F>(t)->*F)(static_cast<CCmdUI*>(c.extra)), true; } };
}

// WM_NOTIFY from a control: void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult).
template <auto F>
constexpr MessageMapEntry Notify(UINT code, UINT id)
{
    static_assert(std::is_invocable_r_v<void, decltype(F), detail::ClassOf<F>*, NMHDR*, LRESULT*>,
                  "void Handler(NMHDR*, LRESULT*)");
    return { EntryKind::Notify, WM_NOTIFY, code, id, id, [](CCmdTarget* t, MessageCall& c) {
                auto* n = static_cast<AFX_NOTIFY*>(c.extra);
                return (detail::Self<F>(t)->*F)(n->pNMHDR, n->pResult), true;
            } };
}

// WM_NOTIFY from a range of controls: void OnItemChanged(UINT id, NMHDR*, LRESULT*), or
// BOOL ...(UINT id, NMHDR*, LRESULT*) that routes the notification further by returning FALSE.
template <auto F>
constexpr MessageMapEntry NotifyRange(UINT code, UINT first, UINT last)
{
    static_assert(std::is_invocable_v<decltype(F), detail::ClassOf<F>*, UINT, NMHDR*, LRESULT*>,
                  "Handler(UINT id, NMHDR*, LRESULT*)");
    return { EntryKind::Notify, WM_NOTIFY, code, first, last, [](CCmdTarget* t, MessageCall& c) {
                auto* n = static_cast<AFX_NOTIFY*>(c.extra);
                if constexpr (std::is_void_v<detail::ResultOf<F>>)
                    return (detail::Self<F>(t)->*F)(c.id, n->pNMHDR, n->pResult), true;
                else
                    return (detail::Self<F>(t)->*F)(c.id, n->pNMHDR, n->pResult) != FALSE;
            } };
}

template <auto F>
constexpr MessageMapEntry NotifyEx(UINT code, UINT id)
{
    static_assert(std::is_invocable_r_v<BOOL, decltype(F), detail::ClassOf<F>*, UINT, NMHDR*, LRESULT*>,
                  "BOOL Handler(UINT id, NMHDR*, LRESULT*)");
    return NotifyRange<F>(code, id, id);
}

// In a control's own map: its notification, reflected from the parent before the parent sees
// it. void Handler() takes it; BOOL Handler() returning FALSE lets the parent handle it too.
template <auto F>
constexpr MessageMapEntry ReflectCommand(UINT code)
{
    return { EntryKind::ReflectedCommand, WM_REFLECT_BASE + WM_COMMAND, code, 0, 0xFFFFFFFFu,
             [](CCmdTarget* t, MessageCall&) {
                 if constexpr (std::is_void_v<detail::ResultOf<F>>)
                     return (detail::Self<F>(t)->*F)(), true;
                 else
                     return (detail::Self<F>(t)->*F)() != FALSE;
             } };
}

// void Handler(NMHDR*, LRESULT*), or BOOL Handler(NMHDR*, LRESULT*) as above.
template <auto F>
constexpr MessageMapEntry ReflectNotify(UINT code)
{
    return { EntryKind::ReflectedNotify, WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0xFFFFFFFFu,
             [](CCmdTarget* t, MessageCall& c) {
                 auto* n = static_cast<AFX_NOTIFY*>(c.extra);
                 if constexpr (std::is_void_v<detail::ResultOf<F>>)
                     return (detail::Self<F>(t)->*F)(n->pNMHDR, n->pResult), true;
                 else
                     return (detail::Self<F>(t)->*F)(n->pNMHDR, n->pResult) != FALSE;
             } };
}

} // namespace msgmap

// Looks `kind`/`code`/`id` up along the chain of maps starting at `map`.
const MessageMapEntry* FindCommandEntry(const MessageMap* map, EntryKind kind, UINT code, UINT id);
const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message);

} // namespace platform

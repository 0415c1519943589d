// The layout check of a dialog's controls.
#include "testkit/DialogLayout.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"
#include "platform/ui/controls/Button.h"

#include <cstring>

namespace testkit {
namespace {

struct Placed
{
    int id;
    CRect rect; // in the dialog's client coordinates
    bool group;
};

bool IsGroupBox(HWND control)
{
    char name[32] = {};
    ::GetClassName(control, name, sizeof name);
    return ::strcmp(name, "Button") == 0
        && (static_cast<DWORD>(::GetWindowLong(control, GWL_STYLE)) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The height of a group box's caption in its own font: the frame's top line runs through it.
int CaptionHeight(HWND group)
{
    CWnd* wnd = CWnd::FromHandle(group);
    CClientDC dc(wnd);
    HGDIOBJ old = nullptr;
    if (const auto font = reinterpret_cast<HGDIOBJ>(wnd->SendMessage(WM_GETFONT)))
        old = dc.SelectObject(font);
    const int height = dc.GetTextExtent(CString("Ag")).cy;
    if (old)
        dc.SelectObject(old);
    return height;
}

// Inside the frame: clear of its lines (two pixels each) and below its caption.
bool InsideFrame(const CRect& inner, const CRect& frame, int caption)
{
    return inner.left >= frame.left + 2 && inner.right <= frame.right - 2 && inner.bottom <= frame.bottom - 2
        && inner.top >= frame.top + caption;
}

std::string Describe(const char* fault, const Placed& a, const Placed& b)
{
    return std::to_string(a.id) + " " + fault + " " + std::to_string(b.id);
}

} // namespace

std::vector<std::string> LayoutFaults(CWnd& dialog)
{
    std::vector<Placed> controls;
    std::vector<int> captions;
    for (HWND child = ::GetWindow(dialog.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLong(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        CRect rect;
        ::GetWindowRect(child, &rect);
        dialog.ScreenToClient(&rect);
        const bool group = IsGroupBox(child);
        controls.push_back({ ::GetDlgCtrlID(child), rect, group });
        captions.push_back(group ? CaptionHeight(child) : 0);
    }
    CRect client;
    dialog.GetClientRect(&client);

    std::vector<std::string> faults;
    for (size_t i = 0; i < controls.size(); ++i) {
        const Placed& a = controls[i];
        if ((a.rect & client) != a.rect)
            faults.push_back(std::to_string(a.id) + " reaches out of the dialog");
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const Placed& b = controls[j];
            CRect common;
            if (!common.IntersectRect(&a.rect, &b.rect))
                continue;
            if (a.group && b.group) {
                if (!InsideFrame(a.rect, b.rect, captions[j]) && !InsideFrame(b.rect, a.rect, captions[i]))
                    faults.push_back(Describe("crosses the frame of group", a, b));
            } else if (a.group || b.group) {
                const bool aIsGroup = a.group;
                const Placed& group = aIsGroup ? a : b;
                const Placed& control = aIsGroup ? b : a;
                if (!InsideFrame(control.rect, group.rect, captions[aIsGroup ? i : j]))
                    faults.push_back(Describe("crosses the frame of group", control, group));
            } else {
                faults.push_back(Describe("overlaps", a, b));
            }
        }
    }
    return faults;
}

} // namespace testkit

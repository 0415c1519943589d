// The list box that tracks its horizontal extent.
#include "ktctrl/lists/KTListBox.h"

#include "platform/gdi/WindowDCs.h"

#include <algorithm>

namespace {

constexpr DWORD kRemovedStyles = LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_MULTICOLUMN;

bool Succeeded(LRESULT result)
{
    return result != LB_ERR && result != LB_ERRSPACE;
}

} // namespace

BOOL KTListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = (cs.style & ~kRemovedStyles) | WS_HSCROLL;
    return CListBox::PreCreateWindow(cs);
}

void KTListBox::PreSubclassWindow()
{
    ModifyStyle(kRemovedStyles, WS_HSCROLL);
    CListBox::PreSubclassWindow();
}

int KTListBox::OnCreate(LPCREATESTRUCT)
{
    int result = static_cast<int>(Default());
    ModifyStyle(kRemovedStyles, WS_HSCROLL);
    return result;
}

int KTListBox::TextWidth(const CString& text) const
{
    CClientDC dc(const_cast<KTListBox*>(this));
    HFONT font = reinterpret_cast<HFONT>(const_cast<KTListBox*>(this)->SendMessage(WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? dc.SelectObject(reinterpret_cast<HGDIOBJ>(font)) : nullptr;
    int width = (GetStyle() & LBS_USETABSTOPS) ? dc.GetTabbedTextExtent(text, 0, nullptr).cx : dc.GetTextExtent(text).cx;
    if (old)
        dc.SelectObject(old);
    return width + 3;
}

void KTListBox::GrowExtent(LPARAM text)
{
    if (!text)
        return;
    int width = TextWidth(CString(reinterpret_cast<LPCSTR>(text)));
    if (width > GetHorizontalExtent())
        SetHorizontalExtent(width);
}

void KTListBox::RecomputeExtent()
{
    int widest = 0;
    CString text;
    for (int i = 0, n = GetCount(); i < n; ++i) {
        GetText(i, text);
        widest = std::max(widest, TextWidth(text));
    }
    SetHorizontalExtent(widest);
}

LRESULT KTListBox::OnAddString(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    if (Succeeded(result))
        GrowExtent(lParam);
    return result;
}

LRESULT KTListBox::OnInsertString(WPARAM, LPARAM lParam)
{
    LRESULT result = Default();
    if (Succeeded(result))
        GrowExtent(lParam);
    return result;
}

LRESULT KTListBox::OnDeleteString(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (Succeeded(result))
        RecomputeExtent();
    return result;
}

LRESULT KTListBox::OnDir(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (Succeeded(result))
        RecomputeExtent();
    return result;
}

LRESULT KTListBox::OnResetContent(WPARAM, LPARAM)
{
    LRESULT result = Default();
    SetHorizontalExtent(0);
    return result;
}

const platform::MessageMap* KTListBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &KTListBox::OnCreate>(),
        Message<LB_ADDSTRING, &KTListBox::OnAddString>(),
        Message<LB_INSERTSTRING, &KTListBox::OnInsertString>(),
        Message<LB_DELETESTRING, &KTListBox::OnDeleteString>(),
        Message<LB_RESETCONTENT, &KTListBox::OnResetContent>(),
        Message<LB_DIR, &KTListBox::OnDir>(),
    };
    static constexpr platform::MessageMap kMap { &CListBox::GetThisMessageMap, kEntries };
    return &kMap;
}

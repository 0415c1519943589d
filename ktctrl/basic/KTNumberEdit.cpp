// The number edit.
#include "ktctrl/basic/KTNumberEdit.h"

#include "platform/ui/controls/Clipboard.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr char kPaste = 0x16; // Ctrl+V as a character

bool IsDigitKey(UINT key) { return (key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9); }

// Keys that edit or move without adding a character.
bool IsEditingKey(UINT key)
{
    switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_ESCAPE:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE: return true;
    default: return false;
    }
}

} // namespace

// ---- text --------------------------------------------------------------------------------------

CString KTNumberEdit::Text() const
{
    CString text;
    GetWindowText(text);
    return text;
}

CString KTNumberEdit::TextWithSelection(const CString& replacement) const
{
    int start = 0, end = 0;
    GetSel(start, end);
    CString text = Text();
    start = std::clamp(start, 0, text.GetLength());
    end = std::clamp(end, start, text.GetLength());
    return text.Left(start) + replacement + text.Mid(end);
}

BOOL KTNumberEdit::IsNumberText(const CString& text) const
{
    const char* p = text.GetString();
    if (*p == '-') {
        if (!m_bEnableSign)
            return FALSE;
        ++p;
    }
    int digits = 0, points = 0;
    for (; *p; ++p) {
        if (*p >= '0' && *p <= '9')
            ++digits;
        else if (*p == '.' && m_bEnableDot && points == 0)
            ++points;
        else
            return FALSE;
    }
    return digits > 0;
}

int KTNumberEdit::GetInteger() const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    CString text = Text();
    errno = 0;
    long long value = std::strtoll(text.GetString(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double KTNumberEdit::GetReal() const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    return std::atof(Text().GetString());
}

int KTNumberEdit::SetInteger(int value)
{
    if (!::IsWindow(m_hWnd) || (!m_bEnableSign && value < 0))
        return 0;
    CString text;
    text.Format("%d", value);
    SetWindowText(text);
    return 1;
}

int KTNumberEdit::SetReal(double value, int decimals)
{
    if (!::IsWindow(m_hWnd) || !m_bEnableDot || (!m_bEnableSign && !(value >= 0)) || !std::isfinite(value))
        return 0;
    CString text;
    text.Format("%.*f", std::clamp(decimals, 0, 15), value);
    SetWindowText(text);
    return 1;
}

// ---- filtering ---------------------------------------------------------------------------------

// A point fits when the text outside the selection has none.
bool KTNumberEdit::CanAddPoint() const
{
    if (!m_bEnableDot)
        return false;
    CString result = TextWithSelection(".");
    return result.Find('.') == result.ReverseFind('.');
}

// A minus fits at the start only, when the text after the selection has none.
bool KTNumberEdit::CanAddMinus() const
{
    if (!m_bEnableSign)
        return false;
    int start = 0, end = 0;
    GetSel(start, end);
    if (start != 0)
        return false;
    CString result = "-" + Text().Mid(end);
    return result.Find('-', 1) < 0;
}

bool KTNumberEdit::KeyAccepted(UINT key) const
{
    if (IsDigitKey(key) || IsEditingKey(key))
        return true;
    // With Ctrl held a key makes no character but a command (select all, copy, paste, undo);
    // the paste is checked when it arrives.
    if (GetKeyState(VK_CONTROL) < 0)
        return true;
    switch (key) {
    case VK_SUBTRACT:
    case VK_OEM_MINUS: return CanAddMinus();
    case VK_DECIMAL:
    case VK_OEM_PERIOD: return CanAddPoint();
    default: return false;
    }
}

bool KTNumberEdit::CharacterAccepted(UINT character) const
{
    if (character < 0x20)
        return true; // control characters: Backspace, Tab, Enter, Escape, the clipboard's
    if (character >= '0' && character <= '9')
        return true;
    if (character == '-')
        return CanAddMinus();
    if (character == '.')
        return CanAddPoint();
    return false;
}

BOOL KTNumberEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && !KeyAccepted(static_cast<UINT>(pMsg->wParam)))
        return TRUE; // swallowed: it never reaches the edit
    return CEdit::PreTranslateMessage(pMsg);
}

const platform::MessageMap* KTNumberEdit::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CHAR, &KTNumberEdit::OnChar>(),
        Message<WM_PASTE, &KTNumberEdit::OnPaste>(),
    };
    static constexpr platform::MessageMap kMap { &CEdit::GetThisMessageMap, kEntries };
    return &kMap;
}

void KTNumberEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == static_cast<UINT>(kPaste)) {
        SendMessage(WM_PASTE); // checked there
        return;
    }
    if (CharacterAccepted(nChar))
        Default();
}

LRESULT KTNumberEdit::OnPaste(WPARAM, LPARAM)
{
    if (!platform::ui::ClipboardHasText() || !IsNumberText(TextWithSelection(platform::ui::GetClipboardText())))
        return 0;
    return Default();
}

// The styled edit, combo box and list box.
#include "ktctrl/styled/KTStyledControls.h"

#include "ktutil/KTGF.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/WindowApi.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void RedrawWithFrame(HWND hwnd)
{
    if (::IsWindow(hwnd))
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool IsDigitKey(UINT key)
{
    return (key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9);
}

} // namespace

// ==== KTEdit ======================================================================================

CString KTEdit::Text() const
{
    CString text;
    if (::IsWindow(m_hWnd))
        GetWindowText(text);
    return text;
}

void KTEdit::OnKTCtrlBaseChanged()
{
    RedrawWithFrame(m_hWnd);
}

void KTEdit::EnableRealMode(int enable)
{
    CString text = Text();
    if (!m_bRealMode && !text.IsEmpty() && ::IsWindow(m_hWnd)) {
        CString formatted;
        formatted.Format("%.2f", GetReal());
        SetWindowText(formatted);
    }
    (void)enable;
    m_bRealMode = 1;
}

int KTEdit::GetNumber() const
{
    if (!::IsWindow(m_hWnd))
        return 0;
    return std::atoi(Text());
}

double KTEdit::GetReal() const
{
    CString text = Text();
    if (text.IsEmpty())
        return 0.0;
    const char* p = text.GetString();
    while (*p == ' ')
        ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    double value = std::atoi(p);
    if (value < 0) // "--5": the sign was read once already
        value = -value;
    if (const char* point = std::strchr(p, '.')) {
        const char* digits = point + 1;
        int count = 0;
        while (digits[count] >= '0' && digits[count] <= '9')
            ++count;
        double fraction = 0.0, scale = 1.0;
        for (int i = 0; i < count; ++i) {
            fraction = fraction * 10 + (digits[i] - '0');
            scale *= 0.1;
        }
        value += fraction * scale;
    }
    return negative ? -value : value;
}

bool KTEdit::KeyPasses(UINT key) const
{
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return true;
    default: break;
    }
    if (key == 67 && (::GetKeyState(VK_CONTROL) & 0x8000))
        return true;
    if (!m_bInputEnabled || !m_bRealMode)
        return false;
    if (IsDigitKey(key) || key == VK_BACK || key == VK_DELETE)
        return true;
    if (key == 110 || key == 190)
        return Text().Find('.') < 0;
    return false;
}

void KTEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    // The character that the key makes is held back with it.
    m_lastKeySwallowed = !KeyPasses(nChar);
    if (!m_lastKeySwallowed)
        Default();
}

void KTEdit::OnChar(UINT nChar, UINT, UINT)
{
    bool swallowed = m_lastKeySwallowed;
    m_lastKeySwallowed = false;
    if (swallowed && nChar != 3) // Ctrl+C comes as character 3
        return;
    Default();
}

void KTEdit::OnRButtonDown(UINT, CPoint)
{
    if (!m_bInputEnabled)
        return;
    Default();
}

HBRUSH KTEdit::CtlColor(CDC* pDC, UINT)
{
    COLORREF text, back;
    if (!IsWindowEnabled()) {
        text = m_crText[2];
        back = m_crBk[2];
    } else if (GetStyle() & ES_READONLY) {
        text = m_crText[0];
        back = m_crBk[2];
    } else if (m_bInputEnabled && ::GetFocus() == m_hWnd) {
        text = m_crText[1];
        back = m_crBk[1];
    } else {
        text = m_crText[0];
        back = m_crBk[0];
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(text);
    m_crCurBk = back;
    return CreateBkBrush(back);
}

void KTEdit::OnUpdate()
{
    Invalidate();
}

void KTEdit::OnKillFocus(CWnd*)
{
    Default();
    if (::IsWindow(m_hWnd))
        RedrawWithFrame(m_hWnd);
}

void KTEdit::OnPaint()
{
    Default();
    DrawKTBorder(m_hWnd, !IsWindowEnabled());
}

void KTEdit::OnNcPaint()
{
    if (IsNormalStyle())
        Default();
    DrawKTBorder(m_hWnd, !IsWindowEnabled());
}

const platform::MessageMap* KTEdit::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectCtlColor<&KTEdit::CtlColor>(),
        Message<WM_KEYDOWN, &KTEdit::OnKeyDown>(),
        Message<WM_CHAR, &KTEdit::OnChar>(),
        Message<WM_RBUTTONDOWN, &KTEdit::OnRButtonDown>(),
        Message<WM_KILLFOCUS, &KTEdit::OnKillFocus>(),
        Message<WM_PAINT, &KTEdit::OnPaint>(),
        Message<WM_NCPAINT, &KTEdit::OnNcPaint>(),
        ReflectCommand<&KTEdit::OnUpdate>(EN_UPDATE),
    };
    static constexpr platform::MessageMap kMap { &CEdit::GetThisMessageMap, kEntries };
    return &kMap;
}

// ==== KTComboBox ====================================================================================

void KTComboBox::OnKTCtrlBaseChanged()
{
    if (!::IsWindow(m_hWnd))
        return;
    if (IsNormalStyle() && m_dwRemovedExStyle) {
        ModifyStyleEx(0, m_dwRemovedExStyle, SWP_FRAMECHANGED);
        m_dwRemovedExStyle = 0;
    }
    RedrawWithFrame(m_hWnd);
}

CRect KTComboBox::ButtonRect() const
{
    CRect window;
    GetWindowRect(&window);
    int width = window.Width();
    CRect button(width - 20, 1, width - 1, 19);
    if (m_nStyle == 1 || m_nStyle == 2)
        button.left += 1;
    return button;
}

HBRUSH KTComboBox::CtlColor(CDC* pDC, UINT)
{
    UINT which = !IsWindowEnabled() ? 2 : (m_bFocused ? 1 : 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText[which]);
    m_crCurBk = m_crBk[which];
    return CreateBkBrush(m_crBk[which]);
}

HBRUSH KTComboBox::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
    // The embedded edit takes the focused colours while the combo box has the focus.
    UINT which = !IsWindowEnabled() ? 2 : (m_bFocused && nCtlColor == CTLCOLOR_EDIT ? 1 : 0);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crText[which]);
    return CreateBkBrush(m_crBk[which]);
}

void KTComboBox::OnPaint()
{
    if (IsNormalStyle() || (GetExStyle() & WS_EX_DLGMODALFRAME)) {
        Default();
        return;
    }
    DWORD edges = GetExStyle() & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME);
    if (edges) {
        if (!m_dwRemovedExStyle)
            m_dwRemovedExStyle = edges;
        ModifyStyleEx(edges, 0, SWP_FRAMECHANGED);
    }
    Default();
    DrawStyledFrame();
}

void KTComboBox::DrawStyledFrame()
{
    BOOL disabled = !IsWindowEnabled();
    DrawKTBorder(m_hWnd, disabled);
    if (m_nStyle != 1 && m_nStyle != 2)
        return;
    CWindowDC dc(this);
    COLORREF border = disabled ? ::GetSysColor(COLOR_BTNSHADOW) : m_crBorder;
    CRect button = ButtonRect();
    dc.FillSolidRect(&button, KTGF::GetColorLight(border, 128));
    CPen pen(PS_SOLID, 1, disabled ? ::GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0));
    CPen* old = dc.SelectObject(&pen);
    int shift = (m_bButtonPressed && m_bButtonHot) ? (m_nStyle == 1 ? 2 : 1) : 0;
    int x = button.left + 4 + shift, y = button.top + 6 + shift;
    for (int i = 0; i < 3; ++i) {
        dc.MoveTo(x + i, y + i);
        dc.LineTo(x + 7 - i, y + i);
    }
    dc.SetPixel(x + 3, y + 3, disabled ? ::GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0));
    dc.SelectObject(old);
}

void KTComboBox::OnLButtonDown(UINT, CPoint)
{
    m_bButtonPressed = 1;
    Default();
}

void KTComboBox::OnLButtonUp(UINT, CPoint)
{
    m_bButtonPressed = 0;
    Default();
    if (::IsWindow(m_hWnd))
        Invalidate();
}

void KTComboBox::OnMouseMove(UINT, CPoint point)
{
    CRect window;
    GetWindowRect(&window);
    int width = window.Width();
    CRect hot(width - 19, 2, width - 2, 18);
    m_bButtonHot = hot.PtInRect(point);
    Default();
}

BOOL KTComboBox::OnSetFocus()
{
    m_bFocused = 1;
    Invalidate();
    return FALSE;
}

BOOL KTComboBox::OnKillFocus()
{
    m_bFocused = 0;
    Invalidate();
    return FALSE;
}

BOOL KTComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && m_bAutoComplete)
        m_bNoCompletion = pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK;
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL KTComboBox::OnEditUpdate()
{
    // The completion's own changes of the text report back here: they are not typing.
    if (!m_bAutoComplete || m_bCompleting)
        return FALSE;
    m_bCompleting = true;
    CompleteTypedText();
    m_bCompleting = false;
    return FALSE;
}

void KTComboBox::CompleteTypedText()
{
    CString typed;
    GetWindowText(typed);
    int length = typed.GetLength();
    DWORD selection = GetEditSel();
    if (m_bNoCompletion || typed.IsEmpty())
        return; // the typed text and its selection stay as they are
    if (SelectString(-1, typed) == CB_ERR) {
        SetWindowText(typed);
        SetEditSel(LOWORD(selection), HIWORD(selection));
        return;
    }
    SetEditSel(length, -1);
}

const platform::MessageMap* KTComboBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectCtlColor<&KTComboBox::CtlColor>(),
        platform::msgmap::CtlColor<&KTComboBox::OnCtlColor>(),
        Message<WM_PAINT, &KTComboBox::OnPaint>(),
        Message<WM_LBUTTONDOWN, &KTComboBox::OnLButtonDown>(),
        Message<WM_LBUTTONUP, &KTComboBox::OnLButtonUp>(),
        Message<WM_MOUSEMOVE, &KTComboBox::OnMouseMove>(),
        ReflectCommand<&KTComboBox::OnSetFocus>(CBN_SETFOCUS),
        ReflectCommand<&KTComboBox::OnKillFocus>(CBN_KILLFOCUS),
        ReflectCommand<&KTComboBox::OnEditUpdate>(CBN_EDITUPDATE),
    };
    static constexpr platform::MessageMap kMap { &CComboBox::GetThisMessageMap, kEntries };
    return &kMap;
}

// ==== KTPrgListBox ====================================================================================

void KTPrgListBox::OnKTCtrlBaseChanged()
{
    RedrawWithFrame(m_hWnd);
}

BOOL KTPrgListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = (cs.style | LBS_OWNERDRAWFIXED) & ~(LBS_OWNERDRAWVARIABLE | LBS_MULTICOLUMN);
    return CListBox::PreCreateWindow(cs);
}

HBRUSH KTPrgListBox::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(IsWindowEnabled() ? m_crText[0] : m_crText[2]);
    m_crCurBk = m_crBk[0];
    return CreateBkBrush(m_crBk[0]);
}

void KTPrgListBox::OnPaint()
{
    Default();
    DrawKTBorder(m_hWnd, !IsWindowEnabled());
}

const platform::MessageMap* KTPrgListBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        ReflectCtlColor<&KTPrgListBox::CtlColor>(),
        Message<WM_PAINT, &KTPrgListBox::OnPaint>(),
    };
    static constexpr platform::MessageMap kMap { &CListBox::GetThisMessageMap, kEntries };
    return &kMap;
}

// Dialog data exchange.
#include "platform/ui/dialogs/DataExchange.h"

#include "platform/core/ResourceModule.h"
#include "platform/msg/MessageBoxService.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/dialogs/DialogFunctions.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

const platform::StringEntry kStrings[] = {
    { AFX_IDP_PARSE_INT, "Please enter an integer." },
    { AFX_IDP_PARSE_REAL, "Please enter a number." },
    { AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2." },
    { AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2." },
    { AFX_IDP_PARSE_STRING_SIZE, "Enter no more than %1 characters." },
};
platform::ResourceModuleRegistration s_strings("Platform", { .strings = kStrings });

// Thrown by Fail, caught by RunDataExchange: it never leaves the layer.
struct ExchangeFailed
{
};

CString Message(UINT id, const CString& first = {}, const CString& second = {})
{
    CString text;
    text.LoadString(id);
    text.Replace("%1", first);
    text.Replace("%2", second);
    return text;
}

void Refuse(CDataExchange* pDX, UINT id, const CString& first = {}, const CString& second = {})
{
    AfxMessageBox(Message(id, first, second), MB_ICONEXCLAMATION);
    pDX->Fail();
}

CString ItemText(HWND control)
{
    int length = GetWindowTextLength(control);
    CString text;
    int copied = GetWindowText(control, text.GetBuffer(length), length + 1);
    text.ReleaseBuffer(copied);
    return text;
}

// Loading sets an edit's text only when it differs: setting it would move the caret to the start
// and send EN_CHANGE, and a page that exchanges its data from its change handler would then
// handle its own change again and again.
void SetTextIfChanged(HWND control, const char* text)
{
    if (ItemText(control) != text)
        SetWindowText(control, text);
}

// Whole-text integer conversion with range checking; spaces around are allowed.
bool ParseInteger(const CString& text, long long low, long long high, long long& out)
{
    const char* start = text.GetString();
    while (*start == ' ' || *start == '\t')
        ++start;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end || value < low || value > high)
        return false;
    out = value;
    return true;
}

bool ParseReal(const CString& text, double& out)
{
    const char* start = text.GetString();
    while (*start == ' ' || *start == '\t')
        ++start;
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(start, &end);
    if (end == start || errno == ERANGE || !std::isfinite(value))
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end)
        return false;
    out = value;
    return true;
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long low, long long high, const char* format)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseInteger(ItemText(control), low, high, parsed))
            Refuse(pDX, AFX_IDP_PARSE_INT);
        value = static_cast<T>(parsed);
    } else {
        char text[32];
        std::snprintf(text, sizeof(text), format, value);
        SetTextIfChanged(control, text);
    }
}

template <class T>
void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits, double limit)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double parsed = 0;
        if (!ParseReal(ItemText(control), parsed) || std::fabs(parsed) > limit)
            Refuse(pDX, AFX_IDP_PARSE_REAL);
        value = static_cast<T>(parsed);
    } else {
        char text[64];
        std::snprintf(text, sizeof(text), "%.*g", digits, static_cast<double>(value));
        SetTextIfChanged(control, text);
    }
}

} // namespace

// ---- CDataExchange ------------------------------------------------------------------------------------

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND control = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC) : nullptr;
    m_idLastControl = control;
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND control = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl && IsWindow(m_idLastControl)) {
        SetFocus(m_idLastControl);
        if (m_bEditLastControl)
            SendMessage(m_idLastControl, EM_SETSEL, 0, -1);
    }
    throw ExchangeFailed {};
}

namespace platform::ui {

bool RunDataExchange(CDataExchange& dx, const std::function<void(CDataExchange*)>& exchange)
{
    try {
        exchange(&dx);
        return true;
    } catch (const ExchangeFailed&) {
        return false;
    }
}

} // namespace platform::ui

// ---- text ------------------------------------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = ItemText(control);
    else
        SetTextIfChanged(control, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, "%d"); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, "%u"); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeInteger(pDX, nIDC, value, INT32_MIN, INT32_MAX, "%ld"); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, "%hd"); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeInteger(pDX, nIDC, value, 0, 255, "%u"); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeReal(pDX, nIDC, value, DBL_DIG, DBL_MAX); }
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeReal(pDX, nIDC, value, FLT_DIG, FLT_MAX); }

// ---- buttons -------------------------------------------------------------------------------------------------

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(SendMessage(control, BM_GETCHECK, 0, 0));
    else
        SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value < 0 || value > 2 ? 0 : value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    if (!first)
        return;
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND h = first; h; h = GetWindow(h, GW_HWNDNEXT)) {
        if (h != first && (GetWindowLongPtr(h, GWL_STYLE) & WS_GROUP))
            break;
        if (!(SendMessage(h, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED && value == -1)
                value = index;
        } else {
            SendMessage(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

// ---- lists ------------------------------------------------------------------------------------------------------

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(SendMessage(control, CB_GETCURSEL, 0, 0));
    else
        SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = ItemText(control);
    } else if (SendMessage(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        SetWindowText(control, value); // no item starts with it: a drop-down shows the text itself
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = ItemText(control);
        return;
    }
    LRESULT found = SendMessage(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    if (found == CB_ERR)
        SetWindowText(control, value);
    else
        SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(SendMessage(control, LB_GETCURSEL, 0, 0));
    else
        SendMessage(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND control = pDX->PrepareCtrl(nIDC);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate) {
        int sel = static_cast<int>(SendMessage(control, LB_GETCURSEL, 0, 0));
        if (sel < 0) {
            value.Empty();
            return;
        }
        int length = static_cast<int>(SendMessage(control, LB_GETTEXTLEN, static_cast<WPARAM>(sel), 0));
        SendMessage(control, LB_GETTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(value.GetBuffer(length)));
        value.ReleaseBuffer(length);
    } else {
        SendMessage(control, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND control = pDX->PrepareCtrl(nIDC);
    if (control)
        rControl.SubclassWindow(control);
}

// ---- validation ---------------------------------------------------------------------------------------------------

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
        Refuse(pDX, AFX_IDP_PARSE_STRING_SIZE, FormatString("%d", nChars));
    if (!pDX->m_bSaveAndValidate && pDX->m_idLastControl && pDX->m_bEditLastControl)
        SendMessage(pDX->m_idLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, FormatString("%d", minVal), FormatString("%d", maxVal));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, FormatString("%u", minVal), FormatString("%u", maxVal));
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, AFX_IDP_PARSE_INT_RANGE, FormatString("%ld", minVal), FormatString("%ld", maxVal));
}

void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        Refuse(pDX, AFX_IDP_PARSE_REAL_RANGE, FormatString("%g", minVal), FormatString("%g", maxVal));
}

// Dialog data exchange: CDataExchange and the DDX_/DDV_ functions that move values between a
// dialog's members and its controls in both directions (UpdateData). A value that does not
// convert or validate shows a message box, puts the focus back on the control (selecting an
// edit's text) and ends the exchange with failure; the member keeps its old value.
#pragma once

#include "platform/msg/Wnd.h"

#include <functional>

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control `nIDC` of the dialog, remembered as the one to return to on failure.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange: UpdateData returns FALSE with the focus on the last prepared control.
    [[noreturn]] void Fail();

    HWND m_idLastControl { nullptr };
    BOOL m_bEditLastControl { FALSE };
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// `nIDC` is the first radio button of its group; the value is the index of the checked one, or -1.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// Subclasses control `nIDC` with `rControl` the first time (when loading).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);

// The string ids of the exchange's messages (in the layer's string table).
constexpr UINT AFX_IDP_PARSE_INT = 0xF110;
constexpr UINT AFX_IDP_PARSE_REAL = 0xF111;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 0xF112;
constexpr UINT AFX_IDP_PARSE_REAL_RANGE = 0xF113;
constexpr UINT AFX_IDP_PARSE_STRING_SIZE = 0xF114;

namespace platform::ui {
// Runs `exchange` and reports whether it finished (false after a Fail).
bool RunDataExchange(CDataExchange& dx, const std::function<void(CDataExchange*)>& exchange);
}

// CDateTimeCtrl: the date-time picker. With DTS_SHOWNONE a check box in front of the date says
// whether it holds a date at all: cleared, GetTime answers GDT_NONE (a null COleDateTime), and
// SetTime with a null value clears it. Fields are chosen with Left/Right or the mouse and changed
// with Up/Down or typed digits; F4, Alt+Down or the drop-down button open a month calendar whose
// day click sets the date. Each change by the user sends DTN_DATETIMECHANGE.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/core/Time.h"
#include "platform/msg/Wnd.h"

constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
constexpr DWORD DTS_TIMEFORMAT = 0x0009;
constexpr DWORD DTS_RIGHTALIGN = 0x0020;

constexpr UINT DTM_GETSYSTEMTIME = 0x1001;
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;
constexpr UINT DTM_GETRANGE = 0x1003;
constexpr UINT DTM_SETRANGE = 0x1004;
constexpr UINT DTM_SETFORMAT = 0x1005;
constexpr UINT DTM_GETMONTHCAL = 0x1008;

constexpr LRESULT GDT_ERROR = -1;
constexpr LRESULT GDT_VALID = 0;
constexpr LRESULT GDT_NONE = 1;
constexpr DWORD GDTR_MIN = 0x0001;
constexpr DWORD GDTR_MAX = 0x0002;

constexpr UINT DTN_DATETIMECHANGE = static_cast<UINT>(-759);
constexpr UINT DTN_DROPDOWN = static_cast<UINT>(-754);
constexpr UINT DTN_CLOSEUP = static_cast<UINT>(-753);

struct NMDATETIMECHANGE
{
    NMHDR nmhdr;
    DWORD dwFlags { 0 };
    SYSTEMTIME st;
};
using LPNMDATETIMECHANGE = NMDATETIMECHANGE*;

class CDateTimeCtrl : public CWnd
{
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    // TRUE with the time, or with a null value when the picker holds no date.
    BOOL GetTime(COleDateTime& timeDest) const;
    DWORD GetTime(CTime& timeDest) const;
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const;
    // A null or invalid value clears the date (DTS_SHOWNONE only).
    BOOL SetTime(const COleDateTime& timeNew);
    BOOL SetTime(const CTime* pTimeNew);
    BOOL SetTime(LPSYSTEMTIME pTimeNew = nullptr);
    BOOL SetFormat(LPCTSTR pstrFormat);
    BOOL SetRange(const COleDateTime* pMinRange, const COleDateTime* pMaxRange);
    CWnd* GetMonthCalCtrl() const;
};

namespace platform::ui {
void RegisterDateTimeClass();
}

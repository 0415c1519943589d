// The disk-space bar.
#include "ktctrl/composite/KTDiskSpaceCtrl.h"

#include "ktctrl/composite/SafeFormat.h"
#include "ktutil/KTGF.h"

#include <cmath>

KTDiskSpaceCtrl::KTDiskSpaceCtrl()
    : m_probe([](LPCTSTR path, ULONGLONG& total, ULONGLONG& freeBytes) {
        return KTGF::GetDriveFreeSpaceEx(path, total, freeBytes);
    })
{
}

BOOL KTDiskSpaceCtrl::SetDrive(LPCTSTR path)
{
    ULONGLONG total = 0;
    ULONGLONG freeBytes = 0;
    if (!m_probe || !m_probe(path, total, freeBytes)) {
        m_nTotal = m_nFree = 0;
        return FALSE;
    }
    // A probe that reports more free than total space is not trusted beyond the total.
    m_nTotal = total;
    m_nFree = freeBytes > total ? total : freeBytes;
    m_strDrive = path ? path : "";
    if (GetSafeHwnd())
        Refresh();
    return TRUE;
}

int KTDiskSpaceCtrl::GetUsedPercent() const
{
    if (m_nTotal == 0)
        return 0;
    return static_cast<int>((m_nTotal - m_nFree) * 100 / m_nTotal);
}

void KTDiskSpaceCtrl::Refresh()
{
    if (!GetSafeHwnd())
        return;
    SetRange32(0, 100);
    SetPos(GetUsedPercent());
    m_bRangePending = FALSE;
}

void KTDiskSpaceCtrl::SetFormat(int unit, LPCTSTR valueFormat, LPCTSTR displayFormat)
{
    SetValueFmt(unit, valueFormat);
    SetDisplayFmt(displayFormat);
}

void KTDiskSpaceCtrl::SetValueFmt(int unit, LPCTSTR valueFormat)
{
    m_nUnit = unit;
    m_strValueFmt = valueFormat ? valueFormat : "";
    Repaint();
}

void KTDiskSpaceCtrl::SetDisplayFmt(LPCTSTR displayFormat)
{
    m_strDisplayFmt = displayFormat ? displayFormat : "";
    Repaint();
}

void KTDiskSpaceCtrl::EnableComma(BOOL enable)
{
    m_bComma = enable;
    Repaint();
}

CString KTDiskSpaceCtrl::MakeText(const __KTPROGRESS_DRAW_INFO&)
{
    const int percent = GetUsedPercent();
    if (m_bRangePending && GetSafeHwnd()) {
        // Once: setting the range repaints the bar, and painting comes back here.
        m_bRangePending = FALSE;
        SendMessage(PBM_SETRANGE32, 0, 100);
        SendMessage(PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    }
    CString per;
    per.Format("%d%%", percent);

    const ULONGLONG values[3] = { m_nTotal, m_nTotal - m_nFree, m_nFree };
    CString texts[3];
    for (int i = 0; i < 3; ++i) {
        switch (m_nUnit) {
        case SIZE_BYTE: {
            // A byte count takes an integer format ("%d"); a real format gets the count as a real.
            CString asInteger = ktctrl::FormatInteger(m_strValueFmt, static_cast<long long>(values[i]));
            texts[i] = !asInteger.IsEmpty() ? asInteger : ktctrl::FormatReal(m_strValueFmt, static_cast<double>(values[i]));
            break;
        }
        case SIZE_KB:
        case SIZE_MB:
        case SIZE_GB:
            texts[i] = ktctrl::FormatReal(m_strValueFmt, std::ldexp(static_cast<double>(values[i]), -10 * m_nUnit));
            break;
        default: break;
        }
        if (m_bComma && !texts[i].IsEmpty())
            texts[i] = KTGF::CommaString(texts[i]);
    }

    CString text = m_strDisplayFmt;
    text.Replace("#TOT#", texts[0]);
    text.Replace("#USE#", texts[1]);
    text.Replace("#AVA#", texts[2]);
    text.Replace("#PER#", per);
    text.Replace("#DRV#", KTGF::LeftText(m_strDrive, 1));
    return text;
}

// KTDiskSpaceCtrl: a KTProgressCtrl that shows how full a drive is, with a text made from a
// template ("#DRV# [#PER#] - Total: #TOT# G ..."). A drive whose size is unknown or 0 shows 0%
// and zero sizes.
#pragma once

#include "ktctrl/composite/KTProgressCtrl.h"

#include <functional>

class KTDiskSpaceCtrl : public KTProgressCtrl
{
public:
    enum SIZEUNIT { SIZE_BYTE = 0, SIZE_KB = 1, SIZE_MB = 2, SIZE_GB = 3 };
    // Total and free bytes of the file system holding a path; FALSE when it cannot be read.
    using DriveProbe = std::function<BOOL(LPCTSTR path, ULONGLONG& total, ULONGLONG& freeBytes)>;

    KTDiskSpaceCtrl();

    BOOL SetDrive(LPCTSTR path);
    void Refresh();
    void SetFormat(int unit, LPCTSTR valueFormat, LPCTSTR displayFormat);
    void SetValueFmt(int unit, LPCTSTR valueFormat);
    void SetDisplayFmt(LPCTSTR displayFormat);
    void EnableComma(BOOL enable);

    ULONGLONG GetTotalBytes() const { return m_nTotal; }
    ULONGLONG GetFreeBytes() const { return m_nFree; }
    // The used share in percent, 0 for a drive of size 0.
    int GetUsedPercent() const;

    // Where SetDrive asks for the sizes (the utility library's free-space call by default).
    void SetDriveProbe(DriveProbe probe) { m_probe = std::move(probe); }

protected:
    CString MakeText(const __KTPROGRESS_DRAW_INFO& info) override;

    int m_nUnit { SIZE_GB };
    CString m_strDisplayFmt { "#DRV# [#PER#] - Total: #TOT# G, Used: #USE# G, Avaliable: #AVA# G" };
    CString m_strValueFmt { "%.1f" };
    ULONGLONG m_nTotal { 0 };
    ULONGLONG m_nFree { 0 };
    BOOL m_bComma { FALSE };
    BOOL m_bRangePending { TRUE };
    CString m_strDrive;
    DriveProbe m_probe;
};

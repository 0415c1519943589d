// The exported picture's file name and the duration texts.
#include "tarlux/print/ReviewExportName.h"

#include "nrdata/table/RecordFileStem.h"

namespace tarlux {

CString ExportImageFileName(LPCTSTR patientId, LPCTSTR lastName, LPCTSTR firstName, const COleDateTime& when)
{
    CString name = CString(lastName) + firstName;
    return MakeRecordFileStem(patientId, name) + "_" + when.Format("%Y%m%d%H%M%S") + ".JPG";
}

CString DurationText(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    CString text;
    text.Format("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

} // namespace tarlux

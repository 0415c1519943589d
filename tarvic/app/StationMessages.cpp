// The station's message boxes.
#include "tarvic/app/StationMessages.h"

#include "tarvic/res/TarvicResourceIds.h"

#include "ktutil/KTGF.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/Wnd.h"

namespace tarvic {

CString LoadText(UINT id)
{
    return KTGF::GetString(id);
}

int StationMessageBox(LPCTSTR text, UINT type, UINT captionId)
{
    // Owned by the window the user works in (a settings sheet, a dialog on it), not the main
    // window beneath: the box shows above it and keeps it from taking input until answered.
    const HWND owner = CWnd::GetSafeOwner()->GetSafeHwnd();
    const CString caption = LoadText(captionId != 0 ? captionId : IDS_STATION_CAPTION);
    return ::MessageBox(owner, text, caption, type);
}

int StationMessageBox(UINT textId, UINT type, UINT captionId)
{
    return StationMessageBox(LoadText(textId), type, captionId);
}

} // namespace tarvic

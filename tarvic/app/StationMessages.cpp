// The station's message boxes.
#include "tarvic/app/StationMessages.h"

#include "tarvic/res/TarvicResourceIds.h"

#include "ktutil/KTGF.h"
#include "platform/msg/WindowApi.h"
#include "platform/msg/Wnd.h"
#include "platform/ui/framework/WinApp.h"

namespace tarvic {

CString LoadText(UINT id)
{
    return KTGF::GetString(id);
}

int StationMessageBox(LPCTSTR text, UINT type, UINT captionId)
{
    CWnd* main = AfxGetMainWnd();
    HWND owner = main != nullptr && ::IsWindow(main->GetSafeHwnd()) ? main->GetSafeHwnd() : nullptr;
    const CString caption = LoadText(captionId != 0 ? captionId : IDS_STATION_CAPTION);
    return ::MessageBox(owner, text, caption, type);
}

int StationMessageBox(UINT textId, UINT type, UINT captionId)
{
    return StationMessageBox(LoadText(textId), type, captionId);
}

} // namespace tarvic

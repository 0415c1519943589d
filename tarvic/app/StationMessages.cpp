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

CString FormatText(UINT id, std::initializer_list<LPCTSTR> values)
{
    const CString text = LoadText(id);
    CString result;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char digit = i + 1 < text.GetLength() ? text[i + 1] : '\0';
        const size_t index = size_t(digit - '1');
        if (text[i] == '%' && digit >= '1' && digit <= '9' && index < values.size()) {
            const LPCTSTR value = values.begin()[index];
            result += value != nullptr ? value : "";
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

CString PatientText(const TBLPatientRow& patient)
{
    CString name = patient.P_FIRST_NAME;
    if (!patient.P_LAST_NAME.IsEmpty())
        name += (name.IsEmpty() ? "" : " ") + patient.P_LAST_NAME;
    name.Trim();
    return name.IsEmpty() ? patient.P_ID : name + " (" + patient.P_ID + ")";
}

int StationMessageBox(LPCTSTR text, UINT type, UINT captionId)
{
    // Owned by the window the user works in (a settings sheet, a dialog on it), not the main
    // window beneath: the box shows above it and keeps it from taking input until answered.
    const HWND owner = CWnd::GetSafeOwnerHwnd();
    const CString caption = LoadText(captionId != 0 ? captionId : IDS_STATION_CAPTION);
    return ::MessageBox(owner, text, caption, type);
}

int StationMessageBox(UINT textId, UINT type, UINT captionId)
{
    return StationMessageBox(LoadText(textId), type, captionId);
}

} // namespace tarvic

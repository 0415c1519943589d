// CTarvicIIView, capturing a bed's trend for the medical record: the report page drawn into a
// 1344 x 1900 picture, saved as a JPEG file in the folder the outside medical-record program
// reads, and that program started afterwards.
//
// The picture's name comes from the monitor's patient texts, made safe the way recording file
// names are, so that no text leads the file out of the folder. The bed's trend store is kept
// from trimming while the page is drawn and let go on every way out.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/TrendDialogIds.h"

#include "ktutil/KTGF.h"
#include "nrdata/table/RecordFileStem.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/display/TrendReportPage.h"
#include "nyraclient/client/CClientTrendSource.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/Image.h"
#include "platform/sys/Shell.h"

using namespace tarvic;

namespace {

// Keeps a bed's trend store from trimming while it lives.
class CaptureTrendLock
{
public:
    explicit CaptureTrendLock(NyraClientInfo& client) : m_client(client) { m_client.SetLockTrendDelete(1); }
    ~CaptureTrendLock() { m_client.SetLockTrendDelete(0); }
    CaptureTrendLock(const CaptureTrendLock&) = delete;
    CaptureTrendLock& operator=(const CaptureTrendLock&) = delete;

private:
    NyraClientInfo& m_client;
};

// "%s\n(%s)" of a text and the file's path.
CString WithPath(UINT textId, const CString& path)
{
    CString text;
    text.Format("%s\n(%s)", LoadText(textId).GetString(), path.GetString());
    return text;
}

} // namespace

CString CTarvicIIView::CaptureFileName(const NyraClientInfo& client, const COleDateTime& when)
{
    const PKPatient_v110& patient = client.GetPatientPacket();
    CString name;
    name.Format("%s_%s%s_%s.JPG", MakeSafeFileNamePart(patient.GetPatientId()).GetString(),
                MakeSafeFileNamePart(patient.GetLastName()).GetString(),
                MakeSafeFileNamePart(patient.GetFirstName()).GetString(), when.Format("%Y%m%d%H%M%S").GetString());
    return name;
}

void CTarvicIIView::SaveScreenImage(NyraClientInfo* pClient)
{
    if (pClient == nullptr)
        return;
    CaptureTrendLock lock(*pClient);

    CDC* viewDC = GetDC();
    if (viewDC == nullptr)
        return;
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(viewDC)) {
        MessageBox("Error: CreateCompatibleDC()", "", MB_OK);
        ReleaseDC(viewDC);
        return;
    }
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(viewDC, kCaptureWidth, kCaptureHeight)) {
        MessageBox("Error: CreateCompatibleBitmap()", "", MB_OK);
        memoryDC.DeleteDC();
        ReleaseDC(viewDC);
        return;
    }
    CBitmap* oldBitmap = memoryDC.SelectObject(&bitmap);
    const nyraclient::trend::CClientTrendSource source(*pClient);
    nyraclient::display::DrawTrendDataAtJPG(&memoryDC, kCaptureWidth, kCaptureHeight, source);
    memoryDC.SelectObject(oldBitmap);

    const CString path = KTGF::MakePath(g_Config.EMRDataPath, CaptureFileName(*pClient, COleDateTime::GetCurrentTime()));
    platform::Image image;
    if (!image.FromBitmap(bitmap))
        StationMessageBox("Error: CreateFromHBITMAP()", MB_OK | MB_ICONERROR);
    else if (image.SaveJpeg(path))
        StationMessageBox(WithPath(trend::IDS_FILE_SAVED, path), MB_OK);
    else
        StationMessageBox(WithPath(trend::IDS_JPG_NOT_CREATED, path), MB_OK | MB_ICONERROR);

    bitmap.DeleteObject();
    memoryDC.DeleteDC();
    ReleaseDC(viewDC);
}

INT_PTR CTarvicIIView::CaptureTrend(NyraClientInfo* pClient)
{
    if (pClient == nullptr)
        return IDCANCEL;
    SaveScreenImage(pClient);
    // The medical-record program is started whatever became of the picture; a path that names
    // no file (nothing set, a folder) starts nothing and says nothing.
    const CString program = g_Config.EMRProgramPath;
    if (program.IsEmpty() || !KTGF::IsFile(program))
        return IDOK;
    const HINSTANCE started = ShellExecute(GetSafeHwnd(), "open", program, nullptr, nullptr, SW_SHOWNORMAL);
    if (platform::ShellResultCode(started) < 33)
        StationMessageBox(trend::IDS_CANNOT_RUN_EMR, MB_OK | MB_ICONERROR);
    return IDOK;
}

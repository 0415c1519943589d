// CTarvicIIView, printing a bed's trend: the trend print dialog, the print job's hooks and the
// drawing of the cover page and the page headers.
//
// The bed's trend store is kept from trimming from the dialog's OK to the end of the job, on
// every way out (the print dialog cancelled, a failed job, a bed removed meanwhile): the bed
// itself cannot go while the command runs, since the view's notify scope defers its deletion.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/res/BedDialogIds.h"
#include "tarvic/res/TrendDialogIds.h"
#include "tarvic/view/TrendPrintJob.h"

#include "appcommon/CTrendPrintDlg.h"
#include "nrdata/table/TBLUser.h"
#include "nyraclient/client/NyraClientInfo.h"
#include "nyraclient/display/CDisplayInfo.h"
#include "nyraclient/client/CClientTrendSource.h"

#include "platform/gdi/CFont.h"
#include "platform/ui/framework/FrameworkIds.h"
#include "platform/ui/printing/PrintInfo.h"

using namespace tarvic;

namespace {

constexpr int kNoDateYear = 1000;

// Keeps a bed's trend store from trimming while it lives.
class TrendDeleteLock
{
public:
    explicit TrendDeleteLock(NyraClientInfo& client) : m_client(client) { m_client.SetLockTrendDelete(1); }
    ~TrendDeleteLock() { m_client.SetLockTrendDelete(0); }
    TrendDeleteLock(const TrendDeleteLock&) = delete;
    TrendDeleteLock& operator=(const TrendDeleteLock&) = delete;

private:
    NyraClientInfo& m_client;
};

// ---- texts ---------------------------------------------------------------------------------------

CString Formatted(const char* format, const CString& a, const CString& b = {})
{
    CString text;
    text.Format(format, a.GetString(), b.GetString());
    return text;
}

// Seconds as "%02d:%02d:%02d".
CString Clock(UINT seconds)
{
    CString text;
    text.Format("%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

CString DateText(const COleDateTime& date)
{
    return date.GetYear() == kNoDateYear ? CString() : date.Format("%Y-%m-%d");
}

CString UserName(const CString& id) { return TBLUser::GetUserNameStringInDatabase(&g_Database, id); }

// The patient the pages name: the admitted record, else the monitor's patient packet.
struct PrintedPatient
{
    CString id;
    CString firstName;
    CString lastName;
};

PrintedPatient PatientOf(const NyraClientInfo& client)
{
    if (client.IsAdmitted()) {
        const TBLPatientRow& row = client.GetAdmittedPatient();
        return {row.P_ID, row.P_FIRST_NAME, row.P_LAST_NAME};
    }
    const PKPatient_v110& packet = client.GetPatientPacket();
    return {packet.GetPatientId(), packet.GetFirstName(), packet.GetLastName()};
}

// ---- drawing -------------------------------------------------------------------------------------

// An "Arial" font `height` pixels high.
void MakeArial(CFont& font, int height, int weight)
{
    font.CreateFont(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
}

void LineText(CDC* dc, const CString& text, CRect rect, UINT align)
{
    dc->DrawText(text, &rect, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A framed cell with its text centred.
void FramedCell(CDC* dc, const CString& text, const CRect& rect)
{
    dc->Rectangle(&rect);
    LineText(dc, text, rect, DT_CENTER);
}

// One row of framed cells of equal width from `left`.
void FramedRow(CDC* dc, const CString* texts, int count, int left, int top, int cellWidth, int height)
{
    for (int i = 0; i < count; ++i)
        FramedCell(dc, texts[i], CRect(left + i * cellWidth, top, left + (i + 1) * cellWidth, top + height));
}

} // namespace

// ==== the dialog and the job ======================================================================

INT_PTR CTarvicIIView::PrintTrend(NyraClientInfo* pClient)
{
    if (pClient == nullptr)
        return IDCANCEL;
    const UINT count = pClient->GetCountsOfTrendData();
    const int minutes = static_cast<int>(count / 60 + (count % 60 ? 1 : 0));

    CTrendPrintDlg dialog(kCentralTrendPrintTemplate, this);
    dialog.SetPrintInfo(1, 1, 1, 3, 0, minutes, 0, minutes);
    const INT_PTR result = RunBedDialog(dialog, pClient);
    if (result != IDOK || IsBedDialogClientGone())
        return IDCANCEL;

    TrendDeleteLock lock(*pClient);
    auto job = std::make_unique<TrendPrintJob>();
    job->client = pClient;
    job->choice.first = static_cast<UINT>(dialog.GetStartTime()) * 60;
    job->choice.last = std::min(static_cast<UINT>(dialog.GetEndTime()) * 60, count);
    job->choice.first = std::min(job->choice.first, job->choice.last);
    job->choice.speed = dialog.GetTrendSpeed();
    job->choice.bCover = dialog.IsPrintCover();
    job->choice.bTrend = dialog.IsPrintTrend();
    job->choice.bAll = dialog.IsPrintAll();
    m_pTrendPrint = std::move(job);
    SendMessage(WM_COMMAND, ID_FILE_PRINT);
    m_pTrendPrint.reset();
    return IDOK;
}

BOOL CTarvicIIView::OnPreparePrinting(CPrintInfo* pInfo)
{
    // The station prints only a bed's trend that the print dialog chose.
    if (!m_pTrendPrint)
        return FALSE;
    return DoPreparePrinting(pInfo);
}

void CTarvicIIView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!m_pTrendPrint || pDC == nullptr || pInfo == nullptr)
        return;
    if (pDC->IsPrinting() && pInfo->m_pPD != nullptr) {
        DEVMODE* mode = pInfo->m_pPD->GetDevMode();
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        mode->dmFields |= DM_ORIENTATION;
        pDC->ResetDC(mode);
    }
    TrendPrintJob& job = *m_pTrendPrint;
    job.started = COleDateTime::GetCurrentTime();
    job.trendCount = job.client->GetCountsOfTrendData();
    // "All" is the trend as long as it is now, not as it was when the range dialog opened.
    if (job.choice.bAll) {
        job.choice.first = 0;
        job.choice.last = job.trendCount;
    }
    job.plan.emplace(job.choice, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    // No page (no cover, and no trend page fits or was chosen) starts no job at all.
    pInfo->SetMaxPage(job.plan->PageCount());
}

void CTarvicIIView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!m_pTrendPrint || !m_pTrendPrint->plan || pDC == nullptr || pInfo == nullptr)
        return;
    const TrendPrintJob& job = *m_pTrendPrint;
    const TrendPrintPlan& plan = *job.plan;
    const int width = pDC->GetDeviceCaps(HORZRES);
    const int height = pDC->GetDeviceCaps(VERTRES);
    const TrendPrintPage page = plan.Page(pInfo->m_nCurPage);
    if (page.cover) {
        DrawCoverPage(pDC, width, height);
        return;
    }
    if (page.end <= page.start)
        return;
    DrawPageHeader(pDC, width, height, plan.FhrRect());
    const nyraclient::trend::CClientTrendSource source(*job.client);
    UINT index = page.start;
    CDisplayInfo::DrawTrendGraph(pDC, plan.FhrRect(), plan.UcRect(), plan.Columns(), &source, index,
                                 static_cast<int>(page.end), job.choice.speed, DRAW_PRINT, 1, 0);
}

void CTarvicIIView::OnEndPrinting(CDC*, CPrintInfo*) {}

// ==== the page header ============================================================================

void CTarvicIIView::DrawPageHeader(CDC* pDC, int nWidth, int nHeight, CRect rcGraph)
{
    (void)nWidth;
    if (!m_pTrendPrint)
        return;
    const TrendPrintJob& job = *m_pTrendPrint;
    const NyraClientInfo& client = *job.client;
    const int line = static_cast<int>(nHeight * 0.03);
    const int top = static_cast<int>(nHeight * 0.05);
    const int cell = rcGraph.Width() / 3;

    CFont font;
    MakeArial(font, static_cast<int>(line * 0.7), FW_NORMAL);
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));

    const PrintedPatient patient = PatientOf(client);
    CString texts[2][3];
    texts[0][0].Format("%s(%s) : %s(%s %s)", LoadText(bed::IDS_ID).GetString(), LoadText(bed::IDS_NAME).GetString(),
                       patient.id.GetString(), patient.firstName.GetString(), patient.lastName.GetString());
    texts[0][1] = Formatted("%s : %s", LoadText(bed::IDS_EDC),
                            client.IsAdmitted() ? DateText(client.GetAdmittedPatient().P_EDC) : CString());
    texts[0][2].Format("%s/%s : %s/%s", LoadText(bed::IDS_DOCTOR).GetString(), LoadText(bed::IDS_NURSE).GetString(),
                       UserName(client.m_strDoctorID).GetString(), UserName(client.m_strNurseID).GetString());
    texts[1][0] = Formatted("%s : %s", LoadText(trend::IDS_RECORD_START),
                            client.GetStartTimeOfTrend().Format("%Y-%m-%d, %H:%M:%S"));
    texts[1][1] = Formatted("%s : %s", LoadText(trend::IDS_LENGTH), Clock(job.trendCount));
    texts[1][2] = Formatted("%s : %s", LoadText(trend::IDS_PRINTED_INTERVAL),
                            Clock(job.choice.first) + "~" + Clock(job.choice.last));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int left = rcGraph.left + column * cell;
            const int y = top + row * line;
            LineText(pDC, texts[row][column], CRect(left, y, left + cell, y + line), DT_LEFT);
        }
    }
    pDC->SelectObject(oldFont);
}

// ==== the cover page =============================================================================

namespace {

// Where the cover page's parts go, from the page's size.
struct CoverLayout
{
    CoverLayout(int pageWidth, int pageHeight)
        : width(pageWidth), height(pageHeight), left(static_cast<int>(pageWidth * 0.05)),
          row(static_cast<int>(pageHeight * 0.03)), inset(static_cast<int>(pageWidth * 0.02)),
          tableWidth(static_cast<int>(pageWidth * 0.9)), top(static_cast<int>(pageHeight * 0.05)),
          patientTop(static_cast<int>(pageHeight * 0.20)), recordTop(static_cast<int>(pageHeight * 0.40))
    {
    }
    // One line of the table's width, `line` rows below `y`.
    CRect Line(int y, int line) const { return CRect(left, y + line * row, left + tableWidth, y + (line + 1) * row); }

    int width;
    int height;
    int left;       // the left margin
    int row;        // the height of a line
    int inset;      // of the frame from the page's edges
    int tableWidth; // of the sections' lines
    int top;        // of the title line; the bottom line ends as far from the page's bottom
    int patientTop;
    int recordTop;
};

// The frame round the page, the title line (product, version, when the job started) and the
// bottom line.
void DrawCoverFrame(CDC* dc, const CoverLayout& page, const COleDateTime& started)
{
    dc->Rectangle(page.inset, page.inset, page.width - page.inset, page.height - page.inset);
    CString title;
    title.Format("%s %s %s", LoadText(trend::IDS_COVER_PRODUCT).GetString(),
                 LoadText(trend::IDS_COVER_VERSION).GetString(), started.Format("%Y-%m-%d, %H:%M:%S").GetString());
    LineText(dc, title, CRect(page.left, page.top, page.width - page.left, page.top + page.row), DT_RIGHT);
    LineText(dc, LoadText(trend::IDS_COVER_FOOTER),
             CRect(page.left, page.height - page.top - page.row, page.width - page.left, page.height - page.top),
             DT_LEFT);
}

// The patient section: its title in `bold`, then in `normal` the labels, the values (the
// admitted record's, else the monitor's id and name alone) and the comment.
void DrawCoverPatient(CDC* dc, const CoverLayout& page, const NyraClientInfo& client, CFont& bold, CFont& normal)
{
    const int top = page.patientTop;
    dc->SelectObject(&bold);
    LineText(dc, LoadText(bed::IDS_PATIENT_INFORMATION), page.Line(top, 0), DT_LEFT);
    dc->SelectObject(&normal);
    const CString labels[8] = {
        LoadText(bed::IDS_ID),       LoadText(bed::IDS_NAME),
        LoadText(bed::IDS_BIRTHDAY), LoadText(bed::IDS_REGISTRATION_DATE),
        LoadText(bed::IDS_LMP),      LoadText(bed::IDS_EDC),
        LoadText(bed::IDS_GR) + "/" + LoadText(bed::IDS_PA), LoadText(trend::IDS_GA),
    };
    CString values[8];
    const PrintedPatient patient = PatientOf(client);
    values[0] = patient.id;
    values[1] = Formatted("%s %s", patient.firstName, patient.lastName);
    CString comment = LoadText(bed::IDS_COMMENT) + " :";
    if (client.IsAdmitted()) {
        const TBLPatientRow& record = client.GetAdmittedPatient();
        values[2] = DateText(record.P_BIRTHDAY);
        values[3] = DateText(record.P_REG_DATE);
        values[4] = DateText(record.P_LMP);
        values[5] = DateText(record.P_EDC);
        CString gr;
        CString pa;
        if (record.P_GR != -1)
            gr.Format("%d", static_cast<int>(record.P_GR));
        if (record.P_PA != -1)
            pa.Format("%d", static_cast<int>(record.P_PA));
        values[6] = gr + "/" + pa;
        if (record.P_LMP.GetYear() != kNoDateYear) {
            const LONG weeks = (COleDateTime::GetCurrentTime() - record.P_LMP).GetDays() / 7;
            values[7].Format("%d %s", static_cast<int>(weeks), LoadText(trend::IDS_WEEKS).GetString());
        }
        comment = Formatted("%s : %s", LoadText(bed::IDS_COMMENT), record.P_COMMENT);
    }
    const int cell = page.tableWidth / 8;
    FramedRow(dc, labels, 8, page.left, top + page.row, cell, page.row);
    FramedRow(dc, values, 8, page.left, top + 2 * page.row, cell, page.row);
    LineText(dc, comment, page.Line(top, 3), DT_LEFT);
}

// The recording section: its title in `bold`, then in `normal` the labels, the values and the
// share of lost signal (only while the bed records, and only of a trend that has entries).
void DrawCoverRecord(CDC* dc, const CoverLayout& page, const TrendPrintJob& job, CFont& bold, CFont& normal)
{
    const NyraClientInfo& client = *job.client;
    const int top = page.recordTop;
    dc->SelectObject(&bold);
    LineText(dc, LoadText(trend::IDS_RECORD_INFORMATION), page.Line(top, 0), DT_LEFT);
    dc->SelectObject(&normal);
    const CString labels[5] = {
        LoadText(trend::IDS_RECORD_START), LoadText(trend::IDS_LENGTH), LoadText(bed::IDS_DOCTOR),
        LoadText(bed::IDS_NURSE),          LoadText(trend::IDS_PRINTED_INTERVAL),
    };
    const CString values[5] = {
        client.GetStartTimeOfTrend().Format("%Y-%m-%d, %H:%M:%S"),
        Clock(job.trendCount),
        UserName(client.m_strDoctorID),
        UserName(client.m_strNurseID),
        Clock(job.choice.first) + "~" + Clock(job.choice.last),
    };
    const int cell = page.tableWidth / 5;
    FramedRow(dc, labels, 5, page.left, top + page.row, cell, page.row);
    FramedRow(dc, values, 5, page.left, top + 2 * page.row, cell, page.row);
    CString loss;
    loss.Format("%s(%%) :", LoadText(trend::IDS_LOSS_OF_SIGNAL).GetString());
    if (client.IsRecording() && job.trendCount > 0) {
        loss.Format("%s(%%) : %.1lf", LoadText(trend::IDS_LOSS_OF_SIGNAL).GetString(),
                    client.GetSignalLossOfRecored() * 100.0 / job.trendCount);
    }
    LineText(dc, loss, page.Line(top, 3), DT_LEFT);
}

} // namespace

void CTarvicIIView::DrawCoverPage(CDC* pDC, int nWidth, int nHeight)
{
    if (!m_pTrendPrint)
        return;
    const TrendPrintJob& job = *m_pTrendPrint;
    const CoverLayout page(nWidth, nHeight);

    CFont bold;
    CFont normal;
    MakeArial(bold, static_cast<int>(page.row * 0.7), FW_BOLD);
    MakeArial(normal, static_cast<int>(page.row * 0.7), FW_NORMAL);
    CFont* oldFont = pDC->SelectObject(&bold);
    CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));

    DrawCoverFrame(pDC, page, job.started);
    DrawCoverPatient(pDC, page, *job.client, bold, normal);
    DrawCoverRecord(pDC, page, job, bold, normal);

    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldFont);
}

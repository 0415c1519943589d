// The review view's printing: the print dialog, the page count, the cover page and the trend
// pages with their header.
#include "tarlux/view/CTarluxIIView.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/print/ReviewExportName.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/trend/ReviewTrendGraph.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/table/TBLPatientStudy.h"
#include "nrdata/table/TBLUser.h"
#include "nrdata/trend/TrendRect.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/ui/printing/PrintDialog.h"
#include "platform/ui/printing/PrintInfo.h"

#include <algorithm>

namespace tarlux {
namespace {

// The paper of a printed page: shares of the height and margins (parts of the page's size).
constexpr double kUpperShare = 0.72;
constexpr double kLowerShare = 0.22;
constexpr double kSideMargin = 0.03;
constexpr double kTopMargin = 0.16;
constexpr double kBottomMargin = 0.10;

int Trunc(double v) { return static_cast<int>(v); }

// A date of the patient row: empty for the year 1000 ("no date").
bool HasDate(const COleDateTime& date) { return date.GetStatus() == COleDateTime::valid && date.GetYear() != 1000; }
CString DateText(const COleDateTime& date, const char* format = "%Y-%m-%d")
{
    return HasDate(date) ? date.Format(format) : CString();
}

CString RangeText(int start, int end)
{
    return DurationText(start) + "~" + DurationText(end);
}

CString UserName(const CString& id)
{
    KTAdo& db = ReviewDatabase();
    return db.IsConnected() ? TBLUser::GetUserNameStringInDatabase(&db, id) : CString();
}

struct PrintFont
{
    PrintFont(int height, int weight)
    {
        m_font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    }
    CFont m_font;
};

// Gravida or para: empty for -1 ("not chosen").
CString CountText(long value)
{
    CString text;
    if (value != -1)
        text.Format("%d", static_cast<int>(value));
    return text;
}

// One single-line text, vertically centred in its cell, optionally framed.
void DrawCell(CDC* dc, CRect cell, const CString& text, UINT align, bool frame)
{
    if (frame) {
        dc->MoveTo(cell.left, cell.top);
        dc->LineTo(cell.right, cell.top);
        dc->LineTo(cell.right, cell.bottom);
        dc->LineTo(cell.left, cell.bottom);
        dc->LineTo(cell.left, cell.top);
    }
    CString copy = text;
    dc->DrawText(copy, &cell, align | DT_SINGLELINE | DT_VCENTER);
}

// A row of `texts` in equal framed cells from `left`, centred.
void DrawCellRow(CDC* dc, int left, int top, int width, int height, std::initializer_list<CString> texts)
{
    const int count = static_cast<int>(texts.size());
    int i = 0;
    for (const CString& text : texts) {
        const int cellLeft = left + Trunc(static_cast<double>(width) / count * i);
        const int cellRight = left + Trunc(static_cast<double>(width) / count * (i + 1));
        DrawCell(dc, CRect(cellLeft, top, cellRight, top + height), text, DT_CENTER, true);
        ++i;
    }
}

} // namespace

// ---- the print dialog ----------------------------------------------------------------------------------

int CTarluxIIView::ShowPrintDialog()
{
    if (!CReviewContext::HasInstance())
        return 0;
    const CRecordReader& reader = CReviewContext::GetInstance()->GetReader();
    if (!reader.IsLoaded())
        return 0;
    TrendPrintChoice choice;
    choice.printAll = 0;
    choice.printCover = 1;
    choice.printTrend = 1;
    choice.trendSpeed = ReviewConfig().ReviewTrendSpeed;
    choice.start = reader.GetShownFirst() / 60;
    choice.end = (reader.GetShownLast() + 59) / 60;
    choice.minimum = 0;
    choice.maximum = (reader.GetRecordCount() + 59) / 60;
    if (!ChooseTrendPrint(choice))
        return 0;
    // The range ends where the recording ends, never in minutes it does not hold.
    m_print.options.start = std::clamp(choice.start * 60, 0, reader.GetRecordCount());
    m_print.options.end = std::clamp(choice.end * 60, m_print.options.start, reader.GetRecordCount());
    m_print.options.trendSpeed = choice.trendSpeed;
    m_print.options.printCover = choice.printCover != 0;
    m_print.options.printGraph = choice.printTrend != 0;
    return 1;
}

// A job without a cover and without trend pages would only cost the printing system an empty
// sheet: it is not started.
void CTarluxIIView::OnReviewPrint()
{
    if (!ShowPrintDialog())
        return;
    const TrendPrintOptions& options = m_print.options;
    if (!options.printCover && (!options.printGraph || options.end <= options.start))
        return;
    OnFilePrint();
}

void CTarluxIIView::OnReviewPreview()
{
    if (ShowPrintDialog())
        OnFilePrintPreview();
}

// ---- the print job -------------------------------------------------------------------------------------

BOOL CTarluxIIView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CTarluxIIView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!CReviewContext::HasInstance() || !pDC)
        return;
    if (pDC->IsPrinting() && pInfo && pInfo->m_pPD) {
        DEVMODE* mode = pInfo->m_pPD->GetDevMode();
        mode->dmOrientation = DMORIENT_LANDSCAPE;
        pDC->ResetDC(mode);
    }
    m_print.pageWidth = pDC->GetDeviceCaps(HORZRES);
    m_print.pageHeight = pDC->GetDeviceCaps(VERTRES);
    const CRect margin(Trunc(kSideMargin * m_print.pageWidth), Trunc(kTopMargin * m_print.pageHeight),
                       Trunc(kSideMargin * m_print.pageWidth), Trunc(kBottomMargin * m_print.pageHeight));
    m_print.columns = 0;
    nrdata::trend::GetTrendRect(CRect(0, 0, m_print.pageWidth, m_print.pageHeight), m_print.upper, m_print.lower,
                                kUpperShare, kLowerShare, margin, m_print.columns);
    m_print.recordsPerPage = TrendRecordsPerPage(static_cast<int>(m_print.columns), m_print.options.trendSpeed);
    if (pInfo)
        pInfo->SetMaxPage(static_cast<UINT>(TrendPrintPageCount(m_print.options, m_print.recordsPerPage)));
    m_print.printTime = COleDateTime::GetCurrentTime();
    m_print.recordCount = CReviewContext::GetInstance()->GetReader().GetRecordCount();
}

void CTarluxIIView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!CReviewContext::HasInstance() || !pDC || !pInfo)
        return;
    TBLPatientStudy row;
    if (!CReviewContext::GetInstance()->LoadStudyRow(row))
        return;
    const int page = static_cast<int>(pInfo->m_nCurPage);
    if (m_print.options.printCover && page == 1) {
        DrawCoverPage(row, pDC, m_print.pageWidth, m_print.pageHeight);
        return;
    }
    const int graphPage = TrendGraphPageOf(m_print.options, m_print.recordsPerPage, page);
    if (graphPage < 0)
        return;
    const TrendPageRange range = TrendGraphPageRange(m_print.options, m_print.recordsPerPage, graphPage);
    DrawPageHeader(row, pDC, m_print.pageWidth, m_print.pageHeight, m_print.upper);
    int first = range.first;
    DrawTrendGraph(pDC, m_print.upper, m_print.lower, m_print.columns, &first, range.last, m_print.options.trendSpeed,
                   DRAW_PRINT, row.S_START_TIME);
}

void CTarluxIIView::OnEndPrinting(CDC*, CPrintInfo*) {}

// ---- the cover page ------------------------------------------------------------------------------------

namespace {

// Where the cover page's parts go, from the page's size (all lengths truncated to whole pixels).
struct CoverLayout
{
    CoverLayout(int pageWidth, int pageHeight)
        : width(pageWidth), height(pageHeight), x0(Trunc(0.05 * pageWidth)), h(Trunc(0.03 * pageHeight)),
          tableWidth(Trunc(0.9 * pageWidth))
    {
    }
    // A line of the table's width at `top`.
    CRect Line(int top) const { return CRect(x0, top, x0 + tableWidth, top + h); }

    int width;
    int height;
    int x0;         // the left margin
    int h;          // the height of a line
    int tableWidth; // of the sections' lines
};

// The frame round the page, the title line (product, version, print time) and the bottom line.
void DrawCoverFrame(CDC* dc, const CoverLayout& page, const COleDateTime& printTime)
{
    const int frame = Trunc(0.02 * page.width);
    DrawCell(dc, CRect(frame, frame, page.width - frame, page.height - frame), CString(), DT_LEFT, true);
    const int titleTop = Trunc(0.05 * page.height);
    CString title;
    title.Format("%s %s %s", KTGF::GetString(IDS_COVER_PRODUCT).GetString(),
                 KTGF::GetString(IDS_COVER_VERSION).GetString(), printTime.Format("%Y-%m-%d, %H:%M:%S").GetString());
    DrawCell(dc, CRect(page.x0, titleTop, page.width - Trunc(0.05 * page.width), titleTop + page.h), title, DT_RIGHT,
             false);
    const int bottomTop = page.height - Trunc(0.05 * page.height) - page.h;
    DrawCell(dc, CRect(page.x0, bottomTop, page.width / 2, bottomTop + page.h), KTGF::GetString(IDS_COVER_FOOTER),
             DT_LEFT, false);
}

// The patient section: its title in `bold`, then in `normal` the labels, the values and the
// comment.
void DrawCoverPatient(CDC* dc, const CoverLayout& page, const TBLPatientStudy& row, CFont& bold, CFont& normal)
{
    int top = Trunc(0.2 * page.height);
    dc->SelectObject(&bold);
    DrawCell(dc, page.Line(top), KTGF::GetString(IDS_PATIENT_INFORMATION), DT_LEFT, false);
    dc->SelectObject(&normal);
    top += page.h;
    DrawCellRow(dc, page.x0, top, page.tableWidth, page.h,
                { KTGF::GetString(IDS_ID), KTGF::GetString(IDS_NAME), KTGF::GetString(IDS_BIRTHDAY),
                  KTGF::GetString(IDS_REGISTRATION_DATE), KTGF::GetString(IDS_LMP), KTGF::GetString(IDS_EDC),
                  KTGF::GetString(IDS_GR) + "/" + KTGF::GetString(IDS_PA), KTGF::GetString(IDS_GA) });
    top += page.h;
    CString name;
    name.Format("%s %s", row.P_FIRST_NAME.GetString(), row.P_LAST_NAME.GetString());
    const CString grpa = CountText(row.P_GR) + "/" + CountText(row.P_PA);
    CString age;
    if (HasDate(row.P_EDC)) {
        const double days = (row.P_EDC - COleDateTime::GetCurrentTime()).GetTotalDays();
        age.Format("%d %s", 40 - Trunc(days / 7), KTGF::GetString(IDS_WEEKS).GetString());
    }
    DrawCellRow(dc, page.x0, top, page.tableWidth, page.h,
                { row.S_ID, name, DateText(row.P_BIRTHDAY), DateText(row.P_REG_DATE), DateText(row.P_LMP),
                  DateText(row.P_EDC), grpa, age });
    top += page.h;
    CString comment;
    comment.Format("%s : %s", KTGF::GetString(IDS_COMMENT).GetString(), row.P_COMMENT.GetString());
    DrawCell(dc, page.Line(top), comment, DT_LEFT, false);
}

// The recording section: its title in `bold`, then in `normal` the labels, the values (the
// recording's length is `recordCount` seconds, the printed range `start` to `end`) and the share
// of lost signal.
void DrawCoverRecord(CDC* dc, const CoverLayout& page, const TBLPatientStudy& row, int recordCount, int start,
                     int end, CFont& bold, CFont& normal)
{
    int top = Trunc(0.4 * page.height);
    dc->SelectObject(&bold);
    DrawCell(dc, page.Line(top), KTGF::GetString(IDS_RECORD_INFORMATION), DT_LEFT, false);
    dc->SelectObject(&normal);
    top += page.h;
    DrawCellRow(dc, page.x0, top, page.tableWidth, page.h,
                { KTGF::GetString(IDS_RECORD_START), KTGF::GetString(IDS_LENGTH), KTGF::GetString(IDS_DOCTOR),
                  KTGF::GetString(IDS_NURSE), KTGF::GetString(IDS_PRINTED_INTERVAL) });
    top += page.h;
    DrawCellRow(dc, page.x0, top, page.tableWidth, page.h,
                { row.S_START_TIME.Format("%Y-%m-%d, %H:%M:%S"), DurationText(recordCount), UserName(row.S_DOCTOR_ID),
                  UserName(row.S_NURSE_ID), RangeText(start, end) });
    top += page.h;
    // An empty recording has lost nothing.
    const double loss = recordCount > 0 ? static_cast<double>(row.S_LOSS) / recordCount * 100 : 0.0;
    CString lossText;
    lossText.Format("%s(%%) : %.1lf", KTGF::GetString(IDS_LOSS_OF_SIGNAL).GetString(), loss);
    DrawCell(dc, page.Line(top), lossText, DT_LEFT, false);
}

} // namespace

void CTarluxIIView::DrawCoverPage(const TBLPatientStudy& row, CDC* pDC, int W, int H)
{
    const CoverLayout page(W, H);
    PrintFont bold(Trunc(0.7 * page.h), FW_BOLD);
    PrintFont normal(Trunc(0.7 * page.h), FW_NORMAL);
    CFont* oldFont = pDC->SelectObject(&bold.m_font);
    pDC->SetBkMode(TRANSPARENT);
    DrawCoverFrame(pDC, page, m_print.printTime);
    DrawCoverPatient(pDC, page, row, bold.m_font, normal.m_font);
    DrawCoverRecord(pDC, page, row, m_print.recordCount, m_print.options.start, m_print.options.end, bold.m_font,
                    normal.m_font);
    pDC->SelectObject(oldFont);
}

// ---- the header of a trend page ------------------------------------------------------------------------

void CTarluxIIView::DrawPageHeader(const TBLPatientStudy& row, CDC* pDC, int, int H, const CRect& upper)
{
    const int h = Trunc(0.03 * H);
    PrintFont font(Trunc(0.7 * h), FW_NORMAL);
    CFont* oldFont = pDC->SelectObject(&font.m_font);
    pDC->SetBkMode(TRANSPARENT);
    const int third = upper.Width() / 3;
    const auto cell = [&](int line, int column) {
        const int top = Trunc(0.05 * H) + line * h;
        return CRect(upper.left + column * third, top, upper.left + (column + 1) * third, top + h);
    };
    CString text;
    text.Format("%s(%s) : %s(%s %s)", KTGF::GetString(IDS_ID).GetString(), KTGF::GetString(IDS_NAME).GetString(),
                row.S_ID.GetString(), row.P_FIRST_NAME.GetString(), row.P_LAST_NAME.GetString());
    DrawCell(pDC, cell(0, 0), text, DT_LEFT, false);
    if (HasDate(row.P_EDC))
        text.Format("%s : %s", KTGF::GetString(IDS_EDC).GetString(), row.P_EDC.Format("%Y-%m-%d").GetString());
    else
        text.Format("%s :", KTGF::GetString(IDS_EDC).GetString());
    DrawCell(pDC, cell(0, 1), text, DT_LEFT, false);
    text.Format("%s/%s : %s/%s", KTGF::GetString(IDS_DOCTOR).GetString(), KTGF::GetString(IDS_NURSE).GetString(),
                UserName(row.S_DOCTOR_ID).GetString(), UserName(row.S_NURSE_ID).GetString());
    DrawCell(pDC, cell(0, 2), text, DT_LEFT, false);

    text.Format("%s : %s", KTGF::GetString(IDS_RECORD_START).GetString(),
                row.S_START_TIME.Format("%Y-%m-%d, %H:%M:%S").GetString());
    DrawCell(pDC, cell(1, 0), text, DT_LEFT, false);
    text.Format("%s : %s", KTGF::GetString(IDS_LENGTH).GetString(), DurationText(m_print.recordCount).GetString());
    DrawCell(pDC, cell(1, 1), text, DT_LEFT, false);
    text.Format("%s : %s", KTGF::GetString(IDS_PRINTED_INTERVAL).GetString(),
                RangeText(m_print.options.start, m_print.options.end).GetString());
    DrawCell(pDC, cell(1, 2), text, DT_LEFT, false);
    pDC->SelectObject(oldFont);
}

} // namespace tarlux

// The review view's picture export: three trend strips under a header, saved as a JPEG file in
// the folder of the medical-record program.
#include "tarlux/view/CTarluxIIView.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/context/CReviewContext.h"
#include "tarlux/print/ReviewExportName.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/trend/ReviewTrendGraph.h"

#include "ktutil/KTGF.h"
#include "nrdata/config/NyraConfig.h"
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/table/TBLPatientStudy.h"
#include "nrdata/trend/TrendRect.h"

#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/gdi/Image.h"
#include "platform/gdi/WindowDCs.h"

namespace tarlux {
namespace {

// The caption of the boxes about exported pictures.
constexpr char kPictureCaption[] = "Tarvic II";
// The strips: the header's height, the paper's shares and bottom margin, its grid columns.
constexpr int kHeaderHeight = 130;
constexpr int kStripBase = 120;
constexpr double kUpperShare = 0.72;
constexpr double kLowerShare = 0.25;
constexpr int kStripBottomMargin = 60;
constexpr UINT kStripColumns = 60;
constexpr int kStrips = 3;
// The header's texts: left column, the name's column, the margin of the right column, and lines.
constexpr int kHeaderLeft = 130;
constexpr int kHeaderName = 500;
constexpr int kHeaderRightMargin = 130;
constexpr int kHeaderLine1 = 20;
constexpr int kHeaderLine2 = 70;
constexpr int kHeaderFontHeight = 30;

} // namespace

int CTarluxIIView::DrawExportPage(CReviewContext* context, CDC* pDC, int width, int height)
{
    TBLPatientStudy row;
    if (!context || !pDC || !context->LoadStudyRow(row))
        return 0;
    pDC->FillSolidRect(CRect(0, 0, width, height), static_cast<COLORREF>(ReviewConfig().GraphBackground));
    DrawExportHeader(context, pDC, width);
    const int strip = (height - kStripBase) / kStrips;
    int first = context->GetReader().GetShownFirst();
    for (int s = 0; s < kStrips; ++s) {
        const CRect area(0, kHeaderHeight + s * strip, width, kHeaderHeight + (s + 1) * strip);
        CRect upper;
        CRect lower;
        UINT columns = kStripColumns;
        nrdata::trend::GetTrendRect(area, upper, lower, kUpperShare, kLowerShare, CRect(0, 0, 0, kStripBottomMargin),
                                    columns);
        // The renderer moves `first` on by one strip, so the next strip goes on from there.
        DrawTrendGraph(pDC, upper, lower, columns, &first, -1, ReviewConfig().ReviewTrendSpeed, DRAW_IMAGE,
                       row.S_START_TIME);
    }
    return 1;
}

void CTarluxIIView::DrawExportHeader(CReviewContext* context, CDC* pDC, int width)
{
    TBLPatientStudy row;
    if (!context || !pDC || !context->LoadStudyRow(row))
        return;
    CFont font;
    font.CreateFont(kHeaderFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(static_cast<COLORREF>(ReviewConfig().GraphText));
    const auto right = [&](int y, const CString& text) {
        pDC->TextOut(width - kHeaderRightMargin - pDC->GetTextExtent(text).cx, y, text);
    };
    CString text;
    text.Format("%s : %s", KTGF::GetString(IDS_ID).GetString(), row.S_ID.GetString());
    pDC->TextOut(kHeaderLeft, kHeaderLine1, text);
    text.Format("%s : %s %s", KTGF::GetString(IDS_NAME).GetString(), row.P_LAST_NAME.GetString(),
                row.P_FIRST_NAME.GetString());
    pDC->TextOut(kHeaderName, kHeaderLine1, text);
    text.Format("%s : %s", KTGF::GetString(IDS_TREND_SPEED).GetString(),
                NRConstMap::GetMapTextByConst(NRConstMap::CMAP_TREND_SPEED, ReviewConfig().ReviewTrendSpeed).GetString());
    right(kHeaderLine1, text);
    text.Format("%s : %s", KTGF::GetString(IDS_RECORD_START).GetString(),
                row.S_START_TIME.Format("%Y-%m-%d %H:%M:%S").GetString());
    pDC->TextOut(kHeaderLeft, kHeaderLine2, text);
    text.Format("%s : %s", KTGF::GetString(IDS_CURRENT_DATE).GetString(),
                COleDateTime::GetCurrentTime().Format("%Y-%m-%d %H:%M:%S").GetString());
    right(kHeaderLine2, text);
    pDC->SelectObject(oldFont);
}

CString CTarluxIIView::ExportImage()
{
    if (!CReviewContext::HasInstance())
        return CString();
    CReviewContext* context = CReviewContext::GetInstance();
    TBLPatientStudy row;
    if (!context->GetReader().IsLoaded() || !context->LoadStudyRow(row))
        return CString();

    CClientDC screen(this);
    CDC mem;
    if (!mem.CreateCompatibleDC(&screen)) {
        ::MessageBox(GetSafeHwnd(), "Error: CreateCompatibleDC()", kProgramName, MB_OK);
        return CString();
    }
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&screen, kExportWidth, kExportHeight)) {
        ::MessageBox(GetSafeHwnd(), "Error: CreateCompatibleBitmap()", kProgramName, MB_OK);
        return CString();
    }
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    DrawExportPage(context, &mem, kExportWidth, kExportHeight);
    mem.SelectObject(oldBitmap);

    // The folder is neither tested nor made: a wrong one is told when the save fails.
    CString path = ReviewConfig().EMRDataPath;
    KTGF::AddPathSep(path);
    path += ExportImageFileName(row.P_ID, row.P_LAST_NAME, row.P_FIRST_NAME, COleDateTime::GetCurrentTime());
    platform::Image image;
    if (!image.FromBitmap(static_cast<HBITMAP>(bitmap))) {
        ::MessageBox(GetSafeHwnd(), "Error: CreateFromHBITMAP()", kPictureCaption, MB_OK | MB_ICONERROR);
        return CString();
    }
    CString text;
    if (image.SaveJpeg(path)) {
        text.Format("%s\n(%s)", KTGF::GetString(IDS_FILE_SAVED).GetString(), path.GetString());
        ::MessageBox(GetSafeHwnd(), text, kPictureCaption, MB_OK);
        return path;
    }
    text.Format("%s\n(%s)", KTGF::GetString(IDS_JPG_NOT_CREATED).GetString(), path.GetString());
    ::MessageBox(GetSafeHwnd(), text, kPictureCaption, MB_OK | MB_ICONERROR);
    return CString();
}

void CTarluxIIView::OnReviewImage() { ExportImage(); }

} // namespace tarlux

// The trend report page: header lines and three consecutive trend strips.
#include "nyraclient/display/TrendReportPage.h"

#include "nyraclient/display/CDisplayInfo.h"
#include "nyraclient/res/NyraClientStrings.h"

#include "ktutil/KTGF.h"
#include "nrdata/constmap/NRConstMap.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/table/TBLPatient.h"
#include "platform/gdi/CDC.h"

namespace nyraclient::display {
namespace {

constexpr int kHeaderFontHeight = 30;
constexpr int kHeaderLeft = 130;    // left texts start here; right texts end this far from the edge
constexpr int kNameLeft = 500;
constexpr int kLine1 = 20;
constexpr int kLine2 = 70;
constexpr int kStripsTop = 130;
constexpr int kHeaderReserve = 120; // taken from the height before it is split into strips
constexpr int kStrips = 3;
constexpr int kStripBottomMargin = 60; // room for the time labels under each strip
constexpr UINT kFirstColumns = 60;
constexpr const char* kDateTimeFormat = "%Y-%m-%d %H:%M:%S";

CString Labelled(UINT labelId, const CString& value)
{
    return FormatString("%s : %s", static_cast<const char*>(KTGF::GetString(labelId)), static_cast<const char*>(value));
}

void TextEndingAt(CDC* dc, int right, int y, const CString& text)
{
    dc->TextOut(right - dc->GetTextExtent(text).cx, y, text);
}

} // namespace

TrendReportPatient ReportPatientOf(const TBLPatientRow* admitted, const PKPatient_v110& packet)
{
    if (admitted)
        return { admitted->P_ID, { admitted->P_FIRST_NAME, admitted->P_LAST_NAME } };
    return { packet.GetPatientId(), { packet.GetLastName(), packet.GetFirstName() } };
}

void DrawJPGHeader(CDC* dc, int width, const CTrendReportSource& source, const COleDateTime& now)
{
    if (!dc || !dc->GetSafeHdc())
        return;
    CFont font;
    font.CreateFont(kHeaderFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 2, 1, 0, 0, "Arial");
    CFont* previous = dc->SelectObject(&font);

    const TrendReportPatient patient = source.GetReportPatient();
    const NyraConfig cfg = source.GetTrendConfig();
    const int right = width - kHeaderLeft;
    dc->TextOut(kHeaderLeft, kLine1, Labelled(IDS_ID, patient.id));
    dc->TextOut(kNameLeft, kLine1,
                Labelled(IDS_NAME, FormatString("%s %s", static_cast<const char*>(patient.names[0]),
                                                       static_cast<const char*>(patient.names[1]))));
    TextEndingAt(dc, right, kLine1,
                 Labelled(IDS_REPORT_SPEED, NRConstMap::GetMapTextByConst(NRConstMap::CMAP_TREND_SPEED, cfg.TrendSpeed)));
    dc->TextOut(kHeaderLeft, kLine2, Labelled(IDS_RECORD_START, source.GetStartTimeOfTrend().Format(kDateTimeFormat)));
    TextEndingAt(dc, right, kLine2, Labelled(IDS_CURRENT_DATE, now.Format(kDateTimeFormat)));

    dc->SelectObject(previous);
}

int DrawTrendDataAtJPG(CDC* dc, int width, int height, const CTrendReportSource& source)
{
    if (!dc || !dc->GetSafeHdc())
        return 0;
    // The page is white whatever the screen's background: the image colours (black grid and
    // labels, coloured curves) are made for white paper.
    dc->FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    DrawJPGHeader(dc, width, source, COleDateTime::GetCurrentTime());

    UINT first = source.GetReportFirstIndex();
    const int speed = source.GetTrendConfig().TrendSpeed;
    const int stripHeight = (height - kHeaderReserve) / kStrips;
    UINT columns = kFirstColumns;
    for (int i = 0; i < kStrips; ++i) {
        const CRect strip(0, kStripsTop + i * stripHeight, width, kStripsTop + (i + 1) * stripHeight);
        CRect fhr, uc;
        CDisplayInfo::GetTrendRect(strip, fhr, uc, 0.72, 0.25, CRect(0, 0, 0, kStripBottomMargin), columns);
        CDisplayInfo::DrawTrendGraph(dc, fhr, uc, columns, &source, first, -1, speed, DRAW_IMAGE, 1, TREND_DRAW_ALL);
    }
    return 1;
}

} // namespace nyraclient::display

// The trend print dialog the review view asks.
#include "tarlux/view/ReviewPrint.h"

#include "appcommon/CTrendPrintDlg.h"

#include "platform/msg/WindowApi.h"

namespace tarlux {
namespace {

ReviewPrintChooser& Chooser()
{
    static ReviewPrintChooser chooser;
    return chooser;
}

// The program's own dialog: the shared trend print dialog from the review station's template.
bool RunTrendPrintDialog(TrendPrintChoice& choice)
{
    CTrendPrintDlg dialog(kReviewTrendPrintTemplate, CWnd::FromHandle(::GetActiveWindow()));
    dialog.SetPrintInfo(choice.printAll, choice.printCover, choice.printTrend, choice.trendSpeed, choice.start,
                        choice.end, choice.minimum, choice.maximum);
    if (dialog.DoModal() != IDOK)
        return false;
    choice.printAll = dialog.IsPrintAll();
    choice.printCover = dialog.IsPrintCover();
    choice.printTrend = dialog.IsPrintTrend();
    choice.trendSpeed = dialog.GetTrendSpeed();
    choice.start = dialog.GetStartTime();
    choice.end = dialog.GetEndTime();
    return true;
}

} // namespace

void SetReviewPrintChooser(ReviewPrintChooser chooser) { Chooser() = std::move(chooser); }

bool ChooseTrendPrint(TrendPrintChoice& choice)
{
    if (Chooser())
        return Chooser()(choice);
    return RunTrendPrintDialog(choice);
}

} // namespace tarlux

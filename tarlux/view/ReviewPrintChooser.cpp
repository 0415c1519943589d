// The trend print dialog the review view asks.
#include "tarlux/view/ReviewPrint.h"

namespace tarlux {
namespace {

ReviewPrintChooser& Chooser()
{
    static ReviewPrintChooser chooser;
    return chooser;
}

// The program's own dialog: the shared trend print dialog is not in this build yet, so nothing
// is chosen and nothing is printed.
bool RunTrendPrintDialog(TrendPrintChoice&) { return false; }

} // namespace

void SetReviewPrintChooser(ReviewPrintChooser chooser) { Chooser() = std::move(chooser); }

bool ChooseTrendPrint(TrendPrintChoice& choice)
{
    if (Chooser())
        return Chooser()(choice);
    return RunTrendPrintDialog(choice);
}

} // namespace tarlux

// What the review view's printing keeps between the print dialog and the last printed page,
// and the choice the trend print dialog hands back. The dialog itself is reached through one
// function (ReviewPrintChooser), so that the print path is the same whichever dialog answers.
#pragma once

#include "tarlux/print/TrendPrintLayout.h"

#include "platform/core/Geometry.h"
#include "platform/core/OleDateTime.h"

#include <functional>

namespace tarlux {

// The trend print dialog's fields, in minutes.
struct TrendPrintChoice
{
    int printAll { 0 };
    int printCover { 1 };
    int printTrend { 1 };
    int trendSpeed { 3 };
    int start { 0 };
    int end { 0 };
    int minimum { 0 };
    int maximum { 0 };
};

// Shows the trend print dialog filled with `choice`; true (and the choice updated) on OK.
using ReviewPrintChooser = std::function<bool(TrendPrintChoice& choice)>;
// The chooser the view uses; null restores the program's own dialog.
void SetReviewPrintChooser(ReviewPrintChooser chooser);
bool ChooseTrendPrint(TrendPrintChoice& choice);

struct ReviewPrintState
{
    TrendPrintOptions options; // records: start, end (exclusive), speed, cover and graph flags
    COleDateTime printTime;
    int recordCount { 0 };
    int pageWidth { 0 };
    int pageHeight { 0 };
    CRect upper { 0, 0, 0, 0 };
    CRect lower { 0, 0, 0, 0 };
    UINT columns { 0 };
    int recordsPerPage { 0 };
};

} // namespace tarlux

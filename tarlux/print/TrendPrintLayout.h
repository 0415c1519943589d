// How a printed trend is cut into pages. A graph page shows a fixed number of records (one a
// second) chosen by the page's grid columns and the trend speed; the pages tile the printed
// range exactly: each page's end is exclusive and the next page starts there, so no second is
// lost or printed twice at a page boundary. An optional cover page comes first.
#pragma once

namespace tarlux {

struct TrendPrintOptions
{
    int start = 0;        // first record printed
    int end = 0;          // one past the last record printed
    int trendSpeed = 3;   // 1-3 ("10mm/min" to "30mm/min")
    bool printCover = true;
    bool printGraph = true;
};

// The records one graph page shows: columns / k minutes with k = 2, 4, 6 for speed 1, 2, 3;
// 0 for a speed outside 1-3 or no columns.
int TrendRecordsPerPage(int columns, int trendSpeed);

// The pages of the job: the graph pages (when printed) plus the cover (when printed).
int TrendPrintPageCount(const TrendPrintOptions& options, int recordsPerPage);

// The records [first, last) of graph page `graphPage` (counted from 0).
struct TrendPageRange
{
    int first = 0;
    int last = 0;
};
TrendPageRange TrendGraphPageRange(const TrendPrintOptions& options, int recordsPerPage, int graphPage);

// Which graph page a printed page p (counted from 1) is: -1 for the cover page or a page
// beyond the job.
int TrendGraphPageOf(const TrendPrintOptions& options, int recordsPerPage, int page);

} // namespace tarlux

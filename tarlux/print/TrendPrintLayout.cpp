// Cutting a printed trend into pages.
#include "tarlux/print/TrendPrintLayout.h"

namespace tarlux {

int TrendRecordsPerPage(int columns, int trendSpeed)
{
    if (columns <= 0 || trendSpeed < 1 || trendSpeed > 3)
        return 0;
    const int k = 2 * trendSpeed;
    return static_cast<int>(static_cast<double>(columns) / k * 60.0);
}

int TrendPrintPageCount(const TrendPrintOptions& options, int recordsPerPage)
{
    int pages = 0;
    const int length = options.end - options.start;
    if (options.printGraph && recordsPerPage > 0 && length > 0)
        pages = (length + recordsPerPage - 1) / recordsPerPage;
    return pages + (options.printCover ? 1 : 0);
}

TrendPageRange TrendGraphPageRange(const TrendPrintOptions& options, int recordsPerPage, int graphPage)
{
    TrendPageRange range;
    if (recordsPerPage <= 0 || graphPage < 0)
        return range;
    range.first = options.start + recordsPerPage * graphPage;
    range.last = range.first + recordsPerPage;
    if (range.last > options.end)
        range.last = options.end;
    if (range.first > range.last)
        range.first = range.last;
    return range;
}

int TrendGraphPageOf(const TrendPrintOptions& options, int recordsPerPage, int page)
{
    const int pages = TrendPrintPageCount(options, recordsPerPage);
    if (page < 1 || page > pages)
        return -1;
    if (options.printCover)
        return page == 1 ? -1 : page - 2;
    return page - 1;
}

} // namespace tarlux

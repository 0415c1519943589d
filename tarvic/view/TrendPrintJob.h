// The state of one printed trend, from the print dialog's OK to the end of the job: the bed,
// what the user chose, the page plan once the printer's page is known, and what the pages
// report (the time the job began and the bed's trend length then).
#pragma once

#include "tarvic/view/TrendPrintPlan.h"

#include "platform/core/OleDateTime.h"

#include <optional>

class NyraClientInfo;

namespace tarvic {

struct TrendPrintJob
{
    NyraClientInfo* client { nullptr };
    TrendPrintChoice choice;
    std::optional<TrendPrintPlan> plan;
    COleDateTime started;
    UINT trendCount { 0 };
};

} // namespace tarvic

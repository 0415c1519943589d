// The trend report page of a bed for a JPEG capture: a two-line header (patient, trend speed,
// start of the trend, the current date) and the bed's trend in three strips one below the
// other, continuing from the first entry the bed window shows. The central station draws it
// into a memory DC and saves the picture for the outside medical-record program.
#pragma once

#include "nrdata/trend/CTrendSource.h"

#include "platform/core/CString.h"
#include "platform/core/OleDateTime.h"

class CDC;
class PKPatient_v110;
struct TBLPatientRow;

namespace nyraclient::display {

// The patient the header names: the id and the two names in the order they are shown.
struct TrendReportPatient
{
    CString id;
    CString names[2];
};

// An admitted bed shows its admitted record, first name first; any other bed the monitor's
// patient packet, last name first.
TrendReportPatient ReportPatientOf(const TBLPatientRow* admitted, const PKPatient_v110& packet);

// What the page reads beyond the trend itself.
class CTrendReportSource : public nrdata::trend::CTrendSource
{
public:
    virtual TrendReportPatient GetReportPatient() const = 0;
    // The first entry the bed window shows (the enlarged window's, else the tile's); 0 when the
    // bed has no window.
    virtual UINT GetReportFirstIndex() const = 0;
};

// Draws the page into (0, 0, width, height): 0 (nothing drawn) when the DC has no handle.
int DrawTrendDataAtJPG(CDC* dc, int width, int height, const CTrendReportSource& source);
// The header lines alone; text colour and background mode are the caller's. `now` is the
// date the second line shows.
void DrawJPGHeader(CDC* dc, int width, const CTrendReportSource& source, const COleDateTime& now);

} // namespace nyraclient::display

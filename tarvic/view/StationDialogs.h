// The dialogs that the station's commands open, behind one seam: the admission, bed settings,
// trend print and trend visibility dialogs of a bed, the capture of a bed's trend image, and the
// patient manager and configuration. Tests put their own openers in.
//
// A per-bed opener shows its dialog through CTarvicIIView::RunBedDialog, so that the view knows
// which dialog belongs to which bed and can end it when that bed disconnects.
#pragma once

#include "platform/core/Types.h"

#include <functional>

class CTarvicIIView;
class NyraClientInfo;

struct StationDialogs
{
    // Per-bed dialogs: IDOK or IDCANCEL.
    using BedDialog = std::function<INT_PTR(CTarvicIIView&, NyraClientInfo&)>;
    using StationDialog = std::function<void(CTarvicIIView&)>;

    BedDialog admitPatient;
    BedDialog clientSetting;
    BedDialog trendVisible;
    BedDialog trendPrint;
    // Saves the bed's trend image and starts the medical-record program.
    BedDialog capture;
    StationDialog patientManager;
    StationDialog configuration;

    // The station's own dialogs.
    static StationDialogs Standard();
};

// The station's own dialog openers.
#include "tarvic/view/StationDialogs.h"

#include "tarvic/dialogs/BedDialogOpeners.h"
#include "tarvic/dialogs/CConfigurationDlg.h"
#include "tarvic/dialogs/CPatientManagerDlg.h"
#include "tarvic/dialogs/TrendDialogOpeners.h"
#include "tarvic/view/CTarvicIIView.h"

StationDialogs StationDialogs::Standard()
{
    // ---- the admission dialog and the bed settings sheet ----
    StationDialogs::BedDialog admitPatient = tarvic::bed::OpenAdmitPatient;
    StationDialogs::BedDialog clientSetting = tarvic::bed::OpenClientSetting;
    // ---- a bed's trend: visibility, printing, capture ----
    StationDialogs::BedDialog trendVisible = tarvic::bed::OpenTrendVisible;
    StationDialogs::BedDialog trendPrint = tarvic::bed::OpenTrendPrint;
    StationDialogs::BedDialog capture = tarvic::bed::OpenCapture;
    // ---- the patient manager ----
    StationDialogs::StationDialog patientManager = [](CTarvicIIView& view) {
        tarvic::records::OpenPatientManager(&view, &view.GetClientManager());
    };
    // ---- the configuration ----
    StationDialogs::StationDialog configuration = tarvic::config::OpenConfiguration;
    return {admitPatient, clientSetting, trendVisible, trendPrint, capture, patientManager, configuration};
}

// The openers of this version: those whose dialog is not built yet say that their function is
// not available.
#include "tarvic/view/StationDialogs.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/dialogs/BedDialogOpeners.h"
#include "tarvic/dialogs/CConfigurationDlg.h"
#include "tarvic/dialogs/CPatientManagerDlg.h"
#include "tarvic/dialogs/TrendDialogOpeners.h"
#include "tarvic/view/CTarvicIIView.h"
#include "tarvic/res/TarvicResourceIds.h"

StationDialogs StationDialogs::NotAvailable()
{
    auto tell = [] { tarvic::StationMessageBox(tarvic::IDS_NOT_AVAILABLE, MB_OK | MB_ICONINFORMATION); };
    auto station = [tell](CTarvicIIView&) { tell(); };
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

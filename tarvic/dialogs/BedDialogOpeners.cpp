// The per-bed dialogs' openers.
#include "tarvic/dialogs/BedDialogOpeners.h"

#include "tarvic/dialogs/CAdmitPatientDlg.h"
#include "tarvic/dialogs/CClientSettingDlg.h"
#include "tarvic/view/CTarvicIIView.h"

namespace tarvic::bed {

INT_PTR OpenAdmitPatient(CTarvicIIView& view, NyraClientInfo& client)
{
    CAdmitPatientDlg dialog(&client, &view.GetClientManager(), &view,
                            [&view] { return view.IsBedDialogClientGone() != FALSE; });
    return view.RunBedDialog(dialog, &client);
}

INT_PTR OpenClientSetting(CTarvicIIView& view, NyraClientInfo& client)
{
    CClientSettingDlg dialog(&client, &view, [&view] { return view.IsBedDialogClientGone() != FALSE; });
    return view.RunBedDialog(dialog, &client);
}

} // namespace tarvic::bed

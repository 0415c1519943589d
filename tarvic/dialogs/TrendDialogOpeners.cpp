// The openers of a bed's trend functions.
#include "tarvic/dialogs/TrendDialogOpeners.h"

#include "tarvic/dialogs/CTrendVisibleDlg.h"
#include "tarvic/view/CTarvicIIView.h"

namespace tarvic::bed {

INT_PTR OpenTrendVisible(CTarvicIIView& view, NyraClientInfo& client)
{
    CTrendVisibleDlg dialog(&view, [&view] { return view.IsBedDialogClientGone() != FALSE; });
    dialog.SetClientInfo(&client);
    return view.RunBedDialog(dialog, &client);
}

INT_PTR OpenTrendPrint(CTarvicIIView& view, NyraClientInfo& client) { return view.PrintTrend(&client); }

INT_PTR OpenCapture(CTarvicIIView& view, NyraClientInfo& client) { return view.CaptureTrend(&client); }

} // namespace tarvic::bed

// The openers of the per-bed dialogs built here: the admission dialog and the bed settings
// sheet. Each runs its dialog through CTarvicIIView::RunBedDialog, so that the view can end it
// when the bed disconnects; a dialog that waits asks the view whether its bed is gone.
#pragma once

#include "platform/core/Types.h"

class CTarvicIIView;
class NyraClientInfo;

namespace tarvic::bed {

INT_PTR OpenAdmitPatient(CTarvicIIView& view, NyraClientInfo& client);
INT_PTR OpenClientSetting(CTarvicIIView& view, NyraClientInfo& client);

} // namespace tarvic::bed

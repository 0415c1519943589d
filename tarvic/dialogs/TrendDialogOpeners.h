// The openers of a bed's trend functions: the trend visibility dialog, printing the trend and
// capturing its image. The dialogs run through CTarvicIIView::RunBedDialog, so that the view can
// end them when the bed disconnects.
#pragma once

#include "platform/core/Types.h"

class CTarvicIIView;
class NyraClientInfo;

namespace tarvic::bed {

INT_PTR OpenTrendVisible(CTarvicIIView& view, NyraClientInfo& client);
INT_PTR OpenTrendPrint(CTarvicIIView& view, NyraClientInfo& client);
INT_PTR OpenCapture(CTarvicIIView& view, NyraClientInfo& client);

} // namespace tarvic::bed

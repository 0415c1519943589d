// The central station's message boxes: a text of the string table under the station's caption
// ("Tarvic II", or another caption of the table), owned by the main window when there is one.
#pragma once

#include "platform/core/CString.h"
#include "platform/msg/Messages.h"

namespace tarvic {

// A text of the string table (empty when the table lacks it).
CString LoadText(UINT id);
// Shows `text` with `type` (buttons and icon) under the caption of string `captionId`; returns
// the answer.
int StationMessageBox(LPCTSTR text, UINT type, UINT captionId = 0);
int StationMessageBox(UINT textId, UINT type, UINT captionId = 0);

} // namespace tarvic

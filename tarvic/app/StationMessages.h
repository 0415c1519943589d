// The central station's message boxes: a text of the string table under the station's caption
// ("Tarvic II", or another caption of the table), owned by the main window when there is one.
#pragma once

#include "nrdata/table/TBLPatient.h"

#include "platform/core/CString.h"
#include "platform/msg/Messages.h"

#include <initializer_list>

namespace tarvic {

// A text of the string table (empty when the table lacks it).
CString LoadText(UINT id);
// A text of the string table with "%1", "%2" ... replaced by the values in turn. The text is
// never used as a printf format, so a language module's text cannot read values that are not
// there; a number it names without a value stays as it is.
CString FormatText(UINT id, std::initializer_list<LPCTSTR> values);
// How messages name a patient: "Anna Berg (P-0001)", or the id alone without a name.
CString PatientText(const TBLPatientRow& patient);
// Shows `text` with `type` (buttons and icon) under the caption of string `captionId`; returns
// the answer.
int StationMessageBox(LPCTSTR text, UINT type, UINT captionId = 0);
int StationMessageBox(UINT textId, UINT type, UINT captionId = 0);

} // namespace tarvic

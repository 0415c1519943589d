// The trend print dialog's two templates (the central station's and the review
// station's), registered with the program that links the dialog.
#pragma once

namespace appcommon {

// Called by the dialog, so that a program that uses it links its resources too.
void UseTrendPrintResources();

} // namespace appcommon

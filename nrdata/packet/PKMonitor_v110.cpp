// PKMonitor_v110: the software version text.
#include "nrdata/packet/PKMonitor_v110.h"

CString PKMonitor_v110::GetVersionToSting() const
{
    return FormatString("%d.%d", GetByte(kOffVersionMain), GetByte(kOffVersionSub));
}

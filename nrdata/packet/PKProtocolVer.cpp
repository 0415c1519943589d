// PKProtocolVer: version bytes and their text.
#include "nrdata/packet/PKProtocolVer.h"

void PKProtocolVer::SetVersion(int main, int sub)
{
    SetByte(kOffMainVersion, LOBYTE(static_cast<unsigned>(main)));
    SetByte(kOffSubVersion, LOBYTE(static_cast<unsigned>(sub)));
}

CString PKProtocolVer::GetVersionToString() const
{
    return FormatString("%d.%d", GetMainVersion(), GetSubVersion());
}

bool PKProtocolVer::IsMachedVersion(int main, int sub) const
{
    return GetMainVersion() == main && GetSubVersion() == sub;
}

// The station's own switches; everything else goes to the framework's parser.
#include "tarvic/app/CTarvicCommandLineInfo.h"

#include "tarvic/app/StationGlobals.h"

#include <cstdlib>
#include <cstring>

namespace tarvic {

BOOL ParsePorts(LPCTSTR text, UINT& monitorPort, UINT& viewerPort)
{
    if (text == nullptr)
        return FALSE;
    char* end = nullptr;
    const long monitor = std::strtol(text, &end, 10);
    if (end == text || *end != ',')
        return FALSE;
    const char* second = end + 1;
    const long viewer = std::strtol(second, &end, 10);
    if (end == second || *end != '\0' || monitor < 0 || monitor > 65535 || viewer < 0 || viewer > 65535)
        return FALSE;
    monitorPort = UINT(monitor);
    viewerPort = UINT(viewer);
    return TRUE;
}

void CTarvicCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (pszParam == nullptr)
        return;
    if (m_expect != Expect::Nothing) {
        // The framework takes an absolute path ("/tmp/x.png") for a switch: it gets its "/" back.
        const CString value = bFlag ? CString("/") + pszParam : CString(pszParam);
        if (m_expect == Expect::Ports && !ParsePorts(value, Options().monitorPort, Options().viewerPort))
            m_bInvalid = TRUE;
        if (m_expect == Expect::Screenshot)
            Options().screenshotPath = value;
        m_expect = Expect::Nothing;
        return;
    }
    // "--ports" reaches here as the flag "-ports".
    const char* name = bFlag && pszParam[0] == '-' ? pszParam + 1 : pszParam;
    if (bFlag && std::strcmp(name, "ports") == 0) {
        m_expect = Expect::Ports;
    } else if (bFlag && std::strcmp(name, "screenshot") == 0) {
        m_expect = Expect::Screenshot;
    } else {
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
        return;
    }
    if (bLast)
        m_bInvalid = TRUE;
}

} // namespace tarvic

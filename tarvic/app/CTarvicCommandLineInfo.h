// The central station's command line: the framework's switches, and two of its own for running
// it beside other stations and without a display:
//   --ports MONITOR,VIEWER   listen for monitors and viewing stations on these ports
//   --screenshot FILE        leave a PNG of the main window there when the station ends
#pragma once

#include "platform/ui/framework/CommandLineInfo.h"

namespace tarvic {

class CTarvicCommandLineInfo : public CCommandLineInfo
{
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    // Set when a switch lacked its value or a value was not understood.
    BOOL m_bInvalid{FALSE};

private:
    enum class Expect
    {
        Nothing,
        Ports,
        Screenshot
    };
    Expect m_expect{Expect::Nothing};
};

// "5000,5100" into the two ports; FALSE (and nothing changed) for anything else.
BOOL ParsePorts(LPCTSTR text, UINT& monitorPort, UINT& viewerPort);

} // namespace tarvic

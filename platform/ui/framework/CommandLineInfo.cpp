// CCommandLineInfo: the classic switches.
#include "platform/ui/framework/CommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (!pszParam)
        return;
    if (bFlag)
        ParseFlag(pszParam);
    else
        ParseFile(pszParam);
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}

void CCommandLineInfo::ParseFlag(const char* flag)
{
    CString f(flag);
    if (f.CompareNoCase("p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (f.CompareNoCase("pt") == 0) {
        m_nShellCommand = FilePrintTo;
        m_printToArgumentsLeft = 4; // file, printer, driver, port
    } else if (f.CompareNoCase("dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (f.CompareNoCase("Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (f.CompareNoCase("Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (f.CompareNoCase("Unregister") == 0 || f.CompareNoCase("Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (f.CompareNoCase("Register") == 0 || f.CompareNoCase("Regserver") == 0) {
        m_nShellCommand = AppRegister;
    }
}

void CCommandLineInfo::ParseFile(const char* param)
{
    if (m_printToArgumentsLeft > 0) {
        switch (m_printToArgumentsLeft--) {
        case 4: m_strFileName = param; break;
        case 3: m_strPrinterName = param; break;
        case 2: m_strDriverName = param; break;
        default: m_strPortName = param; break;
        }
        return;
    }
    if (m_strFileName.IsEmpty())
        m_strFileName = param;
}

// CCommandLineInfo: what the classic command-line switches ask the program to do at start-up.
// CWinApp::ParseCommandLine feeds it one argument at a time; ProcessShellCommand acts on it.
//   (none)            FileNew          a file name      FileOpen
//   /p file           FilePrint        /pt file printer driver port   FilePrintTo
//   /dde              FileDDE          /Automation, /Embedding        run as a server
//   /Unregister, /Unregserver          AppUnregister
// Switches start with "/" or "-" and compare without case.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Object.h"

class CCommandLineInfo : public CObject
{
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 };

    // One argument: `param` without its switch character when `bFlag`; `bLast` for the last one.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash { TRUE };
    BOOL m_bRunEmbedded { FALSE };
    BOOL m_bRunAutomated { FALSE };
    int m_nShellCommand { FileNew };
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

private:
    void ParseFlag(const char* flag);
    void ParseFile(const char* param);
    // How many of the /pt arguments (printer, driver, port) are still to come.
    int m_printToArgumentsLeft { 0 };
};

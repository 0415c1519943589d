// CWinApp: the application object. A program has one, usually a global; its constructor makes it
// the program's application and the main thread's CWinThread. AfxWinMain (called from main)
// hands it the command line, runs InitInstance and then Run, the message loop, whose idle time
// refreshes the command UI of the main window's bars. It is also the last stop of command
// routing (view -> document -> frame -> application) and owns the document templates.
#pragma once

#include "platform/core/Collections.h"
#include "platform/core/WinThread.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/msg/CmdTarget.h"
#include "platform/ui/framework/CommandLineInfo.h"

#include <memory>
#include <string>
#include <vector>

class CDocTemplate;
class CDocument;

class CWinApp : public CWinThread, public CCmdTarget
{
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL InitInstance() override;
    int ExitInstance() override;
    int Run() override;
    // Idle count 0 refreshes the command UI of the main window; TRUE asks for more idle calls.
    BOOL OnIdle(LONG lCount) override;

    // ---- documents ----
    // The application takes ownership of the template.
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void CloseAllDocuments(BOOL bEndSession);

    // ---- command line ----
    // The arguments after the program name, as main got them (AfxWinMain sets them).
    void SetCommandLineArguments(std::vector<std::string> arguments);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Acts on the parsed command line; FALSE when the program should end.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- standard commands ----
    void OnFileNew();
    // The host's open-file dialog, then the document of the chosen file.
    void OnFileOpen();
    // The print dialog in setup mode: the chosen printer and mode serve later print jobs.
    void OnFilePrintSetup();
    void OnAppExit();

    // ---- start-up settings of the classic wizard code ----
    // The registry key under which the program's settings would live; kept for callers.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    // Recent-file lists are not kept: nothing to load.
    void LoadStdProfileSettings(UINT nMaxMRU = 4) { (void)nMaxMRU; }
    // Controls are drawn in the classic 3-D look always.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

    // The printer and mode print setup chose (an empty name: the default queue).
    const CString& GetPrinterName() const { return m_printerName; }
    const DEVMODE& GetPrinterMode() const { return m_printerMode; }
    LPCTSTR m_pszRegistryKey { nullptr };

    LPCTSTR m_pszAppName { nullptr };
    LPCTSTR m_pszExeName { nullptr };
    LPTSTR m_lpCmdLine { nullptr };
    int m_nCmdShow { SW_SHOWNORMAL };

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<std::string> m_arguments;
    CString m_appName;
    CString m_commandLine;
    CString m_registryKey;
    CString m_printerName;
    DEVMODE m_printerMode;
};

// Control containers are not needed here (no embedded controls); kept for start-up code.
inline void AfxEnableControlContainer() {}

// The program's application object, or null.
CWinApp* AfxGetApp();
// The main window of the calling thread (the application's for the main thread).
CWnd* AfxGetMainWnd();
// The program's entry: gives the application its command line, runs InitInstance and, when it
// succeeds, Run; returns the exit code.
int AfxWinMain(int argc, char** argv);

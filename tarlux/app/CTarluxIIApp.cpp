// The review station's start-up.
#include "tarlux/app/CTarluxIIApp.h"

#include "tarlux/app/CMainFrame.h"
#include "tarlux/app/CTarluxIIDoc.h"
#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/app/ReviewLanguage.h"
#include "tarlux/res/TarluxResources.h"
#include "tarlux/view/CTarluxIIView.h"

#include "ktutil/KTInstance.h"
#include "nrdata/config/NyraConfig.h"

#include "platform/sys/TerminationRequest.h"
#include "platform/ui/framework/DocTemplate.h"

#include <cstdio>

using namespace platform::msgmap;

namespace tarlux {
namespace {

constexpr char kRegistryKey[] = "Local AppWizard-Generated Applications";
constexpr UINT kRecentFiles = 4;

} // namespace

CTarluxIIApp::CTarluxIIApp() : CWinApp(kProgramName) {}

const platform::MessageMap* CTarluxIIApp::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CWinApp::OnFileNew>(ID_FILE_NEW),
        Command<&CWinApp::OnFileOpen>(ID_FILE_OPEN),
        Command<&CWinApp::OnFilePrintSetup>(ID_FILE_PRINT_SETUP),
    };
    static constexpr platform::MessageMap kMap { &CWinApp::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CTarluxIIApp::ActivateRunningInstance()
{
    const CString& name = ReviewStartupSettings().instanceName;
    if (!KTInstance::IsInstanceExist(name))
        return FALSE;
    // The second copy ends without a window; it says why where the ward's IT person looks.
    std::fprintf(stderr,
                 "TarluxII: another review station is running (instance \"%s\"); it is brought to the "
                 "front and this start ends.\n",
                 name.GetString());
    // A copy in another process is asked to show and raise its window; one of this process's
    // own windows is brought to the front here.
    if (HWND running = KTInstance::GetInstanceWindow(name)) {
        ::ShowWindow(running, SW_SHOWNORMAL);
        ::SetForegroundWindow(running);
    }
    return TRUE;
}

BOOL CTarluxIIApp::InitInstance()
{
    if (ActivateRunningInstance())
        return FALSE;

    AfxEnableControlContainer();
    Enable3dControls();

    NyraConfig& config = ReviewConfig();
    config.Open(ReviewStartupSettings().iniPath);
    m_hLanguage = LoadReviewLanguage(config, ReviewStartupSettings().programFolder);

    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFiles);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RuntimeClass<CTarluxIIDoc>(), RuntimeClass<CMainFrame>(),
                                          RuntimeClass<CTarluxIIView>()));
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;

    m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
    m_pMainWnd->UpdateWindow();
    const HWND main = m_pMainWnd->GetSafeHwnd();
    // A termination request (SIGTERM, Ctrl-C) closes the program as its Exit button does, so the
    // view, the review context and the database connection end in order.
    platform::SetTerminationHandler([main] {
        if (::IsWindow(main))
            ::PostMessage(main, WM_CLOSE, 0, 0);
    });
    KTInstance::LockInstance(ReviewStartupSettings().instanceName, main);
    return TRUE;
}

int CTarluxIIApp::ExitInstance()
{
    platform::SetTerminationHandler(nullptr);
    return CWinApp::ExitInstance();
}

} // namespace tarlux

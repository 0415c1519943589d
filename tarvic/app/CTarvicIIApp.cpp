// The central station's start-up and exit.
#include "tarvic/app/CTarvicIIApp.h"

#include "tarvic/app/CAboutDlg.h"
#include "tarvic/app/CTarvicCommandLineInfo.h"
#include "tarvic/app/ComRegistration.h"
#include "tarvic/app/CrashDump.h"
#include "tarvic/app/StartUpSteps.h"
#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/doc/CTarvicIIDoc.h"
#include "tarvic/frame/CMainFrame.h"
#include "tarvic/record/RecordingRecovery.h"
#include "tarvic/res/TarvicResourceIds.h"
#include "tarvic/view/CTarvicIIView.h"

#include "ktutil/KTInstance.h"
#include "nyraclient/startup/NyraRunLog.h"

#include "platform/msg/MessageBoxService.h"
#include "platform/net/SocketTypes.h"
#include "platform/sys/SingleInstance.h"
#include "platform/sys/TerminationRequest.h"
#include "platform/ui/framework/DocTemplate.h"

#include <cstdio>

namespace {

constexpr char kRegistryKey[] = "Local AppWizard-Generated Applications";
constexpr UINT kRecentFiles = 4;

constexpr char kLogAnotherStation[] =
    "[ START ] Another central station runs with the name %s; this start ends";
constexpr char kLogNoClaim[] = "[ START ] The name %s cannot be claimed (runtime folder %s); this start ends";

// A second start ends at once; it says why where the ward's IT person looks: on standard error
// and in the run log.
void TellInstanceNotClaimed(const CString& instance)
{
    const std::string folder = platform::InstanceRuntimeFolder();
    if (KTInstance::IsInstanceExist(instance)) {
        std::fprintf(stderr,
                     "TarvicII: another central station is running (instance \"%s\"); it is brought to the "
                     "front and this start ends.\n",
                     instance.GetString());
        RunLog.Log(kLogAnotherStation, instance.GetString());
    } else {
        std::fprintf(stderr, "TarvicII: the instance name \"%s\" cannot be claimed in %s; this start ends.\n",
                     instance.GetString(), folder.c_str());
        RunLog.Log(kLogNoClaim, instance.GetString(), folder.c_str());
    }
}

} // namespace

CTarvicIIApp::CTarvicIIApp() : CWinApp("TarvicII") {}

const platform::MessageMap* CTarvicIIApp::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CTarvicIIApp::OnAppAbout>(ID_APP_ABOUT),
    };
    static constexpr platform::MessageMap kMap{&CWinApp::GetThisMessageMap, kEntries};
    return &kMap;
}

BOOL CTarvicIIApp::InitInstance()
{
    using namespace tarvic;
    if (!AfxSocketInit())
        return FALSE;

    // The instance name is claimed first, so two stations starting together never both run; a
    // second start raises the first and ends.
    const CString instance = Options().instanceName;
    if (!KTInstance::LockInstance(instance, nullptr)) {
        TellInstanceNotClaimed(instance);
        if (HWND window = KTInstance::GetInstanceWindow(instance)) {
            ::ShowWindow(window, SW_SHOWNORMAL);
            ::SetForegroundWindow(window);
        }
        return FALSE;
    }

    m_bCrashDumps = InstallCrashDumpFilter();
    g_Config.Default();
    g_Config.Open(IniPath());
    if (!InitATL())
        return FALSE;
    LoadLanguageResources(g_Config, ProgramFolder());
    // The libraries' message boxes carry the station's caption too.
    platform::msg::SetDefaultMessageBoxCaption(LoadText(IDS_STATION_CAPTION));
    Enable3dControls();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(kRecentFiles);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RuntimeClass<CTarvicIIDoc>(),
                                          RuntimeClass<CMainFrame>(), RuntimeClass<CTarvicIIView>()));

    CTarvicCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (commandLine.m_bInvalid) {
        std::fprintf(stderr, "TarvicII: usage: TarvicII [--ports MONITOR,VIEWER] [--screenshot FILE]\n");
        return FALSE;
    }
    // Started by COM: no window and no database.
    if (commandLine.m_bRunEmbedded || commandLine.m_bRunAutomated)
        return TRUE;
    // Makes the frame, the document and the view (the view's creation and initial update).
    if (!ProcessShellCommand(commandLine))
        return FALSE;

    m_pMainWnd->SetWindowText(LoadText(IDS_MAIN_TITLE));
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();

    m_bStartUpComplete = 1;
    if (CTarvicIIView* view = GetView())
        view->OnStartUpComplete();
    const HWND main = m_pMainWnd->GetSafeHwnd();
    KTInstance::RegWindow(main, instance);
    platform::SetInstanceActivationWindow(static_cast<const char*>(instance), main);
    // A termination request closes the station in order, without asking.
    platform::SetTerminationHandler([main] {
        if (::IsWindow(main))
            ::PostMessage(main, WM_CLOSE, 0, 0);
    });

    const CString dataFolder = PrepareDataFolder(g_Config, IniPath());
    SetDataFolder(dataFolder);
    PrepareDatabaseFile(dataFolder, ProgramFolder());
    ConnectDatabase(g_Database, dataFolder);
    // Before the station handles its first message (only a database box above may have pumped;
    // a recording started meanwhile holds its working file and is left alone). The box comes
    // once the files are done, since it pumps.
    if (CTarvicIIView* view = GetView())
        TellCompletedRecordings(CompleteInterruptedRecordings(g_Database, view->StudyRows(), dataFolder));
    return TRUE;
}

int CTarvicIIApp::ExitInstance()
{
    platform::SetTerminationHandler(nullptr);
    if (m_bCrashDumps) {
        tarvic::RestoreCrashDumpFilter();
        m_bCrashDumps = 0;
    }
    g_Database.Disconnect();
    tarvic::SetDataFolder(CString());
    m_bATLInited = 0;
    m_bStartUpComplete = 0;
    return CWinApp::ExitInstance();
}

BOOL CTarvicIIApp::InitATL()
{
    using tarvic::RegistrationSwitch;
    m_bATLInited = 1;
    switch (tarvic::FindRegistrationSwitch(m_lpCmdLine)) {
    case RegistrationSwitch::Register:
        tarvic::RegisterAppId();
        m_bATLInited = 0;
        return FALSE;
    case RegistrationSwitch::Unregister:
        tarvic::UnregisterAppId();
        m_bATLInited = 0;
        return FALSE;
    case RegistrationSwitch::None:
        break;
    }
    // The station serves no classes: there are no class objects to register.
    return TRUE;
}

void CTarvicIIApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

CMainFrame* CTarvicIIApp::GetMainFrame() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

CTarvicIIView* CTarvicIIApp::GetView() const
{
    CMainFrame* frame = GetMainFrame();
    return frame != nullptr ? dynamic_cast<CTarvicIIView*>(frame->GetActiveView()) : nullptr;
}

namespace tarvic {

CTarvicIIApp* GetStationApp()
{
    return dynamic_cast<CTarvicIIApp*>(AfxGetApp());
}

BOOL IsStartUpComplete()
{
    const CTarvicIIApp* app = GetStationApp();
    return app != nullptr && app->IsStartUpComplete() ? TRUE : FALSE;
}

} // namespace tarvic

// CWinApp: the application object, its message loop with idle command-UI updates, its document
// templates and the start-up command line.
#include "platform/ui/framework/WinApp.h"

#include "platform/core/ResourceModule.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/msg/MessageQueue.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/printing/PrintDialog.h"

#include <filesystem>

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->m_pMainWnd : nullptr;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName)
        m_appName = lpszAppName;
    m_pszAppName = m_appName;
    g_app = this;
    m_bAutoDelete = FALSE;
    platform::SetCurrentThreadObject(this);
}

CWinApp::~CWinApp()
{
    m_templates.clear();
    if (g_app == this)
        g_app = nullptr;
    if (AfxGetThread() == this)
        platform::SetCurrentThreadObject(nullptr);
}

const platform::MessageMap* CWinApp::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Command<&CWinApp::OnFileNew>(ID_FILE_NEW),
        Command<&CWinApp::OnAppExit>(ID_APP_EXIT),
        Command<&CWinApp::OnFileOpen>(ID_FILE_OPEN),
        Command<&CWinApp::OnFilePrintSetup>(ID_FILE_PRINT_SETUP),
    };
    static constexpr platform::MessageMap kMap { &CCmdTarget::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run()
{
    // Without a main window there is nothing to run a loop for.
    if (!m_pMainWnd || !::IsWindow(m_pMainWnd->GetSafeHwnd()))
        return ExitInstance();
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    CWinThread::OnIdle(lCount);
    if (lCount <= 0) {
        CWnd* main = m_pMainWnd;
        if (main && ::IsWindow(main->GetSafeHwnd()) && main->IsWindowVisible()) {
            if (auto* frame = dynamic_cast<CFrameWnd*>(main))
                frame->OnIdleUpdateCmdUI();
        }
    }
    return lCount < 1;
}

// ---- documents ----

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate)
        m_templates.emplace_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    auto index = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
    if (index >= m_templates.size()) {
        pos = nullptr;
        return nullptr;
    }
    pos = index + 1 < m_templates.size() ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(index + 2)) : nullptr;
    return m_templates[index].get();
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_templates.empty() ? nullptr : m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (auto& t : m_templates)
        t->CloseAllDocuments(bEndSession);
}

void CWinApp::OnFileNew()
{
    if (!m_templates.empty())
        m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::OpenFile;
    request.owner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    if (answer.accepted && !answer.paths.empty())
        OpenDocumentFile(answer.paths.front());
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dialog(TRUE);
    *dialog.GetDevMode() = m_printerMode;
    if (dialog.DoModal() != IDOK)
        return;
    m_printerName = dialog.GetPrinterName();
    m_printerMode = *dialog.GetDevMode();
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey ? lpszRegistryKey : "";
    m_pszRegistryKey = m_registryKey;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && ::IsWindow(m_pMainWnd->GetSafeHwnd()))
        m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- command line ----

void CWinApp::SetCommandLineArguments(std::vector<std::string> arguments)
{
    m_arguments = std::move(arguments);
    m_commandLine.Empty();
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        if (i)
            m_commandLine += " ";
        m_commandLine += m_arguments[i].c_str();
    }
    m_lpCmdLine = m_commandLine.GetBuffer(m_commandLine.GetLength());
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (size_t i = 0; i < m_arguments.size(); ++i) {
        const std::string& arg = m_arguments[i];
        bool flag = arg.size() > 1 && (arg[0] == '/' || arg[0] == '-');
        rCmdInfo.ParseParam(flag ? arg.c_str() + 1 : arg.c_str(), flag, i + 1 == m_arguments.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        if (!OpenDocumentFile(rCmdInfo.m_strFileName) || !m_pMainWnd)
            return FALSE;
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE; // printed; the program ends
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
        return FALSE; // nothing to register here
    default: return TRUE;
    }
}

// ---- entry ----

int AfxWinMain(int argc, char** argv)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i] ? argv[i] : "");
    app->SetCommandLineArguments(std::move(arguments));
    static CString exeName;
    if (argc > 0 && argv[0])
        exeName = std::filesystem::path(argv[0]).stem().string().c_str();
    if (!app->m_pszExeName)
        app->m_pszExeName = exeName;
    if (!app->m_pszAppName || !*app->m_pszAppName)
        app->m_pszAppName = app->m_pszExeName;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}

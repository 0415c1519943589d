// The toolbar's commands: pages, display modes, the patient manager, the configuration, the
// review program, the demo bed, full screen and exit.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/app/StationMessages.h"
#include "tarvic/frame/CMainFrame.h"
#include "tarvic/res/TarvicResourceIds.h"

#include "ktutil/KTGF.h"

#include "platform/msg/CmdTarget.h"
#include "platform/sys/Shell.h"
#include "platform/ui/framework/WinApp.h"

namespace {

// The review station beside the central station.
constexpr char kReviewProgram[] = "TarluxII";
// ShellExecute's answers up to this one are failures.
constexpr int kShellFailureMax = 32;

// The display mode of each layout command.
struct DisplayCommand
{
    UINT id;
    int mode;
};
constexpr DisplayCommand kDisplayCommands[] = {
    {tarvic::ID_DISPLAY_1CH, 0}, {tarvic::ID_DISPLAY_2CH, 1},  {tarvic::ID_DISPLAY_4CH, 2},
    {tarvic::ID_DISPLAY_8CH, 3}, {tarvic::ID_DISPLAY_16CH, 4},
};

} // namespace

// ==== pages ======================================================================================

void CTarvicIIView::OnPagePrev()
{
    m_ClientManager.ShowPrevPage();
}

void CTarvicIIView::OnPageNext()
{
    m_ClientManager.ShowNextPage();
}

void CTarvicIIView::OnUpdatePagePrev(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_ClientManager.CanPrev());
}

void CTarvicIIView::OnUpdatePageNext(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_ClientManager.CanNext());
}

// ==== display modes ==============================================================================

void CTarvicIIView::SetDisplayMode(int mode)
{
    m_ClientManager.SetDisplayMode(mode, 1);
}

void CTarvicIIView::OnDisplay1Ch()
{
    SetDisplayMode(0);
}
void CTarvicIIView::OnDisplay2Ch()
{
    SetDisplayMode(1);
}
void CTarvicIIView::OnDisplay4Ch()
{
    SetDisplayMode(2);
}
void CTarvicIIView::OnDisplay8Ch()
{
    SetDisplayMode(3);
}
void CTarvicIIView::OnDisplay16Ch()
{
    SetDisplayMode(4);
}

void CTarvicIIView::OnUpdateDisplayMode(CCmdUI* pCmdUI)
{
    for (const DisplayCommand& command : kDisplayCommands)
        if (command.id == pCmdUI->m_nID)
            pCmdUI->SetCheck(m_ClientManager.GetDisplayMode() == command.mode ? 1 : 0);
}

// ==== dialogs and programs =======================================================================

void CTarvicIIView::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CTarvicIIView::OnPatientManager()
{
    if (!g_Database.IsConnected()) {
        tarvic::StationMessageBox(tarvic::IDS_DATABASE_NOT_FOUND, MB_OK | MB_ICONERROR);
        return;
    }
    m_Dialogs.patientManager(*this);
}

void CTarvicIIView::OnConfiguration()
{
    // A save from the configuration then stores the layout in use.
    g_Config.DisplayMode = m_ClientManager.GetDisplayMode();
    m_Dialogs.configuration(*this);
}

void CTarvicIIView::OnReviewProgram()
{
    const CString program = tarvic::ProgramFile(kReviewProgram);
    const HINSTANCE result = ShellExecute(GetSafeHwnd(), "open", program, nullptr, nullptr, SW_SHOWNORMAL);
    if (platform::ShellResultCode(result) <= kShellFailureMax)
        tarvic::StationMessageBox(tarvic::IDS_REVIEW_NOT_RUN, MB_OK | MB_ICONERROR);
}

void CTarvicIIView::OnDemoBed()
{
    m_ClientManager.AddDemoClient();
}

// ==== the window =================================================================================

void CTarvicIIView::OnFullScreen()
{
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->SetFullScreen(!frame->IsFullScreen());
}

void CTarvicIIView::OnAppExit()
{
    if (tarvic::StationMessageBox(tarvic::IDS_EXIT_PROGRAM, MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(WM_CLOSE, ID_APP_EXIT);
}

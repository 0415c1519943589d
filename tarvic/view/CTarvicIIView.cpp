// The view's life: construction, creation, initial update, painting, size, timers, keys and
// teardown.
#include "tarvic/view/CTarvicIIView.h"

#include "tarvic/app/StationGlobals.h"
#include "tarvic/frame/CMainFrame.h"
#include "tarvic/net/CListenSocket.h"
#include "tarvic/res/TarvicResourceIds.h"
#include "tarvic/serial/CSerialPortManager.h"
#include "tarvic/view/TrendPrintJob.h"

#include "nyraclient/broker/CBrokerServer.h"
#include "nyraclient/client/ClientMessages.h"

#include "ktutil/KTIni.h"

#include "platform/gdi/Image.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/WinApp.h"

namespace {

constexpr char kBackgroundPicture[] = "BG_Image.jpg";
constexpr char kDisplaySection[] = "CENTRAL_DEFAULT";
constexpr char kDisplayModeKey[] = "Display Mode";

} // namespace

const platform::MessageMap* CTarvicIIView::GetThisMessageMap()
{
    using namespace platform::msgmap;
    using namespace tarvic;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_CREATE, &CTarvicIIView::OnCreate>(),
        Message<WM_DESTROY, &CTarvicIIView::OnDestroy>(),
        Message<WM_ERASEBKGND, &CTarvicIIView::OnEraseBkgnd>(),
        Message<WM_SIZE, &CTarvicIIView::OnSize>(),
        Message<WM_TIMER, &CTarvicIIView::OnTimer>(),
        Message<WM_CLIENT_NOTIFY, &CTarvicIIView::OnClientNotify>(),
        Message<WM_MONITOR_ACCEPT, &CTarvicIIView::OnMonitorAccept>(),
        Message<WM_VIEWER_ACCEPT, &CTarvicIIView::OnViewerAccept>(),
        Command<&CTarvicIIView::OnPagePrev>(ID_PAGE_PREV),
        UpdateUI<&CTarvicIIView::OnUpdatePagePrev>(ID_PAGE_PREV),
        Command<&CTarvicIIView::OnPageNext>(ID_PAGE_NEXT),
        UpdateUI<&CTarvicIIView::OnUpdatePageNext>(ID_PAGE_NEXT),
        Command<&CTarvicIIView::OnPatientManager>(ID_PATIENT_MANAGER),
        UpdateUI<&CTarvicIIView::OnUpdateAlwaysEnabled>(ID_PATIENT_MANAGER),
        Command<&CTarvicIIView::OnConfiguration>(ID_CONFIGURATION),
        Command<&CTarvicIIView::OnReviewProgram>(ID_REVIEW_PROGRAM),
        UpdateUI<&CTarvicIIView::OnUpdateAlwaysEnabled>(ID_REVIEW_PROGRAM),
        Command<&CTarvicIIView::OnDisplay1Ch>(ID_DISPLAY_1CH),
        Command<&CTarvicIIView::OnDisplay2Ch>(ID_DISPLAY_2CH),
        Command<&CTarvicIIView::OnDisplay4Ch>(ID_DISPLAY_4CH),
        Command<&CTarvicIIView::OnDisplay8Ch>(ID_DISPLAY_8CH),
        Command<&CTarvicIIView::OnDisplay16Ch>(ID_DISPLAY_16CH),
        UpdateUI<&CTarvicIIView::OnUpdateDisplayMode>(ID_DISPLAY_1CH),
        UpdateUI<&CTarvicIIView::OnUpdateDisplayMode>(ID_DISPLAY_2CH),
        UpdateUI<&CTarvicIIView::OnUpdateDisplayMode>(ID_DISPLAY_4CH),
        UpdateUI<&CTarvicIIView::OnUpdateDisplayMode>(ID_DISPLAY_8CH),
        UpdateUI<&CTarvicIIView::OnUpdateDisplayMode>(ID_DISPLAY_16CH),
        Command<&CTarvicIIView::OnDemoBed>(ID_DEMO_BED),
        Command<&CTarvicIIView::OnFullScreen>(ID_FULL_SCREEN),
        Command<&CTarvicIIView::OnAppExit>(ID_APP_EXIT),
        Command<&CView::OnFilePrint>(ID_FILE_PRINT),
        Command<&CView::OnFilePrint>(ID_FILE_PRINT_DIRECT),
        Command<&CView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
    };
    static constexpr platform::MessageMap kMap{&CView::GetThisMessageMap, kEntries};
    return &kMap;
}

// ==== construction and creation ==================================================================

CTarvicIIView::CTarvicIIView() : m_ClientManager(this), m_StudyRows(g_Database)
{
    m_ClientManager.SetConfig(g_Config, FALSE);
    // The commands pass 1; at construction there are no bed windows to tell.
    m_ClientManager.SetDisplayMode(g_Config.DisplayMode, 0);
    m_ClientManager.ShowPage(0);
}

CTarvicIIView::~CTarvicIIView() = default;

int CTarvicIIView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The beds are child windows: the background is painted around them, never over them.
    ModifyStyle(0, WS_CLIPCHILDREN);
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTimer(TIMER_CLOCK, kClockPeriodMs);
    SetTimer(TIMER_DISK_CHECK, kDiskCheckPeriodMs);
    SetTimer(TIMER_STUDY_RETRY, tarvic::StudyRowWriter::kRetryPeriodMs);
    m_pBrokerServer = std::make_unique<CBrokerServer>(this);
    m_pBrokerServer->SetClientManager(&m_ClientManager);
    return 0;
}

void CTarvicIIView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->SetBandPainted([this] { DrawClock(true); });
    // A missing or broken picture leaves the background unpainted.
    platform::Image picture;
    if (picture.LoadJpeg(tarvic::ProgramFile(kBackgroundPicture)))
        m_bmBackground.Attach(picture.ToBitmap());
    m_ClientManager.StartAlarm();
    // A port already taken leaves its listener silent; the station runs on.
    m_pMonitorListener = std::make_unique<CListenSocket>(this, WM_MONITOR_ACCEPT);
    m_pMonitorListener->Start(tarvic::Options().monitorPort);
    m_pSerialManager = std::make_unique<CSerialPortManager>(this);
    m_pSerialManager->Start();
    m_pViewerListener = std::make_unique<CListenSocket>(this, WM_VIEWER_ACCEPT);
    m_pViewerListener->Start(tarvic::Options().viewerPort);
}

// ==== painting and size ==========================================================================

void CTarvicIIView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    // The picture is stretched to the view once per size; a repaint only copies it.
    if (m_bmScaledBackground.GetSafeHandle() == nullptr || m_szScaledBackground != client.Size()) {
        m_bmScaledBackground.DeleteObject();
        BITMAP picture{};
        if (m_bmBackground.GetSafeHandle() == nullptr || !m_bmBackground.GetBitmap(&picture) || client.IsRectEmpty())
            return;
        CDC source, target;
        source.CreateCompatibleDC(pDC);
        target.CreateCompatibleDC(pDC);
        m_bmScaledBackground.CreateCompatibleBitmap(pDC, client.Width(), client.Height());
        CBitmap* oldSource = source.SelectObject(&m_bmBackground);
        CBitmap* oldTarget = target.SelectObject(&m_bmScaledBackground);
        target.SetStretchBltMode(HALFTONE);
        target.StretchBlt(0, 0, client.Width(), client.Height(), &source, 0, 0, picture.bmWidth, picture.bmHeight,
                          SRCCOPY);
        source.SelectObject(oldSource);
        target.SelectObject(oldTarget);
        m_szScaledBackground = client.Size();
    }
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* old = memory.SelectObject(&m_bmScaledBackground);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

BOOL CTarvicIIView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTarvicIIView::OnSize(UINT, int cx, int cy)
{
    m_ClientManager.ResetLayout(0, 0, cx, cy);
}

void CTarvicIIView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_CLOCK) {
        DrawClock();
        SetTimer(TIMER_CLOCK, ClockDelayMs());
    }
    else if (nIDEvent == TIMER_DISK_CHECK)
        CheckDiskSpace();
    else if (nIDEvent == TIMER_STUDY_RETRY)
        m_StudyRows.RetryPending();
    Default();
}

BOOL CTarvicIIView::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        CWnd* main = AfxGetMainWnd();
        if (pMsg->wParam == VK_F11 && main != nullptr)
            main->ShowWindow(SW_MINIMIZE);
        else if (pMsg->wParam == VK_F12)
            if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
                frame->ToggleFullScreen();
    }
    return CView::PreTranslateMessage(pMsg);
}

// ==== teardown ===================================================================================

void CTarvicIIView::OnDestroy()
{
    KillTimer(TIMER_CLOCK);
    if (auto* frame = dynamic_cast<CMainFrame*>(GetParentFrame()))
        frame->SetBandPainted({});
    KillTimer(TIMER_DISK_CHECK);
    KillTimer(TIMER_STUDY_RETRY);
    if (g_Config.SaveDisplayMode) {
        g_Config.DisplayMode = m_ClientManager.GetDisplayMode();
        // Only this key is written: the review station may have saved its own settings to the
        // same file meanwhile.
        KTIni(tarvic::IniPath()).WriteInt(kDisplaySection, kDisplayModeKey, g_Config.DisplayMode);
    }
    // Every bed goes: recordings end (their rows are completed here) and links close.
    m_ClientManager.ClearAll();
    // Rows the database still refuses are completed at the next start, with their recordings.
    m_StudyRows.LeavePending();
    CView::OnDestroy();
    m_pMonitorListener.reset();
    m_pSerialManager.reset();
    m_pViewerListener.reset();
    m_pBrokerServer.reset();
    m_pClockDC.reset();
    m_pClockBackDC.reset();
    m_bmClock.DeleteObject();
    m_bmClockBack.DeleteObject();
    m_ClockFont.DeleteObject();
}

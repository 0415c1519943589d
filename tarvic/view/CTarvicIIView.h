// CTarvicIIView: the single view of the central station's main window. It embeds the monitor
// client manager, which lays the bed windows out inside it, and does on the user-interface thread
// everything around the beds:
//  - intake (ViewIntake.cpp): the listeners for monitors (port 5000) and viewing stations
//    (5100), the serial port manager, the broker server that relays to viewers;
//  - the beds' events (ViewClientEvents.cpp): WM_CLIENT_NOTIFY, the per-bed command dispatcher
//    and the per-bed dialogs;
//  - recording (ViewRecording.cpp): record start with its free-space check, the study row while
//    the file grows and at its end (written through tarvic::StudyRowWriter, which never holds
//    the station up for long), and the disk-space watch every ten minutes;
//  - the toolbar's commands and the function keys (ViewCommands.cpp);
//  - the clock in the frame's top-right corner (ViewClock.cpp);
//  - a bed's printed trend (ViewPrinting.cpp) and its captured trend image (ViewCapture.cpp).
//
// A bed is never deleted while the view handles one of its notifications, a dialog's own message
// loop included: the handling holds a notify scope, and the client library defers the deletion
// until the outermost scope has closed.
#pragma once

#include "tarvic/record/StudyRowWriter.h"
#include "tarvic/view/StationDialogs.h"

#include "nyraclient/manager/NyraClientManager.h"

#include "platform/core/OleDateTime.h"
#include "platform/gdi/CBitmap.h"
#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/ui/framework/View.h"

#include <memory>
#include <vector>

namespace tarvic {
struct TrendPrintJob;
}
namespace nyraclient::record {
struct RecordWriteError;
}

class CBrokerServer;
class CPrintInfo;
class CCmdUI;
class CDialog;
class CListenSocket;
class CSerialPortManager;
class CUSerialEx;

class CTarvicIIView : public CView
{
public:
    static constexpr UINT_PTR TIMER_CLOCK = 100;
    static constexpr UINT_PTR TIMER_DISK_CHECK = 200;
    // Completed study rows that the database refused are tried again.
    static constexpr UINT_PTR TIMER_STUDY_RETRY = 300;
    // The clock's first tick after the view is made; later ones follow the seconds.
    static constexpr UINT kClockPeriodMs = 50;
    static constexpr UINT kDiskCheckPeriodMs = 600000;
    static constexpr int kClockWidth = 134;
    static constexpr int kClockHeight = 50;
    static constexpr int kViewerSendBuffer = 64000;
    // Free space, in MB of 1,000,000 bytes: recording needs more than the first; below the
    // second every recording stops; below the third a warning is shown while beds exist.
    static constexpr ULONGLONG kRecordMinimumMb = 1000;
    static constexpr ULONGLONG kStopBelowMb = 1000;
    static constexpr ULONGLONG kWarnBelowMb = 3000;

    CTarvicIIView();
    ~CTarvicIIView() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // ---- life (CTarvicIIView.cpp) -----------------------------------------------------------
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    // F11 minimises the main window, F12 switches full screen; the key is processed as usual.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- intake (ViewIntake.cpp) ------------------------------------------------------------
    // Takes the monitors and viewers that connected while the station was starting.
    void OnStartUpComplete();
    // 1 when a connection was taken (or refused), -1 when none was waiting or the station is
    // still starting (the connection then waits).
    LRESULT OnMonitorAccept(WPARAM, LPARAM);
    LRESULT OnViewerAccept(WPARAM, LPARAM);
    // A serial monitor that sent its connect frame; the view takes over the link.
    void OnSerialClientConnected(CUSerialEx* pSerial);
    // After the configuration was saved: the serial ports anew, the beds' settings.
    void ApplyConfiguration();
    // The ports the listeners got (0 for a listener that could not listen).
    UINT GetMonitorPort() const;
    UINT GetViewerPort() const;

    // ---- the beds' events (ViewClientEvents.cpp) --------------------------------------------
    LRESULT OnClientNotify(WPARAM wParam, LPARAM lParam);
    void ExecuteClientCommand(NyraClientInfo* pClient, int nCommand);
    void ShowClientSetting(NyraClientInfo* pClient);
    void ShowAdmitPatient(NyraClientInfo* pClient);
    // Shows a per-bed dialog modally as the open per-bed dialog of `pClient`. When the bed
    // disconnects meanwhile the dialog ends as cancelled and the result is IDCANCEL.
    INT_PTR RunBedDialog(CDialog& dialog, NyraClientInfo* pClient);
    // Whether the bed of the open (or last) per-bed dialog has gone: a dialog waiting for the
    // monitor's answer gives up at once and stores nothing.
    BOOL IsBedDialogClientGone() const { return m_bBedDialogClientGone; }
    StationDialogs& Dialogs() { return m_Dialogs; }

    // ---- recording (ViewRecording.cpp) ------------------------------------------------------
    void StartRecord(NyraClientInfo* pClient);
    void UpdateStudy(NyraClientInfo* pClient);
    void EndRecord(NyraClientInfo* pClient);
    void CheckDiskSpace();
    // The study rows of the recordings (the start-up's completed recordings too).
    tarvic::StudyRowWriter& StudyRows() { return m_StudyRows; }

    // ---- commands (ViewCommands.cpp) --------------------------------------------------------
    void OnPagePrev();
    void OnPageNext();
    void OnUpdatePagePrev(CCmdUI* pCmdUI);
    void OnUpdatePageNext(CCmdUI* pCmdUI);
    void OnPatientManager();
    void OnConfiguration();
    void OnReviewProgram();
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    void OnDisplay1Ch();
    void OnDisplay2Ch();
    void OnDisplay4Ch();
    void OnDisplay8Ch();
    void OnDisplay16Ch();
    void OnUpdateDisplayMode(CCmdUI* pCmdUI);
    void OnDemoBed();
    void OnFullScreen();
    void OnAppExit();

    // ---- a bed's printed trend (ViewPrinting.cpp) ------------------------------------------
    // Runs the trend print dialog for the bed and prints what it chose (landscape, an optional
    // cover page, then the trend pages): IDOK when a job was started, else IDCANCEL.
    INT_PTR PrintTrend(NyraClientInfo* pClient);
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void DrawCoverPage(CDC* pDC, int nWidth, int nHeight);
    void DrawPageHeader(CDC* pDC, int nWidth, int nHeight, CRect rcGraph);

    // ---- a bed's captured trend image (ViewCapture.cpp) --------------------------------------
    static constexpr int kCaptureWidth = 1344;
    static constexpr int kCaptureHeight = 1900;
    // Saves the bed's trend report page as a JPEG file in the "EMR Data Path" folder and says
    // where it went.
    void SaveScreenImage(NyraClientInfo* pClient);
    // SaveScreenImage, then the program of "EMR Program Path" when it names a file.
    INT_PTR CaptureTrend(NyraClientInfo* pClient);
    // "<id>_<last><first>_<yyyymmddhhmmss>.JPG" of the monitor's patient texts, each made safe.
    static CString CaptureFileName(const NyraClientInfo& client, const COleDateTime& when);

    // ---- the clock (ViewClock.cpp) ----------------------------------------------------------
    // Draws the date and time over the band when the text changed, or always (`repaint`: the
    // band was painted over it).
    void DrawClock(bool repaint = false);
    // The clock's next tick: just after the next whole second, so the station wakes once a
    // second for it.
    static UINT ClockDelayMs();

    NyraClientManager& GetClientManager() { return m_ClientManager; }
    CBrokerServer* GetBrokerServer() const { return m_pBrokerServer.get(); }
    CSerialPortManager* GetSerialPortManager() const { return m_pSerialManager.get(); }

private:
    // Closes a refused connection's message: -1 (all beds taken) is silent; at most one box of a
    // source is on screen at a time.
    void ShowRefusal(int nRefusal, int& bShown);
    // A recording that could not be written on has ended: one box says which bed, why and whose.
    void TellRecordingStopped(NyraClientInfo* pClient, const nyraclient::record::RecordWriteError& error);
    void SetDisplayMode(int mode);

    NyraClientManager m_ClientManager;
    // The printed trend from the print dialog's OK to the end of its job; null otherwise.
    std::unique_ptr<tarvic::TrendPrintJob> m_pTrendPrint;
    CBitmap m_bmBackground;
    // The background picture stretched to the view's size, made at the first paint of a size.
    CBitmap m_bmScaledBackground;
    CSize m_szScaledBackground{0, 0};
    StationDialogs m_Dialogs{StationDialogs::Standard()};
    // The per-bed dialog open now and its bed; null when none is.
    CDialog* m_pBedDialog{nullptr};
    NyraClientInfo* m_pBedDialogClient{nullptr};
    BOOL m_bBedDialogClientGone{FALSE};
    std::unique_ptr<CListenSocket> m_pMonitorListener;
    std::unique_ptr<CSerialPortManager> m_pSerialManager;
    std::unique_ptr<CListenSocket> m_pViewerListener;
    std::unique_ptr<CBrokerServer> m_pBrokerServer;
    // Set while the matching message box is on screen, so that boxes never stack up.
    int m_bDiskWarning{0};
    int m_bMonitorRefusalShown{0};
    int m_bSerialRefusalShown{0};
    tarvic::StudyRowWriter m_StudyRows;
    // The clock: where it stands in the frame, the frame's pixels under it, and the picture each
    // tick is composed in.
    CRect m_rcClock;
    std::unique_ptr<CDC> m_pClockBackDC;
    std::unique_ptr<CDC> m_pClockDC;
    CBitmap m_bmClockBack;
    CBitmap m_bmClock;
    // The texts drawn last.
    CString m_strClockDate;
    CString m_strClockTime;
    CFont m_ClockFont;
};

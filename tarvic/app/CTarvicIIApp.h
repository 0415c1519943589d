// CTarvicIIApp: the central station's application object. It brings the station up in a fixed
// order (sockets, the single-instance claim, crash dumps, settings, the registration switches,
// language, the main window with its view, the data folder and the database), keeps the
// process-wide settings and database connection (StationGlobals.h) and takes them down at exit.
//
// Monitors, viewers and serial links that reach the view before start-up is complete wait: the
// view takes them once the start-up-complete flag is set (CTarvicIIView::OnStartUpComplete).
#pragma once

#include "platform/ui/framework/WinApp.h"

class CMainFrame;
class CTarvicIIView;

class CTarvicIIApp : public CWinApp
{
public:
    CTarvicIIApp();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL InitInstance() override;
    int ExitInstance() override;
    // The registration switches; FALSE ends the program (after registering or unregistering).
    BOOL InitATL();
    void OnAppAbout();

    int IsStartUpComplete() const { return m_bStartUpComplete; }
    CMainFrame* GetMainFrame() const;
    CTarvicIIView* GetView() const;

private:
    int m_bStartUpComplete{0};
    int m_bATLInited{0};
    int m_bCrashDumps{0};
};

namespace tarvic {

// The station's application object, or null when another application runs (or none).
CTarvicIIApp* GetStationApp();
// Whether the station has finished its start-up; connections wait until it has.
BOOL IsStartUpComplete();

} // namespace tarvic

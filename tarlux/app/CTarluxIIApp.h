// CTarluxIIApp: the review station's application object. Start-up, in order: one running copy
// per machine (a second start brings the first to the front and ends silently), the settings,
// the language, the single-document template joining the empty document, the main frame and the
// form view (whose initial update connects the database), and the main window shown. SIGTERM
// and Ctrl-C close the main window as the Exit button does. The program has no timers, worker
// threads or sockets: everything runs on the user-interface thread.
#pragma once

#include "platform/ui/framework/WinApp.h"

namespace tarlux {

class CTarluxIIApp : public CWinApp
{
public:
    CTarluxIIApp();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The language library that start-up made the resource module, or null for English.
    HINSTANCE GetLanguageModule() const { return m_hLanguage; }

private:
    // Brings a running copy's main window to the front: TRUE when another copy runs.
    static BOOL ActivateRunningInstance();

    HINSTANCE m_hLanguage { nullptr };
};

} // namespace tarlux

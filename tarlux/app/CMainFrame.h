// CMainFrame: the review station's main window: no menu bar, the toolbar of large pictures in a
// rebar band across the top, a status bar that stays hidden, and the form view below. Its title
// is the template's "Tarlux II" alone, and it is never smaller than 1280 x 768 pixels.
#pragma once

#include "appcommon/MainToolBar.h"

#include "platform/gdi/CImageList.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/ReBar.h"
#include "platform/ui/framework/StatusBar.h"

namespace tarlux {

class CMainFrame : public CFrameWnd
{
public:
    // The smallest size the window may be given.
    static constexpr int kMinWidth = 1280;
    static constexpr int kMinHeight = 768;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CMainToolBar& GetToolBar() { return m_wndToolBar; }
    CReBar& GetReBar() { return m_wndReBar; }
    CStatusBar& GetStatusBar() { return m_wndStatusBar; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

private:
    BOOL CreateToolBar();
    BOOL CreateReBar();
    BOOL CreateStatusBar();

    // Normal, hot (under the pointer) and disabled pictures of the toolbar.
    CImageList m_images[3];
    CStatusBar m_wndStatusBar;
    CMainToolBar m_wndToolBar;
    CReBar m_wndReBar;
};

} // namespace tarlux

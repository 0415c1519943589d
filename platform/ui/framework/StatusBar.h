// CStatusBar: the strip along the frame's bottom with text panes. Pane 0 stretches and shows the
// message text; the others (ID_INDICATOR_CAPS, NUM, SCRL or a program's ids) are as wide as
// their string and are enabled by their command UI at idle.
#pragma once

#include "platform/ui/framework/ControlBar.h"

#include <vector>

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

class CStatusBar : public CControlBar
{
public:
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // The panes' ids; each pane's text is the string with its id (none for ID_SEPARATOR).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    void GetItemRect(int nIndex, LPRECT lpRect) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    void OnPaint();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

private:
    struct Pane
    {
        UINT id { 0 };
        UINT style { SBPS_NORMAL };
        int width { 0 };
        CString text;
    };
    int TextWidth(const CString& text) const;
    bool ValidPane(int index) const { return index >= 0 && index < GetCount(); }
    std::vector<Pane> m_panes;
};

// CToolBar: a row of picture buttons that send their command ids to the frame. Buttons come from
// a toolbar resource (LoadToolBar) or SetButtons; pictures from image lists of any size (normal,
// hot while the pointer rests on a button, disabled). Flat buttons show an edge only when hot or
// pressed; a transparent toolbar lets its parent (a rebar band) paint the background. With
// CBRS_TOOLTIPS each button's tip is the text after "\n" in the string with the button's id.
// At idle the frame's command UI enables, disables and checks the buttons; a command without a
// handler is shown disabled.
//
// A toolbar resource ("TOOLBAR", the toolbar's id) holds little-endian 16-bit words: version 1,
// button width, button height, count, then the count command ids (0 for a separator).
#pragma once

#include "platform/ui/framework/ControlBar.h"
#include "platform/ui/framework/ToolBarCtrl.h"

#include <memory>
#include <vector>

constexpr UINT TBBS_BUTTON = TBSTYLE_BUTTON;
constexpr UINT TBBS_SEPARATOR = TBSTYLE_SEP;
constexpr UINT TBBS_CHECKBOX = TBSTYLE_CHECK;
constexpr UINT TBBS_GROUP = TBSTYLE_GROUP;
constexpr UINT TBBS_CHECKGROUP = TBSTYLE_CHECKGROUP;
constexpr UINT TBBS_CHECKED = static_cast<UINT>(TBSTATE_CHECKED) << 16;
constexpr UINT TBBS_PRESSED = static_cast<UINT>(TBSTATE_PRESSED) << 16;
constexpr UINT TBBS_DISABLED = static_cast<UINT>(TBSTATE_ENABLED) << 16;
constexpr UINT TBBS_HIDDEN = static_cast<UINT>(TBSTATE_HIDDEN) << 16;

class CToolTipCtrl;

class CToolBar : public CControlBar
{
public:
    CToolBar();
    ~CToolBar() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // `dwCtrlStyle`: TBSTYLE_FLAT, TBSTYLE_TRANSPARENT ...; `rcBorders`: left, top, right, bottom.
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                  UINT nID = AFX_IDW_TOOLBAR);
    BOOL LoadToolBar(UINT nIDResource);
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    void SetHeight(int cyHeight);

    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
    // The tool tip of button `nIndex` (the text after "\n" of its command's string).
    CString GetButtonTip(int nIndex) const;

    CToolBarCtrl& GetToolBarCtrl() const { return m_ctrl; }
    CToolTipCtrl* GetToolTips() const { return m_tips.get(); }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    void OnPaint();
    void OnNcPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCaptureChanged(CWnd* pWnd);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- for CToolBarCtrl ----
    struct Button
    {
        UINT id { 0 };
        UINT style { TBBS_BUTTON }; // TBBS_ style and state bits
        int image { -1 };
    };
    std::vector<Button>& Buttons() { return m_buttons; }
    CImageList* m_pImages[3] {}; // normal, hot, disabled
    CSize m_sizeButton { 23, 22 };
    void ButtonsChanged();

private:
    CRect ButtonRect(int index) const;
    int ButtonAt(CPoint point) const;
    void PaintBackground(CDC& dc, const CRect& client);
    void PaintButton(CDC& dc, int index);
    void UpdateTools();
    void SetHot(int index);

    std::vector<Button> m_buttons;
    mutable CToolBarCtrl m_ctrl;
    std::unique_ptr<CToolTipCtrl> m_tips;
    DWORD m_ctrlStyle { TBSTYLE_FLAT };
    int m_hot { -1 };
    int m_pressed { -1 };
    bool m_tracking { false };
};

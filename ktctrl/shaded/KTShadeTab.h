// KTShadeTab: an owner-drawn tab control on a shaded background. Tabs can be disabled (neither
// a click nor the keyboard selects them), can each carry a child dialog shown while the tab is
// selected, and can change their text colour while the pointer is over them.
#pragma once

#include "ktctrl/shaded/KTShadeButton.h"
#include "platform/ui/controls/TabCtrl.h"

#include <vector>

class KTShadeTab : public CTabCtrl, public KTShade
{
public:
    KTShadeTab();

    LONG InsertItem(int index, TCITEM* item);
    LONG InsertItem(int index, LPCTSTR text);
    LONG InsertItem(int index, LPCTSTR text, int image);
    LONG InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM lParam);
    LONG InsertItem(UINT mask, int index, LPCTSTR text, int image, LPARAM lParam, DWORD state, DWORD stateMask);
    LONG InsertDialog(int index, CDialog* dialog, LPCTSTR text, int image = -1);
    LONG InsertShadeDialog(int index, KTShadeDialog* dialog, LPCTSTR text, int image = -1, int copyShade = 1);

    void EnableTab(int index, int enable);
    BOOL IsTabEnabled(int index) const;
    BOOL SelectTab(int index);
    BOOL DeleteTab(int index);
    void DeleteAllTabs();

    void SetTopLeftCorner(CPoint corner) { m_ptTopLeft = corner; }
    void SetSelectedColor(int use, COLORREF colour);
    void SetDisabledColor(int use, COLORREF colour);
    void SetNormalColor(int use, COLORREF colour);
    void SetMouseOverColor(int use, COLORREF colour);
    int GetHotTab() const { return m_nHotTab; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    static constexpr UINT kHoverTimer = 1;

protected:
    void PreSubclassWindow() override;

private:
    struct TabColour
    {
        int use { 0 };
        COLORREF colour { 0 };
    };

    LONG AfterInsert(LONG index, int isDialog);
    CWnd* DialogOf(int index) const;
    void ShowDialogOf(int index, bool show);
    void RepaintTab(int index);
    int TabAt(CPoint point) const;

    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);

    std::vector<int> m_enabled;
    std::vector<int> m_isDialog;
    int m_nPrevSel { 0 };
    CPoint m_ptTopLeft { 4, 28 };
    TabColour m_selected;
    TabColour m_disabled;
    TabColour m_normal;
    TabColour m_mouseOver;
    int m_bTracking { 0 };
    int m_nHotTab { -1 };
};

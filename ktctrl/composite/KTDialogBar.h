// KTDialogBar: a dialog bar with its own background and text colours, which keeps its own
// list of command ids and, at idle, asks the frame to update those ids only, acting on its
// child controls of the same ids (enable, check, text) without touching a control whose state
// is already right. Derived bars initialise their controls in OnInitDialogBar, called once
// after creation once the dialog data has reached the controls.
#pragma once

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/framework/DialogBar.h"

#include <vector>

// Border bits for DrawBorder.
constexpr DWORD KTDB_BORDER_LEFT = 0x01;
constexpr DWORD KTDB_BORDER_TOP = 0x02;
constexpr DWORD KTDB_BORDER_RIGHT = 0x04;
constexpr DWORD KTDB_BORDER_BOTTOM = 0x08;

class KTDialogBar : public CDialogBar
{
public:
    static constexpr UINT WM_INITDIALOGBAR = WM_USER + 1;

    KTDialogBar();
    ~KTDialogBar() override = default;

    void SetBkColor(COLORREF colour);
    COLORREF GetBkColor() const { return m_crBk; }
    void SetTextColor(COLORREF colour) { m_crText = colour; }
    void SetBorderFlags(DWORD flags) { m_dwBorder = flags; }

    void AddUpdateCmdID(UINT id);
    void ResetUpdateCmdID() { m_updateIds.clear(); }
    UINT GetUpdateCmdID(int index) const { return m_updateIds[static_cast<size_t>(index)]; }
    int GetUpdateCmdIDCount() const { return static_cast<int>(m_updateIds.size()); }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    virtual void OnInitDialogBar() {}

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void DrawBorder(CDC* dc);
    void OnEnableButton(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

    int OnCreate(LPCREATESTRUCT cs);
    BOOL OnEraseBkgnd(CDC* dc);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind);
    LRESULT OnInitDialogBarMessage(WPARAM wParam, LPARAM lParam);

    COLORREF m_crBk;
    COLORREF m_crText;
    CBrush m_brush;
    DWORD m_dwBorder { 0 };
    std::vector<UINT> m_updateIds;
};

// The command state KTDialogBar hands to the frame's update handlers: it acts on the bar's
// child control with the command id, and leaves a control alone whose state already matches.
// SetRadio is the framework's: the radio state reaches the control through SetCheck.
class KTDialogBarCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;

private:
    HWND Control() const;
};

// What the station's two sheets (the bed settings and the configuration) share: a modal dialog
// with a tab control (id 1399) and one child page per tab, one visible at a time, and pages
// that reload their controls whenever they are shown or hidden, so that edits not stored are
// dropped on a tab change. Neither the sheet nor its pages react to Enter or Escape; only the
// close box ends a sheet.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

#include <span>

namespace tarvic {

// True for a key-down of Enter or Escape: the sheets and their pages swallow them.
bool IsEnterOrEscape(const MSG* pMsg);

class CSheetPage : public CDialog
{
public:
    explicit CSheetPage(UINT nIDTemplate);

    BOOL Create(CWnd* pParentWnd);
    // Puts the current values into the controls.
    virtual void Reload() = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    // Whether the page still has what it reloads from.
    virtual bool CanReload() const = 0;
    void OnShowWindow(BOOL bShow, UINT nStatus);
};

class CTabSheet : public CDialog
{
public:
    static constexpr int IDC_SHEET_TAB = 1399;

    CTabSheet(UINT nIDTemplate, CWnd* pParent);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}

    int GetCurrentTab() const;
    // Switches tabs as a click on the tab does.
    void SelectTab(int index);

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    // The page of tab `index`, or null (none yet, or out of range).
    virtual CSheetPage* PageAt(int index) const = 0;
    // The tabs with these texts; each page's window on the tab control, placed in its client
    // area and hidden; then tab 0 and its page shown.
    void CreateTabs(std::span<const UINT> textIds);
    // Destroys the page windows that still exist (the objects stay with the sheet).
    void DestroyPageWindows();

private:
    void OnSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSelChange(NMHDR* pNMHDR, LRESULT* pResult);
    void ShowPage(int index, BOOL show);

    int m_nTabs { 0 };
};

} // namespace tarvic

// CPropertyPage: one page of a property sheet, a child dialog made from its template (WS_CHILD,
// DS_CONTROL, no caption needed) the first time the sheet shows it. The sheet asks the page
// before it leaves (OnKillActive: FALSE keeps the user on the page) and tells it when it is
// shown (OnSetActive). Apply and OK call OnApply of every page made so far; Cancel calls
// OnCancel of each. SetModified marks the page as changed, which enables the sheet's Apply
// button until the next apply.
#pragma once

#include "platform/ui/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog
{
public:
    // `nIDCaption`: the string id of the tab text; 0 takes the template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page is about to be shown: the first time its controls were just loaded by
    // OnInitDialog; later times reloads them from the members. FALSE: the page is not shown.
    virtual BOOL OnSetActive();
    // The page is about to be left (or applied): saves and validates the controls. FALSE keeps
    // the page.
    virtual BOOL OnKillActive();
    // Apply or OK: calls OnOK and accepts. FALSE keeps the sheet open on this page.
    virtual BOOL OnApply();
    // A page's OK and Cancel only record the outcome: the sheet ends, never the page.
    void OnOK() override {}
    void OnCancel() override {}

    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_modified ? TRUE : FALSE; }

    // The text of the page's tab.
    CString GetCaption() const;
    CPropertySheet* GetSheet() const { return m_pSheet; }

    UINT m_nIDCaption { 0 };

private:
    friend class CPropertySheet;

    CPropertySheet* m_pSheet { nullptr };
    bool m_modified { false };
    bool m_firstSetActive { true };
};

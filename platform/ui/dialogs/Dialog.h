// CDialog: modal and modeless dialogs and child dialogs (pages, form views) from dialog
// templates. DoModal creates the window, runs the modal loop (the owner disabled) and destroys
// the window again, so the same object can be shown any number of times. OnInitDialog loads the
// controls from the members (UpdateData(FALSE)); OnOK saves and validates them
// (UpdateData(TRUE)) and ends with IDOK; OnCancel ends with IDCANCEL. Enter presses the default
// button and Escape Cancel through the dialog manager (see DialogFunctions.h).
#pragma once

#include "platform/msg/Wnd.h"
#include "platform/ui/dialogs/DataExchange.h"
#include "platform/ui/dialogs/DialogFunctions.h"

class CDialog : public CWnd
{
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr)
        : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
    {
    }

    // Modal: IDOK, IDCANCEL or the value given to EndDialog; -1 when the dialog cannot be made.
    virtual INT_PTR DoModal();
    // Modeless (a pop-up template) or child (a WS_CHILD template) dialog.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(const platform::DialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);
    // DoModal then uses this template (one built at run time, like a message box's).
    BOOL InitModalIndirect(const platform::DialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Ends a modal dialog with `nResult`; hides a modeless one.
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    UINT m_nIDHelp { 0 };
    LPCTSTR m_lpszTemplateName { nullptr };
    UINT m_nIDTemplate { 0 };
    CWnd* m_pParentWnd { nullptr };

private:
    const platform::DialogTemplate* FindTemplate() const;
    BOOL CreateFrom(const platform::DialogTemplate* dialogTemplate, CWnd* pParentWnd);
    void OnOKCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    const platform::DialogTemplate* m_indirect { nullptr };
    bool m_modal { false };
};

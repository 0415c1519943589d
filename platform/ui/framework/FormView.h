// CFormView: a view made from a child dialog template: the template's controls fill the view,
// the keyboard moves between them as in a dialog, and DoDataExchange binds them to members
// (UpdateData). The initial update loads the controls from the members.
#pragma once

#include "platform/ui/dialogs/DataExchange.h"
#include "platform/ui/framework/View.h"

class CFormView : public CView
{
public:
    explicit CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}
    explicit CFormView(LPCTSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Creates the view from its template as child `nID` of `pParentWnd` (the frame).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, void* pContext = nullptr) override;

    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override;
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();

    UINT m_nIDTemplate { 0 };
    LPCTSTR m_lpszTemplateName { nullptr };
};

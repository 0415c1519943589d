// CDialogBar: a control bar whose content is a dialog template's controls. It takes the
// template's size as its fixed size, and at idle asks the frame to update each of its controls
// that has a command id (a control whose command nobody handles is disabled when asked to).
#pragma once

#include "platform/ui/dialogs/DataExchange.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "platform/ui/framework/ControlBar.h"

class CDialogBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL CreateIndirect(CWnd* pParentWnd, const platform::DialogTemplate& dialogTemplate, UINT nStyle, UINT nID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    CSize m_sizeDefault { 0, 0 };
};

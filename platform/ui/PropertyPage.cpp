// CPropertyPage.
#include "platform/ui/PropertyPage.h"

#include "platform/ui/PropertySheet.h"

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CDialog(lpszTemplateName), m_nIDCaption(nIDCaption)
{
}

BOOL CPropertyPage::OnSetActive()
{
    // The first showing follows OnInitDialog, which has just loaded the controls.
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_modified = bChanged != FALSE;
    if (m_pSheet)
        m_pSheet->UpdateApplyButton();
}

CString CPropertyPage::GetCaption() const
{
    CString caption;
    if (m_nIDCaption && caption.LoadString(m_nIDCaption))
        return caption;
    const platform::DialogTemplate* found =
        m_lpszTemplateName ? platform::FindDialogTemplate(m_lpszTemplateName) : platform::FindDialogTemplate(m_nIDTemplate);
    if (found && found->caption)
        caption = found->caption;
    return caption;
}

// The pages of the review settings sheet.
#include "tarlux/settings/CReviewSettingPage.h"

#include "tarlux/common/ReviewDialogs.h"

using namespace platform::msgmap;

namespace tarlux {

CReviewSettingPage::CReviewSettingPage(UINT nIDTemplate, NyraConfig* pConfig)
    : CDialog(nIDTemplate), m_pConfig(pConfig), m_nTemplate(nIDTemplate)
{
}

const platform::MessageMap* CReviewSettingPage::GetThisMessageMap()
{
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_SHOWWINDOW, &CReviewSettingPage::OnShowWindow>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

BOOL CReviewSettingPage::Create(CWnd* pParentWnd) { return CDialog::Create(m_nTemplate, pParentWnd); }

BOOL CReviewSettingPage::PreTranslateMessage(MSG* pMsg)
{
    if (IsEnterOrEscape(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CReviewSettingPage::OnShowWindow(BOOL, UINT)
{
    Default();
    if (m_pConfig)
        Reload();
}

} // namespace tarlux

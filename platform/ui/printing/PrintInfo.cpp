// CPrintInfo: the job's page range.
#include "platform/ui/printing/PrintInfo.h"

CPrintInfo::CPrintInfo()
    : m_ownedDialog(std::make_unique<CPrintDialog>(FALSE)), m_pPD(m_ownedDialog.get())
{
}

CPrintInfo::~CPrintInfo() = default;

UINT CPrintInfo::GetFromPage() const
{
    return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? std::max<UINT>(m_pPD->m_pd.nFromPage, GetMinPage()) : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? std::min<UINT>(m_pPD->m_pd.nToPage, GetMaxPage()) : GetMaxPage();
}

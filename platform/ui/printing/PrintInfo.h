// CPrintInfo: the state of one print job or preview, shared by the view's printing hooks: the
// page range, the current page, the drawing rectangle of the page, and the print dialog whose
// device mode the view may change (landscape) in OnBeginPrinting.
#pragma once

#include "platform/ui/printing/PrintDialog.h"

#include <algorithm>
#include <memory>

class CPrintInfo
{
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(std::min<UINT>(nMaxPage, 0xFFFF)); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The pages the job prints: the dialog's range when it asked for page numbers, else all.
    UINT GetFromPage() const;
    UINT GetToPage() const;
    // Which page the job prints: known once OnBeginPrinting has set the maximum page.
    bool HasPageLimit() const { return m_pPD->m_pd.nMaxPage != 0xFFFF; }

    std::unique_ptr<CPrintDialog> m_ownedDialog;
    CPrintDialog* m_pPD { nullptr };
    BOOL m_bDirect { FALSE };
    BOOL m_bPreview { FALSE };
    BOOL m_bContinuePrinting { TRUE };
    UINT m_nCurPage { 1 };
    UINT m_nNumPreviewPages { 1 };
    void* m_lpUserData { nullptr };
    CRect m_rectDraw;
    CString m_strPageDesc;
};

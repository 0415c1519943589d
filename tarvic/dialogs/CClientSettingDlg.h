// CClientSettingDlg: the bed settings sheet. A modal tabbed sheet with four child pages
// (display, patient, alarm, device) for one bed's client (not owned). It has no OK button:
// Enter and Escape do nothing, and only the close box ends it (IDCANCEL). The view ends it as
// cancelled when the bed disconnects.
#pragma once

#include "tarvic/dialogs/CClientPage.h"

#include <array>
#include <memory>

namespace tarvic::bed {

class CClientSettingDlg : public CTabSheet
{
public:
    static constexpr int kPageCount = 4;

    CClientSettingDlg(NyraClientInfo* pClient, CWnd* pParent, ClientGone gone = {});
    ~CClientSettingDlg() override;

    BOOL OnInitDialog() override;

    // The page of tab `index` (0 display, 1 patient, 2 alarm, 3 device); null before the sheet
    // is initialised.
    CClientPage* GetPage(int index) const;

protected:
    CSheetPage* PageAt(int index) const override { return GetPage(index); }

private:
    // The pages' windows go with the sheet's; a page whose window is still there (a sheet that
    // never ran) is destroyed here. Then the objects are deleted.
    void DestroyPages();

    NyraClientInfo* m_pClient { nullptr };
    ClientGone m_ClientGone;
    std::array<std::unique_ptr<CClientPage>, kPageCount> m_Pages;
};

} // namespace tarvic::bed

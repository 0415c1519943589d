// CStudyInfoDlg: the child dialog in the lower right of the review form that shows the study
// the review context names. Loading a study reads its recording file into the context's reader
// and redraws the trend page from it; a file that cannot be opened is reported ("Can not open
// Record File!!!") and the page shows an empty recording.
//
// Today the dialog holds the trend page alone, filling it; the study's fields, the comment
// editing and the wave page join it later.
#pragma once

#include "tarlux/study/CTrendPageDlg.h"

#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CStudyInfoDlg : public CDialog
{
public:
    CStudyInfoDlg();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Loads the context's current study (the view's answer to WM_STUDY_CHANGED).
    void LoadStudy();
    // Draws the pages again without reading the file (the view's answer to WM_SETTINGS_CHANGED).
    void RefreshPages();
    CTrendPageDlg& GetTrendPage() { return m_trendPage; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSize(UINT nType, int cx, int cy);

private:
    void PlacePages();

    CTrendPageDlg m_trendPage;
    CString m_patientId;
    CString m_studyId;
};

} // namespace tarlux

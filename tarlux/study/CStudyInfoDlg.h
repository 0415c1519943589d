// CStudyInfoDlg: the child dialog in the lower right of the review form that shows the study
// the review context names: its start, its length (from the recording file), its doctor and
// nurse and its comment, the one thing the user may edit here (Edit, then Save or Cancel).
// Below them a tab control switches between the trend page and the wave page.
//
// Loading a study reads its recording file into the context's reader and redraws both pages
// from it; a file that cannot be opened is reported ("Can not open Record File!!!"), the fields
// are filled all the same and the pages show an empty recording. Saving changes only the
// comment and the edit date of that one study's row.
#pragma once

#include "tarlux/study/CTrendPageDlg.h"
#include "tarlux/study/CWavePageDlg.h"
#include "tarlux/tab/CThemeTabCtrl.h"

#include "platform/gdi/CBrush.h"
#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CStudyInfoDlg : public CDialog
{
public:
    enum Page { kTrendPage = 0, kWavePage = 1 };

    CStudyInfoDlg();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Loads the context's current study (the view's answer to WM_STUDY_CHANGED); the edit mode
    // stays as it is.
    void LoadStudy();
    // Draws the pages again without reading the file (the view's answer to WM_SETTINGS_CHANGED).
    void RefreshPages();
    CTrendPageDlg& GetTrendPage() { return m_trendPage; }
    CWavePageDlg& GetWavePage() { return m_wavePage; }
    CThemeTabCtrl& GetTabCtrl() { return m_tab; }
    // 1 while the comment is being edited.
    int GetEditMode() const { return m_nEditMode; }
    // Shows the page of that tab, as a click on the tab does.
    void SelectPage(int page);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnEditSave();
    void OnCancelEdit();
    void OnTabSelChanging(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTabSelChange(NMHDR* pNMHDR, LRESULT* pResult);

private:
    CStudyPageDlg* PageOf(int tab);
    void PlacePages();
    // Fills the five fields from the study row and the loaded recording.
    void FillFields();
    void ClearFields();
    void SetEditMode(int mode);

    CThemeTabCtrl m_tab;
    CTrendPageDlg m_trendPage;
    CWavePageDlg m_wavePage;
    CString m_patientId;
    CString m_studyId;
    int m_nEditMode { 0 };
    CBrush m_brBack;
};

} // namespace tarlux

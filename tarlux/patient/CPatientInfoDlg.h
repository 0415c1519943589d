// CPatientInfoDlg: the child dialog at the top right of the review form that shows the review
// context's current patient in read-only fields and the patient's studies, newest first. The
// user edits the patient's comment (Edit, then Save or Cancel), opens a study with a double
// click (the context's SelectStudy) and deletes the selected studies with the Delete key.
//
// Deleting asks first, then takes each study on its own: one the central station still
// records is refused as in use; otherwise its row goes first and only then its recording, so a
// row the database refuses keeps both, the study stays in the list and the error is shown
// once for the whole deletion.
#pragma once

#include "platform/gdi/CBrush.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CPatientInfoDlg : public CDialog
{
public:
    static constexpr int kColumnCount = 9;

    CPatientInfoDlg();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Shows the context's current patient again (WM_PATIENT_CHANGED, WM_PATIENT_INFO_REFRESH).
    void LoadPatient();
    CListCtrl& GetHistory() { return m_history; }
    bool IsEditing() const { return m_bEditing; }
    // Deletes the selected studies after asking (the history's Delete key).
    void DeleteSelectedStudies();
    // Sorts the history by the column, in the direction opposite to the last sort.
    void SortByColumn(int column);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnEditSave();
    void OnCancelEdit();
    void OnHistoryDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHistoryKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);

private:
    void ClearFields();
    void FillHistory();
    void SetEditMode(bool editing);
    void SaveComment();

    CListCtrl m_history;
    CString m_patientId;
    bool m_bEditing { false };
    bool m_bAscending { true };
    CBrush m_brBack;
};

} // namespace tarlux

// CPatientListDlg: the child dialog in the left column of the review form where the user
// searches patients by an id text and a name text and chooses one with a double click (the
// review context's SelectPatient). The filter texts match literally (see PatientSearch.h); the
// list sorts by a clicked column, the direction alternating at every click. It never writes
// to the database.
#pragma once

#include "platform/gdi/CBrush.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

namespace tarlux {

class CPatientListDlg : public CDialog
{
public:
    static constexpr int kColumnCount = 13;

    CPatientListDlg();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL Create(CWnd* pParentWnd);
    // Runs the search with the filter texts (the view's answer to WM_PATIENT_LIST_REFRESH).
    void Search();
    CListCtrl& GetList() { return m_list; }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnSearch();
    void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult);

    // Sorts by the column, in the direction opposite to the last sort.
    void SortByColumn(int column);

private:
    CListCtrl m_list;
    CBrush m_brBack;
    bool m_bAscending { true };
};

} // namespace tarlux

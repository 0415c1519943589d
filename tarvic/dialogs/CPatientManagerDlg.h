// CPatientManagerDlg: the station's patient list. It searches the stored patients by id, names
// and registration dates, adds and edits them through the add patient dialog, and deletes
// patients with their studies and recordings, but never one admitted on a bed.
#pragma once

#include "tarvic/dialogs/CAdmitPatientDlg.h"

#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

#include <functional>

class NyraClientManager;

namespace tarvic::records {

class CPatientManagerDlg : public CDialog
{
public:
    static constexpr int kColumnCount = tarvic::bed::CAdmitPatientDlg::kColumnCount;
    using Row = tarvic::bed::CAdmitPatientDlg::Row;

    explicit CPatientManagerDlg(CWnd* pParent = nullptr);

    // The beds' manager, asked whether a patient is admitted; without one nothing is deleted.
    void SetClientManager(NyraClientManager* pManager) { m_pManager = pManager; }

    BOOL OnInitDialog() override;
    // The dialog has no OK button: Enter searches (the default button), nothing closes it.
    void OnOK() override {}

    // Fills the list with the patients of `clause` (null: every patient), the doctor column as
    // "NAME(ID)"; returns how many rows it shows.
    int FillList(const char* clause);
    void SortByColumn(int column);

    void OnSearch();
    void OnClear();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnAllDates();
    void OnOneDay();
    void OnOneWeek();
    void OnOneMonth();
    void OnThreeMonths();

    CListCtrl& List() { return m_List; }
    CDateTimeCtrl& DateFrom() { return m_DateFrom; }
    CDateTimeCtrl& DateTo() { return m_DateTo; }
    // Opens the add patient dialog for `patientId` (empty: a new patient); tests put their own in.
    std::function<INT_PTR(CWnd* parent, const CString& patientId)> openPatient;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void SetRange(const COleDateTime& from, const COleDateTime& to);
    void EnableEditDelete(BOOL edit, BOOL del);
    void EnableForSelection();
    INT_PTR OpenPatient(const CString& patientId);

    NyraClientManager* m_pManager { nullptr };
    bool m_bSortAscending { true };
    CDateTimeCtrl m_DateFrom;
    CDateTimeCtrl m_DateTo;
    CListCtrl m_List;
};

// The "&Patient" command's dialog, run modally over `pParent`.
void OpenPatientManager(CWnd* pParent, NyraClientManager* pManager);

} // namespace tarvic::records

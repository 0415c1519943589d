// CPatientManagerDlg: the station's patient list. It searches the stored patients by id, names
// and registration dates, adds and edits them through the add patient dialog, and deletes
// patients with their studies and recordings, but never one admitted on a bed.
#pragma once

#include "tarvic/dialogs/CAdmitPatientDlg.h"
#include "tarvic/dialogs/CRecordManagerDlg.h"

#include "platform/ui/controls/DateTimeCtrl.h"

class NyraClientManager;

namespace tarvic::records {

class CPatientManagerDlg : public CRecordManagerDlg
{
public:
    static constexpr int kColumnCount = tarvic::bed::CAdmitPatientDlg::kColumnCount;
    using Row = tarvic::bed::CAdmitPatientDlg::Row;

    explicit CPatientManagerDlg(CWnd* pParent = nullptr);

    // The beds' manager, asked whether a patient is admitted; without one nothing is deleted.
    void SetClientManager(NyraClientManager* pManager) { m_pManager = pManager; }

    BOOL OnInitDialog() override;

    // Fills the list with the patients of `clause` (null: every patient), the doctor column as
    // "NAME(ID)"; returns how many rows it shows.
    int FillList(const char* clause);
    void SortByColumn(int column);

    void OnSearch() override;
    void OnClear() override;
    void OnDelete() override;
    void OnAllDates();
    void OnOneDay();
    void OnOneWeek();
    void OnOneMonth();
    void OnThreeMonths();

    CDateTimeCtrl& DateFrom() { return m_DateFrom; }
    CDateTimeCtrl& DateTo() { return m_DateTo; }
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    INT_PTR OpenRecordDialog(const CString& patientId) override;

private:
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    void SetRange(const COleDateTime& from, const COleDateTime& to);

    NyraClientManager* m_pManager { nullptr };
    CDateTimeCtrl m_DateFrom;
    CDateTimeCtrl m_DateTo;
};

// The "&Patient" command's dialog, run modally over `pParent`.
void OpenPatientManager(CWnd* pParent, NyraClientManager* pManager);

} // namespace tarvic::records

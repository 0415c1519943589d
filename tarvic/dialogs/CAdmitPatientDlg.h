// CAdmitPatientDlg: admits a patient from the database to one bed, or discharges the patient
// admitted there. It shows the monitor's identity, searches the patient table, admits the
// chosen row and ends with IDOK after an admission or a discharge (so that the view can start a
// recording on admission). On an admitted bed it shows the admitted patient read-only and offers
// only Discharge and Close. The bed's client is not owned; the view ends the dialog as
// cancelled when the bed disconnects.
#pragma once

#include "nrdata/table/TBLPatient.h"

#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/controls/ListCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

#include <array>
#include <functional>

class NyraClientInfo;
class NyraClientManager;

namespace tarvic::bed {

class CAdmitPatientDlg : public CDialog
{
public:
    static constexpr int kColumnCount = 13;
    using Row = std::array<CString, kColumnCount>;

    CAdmitPatientDlg(NyraClientInfo* pClient, NyraClientManager* pManager, CWnd* pParent,
                     std::function<bool()> clientGone = {});

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // The search condition ("WHERE ..." or empty for every patient) for the texts (trimmed
    // here, every quote made harmless) and the registration dates (null: no bound). The upper
    // bound takes the whole day: it is the next day, exclusive.
    static CString BuildSearchClause(CString id, CString first, CString last, const COleDateTime* from,
                                     const COleDateTime* to);
    // The texts of one patient's list row; heights and weights in the given units (2: inch and
    // lbs), no-date values and unset GR/PA as empty cells.
    static Row FormatRow(const TBLPatientRow& row, int heightUnit, int weightUnit);
    // The units of the list's height and weight cells, looked up once per fill.
    struct Units
    {
        bool inch { false };
        bool pound { false };
        CString heightText;
        CString weightText;
        static Units Of(int heightUnit, int weightUnit);
    };
    static Row FormatRow(const TBLPatientRow& row, const Units& units);
    // Fills the list with the patients of `clause`; returns how many rows it shows.
    int FillList(const char* clause);
    void SortByColumn(int column);

    void OnSearch();
    void OnClear();
    void OnAdmit();
    void OnDischarge();
    // Selects row `index` as a click does.
    void SelectRow(int index);
    CListCtrl& List() { return m_List; }

    static constexpr int IDC_PATIENT_LIST = 1168;
    static constexpr int IDC_ADMIT = 1057;
    static constexpr int IDC_DISCHARGE = 1028;
    static constexpr int IDC_CLEAR = 1029;
    static constexpr int IDC_PATIENT_ID = 1046;
    static constexpr int IDC_FIRST_NAME = 1048;
    static constexpr int IDC_LAST_NAME = 1039;
    static constexpr int IDC_DATE_FROM = 1235;
    static constexpr int IDC_DATE_TO = 1236;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    void SetSearchEditsReadOnly(BOOL readOnly);
    void EnableButton(int id, BOOL enable);
    bool IsClientGone() const { return m_ClientGone && m_ClientGone(); }

    NyraClientInfo* m_pClient { nullptr };
    NyraClientManager* m_pManager { nullptr };
    std::function<bool()> m_ClientGone;
    int m_bAdmitted { 0 };
    CString m_strPatientId;
    CString m_strFirstName;
    CString m_strLastName;
    TBLPatient m_SelectedPatient;
    CDateTimeCtrl m_DateFrom;
    CDateTimeCtrl m_DateTo;
    CListCtrl m_List;
};

} // namespace tarvic::bed

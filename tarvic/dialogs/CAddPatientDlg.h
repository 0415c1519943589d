// CAddPatientDlg: enters a new patient (empty patient id) or changes a stored one. Heights and
// weights are typed in the units of the settings and stored in centimetres and kilograms; a
// date left without a value is stored as the no-date 1000-01-01. It ends with IDOK only when
// the row was written.
#pragma once

#include "ktctrl/basic/KTNumberEdit.h"

#include "platform/ui/controls/DateTimeCtrl.h"
#include "platform/ui/dialogs/Dialog.h"

namespace tarvic::records {

class CAddPatientDlg : public CDialog
{
public:
    explicit CAddPatientDlg(CWnd* pParent = nullptr);

    // Before the dialog opens: the patient to edit, or empty for a new one.
    void SetPatientId(const CString& patientId) { m_strPatientId = patientId; }
    const CString& GetDoctorId() const { return m_strDoctorId; }
    BOOL IsAddMode() const { return m_bAddMode; }

    BOOL OnInitDialog() override;
    // Save: asks, checks, writes; refusals keep the dialog open.
    void OnOK() override;
    // The doctor chooser.
    void OnSelectDoctor();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void Load();
    void FillCountList(int id);
    void SetDate(CDateTimeCtrl& picker, const COleDateTime& date);
    static COleDateTime DateOf(const CDateTimeCtrl& picker);
    void OnIdKillFocus();
    void OnFirstNameKillFocus();
    void OnLastNameKillFocus();

    CString m_strPatientId;
    CString m_strDoctorId;
    BOOL m_bAddMode { TRUE };
    // The height and weight texts as loaded: a field left as it was keeps the stored value, so
    // saving in inches or pounds never lets the metric value drift.
    CString m_strLoadedHeight;
    CString m_strLoadedWeight;
    KTNumberEdit m_Height { 0, 1 };
    KTNumberEdit m_Weight { 0, 1 };
    CDateTimeCtrl m_Birthday;
    CDateTimeCtrl m_Lmp;
    CDateTimeCtrl m_Edc;
};

} // namespace tarvic::records

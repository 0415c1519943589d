// CReviewContext: what the review station's dialogs share, since they never call each other:
// the current patient id, the current study id and the loaded recording. Every change of
// selection becomes a message posted to the view (WM_PATIENT_CHANGED, WM_STUDY_CHANGED,
// WM_PATIENT_LIST_REFRESH, WM_PATIENT_INFO_REFRESH), which hands it to the dialog that reacts.
//
// One instance per process, made on first use and deleted by the view when it is destroyed.
// Everything runs on the user-interface thread; the ids change at once, the view reacts when
// the posted messages are dispatched, in the order they were posted. A message is posted only
// once a view window has been registered.
//
// A study is loaded once per choice: while a WM_STUDY_CHANGED is queued and not yet taken by
// the view, another change of study posts nothing, since the view loads whatever study is
// current when it takes the message.
#pragma once

#include "tarlux/record/CRecordReader.h"

#include "platform/core/CString.h"
#include "platform/core/Collections.h"

class TBLPatientStudy;

namespace tarlux {

class CReviewContext
{
public:
    // The one instance, made (empty ids, empty recording, no view) on the first call.
    static CReviewContext* GetInstance();
    // Whether the instance exists (nothing is made).
    static bool HasInstance();
    static void DeleteInstance();

    virtual ~CReviewContext();
    CReviewContext(const CReviewContext&) = delete;
    CReviewContext& operator=(const CReviewContext&) = delete;

    // The window that receives the messages (null: none; nothing is posted then).
    void SetView(HWND view);
    CRecordReader& GetReader() { return m_reader; }
    CString GetPatientId() const { return m_patientId; }
    CString GetStudyId() const { return m_studyId; }

    // ---- patients ----
    void SetPatient(LPCTSTR id);
    // Clears the study first, then the patient.
    void ClearPatient();
    // The patient list's double click: clear, then set (study, patient and patient changed).
    void SelectPatient(LPCTSTR id);
    void RefreshPatientList();

    // ---- studies ----
    void SetStudy(LPCTSTR id);
    // Empties the recording and the study id.
    void ClearStudy();
    // The study history's double click: the study is loaded again; choosing the one already
    // shown also refreshes the patient information.
    void SelectStudy(LPCTSTR id);
    // After studies were deleted: clears the current study when it is one of them.
    void OnStudiesDeleted(const CStringArray& ids);
    void RefreshPatientInfo();

    // The view calls this when it takes WM_STUDY_CHANGED, before it loads the current study.
    void OnStudyChangedTaken() { m_studyChangedQueued = false; }

    // Reads the joined patient and study row of the current selection on the process's
    // database: 1 when exactly one row matches and it was read, else 0 (the row cleared).
    int LoadStudyRow(TBLPatientStudy& row) const;

private:
    CReviewContext() = default;
    void Post(UINT message);
    void PostStudyChanged();

    HWND m_view { nullptr };
    CRecordReader m_reader;
    CString m_patientId;
    CString m_studyId;
    bool m_studyChangedQueued { false };
};

} // namespace tarlux

// The review context: current patient, current study, loaded recording.
#include "tarlux/context/CReviewContext.h"

#include "tarlux/app/ReviewGlobals.h"
#include "tarlux/res/TarluxResources.h"

#include "ktutil/KTGF.h"
#include "ktutilex/KTAdo.h"
#include "nrdata/table/TBLPatientStudy.h"

#include "platform/core/Check.h"
#include "platform/msg/WindowApi.h"

#include <memory>

namespace tarlux {
namespace {

std::unique_ptr<CReviewContext>& Instance()
{
    static std::unique_ptr<CReviewContext> instance;
    return instance;
}

} // namespace

CReviewContext* CReviewContext::GetInstance()
{
    WARD_CHECK_UI_THREAD();
    std::unique_ptr<CReviewContext>& instance = Instance();
    if (!instance)
        instance.reset(new CReviewContext());
    return instance.get();
}

bool CReviewContext::HasInstance() { return Instance() != nullptr; }

void CReviewContext::DeleteInstance() { Instance().reset(); }

CReviewContext::~CReviewContext() { m_reader.Reset(); }

void CReviewContext::SetView(HWND view)
{
    m_view = view;
    m_studyChangedQueued = false;
}

void CReviewContext::Post(UINT message)
{
    if (m_view != nullptr)
        ::PostMessage(m_view, message, 0, 0);
}

void CReviewContext::PostStudyChanged()
{
    if (m_view == nullptr || m_studyChangedQueued)
        return;
    m_studyChangedQueued = ::PostMessage(m_view, WM_STUDY_CHANGED, 0, 0) != FALSE;
}

// ---- patients ------------------------------------------------------------------------------------------

void CReviewContext::SetPatient(LPCTSTR id)
{
    WARD_CHECK_UI_THREAD();
    m_patientId = id ? id : "";
    Post(WM_PATIENT_CHANGED);
}

void CReviewContext::ClearPatient()
{
    ClearStudy();
    m_patientId.Empty();
    Post(WM_PATIENT_CHANGED);
}

void CReviewContext::SelectPatient(LPCTSTR id)
{
    ClearPatient();
    SetPatient(id);
}

void CReviewContext::RefreshPatientList() { Post(WM_PATIENT_LIST_REFRESH); }

// ---- studies -------------------------------------------------------------------------------------------

void CReviewContext::SetStudy(LPCTSTR id)
{
    WARD_CHECK_UI_THREAD();
    m_studyId = id ? id : "";
    PostStudyChanged();
}

void CReviewContext::ClearStudy()
{
    m_reader.Reset();
    m_studyId.Empty();
    PostStudyChanged();
}

void CReviewContext::SelectStudy(LPCTSTR id)
{
    const CString previous = m_studyId;
    ClearStudy();
    SetStudy(id);
    if (m_studyId == previous)
        Post(WM_PATIENT_INFO_REFRESH);
}

void CReviewContext::OnStudiesDeleted(const CStringArray& ids)
{
    WARD_CHECK_UI_THREAD();
    for (INT_PTR i = 0; i < ids.GetSize(); ++i) {
        if (ids[i] == m_studyId) {
            ClearStudy();
            return;
        }
    }
}

void CReviewContext::RefreshPatientInfo() { Post(WM_PATIENT_INFO_REFRESH); }

// ---- the study row ---------------------------------------------------------------------------------------

int CReviewContext::LoadStudyRow(TBLPatientStudy& row) const
{
    row.Clear();
    row.SetDataBase(&ReviewDatabase());
    CString patientId = m_patientId;
    CString studyId = m_studyId;
    KTGF::Trim(patientId);
    KTGF::Trim(studyId);
    // Ids are matched exactly and always escaped: an id is never a pattern, and a quote in it
    // never changes the statement.
    if (!patientId.IsEmpty())
        row.AddCondition(FormatString("P_ID='%s'", KTAdo::EscapeString(patientId).GetString()));
    if (!studyId.IsEmpty())
        row.AddCondition(FormatString("S_STUDY_ID='%s'", KTAdo::EscapeString(studyId).GetString()));
    int result = 0;
    if (row.CursorOpenCondition() == 1)
        result = row.CursorGet();
    row.CursorClose();
    if (!result)
        row.Clear();
    return result;
}

} // namespace tarlux

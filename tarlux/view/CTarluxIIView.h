// CTarluxIIView: the review station's one view, a form that places three child dialogs side by
// side: the patient list (left column), the patient information (top right) and the study
// information with the trend page (the rest). The dialogs never call each other; the review
// context posts every change of selection to this view, which hands it to the dialog that
// reacts. The view also carries the toolbar's commands: the settings sheet, printing the trend
// of the study on screen (with an optional cover page) and exporting it as a JPEG picture.
//
// Its initial update gives the context its window, connects the database and makes the
// dialogs; destroying it destroys the dialogs and deletes the context.
#pragma once

#include "tarlux/patient/CPatientInfoDlg.h"
#include "tarlux/patient/CPatientListDlg.h"
#include "tarlux/study/CStudyInfoDlg.h"
#include "tarlux/view/ReviewPrint.h"

#include "platform/ui/framework/FormView.h"

class TBLPatientStudy;

namespace tarlux {

class CReviewContext;

class CTarluxIIView : public CFormView
{
public:
    CTarluxIIView();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    CPatientListDlg& GetPatientList() { return m_patientList; }
    CPatientInfoDlg& GetPatientInfo() { return m_patientInfo; }
    CStudyInfoDlg& GetStudyInfo() { return m_studyInfo; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;

    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    // ---- the review context's messages ----
    LRESULT OnPatientChanged(WPARAM, LPARAM);
    LRESULT OnStudyChanged(WPARAM, LPARAM);
    LRESULT OnPatientListRefresh(WPARAM, LPARAM);
    LRESULT OnPatientInfoRefresh(WPARAM, LPARAM);
    LRESULT OnSettingsChanged(WPARAM, LPARAM);

    // ---- toolbar ----
    void OnReviewExit();
    void OnReviewSetting();
    void OnReviewPrint();
    void OnReviewPreview();
    void OnReviewImage();

    // ---- printing ----
    // The trend print dialog for the loaded recording: 1 when confirmed (the print state then
    // holds its range, speed and pages), 0 without a recording or when cancelled.
    int ShowPrintDialog();
    const ReviewPrintState& GetPrintState() const { return m_print; }
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void DrawCoverPage(const TBLPatientStudy& row, CDC* pDC, int width, int height);
    void DrawPageHeader(const TBLPatientStudy& row, CDC* pDC, int width, int height, const CRect& upper);

    // ---- the exported picture ----
    static constexpr int kExportWidth = 1344;
    static constexpr int kExportHeight = 1900;
    // Saves the picture of the shown trend in the "EMR Data Path" folder and tells where: the
    // file's path, or empty when nothing was saved.
    CString ExportImage();
    int DrawExportPage(CReviewContext* context, CDC* pDC, int width, int height);
    void DrawExportHeader(CReviewContext* context, CDC* pDC, int width);

private:
    // Shrinks the frame to the form's size where it is larger (never below its minimum size),
    // keeping it centred.
    void FitFrameToForm();
    void CreateDialogs();
    // Moves the frames that mark the dialogs' places, and the dialogs, to the client's size.
    void LayoutDialogs();

    CPatientListDlg m_patientList;
    CPatientInfoDlg m_patientInfo;
    CStudyInfoDlg m_studyInfo;
    ReviewPrintState m_print;
    // A study is being loaded (its error message may be open); a change of study meanwhile is
    // loaded when it has finished, never from inside it.
    bool m_bLoadingStudy { false };
    bool m_bStudyChangedWhileLoading { false };
};

} // namespace tarlux

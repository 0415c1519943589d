// A form view: a single-document program whose view is a child dialog template. The template's
// controls fill the view, the initial update loads them from the view's members, UpdateData
// saves them back, a button in the form routes its command to the view, and Tab moves between
// the controls.
#include "platform/ui/controls/Button.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/framework/FormView.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/framework/WinApp.h"
#include "testkit/ControlParent.h"

#include <gtest/gtest.h>

using platform::host::NullHost;
using testkit::Pump;

namespace {

constexpr UINT IDR_REVIEW = 502;
constexpr UINT IDD_REVIEW_FORM = 501;
constexpr int IDC_PATIENT = 5001;
constexpr int IDC_BEDS = 5002;
constexpr int IDC_REFRESH = 5003;

const platform::StringEntry kStrings[] = { { IDR_REVIEW, "Review Test\n\nReview Test" } };
const platform::DialogItem kFormItems[] = {
    { "Edit", "", IDC_PATIENT, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 100, 12 },
    { "Edit", "", IDC_BEDS, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 24, 40, 12 },
    { "Button", "Refresh", IDC_REFRESH, BS_PUSHBUTTON | WS_TABSTOP, 7, 41, 50, 14 },
};
const platform::DialogTemplate kDialogs[] = {
    { IDD_REVIEW_FORM, nullptr, WS_CHILD, 0, 0, 0, 490, 378, nullptr, "MS Sans Serif", 8, kFormItems },
};
const platform::DialogTemplateTable kDialogTable { kDialogs };
platform::ResourceModuleRegistration s_module("UiFrameworkFormViewTest", { .strings = kStrings, .dialogs = &kDialogTable });

int g_refreshes = 0;

class CReviewDoc : public CDocument
{
};

class CReviewForm : public CFormView
{
public:
    CReviewForm() : CFormView(IDD_REVIEW_FORM) {}

    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = { Control<&CReviewForm::OnRefresh>(BN_CLICKED, IDC_REFRESH) };
        static constexpr platform::MessageMap kMap { &CFormView::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PATIENT, m_patient);
        DDX_Text(pDX, IDC_BEDS, m_beds);
    }
    void OnRefresh() { ++g_refreshes; }

    CString m_patient { "Kim Minji" };
    int m_beds { 16 };
};

class CReviewFrame : public CFrameWnd
{
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        if (!CFrameWnd::PreCreateWindow(cs))
            return FALSE;
        cs.style &= ~static_cast<LONG>(FWS_ADDTOTITLE | WS_HSCROLL | WS_VSCROLL);
        return TRUE;
    }
};

class CReviewApp : public CWinApp
{
public:
    BOOL InitInstance() override
    {
        AddDocTemplate(new CSingleDocTemplate(IDR_REVIEW, RuntimeClass<CReviewDoc>(), RuntimeClass<CReviewFrame>(),
                                              RuntimeClass<CReviewForm>()));
        CCommandLineInfo info;
        ParseCommandLine(info);
        if (!ProcessShellCommand(info))
            return FALSE;
        m_pMainWnd->MoveWindow(0, 0, 1024, 768);
        m_pMainWnd->ShowWindow(SW_SHOW);
        return TRUE;
    }
};

class UiFrameworkFormView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_refreshes = 0;
        ASSERT_TRUE(app.InitInstance());
        frame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        form = dynamic_cast<CReviewForm*>(frame->GetActiveView());
        ASSERT_NE(form, nullptr);
        Pump();
    }

    void TearDown() override
    {
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        // Closing the main window posted the quit message; the next test starts with an empty queue.
        testkit::DispatchPending();
    }

    CReviewApp app;
    CFrameWnd* frame { nullptr };
    CReviewForm* form { nullptr };
};

TEST_F(UiFrameworkFormView, TemplateControlsFillTheViewAndLoadFromMembers)
{
    EXPECT_EQ(form->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_NE(form->GetDocument(), nullptr);
    CWnd* patient = form->GetDlgItem(IDC_PATIENT);
    ASSERT_NE(patient, nullptr);
    CString text;
    patient->GetWindowText(text);
    EXPECT_EQ(text, "Kim Minji");
    form->GetDlgItem(IDC_BEDS)->GetWindowText(text);
    EXPECT_EQ(text, "16");
    // The frame's title is the template string's first field alone.
    frame->GetWindowText(text);
    EXPECT_EQ(text, "Review Test");
    // The view covers the frame's client area.
    CRect client;
    CRect view;
    frame->GetClientRect(&client);
    form->GetWindowRect(&view);
    frame->ScreenToClient(&view);
    EXPECT_EQ(view, client);

    form->GetDlgItem(IDC_BEDS)->SetWindowText("8");
    ASSERT_TRUE(form->UpdateData(TRUE));
    EXPECT_EQ(form->m_beds, 8);
}

TEST_F(UiFrameworkFormView, ButtonsRouteToTheViewAndTabMovesBetweenControls)
{
    CWnd* button = form->GetDlgItem(IDC_REFRESH);
    ASSERT_NE(button, nullptr);
    CRect r;
    button->GetClientRect(&r);
    testkit::ClickPumped(testkit::ScreenPoint(*button, r.CenterPoint().x, r.CenterPoint().y));
    EXPECT_EQ(g_refreshes, 1);

    form->GetDlgItem(IDC_PATIENT)->SetFocus();
    Pump();
    NullHost::PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(CWnd::GetFocus(), form->GetDlgItem(IDC_BEDS));
}

} // namespace

// The application framework as a small single-document program: start-up through "file new",
// command routing from the toolbar to the view, document, frame and application, command UI at
// idle (a command without a handler shows disabled), the bars, printing two landscape pages to a
// PDF that pdftoppm rasterises, and a print preview that pages forward and back.
#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WindowDCs.h"
#include "platform/msg/MessageQueue.h"
#include "platform/ui/dialogs/Dialog.h"
#include "platform/ui/dialogs/DialogTemplate.h"
#include "platform/ui/framework/DocTemplate.h"
#include "platform/ui/framework/Document.h"
#include "platform/ui/framework/FrameWnd.h"
#include "platform/ui/printing/PrintInfo.h"
#include "platform/ui/printing/PrintPreview.h"
#include "platform/ui/framework/ReBar.h"
#include "platform/ui/framework/StatusBar.h"
#include "platform/ui/framework/ToolBar.h"
#include "platform/ui/controls/ToolTipCtrl.h"
#include "platform/ui/framework/View.h"
#include "platform/ui/framework/WinApp.h"
#include "testkit/TempFolder.h"
#include "testkit/ControlParent.h"
#include "testkit/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>

using testkit::Pump;

namespace {

// ---- the program's resources ----

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT ID_VIEW_COMMAND = 32774;
constexpr UINT ID_DOC_COMMAND = 32775;
constexpr UINT ID_FRAME_COMMAND = 32776;
constexpr UINT ID_APP_COMMAND = 32777;
constexpr UINT ID_PICTURE = 32818; // a picture without a handler
constexpr UINT ID_MODE = 32782;    // checked by its command UI

const platform::StringEntry kStrings[] = {
    { IDR_MAINFRAME, "Ward Test\n\nWard Test\n\n\nWardTest.Document\nWardTest Document" },
    { ID_VIEW_COMMAND, "Goes to the view\nPrevious" },
    { ID_DOC_COMMAND, "Goes to the document\nDocument" },
    { ID_FRAME_COMMAND, "Goes to the frame\nFrame" },
    { ID_APP_COMMAND, "Goes to the application\nApplication" },
    { ID_MODE, "Two channels\n2CH" },
};

// Version 1, 16 x 15 pictures, 7 buttons: view, doc, separator, frame, app, picture, mode.
const BYTE kToolBar[] = { 1, 0, 16, 0, 15, 0, 7, 0, 0x06, 0x80, 0x07, 0x80, 0, 0, 0x08, 0x80, 0x09, 0x80, 0x32, 0x80, 0x0E, 0x80 };
const platform::ResourceData kData[] = { { "TOOLBAR", IDR_MAINFRAME, nullptr, kToolBar } };

platform::ResourceModuleRegistration s_module("UiFrameworkTest", { .strings = kStrings, .data = kData });

// What the program's objects did, for the tests to read.
struct Journal
{
    std::vector<std::string> commands;
    int initialUpdates { 0 };
    int beginPrinting { 0 };
    int endPrinting { 0 };
    std::vector<UINT> printedPages;
    std::vector<BOOL> previewFlags;
    CRect lastDrawRect;
    int mode { 1 };
    UINT pagesToPrint { 2 };
};
Journal* g_journal = nullptr;

// ---- the program ----

class CWardDoc : public CDocument
{
public:
    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = { Command<&CWardDoc::OnDocCommand>(ID_DOC_COMMAND) };
        static constexpr platform::MessageMap kMap { &CDocument::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }
    void OnDocCommand() { g_journal->commands.push_back("document"); }
};

class CWardView : public CView
{
public:
    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = {
            Command<&CWardView::OnViewCommand>(ID_VIEW_COMMAND),
            Command<&CWardView::OnMode>(ID_MODE),
            UpdateUI<&CWardView::OnUpdateMode>(ID_MODE),
            Command<&CView::OnFilePrint>(ID_FILE_PRINT),
            Command<&CView::OnFilePrint>(ID_FILE_PRINT_DIRECT),
            Command<&CView::OnFilePrintPreview>(ID_FILE_PRINT_PREVIEW),
        };
        static constexpr platform::MessageMap kMap { &CView::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnViewCommand() { g_journal->commands.push_back("view"); }
    void OnMode() { g_journal->mode = g_journal->mode == 1 ? 2 : 1; }
    void OnUpdateMode(CCmdUI* pCmdUI) { pCmdUI->SetCheck(g_journal->mode == 1); }
    void OnInitialUpdate() override
    {
        ++g_journal->initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnDraw(CDC* pDC) override
    {
        CRect r;
        GetClientRect(&r);
        pDC->FillSolidRect(&r, RGB(255, 255, 255));
    }

    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        ++g_journal->beginPrinting;
        if (pDC->IsPrinting()) {
            DEVMODE* mode = pInfo->m_pPD->GetDevMode();
            mode->dmOrientation = DMORIENT_LANDSCAPE;
            pDC->ResetDC(mode);
        }
        pInfo->SetMaxPage(g_journal->pagesToPrint);
    }
    // Page 1 is black in its left half, page 2 in its right half.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        g_journal->printedPages.push_back(pInfo->m_nCurPage);
        g_journal->previewFlags.push_back(pInfo->m_bPreview);
        g_journal->lastDrawRect = pInfo->m_rectDraw;
        CRect half = pInfo->m_rectDraw;
        if (pInfo->m_nCurPage == 1)
            half.right = half.CenterPoint().x;
        else
            half.left = half.CenterPoint().x;
        pDC->FillSolidRect(&half, RGB(0, 0, 0));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { ++g_journal->endPrinting; }
};

constexpr COLORREF kPictureColours[3] = { RGB(0, 0, 200), RGB(0, 200, 0), RGB(128, 128, 128) }; // normal, hot, disabled
constexpr COLORREF kBandColour = RGB(240, 220, 160);

// Fills `rect` of `bitmap` with `colour`; makes the bitmap (width x height) first when it has none.
void Fill(CBitmap& bitmap, int width, int height, COLORREF colour, CRect rect = CRect())
{
    if (!bitmap.GetSafeHandle()) {
        CDC* screen = CDC::FromHandle(::GetDC(nullptr));
        bitmap.CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen->m_hDC);
    }
    if (rect.IsRectEmpty())
        rect = CRect(0, 0, width, height);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(&rect, colour);
    dc.SelectObject(old);
}

class CWardFrame : public CFrameWnd
{
public:
    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = {
            Message<WM_CREATE, &CWardFrame::OnCreate>(),
            Command<&CWardFrame::OnFrameCommand>(ID_FRAME_COMMAND),
        };
        static constexpr platform::MessageMap kMap { &CFrameWnd::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CFrameWnd::OnCreate(lpcs) == -1)
            return -1;
        if (!toolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT,
                              WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS, CRect(0, 2, 0, 2))
            || !toolBar.LoadToolBar(IDR_MAINFRAME))
            return -1;
        // Pictures of any size: 40 x 30, one image per button, a coloured block on magenta.
        for (int i = 0; i < 3; ++i) {
            images[i].Create(40, 30, ILC_COLOR24 | ILC_MASK, 1, 1);
            CBitmap strip;
            Fill(strip, 40 * 6, 30, RGB(255, 0, 255));
            for (int k = 0; k < 6; ++k)
                Fill(strip, 0, 0, kPictureColours[i], CRect(k * 40 + 5, 5, k * 40 + 35, 25));
            images[i].Add(&strip, RGB(255, 0, 255));
        }
        toolBar.GetToolBarCtrl().SetImageList(&images[0]);
        toolBar.GetToolBarCtrl().SetHotImageList(&images[1]);
        toolBar.GetToolBarCtrl().SetDisabledImageList(&images[2]);
        toolBar.SetHeight(56);
        CBitmap background;
        Fill(background, 32, 32, kBandColour);
        if (!reBar.Create(this, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM)
            || !reBar.AddBar(&toolBar, nullptr, &background, RBBS_NOGRIPPER | RBBS_FIXEDSIZE))
            return -1;
        const UINT indicators[] = { ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL };
        if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 4))
            return -1;
        statusBar.ShowWindow(SW_HIDE);
        return 0;
    }
    void OnFrameCommand() { g_journal->commands.push_back("frame"); }

    CToolBar toolBar;
    CReBar reBar;
    CStatusBar statusBar;
    CImageList images[3];
};

class CWardApp : public CWinApp
{
public:
    CWardApp() : CWinApp("Ward Test") {}

    static const platform::MessageMap* GetThisMessageMap()
    {
        using namespace platform::msgmap;
        static constexpr platform::MessageMapEntry kEntries[] = { Command<&CWardApp::OnAppCommand>(ID_APP_COMMAND) };
        static constexpr platform::MessageMap kMap { &CWinApp::GetThisMessageMap, kEntries };
        return &kMap;
    }
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    BOOL InitInstance() override
    {
        AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RuntimeClass<CWardDoc>(), RuntimeClass<CWardFrame>(),
                                              RuntimeClass<CWardView>()));
        CCommandLineInfo info;
        ParseCommandLine(info);
        if (!ProcessShellCommand(info))
            return FALSE;
        m_pMainWnd->MoveWindow(0, 0, 800, 600);
        m_pMainWnd->ShowWindow(SW_SHOW);
        return TRUE;
    }
    void OnAppCommand() { g_journal->commands.push_back("application"); }
};

// ---- the fixture ----

class UiFramework : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_journal = &journal;
        app = std::make_unique<CWardApp>();
        ASSERT_TRUE(app->InitInstance());
        frame = dynamic_cast<CWardFrame*>(app->m_pMainWnd);
        ASSERT_NE(frame, nullptr);
        view = dynamic_cast<CWardView*>(frame->GetActiveView());
        ASSERT_NE(view, nullptr);
        Pump();
    }

    void TearDown() override
    {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        // Closing the main window posted the quit message that ends a program's loop; the next
        // test starts with an empty queue.
        testkit::DispatchPending();
        app.reset();
        g_journal = nullptr;
    }

    CToolBar& Bar() { return frame->toolBar; }

    void ClickButton(UINT id)
    {
        CRect r;
        Bar().GetItemRect(Bar().CommandToIndex(id), &r);
        testkit::ClickPumped(testkit::ScreenPoint(Bar(), r.CenterPoint().x, r.CenterPoint().y));
    }

    testkit::ScriptedDialogs dialogs; // outlives the application
    Journal journal;
    std::unique_ptr<CWardApp> app;
    CWardFrame* frame { nullptr };
    CWardView* view { nullptr };
};

TEST_F(UiFramework, FileNewMakesDocumentFrameAndViewWithTheTemplatesTitle)
{
    EXPECT_EQ(journal.initialUpdates, 1);
    ASSERT_NE(view->GetDocument(), nullptr);
    EXPECT_NE(dynamic_cast<CWardDoc*>(view->GetDocument()), nullptr);
    EXPECT_EQ(frame->GetActiveDocument(), view->GetDocument());
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Ward Test - Untitled");
    EXPECT_EQ(AfxGetApp(), app.get());
    EXPECT_EQ(AfxGetMainWnd(), frame);

    // The bars along the top, the view below them; the hidden status bar takes no room.
    CRect bar;
    CRect client;
    frame->reBar.GetWindowRect(&bar);
    frame->ScreenToClient(&bar);
    view->GetWindowRect(&client);
    frame->ScreenToClient(&client);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(client.top, bar.bottom);
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    EXPECT_EQ(client.bottom, frameClient.bottom);
    EXPECT_FALSE(frame->statusBar.IsWindowVisible());
    EXPECT_EQ(frame->statusBar.GetCount(), 4);
    EXPECT_EQ(frame->reBar.GetBandCount(), 1);
    EXPECT_EQ(frame->toolBar.GetParent(), &frame->reBar);
    // The toolbar's height as set, buttons as big as their pictures.
    EXPECT_EQ(frame->toolBar.CalcFixedLayout(FALSE, TRUE).cy, 56);
    CRect button;
    Bar().GetItemRect(0, &button);
    EXPECT_EQ(button.Width(), 47);
    EXPECT_EQ(button.Height(), 36);
}

TEST_F(UiFramework, ToolbarCommandsRouteViewDocumentFrameApplication)
{
    ClickButton(ID_VIEW_COMMAND);
    ClickButton(ID_DOC_COMMAND);
    ClickButton(ID_FRAME_COMMAND);
    ClickButton(ID_APP_COMMAND);
    EXPECT_EQ(journal.commands, (std::vector<std::string> { "view", "document", "frame", "application" }));
}

TEST_F(UiFramework, IdleShowsCommandsWithoutHandlerDisabledAndAppliesChecks)
{
    app->OnIdle(0);
    CToolBarCtrl& ctrl = Bar().GetToolBarCtrl();
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_VIEW_COMMAND));
    EXPECT_TRUE(ctrl.IsButtonEnabled(ID_APP_COMMAND));
    EXPECT_FALSE(ctrl.IsButtonEnabled(ID_PICTURE));
    EXPECT_TRUE(ctrl.IsButtonChecked(ID_MODE));

    // A click on the disabled picture does nothing; the mode command unchecks its button.
    ClickButton(ID_PICTURE);
    ClickButton(ID_MODE);
    app->OnIdle(0);
    EXPECT_TRUE(journal.commands.empty());
    EXPECT_FALSE(ctrl.IsButtonChecked(ID_MODE));
    // A command the command UI disabled is refused also when it arrives as a message.
    frame->SendMessage(WM_COMMAND, ID_PICTURE);
    EXPECT_TRUE(journal.commands.empty());
}

TEST_F(UiFramework, TransparentToolbarShowsItsPicturesOverTheBandBackground)
{
    app->OnIdle(0);
    Pump();
    CClientDC dc(&Bar());
    auto centre = [&](UINT id) {
        CRect r;
        Bar().GetItemRect(Bar().CommandToIndex(id), &r);
        return r.CenterPoint();
    };
    EXPECT_EQ(dc.GetPixel(centre(ID_VIEW_COMMAND)), kPictureColours[0]);
    EXPECT_EQ(dc.GetPixel(centre(ID_PICTURE)), kPictureColours[2]); // no handler: the disabled picture
    CRect last;
    Bar().GetItemRect(Bar().GetCount() - 1, &last);
    EXPECT_EQ(dc.GetPixel(last.right + 40, last.CenterPoint().y), kBandColour);
}

TEST_F(UiFramework, ToolTipsAreTheTextAfterTheLineFeed)
{
    EXPECT_EQ(Bar().GetButtonTip(0), "Previous");
    EXPECT_EQ(Bar().GetButtonTip(Bar().CommandToIndex(ID_MODE)), "2CH");
    EXPECT_EQ(Bar().GetButtonTip(2), ""); // the separator
    EXPECT_EQ(Bar().GetButtonTip(Bar().CommandToIndex(ID_PICTURE)), ""); // no string
    ASSERT_NE(Bar().GetToolTips(), nullptr);
    CString tip;
    Bar().GetToolTips()->GetText(tip, &Bar(), ID_DOC_COMMAND);
    EXPECT_EQ(tip, "Document");
}

// ---- printing ----

// Width and height of a PNG file (from its header), or 0 x 0.
CSize PngSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return CSize(0, 0);
    auto be = [&](int at) { return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
    return CSize(be(16), be(20));
}

TEST_F(UiFramework, PrintsTwoLandscapePagesToAPdfThatRasterises)
{
    testkit::TempFolder folder;
    std::string pdf = folder / "ward.pdf";
    platform::msg::CommonDialogAnswer answer;
    answer.accepted = true;
    answer.outputFile = pdf.c_str();
    dialogs.AnswerDialog(answer);

    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    auto shown = dialogs.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, platform::msg::CommonDialogKind::Print);
    EXPECT_EQ(journal.beginPrinting, 1);
    EXPECT_EQ(journal.endPrinting, 1);
    EXPECT_EQ(journal.printedPages, (std::vector<UINT> { 1, 2 }));
    EXPECT_EQ(journal.previewFlags, (std::vector<BOOL> { FALSE, FALSE }));
    EXPECT_EQ(journal.lastDrawRect, CRect(0, 0, 3508, 2480)); // A4 landscape at 300 dpi

    std::string prefix = folder / "page";
    ASSERT_EQ(std::system(("pdftoppm -r 20 -png '" + pdf + "' '" + prefix + "'").c_str()), 0);
    CSize first = PngSize(prefix + "-1.png");
    CSize second = PngSize(prefix + "-2.png");
    EXPECT_GT(first.cx, first.cy); // landscape
    EXPECT_EQ(first, second);
    EXPECT_EQ(PngSize(prefix + "-3.png"), CSize(0, 0));
}

TEST_F(UiFramework, AJobWithNoPageToPrintStartsNoDocument)
{
    testkit::TempFolder folder;
    const std::string pdf = folder / "nothing.pdf";
    platform::msg::CommonDialogAnswer answer;
    answer.accepted = true;
    answer.outputFile = pdf.c_str();
    dialogs.AnswerDialog(answer);
    journal.pagesToPrint = 0;

    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(journal.beginPrinting, 1);
    EXPECT_EQ(journal.endPrinting, 1);
    EXPECT_TRUE(journal.printedPages.empty());
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(UiFramework, FileOpenReusesTheDocumentUnderTheChosenFilesName)
{
    CDocument* doc = view->GetDocument();
    platform::msg::CommonDialogAnswer answer;
    answer.accepted = true;
    answer.paths = { "/data/studies/kim-0412.fmf" };
    dialogs.AnswerDialog(answer);
    frame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    auto shown = dialogs.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, platform::msg::CommonDialogKind::OpenFile);
    EXPECT_EQ(view->GetDocument(), doc); // one document: reused
    EXPECT_EQ(doc->GetPathName(), "/data/studies/kim-0412.fmf");
    app->OnIdle(0);
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, "Ward Test - kim-0412.fmf");
}

TEST_F(UiFramework, CancelledPrintDialogPrintsNothing)
{
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT); // nothing scripted: cancelled
    EXPECT_EQ(dialogs.Dialogs().size(), 1u);
    EXPECT_EQ(journal.beginPrinting, 0);
    EXPECT_TRUE(journal.printedPages.empty());
}

// ---- print preview ----

COLORREF PagePixel(CPrintPreview& preview, double fx, double fy)
{
    CBitmap* page = preview.GetPageBitmap();
    if (!page)
        return CLR_INVALID;
    BITMAP info {};
    page->GetBitmap(&info);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(page);
    COLORREF pixel = dc.GetPixel(static_cast<int>(info.bmWidth * fx), static_cast<int>(info.bmHeight * fy));
    dc.SelectObject(old);
    return pixel;
}

TEST_F(UiFramework, PreviewPagesForwardAndBackAndCloses)
{
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    EXPECT_TRUE(dialogs.Dialogs().empty()); // the default printer, no dialog
    CPrintPreview* preview = view->GetPrintPreview();
    ASSERT_NE(preview, nullptr);
    Pump();
    EXPECT_TRUE(preview->IsWindowVisible());
    EXPECT_FALSE(view->IsWindowVisible());
    EXPECT_EQ(preview->GetPageCount(), 2u);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    ASSERT_FALSE(journal.printedPages.empty());
    EXPECT_EQ(journal.printedPages.back(), 1u);
    EXPECT_TRUE(journal.previewFlags.back());
    EXPECT_EQ(journal.lastDrawRect, CRect(0, 0, 3508, 2480)); // printer units, landscape
    CRect page = preview->GetPageRect();
    EXPECT_GT(page.Width(), page.Height());
    EXPECT_EQ(PagePixel(*preview, 0.25, 0.5), RGB(0, 0, 0));
    EXPECT_EQ(PagePixel(*preview, 0.75, 0.5), RGB(255, 255, 255));

    auto click = [&](UINT id) {
        CWnd* button = preview->GetDlgItem(static_cast<int>(id));
        ASSERT_NE(button, nullptr);
        CRect r;
        button->GetClientRect(&r);
        testkit::ClickPumped(testkit::ScreenPoint(*button, r.CenterPoint().x, r.CenterPoint().y));
    };
    click(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);
    EXPECT_EQ(journal.printedPages.back(), 2u);
    EXPECT_EQ(PagePixel(*preview, 0.25, 0.5), RGB(255, 255, 255));
    EXPECT_EQ(PagePixel(*preview, 0.75, 0.5), RGB(0, 0, 0));
    EXPECT_FALSE(preview->GetDlgItem(AFX_ID_PREVIEW_NEXT)->IsWindowEnabled()); // the last page
    click(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(preview->GetCurrentPage(), 2u);

    click(AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(preview->GetCurrentPage(), 1u);
    EXPECT_EQ(PagePixel(*preview, 0.25, 0.5), RGB(0, 0, 0));

    click(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ(view->GetPrintPreview(), nullptr);
    EXPECT_EQ(journal.endPrinting, 1);
    EXPECT_TRUE(view->IsWindowVisible());
    EXPECT_TRUE(frame->reBar.IsWindowVisible());
    EXPECT_FALSE(frame->statusBar.IsWindowVisible()); // hidden before, hidden after
}

// ---- command line and closing ----

TEST(UiCommandLine, ClassicSwitches)
{
    struct Case
    {
        std::vector<std::string> args;
        int command;
        const char* file;
    };
    const Case cases[] = {
        { {}, CCommandLineInfo::FileNew, "" },
        { { "study.fmf" }, CCommandLineInfo::FileOpen, "study.fmf" },
        { { "/p", "study.fmf" }, CCommandLineInfo::FilePrint, "study.fmf" },
        { { "-pt", "study.fmf", "Ward", "drv", "port" }, CCommandLineInfo::FilePrintTo, "study.fmf" },
        { { "/dde" }, CCommandLineInfo::FileDDE, "" },
        { { "/Unregserver" }, CCommandLineInfo::AppUnregister, "" },
    };
    for (const Case& c : cases) {
        CWinApp app;
        app.SetCommandLineArguments(c.args);
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(info.m_nShellCommand, c.command) << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(info.m_strFileName, c.file);
    }
    CWinApp app;
    app.SetCommandLineArguments({ "-pt", "a.fmf", "Ward", "drv", "port" });
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.m_strPrinterName, "Ward");
    EXPECT_EQ(info.m_strPortName, "port");
}

TEST_F(UiFramework, ExitClosesTheMainWindowAndEndsTheLoop)
{
    HWND main = frame->m_hWnd;
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    MSG msg;
    bool quit = false;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit);
}

// A question over the main window that does `onShow` once it shows (posted, as a user's action
// would come).
constexpr UINT IDD_QUESTION = 300;
constexpr UINT WM_SHOWN = WM_APP + 7;
const platform::DialogItem kQuestionItems[] = {
    { "Button", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 4, 4, 50, 14 },
};
const platform::DialogTemplate kQuestion { IDD_QUESTION, nullptr, DS_MODALFRAME | WS_POPUP | WS_CAPTION, 0, 0, 0, 80, 30,
                                           "Question", nullptr, 0, kQuestionItems };

class CQuestionDlg : public CDialog
{
public:
    CQuestionDlg(CWnd* parent, std::function<void()> onShow) : m_onShow(std::move(onShow))
    {
        InitModalIndirect(kQuestion, parent);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITDIALOG)
            PostMessage(WM_SHOWN);
        if (message == WM_SHOWN) {
            m_onShow();
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::function<void()> m_onShow;
};

// A termination request posts WM_CLOSE to the main window; one that comes while questions are
// open must not pull the windows from under them and the code that asked them.
TEST_F(UiFramework, ACloseWhileQuestionsAreOpenCancelsThemFirstThenCloses)
{
    HWND main = frame->m_hWnd;
    INT_PTR innerResult = 0;
    bool mainAfterInner = false;
    CQuestionDlg inner(frame, [&] { frame->PostMessage(WM_CLOSE); });
    CQuestionDlg outer(frame, [&] {
        innerResult = inner.DoModal();
        mainAfterInner = ::IsWindow(main) != FALSE;
    });
    EXPECT_EQ(outer.DoModal(), IDCANCEL);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_TRUE(mainAfterInner) << "closed under its questions";
    EXPECT_TRUE(::IsWindow(main)) << "closed under its questions";
    EXPECT_EQ(platform::msg::ModalLoopDepth(), 0);

    // Once they have returned, the request comes again and the program ends as usual.
    EXPECT_EQ(app->Run(), 0);
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}

TEST_F(UiFramework, RunEndsWhenTheMainWindowCloses)
{
    HWND main = frame->m_hWnd;
    frame->PostMessage(WM_CLOSE);
    EXPECT_EQ(app->Run(), 0); // ExitInstance's code
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}

} // namespace

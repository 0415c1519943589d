// CPrintDialog on the common-dialog service.
#include "platform/ui/printing/PrintDialog.h"

#include "platform/gdi/CDC.h"
#include "platform/msg/CommonDialogService.h"
#include "platform/ui/framework/WinApp.h"

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
}

INT_PTR CPrintDialog::DoModal()
{
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::Print;
    request.owner = m_pd.hwndOwner ? m_pd.hwndOwner : (m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr);
    request.flags = m_pd.Flags;
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    if (!answer.accepted)
        return IDCANCEL;
    m_printer = answer.printer;
    m_outputFile = answer.outputFile;
    return IDOK;
}

BOOL CPrintDialog::GetDefaults()
{
    // The printer print setup chose, else the printing system's default queue (an empty name).
    CWinApp* app = AfxGetApp();
    m_printer = app ? app->GetPrinterName() : CString();
    if (app)
        m_devMode = app->GetPrinterMode();
    m_outputFile.Empty();
    return TRUE;
}

BOOL CPrintDialog::CreatePrinterDC(CDC& dc)
{
    return dc.CreatePrinterDC(m_printer, &m_devMode);
}

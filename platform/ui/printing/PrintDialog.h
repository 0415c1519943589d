// CPrintDialog: the print dialog of the host (the common-dialog service), with the printer's
// mode (orientation, paper) that the caller may change before it makes the printer DC. Without
// the dialog (GetDefaults) it takes the default printer. A dialog answer that names an output
// file prints to that file.
#pragma once

#include "platform/core/CString.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/msg/Wnd.h"

constexpr DWORD PD_ALLPAGES = 0x00000000;
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_PRINTTOFILE = 0x00000020;
constexpr DWORD PD_PRINTSETUP = 0x00000040;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RETURNDEFAULT = 0x00000400;
constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

struct PRINTDLG
{
    DWORD Flags { 0 };
    WORD nFromPage { 1 };
    WORD nToPage { 0xFFFF };
    WORD nMinPage { 1 };
    WORD nMaxPage { 0xFFFF };
    WORD nCopies { 1 };
    HWND hwndOwner { nullptr };
};

class CPrintDialog
{
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS
                                                                  | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    virtual ~CPrintDialog() = default;

    // Shows the host's print dialog; IDOK or IDCANCEL.
    virtual INT_PTR DoModal();
    // The default printer without a dialog.
    BOOL GetDefaults();
    // The mode the printer DC is made with; the caller may change it (landscape, paper).
    DEVMODE* GetDevMode() { return &m_devMode; }
    CString GetDeviceName() const { return m_printer; }
    CString GetPrinterName() const { return m_printer; }
    // Where a print-to-file answer goes; empty for a printer.
    CString GetOutputFile() const { return m_outputFile; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    BOOL PrintAll() const { return !(m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)); }
    // Makes a printer DC for the chosen printer and mode into `dc`.
    BOOL CreatePrinterDC(CDC& dc);

    PRINTDLG m_pd;

private:
    DEVMODE m_devMode;
    CString m_printer;
    CString m_outputFile;
    CWnd* m_pParentWnd { nullptr };
};

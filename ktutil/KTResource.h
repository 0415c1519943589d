// KTResource: texts and pictures from a separately loaded resource module (a language or skin
// library), falling back to the program's own module.
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

constexpr int KTRES_OK = 0;
constexpr int KTRES_NO_DIALOG = -3;
constexpr int KTRES_DIALOG_EXISTS = -4;
constexpr int KTRES_FREE_FAILED = -3002;
constexpr int KTRES_LOAD_FAILED = -3003;
constexpr int KTRES_NO_TEMPLATE = -3004;
constexpr int KTRES_CREATE_FAILED = -3005;

class CDialog;
class CWnd;

class KTResource
{
public:
    KTResource() = default;
    KTResource(const KTResource&) = delete;
    KTResource& operator=(const KTResource&) = delete;
    virtual ~KTResource() { CloseResource(); }

    // Closes the current module (its error is returned), then loads the file: 0, or -3003.
    int OpenResource(LPCTSTR file, LPCTSTR label);
    // Frees the module (-3002 when that fails) and clears the label; 0, also with no module.
    int CloseResource();
    BOOL IsAvailable() const { return m_hModule != nullptr; }
    CString GetLabel() const { return m_strLabel; }

    // The text of the id from the module, or from the program's module when that gives none.
    CString GetString(UINT id) const;
    // A new bitmap (the caller deletes it) from the module, else from the program's module;
    // null when neither has it.
    HBITMAP GetBitmap(UINT id) const;
    // An icon from the module, else from the program's module. Icons are pictures that are
    // drawn at any size, so the size only documents the caller's wish.
    HICON GetIcon(UINT id, int width, int height) const;
    // The dialog template of the id from the module, else from the program's module (-3004 when
    // neither has it): modeless, the dialog's window is created with the parent; otherwise the
    // dialog is prepared for DoModal. -3 for a null dialog, -4 when it has a window already,
    // -3005 when it cannot be made; 0.
    int GetDialog(UINT id, CDialog* dialog, CWnd* parent, BOOL modeless) const;

private:
    CString m_strLabel;
    HINSTANCE m_hModule { nullptr };
};

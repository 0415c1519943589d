// CColorDialog: the colour dialog of the host (the common-dialog service). It starts from the
// colour given (CC_RGBINIT, set by a non-zero initial colour), and GetColor gives the colour the
// user chose once DoModal returned IDOK.
#pragma once

#include "platform/msg/Wnd.h"

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CC_PREVENTFULLOPEN = 0x00000004;
constexpr DWORD CC_SOLIDCOLOR = 0x00000080;
constexpr DWORD CC_ANYCOLOR = 0x00000100;

struct CHOOSECOLOR
{
    DWORD lStructSize { sizeof(CHOOSECOLOR) };
    HWND hwndOwner { nullptr };
    COLORREF rgbResult { 0 };
    DWORD Flags { 0 };
};

class CColorDialog
{
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    virtual ~CColorDialog() = default;

    // IDOK with the chosen colour in GetColor, or IDCANCEL.
    virtual INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);

    CHOOSECOLOR m_cc;

private:
    CWnd* m_pParentWnd { nullptr };
};

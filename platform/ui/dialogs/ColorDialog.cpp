// CColorDialog on the common-dialog service.
#include "platform/ui/dialogs/ColorDialog.h"

#include "platform/msg/CommonDialogService.h"

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_pParentWnd(pParentWnd)
{
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags | (clrInit != 0 ? CC_RGBINIT : 0);
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    platform::msg::CommonDialogRequest request;
    request.kind = platform::msg::CommonDialogKind::Colour;
    request.owner = m_cc.hwndOwner ? m_cc.hwndOwner : (m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr);
    request.flags = m_cc.Flags;
    // Only the colour's own bits: a caller's "default colour" marker is no colour to start from.
    request.colour = (m_cc.Flags & CC_RGBINIT) ? (m_cc.rgbResult & 0x00FFFFFF) : 0;
    platform::msg::CommonDialogAnswer answer = platform::msg::RunCommonDialog(request);
    if (!answer.accepted)
        return IDCANCEL;
    m_cc.rgbResult = answer.colour & 0x00FFFFFF;
    return IDOK;
}

// Helpers of the review station's dialogs.
#include "tarlux/common/ReviewDialogs.h"

#include "ktutil/KTGF.h"

#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/controls/ComboBox.h"

#include <algorithm>

namespace tarlux {

CString LoadText(UINT stringId, bool colon)
{
    CString text = KTGF::GetString(stringId);
    if (colon)
        text += " : ";
    return text;
}

void SetLabelTexts(CWnd& dialog, std::span<const LabelText> labels)
{
    for (const LabelText& label : labels)
        dialog.SetDlgItemText(label.id, LoadText(label.stringId, label.colon));
}

void FillMapCombo(CComboBox& combo, NRConstMap::CMAP_TYPE map, long value)
{
    combo.ResetContent();
    const int size = NRConstMap::GetMapSize(map);
    for (int i = 0; i < size; ++i) {
        const int index = combo.AddString(NRConstMap::GetMapText(map, i));
        const long entry = NRConstMap::GetMapConst(map, i);
        combo.SetItemData(index, static_cast<DWORD_PTR>(entry));
        if (entry == value)
            combo.SetCurSel(index);
    }
}

long SelectedItemData(const CComboBox& combo, long keep)
{
    const int selection = combo.GetCurSel();
    return selection < 0 ? keep : static_cast<long>(combo.GetItemData(selection));
}

void EnableControls(CWnd& dialog, std::span<const int> ids, BOOL enable)
{
    for (const int id : ids)
        if (CWnd* control = dialog.GetDlgItem(id))
            control->EnableWindow(enable);
}

HBRUSH DialogBrushFor(const CBrush& brush, CDC* pDC, CWnd* pWnd, UINT nCtlColor, std::span<const int> ids)
{
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    const bool own = nCtlColor == CTLCOLOR_DLG || std::find(ids.begin(), ids.end(), id) != ids.end();
    if (!own || !brush.GetSafeHandle())
        return nullptr;
    if (pDC)
        pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(brush);
}

bool IsEnterOrEscape(const MSG* pMsg)
{
    return pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE);
}

} // namespace tarlux

// The per-bed dialogs' list and label helpers.
#include "tarvic/dialogs/BedDialogControls.h"

#include "tarvic/app/StationMessages.h"
#include "tarvic/res/BedDialogIds.h"

#include "platform/ui/controls/ComboBox.h"

namespace tarvic::bed {

CString LoadText(UINT stringId, bool colon)
{
    CString text = tarvic::LoadText(stringId);
    if (colon)
        text += " : ";
    return text;
}

void SetLabelTexts(CWnd& dialog, std::span<const LabelText> labels)
{
    for (const LabelText& label : labels)
        dialog.SetDlgItemText(label.id, LoadText(label.stringId, label.colon));
}

int AddListEntry(CWnd& dialog, int id, const CString& text, long value)
{
    const auto index = static_cast<int>(dialog.SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString())));
    if (index >= 0)
        dialog.SendDlgItemMessage(id, CB_SETITEMDATA, WPARAM(index), LPARAM(value));
    return index;
}

void SelectListValue(CWnd& dialog, int id, long value)
{
    const auto count = static_cast<int>(dialog.SendDlgItemMessage(id, CB_GETCOUNT));
    for (int i = 0; i < count; ++i) {
        if (static_cast<long>(dialog.SendDlgItemMessage(id, CB_GETITEMDATA, WPARAM(i))) == value) {
            dialog.SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(i));
            return;
        }
    }
    dialog.SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(-1));
}

void FillMapList(CWnd& dialog, int id, NRConstMap::CMAP_TYPE map, long value)
{
    dialog.SendDlgItemMessage(id, CB_RESETCONTENT);
    const int size = NRConstMap::GetMapSize(map);
    for (int i = 0; i < size; ++i)
        AddListEntry(dialog, id, NRConstMap::GetMapText(map, i), NRConstMap::GetMapConst(map, i));
    SelectListValue(dialog, id, value);
}

void FillNumberList(CWnd& dialog, int id, int first, int last, long value)
{
    dialog.SendDlgItemMessage(id, CB_RESETCONTENT);
    for (int n = first; n <= last; ++n) {
        CString text;
        text.Format("%d", n);
        AddListEntry(dialog, id, text, n);
    }
    SelectListValue(dialog, id, value);
}

void FillPeriodList(CWnd& dialog, int id, long value)
{
    constexpr int kPeriodStep = 5;
    constexpr int kPeriodLast = 120;
    dialog.SendDlgItemMessage(id, CB_RESETCONTENT);
    AddListEntry(dialog, id, LoadText(IDS_OFF), 0);
    const CString minutes = LoadText(IDS_MINUTES);
    for (int period = kPeriodStep; period <= kPeriodLast; period += kPeriodStep) {
        CString text;
        text.Format("%d (%s)", period, minutes.GetString());
        AddListEntry(dialog, id, text, period);
    }
    SelectListValue(dialog, id, value);
}

long SelectedListValue(CWnd& dialog, int id, long keep)
{
    const auto index = static_cast<int>(dialog.SendDlgItemMessage(id, CB_GETCURSEL));
    if (index < 0)
        return keep;
    return static_cast<long>(dialog.SendDlgItemMessage(id, CB_GETITEMDATA, WPARAM(index)));
}

void EnableControls(CWnd& dialog, std::span<const int> ids, BOOL enable)
{
    for (int id : ids)
        if (CWnd* control = dialog.GetDlgItem(id))
            control->EnableWindow(enable);
}

} // namespace tarvic::bed

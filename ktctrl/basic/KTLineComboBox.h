// KTLineComboBox: an owner-drawn drop-down combo box whose items are line samples (a width, as
// that many one-pixel lines, and a pen style), optionally with the width written in front. The
// colour pages fill it with the six pen styles and read the choice back as (width, style).
//
// The combo box owns the LineStyleItem of every item it made (AddLine, SetStyleMode,
// SetWidthMode): each is freed exactly once, when its item is deleted, when the content is
// reset and when the window is destroyed. An item added through CComboBox has no line: it is
// drawn empty, counts as width 0 and never matches SetCurLine. The combo box must have the
// style CBS_OWNERDRAWFIXED.
#pragma once

#include "ktctrl/basic/KTLineListBox.h"
#include "platform/gdi/CBrush.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/dialogs/DataExchange.h"

#include <memory>
#include <vector>

class KTLineComboBox : public CComboBox
{
public:
    // The pen styles SetStyleMode lists, in order.
    static constexpr int s_PenStyles[6] = { PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL };
    // The background of the field and the list, shared by all line combo boxes.
    static CBrush s_brBack;

    KTLineComboBox() = default;
    ~KTLineComboBox() override;

    // Adds an item of `nWidth` lines in pen style `nStyle`; its index, or the control's error.
    int AddLine(int nWidth, int nStyle);
    // One item of width 1 for each pen style.
    void SetStyleMode(int bShowWidth);
    // One solid item for each width from nFirst up to nEnd - 1.
    void SetWidthMode(int nFirst, int nEnd, int bShowWidth);
    void ShowWidth(int bShowWidth);
    // The selected item's line: 1, or 0 without a selection (the outputs are then untouched).
    int GetCurLine(int& nWidth, int& nStyle) const;
    // Selects the first item of that width and style: its index, or -1 (selection unchanged).
    int SetCurLine(int nWidth, int nStyle);
    void ResetContent();

    // The line of an item; null for an item the combo box did not make.
    const LineStyleItem* GetLineItem(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    const LineStyleItem* ItemOf(DWORD_PTR data) const;
    void FreeItem(DWORD_PTR data);

    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);

    int m_bShowWidth { 0 };
    KTLineListBox m_listBox;
    std::vector<std::unique_ptr<LineStyleItem>> m_items; // the lines of the items this box made
};

// Dialog data exchange of the chosen line.
void DDX_LineComboBox(CDataExchange* pDX, KTLineComboBox& combo, int& nWidth, int& nStyle);

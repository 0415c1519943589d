// The line-style combo box.
#include "ktctrl/basic/KTLineComboBox.h"

#include "platform/gdi/CDC.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace {

constexpr UINT kItemHeight = 12;

} // namespace

CBrush KTLineComboBox::s_brBack(GetSysColor(COLOR_WINDOW));

// Destroyed here, while the object is still a line combo box, so that its own WM_DESTROY frees
// the items and the embedded list lets go of the drop-down list first.
KTLineComboBox::~KTLineComboBox()
{
    if (m_hWnd)
        DestroyWindow();
}

// ---- items ----------------------------------------------------------------------------------------

const LineStyleItem* KTLineComboBox::ItemOf(DWORD_PTR data) const
{
    for (auto& item : m_items)
        if (reinterpret_cast<DWORD_PTR>(item.get()) == data)
            return item.get();
    return nullptr;
}

void KTLineComboBox::FreeItem(DWORD_PTR data)
{
    std::erase_if(m_items, [data](const auto& item) { return reinterpret_cast<DWORD_PTR>(item.get()) == data; });
}

const LineStyleItem* KTLineComboBox::GetLineItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return ItemOf(GetItemData(nIndex));
}

int KTLineComboBox::AddLine(int nWidth, int nStyle)
{
    int index = AddString("");
    if (index < 0)
        return index;
    auto item = std::make_unique<LineStyleItem>(nWidth, nStyle);
    if (SetItemData(index, reinterpret_cast<DWORD_PTR>(item.get())) != CB_ERR)
        m_items.push_back(std::move(item));
    return index;
}

void KTLineComboBox::SetStyleMode(int bShowWidth)
{
    ResetContent();
    for (int style : s_PenStyles)
        AddLine(1, style);
    ShowWidth(bShowWidth);
}

void KTLineComboBox::SetWidthMode(int nFirst, int nEnd, int bShowWidth)
{
    ResetContent();
    for (int width = nFirst; width < nEnd; ++width)
        AddLine(width, PS_SOLID);
    ShowWidth(bShowWidth);
}

void KTLineComboBox::ShowWidth(int bShowWidth)
{
    m_bShowWidth = bShowWidth;
    m_listBox.m_bShowWidth = bShowWidth;
}

int KTLineComboBox::GetCurLine(int& nWidth, int& nStyle) const
{
    int index = GetCurSel();
    if (index < 0 || index >= GetCount())
        return 0;
    const LineStyleItem* item = GetLineItem(index);
    nWidth = item ? item->m_nWidth : 0;
    nStyle = item ? item->m_nStyle : PS_SOLID;
    return 1;
}

int KTLineComboBox::SetCurLine(int nWidth, int nStyle)
{
    for (int i = 0, n = GetCount(); i < n; ++i) {
        const LineStyleItem* item = GetLineItem(i);
        if (item && item->m_nWidth == nWidth && item->m_nStyle == nStyle) {
            SetCurSel(i);
            return i;
        }
    }
    return -1;
}

void KTLineComboBox::ResetContent() { CComboBox::ResetContent(); }

// ---- messages -------------------------------------------------------------------------------------

const platform::MessageMap* KTLineComboBox::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_DESTROY, &KTLineComboBox::OnDestroy>(),
        platform::msgmap::CtlColor<&KTLineComboBox::OnCtlColor>(),
        ReflectCtlColor<&KTLineComboBox::CtlColor>(),
        // Every deletion passes here, whoever asks for it, so each line is freed once.
        Message<CB_DELETESTRING, &KTLineComboBox::OnDeleteString>(),
        Message<CB_RESETCONTENT, &KTLineComboBox::OnResetContent>(),
    };
    static constexpr platform::MessageMap kMap { &CComboBox::GetThisMessageMap, kEntries };
    return &kMap;
}

LRESULT KTLineComboBox::OnDeleteString(WPARAM wParam, LPARAM)
{
    const int index = static_cast<int>(wParam);
    const bool exists = index >= 0 && index < GetCount();
    const DWORD_PTR data = exists ? GetItemData(index) : 0;
    LRESULT result = CWnd::Default();
    if (exists && result != CB_ERR)
        FreeItem(data);
    return result;
}

LRESULT KTLineComboBox::OnResetContent(WPARAM, LPARAM)
{
    LRESULT result = CWnd::Default();
    m_items.clear();
    return result;
}

void KTLineComboBox::OnDestroy()
{
    m_items.clear();
    CWnd::Default();
}

HBRUSH KTLineComboBox::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The drop-down list's first colour request hands the list to the embedded list box.
    if (nCtlColor == CTLCOLOR_LISTBOX && pWnd && !m_listBox.m_hWnd && pWnd->m_hWnd != m_hWnd) {
        m_listBox.m_itemOf = [this](DWORD_PTR data) { return ItemOf(data); };
        if (m_listBox.SubclassWindow(pWnd->m_hWnd)) {
            m_listBox.SendMessage(WM_NCPAINT, 1);
            m_listBox.Invalidate();
        }
    }
    return CtlColor(pDC, nCtlColor);
}

HBRUSH KTLineComboBox::CtlColor(CDC* pDC, UINT nCtlColor)
{
    if ((nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX) && pDC) {
        pDC->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
        pDC->SetBkColor(GetSysColor(COLOR_WINDOW));
    }
    return s_brBack;
}

// ---- drawing ----------------------------------------------------------------------------------------

void KTLineComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    const LineStyleItem* item = index >= 0 ? ItemOf(lpDrawItemStruct->itemData) : nullptr;
    KTLineListBox::DrawLineItem(lpDrawItemStruct, item, m_bShowWidth);
}

void KTLineComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) { lpMeasureItemStruct->itemHeight = kItemHeight; }

// ---- data exchange ------------------------------------------------------------------------------------

void DDX_LineComboBox(CDataExchange* pDX, KTLineComboBox& combo, int& nWidth, int& nStyle)
{
    if (pDX->m_bSaveAndValidate)
        combo.GetCurLine(nWidth, nStyle);
    else
        combo.SetCurLine(nWidth, nStyle);
}

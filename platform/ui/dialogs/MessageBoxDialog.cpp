// The drawn message box.
#include "platform/ui/dialogs/MessageBoxDialog.h"

#include "platform/core/ResourceModule.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"
#include "platform/ui/controls/Static.h"

#include <algorithm>
#include <memory>

namespace {

// Button texts in the layer's string table.
constexpr UINT kButtonTextBase = 0xF120;

const platform::StringEntry kStrings[] = {
    { kButtonTextBase + IDOK, "OK" },         { kButtonTextBase + IDCANCEL, "Cancel" }, { kButtonTextBase + IDABORT, "&Abort" },
    { kButtonTextBase + IDRETRY, "&Retry" },  { kButtonTextBase + IDIGNORE, "&Ignore" }, { kButtonTextBase + IDYES, "&Yes" },
    { kButtonTextBase + IDNO, "&No" },
};
platform::ResourceModuleRegistration s_strings("Platform", { .strings = kStrings });

// The buttons of each type, in order.
std::vector<int> ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return { IDOK, IDCANCEL };
    case MB_ABORTRETRYIGNORE: return { IDABORT, IDRETRY, IDIGNORE };
    case MB_YESNOCANCEL: return { IDYES, IDNO, IDCANCEL };
    case MB_YESNO: return { IDYES, IDNO };
    case MB_RETRYCANCEL: return { IDRETRY, IDCANCEL };
    default: return { IDOK };
    }
}

// Pixel sizes of the layout.
constexpr int kMargin = 11;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;

int ToDluX(int px, SIZE units) { return (px * 4 + units.cx - 1) / units.cx; }
int ToDluY(int px, SIZE units) { return (px * 8 + units.cy - 1) / units.cy; }

} // namespace

const platform::MessageMap* CMessageBoxDialog::GetThisMessageMap()
{
    using namespace platform::msgmap;
    static constexpr platform::MessageMapEntry kEntries[] = {
        Message<WM_DRAWITEM, &CMessageBoxDialog::OnDrawItem>(),
    };
    static constexpr platform::MessageMap kMap { &CDialog::GetThisMessageMap, kEntries };
    return &kMap;
}

CMessageBoxDialog::CMessageBoxDialog(const platform::msg::MessageBoxRequest& request) : m_request(request)
{
    m_buttons = ButtonsOf(request.type);
    std::size_t defaultIndex = (request.type & MB_DEFMASK) >> 8;
    m_defaultButton = m_buttons[std::min(defaultIndex, m_buttons.size() - 1)];
    if (m_request.caption.IsEmpty())
        m_request.caption = platform::msg::DefaultMessageBoxCaption();
    Layout();
    InitModalIndirect(m_template, request.owner ? CWnd::FromHandle(request.owner) : nullptr);
}

// Measures the text in the dialog font and places the icon, the text and the buttons.
void CMessageBoxDialog::Layout()
{
    SIZE units = platform::ui::DialogBaseUnits(platform::ui::DefaultControlFont());
    CRect text(0, 0, kMaxTextWidth, 0);
    HDC hdc = ::GetDC(nullptr);
    if (CDC* dc = CDC::FromHandle(hdc)) {
        int saved = dc->SaveDC();
        dc->SelectObject(reinterpret_cast<HGDIOBJ>(platform::ui::DefaultControlFont()));
        dc->DrawText(m_request.text, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
        dc->RestoreDC(saved);
    }
    ::ReleaseDC(nullptr, hdc);
    bool icon = m_request.Icon() != 0;
    int textLeft = kMargin + (icon ? kIconSize + kIconGap : 0);
    int contentHeight = std::max<int>(text.Height(), icon ? kIconSize : 0);
    int buttonsWidth = static_cast<int>(m_buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    int width = std::max(textLeft + text.Width() + kMargin, buttonsWidth + 2 * kMargin);
    int buttonsTop = kMargin + contentHeight + kMargin + 4;
    int height = buttonsTop + kButtonHeight + kMargin;

    m_texts.clear();
    m_items.clear();
    auto item = [&](const char* className, std::string text, int id, DWORD style, CRect px) {
        m_texts.push_back(std::move(text));
        m_items.push_back({ className, m_texts.back().c_str(), id, style, ToDluX(px.left, units), ToDluY(px.top, units),
                            ToDluX(px.Width(), units), ToDluY(px.Height(), units) });
    };
    if (icon)
        item("Static", "", kIconId, SS_OWNERDRAW, CRect(kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize));
    int textTop = kMargin + (contentHeight - text.Height()) / 2;
    item("Static", m_request.text.str(), kTextId, SS_LEFT | SS_NOPREFIX,
         CRect(textLeft, textTop, textLeft + text.Width() + 4, textTop + text.Height() + 2));
    int x = (width - buttonsWidth) / 2;
    for (int id : m_buttons) {
        CString label;
        label.LoadString(kButtonTextBase + static_cast<UINT>(id));
        DWORD style = WS_TABSTOP | (id == m_defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (id == m_buttons.front() ? WS_GROUP : 0);
        item("Button", label.str(), id, style, CRect(x, buttonsTop, x + kButtonWidth, buttonsTop + kButtonHeight));
        x += kButtonWidth + kButtonGap;
    }
    m_template = platform::DialogTemplate { 0, nullptr, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOPMOST,
                                            0, 0, ToDluX(width, units), ToDluY(height, units), m_request.caption.GetString(),
                                            "MS Sans Serif", 8, m_items };
}

BOOL CMessageBoxDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDefID(static_cast<UINT>(m_defaultButton));
    GotoDlgCtrl(GetDlgItem(m_defaultButton));
    return FALSE; // the focus is set
}

BOOL CMessageBoxDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id != IDCANCEL && std::find(m_buttons.begin(), m_buttons.end(), id) != m_buttons.end()) {
        EndDialog(id);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CMessageBoxDialog::OnCancel()
{
    if (std::find(m_buttons.begin(), m_buttons.end(), IDCANCEL) != m_buttons.end())
        EndDialog(IDCANCEL);
    else if (m_buttons.size() == 1)
        EndDialog(m_buttons.front());
    // Yes/No and Abort/Retry/Ignore must be answered with a button.
}

// The four icons, drawn with the layer's shapes: stop, question, exclamation, information.
void CMessageBoxDialog::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT dis)
{
    if (nIDCtl != kIconId || !dis)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    if (!dc)
        return;
    CRect r(dis->rcItem);
    dc->FillSolidRect(&r, GetSysColor(COLOR_BTNFACE));
    int saved = dc->SaveDC();
    UINT icon = m_request.Icon();
    COLORREF fill = icon == MB_ICONHAND ? RGB(220, 30, 30) : icon == MB_ICONEXCLAMATION ? RGB(255, 210, 0) : RGB(30, 80, 220);
    CBrush brush(fill);
    CPen pen(PS_SOLID, 1, icon == MB_ICONEXCLAMATION ? RGB(0, 0, 0) : fill);
    dc->SelectObject(&brush);
    dc->SelectObject(&pen);
    if (icon == MB_ICONEXCLAMATION) {
        POINT triangle[] = { { r.left + r.Width() / 2, r.top + 1 }, { r.right - 1, r.bottom - 2 }, { r.left, r.bottom - 2 } };
        dc->Polygon(triangle, 3);
    } else {
        dc->Ellipse(r.left, r.top, r.right, r.bottom);
    }
    const char* glyph = icon == MB_ICONHAND ? "X" : icon == MB_ICONQUESTION ? "?" : icon == MB_ICONEXCLAMATION ? "!" : "i";
    CFont font;
    font.CreateFont(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(icon == MB_ICONEXCLAMATION ? RGB(0, 0, 0) : RGB(255, 255, 255));
    CRect text = r;
    text.top += 2;
    dc->DrawText(glyph, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc->RestoreDC(saved);
}

namespace platform::ui {

namespace {

class DrawnMessageBoxService : public platform::msg::MessageBoxService
{
public:
    int Show(const platform::msg::MessageBoxRequest& request) override
    {
        CMessageBoxDialog dialog(request);
        auto result = dialog.DoModal();
        return result < 0 ? platform::msg::DefaultMessageBoxAnswer(request.type) : static_cast<int>(result);
    }
};

} // namespace

void InstallDrawnMessageBoxes() { platform::msg::SetMessageBoxService(std::make_shared<DrawnMessageBoxService>()); }

} // namespace platform::ui

// The "Static" window class and CStatic.
#include "platform/ui/controls/Static.h"

#include "platform/gdi/Icon.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/controls/Button.h"
#include "platform/ui/controls/ControlWindow.h"

namespace platform::ui {

namespace {

class StaticWindow : public ControlWindow
{
public:
    using ControlWindow::ControlWindow;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NCHITTEST: return (Style() & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        case WM_GETDLGCODE: return DLGC_STATIC;
        case WM_LBUTTONDOWN:
            if (Style() & SS_NOTIFY)
                Notify(STN_CLICKED);
            return 0;
        case WM_LBUTTONDBLCLK:
            if (Style() & SS_NOTIFY)
                Notify(STN_DBLCLK);
            return 0;
        case STM_SETIMAGE:
        case STM_SETICON: {
            HANDLE old = m_image;
            m_image = reinterpret_cast<HANDLE>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
            Redraw();
            return reinterpret_cast<LRESULT>(old);
        }
        case STM_GETIMAGE:
        case STM_GETICON: return reinterpret_cast<LRESULT>(m_image);
        default: return ControlWindow::Handle(message, wParam, lParam);
        }
    }

private:
    DWORD Type() const { return Style() & SS_TYPEMASK; }

    void Paint(CDC& dc) override
    {
        CRect client = Client();
        SelectFont(dc);
        HBRUSH background = AskColors(dc, WM_CTLCOLORSTATIC, COLOR_BTNFACE);
        switch (Type()) {
        case SS_BLACKRECT: dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOWFRAME)); return;
        case SS_GRAYRECT: dc.FillSolidRect(&client, GetSysColor(COLOR_BTNSHADOW)); return;
        case SS_WHITERECT: dc.FillSolidRect(&client, GetSysColor(COLOR_WINDOW)); return;
        case SS_BLACKFRAME: dc.FrameRect(&client, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOWFRAME))); return;
        case SS_GRAYFRAME: dc.FrameRect(&client, CBrush::FromHandle(GetSysColorBrush(COLOR_BTNSHADOW))); return;
        case SS_WHITEFRAME: dc.FrameRect(&client, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW))); return;
        case SS_ETCHEDHORZ: dc.DrawEdge(&client, EDGE_ETCHED, BF_TOP); return;
        case SS_ETCHEDVERT: dc.DrawEdge(&client, EDGE_ETCHED, BF_LEFT); return;
        case SS_ETCHEDFRAME: dc.DrawEdge(&client, EDGE_ETCHED, BF_RECT); return;
        case SS_OWNERDRAW: PaintOwnerDrawn(dc, client); return;
        default: break;
        }
        dc.FillRect(&client, CBrush::FromHandle(background));
        if (Style() & SS_SUNKEN)
            dc.DrawEdge(&client, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        if (Type() == SS_BITMAP || Type() == SS_ICON) {
            PaintImage(dc, client);
            return;
        }
        dc.SetBkMode(TRANSPARENT);
        if (!Enabled())
            dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        dc.DrawText(Text(), &client, TextFormat());
    }

    UINT TextFormat() const
    {
        DWORD style = Style();
        UINT format = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        switch (Type()) {
        case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
        case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP: format |= DT_LEFT | DT_SINGLELINE; break;
        default: format |= DT_LEFT | DT_WORDBREAK; break;
        }
        // A vertically centred label is one line.
        if (style & SS_CENTERIMAGE)
            format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
        return format;
    }

    void PaintImage(CDC& dc, const CRect& client)
    {
        if (Type() == SS_ICON) {
            // An icon at its own size in the corner (the classic icon static sizes itself to it).
            if (m_image)
                DrawIconEx(dc.GetSafeHdc(), client.left, client.top, static_cast<HICON>(m_image), 0, 0, 0, nullptr, DI_NORMAL);
            return;
        }
        BITMAP bm {};
        if (Type() != SS_BITMAP || !m_image || !GetObject(static_cast<HBITMAP>(m_image), sizeof(bm), &bm))
            return;
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        HGDIOBJ old = memory.SelectObject(static_cast<HGDIOBJ>(m_image));
        int x = client.left, y = client.top;
        if (Style() & SS_CENTERIMAGE) {
            x += (client.Width() - bm.bmWidth) / 2;
            y += (client.Height() - bm.bmHeight) / 2;
        }
        dc.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }

    void PaintOwnerDrawn(CDC& dc, const CRect& client)
    {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_STATIC;
        dis.CtlID = static_cast<UINT>(Id());
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = Enabled() ? 0 : ODS_DISABLED;
        dis.hwndItem = m_hwnd;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = client;
        if (HWND parent = Parent())
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }

    HANDLE m_image { nullptr };
};

} // namespace

void RegisterStaticClass() { RegisterControlClass<StaticWindow>("Static"); }

} // namespace platform::ui

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    platform::ui::RegisterStandardControls();
    return CWnd::Create("Static", lpszText, dwStyle, rect, pParentWnd, nID);
}

HBITMAP CStatic::SetBitmap(HBITMAP h) { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(h))); }
HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
HICON CStatic::SetIcon(HICON h) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(h))); }
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }

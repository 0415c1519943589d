// KTHyperLink: a static text control turned into a link. The text shows in a link colour
// (another once visited, a third while the pointer is over it), optionally underlined, with a
// hand cursor and a tooltip naming the target; a click opens the target through the shell's
// "open" verb and reports a failure in a message box.
#pragma once

#include "platform/gdi/CFont.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/controls/ToolTipCtrl.h"

class KTHyperLink : public CStatic
{
public:
    KTHyperLink() = default;
    ~KTHyperLink() override;

    void SetURL(const char* url);
    CString GetURL() const { return m_strURL; }
    // A hover colour of -1 means the system highlight colour.
    void SetColors(COLORREF link, COLORREF visited, COLORREF hover = static_cast<COLORREF>(-1));
    COLORREF GetLinkColor() const { return m_crLink; }
    COLORREF GetVisitedColor() const { return m_crVisited; }
    COLORREF GetHoverColor() const { return m_crHover; }
    void SetVisited(int visited);
    int GetVisited() const { return m_bVisited; }
    // Null: the standard hand cursor.
    void SetLinkCursor(HICON cursor);
    HICON GetLinkCursor() const { return m_hLinkCursor; }
    // 1 always underlined, 0 never, -1 only while the pointer is over it.
    void SetUnderline(int mode);
    int GetUnderline() const { return m_nUnderline; }
    void SetAutoSize(int autoSize);
    int IsHover() const { return m_bOverControl; }

    static HINSTANCE GotoURL(const char* target, int showCommand);
    // The message box text for a failed open with this shell result.
    static CString ErrorText(int result);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    static constexpr UINT kTimerId = 100;

protected:
    void PreSubclassWindow() override;

private:
    void PositionWindow();
    void SetDefaultCursor();
    void SelectLinkFont(bool underlined);

    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClicked();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);

    COLORREF m_crLink { 0xEE0000 };
    COLORREF m_crVisited { 0x8B1A55 };
    COLORREF m_crHover { 0x0000FF };
    int m_bOverControl { 0 };
    int m_bVisited { 0 };
    int m_nUnderline { -1 };
    int m_bAdjustToFit { 1 };
    CString m_strURL;
    CFont m_UnderlineFont;
    CFont m_StdFont;
    HICON m_hLinkCursor { nullptr };
    CToolTipCtrl m_ToolTip;
    UINT m_nTimerID { kTimerId };
};

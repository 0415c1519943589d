// KTTipText: a bordered pop-up tip that sizes itself to its text (plus margins) whenever its
// text is set, and can appear after a delay (timer 1).
#pragma once

#include "platform/gdi/CDC.h"
#include "platform/gdi/CFont.h"
#include "platform/msg/Wnd.h"

class KTTipText : public CWnd
{
public:
    static constexpr LPCTSTR kClassName = "KTTipText";
    static constexpr UINT_PTR kShowTimer = 1;

    KTTipText();
    ~KTTipText() override;

    static BOOL RegisterWindowClass(HINSTANCE instance);

    BOOL Create(CPoint point, CWnd* parent, UINT id = 0);
    void ShowDelayed(UINT milliseconds);
    void Cancel();
    void DefaultFont();
    BOOL SetFont(CFont* font);
    void SetMargin(int horizontal, int vertical);
    void SetBkColor(COLORREF colour) { m_crBk = colour; }
    void SetTextColor(COLORREF colour) { m_crText = colour; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void DrawText(CDC* dc, LPCTSTR text, CRect rect, UINT format);

    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnTimer(UINT_PTR id);

    int m_nMarginX { 4 };
    int m_nMarginY { 4 };
    CFont m_font;
    COLORREF m_crBk;
    COLORREF m_crText;
};

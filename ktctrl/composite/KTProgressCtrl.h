// KTProgressCtrl: a progress bar that keeps the common control's range and position but paints
// itself: a gradient of any number of colours (or a brush), a text that changes colour where the
// bar crosses it, and four looks: tied text (only on the bar), rubber (the whole gradient
// squeezed into the filled part), reverse (growing from the far end) and snake (a segment of
// fixed length that runs out at one end and comes back reversed).
#pragma once

#include "platform/core/CString.h"
#include "platform/gdi/CBrush.h"
#include "platform/gdi/CDC.h"
#include "platform/ui/controls/ProgressCtrl.h"

#include <vector>

constexpr DWORD KTPBS_TIED = 0x1000;
constexpr DWORD KTPBS_RUBBER = 0x2000;
constexpr DWORD KTPBS_REVERSE = 0x4000;
constexpr DWORD KTPBS_SNAKE = 0x8000;

// What a drawing step needs: the off-screen context, the style, the drawing area (client less
// borders), the position and the range.
struct __KTPROGRESS_DRAW_INFO
{
    CDC* pDC { nullptr };
    DWORD dwStyle { 0 };
    CRect rcClient;
    int nCurPos { 0 };
    int nLower { 0 };
    int nUpper { 0 };
};

class KTProgressCtrl : public CProgressCtrl
{
public:
    enum ShowTextType { TEXT_PERCENT = 0, TEXT_POSITION = 1 };

    KTProgressCtrl();
    ~KTProgressCtrl() override = default;

    void SetBarColor(COLORREF colour);
    void SetGradientColor(int count, COLORREF colour, ...);
    void AddGradientColor(COLORREF colour);
    COLORREF GetGradientColor(int index) const;
    int GetGradientColorCount() const { return static_cast<int>(m_gradient.size()); }

    void SetBkColor(COLORREF colour);
    void SetTextColor(COLORREF colour);
    void SetTextColorOnBk(COLORREF colour);
    COLORREF GetTextColorOnBk() const { return m_crTextOnBk; }
    void SetBarBrush(CBrush* brush);
    void SetBkBrush(CBrush* brush);
    CBrush* GetBarBrush() const { return m_pBarBrush; }
    CBrush* GetBkBrush() const { return m_pBkBrush; }

    void SetTextType(int type);
    void SetTextFormat(LPCTSTR format);

    void SetStyle_KTPBS(DWORD style);
    void SetStyle_KTPBS(DWORD remove, DWORD add);
    DWORD GetStyle_KTPBS() const { return m_dwStyle; }
    void EnableTied(BOOL enable) { SetStyle_KTPBS(KTPBS_TIED, enable ? KTPBS_TIED : 0); }
    void EnableRubber(BOOL enable) { SetStyle_KTPBS(KTPBS_RUBBER, enable ? KTPBS_RUBBER : 0); }
    void EnableReverse(BOOL enable) { SetStyle_KTPBS(KTPBS_REVERSE, enable ? KTPBS_REVERSE : 0); }
    void EnableSnake(BOOL enable) { SetStyle_KTPBS(KTPBS_SNAKE, enable ? KTPBS_SNAKE : 0); }
    DWORD IsTied() const { return m_dwStyle & KTPBS_TIED; }
    DWORD IsRubber() const { return m_dwStyle & KTPBS_RUBBER; }
    DWORD IsReverse() const { return m_dwStyle & KTPBS_REVERSE; }
    DWORD IsSnake() const { return m_dwStyle & KTPBS_SNAKE; }

    void SetSnakeTailSize(int size);
    int GetSnakeTailSize() const { return m_nTail; }
    int GetSnakeStart() const { return m_nSnakeStart; }

    void SetBorders(int left, int top, int right, int bottom);
    void SetBorders(const CRect& borders) { SetBorders(borders.left, borders.top, borders.right, borders.bottom); }
    CRect GetBorders() const { return m_rcBorders; }

    // The text the bar shows now (empty: none).
    CString GetShownText();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    virtual void DrawMultiGradient(const __KTPROGRESS_DRAW_INFO& info, const CRect& gradient, const CRect& clip);
    virtual void DrawGradient(const __KTPROGRESS_DRAW_INFO& info, const CRect& rect, const CRect& clip, COLORREF from,
                              COLORREF to);
    virtual void DrawText(const __KTPROGRESS_DRAW_INFO& info, const CRect& full, const CRect& bar);
    virtual void DrawClippedText(const __KTPROGRESS_DRAW_INFO& info, const CRect& rect, const CString& text,
                                 const CPoint& origin);
    virtual BOOL SetSnakePos(int& previous, int pos, BOOL relative);
    virtual CString MakeText(const __KTPROGRESS_DRAW_INFO& info);

    // A rectangle measured along the bar (0 at its start) in window coordinates.
    CRect ConvertToReal(const __KTPROGRESS_DRAW_INFO& info, const CRect& virtualRect) const;
    __KTPROGRESS_DRAW_INFO ReadInfo(CDC* pDC);
    void Repaint();

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
    LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);

    std::vector<COLORREF> m_gradient;
    COLORREF m_crBk;
    COLORREF m_crText;
    COLORREF m_crTextOnBk;
    CBrush* m_pBarBrush { nullptr };
    CBrush* m_pBkBrush { nullptr };
    int m_nSnakeStart { 0 };
    int m_nTail { 40 };
    int m_nStep { 10 };
    CRect m_rcBorders { 0, 0, 0, 0 };
    int m_nTextType { TEXT_PERCENT };
    DWORD m_dwStyle { 0 };
    CString m_strFormat { "%d%%" };
};

// The styled edit, combo box and list box: standard controls with KTCtrlBase's colours and
// borders.
//
// KTEdit can be limited to non-negative decimal numbers (real mode); KTComboBox paints flat
// with its own drop-down button and can complete what is typed from its items; KTPrgListBox
// is an owner-drawn list box whose items a derived class draws.
#pragma once

#include "ktctrl/styled/KTCtrlBase.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListBox.h"

class KTEdit : public CEdit, public KTCtrlBase
{
public:
    KTEdit() : KTEdit(0, 0) {}
    KTEdit(UINT style, int realMode) : KTCtrlBase(style), m_bRealMode(realMode) {}

    void EnableInput(int enable) { m_bInputEnabled = enable; }
    void EnableRealMode(int enable);
    int GetNumber() const;
    // The text as one decimal: an optional sign, the digits before the point and the digits
    // after it ("-1.5" is -1.5); 0 for an empty text or without a window.
    double GetReal() const;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void OnKTCtrlBaseChanged() override;

private:
    CString Text() const;
    bool KeyPasses(UINT key) const;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnUpdate();
    void OnKillFocus(CWnd* pNewWnd);
    void OnPaint();
    void OnNcPaint();

    int m_bRealMode { 0 };
    int m_bInputEnabled { 1 };
    void* m_pReserved { nullptr };
    bool m_lastKeySwallowed { false };
};

class KTComboBox : public CComboBox, public KTCtrlBase
{
public:
    KTComboBox() : KTComboBox(3) {}
    explicit KTComboBox(UINT style) : KTCtrlBase(style) {}

    void EnableAutoCompletion(int enable) { m_bAutoComplete = enable; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The drop-down button's area in window coordinates for this style.
    CRect ButtonRect() const;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void OnKTCtrlBaseChanged() override;

private:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnPaint();
    void DrawStyledFrame();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetFocus();
    BOOL OnKillFocus();
    BOOL OnEditUpdate();
    void CompleteTypedText();

    int m_bFocused { 0 };
    int m_bAutoComplete { 0 };
    int m_bButtonPressed { 0 };
    int m_bButtonHot { 0 };
    DWORD m_dwRemovedExStyle { 0 };
    int m_bNoCompletion { 0 };
    bool m_bCompleting { false };
};

class KTPrgListBox : public CListBox, public KTCtrlBase
{
public:
    KTPrgListBox() : KTPrgListBox(3) {}
    explicit KTPrgListBox(UINT style) : KTCtrlBase(style) {}

    void DrawItem(LPDRAWITEMSTRUCT) override {}
    void MeasureItem(LPMEASUREITEMSTRUCT) override {}
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void OnKTCtrlBaseChanged() override;

private:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnPaint();
};

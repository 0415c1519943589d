// KTShadeButton: a KTButton whose background is a shade; KTShadeStatic: a static control on a
// shade; KTShadeDialog: a dialog on a shade that can be dragged by a caption rectangle of its
// own.
#pragma once

#include "ktctrl/buttons/KTButton.h"
#include "ktctrl/draw/KTShade.h"
#include "platform/ui/controls/Static.h"
#include "platform/ui/dialogs/Dialog.h"

// Erases a window's client area with its shade (the static, the dialog and the tab control).
BOOL EraseWithShade(CWnd& wnd, KTShade& shade, CDC* pDC);

class KTShadeButton : public KTButton, public KTShade
{
public:
    KTShadeButton() = default;

protected:
    DWORD OnDrawBackground(CDC* pDC, const RECT* pRect) override;
};

class KTShadeStatic : public CStatic, public KTShade
{
public:
    KTShadeStatic();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    BOOL OnEraseBkgnd(CDC* pDC);
};

class KTShadeDialog : public CDialog, public KTShade
{
public:
    KTShadeDialog();
    explicit KTShadeDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    void SetCaptionRect(int x, int y, int width, int height) { m_rcCaption.SetRect(x, y, x + width, y + height); }
    void SetCaptionRect(const RECT* rect)
    {
        if (rect)
            m_rcCaption = *rect;
    }
    // The dialog builds no shade of its own (a tab control hands it its piece).
    void DoNotInitialize() { m_bInitialized = 1; }
    int IsInitialized() const { return m_bInitialized; }

    BOOL OnInitDialog() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    void SetDialogShade();
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnLButtonDown(UINT nFlags, CPoint point);

    int m_bInitialized { 0 };
    CRect m_rcCaption;
};

// KTTitleTip: the small pop-up that shows the whole text of a grid cell whose text does not
// fit, laid exactly over the cell while the mouse rests on it. A key or a click on it hides it
// and goes on to the grid as if the tip were not there.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/msg/Wnd.h"

class KTTitleTip : public CWnd
{
public:
    KTTitleTip();
    ~KTTitleTip() override;

    BOOL Create(CWnd* parent);
    // Rectangles in the parent's client coordinates; hoverRect and font may be null.
    void Show(CRect rectTitle, const char* text, int xOffset = 0, const RECT* hoverRect = nullptr,
        const LOGFONT* font = nullptr);
    void Hide();

    BOOL PreTranslateMessage(MSG* msg) override;
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    LRESULT OnMouseMoveMsg(WPARAM, LPARAM);
    LRESULT OnPaintMsg(WPARAM, LPARAM);
    // Posts a mouse message at `screen` to the window under it (the parent when that is the
    // tip), as a client message in its client area and a non-client one elsewhere.
    void Forward(UINT message, UINT ncMessage, WPARAM keys, POINT screen);

    CWnd* m_pParentWnd { nullptr };
    CRect m_rectHover;
    CString m_text;
    LOGFONT m_font {};
    bool m_hasFont { false };
};

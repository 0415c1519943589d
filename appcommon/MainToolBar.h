// CMainToolBar: the large picture toolbar across the top of both stations' main windows. It is
// the framework toolbar with its own non-client painting (the borders, the gripper and the
// button-face edge around the buttons) and deaf to the right mouse button, so a click meant for
// a picture never opens anything or reaches the frame.
#pragma once

#include "platform/ui/framework/ToolBar.h"

class CMainToolBar : public CToolBar
{
public:
    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void OnNcPaint();
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
};

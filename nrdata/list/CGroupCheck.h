// CGroupCheck: a check box that sits in the caption of a group box and enables (and, with the
// hide flag, shows) every control inside the box with its check state.
//
// A control counts as inside the box when its window rectangle meets the box's rectangle, even
// in part. A click runs the same check and still reaches the parent as the usual BN_CLICKED.
#pragma once

#include "platform/ui/controls/Button.h"

class CGroupCheck : public CButton
{
public:
    CGroupCheck() = default;

    // Binds the group box with dialog id `id` of the parent.
    void SetGroupbox(UINT id, BOOL hide = FALSE);
    // Binds `groupBox`: its caption is cleared, the check box takes its place in the caption
    // (10 pixels in, as large as its own caption plus the box) just above it in z-order, and
    // the controls inside follow the check state at once.
    void SetGroupbox(CWnd* groupBox, BOOL hide = FALSE);
    // Sets the check state, then updates the controls inside the box.
    void SetCheck(int state);
    // State 1 enables the controls inside the box, 0 and 2 (indeterminate) disable them; with
    // the hide flag, states above 0 show them and the box, and 0 hides them.
    void CheckGroupboxControls();

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    BOOL OnClicked();

private:
    void PlaceInCaption();

    CWnd* m_pGroupbox { nullptr }; // not owned
    int m_bHide { 0 };
};

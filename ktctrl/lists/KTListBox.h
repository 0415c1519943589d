// KTListBox: a list box whose horizontal scroll extent always equals its widest string, so
// long entries can be scrolled into view.
#pragma once

#include "platform/ui/controls/ListBox.h"

class KTListBox : public CListBox
{
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The width a string takes in the control's font, plus 3 pixels.
    int TextWidth(const CString& text) const;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

protected:
    void PreSubclassWindow() override;

private:
    void GrowExtent(LPARAM text);
    void RecomputeExtent();
    int OnCreate(LPCREATESTRUCT cs);
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    LRESULT OnDir(WPARAM wParam, LPARAM lParam);
};

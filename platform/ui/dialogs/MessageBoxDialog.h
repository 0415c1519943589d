// CMessageBoxDialog: the drawn message box, made of the standard controls: the caption, the
// text with its line breaks, one of the four icons and the buttons of the type (OK, OK/Cancel,
// Yes/No, Yes/No/Cancel, Retry/Cancel, Abort/Retry/Ignore), the default one from MB_DEFBUTTONn.
// Escape and the close box answer Cancel when there is a Cancel button (OK when OK stands
// alone). With a window host, InstallDrawnMessageBoxes makes every message box of the process
// one of these; under the null host the message-box service's test hook answers instead.
#pragma once

#include "platform/msg/MessageBoxService.h"
#include "platform/ui/dialogs/Dialog.h"

#include <deque>
#include <string>
#include <vector>

class CMessageBoxDialog : public CDialog
{
public:
    explicit CMessageBoxDialog(const platform::msg::MessageBoxRequest& request);

    BOOL OnInitDialog() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // The ids of the buttons, left to right.
    const std::vector<int>& Buttons() const { return m_buttons; }

    static constexpr int kIconId = 20;
    static constexpr int kTextId = 0xFFFF;

private:
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void Layout();

    platform::msg::MessageBoxRequest m_request;
    std::vector<int> m_buttons;
    std::deque<std::string> m_texts; // the item texts the template points to (stable as it grows)
    std::vector<platform::DialogItem> m_items;
    platform::DialogTemplate m_template {};
    int m_defaultButton { IDOK };
};

namespace platform::ui {
// Shows message boxes as CMessageBoxDialog from now on (a window host calls this).
void InstallDrawnMessageBoxes();
} // namespace platform::ui

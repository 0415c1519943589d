// CTrendVisibleDlg: which parameters one bed's trend shows, and whether its enlarged window
// shows waves. Every click takes effect at once in the bed's own copy of the settings (never
// the station's) and redraws the bed's windows. What the monitor's display mode does not
// measure is cleared and disabled when the dialog opens.
//
// The dialog touches its bed only while the bed is there: when the view reports it gone (a
// disconnect ends the dialog), a later click stores nothing and closes the dialog.
#pragma once

#include "platform/ui/dialogs/Dialog.h"

#include <functional>
#include <span>

class NyraClientInfo;

namespace tarvic::bed {

class CTrendVisibleDlg : public CDialog
{
public:
    // One check box: its id, its text and the parameter data kind whose display flag it shows
    // (0 for the waves of the enlarged window, -1 for one that sets nothing).
    struct Box
    {
        int id;
        UINT stringId;
        int kind;
    };

    static constexpr int IDC_SHOW_WAVEFORM = 1059;
    static constexpr int IDC_ALL = 1058;
    static constexpr int IDC_PARAMETER_GROUP = 1529;
    static constexpr int IDC_MHR = 1531;
    static constexpr int IDC_MSPO2 = 1218;
    static constexpr int IDC_MSPO2_PR = 1535;
    static constexpr int IDC_TEMP = 1221;
    static constexpr int IDC_NIBP = 1220;
    static constexpr int IDC_UC = 1537;
    static constexpr int IDC_IUP = 1536;
    static constexpr int IDC_FECG = 1538;
    static constexpr int IDC_FHR1 = 1539;
    static constexpr int IDC_FHR2 = 1540;
    static constexpr int IDC_FSPO2 = 1541;
    static constexpr int IDC_FSPO2_PR = 1542;
    static constexpr int IDC_FM1 = 1544;
    static constexpr int IDC_FM2 = 1543;
    static constexpr int IDC_MARKER = 1546;
    static constexpr int IDC_STIMULATOR = 1545;

    using ClientGone = std::function<bool()>;

    explicit CTrendVisibleDlg(CWnd* pParent = nullptr, ClientGone gone = {});

    void SetClientInfo(NyraClientInfo* pClient) { m_pClient = pClient; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The boxes of the table, in its order.
    static std::span<const Box> Boxes();

private:
    // Sets a box's check when it is enabled; a disabled box keeps its state.
    void SetBox(int id, BOOL checked);
    // Clears and disables what the display mode does not measure.
    void ApplyDisplayMode(int mode);
    // Writes every flag of the table into the bed's settings copy and redraws its windows;
    // without a bed the dialog closes.
    void Store();
    void OnAll();
    bool HasClient() const;

    NyraClientInfo* m_pClient { nullptr };
    ClientGone m_ClientGone;
};

} // namespace tarvic::bed

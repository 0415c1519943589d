// CSerialPortManager: keeps a serial link open on every configured COM port ("Serial Name1" to
// "Serial Name8", a value above 0 naming a port), hands a link to the view once its monitor has
// sent the connect frame, and switches off links that never show one.
//
// A hidden child window of the view; everything runs on the user-interface thread. Each link's
// own serial thread reports to the link's window, not to this one. The manager owns the links
// it has not handed over and deletes them (joining their threads) when it drops them, so their
// ports can be opened again.
#pragma once

#include "platform/msg/Wnd.h"

#include <vector>

class CTarvicIIView;
class CUSerialEx;

class CSerialPortManager : public CWnd
{
public:
    static constexpr UINT_PTR TIMER_SERIAL_POLL = 101;
    static constexpr UINT kPollPeriodMs = 1000;
    // A link without the monitor's connect frame this long after it was opened is closed.
    static constexpr DWORD kConnectFrameTimeOutMs = 15000;
    // Where a link not handed over reports: here, to nobody.
    static constexpr UINT WM_SERIAL_NOTIFY = 0x590;
    static constexpr int kMaxPorts = 8;

    // Creates the hidden child window of the view (control id 1).
    explicit CSerialPortManager(CTarvicIIView* pView);
    ~CSerialPortManager() override;
    CSerialPortManager(const CSerialPortManager&) = delete;
    CSerialPortManager& operator=(const CSerialPortManager&) = delete;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Drops every link not handed over, reads the configured ports anew and polls every second.
    void Start();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSerialNotify(WPARAM, LPARAM) { return 0; }

    const std::vector<UINT>& GetPorts() const { return m_Ports; }
    // The links not handed over yet.
    int GetLinkCount() const { return static_cast<int>(m_Links.size()); }
    // Of those, the links whose monitor has sent its connect frame (they wait for start-up).
    int GetAnnouncedLinkCount() const;

private:
    void Poll();
    void OpenMissingPorts();
    // Switches the link's notification off and deletes it.
    void Release(CUSerialEx* pLink);

    CTarvicIIView* m_pView;
    std::vector<UINT> m_Ports;
    std::vector<CUSerialEx*> m_Links;
};

// CUSerialEx: the serial link to one monitor. A hidden child window (control id 6010) that the
// central station creates per configured COM port, with the serial thread that owns the port.
//
// Until the monitor's connect frame has been seen the link hunts for it in the bytes that
// arrive; from then on every arrival of at least one frame's worth of bytes is passed to the
// notify target with SendMessage(target, message, SERIAL_NOTIFY_RECEIVED, this). The target is
// first the central station's serial port manager and, after the hand-over, the client of the
// monitor, which takes the bytes with Get and writes frames with Put.
//
// Everything here runs on the thread that created the window, except Put, which may be called
// from any thread.
#pragma once

#include "nyraclient/link/CSerialThread.h"

#include "platform/core/Sync.h"
#include "platform/msg/Wnd.h"

#include <vector>

// The link window's control id.
constexpr UINT IDC_USERIAL = 6010;

// The codes (wParam) of the notify message; lParam is the CUSerialEx.
constexpr WPARAM SERIAL_NOTIFY_OPENED = 0;
constexpr WPARAM SERIAL_NOTIFY_CLOSED = 1;
constexpr WPARAM SERIAL_NOTIFY_RECEIVED = 2;

class CUSerialEx : public CWnd
{
public:
    // Creates the hidden child window of `parent` and starts the serial thread.
    explicit CUSerialEx(CWnd* parent);
    // Stops and joins the serial thread, which closes its port and drops what it queued, then
    // destroys the window. Never waits for the window's own thread, so deleting a connected
    // link cannot deadlock.
    ~CUSerialEx() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Asks the serial thread to open COM<port>. The line is always 115,200 baud 8N1: the other
    // arguments are not used. Returns 1 (also without a serial thread, which does nothing).
    int Connect(UINT port, UINT baud, BYTE byteSize, BYTE parity, BYTE stopBits);
    // Asks the serial thread to close the port. Returns 1.
    int Disconnect();
    // Sets the notify target and message. A target set while the monitor is known and bytes
    // are waiting is told at once, so bytes held for it are not left waiting for more to arrive.
    int SetNotify(CWnd* target, UINT message);

    // Writes the bytes, trying up to 4 times and pausing 10 ms after each attempt but the
    // last (also after one that succeeded): the last attempt's result, 0 without a thread.
    int Put(BYTE* data, int length);
    // Takes up to `size` received bytes in order (0 without a thread).
    int Get(BYTE* buffer, int size);
    // Puts bytes taken with Get back at the head of the received bytes: a reader gives back the
    // start of a frame whose rest has not come yet, so that the queued count (and with it the
    // "a frame's worth is queued" notification) covers every byte no frame was cut from yet.
    void Unget(const BYTE* data, int length);
    // Drops every received byte: 1, or 0 without a thread.
    int ClearRx();

    BOOL IsConnected() const;
    BOOL IsReceived() const;
    // Bytes received and not yet taken (0 without a thread).
    int GetPacketLength() const;
    UINT GetPort() const;
    int GetStatus() const;
    // Whether more than `ms` have passed since the last attempt to open the port (0 without a
    // thread or while there was no attempt since Connect).
    BOOL IsOverTime(DWORD ms) const;

    int IsCentralConnected() const { return m_bCentralConnected; }
    void CentralConnected() { m_bCentralConnected = 1; }
    // Makes the link hunt for the connect frame again.
    void CentralDisconnected() { m_bCentralConnected = 0; }

    // The connect-frame hunt over the received bytes: sets the central-connected flag when a
    // connect frame is found; the bytes after it are put back for the notify target; fewer
    // than 110 bytes without a frame are kept for the next hunt.
    void ProcessDataForTarvic();
    // Bytes kept from the last hunt (a frame's start that may still complete).
    int GetHuntLength() const { return static_cast<int>(m_HuntBytes.size()); }

protected:
    LRESULT OnSerialReceived(WPARAM wParam, LPARAM lParam);
    LRESULT OnSerialOpened(WPARAM wParam, LPARAM lParam);
    LRESULT OnSerialClosed(WPARAM wParam, LPARAM lParam);

private:
    void Notify(WPARAM code);

    CWnd* m_pParent { nullptr };
    CSerialThread* m_pSerialThread { nullptr };
    // A share of the serial thread's end, taken before it ran: waitable after the thread object
    // has deleted itself.
    platform::WaitHandle m_SerialThreadEnd;
    CWnd* m_pNotifyWnd { nullptr };
    UINT m_nNotifyMsg { 0 };
    int m_bCentralConnected { 0 };
    std::vector<BYTE> m_HuntBytes;
    // Counts the Get calls that took bytes, so a notification can tell whether its reader took
    // any.
    unsigned m_nTakes { 0 };
};

// KTSerialEx: a serial port (KTSerial) in a hidden child window (control id 6010). Every 20 ms
// its timer looks at what was received: once the central station is connected it hands the
// waiting bytes over to the notify window; before that it scans them for 110-byte frames
// (0xFE 0xA0 <kind> ... 0xFC) and notifies for each frame of kind 1. The notify message
// carries the waiting byte count and the KTSerialEx.
//
// Everything here runs on the thread of the window.
#pragma once

#include "ktutilex/KTSerial.h"

#include "platform/msg/Wnd.h"

#include <memory>
#include <vector>

constexpr UINT IDC_KTSERIALEX = 6010;

class KTSerialEx : public CWnd
{
public:
    explicit KTSerialEx(CWnd* parent);
    ~KTSerialEx() override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // 0 for a null window or a message below the first user message (1024), else 1.
    int SetNotify(CWnd* wnd, UINT message);
    // Connects a new KTSerial and starts the 20 ms timer: 1, or 0.
    int Connect(UINT port, UINT baud, BYTE byteSize, BYTE stopBits, BYTE parity);

    void ClearRx();
    int Put(const BYTE* data, int length);
    int Get(BYTE* buffer, int length);
    int IsConnected() const;
    int IsReceived() const;
    UINT GetPort() const;
    UINT GetBaud() const;
    BYTE GetParity() const;
    BYTE GetDatabits() const;
    BYTE GetStopbits() const;

    void CentralConnected() { m_bCentralConnected = 1; }
    int IsCentralConnected() const { return m_bCentralConnected; }

    // The frame scan over the remainder of the last scan and what waits now.
    void ProcessDataForTarvic();

    static constexpr UINT_PTR kTimerId = 200;
    static constexpr UINT kTimerPeriodMs = 20;
    static constexpr int kFrameSize = 110;

protected:
    void OnTimer(UINT_PTR id);

private:
    void Notify();

    CWnd* m_pParent { nullptr };
    std::unique_ptr<KTSerial> m_pSerial;
    CWnd* m_pNotifyWnd { nullptr };
    UINT m_nNotifyMsg { 0 };
    int m_bCentralConnected { 0 };
    // The tail of the last scan (fewer than one frame) that a frame may still start in.
    std::vector<BYTE> m_remainder;
};

// One serial port, opened the way every link of the system opens it: exclusively (a second
// open of the same device fails), raw, 115,200 baud, 8 data bits, no parity, 1 stop bit.
//
// The owner's thread waits for received data with WaitForData; any other thread can end that
// wait with WakeUp (a wake-up given while nobody waits is kept for the next wait). A hang-up
// of the far end or a device error also ends the wait, and every later wait returns at once
// with the same answer, so a reader loop never sleeps on a dead device. Reads never block;
// writes wait for room at most for their time-out.
//
// Failures set the thread's last error: 2 no such device, 5 access denied or the port is
// already open, 87 a setting the device does not take, 1460 a write time-out.
//
// Threads: Open, Close, WaitForData and Read belong to one owner thread; Write, Purge,
// BytesQueued and the modem lines may be called from another thread while the port is open;
// WakeUp from any thread at any time. Close must not race a call on another thread.
#pragma once

#include "platform/core/Types.h"

#include <atomic>
#include <string>

namespace platform {

class SerialPort
{
public:
    // Classic parity and stop-bit numbers, as the port description records carry them.
    enum Parity { NoParity = 0, OddParity = 1, EvenParity = 2 };
    enum StopBits { OneStopBit = 0, TwoStopBits = 2 };

    enum class WaitResult { Data, WokenUp, TimedOut, HangUp, Error };

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens port `port` ("COM<port>") through the device mapping (SerialDevices.h).
    bool Open(unsigned port);
    // Opens a device by path (the mapping's answer, or a pseudo-terminal).
    bool OpenDevice(const std::string& devicePath);
    // Drops DTR and RTS, discards both directions and closes; a closed port is left alone.
    void Close();

    bool IsOpen() const { return m_fd >= 0; }
    unsigned GetPort() const { return m_port; }
    const std::string& GetDevicePath() const { return m_devicePath; }

    // Changes the line settings (baud as a number, 5 to 8 data bits, Parity, StopBits).
    bool SetLine(unsigned baud, int dataBits, int parity, int stopBits);

    // Waits until received bytes are waiting, WakeUp was called, the far end hung up, the
    // device failed, or `timeoutMs` passed (-1: no limit). A wake-up is consumed by the wait
    // that reports it.
    WaitResult WaitForData(int timeoutMs);
    void WakeUp();
    // True once a hang-up or device error was seen.
    bool IsBroken() const { return m_broken.load(); }

    // Bytes received and not yet read; -1 when closed or on error.
    int BytesQueued() const;
    // Reads what is waiting, at most `size` bytes, without waiting; -1 on error.
    int Read(void* buffer, int size);
    // Writes all `size` bytes, waiting for room at most `timeoutMs` in all (-1: no limit).
    // Returns the bytes written: fewer than `size` on a time-out (last error 1460), -1 on error.
    int Write(const void* data, int size, int timeoutMs);
    // Discards what is queued in either direction.
    bool Purge(bool received, bool transmit);
    // Modem lines. A device without them (a pseudo-terminal) takes the call without error.
    bool SetDtr(bool on);
    bool SetRts(bool on);

private:
    bool SetModemLine(int line, bool on);
    void MarkBroken();

    int m_fd { -1 };
    int m_wakeFd { -1 }; // eventfd: WakeUp writes, WaitForData reads
    unsigned m_port { 0 };
    std::string m_devicePath;
    std::atomic<bool> m_broken { false };
};

} // namespace platform

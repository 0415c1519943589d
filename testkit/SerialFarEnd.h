// The far end of a serial line for tests of serial links: a pseudo-terminal whose master side the test
// holds while the link opens the slave side as COM<port>, mapped the way a ward PC maps a USB
// adapter. Tests of links pump with testkit::PumpUntil (Pump.h), included here.
#pragma once

#include "platform/net/SerialDevices.h"
#include "testkit/Pump.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace testkit {

using SerialBytes = std::vector<unsigned char>;

class SerialFarEnd
{
public:
    // Opens a pseudo-terminal pair and, unless told not to (the test maps it through an ini
    // file instead), maps its slave as COM<port> in this process.
    explicit SerialFarEnd(unsigned port, bool mapInProcess = true) : m_port(port)
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_slavePath = ptsname(m_master);
        termios tio {};
        tcgetattr(m_master, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_master, TCSANOW, &tio);
        if (mapInProcess)
            platform::SetSerialDevicePath(m_port, m_slavePath);
    }
    ~SerialFarEnd()
    {
        HangUp();
        platform::SetSerialDevicePath(m_port, "");
    }
    SerialFarEnd(const SerialFarEnd&) = delete;
    SerialFarEnd& operator=(const SerialFarEnd&) = delete;

    bool Ok() const { return m_master >= 0 && !m_slavePath.empty(); }
    const std::string& SlavePath() const { return m_slavePath; }
    // The master side, for a test that drives it itself (a sender thread, line-state checks).
    int Master() const { return m_master; }
    // Hands the master side over (to a monitor simulator, which closes it); the port stays
    // mapped until this object goes.
    int Release() { return std::exchange(m_master, -1); }

    void Send(const SerialBytes& bytes)
    {
        ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    void Send(const std::string& bytes)
    {
        ASSERT_EQ(write(m_master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // Reads exactly `count` bytes; gives up (returning what came) after 10 s without any.
    SerialBytes Receive(std::size_t count)
    {
        SerialBytes got;
        while (got.size() < count) {
            unsigned char buffer[512];
            pollfd pfd { m_master, POLLIN, 0 };
            if (poll(&pfd, 1, 10000) <= 0)
                break;
            ssize_t n = read(m_master, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    // The slave's line settings (a pseudo-terminal master reads and sets those of its slave).
    termios LineSettings() const
    {
        termios tio {};
        tcgetattr(m_master, &tio);
        return tio;
    }
    void SetLineSettings(const termios& tio) { tcsetattr(m_master, TCSANOW, &tio); }

    void HangUp()
    {
        if (m_master >= 0)
            close(m_master);
        m_master = -1;
    }

private:
    unsigned m_port;
    int m_master { -1 };
    std::string m_slavePath;
};

} // namespace testkit

// Serial port on termios: exclusive open (TIOCEXCL for other openers, flock because
// TIOCEXCL does not stop a privileged opener), raw line, eventfd wake-up.
#include "platform/net/SerialPort.h"

#include "platform/net/SerialDevices.h"

#include <cerrno>
#include <chrono>
#include <cstdint>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

struct BaudRate
{
    unsigned rate;
    speed_t code;
};

constexpr BaudRate kBaudRates[] = {
    { 300, B300 },       { 600, B600 },       { 1200, B1200 },     { 2400, B2400 },
    { 4800, B4800 },     { 9600, B9600 },     { 19200, B19200 },   { 38400, B38400 },
    { 57600, B57600 },   { 115200, B115200 }, { 230400, B230400 }, { 460800, B460800 },
    { 921600, B921600 },
};

bool FindBaud(unsigned rate, speed_t& code)
{
    for (const auto& b : kBaudRates) {
        if (b.rate == rate) {
            code = b.code;
            return true;
        }
    }
    return false;
}

tcflag_t DataBitsFlag(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    case 8: return CS8;
    default: return 0;
    }
}

// Errors of a modem-line request that only mean "this device has no such line".
bool IsUnsupportedLine(int err) { return err == EINVAL || err == ENOTTY || err == ENOTSUP || err == EIO; }

void FailWith(DWORD error) { SetLastError(error); }

} // namespace

SerialPort::SerialPort() { m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }

SerialPort::~SerialPort()
{
    Close();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

bool SerialPort::Open(unsigned port)
{
    std::string path = SerialDevicePath(port);
    if (path.empty()) {
        FailWith(ERROR_FILE_NOT_FOUND);
        return false;
    }
    if (!OpenDevice(path))
        return false;
    m_port = port;
    return true;
}

bool SerialPort::OpenDevice(const std::string& devicePath)
{
    if (IsOpen()) {
        FailWith(ERROR_ACCESS_DENIED);
        return false;
    }
    int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A device held with TIOCEXCL refuses with EBUSY: the classic answer for a port in
        // use is "access denied".
        FailWith(errno == EBUSY ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        FailWith(ERROR_ACCESS_DENIED);
        return false;
    }
    termios tio {};
    if (::tcgetattr(fd, &tio) != 0) {
        ::close(fd); // not a terminal device
        FailWith(ERROR_INVALID_PARAMETER);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);

    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
        int err = errno;
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        FailWith(ErrorFromErrno(err));
        return false;
    }
    ::tcflush(fd, TCIOFLUSH);

    m_fd = fd;
    m_port = 0;
    m_devicePath = devicePath;
    m_broken = false;
    return true;
}

void SerialPort::Close()
{
    if (m_fd < 0)
        return;
    SetDtr(false);
    SetRts(false);
    ::tcflush(m_fd, TCIOFLUSH);
    ::ioctl(m_fd, TIOCNXCL);
    ::close(m_fd); // also releases the flock
    m_fd = -1;
    m_port = 0;
    m_devicePath.clear();
    m_broken = false;
}

bool SerialPort::SetLine(unsigned baud, int dataBits, int parity, int stopBits)
{
    if (!IsOpen()) {
        FailWith(ERROR_INVALID_HANDLE);
        return false;
    }
    speed_t speed;
    tcflag_t size = DataBitsFlag(dataBits);
    bool validParity = parity == NoParity || parity == OddParity || parity == EvenParity;
    bool validStop = stopBits == OneStopBit || stopBits == TwoStopBits;
    if (!FindBaud(baud, speed) || size == 0 || !validParity || !validStop) {
        FailWith(ERROR_INVALID_PARAMETER);
        return false;
    }
    termios tio {};
    if (::tcgetattr(m_fd, &tio) != 0) {
        FailWith(ErrorFromErrno(errno));
        return false;
    }
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    tio.c_cflag |= size;
    if (parity != NoParity)
        tio.c_cflag |= PARENB | (parity == OddParity ? PARODD : 0);
    if (stopBits == TwoStopBits)
        tio.c_cflag |= CSTOPB;
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        FailWith(ErrorFromErrno(errno));
        return false;
    }
    return true;
}

void SerialPort::MarkBroken() { m_broken = true; }

SerialPort::WaitResult SerialPort::WaitForData(int timeoutMs)
{
    if (!IsOpen()) {
        FailWith(ERROR_INVALID_HANDLE);
        return WaitResult::Error;
    }
    pollfd fds[2] = { { m_fd, POLLIN, 0 }, { m_wakeFd, POLLIN, 0 } };
    for (;;) {
        // A broken device keeps reporting what is left to read, then its state, at once.
        if (m_broken.load()) {
            if (BytesQueued() > 0)
                return WaitResult::Data;
            return WaitResult::HangUp;
        }
        int n = ::poll(fds, 2, timeoutMs);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            FailWith(ErrorFromErrno(errno));
            return WaitResult::Error;
        }
        if (n == 0)
            return WaitResult::TimedOut;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] ssize_t r = ::read(m_wakeFd, &count, sizeof count);
            return WaitResult::WokenUp;
        }
        short ev = fds[0].revents;
        if ((ev & POLLIN) && BytesQueued() > 0)
            return WaitResult::Data;
        if (ev & POLLNVAL) {
            MarkBroken();
            FailWith(ERROR_INVALID_HANDLE);
            return WaitResult::Error;
        }
        if (ev & (POLLHUP | POLLERR)) {
            MarkBroken();
            return WaitResult::HangUp;
        }
        if (ev & POLLIN) {
            // Readable with nothing queued: a read tells whether the line is gone.
            char probe;
            ssize_t r = ::read(m_fd, &probe, 0);
            if (r < 0 && errno != EAGAIN && errno != EINTR) {
                MarkBroken();
                return WaitResult::HangUp;
            }
        }
    }
}

void SerialPort::WakeUp()
{
    if (m_wakeFd < 0)
        return;
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t r = ::write(m_wakeFd, &one, sizeof one);
}

int SerialPort::BytesQueued() const
{
    if (!IsOpen())
        return -1;
    int queued = 0;
    if (::ioctl(m_fd, FIONREAD, &queued) != 0)
        return -1;
    return queued;
}

int SerialPort::Read(void* buffer, int size)
{
    if (!IsOpen()) {
        FailWith(ERROR_INVALID_HANDLE);
        return -1;
    }
    if (size <= 0)
        return 0;
    for (;;) {
        ssize_t n = ::read(m_fd, buffer, static_cast<size_t>(size));
        if (n >= 0)
            return static_cast<int>(n);
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN)
            return 0;
        if (errno == EIO)
            MarkBroken();
        FailWith(ErrorFromErrno(errno));
        return -1;
    }
}

int SerialPort::Write(const void* data, int size, int timeoutMs)
{
    if (!IsOpen()) {
        FailWith(ERROR_INVALID_HANDLE);
        return -1;
    }
    // A device time-out is real time, not the process clock that tests may stop.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    const auto* bytes = static_cast<const unsigned char*>(data);
    int written = 0;
    while (written < size) {
        ssize_t n = ::write(m_fd, bytes + written, static_cast<size_t>(size - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            if (errno == EIO)
                MarkBroken();
            FailWith(ErrorFromErrno(errno));
            return written > 0 ? written : -1;
        }
        int waitMs = -1;
        if (timeoutMs >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                FailWith(ERROR_TIMEOUT);
                return written;
            }
            waitMs = static_cast<int>(left);
        }
        pollfd pfd { m_fd, POLLOUT, 0 };
        int r = ::poll(&pfd, 1, waitMs);
        if (r < 0 && errno != EINTR) {
            FailWith(ErrorFromErrno(errno));
            return written > 0 ? written : -1;
        }
        if (r > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)) && !(pfd.revents & POLLOUT)) {
            MarkBroken();
            FailWith(ERROR_INVALID_HANDLE);
            return written > 0 ? written : -1;
        }
    }
    return written;
}

bool SerialPort::Purge(bool received, bool transmit)
{
    if (!IsOpen()) {
        FailWith(ERROR_INVALID_HANDLE);
        return false;
    }
    if (!received && !transmit)
        return true;
    int which = received && transmit ? TCIOFLUSH : (received ? TCIFLUSH : TCOFLUSH);
    if (::tcflush(m_fd, which) != 0) {
        FailWith(ErrorFromErrno(errno));
        return false;
    }
    return true;
}

bool SerialPort::SetModemLine(int line, bool on)
{
    if (!IsOpen()) {
        FailWith(ERROR_INVALID_HANDLE);
        return false;
    }
    if (::ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &line) != 0 && !IsUnsupportedLine(errno)) {
        FailWith(ErrorFromErrno(errno));
        return false;
    }
    return true;
}

bool SerialPort::SetDtr(bool on) { return SetModemLine(TIOCM_DTR, on); }
bool SerialPort::SetRts(bool on) { return SetModemLine(TIOCM_RTS, on); }

} // namespace platform

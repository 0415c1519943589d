// The bedside-monitor simulator: packets built with the packet classes, a descriptor as the
// link, and the monitor's side of the acknowledgements.
#include "tools/monitor-sim/MonitorSim.h"

#include "nyraclient/link/SerialFrame.h"

#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKControl.h"
#include "nrdata/packet/PKMonitor_v110.h"
#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/packet/PKPatient_v110.h"
#include "nrdata/packet/PKProtocolVer.h"
#include "nrdata/packet/PKWave_v110.h"

#include <arpa/inet.h>
#include <cerrno>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <initializer_list>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace monitorsim {

namespace {

template <class P>
Bytes BytesOf(P& packet, std::uint8_t key)
{
    packet.SetKey(key);
    const BYTE* frame = packet.GetPacket();
    return Bytes(frame, frame + packet.GetPacketSize());
}

// The fixed length of each kind the station may send; 0 for none.
int KindLength(std::uint8_t type)
{
    switch (type) {
    case PK_TYPE_CONTROL: return 4;
    case PK_TYPE_PROTOCOL_VER: return 4;
    case PK_TYPE_PATIENT: return 80;
    case PK_TYPE_ALARM: return 60;
    case PK_TYPE_MONITOR: return 56;
    case PK_TYPE_WAVE: return 56;
    case PK_TYPE_PARAM: return 108;
    default: return 0;
    }
}

} // namespace

MonitorSim::MonitorSim() : m_alarm(DefaultAlarmSettings()) {}

MonitorSim::~MonitorSim() { Drop(); }

// ==== link =======================================================================================

bool MonitorSim::ConnectTcp(const std::string& host, int port, const std::string& localAddress)
{
    Drop();
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (!localAddress.empty()) {
        sockaddr_in local {};
        local.sin_family = AF_INET;
        if (inet_pton(AF_INET, localAddress.c_str(), &local.sin_addr) != 1
            || bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
            close(fd);
            return false;
        }
    }
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &addr.sin_addr) != 1
        || connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return false;
    }
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    Adopt(fd, false);
    return true;
}

bool MonitorSim::OpenSerial(const std::string& path)
{
    Drop();
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios tio {};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B115200);
        cfsetospeed(&tio, B115200);
        tcsetattr(fd, TCSANOW, &tio);
    }
    Adopt(fd, true);
    return true;
}

void MonitorSim::Adopt(int fd, bool serial)
{
    m_fd = fd;
    m_serial = serial;
    m_peerClosed = false;
    m_in.clear();
}

void MonitorSim::Drop()
{
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    m_in.clear();
}

void MonitorSim::SetPatient(const std::string& id, const std::string& first, const std::string& last)
{
    m_patientId = id;
    m_firstName = first;
    m_lastName = last;
}

// ==== packets ====================================================================================

Bytes MonitorSim::ControlPacket(std::uint8_t code, std::uint8_t data) const
{
    PKControl packet;
    packet.SetType(code);
    packet.SetData(data);
    return BytesOf(packet, m_key);
}

Bytes MonitorSim::ConnectPacket() const { return ControlPacket(PK_CONTROL_CONNECT, 0); }
Bytes MonitorSim::DisconnectPacket() const { return ControlPacket(PK_CONTROL_DISCONNECT, 0); }

Bytes MonitorSim::VersionPacket() const
{
    PKProtocolVer packet;
    packet.SetVersion(1, 10);
    return BytesOf(packet, m_key);
}

Bytes MonitorSim::MonitorPacket() const
{
    PKMonitor_v110 packet;
    packet.SetModelType(1);
    packet.SetVersion(1, 10);
    packet.SetUnitName("SIM MONITOR");
    packet.SetMonitorNumber(static_cast<BYTE>(m_monitorNumber));
    packet.SetDisplayMode(static_cast<BYTE>(m_displayMode));
    packet.SetECGLead(1);
    packet.SetFetalMovement(static_cast<BYTE>(m_fetalMovement));
    return BytesOf(packet, m_key);
}

Bytes MonitorSim::PatientPacket() const
{
    PKPatient_v110 packet;
    packet.SetPatientId(m_patientId.c_str());
    packet.SetFirstName(m_firstName.c_str());
    packet.SetLastName(m_lastName.c_str());
    packet.SetYear(1994);
    packet.SetMonth(5);
    packet.SetDay(17);
    packet.SetAge(32);
    packet.SetHeight(165.0);
    packet.SetWeight(72.5);
    return BytesOf(packet, m_key);
}

PKAlarm_v110 MonitorSim::DefaultAlarmSettings()
{
    PKAlarm_v110 packet;
    packet.Clear(0);
    // A monitor reports a level for every parameter, on or off (1 low, 2 high; 0 is no level a
    // monitor sends, and an alarm at level 0 is never shown), limits a ward would start from,
    // and a NIBP source (1 systolic). The fetal heart rates alarm at the high level.
    using SetLevel = void (PKAlarm_v110::*)(BYTE);
    for (SetLevel level : { &PKAlarm_v110::SetECGLevel, &PKAlarm_v110::SetSpO2Level, &PKAlarm_v110::SetSpO2RLevel,
                            &PKAlarm_v110::SetNIBPLevel, &PKAlarm_v110::SetTempLevel, &PKAlarm_v110::SetUCLevel,
                            &PKAlarm_v110::SetIUPLevel, &PKAlarm_v110::SetFECGLevel, &PKAlarm_v110::SetFSpO2Level,
                            &PKAlarm_v110::SetFSpO2RLevel })
        (packet.*level)(1);
    packet.SetFHR1Level(2);
    packet.SetFHR2Level(2);
    packet.SetNIBPSource(1);
    packet.SetFHR1AlarmEnable(1);
    packet.SetFHR1Limit(110, 160);
    packet.SetFHR2AlarmEnable(1);
    packet.SetFHR2Limit(110, 160);
    packet.SetUCLimit(0, 100);
    packet.SetUCFreqLimit(0, 90);
    packet.SetECGLimit(50, 120);
    packet.SetSpO2Limit(90, 100);
    packet.SetSpO2RLimit(50, 120);
    packet.SetNIBPLimit(90, 160);
    packet.SetTempLimit(36.0f, 38.0f);
    packet.SetFECGLimit(110, 160);
    packet.SetFSpO2Limit(30, 70);
    packet.SetFSpO2RLimit(110, 160);
    packet.SetIUPLimit(0, 100);
    packet.SetIUPFreqLimit(0, 90);
    return packet;
}

bool MonitorSim::ChangeAlarmSettings(const PKAlarm_v110& settings)
{
    m_alarm = settings;
    return Send(AlarmPacket());
}

Bytes MonitorSim::AlarmPacket() const
{
    PKAlarm_v110 packet(m_alarm);
    return BytesOf(packet, m_key);
}

Bytes MonitorSim::WavePacket()
{
    PKWave_v110 packet;
    for (int i = 0; i < PKWave_v110::kECGSamples; ++i) {
        const double t = double(m_waveIndex * PKWave_v110::kECGSamples + i) / 300.0;
        // A heartbeat-like spike every 0.8 s over a slow baseline.
        const double phase = std::fmod(t, 0.8);
        const short ecg = static_cast<short>(phase < 0.04 ? 800 : 40 * std::sin(t * 6.0));
        packet.SetECG(i, ecg);
        packet.SetFECG(i, static_cast<short>(ecg / 4));
    }
    for (int i = 0; i < PKWave_v110::kSpO2Samples; ++i) {
        packet.SetSpO2(i, 50 + static_cast<int>(40 * std::sin(double(m_waveIndex * 3 + i) / 6.0)));
        packet.SetFSpO2(i, 50);
    }
    ++m_waveIndex;
    return BytesOf(packet, m_key);
}

Bytes MonitorSim::ParamPacket()
{
    PKParam_v110 packet;
    packet.Clear(0xFF);
    packet.SetTimeStamp(m_sequence);
    const long quarter = long(m_sequence) * 4;
    int fhr1 = PK_NODATA_BYTE; // the second's last heart rate, as the monitor shows it
    for (int i = 0; i < PKParam_v110::kSamples; ++i) {
        const long q = quarter + i * 4 / PKParam_v110::kSamples;
        // The trace writes 0 where the transducer lost the heart: no data, not 0 bpm.
        const int fhr = m_steadyFhr > 0 ? m_steadyFhr : m_trace.FhrAt(q);
        packet.SetFHR1(i, fhr > 0 ? static_cast<BYTE>(std::min(fhr, 254)) : PK_NODATA_BYTE);
        if (fhr > 0)
            fhr1 = fhr;
        packet.SetFHR2(i, 0xFF);
        packet.SetUC(i, static_cast<BYTE>(m_trace.UcAt(q)));
        packet.SetFM1(i, 0);
        packet.SetFM2(i, 0);
        // No fetal movement detected (the cleared frame would set both flags).
        packet.SetFMD1(i, 0);
        packet.SetFMD2(i, 0);
        packet.SetECG(i, kMaternalHeartRate);
        packet.SetSpO2(i, kMaternalSpO2);
        packet.SetSpO2R(i, kMaternalHeartRate);
    }
    packet.SetTemp(kMaternalTemp);
    SetAlarmCauses(packet, fhr1);
    // No event was marked: the cleared frame would otherwise set every event flag.
    packet.SetMarker(0);
    packet.SetStimulator(0);
    ++m_sequence;
    return BytesOf(packet, m_key);
}

void MonitorSim::SetAlarmCauses(PKParam_v110& packet, int fhr1) const
{
    // Every cause byte is written: 0 is "Normal", and a byte left at the frame's 0xFF would read
    // as an alarm at the station. Parameters this monitor does not measure (FHR2, FECG, FSpO2,
    // NIBP, IUP) and UC (whose causes are about contraction length and rate) stay normal.
    for (auto set : { &PKParam_v110::SetFHR1Alarm, &PKParam_v110::SetFHR2Alarm, &PKParam_v110::SetUCAlarm,
                      &PKParam_v110::SetECGAlarm, &PKParam_v110::SetSpO2Alarm, &PKParam_v110::SetNIBPAlarm,
                      &PKParam_v110::SetTempAlarm, &PKParam_v110::SetFECGAlarm, &PKParam_v110::SetFSpO2Alarm,
                      &PKParam_v110::SetIUPAlarm })
        (packet.*set)(kCauseNormal);
    int lower = 0, upper = 0;
    if (m_alarm.GetFHR1AlarmEnable() != 0 && fhr1 != PK_NODATA_BYTE) {
        m_alarm.GetFHR1Limit(lower, upper);
        packet.SetFHR1Alarm(LimitCause(fhr1, lower, upper));
    }
    if (m_alarm.GetECGAlarmEnable() != 0) {
        m_alarm.GetECGLimit(lower, upper);
        packet.SetECGAlarm(LimitCause(kMaternalHeartRate, lower, upper));
    }
    if (m_alarm.GetSpO2AlarmEnable() != 0) {
        // The SpO2 causes combine the pulse rate's limits with the saturation's lower limit:
        // "% Lower Limit" is 3, with the pulse rate above (4) or below (5) its limits.
        int prLower = 0, prUpper = 0;
        m_alarm.GetSpO2Limit(lower, upper);
        m_alarm.GetSpO2RLimit(prLower, prUpper);
        const BYTE pulse = LimitCause(kMaternalHeartRate, prLower, prUpper);
        const bool saturationLow = kMaternalSpO2 < lower;
        packet.SetSpO2Alarm(!saturationLow ? pulse : pulse == kCauseUpper ? 4 : pulse == kCauseLower ? 5 : 3);
    }
    if (m_alarm.GetTempAlarmEnable() != 0) {
        float tLower = 0, tUpper = 0;
        m_alarm.GetTempLimit(tLower, tUpper);
        packet.SetTempAlarm(kMaternalTemp > tUpper ? kCauseUpper : kMaternalTemp < tLower ? kCauseLower : kCauseNormal);
    }
}

BYTE MonitorSim::LimitCause(int value, int lower, int upper)
{
    return value > upper ? kCauseUpper : value < lower ? kCauseLower : kCauseNormal;
}

// ==== sending ====================================================================================

bool MonitorSim::SendRaw(const Bytes& bytes)
{
    std::size_t sent = 0;
    while (m_fd >= 0 && sent < bytes.size()) {
        // A closed TCP link is a failed send, not SIGPIPE (a serial line is no socket).
        ssize_t n = m_serial ? -1 : send(m_fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (m_serial || (n < 0 && errno == ENOTSOCK))
            n = write(m_fd, bytes.data() + sent, bytes.size() - sent);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n < 0 && (errno == EPIPE || errno == ECONNRESET))
                m_peerClosed = true;
            return false;
        }
        sent += std::size_t(n);
    }
    return m_fd >= 0;
}

bool MonitorSim::Send(const Bytes& packet)
{
    if (!m_serial)
        return SendRaw(packet);
    BYTE frame[SERIAL_FRAME_SIZE] {};
    if (packet.size() > std::size_t(SERIAL_FRAME_MAX_PACKET) || packet.empty())
        return false;
    frame[0] = SERIAL_FRAME_START;
    std::copy(packet.begin(), packet.end(), frame + 1);
    frame[SERIAL_FRAME_SIZE - 1] = SERIAL_FRAME_END;
    return SendRaw(Bytes(frame, frame + SERIAL_FRAME_SIZE));
}

bool MonitorSim::Announce()
{
    return Send(ConnectPacket()) && Send(VersionPacket()) && Send(MonitorPacket()) && Send(PatientPacket())
        && Send(AlarmPacket());
}

bool MonitorSim::SendSecond()
{
    for (int i = 0; i < kWavesPerSecond; ++i)
        if (!Send(WavePacket()))
            return false;
    return Send(ParamPacket());
}

// ==== faults =====================================================================================

bool MonitorSim::InjectGarbage(int count)
{
    // Bytes that start no packet kind and no frame.
    Bytes bytes(std::size_t(count > 0 ? count : 0));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(0x10 + i % 0x60);
    return SendRaw(bytes);
}

Bytes MonitorSim::WithWrongKey(Bytes packet)
{
    if (!packet.empty())
        packet.back() = static_cast<std::uint8_t>(packet.back() + 0x40);
    return packet;
}

Bytes MonitorSim::WithWrongSize(Bytes packet)
{
    if (!packet.empty())
        packet.pop_back();
    return packet;
}

void MonitorSim::JumpSequenceBack(std::uint32_t seconds)
{
    m_sequence = seconds > m_sequence ? 0 : m_sequence - seconds;
}

// ==== reading ====================================================================================

void MonitorSim::Handle(const Bytes& packet, std::vector<Reply>& out)
{
    out.push_back(Reply { packet });
    const std::uint8_t type = packet[0];
    if (type == PK_TYPE_CONTROL) {
        // The station's ACK of our connect notice carries the key of our bed.
        if (packet[1] == PK_CONTROL_ACK && packet[2] == PK_CONTROL_CONNECT)
            m_key = packet[3];
        return;
    }
    if (!m_answerSettings || (type != PK_TYPE_PATIENT && type != PK_TYPE_ALARM && type != PK_TYPE_MONITOR))
        return;
    // Alarm settings the monitor takes are what it judges its numbers by from now on.
    if (type == PK_TYPE_ALARM) {
        PKAlarm_v110 settings;
        if (settings.SetPacket(packet.data(), int(packet.size()), FALSE) != 0)
            m_alarm = settings;
    }
    Send(ControlPacket(PK_CONTROL_ACK, type));
}

void MonitorSim::Parse(std::vector<Reply>& out)
{
    std::size_t pos = 0;
    if (m_serial) {
        while (m_in.size() - pos >= std::size_t(SERIAL_FRAME_SIZE)) {
            const std::uint8_t* at = m_in.data() + pos;
            const int length = KindLength(at[1]);
            if (at[0] == SERIAL_FRAME_START && at[SERIAL_FRAME_SIZE - 1] == SERIAL_FRAME_END && length > 0) {
                Handle(Bytes(at + 1, at + 1 + length), out);
                pos += SERIAL_FRAME_SIZE;
            } else {
                ++pos;
            }
        }
    } else {
        while (pos < m_in.size()) {
            const int length = KindLength(m_in[pos]);
            if (length == 0) {
                ++pos;
                continue;
            }
            if (m_in.size() - pos < std::size_t(length))
                break;
            Handle(Bytes(m_in.begin() + long(pos), m_in.begin() + long(pos) + length), out);
            pos += std::size_t(length);
        }
    }
    m_in.erase(m_in.begin(), m_in.begin() + long(pos));
}

std::vector<Reply> MonitorSim::Poll(int timeoutMs)
{
    std::vector<Reply> out;
    if (m_fd < 0)
        return out;
    pollfd pfd { m_fd, POLLIN, 0 };
    while (poll(&pfd, 1, timeoutMs) > 0) {
        std::uint8_t buffer[4096];
        const ssize_t n = read(m_fd, buffer, sizeof buffer);
        if (n <= 0) {
            if (n == 0 || errno == EIO)
                m_peerClosed = true;
            break;
        }
        m_in.insert(m_in.end(), buffer, buffer + n);
        timeoutMs = 0;
    }
    Parse(out);
    return out;
}

std::vector<Reply> MonitorSim::WaitReplies(std::size_t count, int timeoutMs)
{
    std::vector<Reply> all;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (all.size() < count && !m_peerClosed) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        auto got = Poll(static_cast<int>(left.count()));
        all.insert(all.end(), got.begin(), got.end());
    }
    return all;
}

} // namespace monitorsim

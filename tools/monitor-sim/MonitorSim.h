// MonitorSim: a bedside monitor as the central station sees it, over TCP (bare packets) or a
// serial line (110-byte frames). It announces itself, sends its protocol version, settings,
// patient, alarm settings, waves at the monitor's rate and one parameter packet a second with
// rising sequence numbers, and acknowledges the settings the station sends. Like a monitor it
// judges its own numbers against its alarm settings: while a number is outside its limits (and
// its alarm is on) the parameter packets carry the alarm cause; otherwise every cause is 0
// ("Normal"). Faults can be injected on request. It speaks only the monitor protocol: packets of the seven kinds, ACK
// (0xF1) and NAK (0xF0) control packets, the connect (1) and disconnect (0) notices.
//
// Everything is driven by the caller: a test steps it packet by packet, the program runs it
// on a clock (main.cpp).
#pragma once

#include "tools/monitor-sim/CtgTrace.h"

#include "nrdata/packet/PKAlarm_v110.h"
#include "nrdata/packet/PKParam_v110.h"

#include <cstdint>
#include <string>
#include <vector>

namespace monitorsim {

using Bytes = std::vector<std::uint8_t>;

// One packet the station sent, as the simulator read it.
struct Reply
{
    Bytes packet;
    bool IsAck(std::uint8_t kind) const { return IsControl(0xF1, kind); }
    bool IsNak(std::uint8_t kind) const { return IsControl(0xF0, kind); }
    bool IsControl(std::uint8_t code, std::uint8_t data) const
    {
        return packet.size() == 4 && packet[0] == 0xA0 && packet[1] == code && packet[2] == data;
    }
};

class MonitorSim
{
public:
    static constexpr int kWavesPerSecond = 25;

    MonitorSim();
    ~MonitorSim();
    MonitorSim(const MonitorSim&) = delete;
    MonitorSim& operator=(const MonitorSim&) = delete;

    // ---- link ------------------------------------------------------------------------------
    // `localAddress` (for example "127.0.0.2") makes the monitor come from that address, so
    // that several simulated monitors on one machine are told apart by the station.
    bool ConnectTcp(const std::string& host, int port, const std::string& localAddress = {});
    // A serial device or a pseudo-terminal's side, set raw.
    bool OpenSerial(const std::string& path);
    // Takes over an open descriptor (serial framing when `serial`).
    void Adopt(int fd, bool serial);
    // The dropped-connection fault: the link closes without a disconnect notice.
    void Drop();
    bool IsOpen() const { return m_fd >= 0; }
    bool IsSerial() const { return m_serial; }

    // ---- identity --------------------------------------------------------------------------
    void SetMonitorNumber(int number) { m_monitorNumber = number; }
    void SetDisplayMode(int mode) { m_displayMode = mode; }
    // The monitor's fetal-movement setting (on unless switched off).
    void SetFetalMovement(int on) { m_fetalMovement = on; }
    void SetPatient(const std::string& id, const std::string& first, const std::string& last);
    // The key the station gave with its ACK of the connect notice (0xFF before).
    std::uint8_t Key() const { return m_key; }
    void SetKey(std::uint8_t key) { m_key = key; }
    void LoadTrace(const std::string& path) { m_trace.Load(path); }
    // A steady FHR1 of `bpm` in place of the trace (0: the trace again).
    void SetSteadyFhr(int bpm) { m_steadyFhr = bpm; }

    // ---- alarms ----------------------------------------------------------------------------
    // FHR1 values that lie outside every default limit, for forcing an alarm.
    static constexpr int kHighFhr = 175;
    static constexpr int kLowFhr = 90;
    // The monitor's alarm settings: switch, level and limits per parameter. They start at the
    // defaults below, are what AlarmPacket announces, and are replaced by the alarm settings
    // the station sends (when the simulator acknowledges them).
    const PKAlarm_v110& AlarmSettings() const { return m_alarm; }
    // The monitor's own change of its alarm settings (at its front panel): taken, and sent to
    // the station as a monitor sends its alarm settings whenever they change; false when the
    // packet could not be sent.
    bool ChangeAlarmSettings(const PKAlarm_v110& settings);
    static PKAlarm_v110 DefaultAlarmSettings();
    // The limit causes of the parameter packet's alarm bytes (the same codes for every
    // parameter with limits).
    static constexpr BYTE kCauseNormal = 0;
    static constexpr BYTE kCauseUpper = 1;
    static constexpr BYTE kCauseLower = 2;
    // The cause of `value` against a pair of limits.
    static BYTE LimitCause(int value, int lower, int upper);

    // ---- packets ---------------------------------------------------------------------------
    Bytes ConnectPacket() const;
    Bytes DisconnectPacket() const;
    Bytes ControlPacket(std::uint8_t code, std::uint8_t data) const;
    Bytes VersionPacket() const;
    Bytes MonitorPacket() const;
    Bytes PatientPacket() const;
    Bytes AlarmPacket() const;
    Bytes WavePacket();
    // The next second's parameters; the sequence number rises by one each call.
    Bytes ParamPacket();
    std::uint32_t Sequence() const { return m_sequence; }

    // ---- sending ---------------------------------------------------------------------------
    // Sends one packet (framed on a serial link); false when the link is gone.
    bool Send(const Bytes& packet);
    // Sends bytes as they are, without framing.
    bool SendRaw(const Bytes& bytes);
    // The announcement: connect notice, protocol version, monitor settings, patient, alarm
    // limits.
    bool Announce();
    // One second of data: the monitor's waves and one parameter packet.
    bool SendSecond();

    // ---- faults ----------------------------------------------------------------------------
    bool InjectGarbage(int count);
    // The packet with its key byte changed.
    static Bytes WithWrongKey(Bytes packet);
    // The packet one byte short (on a serial link the frame then ends early).
    static Bytes WithWrongSize(Bytes packet);
    // The next parameter packet counts back `seconds` (a monitor restarted).
    void JumpSequenceBack(std::uint32_t seconds);
    // The next parameter packet counts `seconds` further ahead (a monitor clock that leapt).
    void JumpSequenceAhead(std::uint32_t seconds) { m_sequence += seconds; }

    // ---- reading ---------------------------------------------------------------------------
    // Reads what the station sent within `timeoutMs`, answering its settings packets with
    // ACK and adopting the key from its ACK of a connect notice. Returns the packets read.
    std::vector<Reply> Poll(int timeoutMs);
    // Reads until `count` packets have come in all or `timeoutMs` passed.
    std::vector<Reply> WaitReplies(std::size_t count, int timeoutMs);
    // Whether the station closed the link (a read found its end, or a send its reset).
    bool PeerClosed() const { return m_peerClosed; }
    // Whether the simulator should answer the station's settings with ACK (default yes).
    void SetAnswerSettings(bool answer) { m_answerSettings = answer; }

private:
    // The mother's numbers, steady: inside the default limits.
    static constexpr BYTE kMaternalHeartRate = 82;
    static constexpr BYTE kMaternalSpO2 = 98;
    static constexpr float kMaternalTemp = 36.8f;

    // Writes the ten alarm cause bytes from the packet's numbers (`fhr1`: the second's last heart
    // rate, or no data) and the alarm settings.
    void SetAlarmCauses(PKParam_v110& packet, int fhr1) const;
    void Parse(std::vector<Reply>& out);
    void Handle(const Bytes& packet, std::vector<Reply>& out);

    int m_fd { -1 };
    bool m_serial { false };
    bool m_peerClosed { false };
    bool m_answerSettings { true };
    Bytes m_in;
    std::uint8_t m_key { 0xFF };
    int m_monitorNumber { 1 };
    int m_displayMode { 2 };
    int m_fetalMovement { 1 };
    std::string m_patientId { "SIM-0001" };
    std::string m_firstName { "Jane" };
    std::string m_lastName { "Doe" };
    std::uint32_t m_sequence { 0 };
    long m_waveIndex { 0 };
    int m_steadyFhr { 0 };
    CtgTrace m_trace;
    PKAlarm_v110 m_alarm;
};

} // namespace monitorsim

// fuzz-make-corpus <folder>: writes the seed corpus of every fuzz target into <folder>/<target>/,
// the inputs the project keeps in tools/fuzz/corpus/. Each seed is a case the code meets in
// use: the monitor's announcement and seconds of data, gaps and jumps of its count, garbage,
// foreign keys, more than a work buffer at once; recordings with damaged committed copies;
// settings files as the stations write them and as people edit them.
#include "tools/monitor-sim/MonitorSim.h"

#include "nyraclient/link/SerialFrame.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using monitorsim::Bytes;
using monitorsim::MonitorSim;

constexpr std::uint8_t kKey = 1; // the fuzzed client's key

fs::path s_root;

void Write(const char* target, const char* name, const Bytes& bytes)
{
    const fs::path folder = s_root / target;
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void Append(Bytes& to, const Bytes& bytes)
{
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// A monitor that the fuzzed client knows: it carries the client's key.
struct KeyedMonitor : MonitorSim
{
    KeyedMonitor() { SetKey(kKey); }
};

// ---- monitor streams --------------------------------------------------------------------------

// A stream as pieces: packets, which a serial link carries in frames, and bytes of no packet.
struct Piece
{
    Bytes bytes;
    bool packet { true };
};
using Stream = std::vector<Piece>;

void Append(Stream& to, const Stream& pieces) { to.insert(to.end(), pieces.begin(), pieces.end()); }

Stream Announcement(MonitorSim& sim)
{
    return { { sim.ConnectPacket() }, { sim.VersionPacket() }, { sim.MonitorPacket() },
             { sim.PatientPacket() }, { sim.AlarmPacket() } };
}

Stream Seconds(MonitorSim& sim, int count)
{
    Stream stream;
    for (int s = 0; s < count; ++s) {
        for (int i = 0; i < MonitorSim::kWavesPerSecond; ++i)
            stream.push_back({ sim.WavePacket() });
        stream.push_back({ sim.ParamPacket() });
    }
    return stream;
}

Stream Params(MonitorSim& sim, int count)
{
    Stream stream;
    for (int i = 0; i < count; ++i)
        stream.push_back({ sim.ParamPacket() });
    return stream;
}

Bytes OnTcp(const Stream& stream)
{
    Bytes bytes;
    for (const Piece& piece : stream)
        Append(bytes, piece.bytes);
    return bytes;
}

Bytes OnSerial(const Stream& stream)
{
    Bytes bytes;
    for (const Piece& piece : stream) {
        BYTE frame[SERIAL_FRAME_SIZE];
        if (piece.packet && MakeSerialFrame(piece.bytes.data(), int(piece.bytes.size()), frame) == 1)
            bytes.insert(bytes.end(), frame, frame + SERIAL_FRAME_SIZE);
        else
            Append(bytes, piece.bytes);
    }
    return bytes;
}

// The stream targets' input: the delivery size (two bytes), then the stream.
Bytes Delivered(int delivery, const Bytes& stream)
{
    Bytes input { std::uint8_t((delivery - 1) & 0xFF), std::uint8_t((delivery - 1) >> 8) };
    Append(input, stream);
    return input;
}

void StreamSeeds()
{
    struct Seed
    {
        const char* name;
        int delivery;
        Stream stream;
    };
    KeyedMonitor a, b, c, d, e, f, g;

    Stream gap = Params(c, 3);
    c.ParamPacket();
    c.ParamPacket();
    Append(gap, Params(c, 3));
    Stream back = Params(d, 5);
    d.JumpSequenceBack(4);
    Append(back, Params(d, 3));
    Stream leap = Params(e, 3);
    e.JumpSequenceAhead(3 * 24 * 3600);
    Append(leap, Params(e, 2));
    Stream disconnect = Params(f, 2);
    disconnect.push_back({ f.DisconnectPacket() });
    Append(disconnect, Params(f, 2));
    const Stream foreign = { { MonitorSim::WithWrongKey(g.ParamPacket()) },
                             { MonitorSim::WithWrongSize(g.AlarmPacket()) },
                             { g.ControlPacket(0xF1, 0xB2) },
                             { g.ControlPacket(0x07, 0x00) },
                             { g.ParamPacket() } };
    const Stream garbage = { { { 0x00, 0xFF, 0xC1, 0x13 }, false },
                             { b.VersionPacket() },
                             { { 0xB1, 0x00, 0xFE, 0xFC }, false },
                             { b.ParamPacket() } };

    const Seed seeds[] = {
        { "announcement", 16384, Announcement(a) },
        { "seconds-split", 100, Seconds(a, 2) },
        { "garbage-between", 7, garbage },
        { "gap", 16384, gap },
        { "jump-back", 333, back },
        { "leap-ahead", 16384, leap },
        { "disconnect-then-more", 16384, disconnect },
        { "foreign-keys", 16384, foreign },
        { "more-than-a-buffer", 16384, Params(b, 100) },
    };
    for (const Seed& seed : seeds) {
        Write("stream_tcp", seed.name, Delivered(seed.delivery, OnTcp(seed.stream)));
        Write("stream_serial", seed.name, Delivered(seed.delivery, OnSerial(seed.stream)));
    }
    Bytes broken = OnSerial(Params(b, 2));
    broken[SERIAL_FRAME_SIZE - 1] = 0x00; // the first frame has no end marker
    Write("stream_serial", "broken-frame", Delivered(50, broken));
}

// ---- packets ----------------------------------------------------------------------------------------

void PacketSeeds()
{
    KeyedMonitor sim;
    sim.ParamPacket();
    Write("packet_loaders", "control", sim.ConnectPacket());
    Write("packet_loaders", "version", sim.VersionPacket());
    Write("packet_loaders", "patient", sim.PatientPacket());
    Write("packet_loaders", "alarm", sim.AlarmPacket());
    Write("packet_loaders", "monitor", sim.MonitorPacket());
    Write("packet_loaders", "wave", sim.WavePacket());
    Write("packet_loaders", "param", sim.ParamPacket());
    Write("packet_loaders", "param-foreign-key", MonitorSim::WithWrongKey(sim.ParamPacket()));
    Bytes blank(108, 0xFF);
    blank[0] = 0xC1;
    blank[107] = kKey;
    Write("packet_loaders", "param-blank", blank);
}

// ---- recordings -------------------------------------------------------------------------------------

// Operations of record_update (see there).
Bytes Records(int count, std::uint8_t fill)
{
    Bytes ops{0, std::uint8_t(count)};
    for (int i = 0; i < count; ++i) {
        Bytes record(108, fill);
        record[0] = 0xC1;
        record[1] = std::uint8_t(i);
        Append(ops, record);
    }
    return ops;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        Append(all, part);
    return all;
}

void RecordSeeds()
{
    const Bytes update{2};
    const Bytes snapshot{1, 0x5A, 0xEA, 0x07, 12, 10, 11, 30, 5, 1, 0}; // 2026-12-10 11:30:05
    const Bytes cutIntoRecord{3, 0x00, 0x38, 0x00, 0x00};               // 14,336: inside a record
    const Bytes cutIntoHead{3, 0x10, 0x27, 0x00, 0x00};                 // 10,000
    const Bytes partly{4, 50};
    Write("record_update", "ten-then-update", Join({Records(10, 0x11), update}));
    Write("record_update", "snapshot-between", Join({Records(3, 0x22), update, snapshot, Records(2, 0x23)}));
    Write("record_update", "cut-inside-a-record",
          Join({Records(5, 0x33), update, cutIntoRecord, Records(1, 0x34)}));
    Write("record_update", "cut-inside-the-head", Join({Records(2, 0x44), update, cutIntoHead, snapshot}));
    Write("record_update", "stopped-part-way",
          Join({Records(4, 0x55), update, Records(2, 0x57), partly, update, Records(1, 0x56)}));
}

// ---- settings files ---------------------------------------------------------------------------------

Bytes Ini(const std::string& value, const std::string& file)
{
    Bytes input{std::uint8_t(value.size())};
    input.insert(input.end(), value.begin(), value.end());
    input.insert(input.end(), file.begin(), file.end());
    return input;
}

void IniSeeds()
{
    const std::string stations = "[CENTRAL_DEMO]\nWindow Mode=0\nDemo Mode=0\n\n[CENTRAL_DEFAULT]\n"
                                 "Data Path=/home/ward/Data\nLanguage=3\nRecord Limit=0\n\n[CENTRAL_SYSTEM]\n"
                                 "Broker IP=0\nBroker Port=4500\nHospital Name=MY HOSPITAL\n";
    Write("ini_reader", "stations", Ini("Ward 3", stations));
    Write("ini_reader", "crlf-and-comments",
          Ini("x",
              "; edited by hand\r\n[Station]\r\n  Name  =  Ward 3 \r\nQuoted=\"  padded  \"\r\n[FUZZ]\r\n"
              "value=old\r\n"));
    Write("ini_reader", "injection-refused", Ini("Ward 1\nInjected=999", stations));
    Write("ini_reader", "numbers",
          Ini("4294967299", "[N]\nBig=4294967299\nNeg=-2147483649\nReal=1.5e308\n"
                            "Hex=0x10\nBlank=\n"));
    Write("ini_reader", "odd-lines", Ini("'quoted'", "no section=1\n[unclosed\n[A]\nk\n=v\n[a]\nK=2\n[FUZZ"));
    Write("ini_reader", "no-final-line-end", Ini("", "[FUZZ]\nValue=1\n[B]\nc=d"));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz-make-corpus <folder>\n");
        return 2;
    }
    s_root = argv[1];
    PacketSeeds();
    StreamSeeds();
    RecordSeeds();
    IniSeeds();
    return 0;
}

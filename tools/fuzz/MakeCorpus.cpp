// fuzz-make-corpus <folder>: writes the seed corpus of every fuzz target into <folder>/<target>/,
// the inputs the project keeps in tools/fuzz/corpus/. Each seed is a case the code meets in
// use: the monitor's announcement and seconds of data, gaps and jumps of its count, garbage,
// foreign keys, more than a work buffer at once; recordings with damaged committed copies, and the
// files of recordings a killed station left; settings files as the stations write them and as
// people edit them; XML documents, zip archives and spreadsheet files as other programs write
// them, and with names and numbers that try to escape or overflow.
#include "tools/monitor-sim/MonitorSim.h"

#include "WorkbookParts.h"

#include "nyraclient/link/SerialFrame.h"

#include "ktutilex/zip/CZipWriter.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

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

// Inputs of record_recovery (see there): the files a killed station leaves.
Bytes Interrupted(std::uint8_t flags, std::uint32_t committedLength, std::uint16_t flipAt,
                  const Bytes& working)
{
    Bytes input{flags,
                std::uint8_t(committedLength),
                std::uint8_t(committedLength >> 8),
                std::uint8_t(committedLength >> 16),
                std::uint8_t(committedLength >> 24),
                0,
                std::uint8_t(flipAt),
                std::uint8_t(flipAt >> 8)};
    Append(input, working);
    return input;
}

// `count` seconds of the monitor's parameter records, the one at `jumpAt` counting backwards.
Bytes MonitorRecords(int count, int jumpAt = -1)
{
    MonitorSim monitor;
    Bytes records;
    for (int i = 0; i < count; ++i) {
        if (i == jumpAt)
            monitor.JumpSequenceBack(5);
        Append(records, monitor.ParamPacket());
    }
    return records;
}

void RecoverySeeds()
{
    constexpr std::uint8_t kRealHead = 1, kCommitted = 2;
    constexpr std::uint32_t kHead = 14200, kRecord = 108;
    Write("record_recovery", "commit-lags",
          Interrupted(kRealHead | kCommitted, kHead + 10 * kRecord, 0, MonitorRecords(17)));
    Write("record_recovery", "commit-torn",
          Interrupted(kRealHead | kCommitted, kHead + 13 * kRecord + 50, 0, MonitorRecords(17)));
    Write("record_recovery", "never-committed", Interrupted(kRealHead, 0, 0, MonitorRecords(5)));
    Write("record_recovery", "sequence-breaks",
          Interrupted(kRealHead | kCommitted, kHead + 2 * kRecord, 0, MonitorRecords(9, 6)));
    Write("record_recovery", "copy-differs",
          Interrupted(kRealHead | kCommitted, kHead + 8 * kRecord, std::uint16_t(kHead + 7 * kRecord + 9),
                      MonitorRecords(12)));
    Write("record_recovery", "no-head", Interrupted(kCommitted, 300, 0, Bytes(400, 0x41)));
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

// ---- XML documents ----------------------------------------------------------------------------------

// The input of xml_document: the edit script's length, the script (operations of a kind, an
// argument and a text choice), then the file.
Bytes Xml(const Bytes& script, const std::string& file)
{
    Bytes input{std::uint8_t(script.size())};
    Append(input, script);
    input.insert(input.end(), file.begin(), file.end());
    return input;
}

void XmlSeeds()
{
    // Operations (see xml_document.cpp): 0 root, 1 child by position (argument % 8 - 1), 2 parent,
    // 3 child by name (argument / 8 picks it), 4 delete, 5 add, 6 insert, 7 set text, 8 set a
    // child's text, 9 add under a child, 10 delete all.
    const std::string settings = "<?xml version='1.0'?>\n<Settings><Bed no='1'>first</Bed><Bed no='2'>second"
                                 "</Bed><Ward><Room>3</Room></Ward></Settings>\n";
    Write("xml_document", "settings", Xml({}, settings));
    Write("xml_document", "settings-edited",
          Xml({3, 0, 0, 5, 1 << 3, 2, 6, (2 << 3) | 1, 3, 8, 1, 4, 4, 2, 0, 9, 1 | (3 << 3), 12, 7, 0, 11},
              settings));
    Write("xml_document", "doctype",
          Xml({0, 0, 0, 1, 2, 0, 10, 0, 0, 1, 1, 0, 5, 0, 1, 4, 1, 0, 0, 0, 0, 4, 2, 0},
              "<?xml version='1.0'?>\n<!DOCTYPE Settings [\n<!ELEMENT Settings (Bed*)>\n"
              "<!ELEMENT Bed (#PCDATA)>\n<!ATTLIST Bed no CDATA #REQUIRED>\n<!NOTATION n SYSTEM 'x'>\n]>\n"
              "<Settings><Bed no='1'>first</Bed></Settings>\n"));
    Write("xml_document", "external-type",
          Xml({0, 0, 0, 1, 2, 0, 1, 1, 0, 5, 8, 1, 7, 0, 2},
              "<!DOCTYPE r SYSTEM 'r.dtd'>\n<r><e>&undeclared;</e></r>\n"));
    Write("xml_document", "every-kind",
          Xml({1, 1, 0, 8, 1, 4, 8, 2, 6, 8, 3, 7, 8, 4, 9, 7, 0, 10, 0, 0, 0, 4, 2, 0},
              "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>\n<?style sheet?>\n<!-- top -->\n"
              "<notes xmlns='urn:n' xmlns:p='urn:p'><!--c--><?pi data?><![CDATA[raw <text>]]><p:n a='1'>t&amp;"
              "<b>x</b></p:n>  <empty/></notes>\n"));
    Write("xml_document", "latin1",
          Xml({1, 1, 0, 7, 0, 10}, "<?xml version='1.0' encoding='ISO-8859-1'?>\n<n>M\xFCller</n>\n"));
    Write("xml_document", "without-root", Xml({0, 0, 0, 4, 1, 0, 5, 0, 1}, "<?xml version='1.0'?><r/>"));
}

// ---- zip archives and spreadsheet files -------------------------------------------------------------

Bytes FileBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void AppendText(Bytes& to, const std::string& text) { to.insert(to.end(), text.begin(), text.end()); }

// Info-ZIP's Unicode path field for the name field `nameField`, naming the entry `unicode`.
std::string UnicodePathField(const std::string& nameField, const std::string& unicode)
{
    const auto crc = static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(nameField.data()), static_cast<uInt>(nameField.size())));
    std::string field = "up";
    field += char((unicode.size() + 5) & 0xFF);
    field += char((unicode.size() + 5) >> 8);
    field += char(1);
    for (int shift = 0; shift < 32; shift += 8)
        field += char((crc >> shift) & 0xFF);
    return field + unicode;
}

// zip_unpack's written mode: per entry its name, central extra field and data, each after a
// one-byte length.
Bytes WrittenEntries(const std::vector<std::array<std::string, 3>>& entries)
{
    Bytes input{1};
    for (const auto& entry : entries) {
        for (const std::string& field : entry) {
            input.push_back(std::uint8_t(field.size()));
            AppendText(input, field);
        }
    }
    return input;
}

void ZipSeeds(const fs::path& scratch)
{
    const fs::path archive = scratch / "seed.zip";
    {
        CZipWriter writer;
        writer.Open(archive.string().c_str());
        const std::string notes(3000, 'n');
        writer.OpenNewFile("text/notes.txt", { CTime(1700000000), 0 }, 6);
        writer.WriteNewFile(notes.data(), UINT(notes.size()));
        writer.OpenNewFile("M\xC3\xBCller \xC3\xA9.txt", { CTime(1700000000), 0 }, 9);
        writer.WriteNewFile("name beyond ASCII", 17);
        writer.OpenNewFile("folder/", { CTime(1700000000), 0x10 }, 1);
        writer.OpenNewFile("empty.bin", { CTime(1700000000), 0 }, 2);
        writer.Close("archive comment");
    }
    Bytes raw{0};
    Append(raw, FileBytes(archive));
    Write("zip_unpack", "archive", raw);
    Write("zip_unpack", "climbing-names",
          WrittenEntries({ { "ok.txt", "", "fine" },
                           { "a/b/../../../evil.txt", "", "out" },
                           { "/abs/x.txt", "", "abs" },
                           { "C:\\win\\x.txt", "", "drive" },
                           { "dir\\sub\\x.txt", "", "back" },
                           { "./dot/./y.txt", "", "dot" },
                           { "folder/", "", "" } }));
    Write("zip_unpack", "unicode-names",
          WrittenEntries({ { "M\x81ller.txt", UnicodePathField("M\x81ller.txt", "M\xC3\xBCller.txt"), "cp437" },
                           { "plain.txt", UnicodePathField("plain.txt", "../escape.txt"), "climbs" },
                           { "stale.txt", UnicodePathField("other.txt", "Stale.txt"), "stale" },
                           { "odd.txt", std::string("\x75\x70\xFF\x00\x01", 5), "cut field" } }));
    Write("zip_unpack", "same-name-twice", WrittenEntries({ { "a/x.txt", "", "1" }, { "a\\x.txt", "", "2" } }));
}

// spreadsheet_read's input: the mode, the writes (row, column, text choice), then parts.
struct CellWrite
{
    std::uint16_t row;
    std::uint8_t column;
    std::uint8_t text;
};

Bytes Spreadsheet(std::uint8_t mode, const std::vector<CellWrite>& writes)
{
    Bytes input{mode, std::uint8_t(writes.size())};
    for (const CellWrite& write : writes)
        Append(input, Bytes{std::uint8_t(write.row & 0xFF), std::uint8_t(write.row >> 8), write.column, write.text});
    return input;
}

// A part of the workbook replaced (choice below 128: its index in WorkbookParts.h) or added.
void AppendPart(Bytes& input, std::uint8_t choice, const std::string& text, const std::string& name = "")
{
    input.push_back(choice);
    AppendText(input, name);
    input.push_back(std::uint8_t(text.size() & 0xFF));
    input.push_back(std::uint8_t(text.size() >> 8));
    AppendText(input, text);
}

void SpreadsheetSeeds(const fs::path& scratch)
{
    constexpr std::uint8_t kWorkbookRels = 3, kSheet1 = 4, kSharedStrings = 6, kStyles = 7;
    const auto sheet = [](const std::string& rows) {
        return std::string(workbook::kSheetHead) + rows + workbook::kSheetTail;
    };
    Write("spreadsheet_read", "workbook", Spreadsheet(0, {}));
    Write("spreadsheet_read", "writes",
          Spreadsheet(0, { { 5, 0, 3 }, { 65535, 255, 1 }, { 2, 1, 5 }, { 0, 0, 2 }, { 0, 0, 4 }, { 70, 7, 6 } }));

    Bytes rows = Spreadsheet(0, { { 1, 1, 1 } });
    AppendPart(rows, kSheet1,
               sheet("<row r=\"1\"><c t=\"inlineStr\"><is><t>first</t></is></c></row>"
                     "<row r=\"2147483647\"><c><v>1</v></c></row><row><c><v>2</v></c></row>"
                     "<row r=\"-2147483648\"/><row/><row r=\"4294967297\"/><row r=\"65536\"/><row/>"
                     "<row r=\"x\"/><row><c r=\"IV3\"><v>3</v></c><c/><c r=\"A99999999999\"/></row>"));
    Write("spreadsheet_read", "row-numbers", rows);

    Bytes cells = Spreadsheet(0, { { 0, 2, 1 } });
    AppendPart(cells, kSheet1,
               sheet("<row r=\"1\"><c r=\"C1\" t=\"s\"><v>7</v></c><c r=\"A1\" t=\"s\"><v>-1</v></c>"
                     "<c r=\"B1\" t=\"e\"><v>#N/A</v></c><c t=\"str\"><v>formula</v></c>"
                     "<c t=\"d\"><v>2024-01-02</v></c><c s=\"99999999999\"><v>1e400</v></c></row>"
                     "<row r=\"1\"><c r=\"B1\" t=\"b\"><v>true</v></c></row>"));
    AppendPart(cells, kSharedStrings, "<sst><si><t>only</t></si></sst>");
    AppendPart(cells, kStyles,
               "<styleSheet><numFmts><numFmt numFmtId=\"99999999999\" formatCode=\"[Red]\\\"d\\\"0\"/>"
               "</numFmts><cellXfs><xf numFmtId=\"-1\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>");
    Write("spreadsheet_read", "cell-kinds", cells);

    Bytes escape = Spreadsheet(0, { { 3, 3, 1 } });
    AppendPart(escape, kWorkbookRels,
               "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" Target=\"../../../../etc/passwd\"/>"
               "<Relationship Id=\"rId2\" Type=\"x/worksheet\" Target=\"/../xl/worksheets/sheet2.xml\"/>"
               "</Relationships>");
    AppendPart(escape, 128 + 11, "<worksheet/>", "../evil.xml");
    AppendPart(escape, 128 + 14, "not xml", "/abs/part.xml");
    Write("spreadsheet_read", "climbing-parts", escape);

    const fs::path book = scratch / "seed.xlsx";
    workbook::WritePackage(book.string(), workbook::MinimalParts("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"));
    Bytes whole = Spreadsheet(1, { { 1, 1, 1 } });
    Append(whole, FileBytes(book));
    Write("spreadsheet_read", "as-it-stands", whole);
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
    RecoverySeeds();
    IniSeeds();
    XmlSeeds();
    const fs::path scratch = fs::temp_directory_path() / ("fuzz-make-corpus-" + std::to_string(getpid()));
    fs::create_directories(scratch);
    ZipSeeds(scratch);
    SpreadsheetSeeds(scratch);
    fs::remove_all(scratch);
    return 0;
}

// Fuzz target: the recording file writer's update path. Records and wave snapshots go into the
// working ".TMP" while its committed copy ".FMF" is left as an update that failed or stopped
// part-way may leave it (cut anywhere, or with part of what the next update would write); after
// the last update the ".FMF" is the ".TMP" byte for byte, and the ".TMP" holds the head and
// whole records only.
//
// Input: operations, one byte each, followed by their data:
//   0  append records: a count, then 108 bytes for each
//   1  a wave snapshot: a fill byte, the time (year as two bytes, then five bytes), two leads
//   2  bring the ".FMF" up to date
//   3  cut the ".FMF" to a length (four bytes, taken modulo its length + 1)
//   4  copy up to n (one byte) bytes of the ".TMP" from the ".FMF"'s end onto it
#include "FuzzTarget.h"

#include "testkit/TempFolder.h"

#include "nyraclient/record/CRecordFile.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace nyraclient::record;
using namespace nrdata::record;
using fuzz::Require;

constexpr int kMostOperations = 64;

void AppendRecords(CRecordFile& file, fuzz::Input& in)
{
    const int count = in.Byte() % 32;
    for (int i = 0; i < count; ++i) {
        std::string record = in.Bytes(kRecordSize);
        record.resize(kRecordSize, '\0');
        const ULONGLONG before = file.GetLength();
        Require(file.AppendRecord(reinterpret_cast<const BYTE*>(record.data())) == TRUE,
                "a record is written");
        Require(file.GetLength() == before + kRecordSize, "the file grows by one whole record");
    }
}

void WriteSnapshot(CRecordFile& file, fuzz::Input& in)
{
    const std::vector<BYTE> waves(kWaveAreaSize, in.Byte());
    const int year = in.Word();
    const int month = in.Byte(), day = in.Byte(), hour = in.Byte(), minute = in.Byte(), second = in.Byte();
    const COleDateTime time(year, month, day, hour, minute, second);
    const BYTE lead1 = in.Byte();
    Require(file.WriteSnapshot(waves.data(), time, lead1, in.Byte()) == TRUE, "a snapshot is written");
}

void CutCommitted(const fs::path& committed, fuzz::Input& in)
{
    const std::uint32_t wanted = in.Dword();
    std::error_code error;
    const std::uintmax_t length = fs::file_size(committed, error);
    if (error)
        return;
    fs::resize_file(committed, wanted % (length + 1), error);
}

void ContinueCommitted(const fs::path& working, const fs::path& committed, fuzz::Input& in)
{
    const std::size_t count = in.Byte();
    std::error_code error;
    const std::uintmax_t length = fs::file_size(committed, error);
    if (error)
        return;
    const std::string source = testkit::ReadText(working);
    if (length >= source.size())
        return;
    std::ofstream(committed, std::ios::binary | std::ios::app) << source.substr(std::size_t(length), count);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path working = fs::path(fuzz::ScratchFolder()) / "record.TMP";
    const fs::path committed = fs::path(CommittedPathOf(working.c_str()).GetString());
    fs::remove(working);
    fs::remove(committed);

    HeaderBlock block1{};
    HeaderBlock block2{};
    block1.fill(0x11);
    block2.fill(0x22);
    CRecordFile file;
    Require(file.Create(working.c_str(), block1, block2) == TRUE, "the working file is made");

    fuzz::Input in(data, size);
    for (int operation = 0; operation < kMostOperations && in.Left() > 0; ++operation) {
        switch (in.Byte() % 5) {
        case 0: AppendRecords(file, in); break;
        case 1: WriteSnapshot(file, in); break;
        case 2: file.UpdateFMF(); break;
        case 3: CutCommitted(committed, in); break;
        case 4: ContinueCommitted(working, committed, in); break;
        }
    }
    Require(file.UpdateFMF() == TRUE, "the committed copy is brought up to date");
    const std::string copy = testkit::ReadText(committed);
    file.Close();
    const std::string original = testkit::ReadText(working);
    Require(original.size() == kHeadSize + file.GetRecordCount() * kRecordSize,
            "the working file holds the head and whole records");
    Require(copy == original, "the committed copy is the working file byte for byte");
    fs::remove(working);
    fs::remove(committed);
    return 0;
}

// Fuzz target: finishing an interrupted recording from the files a killed station left. Whatever
// the working ".TMP" and the committed ".FMF" hold, the ".TMP" is only read; a committed copy the
// recovery cannot trust stays byte for byte; a finished one is the working file's head, the whole
// records it had, and after them only working records that continue the recording (kind byte
// 0xC1, sequence numbers rising by one); and a second run finds nothing more to do.
//
// Input:
//   byte     bit 0: the working file starts with a real head (else the input gives its head
//            too); bit 1: a committed copy exists
//   4 bytes  the committed copy's length: that many bytes of the working file (taken modulo its
//            length + 1), then up to 255 bytes of the input (a count byte, then the bytes)
//   2 bytes  an offset into the committed copy whose byte is turned over (0: none)
//   the rest the working file (after the real head when bit 0 is set)
#include "FuzzTarget.h"

#include "nrdata/record/RecordFileFormat.h"
#include "nyraclient/record/CRecordFile.h"
#include "nyraclient/record/RecordRecovery.h"

#include "testkit/TempFolder.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace nyraclient::record;
using namespace nrdata::record;
using fuzz::Require;

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Head()
{
    const HeaderBlock block1 = MakeHeaderBlock1(COleDateTime(2026, 12, 10, 9, 0, 0), nullptr);
    std::string head(kHeadSize, '\0');
    std::copy(block1.begin(), block1.end(), head.begin());
    return head;
}

std::string Record(const std::string& file, ULONGLONG index)
{
    return file.substr(std::size_t(kHeadSize + index * kRecordSize), kRecordSize);
}

UINT StampOf(const std::string& record)
{
    const auto byte = [&](int i) { return UINT(std::uint8_t(record[std::size_t(1 + i)])); };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path working = fs::path(fuzz::ScratchFolder()) / "interrupted.TMP";
    const fs::path committed = fs::path(CommittedPathOf(working.c_str()).GetString());
    fs::remove(working);
    fs::remove(committed);

    fuzz::Input in(data, size);
    const std::uint8_t flags = in.Byte();
    const std::uint32_t committedLength = in.Dword();
    const std::string committedTail = in.Bytes(in.Byte());
    const std::uint16_t flipAt = in.Word();
    const std::string tmp = (flags & 1 ? Head() : std::string()) + in.Bytes(in.Left());
    WriteFile(working, tmp);
    std::string fmf;
    if (flags & 2) {
        fmf = tmp.substr(0, committedLength % (tmp.size() + 1)) + committedTail;
        if (flipAt != 0 && flipAt < fmf.size())
            fmf[flipAt] = char(~fmf[flipAt]);
        WriteFile(committed, fmf);
    }

    const RecoveredRecording result = FinishRecording(working.c_str());
    Require(testkit::ReadText(working.string()) == tmp, "the working file is only read");
    Require(result.status != RecoveryStatus::InUse && result.status != RecoveryStatus::NotCommitted,
            "a file nobody holds on a disk with room is finished or found unreadable");
    const std::string after = testkit::ReadText(committed.string());
    if (result.status == RecoveryStatus::Unreadable) {
        Require(after == fmf && fs::exists(committed) == bool(flags & 2),
                "an untrusted copy stays as it was");
        return 0;
    }
    Require(after.size() == kHeadSize + result.records * kRecordSize,
            "the copy holds the head and whole records");
    const ULONGLONG kept = RecordCountOf(fmf.size());
    Require(result.records >= kept && result.appended == result.records - kept, "no whole record is lost");
    for (ULONGLONG i = 0; i < kept; ++i)
        Require(Record(after, i) == Record(fmf, i), "the copy's records stay");
    if (result.appended > 0) {
        Require(after.compare(0, kHeadSize, tmp, 0, kHeadSize) == 0, "the head is the working file's");
        for (ULONGLONG i = kept; i < result.records; ++i) {
            const std::string record = Record(after, i);
            Require(record == Record(tmp, i), "added records are the working file's");
            Require(record[0] == char(0xC1), "added records are parameter records");
            Require(i == 0 || StampOf(record) == StampOf(Record(tmp, i - 1)) + 1, "added records continue");
        }
    }

    const RecoveredRecording again = FinishRecording(working.c_str());
    Require(again.status == RecoveryStatus::Finished && again.appended == 0 &&
                again.records == result.records && testkit::ReadText(committed.string()) == after,
            "a second run finds nothing more to do");
    fs::remove(working);
    fs::remove(committed);
    return 0;
}

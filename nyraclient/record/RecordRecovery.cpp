// Finishing an interrupted recording from its working file.
#include "nyraclient/record/RecordRecovery.h"

#include "nyraclient/record/CRecordFile.h"
#include "nyraclient/trend/CTrendStore.h"

#include "nrdata/packet/PKParam_v110.h"
#include "nrdata/record/RecordFileFormat.h"

#include "platform/core/File.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace nyraclient::record {

using namespace nrdata::record;

namespace {

using Record = std::array<BYTE, kRecordSize>;

// Records read at a time while the working file is checked.
constexpr ULONGLONG kScanRecords = 600;

CString Describe(const CFileException& error)
{
    char text[512]{};
    error.GetErrorMessage(text, sizeof text);
    return text;
}

bool IsRecordingHead(const std::vector<BYTE>& head)
{
    return std::memcmp(head.data() + kOffMagic, kMagic, sizeof kMagic - 1) == 0 &&
           std::memcmp(head.data() + kOffVersion, kVersion.data(), kVersion.size()) == 0;
}

UINT StampOf(const BYTE* record)
{
    const int at = PKParam_v110::kOffTimeStamp;
    return UINT(record[at]) | UINT(record[at + 1]) << 8 | UINT(record[at + 2]) << 16 |
           UINT(record[at + 3]) << 24;
}

Record ReadRecord(CFile& file, ULONGLONG index)
{
    Record record{};
    file.Seek(LONGLONG(kHeadSize + index * kRecordSize), CFile::begin);
    if (file.Read(record.data(), UINT(record.size())) != record.size())
        AfxThrowFileException(CFileException::endOfFile, -1, file.GetFilePath());
    return record;
}

// What the working file holds that can be trusted.
struct WorkingPart
{
    std::vector<BYTE> head;
    ULONGLONG records{0}; // valid records, counted from the first
    ULONGLONG blanks{0};  // blank ones among them from `blanksFrom` on
};

// Reads the head and walks the records while they continue the recording validly. Raises the
// file layer's exception when the file cannot be read.
WorkingPart ReadWorkingPart(CFile& working, ULONGLONG blanksFrom)
{
    WorkingPart part;
    const ULONGLONG length = working.GetLength();
    if (length < kHeadSize)
        return part;
    part.head.resize(kHeadSize);
    working.SeekToBegin();
    if (working.Read(part.head.data(), UINT(kHeadSize)) != kHeadSize || !IsRecordingHead(part.head)) {
        part.head.clear();
        return part;
    }
    const ULONGLONG whole = RecordCountOf(length);
    std::vector<BYTE> chunk;
    UINT lastStamp = 0;
    for (ULONGLONG at = 0; at < whole;) {
        const ULONGLONG count = std::min(kScanRecords, whole - at);
        chunk.resize(size_t(count * kRecordSize));
        if (working.Read(chunk.data(), UINT(chunk.size())) != chunk.size())
            return part;
        for (ULONGLONG i = 0; i < count; ++i, ++at) {
            const BYTE* record = chunk.data() + i * kRecordSize;
            const UINT stamp = StampOf(record);
            if (record[0] != PK_TYPE_PARAM || (at > 0 && stamp != lastStamp + 1))
                return part;
            lastStamp = stamp;
            if (at >= blanksFrom && CTrendStore::IsBlankEntry(record))
                ++part.blanks;
            part.records = at + 1;
        }
    }
    return part;
}

} // namespace

RecoveredRecording FinishRecording(LPCTSTR workingPath, ULONGLONG blanksFrom)
{
    RecoveredRecording result;
    CFile working;
    CFileException openError;
    if (!working.Open(workingPath, CFile::modeRead | CFile::shareExclusive, &openError)) {
        result.status = openError.m_cause == CFileException::sharingViolation ? RecoveryStatus::InUse
                                                                              : RecoveryStatus::Unreadable;
        result.problem = Describe(openError);
        return result;
    }

    WorkingPart part;
    try {
        part = ReadWorkingPart(working, blanksFrom);
    } catch (CFileException* e) {
        result.problem = Describe(*e);
        e->Delete();
        return result;
    }
    if (part.head.empty()) {
        result.problem = "not a recording file (no head of a recording)";
        return result;
    }

    CFile committed;
    if (!committed.Open(CommittedPathOf(workingPath),
                        CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite |
                            CFile::shareDenyWrite,
                        &openError)) {
        result.status = RecoveryStatus::NotCommitted;
        result.problem = Describe(openError);
        return result;
    }
    try {
        const ULONGLONG have = committed.GetLength();
        const ULONGLONG kept = RecordCountOf(have);
        if (kept > 0 && kept <= part.records &&
            ReadRecord(committed, kept - 1) != ReadRecord(working, kept - 1)) {
            result.problem = "the committed copy does not continue into the working file";
            return result;
        }
        // A torn record at the end of the copy (a commit cut off) is of no use to anyone.
        const ULONGLONG keptLength = have < kHeadSize ? 0 : WholeRecordLength(have);
        if (have != keptLength)
            committed.SetLength(keptLength);
        if (kept <= part.records) {
            // The working file's head is the newer one (a snapshot after the last commit).
            std::vector<BYTE> head(kHeadSize);
            committed.SeekToBegin();
            if (keptLength < kHeadSize || committed.Read(head.data(), UINT(kHeadSize)) != kHeadSize ||
                head != part.head) {
                committed.SeekToBegin();
                committed.Write(part.head.data(), UINT(kHeadSize));
            }
            CopyFileRange(working, committed, kHeadSize + kept * kRecordSize,
                          kHeadSize + part.records * kRecordSize);
        }
        committed.Flush();
        result.records = std::max(kept, part.records);
        result.appended = result.records - kept;
        result.blanks = part.blanks;
        result.status = RecoveryStatus::Finished;
    } catch (CFileException* e) {
        result.status = RecoveryStatus::NotCommitted;
        result.problem = Describe(*e);
        e->Delete();
    }
    return result;
}

} // namespace nyraclient::record

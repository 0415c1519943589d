// The working file of a recording and its committed copy.
#include "nyraclient/record/CRecordFile.h"

#include "platform/core/FileSystem.h"

#include <algorithm>
#include <vector>

namespace nyraclient::record {

using namespace nrdata::record;

namespace {

constexpr char kWorkingExt[] = ".TMP";
constexpr char kCommittedExt[] = ".FMF";
constexpr int kExtLength = 4;
// The ".FMF" is brought up to date in pieces of this size.
constexpr UINT kCopyChunk = 64 * 1024;
// The new records kept for the next update: a demo bed's 1000 records fit.
constexpr size_t kNewRecordsKept = 128 * 1024;

} // namespace

CString CommittedPathOf(const CString& workingPath)
{
    const int length = workingPath.GetLength();
    if (length >= kExtLength && workingPath.Right(kExtLength) == kWorkingExt)
        return workingPath.Left(length - kExtLength) + kCommittedExt;
    return workingPath + kCommittedExt;
}

CString RecordWriteError::Describe(LPCTSTR path) const
{
    char text[512]{};
    CFileException(cause, osError, path).GetErrorMessage(text, sizeof text);
    return text;
}

CRecordFile::~CRecordFile()
{
    Close();
}

void CRecordFile::Close()
{
    if (IsOpen())
        m_file.Abort();
    m_atEnd = false;
}

// ==== creating ===================================================================================

BOOL CRecordFile::Create(LPCTSTR path, const HeaderBlock& block1, const HeaderBlock& block2,
                         CFileException* error)
{
    Close();
    if (GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES) {
        if (error != nullptr) {
            error->m_cause = CFileException::accessDenied;
            error->m_strFileName = path;
        }
        return FALSE;
    }
    if (!m_file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, error))
        return FALSE;
    m_path = path;
    m_committedPath = CommittedPathOf(m_path);
    m_block1 = block1;
    m_headChanged = true;
    try {
        const std::vector<BYTE> waves(kWaveAreaSize, 0);
        m_file.Write(block1.data(), UINT(block1.size()));
        m_file.Write(block2.data(), UINT(block2.size()));
        m_file.Write(waves.data(), UINT(waves.size()));
        m_length = kHeadSize;
        m_atEnd = true;
        m_new.clear();
        m_newFrom = m_length;
    } catch (CFileException* e) {
        if (error != nullptr) {
            error->m_cause = e->m_cause;
            error->m_lOsError = e->m_lOsError;
            error->m_strFileName = path;
        }
        e->Delete();
        m_file.Abort();
        DeleteFile(path);
        return FALSE;
    }
    return TRUE;
}

// ==== writing ====================================================================================

BOOL CRecordFile::AppendRecord(const BYTE* record)
{
    if (!IsOpen() || record == nullptr)
        return FALSE;
    try {
        if (!m_atEnd)
            m_file.Seek(LONGLONG(m_length), CFile::begin);
        m_atEnd = false;
        m_file.Write(record, UINT(kRecordSize));
        if (m_newFrom + m_new.size() == m_length && m_new.size() + kRecordSize <= kNewRecordsKept)
            m_new.insert(m_new.end(), record, record + kRecordSize);
        m_length += kRecordSize;
        m_atEnd = true;
        return TRUE;
    } catch (CFileException* e) {
        NoteWriteError(*e);
        e->Delete();
        CutBackToLength();
        return FALSE;
    }
}

BOOL CRecordFile::WriteSnapshot(const BYTE* waves, const COleDateTime& time, BYTE lead1, BYTE lead2)
{
    if (!IsOpen() || waves == nullptr)
        return FALSE;
    PutRecordTime(m_block1, kOffWaveTime, time);
    m_block1[kOffECGLead1] = lead1;
    m_block1[kOffECGLead2] = lead2;
    // From here on the ".FMF" needs the head again, also when this write fails half-way.
    m_headChanged = true;
    m_atEnd = false;
    try {
        m_file.Seek(0, CFile::begin);
        m_file.Write(m_block1.data(), UINT(m_block1.size()));
        m_file.Seek(LONGLONG(kWaveOffset), CFile::begin);
        m_file.Write(waves, UINT(kWaveAreaSize));
        m_file.Seek(LONGLONG(m_length), CFile::begin);
        m_atEnd = true;
        return TRUE;
    } catch (CFileException* e) {
        NoteWriteError(*e);
        e->Delete();
        return FALSE;
    }
}

void CRecordFile::NoteWriteError(const CFileException& error)
{
    m_writeError.cause = error.m_cause;
    m_writeError.osError = error.m_lOsError;
}

void CRecordFile::CutBackToLength()
{
    try {
        m_file.SetLength(m_length);
        m_file.Seek(LONGLONG(m_length), CFile::begin);
        m_atEnd = true;
    } catch (CFileException* e) {
        e->Delete();
    }
}

// ==== the committed copy =========================================================================

void CopyFileRange(CFile& source, CFile& target, ULONGLONG from, ULONGLONG to)
{
    // Usually a few records: no more room than the range needs.
    std::vector<BYTE> buffer(size_t(std::min<ULONGLONG>(kCopyChunk, to > from ? to - from : 0)));
    target.Seek(LONGLONG(from), CFile::begin);
    source.Seek(LONGLONG(from), CFile::begin);
    for (ULONGLONG at = from; at < to;) {
        const UINT want = UINT(std::min<ULONGLONG>(kCopyChunk, to - at));
        const UINT got = source.Read(buffer.data(), want);
        if (got == 0)
            break;
        target.Write(buffer.data(), got);
        at += got;
    }
}

BOOL CRecordFile::UpdateFMF()
{
    if (!IsOpen())
        return FALSE;
    CFile committed;
    if (!committed.Open(m_committedPath, CFile::modeCreate | CFile::modeNoTruncate |
                                                     CFile::modeReadWrite | CFile::shareDenyWrite))
        return FALSE;
    BOOL done = TRUE;
    try {
        // Continue from the copy's last whole record: a torn tail of an earlier failed update
        // is cut off first, and a copy without its whole head is written from the start.
        const ULONGLONG have = committed.Seek(0, CFile::end);
        const ULONGLONG start = std::min(WholeRecordLength(have), m_length);
        bool atStart = have == start;
        if (m_headChanged && start >= kHeadSize) {
            m_atEnd = false;
            CopyFileRange(m_file, committed, 0, kHeadSize);
            atStart = false;
        }
        if (have != start)
            committed.SetLength(start);
        if (m_newFrom <= start && m_newFrom + m_new.size() == m_length) {
            // The usual case: what the copy lacks was appended since the last update.
            if (!atStart)
                committed.Seek(LONGLONG(start), CFile::begin);
            const size_t skip = size_t(start - m_newFrom);
            committed.Write(m_new.data() + skip, UINT(m_new.size() - skip));
        } else {
            m_atEnd = false;
            CopyFileRange(m_file, committed, start, m_length);
        }
        m_headChanged = false;
        m_new.clear();
        m_newFrom = m_length;
    } catch (CFileException* e) {
        e->Delete();
        done = FALSE;
    }
    committed.Abort();
    if (!m_atEnd) {
        try {
            m_file.Seek(LONGLONG(m_length), CFile::begin);
            m_atEnd = true;
        } catch (CFileException* e) {
            e->Delete();
        }
    }
    return done;
}

} // namespace nyraclient::record

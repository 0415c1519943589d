// CRecordFile: the working file ".TMP" of one recording and the bringing up to date of its
// committed copy ".FMF" (layout in RecordFileFormat.h). Used by the file thread alone.
//
// Guarantees:
//  - the ".TMP" is held with an exclusive advisory lock while it is open, so the review
//    station does not delete a study that is being written;
//  - both files only ever grow by whole records: a write that fails half-way is cut back to
//    the last whole record, and the ".FMF" is appended to from its last whole record, so a
//    reader that sizes a file by whole records never meets a torn record;
//  - nothing here throws: failures are reported by the results.
#pragma once

#include "nrdata/record/RecordFileFormat.h"

#include "platform/core/CString.h"
#include "platform/core/File.h"

#include <vector>

namespace nyraclient::record {

using nrdata::record::HeaderBlock;
using nrdata::record::RecordCountOf;

// The committed copy's path: the ".TMP" at the end of the name becomes ".FMF".
CString CommittedPathOf(const CString& workingPath);

// Copies the bytes [from, to) of `source` to the same place in `target`, in pieces; raises the
// file layer's CFileException* when a read or write fails. Stops early at the source's end.
void CopyFileRange(CFile& source, CFile& target, ULONGLONG from, ULONGLONG to);

// Why a write to a recording failed: the file layer's cause and the system's error number.
struct RecordWriteError
{
    int cause{CFileException::none};
    LONG osError{0};

    bool IsError() const { return cause != CFileException::none; }
    bool IsDiskFull() const { return cause == CFileException::diskFull; }
    // The file layer's description, for the run log.
    CString Describe(LPCTSTR path) const;
};

class CRecordFile
{
public:
    CRecordFile() = default;
    ~CRecordFile();
    CRecordFile(const CRecordFile&) = delete;
    CRecordFile& operator=(const CRecordFile&) = delete;

    // Creates the working file and writes the two header blocks and an empty wave area; the
    // file then ends at the head. An existing file is never overwritten: that, like any other
    // failure, returns FALSE with the cause in `error` (when given) and leaves no file open.
    BOOL Create(LPCTSTR path, const HeaderBlock& block1, const HeaderBlock& block2,
                CFileException* error = nullptr);
    BOOL IsOpen() const { return m_file.m_hFile != CFile::hFileNull; }
    void Close();

    // Appends one 108-byte record. FALSE on a write error; the file is then cut back to its
    // last whole record.
    BOOL AppendRecord(const BYTE* record);
    // Writes a wave snapshot of 14,000 bytes over the wave area, with its time and the two
    // ECG lead bytes in header block 1. FALSE on a write error.
    BOOL WriteSnapshot(const BYTE* waves, const COleDateTime& time, BYTE lead1, BYTE lead2);
    // Brings the ".FMF" up to date: the head again when it changed since the last update,
    // then every record it lacks. FALSE when the ".FMF" cannot be opened or written; the
    // next update copies whatever is still missing.
    BOOL UpdateFMF();

    // What the last failed AppendRecord or WriteSnapshot met.
    const RecordWriteError& GetWriteError() const { return m_writeError; }

    // Records written to the file.
    ULONGLONG GetRecordCount() const { return RecordCountOf(m_length); }
    // The file's length (the head plus whole records).
    ULONGLONG GetLength() const { return m_length; }
    const CString& GetPath() const { return m_path; }

private:
    void CutBackToLength();
    void NoteWriteError(const CFileException& error);

    CFile m_file;
    CString m_path;
    CString m_committedPath;
    HeaderBlock m_block1{};
    ULONGLONG m_length{0};
    bool m_headChanged{true};
    // The working file's position is its end (m_length): a record goes on without a seek.
    bool m_atEnd{false};
    // The records appended since the ".FMF" was last brought up to date, from m_newFrom on: the
    // next update writes them from here instead of reading them back. Empty with m_newFrom
    // short of the file's end when they did not all fit (the update then copies from the file).
    std::vector<BYTE> m_new;
    ULONGLONG m_newFrom{0};
    RecordWriteError m_writeError;
};

} // namespace nyraclient::record

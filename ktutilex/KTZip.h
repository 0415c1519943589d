// KTZip: packs files and folder trees into one zip archive, and unpacks an archive into a
// folder, reporting each block to a progress target (notify code KTNOTIFY_ZIP) that cancels by
// answering -1. Files are streamed in 131072-byte blocks and one waiting window message is
// pumped per block, so a caller on the interface thread stays responsive.
//
// Results: 1 done; 0 nothing to do, or cancelled; -1 a bad path, a source that cannot be read,
// a target that cannot be created, an entry name that climbs out of the target folder, or an
// archive the classic format cannot hold (a file of 4 GiB or more, more than 65,535 entries).
//
// The zip layer's CZipException (bad archive, CRC error, zlib errors, level 0) and the file
// exceptions of the archive itself reach the caller; Zip then leaves no archive behind.
#pragma once

#include "ktutilex/zip/CZipException.h"

#include "ktutil/KTCallBack.h"

#include "platform/core/Collections.h"

// The notify code of both operations' progress records.
constexpr LONG KTNOTIFY_ZIP = 6;
// The progress target's answer that cancels.
constexpr LONG KTZIP_CANCEL = -1;

class KTZip
{
public:
    virtual ~KTZip() = default;

    // Packs the files of `paths` (a folder brings every file below it) into a new archive.
    // Names are kept relative to the folder of the first file; a file outside that folder keeps
    // its whole path (without the leading "/"). The archive itself is never packed.
    int Zip(CStringArray& paths, LPCTSTR archivePath, int level, KTCallBack* callback);
    // Unpacks every entry below `targetFolder`, appending the path of each file written to
    // `extracted` (may be null). A cancel keeps what was written so far.
    int UnZip(LPCTSTR archivePath, LPCTSTR targetFolder, CStringArray* extracted, KTCallBack* callback);

protected:
    CStringArray m_arrFiles;
};

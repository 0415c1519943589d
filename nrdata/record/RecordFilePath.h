// Where a study's recording lives. The central station writes it and the review station reads
// and deletes it, so both name it here: the "Records" folder below the data folder, and the file
// "<stem>.TMP" while it is written, "<stem>.FMF" once committed (the stem from
// RecordFileStem.h, safe for any ids).
#pragma once

#include "platform/core/CString.h"
#include "platform/core/Types.h"

namespace nrdata::record {

constexpr char kWorkingExtension[] = ".TMP";
constexpr char kCommittedExtension[] = ".FMF";

// "<data folder>/Records", a blank data folder meaning the program's folder (KTGF::MakePath);
// the classic fixed folder "C:\TarvicII\Data" (below the home folder) takes the data folder's
// place when its path is not valid. Creates nothing.
CString RecordsFolderOf(LPCTSTR dataPath);
// The study's file in that folder with `extension` (kWorkingExtension or kCommittedExtension).
CString RecordFilePathOf(LPCTSTR dataPath, LPCTSTR patientId, LPCTSTR studyId, LPCTSTR extension);

} // namespace nrdata::record

// The folder and file names of recordings.
#include "nrdata/record/RecordFilePath.h"

#include "nrdata/table/RecordFileStem.h"

#include "ktutil/KTGF.h"
#include "platform/core/FileSystem.h"

namespace nrdata::record {
namespace {

constexpr char kRecordsFolder[] = "Records";
// Where recordings go when the data folder's path is not valid.
constexpr char kFallbackDataPath[] = "C:\\TarvicII\\Data";

} // namespace

CString RecordsFolderOf(LPCTSTR dataPath)
{
    CString folder = KTGF::MakePath(dataPath, kRecordsFolder);
    if (!KTGF::IsValidPathName(folder))
        folder = KTGF::MakePath(platform::NativePath(kFallbackDataPath), kRecordsFolder);
    return folder;
}

CString RecordFilePathOf(LPCTSTR dataPath, LPCTSTR patientId, LPCTSTR studyId, LPCTSTR extension)
{
    return KTGF::MakePath(RecordsFolderOf(dataPath), MakeRecordFileStem(patientId, studyId) + extension);
}

} // namespace nrdata::record

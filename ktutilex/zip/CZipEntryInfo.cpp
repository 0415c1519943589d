// An entry's time from its DOS date and time.
#include "ktutilex/zip/CZipEntryInfo.h"

#include "ktutilex/zip/ZipRecords.h"

CTime CZipEntryInfo::GetTime() const { return ktutilex::zip::TimeFromDosDateTime(dosDateTime); }

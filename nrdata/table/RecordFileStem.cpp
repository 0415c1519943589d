// The recording file's name stem from a study's key.
#include "nrdata/table/RecordFileStem.h"

#include <cstring>

namespace {

bool RefusedInFileName(unsigned char ch) { return ch < 0x20 || ch == 0x7F || std::strchr("\\/:*?\"<>|", ch); }

CString SafeNamePart(LPCTSTR text)
{
    CString part;
    for (const char* at = text ? text : ""; *at; ++at) {
        if (at[0] == '.' && at[1] == '.') {
            part += '_';
            ++at;
        } else {
            part += RefusedInFileName(static_cast<unsigned char>(*at)) ? '_' : *at;
        }
    }
    return part;
}

} // namespace

CString MakeRecordFileStem(LPCTSTR patientId, LPCTSTR studyId)
{
    return SafeNamePart(patientId) + "_" + SafeNamePart(studyId);
}

CString MakeSafeFileNamePart(LPCTSTR text) { return SafeNamePart(text); }

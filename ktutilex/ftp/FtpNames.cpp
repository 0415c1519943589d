// Remote names and folders.
#include "ktutilex/ftp/FtpNames.h"

#include "ktutilex/common/PathSegments.h"

#include "ktutil/KTGF.h"

#include <string>
#include <vector>

namespace ktutilex::ftp {

namespace {

bool HasLineBreak(const char* text) { return text && std::string(text).find_first_of("\r\n") != std::string::npos; }

} // namespace

bool IsValidRemoteName(LPCTSTR name)
{
    return name && !KTGF::IsEmpty(name) && KTGF::IsValidFileName(name) && !HasLineBreak(name) &&
           std::string(name) != "." && std::string(name) != "..";
}

CString NormaliseRemoteFolder(LPCTSTR folder, const CString& current)
{
    std::string text = folder ? folder : "";
    if (HasLineBreak(text.c_str()))
        return CString();
    for (char& ch : text)
        if (ch == '\\')
            ch = '/';
    if (text.empty() || text.front() != '/')
        text = current.str() + "/" + text;
    const std::string result = JoinSegments(ResolveSegments(text), true);
    return CString(result.empty() ? std::string("/") : result);
}

} // namespace ktutilex::ftp

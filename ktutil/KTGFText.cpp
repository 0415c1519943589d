// KTGF text and string-table members. Texts are UTF-8: counts of characters are counts of code
// points, and every cut lands on a character boundary (see Utf8.h).
#include "ktutil/KTGF.h"

#include "ktutil/Utf8.h"
#include "platform/core/StringTable.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

namespace utf8 = ktutil::utf8;

namespace {

std::string_view View(LPCTSTR text) { return text ? std::string_view(text) : std::string_view(); }

// Inserts "," before every third character counted from the right.
std::string GroupThrees(std::string_view digits)
{
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

// ---- white space and lengths ----------------------------------------------------------------------

BOOL KTGF::IsEmpty(LPCTSTR text)
{
    CString copy(text);
    copy.Trim();
    return copy.IsEmpty();
}

int KTGF::GetLength(LPCTSTR text) { return static_cast<int>(View(text).size()); }

void KTGF::Trim(CString& text) { text.Trim(); }

int KTGF::TextCount(LPCTSTR text) { return static_cast<int>(utf8::CountChars(View(text))); }

// ---- wide conversions ------------------------------------------------------------------------------

int KTGF::MultiToWide(LPCTSTR text, wchar_t* wide, int wideLength)
{
    const std::string_view in = View(text);
    const int needed = static_cast<int>(utf8::CountChars(in)) + 1;
    if (!wide)
        return needed;
    if (wideLength < needed)
        return 0;
    int out = 0;
    for (std::size_t pos = 0; pos < in.size();) {
        std::size_t length = 0;
        wide[out++] = static_cast<wchar_t>(utf8::Decode(in, pos, length));
        pos += length;
    }
    wide[out++] = L'\0';
    return out;
}

int KTGF::WideToMulti(const wchar_t* wide, LPTSTR text, int textLength)
{
    std::string bytes;
    for (const wchar_t* p = wide; p && *p; ++p)
        utf8::Encode(static_cast<char32_t>(*p), bytes);
    const int needed = static_cast<int>(bytes.size()) + 1;
    if (!text)
        return needed;
    if (textLength < needed)
        return 0;
    std::memcpy(text, bytes.c_str(), bytes.size() + 1);
    return needed;
}

// ---- cutting by characters and bytes ------------------------------------------------------------------

CString KTGF::LeftText(LPCTSTR text, int n)
{
    const std::string_view in = View(text);
    if (n <= 0)
        return CString();
    return CString(in.substr(0, utf8::OffsetOfChar(in, static_cast<std::size_t>(n))));
}

CString KTGF::RightText(LPCTSTR text, int n)
{
    const std::string_view in = View(text);
    if (n <= 0)
        return CString();
    const std::size_t count = utf8::CountChars(in);
    if (count <= static_cast<std::size_t>(n))
        return CString(in);
    return CString(in.substr(utf8::OffsetOfChar(in, count - static_cast<std::size_t>(n))));
}

CString KTGF::VertText(LPCTSTR text)
{
    const std::string_view in = View(text);
    std::string out;
    for (std::size_t pos = 0; pos < in.size();) {
        const std::size_t length = utf8::CharLength(in, pos);
        out.append(in.substr(pos, length));
        out.push_back('\n');
        pos += length;
    }
    return CString(std::move(out));
}

CString KTGF::AbbreviateText(LPCTSTR text, int width)
{
    if (width < 4)
        return CString("...");
    if (TextCount(text) <= width)
        return CString(text);
    return LeftText(text, width - 3) + "...";
}

void KTGF::AbbreviateText(CString& out, LPCTSTR text, int width) { out = AbbreviateText(text, width); }

CString KTGF::CompleteString(LPCTSTR text, int limit)
{
    const std::string_view in = View(text);
    if (limit == 0)
        return CString();
    if (limit < 0 || static_cast<std::size_t>(limit) >= in.size())
        return CString(in);
    return CString(in.substr(0, utf8::BoundaryAtOrBelow(in, static_cast<std::size_t>(limit))));
}

// ---- numbers ----------------------------------------------------------------------------------------

CString KTGF::CommaString(LPCTSTR text)
{
    const std::string_view in = View(text);
    if (in.empty())
        return CString();
    const std::size_t point = in.find('.');
    const std::string_view integer = in.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : in.substr(point);
    // Whatever stands before the first digit (a sign, blanks) is kept in front of the groups.
    std::size_t firstDigit = 0;
    while (firstDigit < integer.size() && !IsDigit(integer[firstDigit]))
        ++firstDigit;
    std::string out(integer.substr(0, firstDigit));
    out += GroupThrees(integer.substr(firstDigit));
    out += fraction;
    return CString(std::move(out));
}

CString KTGF::CommaString(LONGLONG value)
{
    return CommaString(FormatString("%lld", static_cast<long long>(value)));
}

CString KTGF::ExtractNumber(LPCTSTR text)
{
    std::string out;
    for (char c : View(text))
        if (IsDigit(c))
            out.push_back(c);
    return CString(std::move(out));
}

CString KTGF::FormatMsg(DWORD errorCode)
{
    // The classic numbers that the layer gives for errno values (ErrorFromErrno), backwards.
    struct Entry {
        DWORD code;
        int err;
    };
    static constexpr Entry kErrors[] = {
        { ERROR_SUCCESS, 0 },          { ERROR_FILE_NOT_FOUND, ENOENT },  { ERROR_PATH_NOT_FOUND, ENOTDIR },
        { ERROR_ACCESS_DENIED, EACCES }, { ERROR_INVALID_HANDLE, EBADF }, { ERROR_NOT_ENOUGH_MEMORY, ENOMEM },
        { ERROR_SHARING_VIOLATION, EBUSY }, { ERROR_FILE_EXISTS, EEXIST }, { ERROR_ALREADY_EXISTS, EEXIST },
        { ERROR_INVALID_PARAMETER, EINVAL }, { ERROR_DISK_FULL, ENOSPC }, { ERROR_TIMEOUT, ETIMEDOUT },
    };
    constexpr DWORD kErrnoFlag = 0x20000000u;
    int err = -1;
    for (const Entry& e : kErrors)
        if (e.code == errorCode)
            err = e.err;
    if (err < 0 && (errorCode & kErrnoFlag))
        err = static_cast<int>(errorCode & ~kErrnoFlag);
    if (err < 0)
        return CString();
    char buffer[256] = {};
    CString message(strerror_r(err, buffer, sizeof buffer));
    if (message.Find("Unknown error") == 0)
        return CString();
    message.Trim();
    return message;
}

// ---- string table ----------------------------------------------------------------------------------

CString KTGF::GetString(UINT id)
{
    std::string text;
    if (!platform::LookupString(id, text))
        return CString();
    return CString(std::move(text));
}

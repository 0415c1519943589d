// KTIni over the private-profile functions.
#include "ktutil/KTIni.h"

#include "ktutil/KTGF.h"
#include "platform/core/Profile.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {

constexpr DWORD kValueBuffer = 4096;

} // namespace

int KTIni::SetIni(LPCTSTR path)
{
    if (!KTGF::IsFile(path))
        return 0;
    m_path = path;
    return 1;
}

int KTIni::SetIni(LPCTSTR folder, LPCTSTR name)
{
    if (KTGF::IsEmpty(name))
        return 0;
    return SetIni(KTGF::MakePath(folder, name));
}

BOOL KTIni::IsAvailable() const { return KTGF::IsFile(m_path); }

int KTIni::DeleteSection(LPCTSTR section)
{
    if (!IsAvailable() || KTGF::IsEmpty(section))
        return 0;
    return WritePrivateProfileString(section, nullptr, nullptr, m_path) ? 1 : 0;
}

int KTIni::DeleteEntry(LPCTSTR section, LPCTSTR key)
{
    if (!IsAvailable() || KTGF::IsEmpty(section) || KTGF::IsEmpty(key))
        return 0;
    return WritePrivateProfileString(section, key, nullptr, m_path) ? 1 : 0;
}

CString KTIni::ReadString(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue)
{
    if (!IsAvailable() || KTGF::IsEmpty(section) || KTGF::IsEmpty(key))
        return CString();
    char buffer[kValueBuffer] = {};
    GetPrivateProfileString(section, key, defaultValue ? defaultValue : "", buffer, kValueBuffer, m_path);
    return CString(buffer);
}

int KTIni::ReadInt(LPCTSTR section, LPCTSTR key, int defaultValue)
{
    const CString text = ReadString(section, key, FormatString("%d", defaultValue));
    // strtol saturates at the range of long, which here is wider than int: the result is held
    // to the int range as the classic 32-bit conversion holds it.
    constexpr long kMin = std::numeric_limits<int>::min();
    constexpr long kMax = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::strtol(text, nullptr, 10), kMin, kMax));
}

double KTIni::ReadDouble(LPCTSTR section, LPCTSTR key, double defaultValue)
{
    // from_chars reads the "C" form whatever locale the desktop set; 0 when there is no number.
    CString text = ReadString(section, key, FormatString("%f", defaultValue));
    text.Trim();
    const char* first = text.GetString();
    if (*first == '+')
        ++first;
    double value = 0.0;
    std::from_chars(first, text.GetString() + text.GetLength(), value);
    return value;
}

BOOL KTIni::IsWritableValue(const CString& value)
{
    return value.str().find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

int KTIni::WriteString(LPCTSTR section, LPCTSTR key, LPCTSTR value)
{
    return WriteString(section, key, CString(value));
}

int KTIni::WriteString(LPCTSTR section, LPCTSTR key, const CString& value)
{
    if (!IsAvailable() || KTGF::IsEmpty(section) || KTGF::IsEmpty(key) || !IsWritableValue(value))
        return 0;
    return WritePrivateProfileString(section, key, value, m_path) ? 1 : 0;
}

int KTIni::WriteInt(LPCTSTR section, LPCTSTR key, int value)
{
    return WriteString(section, key, FormatString("%d", value));
}

int KTIni::WriteDouble(LPCTSTR section, LPCTSTR key, double value)
{
    return WriteString(section, key, FormatString("%f", value));
}

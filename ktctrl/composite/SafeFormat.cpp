// Checked number formats for the composite controls.
#include "ktctrl/composite/SafeFormat.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace ktctrl {

namespace {

// The format rebuilt with the length modifier the value needs, or empty when it does not hold
// exactly one conversion out of `kinds`.
std::string CheckedFormat(LPCTSTR format, const char* kinds, const char* lengthModifier)
{
    if (!format)
        return {};
    std::string out;
    int conversions = 0;
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            out += *p;
            continue;
        }
        if (p[1] == '%') {
            out += "%%";
            ++p;
            continue;
        }
        std::string spec = "%";
        ++p;
        while (*p && std::strchr("-+ #0", *p))
            spec += *p++;
        while (*p && std::isdigit(static_cast<unsigned char>(*p)))
            spec += *p++;
        if (*p == '.') {
            spec += *p++;
            while (*p && std::isdigit(static_cast<unsigned char>(*p)))
                spec += *p++;
        }
        while (*p && std::strchr("hlLqjzt", *p))
            ++p; // our own modifier replaces the caller's
        if (!*p || !std::strchr(kinds, *p) || ++conversions > 1)
            return {};
        out += spec + lengthModifier + *p;
    }
    return conversions == 1 ? out : std::string {};
}

} // namespace

CString FormatInteger(LPCTSTR format, long long value)
{
    std::string checked = CheckedFormat(format, "diuxXo", "ll");
    if (checked.empty())
        return {};
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, checked.c_str(), value);
    return buffer;
}

CString FormatReal(LPCTSTR format, double value)
{
    std::string checked = CheckedFormat(format, "feEgG", "");
    if (checked.empty())
        return {};
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, checked.c_str(), value);
    return buffer;
}

} // namespace ktctrl

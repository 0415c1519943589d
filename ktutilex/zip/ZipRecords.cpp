// DOS dates and the level flags of the zip records.
#include "ktutilex/zip/ZipRecords.h"

#include <ctime>

namespace ktutilex::zip {

namespace {

constexpr int kFirstYear = 1980;
constexpr int kLastYear = kFirstYear + 127; // seven bits of year offset

std::uint32_t Pack(int year, int month, int day, int hour, int minute, int second)
{
    const std::uint32_t date = static_cast<std::uint32_t>(day + 32 * month + 512 * (year - kFirstYear));
    const std::uint32_t time = static_cast<std::uint32_t>(second / 2 + 32 * minute + 2048 * hour);
    return (date << 16) | time;
}

} // namespace

std::uint16_t LevelFlags(int level)
{
    switch (level) {
    case 8:
    case 9:
        return 2;
    case 2:
        return 4;
    case 1:
        return 6;
    default:
        return 0;
    }
}

std::uint32_t DosDateTimeFromTime(const CTime& time)
{
    struct tm local {};
    if (time.GetLocalTm(&local) == nullptr || local.tm_year + 1900 < kFirstYear)
        return Pack(kFirstYear, 1, 1, 0, 0, 0);
    if (local.tm_year + 1900 > kLastYear)
        return Pack(kLastYear, 12, 31, 23, 59, 58);
    return Pack(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec);
}

CTime TimeFromDosDateTime(std::uint32_t dosDateTime)
{
    const std::uint32_t date = dosDateTime >> 16;
    const std::uint32_t time = dosDateTime & 0xFFFFu;
    struct tm local {};
    local.tm_year = static_cast<int>(date >> 9) + kFirstYear - 1900;
    local.tm_mon = static_cast<int>((date >> 5) & 0x0F) - 1;
    local.tm_mday = static_cast<int>(date & 0x1F);
    local.tm_hour = static_cast<int>(time >> 11);
    local.tm_min = static_cast<int>((time >> 5) & 0x3F);
    local.tm_sec = static_cast<int>(time & 0x1F) * 2;
    local.tm_isdst = -1;
    // A field out of its range (month 0, day 0) is carried over by mktime, never refused.
    const time_t seconds = mktime(&local);
    return CTime(seconds == static_cast<time_t>(-1) ? 0 : seconds);
}

} // namespace ktutilex::zip

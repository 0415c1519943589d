// Folder listings of servers without the machine-readable form: the "ls -l" lines of Unix
// servers and the DOS lines of Windows servers, as they come, and replies in no known form,
// which must be reported unreadable (never read as a folder without the entry).
#include "ktutilex/ftp/ListListing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ktutilex::ftp::ParseList;
using ktutilex::ftp::RemoteEntry;

// 2024-06-15 12:00:00 UTC: a line without a year is at most a day after this.
constexpr time_t kNow = 1718452800;

time_t Utc(int year, int month, int day, int hour, int minute)
{
    struct tm utc {};
    utc.tm_year = year - 1900;
    utc.tm_mon = month - 1;
    utc.tm_mday = day;
    utc.tm_hour = hour;
    utc.tm_min = minute;
    return timegm(&utc);
}

struct ListedEntry
{
    const char* line;
    const char* name;
    int type;
    std::uint64_t size;
    time_t modified;
};

const ListedEntry kEntries[] = {
    // Unix, as vsftpd, ProFTPD and pyftpdlib write it.
    { "drwxr-xr-x    2 ftp      ftp          4096 Jun 14 09:30 reports", "reports", 2, 0, Utc(2024, 6, 14, 9, 30) },
    { "-rw-r--r--    1 ftp      ftp            12 Mar 04  2021 old report.txt", "old report.txt", 1, 12,
      Utc(2021, 3, 4, 0, 0) },
    { "-rw-r--r--   1 1000     1000   5368709120 Jan  2 03:04 big.FMF", "big.FMF", 1, 5368709120u,
      Utc(2024, 1, 2, 3, 4) },
    // A date later than tomorrow without a year is last year's.
    { "-rw-r--r--   1 owner group 7 Dec 24 18:00 carol.txt", "carol.txt", 1, 7, Utc(2023, 12, 24, 18, 0) },
    { "-rw-r--r--   1 owner group 7 Jun 16 08:00 tomorrow.txt", "tomorrow.txt", 1, 7, Utc(2024, 6, 16, 8, 0) },
    // No group column; names with several and leading blanks; a name that looks like a date.
    { "-rw-------   1 nurse       99 Feb 29 23:59  two  blanks ", " two  blanks ", 1, 99, Utc(2024, 2, 29, 23, 59) },
    { "-rw-r--r--   1 a b 5 Jun 01 10:00 12 Jan 02 03:04 x", "12 Jan 02 03:04 x", 1, 5, Utc(2024, 6, 1, 10, 0) },
    // A link is listed under its own name; permissions with an ACL mark.
    { "lrwxrwxrwx   1 root root 11 May 05 07:07 latest -> reports/may", "latest", 1, 11, Utc(2024, 5, 5, 7, 7) },
    { "-rw-r--r--+  1 root root 3 May 05 07:07 acl.txt", "acl.txt", 1, 3, Utc(2024, 5, 5, 7, 7) },
    { "-rw-r--r--   1 root root 3 mAY 05 07:07 Müller ü.txt", "Müller ü.txt", 1, 3, Utc(2024, 5, 5, 7, 7) },
    // DOS, as Windows servers write it, in both year widths and both halves of the day.
    { "06-14-24  09:30AM       <DIR>          Reports 2024", "Reports 2024", 2, 0, Utc(2024, 6, 14, 9, 30) },
    { "03-04-2021  05:06PM                12 old report.txt", "old report.txt", 1, 12, Utc(2021, 3, 4, 17, 6) },
    { "12-31-99  12:00AM                 1 y2k.txt", "y2k.txt", 1, 1, Utc(1999, 12, 31, 0, 0) },
    { "01-01-00  12:15PM                 1 noon.txt", "noon.txt", 1, 1, Utc(2000, 1, 1, 12, 15) },
    { "01-01-24  17:15                   1 clock.txt", "clock.txt", 1, 1, Utc(2024, 1, 1, 17, 15) },
};

TEST(FtpListing, UnixAndDosLinesGiveTheirEntries)
{
    for (const ListedEntry& expected : kEntries) {
        std::vector<RemoteEntry> entries;
        ASSERT_TRUE(ParseList(std::string(expected.line) + "\r\n", kNow, entries)) << expected.line;
        ASSERT_EQ(entries.size(), 1u) << expected.line;
        EXPECT_EQ(entries[0].name, expected.name) << expected.line;
        EXPECT_EQ(entries[0].type, expected.type) << expected.line;
        EXPECT_EQ(entries[0].size, expected.size) << expected.line;
        EXPECT_EQ(entries[0].modified, expected.modified) << expected.line;
    }
}

TEST(FtpListing, AWholeListingKeepsOrderAndLeavesOutWhatIsNoEntry)
{
    const std::string listing = "total 24\r\n"
                                "drwxr-xr-x 3 ftp ftp 4096 Jun 14 09:30 .\r\n"
                                "drwxr-xr-x 3 ftp ftp 4096 Jun 14 09:30 ..\r\n"
                                "-rw-r--r-- 1 ftp ftp 5 Jun 14 09:31 b.txt\r\n"
                                "\r\n"
                                "crw-rw-rw- 1 root root 1, 3 Jun 14 09:30 null\r\n"
                                "prw-r--r-- 1 ftp ftp 0 Jun 14 09:30 pipe\n"
                                "drwxr-xr-x 2 ftp ftp 4096 Jun 14 09:32 a\n";
    std::vector<RemoteEntry> entries;
    ASSERT_TRUE(ParseList(listing, kNow, entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "b.txt");
    EXPECT_EQ(entries[1].name, "a");
    EXPECT_TRUE(ParseList("", kNow, entries)) << "an empty folder";
    EXPECT_TRUE(entries.empty());
}

TEST(FtpListing, AReplyInNoKnownFormIsUnreadable)
{
    const char* replies[] = {
        "-rw-r--r-- 1 ftp ftp 5 Jun 14 09:31 b.txt\r\nsomething else\r\n",
        "+i8388621.48594,m825718503,r,s280,\tdjb.html\r\n", // another server's own form
        "-rw-r--r-- 1 ftp ftp 5 Jun 14 09:31\r\n",          // no name
        "-rw-r--r-- 1 ftp ftp 5 Jun 32 09:31 day.txt\r\n",
        "-rw-r--r-- 1 ftp ftp -5 Jun 14 09:31 negative.txt\r\n",
        "-rw-r--r-- 1 ftp ftp 5 Jun 14 24:31 hour.txt\r\n",
        "-rw-r--r-- 1 ftp ftp 99999999999999999999999 Jun 14 09:31 huge.txt\r\n",
        "06-14-24  13:30PM       <DIR>          twelve\r\n",
        "13-14-24  09:30AM       <DIR>          month\r\n",
        "06-14-24  09:30AM       <FILE>         kind\r\n",
        "06-14-24  09:30AM       <DIR>\r\n",
        "total many\r\n",
    };
    for (const char* reply : replies) {
        std::vector<RemoteEntry> entries { RemoteEntry {} };
        EXPECT_FALSE(ParseList(reply, kNow, entries)) << reply;
        EXPECT_TRUE(entries.empty()) << reply;
    }
}

} // namespace

// Fuzz target: the ini reader (the private-profile functions and KTIni over them) on any file,
// and one write into it: a value that cannot be read back as written is refused with the file
// untouched; any other is read back as written, and no other entry of the file changes.
//
// Input: a count n (one byte, up to 63), n bytes of the value to write, then the file (at most
// 16 KB: longer inputs are cut).
#include "FuzzTarget.h"

#include "testkit/TempFolder.h"

#include "ktutil/KTIni.h"

#include "platform/core/Profile.h"

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using fuzz::Require;

constexpr const char* kSection = "FUZZ";
constexpr const char* kKey = "Value";
// Room for every list of a file of the longest input.
constexpr DWORD kListSize = 64 * 1024;

std::vector<std::string> SplitList(const char* list)
{
    std::vector<std::string> items;
    for (const char* p = list; *p != '\0'; p += std::strlen(p) + 1)
        items.emplace_back(p);
    return items;
}

// Every entry the reader finds: section and key as listed, their value read back.
using Entries = std::map<std::pair<std::string, std::string>, std::string>;

Entries ReadEntries(const std::string& path, KTIni& ini)
{
    static char list[kListSize];
    Entries entries;
    GetPrivateProfileSectionNames(list, kListSize, path.c_str());
    for (const std::string& section : SplitList(list)) {
        GetPrivateProfileString(section.c_str(), nullptr, "", list, kListSize, path.c_str());
        for (const std::string& key : SplitList(list)) {
            char small[8];
            const DWORD cut =
                GetPrivateProfileString(section.c_str(), key.c_str(), "", small, sizeof small, path.c_str());
            Require(cut < sizeof small && small[cut] == '\0', "a value is cut to the buffer");
            (void)ini.ReadInt(section.c_str(), key.c_str(), 7);
            (void)ini.ReadDouble(section.c_str(), key.c_str(), 0.5);
            (void)GetPrivateProfileInt(section.c_str(), key.c_str(), 7, path.c_str());
            entries.emplace(std::make_pair(section, key),
                            ini.ReadString(section.c_str(), key.c_str(), "").str());
        }
        GetPrivateProfileSection(section.c_str(), list, kListSize, path.c_str());
        (void)SplitList(list);
    }
    return entries;
}

// The entries but the one written (names match without case).
Entries WithoutWritten(Entries entries)
{
    std::erase_if(entries, [](const auto& entry) {
        return CString(entry.first.first.c_str()).CompareNoCase(kSection) == 0 &&
               CString(entry.first.second.c_str()).CompareNoCase(kKey) == 0;
    });
    return entries;
}

// Whether the reader gives the value back exactly: it trims blanks around a value and takes
// off a pair of quotes around it.
bool ReadsBackAsWritten(const std::string& value)
{
    if (value.size() > 4095)
        return false;
    if (!value.empty() && (std::strchr(" \t", value.front()) || std::strchr(" \t", value.back())))
        return false;
    return !(value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
             value.back() == value.front());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::string value = in.Bytes(in.Byte() % 64);
    const std::size_t fileSize = in.Left() < 16384 ? in.Left() : 16384;
    const std::string path = fuzz::ScratchFolder() + "/fuzz.ini";
    testkit::WriteText(path, std::string(reinterpret_cast<const char*>(in.Rest()), fileSize));

    KTIni ini(path.c_str());
    Require(ini.IsAvailable() == TRUE, "the file is accepted");
    const Entries before = ReadEntries(path, ini);
    const std::string text = testkit::ReadText(path);

    const CString typed(value.data(), int(value.size()));
    if (!KTIni::IsWritableValue(typed)) {
        Require(ini.WriteString(kSection, kKey, typed) == 0, "a value with a line break or NUL is refused");
        Require(testkit::ReadText(path) == text, "a refused write leaves the file untouched");
        return 0;
    }
    Require(ini.WriteString(kSection, kKey, typed) != 0, "a value is written");
    if (ReadsBackAsWritten(value))
        Require(ini.ReadString(kSection, kKey, "").str() == value, "the value is read back as written");

    Require(WithoutWritten(ReadEntries(path, ini)) == WithoutWritten(before),
            "a write changes no other entry");
    return 0;
}

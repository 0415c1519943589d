// KTCmdLine: switches, their values and the values before the first switch.
#include "ktutil/KTCmdLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Values(const KTCmdLine& line, const char* name)
{
    CStringArray values;
    std::vector<std::string> out;
    if (line.GetParam(name, values) < 0)
        out.push_back("<absent>");
    for (const CString& v : values)
        out.push_back(static_cast<LPCTSTR>(v));
    return out;
}

using List = std::vector<std::string>;

struct ParseCase
{
    const char* text;
    int names;
    std::vector<std::pair<const char*, List>> expected;
};

} // namespace

TEST(KTCmdLine, ParsesSwitchesAndValuesAsTheTableSays)
{
    const ParseCase cases[] = {
        { "a -x 1 2 /y", 3, { { "", { "a" } }, { "X", { "1", "2" } }, { "Y", {} } } },
        { "", 0, { { "", { "<absent>" } } } },
        { "-demo", 1, { { "DEMO", {} }, { "", { "<absent>" } } } },
        { "/bed 1 -bed 2", 1, { { "BED", { "2" } } } },                   // the last appearance wins
        { "-a -b v", 2, { { "A", {} }, { "B", { "v" } } } },              // a switch is no value
        { "-path \"My Data\" x", 1, { { "PATH", { "My Data", "x" } } } },
        { "-data /home/ward", 2, { { "DATA", {} }, { "HOME/WARD", {} } } }, // "/" starts a switch
        { "first second", 1, { { "", { "first", "second" } } } },
    };
    for (const ParseCase& c : cases) {
        KTCmdLine line;
        EXPECT_EQ(line.ParseParam(c.text), c.names) << c.text;
        EXPECT_EQ(line.GetParamCount(), c.names) << c.text;
        for (const auto& [name, values] : c.expected)
            EXPECT_EQ(Values(line, name), values) << c.text << " name " << name;
    }
}

TEST(KTCmdLine, NamesCompareWithoutCaseAndAParseStartsAfresh)
{
    KTCmdLine line;
    line.ParseParam("-Demo 1");
    EXPECT_TRUE(line.IsExist("demo"));
    EXPECT_TRUE(line.IsExist("DEMO"));
    EXPECT_EQ(Values(line, "dEmO"), List({ "1" }));

    line.ParseParam("/other");
    EXPECT_FALSE(line.IsExist("demo"));
    EXPECT_EQ(line.GetParamCount(), 1);

    CStringArray values;
    values.Add("stale");
    EXPECT_EQ(line.GetParam("missing", values), -1);
    EXPECT_EQ(values.GetSize(), 0);
    line.ClearParam();
    EXPECT_EQ(line.GetParamCount(), 0);
}

TEST(KTCmdLine, SwitchesStartWithADashOrASlash)
{
    EXPECT_TRUE(KTCmdLine::IsSwitch("-x"));
    EXPECT_TRUE(KTCmdLine::IsSwitch("/x"));
    EXPECT_FALSE(KTCmdLine::IsSwitch("x-"));
    EXPECT_FALSE(KTCmdLine::IsSwitch(""));
    EXPECT_FALSE(KTCmdLine::IsSwitch(nullptr));
}

TEST(KTCmdLine, TheProcessArgumentsLeaveOutTheProgramName)
{
    // The test program runs without arguments of its own unless gtest flags are given; every
    // name found must come from an argument, never from the program's path.
    KTCmdLine line;
    line.ParseParam();
    CStringArray values;
    if (line.GetParam("", values) > 0) {
        EXPECT_EQ(values[0].Find("ktutil_KTCmdLineTest"), -1);
    }
}

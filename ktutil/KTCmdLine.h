// KTCmdLine: a command line parsed into switches and their values.
//
// A switch starts with "-" or "/"; its name is the rest, upper-cased. The argument after a
// switch, when it is no switch itself, is the switch's first value, and further plain arguments
// join the same switch's values. Plain arguments before the first switch are kept under the
// empty name. A switch given twice keeps the values of its last appearance. An argument that
// starts with "/" is a switch, an absolute path too.
#pragma once

#include "platform/core/Collections.h"

#include <map>
#include <memory>
#include <string>

class KTCmdLine
{
public:
    KTCmdLine() = default;
    KTCmdLine(const KTCmdLine&) = delete;
    KTCmdLine& operator=(const KTCmdLine&) = delete;
    virtual ~KTCmdLine() { ClearParam(); }

    // The process's arguments after the program name; the number of names found. A parse
    // starts afresh.
    virtual int ParseParam();
    // The pieces of the text as KTGF::SplitCmdLine cuts them, from the first.
    virtual int ParseParam(LPCTSTR text);
    void ClearParam();
    int GetParamCount() const { return static_cast<int>(m_params.size()); }
    // Empties the list; -1 when the name is absent, else the name's values and their count.
    int GetParam(LPCTSTR name, CStringArray& values) const;
    BOOL IsExist(LPCTSTR name) const;
    static BOOL IsSwitch(LPCTSTR text);

private:
    int Parse(const CStringArray& arguments, INT_PTR first);

    std::map<std::string, std::unique_ptr<CStringArray>> m_params;
};

// KTCmdLine: parsing of switches and values.
#include "ktutil/KTCmdLine.h"

#include "ktutil/KTGF.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

std::string UpperName(LPCTSTR text)
{
    std::string name = text ? text : "";
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// The process's arguments, program name first, from the kernel's copy of them.
CStringArray ProcessArguments()
{
    CStringArray arguments;
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        arguments.Add(CString(all.substr(start, end - start).c_str()));
        start = end + 1;
    }
    return arguments;
}

} // namespace

int KTCmdLine::ParseParam() { return Parse(ProcessArguments(), 1); }

int KTCmdLine::ParseParam(LPCTSTR text)
{
    CStringArray pieces;
    KTGF::SplitCmdLine(text, pieces);
    return Parse(pieces, 0);
}

int KTCmdLine::Parse(const CStringArray& arguments, INT_PTR first)
{
    ClearParam();
    CStringArray* current = nullptr;
    std::string name;
    for (INT_PTR i = first; i < arguments.GetSize(); ++i) {
        const CString& argument = arguments[i];
        if (IsSwitch(argument)) {
            name = UpperName(static_cast<LPCTSTR>(argument) + 1);
            auto values = std::make_unique<CStringArray>();
            if (i + 1 < arguments.GetSize() && !IsSwitch(arguments[i + 1]))
                values->Add(arguments[++i]);
            current = values.get();
            m_params[name] = std::move(values); // a repeated switch drops its earlier values
            continue;
        }
        if (!current) {
            auto values = std::make_unique<CStringArray>();
            current = values.get();
            m_params[name] = std::move(values);
        }
        current->Add(argument);
    }
    return GetParamCount();
}

void KTCmdLine::ClearParam() { m_params.clear(); }

int KTCmdLine::GetParam(LPCTSTR name, CStringArray& values) const
{
    values.RemoveAll();
    auto found = m_params.find(UpperName(name));
    if (found == m_params.end())
        return -1;
    values.Copy(*found->second);
    return static_cast<int>(values.GetSize());
}

BOOL KTCmdLine::IsExist(LPCTSTR name) const { return m_params.count(UpperName(name)) != 0; }

BOOL KTCmdLine::IsSwitch(LPCTSTR text) { return text && (text[0] == '-' || text[0] == '/'); }

// What the build-time resource generators share: writing a file whole and spelling bytes as the
// initialiser of a C++ array.
#pragma once

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace resourcegen {

inline bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return bool(out);
}

// "0x12,0x34,..." with sixteen bytes a line.
inline std::string ByteArray(const std::vector<unsigned char>& bytes)
{
    std::string text;
    char hex[8];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "0x%02x,", bytes[i]);
        text += hex;
        text += (i % 16 == 15) ? "\n    " : "";
    }
    return text;
}

} // namespace resourcegen

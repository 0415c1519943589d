// Small file helpers for the extended utility library's tests: whole files written (with their
// folders) and read back, and bytes that compress poorly.
#pragma once

#include "testkit/TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ktutilex_test {

// Writes a whole file, making its folders first.
inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    testkit::WriteText(path, bytes);
}

inline std::string ReadFile(const std::string& path) { return testkit::ReadText(path); }

// `n` bytes from a simple generator, different for each seed.
inline std::string NoiseBytes(std::size_t n, std::uint32_t seed = 1)
{
    std::string bytes(n, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<char>(state >> 24);
    }
    return bytes;
}

} // namespace ktutilex_test

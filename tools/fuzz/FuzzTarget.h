// What every fuzz target shares: its entry function, a reader that takes the input apart, a
// scratch folder, and the check that ends a run when a guarantee does not hold.
//
// Each target is one .cpp with LLVMFuzzerTestOneInput. Built with libFuzzer it is a fuzzer;
// built with the normal compiler it is linked into the corpus replay test, which feeds it every
// file of its corpus.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// A guarantee of the code under test: when it fails the run ends with a report, so the fuzzer
// keeps the input and the replay test fails.
inline void Require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: guarantee broken: %s\n", what);
    std::abort();
}

// Takes the input apart from the front; what is asked beyond its end reads as zeros.
class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint16_t Word()
    {
        const std::uint16_t low = Byte();
        return std::uint16_t(low | Byte() << 8);
    }
    std::uint32_t Dword()
    {
        const std::uint32_t low = Word();
        return low | std::uint32_t(Word()) << 16;
    }
    // Up to `count` bytes (fewer at the end of the input).
    std::string Bytes(std::size_t count)
    {
        const std::size_t n = count < Left() ? count : Left();
        std::string bytes(reinterpret_cast<const char*>(m_data + m_at), n);
        m_at += n;
        return bytes;
    }
    void Skip(std::size_t count) { m_at += count < Left() ? count : Left(); }
    const std::uint8_t* Rest() const { return m_data + m_at; }
    std::size_t Left() const { return m_size - m_at; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at{0};
};

// A folder of this process for the files a target writes; removed when the process ends.
const std::string& ScratchFolder();

// Windows, timers and sockets without a display.
void UseHeadlessHost();

} // namespace fuzz

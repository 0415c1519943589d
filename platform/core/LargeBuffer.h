// LargeBuffer: a large block of memory that a program fills at once, such as a recording file
// read whole (72 hours of records are about 28 MB). It is mapped straight from the system,
// zero-filled, and asks for huge pages: filling it then costs a handful of page faults instead
// of thousands, which on some machines is most of the time a large read takes. Where huge pages
// are not to be had it is ordinary memory. Move-only; the memory goes with the object.
#pragma once

#include "platform/core/Types.h"

#include <cstddef>
#include <cstdint>

namespace platform {

class LargeBuffer
{
public:
    LargeBuffer() = default;
    // `size` bytes, all zero; an empty buffer when the memory cannot be had (or size is 0).
    explicit LargeBuffer(std::size_t size);
    ~LargeBuffer();
    LargeBuffer(LargeBuffer&& other) noexcept;
    LargeBuffer& operator=(LargeBuffer&& other) noexcept;
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    BYTE* Data() { return m_data; }
    const BYTE* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    explicit operator bool() const { return m_data != nullptr; }
    // Gives the memory back; the buffer is empty afterwards.
    void Reset();

private:
    BYTE* m_data { nullptr };
    std::size_t m_size { 0 };
    std::size_t m_mapped { 0 };
};

} // namespace platform

// Large buffers from anonymous mappings with huge-page advice.
#include "platform/core/LargeBuffer.h"

#include <utility>

#include <sys/mman.h>

namespace platform {
namespace {

// Mappings are made in whole huge pages, so that every page of the buffer can be a huge one.
constexpr std::size_t kHugePage = std::size_t(2) << 20;

} // namespace

LargeBuffer::LargeBuffer(std::size_t size)
{
    if (size == 0 || size > SIZE_MAX - kHugePage)
        return;
    const std::size_t mapped = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* data = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (data == MAP_FAILED)
        return;
    // Advice only: a system without transparent huge pages keeps ordinary pages.
    ::madvise(data, mapped, MADV_HUGEPAGE);
    m_data = static_cast<BYTE*>(data);
    m_size = size;
    m_mapped = mapped;
}

LargeBuffer::~LargeBuffer() { Reset(); }

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0))
{
}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept
{
    if (this != &other) {
        Reset();
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_mapped = std::exchange(other.m_mapped, 0);
    }
    return *this;
}

void LargeBuffer::Reset()
{
    if (m_data)
        ::munmap(m_data, m_mapped);
    m_data = nullptr;
    m_size = 0;
    m_mapped = 0;
}

} // namespace platform

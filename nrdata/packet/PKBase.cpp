// PKBase: load, clear, copy and field access of a packet frame.
#include "nrdata/packet/PKBase.h"

#include <algorithm>
#include <cmath>
#include <cstring>

PKBase::PKBase(BYTE* frame, int size, BYTE type) : m_frame(frame), m_typeHeader(type), m_size(size)
{
    Clear();
}

PKBase::PKBase(BYTE* frame, const PKBase& other)
    : m_frame(frame), m_typeHeader(other.m_typeHeader), m_valid(other.m_valid), m_size(other.m_size),
      m_key(other.m_key)
{
    std::memcpy(m_frame, other.m_frame, static_cast<size_t>(m_size));
}

// ---- whole frame ------------------------------------------------------------------------

void PKBase::Clear()
{
    std::memset(m_frame, 0, static_cast<size_t>(m_size));
    m_frame[0] = m_typeHeader;
    m_frame[m_size - 1] = m_key;
    m_valid = 0;
}

void PKBase::Clear(BYTE fill)
{
    std::memset(m_frame, fill, static_cast<size_t>(m_size));
    m_valid = 1;
    m_frame[0] = m_typeHeader;
    m_frame[m_size - 1] = m_key;
}

int PKBase::SetPacket(const BYTE* data, int len, int checkKey)
{
    if (data == nullptr || len != m_size)
        return 0;
    if (checkKey) {
        if (data[len - 1] != m_key) {
            m_valid = 0;
            return 0;
        }
    } else {
        m_key = data[len - 1];
    }
    std::memcpy(m_frame, data, static_cast<size_t>(len));
    m_valid = 1;
    return 1;
}

int PKBase::CopyPacket(const PKBase* other)
{
    if (other == nullptr || other->m_size != m_size)
        return 0;
    if (other != this)
        std::memcpy(m_frame, other->m_frame, static_cast<size_t>(m_size));
    m_key = other->m_key;
    return m_size;
}

int PKBase::IsValid() const
{
    return (m_valid && m_frame[m_size - 1] == m_key) ? 1 : 0;
}

void PKBase::SetKey(BYTE key)
{
    m_key = key;
    m_frame[m_size - 1] = key;
}

void PKBase::ResetCheckSum()
{
    m_frame[m_size - 1] = MakeCheckSum();
    m_valid = 1;
}

// ---- field access -----------------------------------------------------------------------

int PKBase::Get2ByteValue(int offset) const
{
    return m_frame[offset] | (m_frame[offset + 1] << 8);
}

void PKBase::Set2ByteValue(int offset, int v)
{
    m_frame[offset] = static_cast<BYTE>(v & 0xFF);
    m_frame[offset + 1] = static_cast<BYTE>((v >> 8) & 0xFF);
}

unsigned int PKBase::Get4ByteValue(int offset) const
{
    return static_cast<unsigned int>(m_frame[offset]) | (static_cast<unsigned int>(m_frame[offset + 1]) << 8) |
           (static_cast<unsigned int>(m_frame[offset + 2]) << 16) |
           (static_cast<unsigned int>(m_frame[offset + 3]) << 24);
}

void PKBase::Set4ByteValue(int offset, unsigned int v)
{
    for (int i = 0; i < 4; ++i)
        m_frame[offset + i] = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
}

CString PKBase::GetStringValue(int offset, int width) const
{
    const char* p = reinterpret_cast<const char*>(m_frame + offset);
    return CString(p, static_cast<int>(strnlen(p, static_cast<size_t>(width))));
}

void PKBase::SetStringValue(int offset, const CString& text, int width)
{
    std::memset(m_frame + offset, 0, static_cast<size_t>(width));
    int n = std::min(text.GetLength(), width);
    // Back up over UTF-8 continuation bytes so that the cut falls between characters.
    if (n < text.GetLength())
        while (n > 0 && (static_cast<BYTE>(text.GetAt(n)) & 0xC0) == 0x80)
            --n;
    std::memcpy(m_frame + offset, text.GetString(), static_cast<size_t>(n));
}

int PKBase::ScaleToField(double value, double scale, int maxValue)
{
    double scaled = std::round(value * scale);
    if (!(scaled > 0.0)) // also catches NaN
        return 0;
    if (scaled >= maxValue)
        return maxValue;
    return static_cast<int>(scaled);
}

int PKBase::ClampToField(int value, int maxValue)
{
    return std::clamp(value, 0, maxValue);
}

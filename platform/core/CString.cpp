// CString: byte-string operations. Positions are clamped the way the system's code relies on:
// Left/Right/Mid with out-of-range arguments give what is there, never throw.
#include "platform/core/CString.h"

#include "platform/core/StringTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

// ---- access -------------------------------------------------------------------

char CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return '\0';
    return m_text[index];
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength())
        m_text[index] = ch;
}

// ---- assignment -----------------------------------------------------------------

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text.push_back(ch);
    return *this;
}

// ---- comparison -------------------------------------------------------------------

int CString::Compare(const char* text) const
{
    int r = std::strcmp(m_text.c_str(), text ? text : "");
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CString::CompareNoCase(const char* text) const
{
    const char* a = m_text.c_str();
    const char* b = text ? text : "";
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(AsciiLower(*a));
        unsigned char cb = static_cast<unsigned char>(AsciiLower(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

// ---- extraction -------------------------------------------------------------------

CString CString::Left(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(0, count));
}

CString CString::Right(int count) const
{
    count = std::clamp(count, 0, GetLength());
    return CString(m_text.substr(m_text.size() - count));
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_text.substr(first, count));
}

CString CString::SpanIncluding(const char* charSet) const
{
    size_t n = m_text.find_first_not_of(charSet ? charSet : "");
    return CString(m_text.substr(0, n == std::string::npos ? m_text.size() : n));
}

CString CString::SpanExcluding(const char* charSet) const
{
    size_t n = m_text.find_first_of(charSet ? charSet : "");
    return CString(m_text.substr(0, n == std::string::npos ? m_text.size() : n));
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    const char* delims = delimiters ? delimiters : "";
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    size_t begin = m_text.find_first_not_of(delims, start);
    if (begin == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t end = m_text.find_first_of(delims, begin);
    if (end == std::string::npos)
        end = m_text.size();
    start = static_cast<int>(end < m_text.size() ? end + 1 : end);
    return CString(m_text.substr(begin, end - begin));
}

// ---- searching ----------------------------------------------------------------------

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength())
        return -1;
    size_t p = m_text.find(ch, start);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::Find(const char* text, int start) const
{
    if (!text || start < 0 || start > GetLength())
        return -1;
    size_t p = m_text.find(text, start);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::ReverseFind(char ch) const
{
    size_t p = m_text.rfind(ch);
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

int CString::FindOneOf(const char* charSet) const
{
    size_t p = m_text.find_first_of(charSet ? charSet : "");
    return p == std::string::npos ? -1 : static_cast<int>(p);
}

// ---- changing -----------------------------------------------------------------------

CString& CString::MakeUpper()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower()
{
    std::transform(m_text.begin(), m_text.end(), m_text.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse()
{
    // Reverse by code point so that a multi-byte character stays whole.
    std::string out;
    out.reserve(m_text.size());
    size_t end = m_text.size();
    while (end > 0) {
        size_t begin = end - 1;
        while (begin > 0 && (static_cast<unsigned char>(m_text[begin]) & 0xC0) == 0x80)
            --begin;
        out.append(m_text, begin, end - begin);
        end = begin;
    }
    m_text.swap(out);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const char* charSet) { return TrimRight(charSet).TrimLeft(charSet); }

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_text.size() && IsSpace(m_text[i]))
        ++i;
    m_text.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_text.size() && m_text[i] == ch)
        ++i;
    m_text.erase(0, i);
    return *this;
}

CString& CString::TrimLeft(const char* charSet)
{
    size_t i = m_text.find_first_not_of(charSet ? charSet : "");
    m_text.erase(0, i == std::string::npos ? m_text.size() : i);
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_text.size();
    while (n > 0 && IsSpace(m_text[n - 1]))
        --n;
    m_text.resize(n);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    size_t n = m_text.size();
    while (n > 0 && m_text[n - 1] == ch)
        --n;
    m_text.resize(n);
    return *this;
}

CString& CString::TrimRight(const char* charSet)
{
    size_t i = m_text.find_last_not_of(charSet ? charSet : "");
    m_text.resize(i == std::string::npos ? 0 : i + 1);
    return *this;
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (char& c : m_text) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const std::string from(oldText);
    const std::string to(newText ? newText : "");
    std::string out;
    int count = 0;
    size_t pos = 0;
    for (;;) {
        size_t hit = m_text.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(m_text, pos, hit - pos);
        out += to;
        pos = hit + from.size();
        ++count;
    }
    if (count) {
        out.append(m_text, pos, std::string::npos);
        m_text.swap(out);
    }
    return count;
}

int CString::Remove(char ch)
{
    size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), ch), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int index, char ch)
{
    index = std::clamp(index, 0, GetLength());
    m_text.insert(m_text.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    index = std::clamp(index, 0, GetLength());
    m_text.insert(index, text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0)
        index = 0;
    if (index < GetLength() && count > 0)
        m_text.erase(index, std::min(count, GetLength() - index));
    return GetLength();
}

void CString::Truncate(int length)
{
    if (length >= 0 && length < GetLength())
        m_text.resize(length);
}

// ---- formatting -------------------------------------------------------------------

void CString::FormatV(const char* format, va_list args)
{
    if (!format) {
        m_text.clear();
        return;
    }
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        m_text.clear();
        return;
    }
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(needed);
    m_text.swap(out);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_text += tail.m_text;
}

CString FormatString(const char* format, ...)
{
    CString out;
    va_list args;
    va_start(args, format);
    out.FormatV(format, args);
    va_end(args);
    return out;
}

// ---- raw buffer -------------------------------------------------------------------

char* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(minLength);
    return m_text.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? length : 0);
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0) {
        m_text.resize(std::strlen(m_text.c_str()));
    } else if (newLength <= GetLength()) {
        m_text.resize(newLength);
    }
}

// ---- string table ---------------------------------------------------------------

BOOL CString::LoadString(UINT id)
{
    std::string text;
    if (!platform::LookupString(id, text)) {
        m_text.clear();
        return FALSE;
    }
    m_text.swap(text);
    return TRUE;
}

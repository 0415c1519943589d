// CString: the system's text value. A byte string that holds UTF-8; lengths and positions are
// in bytes, as the system's code expects. Case mapping touches ASCII letters only, so
// multi-byte characters pass through every operation unchanged.
#pragma once

#include "platform/core/Types.h"

#include <compare>
#include <cstdarg>
#include <string>
#include <string_view>

class CString
{
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text ? std::string(text, length > 0 ? length : 0) : "") {}
    CString(const std::string& text) : m_text(text) {}
    CString(std::string&& text) : m_text(std::move(text)) {}
    CString(std::string_view text) : m_text(text) {}
    CString(char ch, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, ch) {}

    // ---- access -------------------------------------------------------------
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator const char*() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    std::string& str() { return m_text; }

    // ---- assignment and concatenation --------------------------------------
    CString& operator=(const char* text);
    CString& operator=(char ch);
    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const char* text) { *this += text; }
    void AppendChar(char ch) { m_text.push_back(ch); }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
    friend CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_text + b); }
    friend CString operator+(char a, const CString& b) { return CString(a + b.m_text); }

    // ---- comparison (byte order, like strcmp) -------------------------------
    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend std::strong_ordering operator<=>(const CString& a, const CString& b)
    {
        return a.m_text.compare(b.m_text) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CString& a, const char* b)
    {
        return a.m_text.compare(b ? b : "") <=> 0;
    }

    // ---- extraction ----------------------------------------------------------
    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString SpanIncluding(const char* charSet) const;
    CString SpanExcluding(const char* charSet) const;
    // Next token at or after `start` delimited by any of `delimiters`; `start` becomes -1 at the end.
    CString Tokenize(const char* delimiters, int& start) const;

    // ---- searching (byte positions, -1 when absent) -------------------------
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* charSet) const;

    // ---- changing ------------------------------------------------------------
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(char ch);
    CString& Trim(const char* charSet);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* charSet);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* charSet);
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);
    void Truncate(int length);

    // ---- formatting (printf rules, "C" locale) -------------------------------
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // ---- raw buffer ----------------------------------------------------------
    // GetBuffer gives a writable buffer of at least `minLength` bytes plus a terminator;
    // ReleaseBuffer(-1) takes the length up to the first NUL.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // ---- string table ----------------------------------------------------------
    // The text of `id` from the current resource module, then the chain of loaded modules.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};

CString FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));

template <>
struct std::hash<CString>
{
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>{}(s.str()); }
};

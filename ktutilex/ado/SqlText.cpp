// SQL texts of the system, made ready for SQLite.
#include "ktutilex/ado/SqlText.h"

#include "platform/core/OleDateTime.h"

#include <cctype>
#include <string>
#include <vector>

namespace ktado {

namespace {

// Position just past a quoted part that opens at `pos` and closes with `close`; a doubled
// closing character inside stays part of the text. The end of the text when it never closes.
std::size_t SkipQuoted(const std::string& sql, std::size_t pos, char close)
{
    for (std::size_t i = pos + 1; i < sql.size(); ++i) {
        if (sql[i] != close)
            continue;
        if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return sql.size();
}

std::size_t SkipComment(const std::string& sql, std::size_t pos)
{
    if (sql.compare(pos, 2, "--") == 0) {
        const std::size_t end = sql.find('\n', pos);
        return end == std::string::npos ? sql.size() : end;
    }
    const std::size_t end = sql.find("*/", pos + 2);
    return end == std::string::npos ? sql.size() : end + 2;
}

bool IsWordChar(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_' ||
           static_cast<unsigned char>(ch) >= 0x80;
}

// A word of the text outside quotes, comments and parentheses, upper-cased, with its position.
struct TopLevelWord
{
    std::string word;
    std::size_t position;
};

std::vector<TopLevelWord> TopLevelWords(const std::string& sql)
{
    std::vector<TopLevelWord> words;
    int depth = 0;
    std::size_t pos = 0;
    while (pos < sql.size()) {
        const char ch = sql[pos];
        if (ch == '\'' || ch == '"' || ch == '`') {
            pos = SkipQuoted(sql, pos, ch);
        } else if (ch == '[') {
            pos = SkipQuoted(sql, pos, ']');
        } else if (sql.compare(pos, 2, "--") == 0 || sql.compare(pos, 2, "/*") == 0) {
            pos = SkipComment(sql, pos);
        } else if (ch == '(') {
            ++depth;
            ++pos;
        } else if (ch == ')') {
            --depth;
            ++pos;
        } else if (IsWordChar(ch)) {
            std::size_t end = pos;
            while (end < sql.size() && IsWordChar(sql[end]))
                ++end;
            if (depth == 0) {
                std::string word = sql.substr(pos, end - pos);
                for (char& c : word)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                words.push_back({ std::move(word), pos });
            }
            pos = end;
        } else {
            ++pos;
        }
    }
    return words;
}

} // namespace

CString AddRowIdColumn(const char* text, const char* table)
{
    const std::string sql = text ? text : "";
    const std::vector<TopLevelWord> words = TopLevelWords(sql);
    if (words.size() < 2 || words[0].word != "SELECT" || words[1].word == "DISTINCT")
        return CString();
    const TopLevelWord* from = nullptr;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& w = words[i].word;
        if (w == "UNION" || w == "INTERSECT" || w == "EXCEPT" || w == "HAVING")
            return CString();
        if (w == "GROUP" && i + 1 < words.size() && words[i + 1].word == "BY")
            return CString();
        if (w == "FROM" && !from)
            from = &words[i];
    }
    if (!from)
        return CString();
    std::string out = sql.substr(0, from->position);
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t' || out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    out += ", ";
    out += QuoteTableName(table).str();
    out += ".rowid ";
    out += sql.substr(from->position);
    return CString(std::move(out));
}

CString DayCountLiteral(double dayCount)
{
    return FormatString("%.17g", dayCount);
}

CString TranslateDateLiterals(const char* text)
{
    const std::string sql = text ? text : "";
    if (sql.find('#') == std::string::npos)
        return CString(sql);

    std::string out;
    out.reserve(sql.size() + 16);
    std::size_t pos = 0;
    while (pos < sql.size()) {
        const char ch = sql[pos];
        std::size_t next = pos + 1;
        if (ch == '\'' || ch == '"' || ch == '`') {
            next = SkipQuoted(sql, pos, ch);
        } else if (ch == '[') {
            next = SkipQuoted(sql, pos, ']');
        } else if (sql.compare(pos, 2, "--") == 0 || sql.compare(pos, 2, "/*") == 0) {
            next = SkipComment(sql, pos);
        } else if (ch == '#') {
            const std::size_t close = sql.find('#', pos + 1);
            if (close != std::string::npos) {
                const std::string inner = sql.substr(pos + 1, close - pos - 1);
                COleDateTime date;
                if (!inner.empty() && date.ParseDateTime(inner.c_str()) &&
                    date.GetStatus() == COleDateTime::valid) {
                    out += DayCountLiteral(date.m_dt).str();
                    pos = close + 1;
                    continue;
                }
            }
        }
        out.append(sql, pos, next - pos);
        pos = next;
    }
    return CString(std::move(out));
}

CString QuoteTableName(const char* name)
{
    std::string bare = name ? name : "";
    if (bare.size() >= 2 && bare.front() == '[' && bare.back() == ']')
        bare = bare.substr(1, bare.size() - 2);
    std::string quoted = "\"";
    for (char ch : bare) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return CString(std::move(quoted));
}

} // namespace ktado

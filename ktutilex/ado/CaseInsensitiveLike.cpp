// LIKE that ignores case for every letter.
#include "ktutilex/ado/CaseInsensitiveLike.h"

#include "ktutil/Utf8.h"

#include <sqlite3.h>

#include <clocale>
#include <cwctype>
#include <locale.h>
#include <string>
#include <string_view>
#include <vector>

namespace ktado {

namespace {

// Pattern elements: a folded code point, or one of the two wildcards.
constexpr char32_t kAnySequence = 0xFFFFFFFF;
constexpr char32_t kAnyOne = 0xFFFFFFFE;

// Lower case of a code point: ASCII directly, everything else through the C.UTF-8 locale's
// case table (plain ASCII folding when that locale is missing).
char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8)
        return c;
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), utf8));
}

void FoldText(std::string_view text, std::u32string& out)
{
    out.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const unsigned char byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            out.push_back((byte >= 'A' && byte <= 'Z') ? byte + 32 : byte);
            ++pos;
            continue;
        }
        std::size_t length = 1;
        const char32_t c = ktutil::utf8::Decode(text, pos, length);
        out.push_back(Fold(c));
        pos += length ? length : 1;
    }
}

std::u32string CompilePattern(std::string_view pattern, char32_t escape)
{
    std::u32string folded;
    FoldText(pattern, folded);
    const char32_t foldedEscape = escape ? Fold(escape) : 0;
    std::u32string compiled;
    for (std::size_t i = 0; i < folded.size(); ++i) {
        const char32_t c = folded[i];
        if (foldedEscape && c == foldedEscape && i + 1 < folded.size()) {
            compiled.push_back(folded[++i]);
        } else if (c == '%') {
            if (compiled.empty() || compiled.back() != kAnySequence)
                compiled.push_back(kAnySequence);
        } else if (c == '_') {
            compiled.push_back(kAnyOne);
        } else {
            compiled.push_back(c);
        }
    }
    return compiled;
}

// Wildcard match with one back-tracking point: a later '%' makes earlier choices final.
bool Match(const std::u32string& pattern, const std::u32string& text)
{
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starPattern = std::u32string::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == kAnySequence) {
            starPattern = p++;
            starText = t;
        } else if (p < pattern.size() && (pattern[p] == kAnyOne || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starPattern != std::u32string::npos) {
            p = starPattern + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == kAnySequence)
        ++p;
    return p == pattern.size();
}

void DeletePattern(void* pattern)
{
    delete static_cast<std::u32string*>(pattern);
}

void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;  // NULL result, as the engine's own LIKE
    char32_t escape = 0;
    if (argc == 3) {
        const char* escapeText = reinterpret_cast<const char*>(sqlite3_value_text(argv[2]));
        const std::string_view view = escapeText ? escapeText : "";
        std::size_t length = 0;
        if (view.empty() || (escape = ktutil::utf8::Decode(view, 0, length), length != view.size())) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
    }

    // The compiled pattern is kept with the statement for as long as the pattern stays the same.
    auto* compiled = static_cast<std::u32string*>(sqlite3_get_auxdata(context, 0));
    if (!compiled) {
        const char* patternText = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
        const int patternBytes = sqlite3_value_bytes(argv[0]);
        compiled = new std::u32string(CompilePattern(std::string_view(patternText ? patternText : "",
                                                                      static_cast<std::size_t>(patternBytes)),
                                                     escape));
        sqlite3_set_auxdata(context, 0, compiled, DeletePattern);
        // The engine may have dropped it at once; read it back.
        compiled = static_cast<std::u32string*>(sqlite3_get_auxdata(context, 0));
        if (!compiled) {
            const char* again = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
            const std::u32string local = CompilePattern(again ? again : "", escape);
            std::u32string text;
            const char* value = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
            FoldText(std::string_view(value ? value : "", static_cast<std::size_t>(sqlite3_value_bytes(argv[1]))),
                     text);
            sqlite3_result_int(context, Match(local, text) ? 1 : 0);
            return;
        }
    }
    thread_local std::u32string text;
    const char* value = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    FoldText(std::string_view(value ? value : "", static_cast<std::size_t>(sqlite3_value_bytes(argv[1]))), text);
    sqlite3_result_int(context, Match(*compiled, text) ? 1 : 0);
}

} // namespace

void RegisterCaseInsensitiveLike(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "like", 2, flags, nullptr, LikeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, LikeFunction, nullptr, nullptr);
}

bool LikeMatches(const char* pattern, const char* text, char32_t escape)
{
    std::u32string folded;
    FoldText(text ? text : "", folded);
    return Match(CompilePattern(pattern ? pattern : "", escape), folded);
}

} // namespace ktado

// KTGF members that work on lists of texts: finding, sorting and splitting.
#include "ktutil/KTGF.h"

#include "ktutil/Utf8.h"
#include "platform/core/Collections.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace utf8 = ktutil::utf8;

namespace {

std::string_view View(LPCTSTR text) { return text ? std::string_view(text) : std::string_view(); }

// The characters of a delimiter set, each as its UTF-8 bytes.
std::vector<std::string_view> CharactersOf(std::string_view set)
{
    std::vector<std::string_view> chars;
    for (std::size_t pos = 0; pos < set.size();) {
        const std::size_t length = utf8::CharLength(set, pos);
        chars.push_back(set.substr(pos, length));
        pos += length;
    }
    return chars;
}

int QuoteCount(const CString& piece) { return static_cast<int>(std::count(piece.str().begin(), piece.str().end(), '"')); }

} // namespace

int KTGF::FindString(const CStringArray& list, LPCTSTR text, BOOL caseSensitive)
{
    const char* wanted = text ? text : "";
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const CString& entry = list[i];
        if (caseSensitive ? entry.Compare(wanted) == 0 : entry.CompareNoCase(wanted) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// An insertion sort that places each entry before the first placed entry that does not order
// before it, so equal entries (ignoring case) end up in the reverse order of their arrival.
void KTGF::SortString(CStringArray& list, BOOL ascending)
{
    if (list.GetSize() < 1)
        return;
    std::vector<CString> placed;
    placed.reserve(static_cast<std::size_t>(list.GetSize()));
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const CString& entry = list[i];
        auto at = std::find_if(placed.begin(), placed.end(), [&](const CString& p) {
            const int order = entry.CompareNoCase(p);
            return ascending ? order <= 0 : order >= 0;
        });
        placed.insert(at, entry);
    }
    list.RemoveAll();
    for (const CString& entry : placed)
        list.Add(entry);
}

int KTGF::SplitText(LPCTSTR text, LPCTSTR delimiter, BOOL tokenize, CStringArray& list)
{
    list.RemoveAll();
    std::string_view rest = View(text);
    const std::string_view delim = View(delimiter);
    if (delim.empty()) {
        if (!rest.empty())
            list.Add(CString(rest));
        return static_cast<int>(list.GetSize());
    }
    if (tokenize) {
        // Cut at every run of the set's characters; empty pieces never arise.
        const std::vector<std::string_view> set = CharactersOf(delim);
        std::string piece;
        for (std::size_t pos = 0; pos < rest.size();) {
            const std::size_t length = utf8::CharLength(rest, pos);
            const std::string_view ch = rest.substr(pos, length);
            if (std::find(set.begin(), set.end(), ch) != set.end()) {
                if (!piece.empty())
                    list.Add(CString(piece));
                piece.clear();
            } else {
                piece.append(ch);
            }
            pos += length;
        }
        if (!piece.empty())
            list.Add(CString(piece));
        return static_cast<int>(list.GetSize());
    }
    while (!rest.empty()) {
        const std::size_t at = rest.find(delim);
        if (at == std::string_view::npos) {
            list.Add(CString(rest));
            break;
        }
        list.Add(CString(rest.substr(0, at)));
        rest.remove_prefix(at + delim.size());
        if (at > 0 && rest.empty())
            list.Add(CString());
    }
    return static_cast<int>(list.GetSize());
}

// Splits at blanks and keeps a quoted group together. A piece with an odd number of quotes
// opens or closes a group; a piece with both quotes of a group ("word") is a token of its own.
int KTGF::SplitCmdLine(LPCTSTR text, CStringArray& list)
{
    CStringArray pieces;
    SplitText(text, " ", TRUE, pieces);
    list.RemoveAll();
    bool collecting = false;
    CString collected;
    for (INT_PTR i = 0; i < pieces.GetSize(); ++i) {
        CString piece = pieces[i];
        const bool opensOrCloses = QuoteCount(piece) % 2 == 1;
        piece.Remove('"');
        if (collecting) {
            collected += ' ';
            collected += piece;
            if (opensOrCloses) {
                list.Add(collected);
                collected.Empty();
                collecting = false;
            }
        } else if (opensOrCloses) {
            collected = piece;
            collecting = true;
        } else {
            list.Add(piece);
        }
    }
    if (!collected.IsEmpty())
        list.Add(collected);
    return static_cast<int>(list.GetSize());
}

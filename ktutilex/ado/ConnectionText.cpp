// The connection text of the system's database, built and read back.
#include "ktutilex/ado/ConnectionText.h"

#include <string>
#include <string_view>

namespace ktado {

namespace {

// A value as the text carries it: as it is, unless it holds a ';' (which would end it), starts
// with a quote (which would be taken for quoting) or has blanks at an end (which the reader
// trims); then in double quotes, a quote inside doubled.
std::string QuotedIfNeeded(std::string_view value)
{
    const bool needed = value.find(';') != std::string_view::npos ||
                        (!value.empty() && (value.front() == '"' || value.front() == '\'' ||
                                            value.front() == ' ' || value.front() == '\t' ||
                                            value.back() == ' ' || value.back() == '\t'));
    if (!needed)
        return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

CString BuildJetConnectionString(const char* path, const char* password)
{
    CString text = "Provider=";
    text += kJetProvider;
    text += ";Persist Security Info=False;";
    text += "Data Source=" + QuotedIfNeeded(path ? path : "") + ";";
    text += "Jet OLEDB:Database Password=" + QuotedIfNeeded(password ? password : "");
    return text;
}

ConnectionSettings ParseConnectionString(const char* text)
{
    ConnectionSettings settings;
    const std::string all = text ? text : "";
    std::size_t pos = 0;
    while (pos < all.size()) {
        const std::size_t equals = all.find('=', pos);
        if (equals == std::string::npos)
            break;
        CString key(TrimBlanks(std::string_view(all).substr(pos, equals - pos)));
        std::size_t valueStart = equals + 1;
        while (valueStart < all.size() && all[valueStart] == ' ')
            ++valueStart;
        std::string value;
        std::size_t end;
        if (valueStart < all.size() && (all[valueStart] == '"' || all[valueStart] == '\'')) {
            // A quoted value may hold ';'; a doubled quote stands for one.
            const char quote = all[valueStart];
            std::size_t i = valueStart + 1;
            for (; i < all.size(); ++i) {
                if (all[i] == quote) {
                    if (i + 1 < all.size() && all[i + 1] == quote) {
                        value += quote;
                        ++i;
                        continue;
                    }
                    break;
                }
                value += all[i];
            }
            end = all.find(';', i);
        } else {
            end = all.find(';', valueStart);
            value = TrimBlanks(std::string_view(all).substr(
                valueStart, (end == std::string::npos ? all.size() : end) - valueStart));
        }

        if (key.CompareNoCase("Provider") == 0)
            settings.provider = CString(value);
        else if (key.CompareNoCase("Data Source") == 0)
            settings.dataSource = CString(value);
        else if (key.CompareNoCase("Jet OLEDB:Database Password") == 0)
            settings.password = CString(value);
        else if (key.CompareNoCase("Extended Properties") == 0)
            settings.extendedProperties = CString(value);

        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return settings;
}

} // namespace ktado

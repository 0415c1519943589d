// The check of texts before they enter a document.
#include "ktutilex/xml/XmlText.h"

#include <libxml/chvalid.h>
#include <libxml/xmlstring.h>

#include <climits>

namespace ktutilex::xml {

bool IsXmlText(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    const auto* at = reinterpret_cast<const xmlChar*>(text.data());
    int left = static_cast<int>(text.size());
    while (left > 0) {
        int length = left;
        const int ch = xmlGetUTF8Char(at, &length);
        if (ch < 0 || length <= 0 || !xmlIsCharQ(ch))
            return false;
        at += length;
        left -= length;
    }
    return true;
}

} // namespace ktutilex::xml
